// 编辑 → 移动节点: a node dragged to a new place with the left button
// (snapping as members do while drawn), or clicked and given its new
// coordinates. Every member end at the node follows and its support stays;
// a move onto another node, or one that leaves a member without length,
// is refused with a message. Each move is one step.
//
// Owns the node being dragged and a capture of its own, which marks the
// node's members red meanwhile.
#pragma once

#include <QPointF>
#include <cstdint>

#include "editor/editor_part.h"
#include "editor/end_capture.h"

class MemberInput;
class ViewControl;

// The hint of 移动节点 while no node is dragged.
inline constexpr const char* kMoveNodeHint =
    "按住鼠标左键把节点拖到新位置,或单击节点输入它的新坐标";

class NodeMover : public EditorPart {
public:
    NodeMover(const EditorContext& context, const MemberInput& memberInput, ViewControl& view);

    // 移动节点.
    std::vector<MenuRow> menuRows() override;
    void reset(ResetReason /*reason*/) override { grabbed_ = 0; }

    bool running() const;
    // A left press: takes the node near (x, y), if any.
    void press(float x, float y);
    // The pointer moved: the hint follows the dragged node's new place.
    void dragTo(float x, float y);
    // The left button released: a drag moves the node there, a click asks
    // for its coordinates.
    void release(float x, float y);

private:
    void askPlace(std::int16_t node);
    void moveTo(std::int16_t node, float x, float y);
    bool refused(std::int16_t node, float x, float y);

    const MemberInput& memberInput;
    ViewControl& view;
    EndCapture capture_;
    std::int16_t grabbed_ = 0;  // the node the left button holds
    QPointF pressPixel_;        // where it was pressed
};
