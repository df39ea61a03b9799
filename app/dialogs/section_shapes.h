// The section shapes the member property dialog offers: for each list entry
// its sketch bitmap and the dimension rows it shows. The dialog lays out its
// rows from this table, and the build draws the sketches with the same row
// names, so a caption and its sketch label cannot drift apart.
#pragma once

#include <span>
#include <string>
#include <string_view>

// One dimension row of a shape. Row k of the dialog holds slot k - 1 of the
// member's dimensions.
struct SectionRow {
    std::string_view name;  // caption of the row and label in the sketch
    double defaultValue;    // what choosing the shape puts into the field
    std::string_view unit;
};

struct SectionShape {
    std::string_view entry;            // list entry, stored as the member's section text
    std::string_view sketchFile;       // bitmap in the program folder; empty: no sketch
    std::span<const SectionRow> rows;  // the rows shown, from row 1; the rest are hidden
};

inline constexpr std::string_view kDefaultSectionShape = "矩形";

// All shapes in list order.
std::span<const SectionShape> sectionShapes();

// The shape whose entry equals `entry` exactly; nullptr for any other text.
const SectionShape* findSectionShape(std::string_view entry);

// Whether every dimension the shape `entry` shows is greater than 0: a
// section with a zero or negative dimension has no stiffness to speak of.
// Texts that are no shape have no rows to check.
bool dimensionsArePositive(std::string_view entry, std::span<const float> dimensions);
