// The retained line shapes of the drawing: numbered arrays of lines in
// world coordinates, as the window's line controls are numbered. Plain
// data: whoever paints them is told of every change.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "document/model.h"

// Line shapes come in arrays numbered as the window's line controls:
// array n is "Line<n>" and element 0 of an array that has one line only.
using LineGroup = int;
inline constexpr LineGroup kMemberLines = 1;  // 0 is the local-axis tick, 1.. members
inline constexpr LineGroup kCrosshairX = 2;   // horizontal crosshair line
inline constexpr LineGroup kCrosshairY = 3;   // vertical crosshair line
inline constexpr LineGroup kBoxTop = 4;       // the four sides of the capture box
inline constexpr LineGroup kBoxLeft = 5;
inline constexpr LineGroup kBoxRight = 6;
inline constexpr LineGroup kBoxBottom = 7;
// The crosshair lines and the capture box, shown and hidden together.
inline constexpr std::array<LineGroup, 4> kCaptureBox = {kBoxTop, kBoxLeft, kBoxRight, kBoxBottom};
inline constexpr std::array<LineGroup, 6> kCrosshairLines = {kCrosshairX, kCrosshairY, kBoxTop,
                                                             kBoxLeft,    kBoxRight,   kBoxBottom};
inline constexpr LineGroup kFixedSymbols = 8;        // 0 is the preview, 1.. fixed ends
inline constexpr LineGroup kSelectionBox = 9;        // 0..3 the sides of the selection box
inline constexpr LineGroup kFirstSupportLines = 10;  // pieces of the other symbols, 10..46
inline constexpr LineGroup kFirstFixedHatch = 47;    // the fixed ends' ground hatching, 47..50
inline constexpr LineGroup kLastSupportLines = 50;
inline constexpr int kLineGroupCount = kLastSupportLines + 1;

struct LineShape {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    ColourValue colour = kBlack;
    int width = 1;  // pixels
    bool visible = true;
    bool loaded = false;
    bool operator==(const LineShape&) const = default;
};

struct LineId {
    LineGroup group;
    int index = 0;
};

// One array: its lines and, beside each, whether it floats.
struct LineArray {
    std::vector<LineShape> lines;
    std::vector<bool> floating;
};

class LineArrays {
public:
    // An unknown array number reads as an empty array.
    const LineArray& array(LineGroup group) const { return group_(group); }
    const LineShape& line(LineGroup group, int index = 0) const;
    int lineCount(LineGroup group) const;
    // Whether element `id` exists (loaded or below a loaded one).
    bool exists(LineId id) const;
    bool floating(LineId id) const;

    // Creates element `index` of a group (and any below it, unloaded).
    void loadLine(LineGroup group, int index, const LineShape& shape);
    void unloadLine(LineGroup group, int index);
    void moveLine(LineId id, float x1, float y1, float x2, float y2);
    void setLineColour(LineId id, ColourValue colour);
    void setLineVisible(LineId id, bool visible);
    // A floating line changes on every mouse move (the member being drawn).
    void setLineFloating(LineId id, bool floating);

    // Told after a line changed, with what it was before; an unloaded
    // element is reported while it still exists.
    std::function<void(LineId, const LineShape& before)> lineChanged;
    std::function<void(LineId)> floatingChanged;

private:
    LineArray& group_(LineGroup group);
    const LineArray& group_(LineGroup group) const;
    template <typename Change>
    void changeLine(LineId id, Change change);
    void report(LineId id, const LineShape& before);

    std::array<LineArray, kLineGroupCount> groups_;
    LineArray scratch_;  // takes changes to unknown arrays
};
