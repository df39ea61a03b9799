// The table of section shapes; see section_shapes.h.
#include "dialogs/section_shapes.h"

#include <algorithm>
#include <array>

namespace {

// The default rectangle; the direct-input defaults are its area and second
// moment, so switching between the two describes the same member.
constexpr double kDefaultWidth = 0.25;
constexpr double kDefaultDepth = 0.5;

constexpr SectionRow kRectangleRows[] = {{"b", kDefaultWidth, "m"}, {"h", kDefaultDepth, "m"}};

// Circle dimensions are diameters, whatever their names suggest.
constexpr SectionRow kSolidCircleRows[] = {{"r", 0.4, "m"}};
constexpr SectionRow kHollowCircleRows[] = {{"r1", 0.2, "m"}, {"r", 0.4, "m"}};

// Web width, flange width, flange thickness, total depth.
constexpr SectionRow kFlangedRows[] = {
    {"b1", 0.2, "m"}, {"b", 0.4, "m"}, {"h1", 0.15, "m"}, {"h", 0.6, "m"}};

// Web thickness, flange width, the two flange thicknesses, total depth.
constexpr SectionRow kISectionRows[] = {
    {"b1", 0.1, "m"}, {"b", 0.35, "m"}, {"h1", 0.08, "m"}, {"h2", 0.08, "m"}, {"h", 0.5, "m"}};

constexpr SectionRow kDirectInputRows[] = {
    {"A", kDefaultWidth* kDefaultDepth, "m2"},
    {"I", kDefaultWidth* kDefaultDepth* kDefaultDepth* kDefaultDepth / 12, "m4"}};

constexpr std::array kShapes = {
    SectionShape{"矩形", "矩形.bmp", kRectangleRows},
    SectionShape{"实心圆", "实心圆.bmp", kSolidCircleRows},
    SectionShape{"空心圆", "空心圆.bmp", kHollowCircleRows},
    SectionShape{"T形", "T形.bmp", kFlangedRows},
    SectionShape{"倒T形", "倒T形.bmp", kFlangedRows},
    SectionShape{"L形", "L形.bmp", kFlangedRows},
    SectionShape{"倒L形", "倒L形.bmp", kFlangedRows},
    SectionShape{"I字形", "I字形.bmp", kISectionRows},
    SectionShape{"平I字形", "平I字形.bmp", kISectionRows},
    SectionShape{"直接输入截面积和惯性矩", "", kDirectInputRows},
};

}  // namespace

std::span<const SectionShape> sectionShapes() {
    return kShapes;
}

const SectionShape* findSectionShape(std::string_view entry) {
    const auto match =
        std::find_if(kShapes.begin(), kShapes.end(),
                     [entry](const SectionShape& shape) { return shape.entry == entry; });
    return match == kShapes.end() ? nullptr : &*match;
}

bool dimensionsArePositive(std::string_view entry, std::span<const float> dimensions) {
    const SectionShape* shape = findSectionShape(entry);
    if (shape == nullptr) {
        return true;
    }
    for (std::size_t row = 0; row < shape->rows.size(); ++row) {
        if (!(row < dimensions.size() && dimensions[row] > 0)) {
            return false;
        }
    }
    return true;
}
