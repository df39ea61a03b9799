// Selection mode and the operations on the selection; see
// selection_commands.h.
#include "editor/selection_commands.h"

#include <QLineF>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "canvas/canvas.h"
#include "editor/editor_controls.h"
#include "editor/hint_line.h"
#include "editor/member_input.h"
#include "editor/member_pointing.h"
#include "editor/number_questions.h"
#include "editor/view_control.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

// A press and release closer than this (pixels) are a click, not a box.
constexpr double kClickPixels = 3;
// A click takes the member passing within this many pixels of it.
constexpr double kClickReachPixels = 5;
constexpr ColourValue kBoxColour = 0x808080;
// The box's sides in the selection box's line array: top, left, right,
// bottom.
constexpr int kBoxSides = 4;

const QString kTitle = QStringLiteral("Orvandel");

}  // namespace

SelectionCommands::SelectionCommands(const EditorContext& context, MemberInput& memberInput,
                                     ViewControl& view, MemberPointing& pointing)
    : EditorPart(context), memberInput(memberInput), view(view), pointing(pointing) {}

std::vector<MenuRow> SelectionCommands::menuRows() {
    using C = MenuCommand;
    return {{C::Select, "选择", [this] { selectCommand(); }},
            {C::CopySelection, "复制", [this] { copyCommand(); }},
            {C::MoveSelection, "移动", [this] { moveCommand(); }},
            {C::MirrorSelection, "镜像", [this] { mirrorCommand(); }},
            {C::ArraySelection, "阵列", [this] { arrayCommand(); }},
            {C::DeleteSelection, "删除所选", [this] { deleteCommand(); }}};
}

// The box's sides are made once, hidden; they pass over printed results
// without wiping them.
void SelectionCommands::reset(ResetReason reason) {
    document.selectedMembers.clear();
    drag_.reset();
    if (reason == ResetReason::StartUp) {
        for (int side = 0; side < kBoxSides; ++side) {
            canvas.loadLine(kSelectionBox, side, LineShape{0, 0, 0, 0, kBoxColour, 1, false});
            canvas.setLineFloating({kSelectionBox, side}, true);
        }
        canvas.setWipesPrints(kSelectionBox, false);
    }
}

// 编辑 stays open while a member is drawn: choosing 选择 then abandons
// the member, as undo does, and member input ends.
void SelectionCommands::selectCommand() {
    memberInput.abandonDrawing();
    canvas.clear();
    controls.enterMode(EditorMode::Selection);
    showHint();
}

void SelectionCommands::showHint() {
    controls.setHint(QStringLiteral("已选中") + QString::number(document.selectedMembers.size()) +
                     QStringLiteral("根杆件: ") + QString::fromUtf8(kSelectionHint));
}

// Only the members whose state changed are coloured again, so a box over
// a large frame costs a few lines a move.
void SelectionCommands::select(MemberNumbers members) {
    const MemberNumbers changed = toggled(document.selectedMembers, members);
    document.selectedMembers = std::move(members);
    for (const std::int16_t member : changed) {
        canvas.setLineColour({kMemberLines, member}, isSelected(document.selectedMembers, member)
                                                         ? kSelectionColour
                                                         : kBlack);
    }
    showHint();
}

void SelectionCommands::press(int button, float x, float y, bool ctrl) {
    if (!running() || button != 1) {
        return;
    }
    drag_ = Drag{x, y, ctrl, false, document.selectedMembers};
}

void SelectionCommands::drag(float x, float y) {
    if (!running() || !drag_) {
        return;
    }
    const QLineF pixels(canvas.toPixel(drag_->x, drag_->y), canvas.toPixel(x, y));
    drag_->moved = drag_->moved || pixels.length() >= kClickPixels;
    if (!drag_->moved) {
        return;
    }
    // Dragged to the left the box takes what it touches, as in drawing
    // programs: a crossing box.
    const bool touching = x < drag_->x;
    const MemberNumbers inBox = membersInBox(document, {drag_->x, drag_->y, x, y}, touching);
    select(drag_->ctrl ? toggled(drag_->before, inBox) : inBox);
    showBox(x, y, true);
}

void SelectionCommands::release(int button, float x, float y) {
    if (!running() || button != 1 || !drag_) {
        return;
    }
    if (!drag_->moved) {
        const std::int16_t hit = memberNearest(document, x, y, clickReach());
        const MemberNumbers clicked = hit == 0 ? MemberNumbers{} : MemberNumbers{hit};
        select(drag_->ctrl ? toggled(drag_->before, clicked) : clicked);
    }
    showBox(x, y, false);
    drag_.reset();
}

float SelectionCommands::clickReach() const {
    const double pixelsPerUnit = QLineF(canvas.toPixel(0, 0), canvas.toPixel(1, 0)).length();
    return pixelsPerUnit > 0 ? static_cast<float>(kClickReachPixels / pixelsPerUnit) : 0.0f;
}

void SelectionCommands::showBox(float x, float y, bool shown) {
    const float left = drag_->x;
    const float top = drag_->y;
    const std::array<std::array<float, 4>, kBoxSides> sides{{
        {left, top, x, top},
        {left, top, left, y},
        {x, top, x, y},
        {left, y, x, y},
    }};
    for (int side = 0; side < kBoxSides; ++side) {
        const auto& [x1, y1, x2, y2] = sides[static_cast<std::size_t>(side)];
        canvas.moveLine({kSelectionBox, side}, x1, y1, x2, y2);
        canvas.setLineVisible({kSelectionBox, side}, shown);
    }
}

void SelectionCommands::escape() {
    if (drag_) {
        showBox(drag_->x, drag_->y, false);
        drag_.reset();
    }
    select({});
    controls.enterMode(EditorMode::None);
    controls.setHint(kIdleHint);
}

// The lines were coloured by whatever redrew them (undo re-enters the
// mode); colouring them here would also take the mark off a picked member.
void SelectionCommands::modelChanged() {
    dropMembersBeyond(document.selectedMembers, document.membersEntered);
    if (running()) {
        showHint();
    }
}

void SelectionCommands::spreadProperties(std::int16_t source) {
    if (!isSelected(document.selectedMembers, source)) {
        return;
    }
    const gj from = document.members[static_cast<std::size_t>(source)];
    for (const std::int16_t member : document.selectedMembers) {
        gj& to = document.members[static_cast<std::size_t>(member)];
        to.材料 = from.材料;
        to.断面 = from.断面;
        to.尺寸 = from.尺寸;
    }
}

void SelectionCommands::spreadLoad(std::int16_t source, const std::function<void(gj&)>& giveLoad) {
    if (!isSelected(document.selectedMembers, source)) {
        return;
    }
    for (const std::int16_t member : document.selectedMembers) {
        if (member != source) {
            giveLoad(document.members[static_cast<std::size_t>(member)]);
        }
    }
}

// The operations need a selection and act in selection mode: chosen in
// another mode they start it, so no dialog or member being drawn is left
// showing a frame that changed.
bool SelectionCommands::hasSelection() {
    if (document.selectedMembers.empty()) {
        platform.tell(QStringLiteral("请先用 编辑 → 选择 选中杆件"));
        return false;
    }
    if (!running()) {
        selectCommand();
    }
    return true;
}

std::optional<std::vector<double>> SelectionCommands::ask(const QString& prompt,
                                                          std::size_t count) {
    return askNumbers(platform, prompt, kTitle, {}, count);
}

// The operation on the model, then the nodes numbered anew with the
// supports kept at their points (moved ones where they went), and the
// drawing made what the document says; a refusal changes nothing.
void SelectionCommands::apply(
    const std::function<SelectionEdit(std::vector<SupportAtPoint>&)>& edit) {
    std::vector<SupportAtPoint> supports = supportsAtPoints(document);
    const Model before = document;
    if (const SelectionEdit result = edit(supports); !result.done()) {
        platform.tell(QString::fromStdString(result.refusal));
        return;
    }
    if (!controls.节点自动编号(supports)) {
        static_cast<Model&>(document) = before;
        platform.tell(QStringLiteral("节点总数不能超过32767个,操作未执行"));
    }
    dropMembersBeyond(document.selectedMembers, document.membersEntered);
    canvas.clear();
    controls.enterMode(EditorMode::Selection);  // results and marks of the frame that was go
    view.showDocument();
    pointing.resetColours();
    showHint();
}

void SelectionCommands::copyCommand() {
    if (!hasSelection()) {
        return;
    }
    if (const auto shift = ask(QStringLiteral("复制所选杆件: 请输入移动量 dx, dy (m)"), 2)) {
        const PlaneMap map{PlaneMap::Mirror::None, 0, (*shift)[0], (*shift)[1]};
        apply([&](std::vector<SupportAtPoint>& /*supports*/) {
            return addMappedCopies(document, document.selectedMembers, {map});
        });
    }
}

void SelectionCommands::moveCommand() {
    if (!hasSelection()) {
        return;
    }
    if (const auto shift = ask(QStringLiteral("移动所选杆件: 请输入移动量 dx, dy (m)"), 2)) {
        apply([&](std::vector<SupportAtPoint>& supports) {
            return moveMembers(document, document.selectedMembers, (*shift)[0], (*shift)[1],
                               supports);
        });
    }
}

// "x=5" mirrors about the vertical line x = 5, "y=3" about y = 3.
std::optional<PlaneMap> SelectionCommands::askMirror() {
    const QString answer =
        platform
            .inputBox(QStringLiteral("镜像所选杆件: 请输入镜像轴, x=c (竖直线) 或 y=c (水平线)"),
                      kTitle, QStringLiteral("x=0"))
            .trimmed()
            .toLower();
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    const qsizetype equals = answer.indexOf(u'=');
    const QString axis = answer.left(std::max<qsizetype>(equals, 0)).trimmed();
    const std::optional<double> c =
        orv::parseNumber(answer.mid(equals + 1).trimmed().toStdString());
    const bool vertical = axis == QStringLiteral("x");
    if (equals < 0 || (!vertical && axis != QStringLiteral("y")) || !c) {
        platform.tell(QStringLiteral("请输入 x=c 或 y=c"));
        return std::nullopt;
    }
    return PlaneMap{vertical ? PlaneMap::Mirror::AboutVertical : PlaneMap::Mirror::AboutHorizontal,
                    *c, 0, 0};
}

void SelectionCommands::mirrorCommand() {
    if (!hasSelection()) {
        return;
    }
    if (const auto map = askMirror()) {
        apply([&](std::vector<SupportAtPoint>& /*supports*/) {
            return addMappedCopies(document, document.selectedMembers, {*map});
        });
    }
}

void SelectionCommands::arrayCommand() {
    if (!hasSelection()) {
        return;
    }
    const auto values =
        ask(QStringLiteral("阵列所选杆件: 请输入复制份数 n 和每份的移动量 dx, dy (m)"), 3);
    if (!values) {
        return;
    }
    const double copies = (*values)[0];
    if (copies < 1 || copies > kMaxMemberTotal || copies != std::floor(copies)) {
        platform.tell(QStringLiteral("复制份数应为正整数"));
        return;
    }
    apply([&](std::vector<SupportAtPoint>& /*supports*/) {
        return addMappedCopies(document, document.selectedMembers,
                               arrayMaps(static_cast<int>(copies), (*values)[1], (*values)[2]));
    });
}

void SelectionCommands::deleteCommand() {
    if (!hasSelection()) {
        return;
    }
    apply([&](std::vector<SupportAtPoint>& /*supports*/) {
        deleteMembers(document, document.selectedMembers);
        document.selectedMembers.clear();
        return SelectionEdit{};
    });
}
