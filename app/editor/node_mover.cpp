// Moving a node; see node_mover.h.
#include "editor/node_mover.h"

#include <QLineF>
#include <utility>

#include "canvas/canvas.h"
#include "document/member_connections.h"
#include "document/node_move.h"
#include "editor/editor_controls.h"
#include "editor/grid_snap.h"
#include "editor/number_questions.h"
#include "editor/view_control.h"
#include "platform/platform.h"

namespace {

// A release this close to its press is a click, not a drag.
constexpr double kClickPixels = 3;

QString nodeName(std::int16_t node) {
    return QStringLiteral("节点") + QString::number(node);
}

}  // namespace

NodeMover::NodeMover(const EditorContext& context, const MemberInput& memberInput,
                     ViewControl& view)
    : EditorPart(context),
      memberInput(memberInput),
      view(view),
      capture_(document, canvas, memberInput) {}

std::vector<MenuRow> NodeMover::menuRows() {
    return {{MenuCommand::MoveNode, "移动节点", [this] {
                 startClicking({document, canvas, platform, controls}, memberInput,
                               EditorMode::MoveNode);
             }}};
}

bool NodeMover::running() const {
    return document.mode == EditorMode::MoveNode;
}

void NodeMover::press(float x, float y) {
    grabbed_ = running() ? capture_.nodeNear(x, y) : std::int16_t{0};
    if (grabbed_ == 0) {
        return;
    }
    pressPixel_ = canvas.toPixel(x, y);
    capture_.mark(endsAtNode(document, capture_.recorded(), grabbed_));
    dragTo(x, y);
}

void NodeMover::dragTo(float x, float y) {
    if (grabbed_ == 0 || !running()) {
        return;
    }
    const auto [placeX, placeY] = placeOfPointer(document, x, y);
    controls.setHint(nodeName(grabbed_) + QStringLiteral(" → ") + numberText(placeX) +
                     QStringLiteral(", ") + numberText(placeY));
}

void NodeMover::release(float x, float y) {
    const std::int16_t node = std::exchange(grabbed_, std::int16_t{0});
    if (node == 0 || !running()) {
        return;
    }
    capture_.mark({});
    controls.showRestingHint();
    if (QLineF(canvas.toPixel(x, y), pressPixel_).length() <= kClickPixels) {
        askPlace(node);
    } else {
        const auto [placeX, placeY] = placeOfPointer(document, x, y);
        moveTo(node, placeX, placeY);
    }
}

void NodeMover::askPlace(std::int16_t node) {
    const auto from = nodePoint(document, node);
    if (!from) {
        return;
    }
    const auto values = askNumbers(
        platform,
        QStringLiteral("请输入") + nodeName(node) + QStringLiteral("的新坐标 x, y (m), 用逗号分开"),
        QStringLiteral("移动节点"), {from->first, from->second}, 2);
    if (values) {
        moveTo(node, static_cast<float>((*values)[0]), static_cast<float>((*values)[1]));
    }
}

void NodeMover::moveTo(std::int16_t node, float x, float y) {
    if (refused(node, x, y)) {
        return;
    }
    moveNodeEnds(document, node, x + 0.0f, y + 0.0f);  // -0 is 0, as the ends compare
    view.showDocument();
}

bool NodeMover::refused(std::int16_t node, float x, float y) {
    using Reason = NodeMoveRefusal::Reason;
    const NodeMoveRefusal refusal = checkNodeMove(document, node, x, y);
    const QString number = QString::number(refusal.number);
    switch (refusal.reason) {
        case Reason::None:
            return false;
        case Reason::OntoNode:
            platform.tell(nodeName(node) + QStringLiteral("不能移到") + nodeName(refusal.number) +
                          QStringLiteral("上"));
            break;
        case Reason::ZeroLength:
            platform.tell(number + QStringLiteral("号杆件的长度将为0,节点不能移到那里"));
            break;
        case Reason::TurnsLoadedMember:
            platform.tell(number + QStringLiteral("号杆件有荷载或温度改变,移动节点会使它两端对调,"
                                                  "不能这样移动"));
            break;
    }
    return true;
}
