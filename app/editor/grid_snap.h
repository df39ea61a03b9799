// 窗口 → 网格: a grid of points the drawing snaps to. The spacing (metres,
// 0 for none) is asked through the input box and kept between runs; the
// canvas paints the points. While members are drawn or a node is moved,
// a point the pointer comes near is captured as a member end is, after
// the ends themselves.
#pragma once

#include <optional>
#include <utility>

#include "editor/editor_part.h"

// Where a press at (x, y) puts a point while members are drawn or a node
// is moved: the captured member end or grid point, else (x, y).
std::pair<float, float> placeOfPointer(const Document& document, float x, float y);

class GridSnap : public EditorPart {
public:
    // The spacing of the last run, if it was kept.
    explicit GridSnap(const EditorContext& context);

    // 网格.
    std::vector<MenuRow> menuRows() override;

    double spacing() const { return spacing_; }
    // Whether the running mode snaps to the grid (member input, 移动节点).
    bool snapsNow() const;
    // The grid point nearest (x, y) when it lies within the capture box
    // around it and the running mode snaps; none otherwise.
    std::optional<std::pair<float, float>> pointNear(float x, float y) const;

private:
    void askSpacing();
    void setSpacing(double spacing);

    double spacing_ = 0;
};
