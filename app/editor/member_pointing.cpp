// Working on drawn members by pointing at them: the hover test that marks
// the member under the mouse red with its local-axis tick and a hint, the
// member query, member deletion with Del, and the colour displays that
// show which members share a material, a section shape or dimensions.
#include "editor/member_pointing.h"

#include <cmath>
#include <functional>

#include "canvas/canvas.h"
#include "dialogs/form3.h"
#include "document/member_selection.h"
#include "document/node_numbering.h"
#include "editor/editor_controls.h"
#include "editor/hint_line.h"
#include "editor/member_numbers.h"
#include "text/number_text.h"

namespace {

constexpr double kHoverDistance = 0.5;  // from the member's midpoint
constexpr double kTickLength = 0.5;
constexpr ColourValue kTickColour = 8;  // red 8: practically black

QString lengthText(const gj& member) {
    return QString::fromStdString(orv::formatFixed(member.leng(), 3));
}

}  // namespace

MemberPointing::MemberPointing(const EditorContext& context) : EditorPart(context) {}

std::vector<MenuRow> MemberPointing::menuRows() {
    using C = MenuCommand;
    return {{C::MemberDelete, "删除杆件", [this] { deleteCommand(); }},
            {C::MemberQuery, "杆件查询修改", [this] { queryCommand(); }},
            {C::ColourByMaterial, "不同材料分色显示", [this] { colourByMaterial(); }},
            {C::ColourBySize, "不同尺寸分色显示", [this] { colourBySize(); }},
            {C::ColourBySection, "不同断面分色显示", [this] { colourBySection(); }},
            {C::ShowNumbers, "查看杆件节点编号",
             [this] { 杆件号节点号显示(document, canvas, controls); }}};
}

// The tick of the member under the mouse, hidden until the hover test
// shows it.
void MemberPointing::reset(ResetReason reason) {
    if (reason == ResetReason::StartUp) {
        canvas.loadLine(kMemberLines, 0, LineShape{0, 0, 0, 0, kBlack, 2, false});
    }
}

// The member the dialogs act on: the highest-numbered member whose line
// carries the mark; 0 for none.
std::int16_t MemberPointing::markedMember() const {
    for (int i = document.membersEntered; i >= 1; --i) {
        if (canvas.line(kMemberLines, i).colour == kMarkColour) {
            return static_cast<std::int16_t>(i);
        }
    }
    return 0;
}

// No member marked or hovered and no tick: what Esc, a mode change and a
// deletion leave, so that no command acts on a member the mouse has left.
void MemberPointing::clearMark() {
    resetColours();
    document.hoveredMember = 0;
    canvas.setLineVisible({kMemberLines, 0}, false);
}

void MemberPointing::resetColours() {
    if (document.membersEntered < 1 || document.membersEntered > document.memberTotal) {
        return;
    }
    // Selected members keep their colour of their own whatever is marked.
    for (int i = 1; i <= document.membersEntered; ++i) {
        const bool selected = isSelected(document.selectedMembers, static_cast<std::int16_t>(i));
        canvas.setLineColour({kMemberLines, i}, selected ? kSelectionColour : kBlack);
    }
}

// The first member, by number, whose line's midpoint lies within the hover
// distance of the last mouse position; 0 for none.
std::int16_t MemberPointing::memberNear(float x, float y) const {
    for (int i = 1; i <= document.membersEntered; ++i) {
        const LineShape& line = canvas.line(kMemberLines, i);
        const auto midX = static_cast<float>((double{line.x2} + line.x1) / 2);
        const auto midY = static_cast<float>((double{line.y2} + line.y1) / 2);
        const double dx = double{x} - midX;
        const double dy = double{midY} - y;
        if (std::sqrt(dx * dx + dy * dy) < kHoverDistance) {
            return static_cast<std::int16_t>(i);
        }
    }
    return 0;
}

// One pass per mouse move: every member black but the one under the mouse,
// which turns red with its tick and hint. A picked member stays marked
// whatever the mouse does.
std::int16_t MemberPointing::hoverAt(float x, float y) {
    if (document.membersEntered < 1 || !hovering_ || document.memberPicked) {
        return 0;
    }
    const std::int16_t hit = memberNear(x, y);
    resetColours();
    if (hit == 0) {
        controls.setHint(QString());
        return 0;
    }
    controls.keyboardToCanvas();
    canvas.setLineColour({kMemberLines, hit}, kMarkColour);
    drawTick(hit);
    showHoverHint(hit);
    return hit;
}

void MemberPointing::showHoverHint(std::int16_t n) {
    const gj& member = document.members[static_cast<std::size_t>(n)];
    const bool deleting = document.mode == EditorMode::MemberDeletion;
    const bool querying = document.mode == EditorMode::MemberQuery;
    QString hint;
    if (deleting && !querying) {
        hint = QStringLiteral("捕捉到") + hintNumber(n) + QStringLiteral("号杆件:   Del删除杆件");
    } else if (querying && !deleting) {
        controls.form3().ShowMemberProperties(n);
        hint = hintNumber(n) + QStringLiteral("号杆长=") + lengthText(member) +
               QStringLiteral(":  左号") + hintNumber(member.左号) + QStringLiteral(",右号") +
               hintNumber(member.右号) +
               QStringLiteral(
                   ":  移动鼠标查询,鼠标右键选中该杆件,然后修改;"
                   "黑短线表示局部坐标的正Y方向.");
    } else if (!deleting && !querying && document.mode == EditorMode::LoadInput) {
        hint = hintNumber(n) + QStringLiteral("号") + lengthText(member) +
               QStringLiteral(": F12键将荷载赋予该杆件;黑短线表示局部坐标的正Y方向.");
    } else if (!deleting && !querying && document.mode == EditorMode::LoadQuery) {
        hint = hintNumber(n) + QStringLiteral("号杆长=") + lengthText(member) +
               QStringLiteral(":  移动鼠标,右键选中该杆件,然后查询修改");
    }
    controls.setHint(hint);
}

// A tick of half a unit at the member's midpoint along its local +y axis
// (down the canvas for a member drawn left to right).
void MemberPointing::drawTick(std::int16_t i) {
    const LineId tick{kMemberLines, 0};
    canvas.setLineVisible(tick, hovering_);
    canvas.setLineColour(tick, kTickColour);
    const gj& member = document.members[static_cast<std::size_t>(i)];
    const auto x = static_cast<float>((double{member.x1} + member.x2) / 2);
    const auto y = static_cast<float>((double{member.y1} + member.y2) / 2);
    const double angle = member.夹角();
    canvas.moveLine(tick, x, y, static_cast<float>(x - std::sin(angle) * kTickLength),
                    static_cast<float>(y + std::cos(angle) * kTickLength));
}

void MemberPointing::deleteCommand() {
    if (document.memberTotal == 0) {
        return;
    }
    canvas.clear();
    if (document.membersEntered > 0) {
        controls.enterMode(EditorMode::MemberDeletion);
    }
}

// Del over a member in deletion mode: the last member takes the deleted
// member's number and the total goes down by one. The member takes only
// its own supports with it: every other support stays on its node, found
// by its coordinates after the nodes are numbered again; a support goes
// only when no remaining member reaches its node. (Dropping every support
// of the frame on each deletion lost the user's work without a word.)
void MemberPointing::deleteHovered() {
    const std::int16_t n = document.membersEntered;
    const std::int16_t k = document.hoveredMember;
    if (n < 1 || k < 1 || k > n) {
        return;
    }
    const std::vector<SupportAtPoint> kept = supportsAtPoints(document);
    CopyMember(document, static_cast<std::size_t>(k), static_cast<std::size_t>(n));
    forgetDeletedMember(document.selectedMembers, k, n);
    const gj& moved = document.members[static_cast<std::size_t>(k)];
    canvas.moveLine({kMemberLines, k}, moved.x1, moved.y1, moved.x2, moved.y2);
    resetColours();
    canvas.unloadLine(kMemberLines, n);
    document.members[static_cast<std::size_t>(n)] = gj{};
    document.membersEntered = static_cast<std::int16_t>(n - 1);
    // The total goes down with the member: a complete drawing stays
    // complete and can be computed at once.
    (void)setMemberTotal(document, static_cast<std::int16_t>(document.memberTotal - 1));
    // The member under the mouse is gone: until a move finds one, no member
    // is hovered, so a second Del cannot reach the member moved into its
    // number far from the pointer.
    clearMark();
    // The moved member keeps its record's node numbers only if the nodes
    // are numbered again; without that the analysis would join it to the
    // deleted member's nodes.
    (void)controls.节点自动编号(kept);
    controls.showRestingHint();  // the hint named the member that went
    if (document.membersEntered < 1) {
        controls.激活菜单();
    }
}

void MemberPointing::queryCommand() {
    if (document.memberTotal == 0) {
        return;
    }
    canvas.clear();
    Form3& dialog = controls.form3();
    dialog.FillMemberPropertyLists();
    if (document.membersEntered >= 1 && document.membersEntered <= document.memberTotal) {
        controls.enterMode(EditorMode::MemberQuery);
        dialog.show();
        dialog.setEnabled(true);
    }
}

// A right press in member or load query freezes the member under the
// mouse: the dialogs then write to it.
void MemberPointing::pick() {
    if (document.mode == EditorMode::MemberQuery || document.mode == EditorMode::LoadQuery) {
        document.memberPicked = true;
    }
}

// Members with equal keys share the colour of the lowest-numbered member
// among them; member 1 keeps its colour, member i >= 2 starts from
// (i + 1) x 172016 + 255, a colour with red in the low byte.
void MemberPointing::colourMembersBy(const std::function<bool(const gj&, const gj&)>& sameKey) {
    if (document.memberTotal == 0) {
        return;
    }
    canvas.clear();
    const int n = document.membersEntered;
    if (n == 0) {
        return;
    }
    controls.enterMode(EditorMode::None);
    const auto k = static_cast<std::int64_t>(std::sqrt(std::pow(3093.0, 3)));
    std::vector<ColourValue> colours(static_cast<std::size_t>(n) + 1);
    colours[1] = canvas.line(kMemberLines, 1).colour;
    for (int i = 2; i <= n; ++i) {
        // Beyond member 96 the value outgrows 24 bits; it wraps there and
        // never becomes pure red, the mark of the member commands act on.
        const auto value = static_cast<ColourValue>(((i + 1) * k + 255) % (1 << 24));
        colours[static_cast<std::size_t>(i)] = value == kMarkColour ? kMarkColour - 1 : value;
    }
    const auto member = [this](int i) -> const gj& {
        return document.members[static_cast<std::size_t>(i)];
    };
    for (int i = 1; i <= n; ++i) {
        int first = 1;
        while (first < i && !sameKey(member(first), member(i))) {
            ++first;
        }
        canvas.setLineColour({kMemberLines, i}, colours[static_cast<std::size_t>(first)]);
    }
}

void MemberPointing::colourByMaterial() {
    colourMembersBy([](const gj& a, const gj& b) { return a.材料 == b.材料; });
}

void MemberPointing::colourBySize() {
    colourMembersBy([](const gj& a, const gj& b) {
        for (std::size_t slot = 0; slot < 5; ++slot) {
            if (elementOr(a.尺寸, slot) != elementOr(b.尺寸, slot)) {
                return false;
            }
        }
        return true;
    });
}

void MemberPointing::colourBySection() {
    colourMembersBy([](const gj& a, const gj& b) { return a.断面 == b.断面; });
}
