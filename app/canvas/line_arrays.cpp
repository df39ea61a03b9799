// The retained line shapes; see line_arrays.h.
#include "canvas/line_arrays.h"

#include <QtGlobal>

namespace {

const LineShape kNoLine{};

}  // namespace

const LineShape& LineArrays::line(LineGroup group, int index) const {
    const auto& lines = group_(group).lines;
    if (index < 0 || index >= static_cast<int>(lines.size())) {
        return kNoLine;
    }
    return lines[static_cast<std::size_t>(index)];
}

int LineArrays::lineCount(LineGroup group) const {
    return static_cast<int>(group_(group).lines.size());
}

bool LineArrays::exists(LineId id) const {
    return id.index >= 0 && id.index < lineCount(id.group);
}

bool LineArrays::floating(LineId id) const {
    const auto& flags = group_(id.group).floating;
    return id.index >= 0 && id.index < static_cast<int>(flags.size()) &&
           flags[static_cast<std::size_t>(id.index)];
}

void LineArrays::loadLine(LineGroup group, int index, const LineShape& shape) {
    if (index < 0) {
        return;
    }
    LineArray& g = group_(group);
    const auto position = static_cast<std::size_t>(index);
    if (position >= g.lines.size()) {
        g.lines.resize(position + 1);
        g.floating.resize(position + 1, false);
    }
    const LineShape before = g.lines[position];
    g.lines[position] = shape;
    g.lines[position].loaded = true;
    report({group, index}, before);
}

void LineArrays::unloadLine(LineGroup group, int index) {
    LineArray& g = group_(group);
    if (index < 0 || index >= static_cast<int>(g.lines.size())) {
        return;
    }
    const auto position = static_cast<std::size_t>(index);
    const LineShape before = g.lines[position];
    g.lines[position] = LineShape{};
    g.floating[position] = false;
    report({group, index}, before);
    while (!g.lines.empty() && !g.lines.back().loaded) {
        g.lines.pop_back();
        g.floating.pop_back();
    }
}

// Line arrays are numbered 0..46; any other number is a fault of the
// caller, stopped by the assertion in debug builds. Elsewhere the change
// goes to a scratch array that is never painted and reads find nothing, so
// the lines of another array are never hit.
LineArray& LineArrays::group_(LineGroup group) {
    if (group < 0 || group >= kLineGroupCount) {
        Q_ASSERT_X(false, "Canvas", "unknown line group");
        scratch_ = LineArray{};
        return scratch_;
    }
    return groups_[static_cast<std::size_t>(group)];
}

const LineArray& LineArrays::group_(LineGroup group) const {
    static const LineArray kNoGroup;
    if (group < 0 || group >= kLineGroupCount) {
        Q_ASSERT_X(false, "Canvas", "unknown line group");
        return kNoGroup;
    }
    return groups_[static_cast<std::size_t>(group)];
}

// Applies `change` to an existing line shape and reports what changed;
// elements that do not exist ignore changes.
template <typename Change>
void LineArrays::changeLine(LineId id, Change change) {
    auto& lines = group_(id.group).lines;
    if (id.index < 0 || id.index >= static_cast<int>(lines.size())) {
        return;
    }
    LineShape& line = lines[static_cast<std::size_t>(id.index)];
    const LineShape before = line;
    change(line);
    if (!(line == before)) {
        report(id, before);
    }
}

void LineArrays::moveLine(LineId id, float x1, float y1, float x2, float y2) {
    changeLine(id, [&](LineShape& line) {
        line.x1 = x1;
        line.y1 = y1;
        line.x2 = x2;
        line.y2 = y2;
    });
}

void LineArrays::setLineColour(LineId id, ColourValue colour) {
    changeLine(id, [&](LineShape& line) { line.colour = colour; });
}

void LineArrays::setLineVisible(LineId id, bool visible) {
    changeLine(id, [&](LineShape& line) { line.visible = visible; });
}

void LineArrays::setLineFloating(LineId id, bool floating) {
    auto& flags = group_(id.group).floating;
    if (id.index >= 0 && id.index < static_cast<int>(flags.size()) &&
        flags[static_cast<std::size_t>(id.index)] != floating) {
        flags[static_cast<std::size_t>(id.index)] = floating;
        if (floatingChanged) {
            floatingChanged(id);
        }
    }
}

void LineArrays::report(LineId id, const LineShape& before) {
    if (lineChanged) {
        lineChanged(id, before);
    }
}
