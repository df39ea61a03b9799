// Member input; see member_input.h.
#include "editor/member_input.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/canvas.h"
#include "dialogs/form3.h"
#include "dialogs/section_shapes.h"
#include "document/node_move.h"
#include "editor/editor_controls.h"
#include "editor/key_codes.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

// Rubber-band positions snap to a grid of 0.01: Int(v x 100 + 0.005) / 100,
// Int rounding toward minus infinity.
float snapped(float value) {
    return static_cast<float>(std::floor(static_cast<long double>(value) * 100 + 0.005L) / 100);
}

// The very first member's first point is cut to two decimals.
float cutToTwoDecimals(float value) {
    return static_cast<float>(std::trunc(double{value} * 100) / 100);
}

QString boxText(float value) {
    return QString::fromStdString(orv::displayText(value));
}

}  // namespace

MemberInput::MemberInput(const EditorContext& context) : EditorPart(context) {}

std::vector<MenuRow> MemberInput::menuRows() {
    return {{MenuCommand::MemberInput, "输入杆件", [this] { inputCommand(); }}};
}

void MemberInput::reset(ResetReason /*reason*/) {
    modeEntered(false);
    orthoMode_ = false;
}

void MemberInput::modeEntered(bool ownMode) {
    awaitingFirstPoint_ = ownMode;
    memberInProgress_ = false;
    typingFirstPoint_ = false;
}

void MemberInput::inputCommand() {
    canvas.clear();
    if (document.memberTotal == 0) {
        platform.tell(QStringLiteral("先输入杆件总数"));
        return;
    }
    // Drawing goes on when every member is drawn: a member completed
    // beyond the total raises it (completeMember), so a deleted member can
    // simply be drawn again. Only the number range ends it.
    if (document.membersEntered < kMaxMemberTotal) {
        controls.enterMode(EditorMode::MemberInput);
        controls.setHint(QString::fromUtf8(kMemberInputHint));
        Form3& dialog = controls.form3();
        dialog.show();
        dialog.setEnabled(true);
        controls.keyboardToEditor();
    } else {
        controls.keyboardToEditor();
        platform.tell(QStringLiteral("杆件已全部输入完毕"));
        modeEntered(false);
    }
}

bool MemberInput::drawing() const {
    return !awaitingFirstPoint_ && document.mode == EditorMode::MemberInput && memberInProgress_;
}

bool MemberInput::takesFirstPoint() const {
    return awaitingFirstPoint_ && !memberInProgress_ && document.membersEntered < kMaxMemberTotal;
}

void MemberInput::press(float x, float y) {
    if (takesFirstPoint()) {
        typingFirstPoint_ = false;
        firstPoint(x, y);
    } else if (!awaitingFirstPoint_ && memberInProgress_) {
        secondPoint(x, y);
    }
}

void MemberInput::firstPoint(float x, float y) {
    float x1 = x;
    float y1 = y;
    if (document.endCaptured) {
        x1 = document.capturedX;
        y1 = document.capturedY;
    } else if (document.membersEntered == 0) {
        x1 = cutToTwoDecimals(x);
        y1 = cutToTwoDecimals(y);
    }
    startMember(x1, y1);
}

void MemberInput::startMember(float x1, float y1) {
    const std::int16_t n = ++document.membersEntered;
    awaitingFirstPoint_ = false;
    canvas.loadLine(kMemberLines, n, LineShape{x1, y1, x1, y1, kBlack, 2, true});
    canvas.setLineFloating({kMemberLines, n}, true);
    memberInProgress_ = true;
    // The member being drawn counts as entered but has no record yet: the
    // menus stay closed until it is completed or cancelled, also when an
    // Esc that cancelled the member before reopened them, so that no
    // command can end member input with it counted (saved with node 0, or
    // taken as drawn by the load and analysis commands).
    controls.关闭菜单();
}

void MemberInput::setMemberEnd(std::int16_t n, float x2, float y2) {
    const LineShape& line = canvas.line(kMemberLines, n);
    canvas.moveLine({kMemberLines, n}, line.x1, line.y1, x2, y2);
}

void MemberInput::rubberBand(float x, float y) {
    const std::int16_t n = document.membersEntered;
    const LineShape& line = canvas.line(kMemberLines, n);
    const float x1 = line.x1;
    const float y1 = line.y1;
    if (orthoMode_) {
        if (std::fabs(y - y1) < std::fabs(x - x1)) {
            setMemberEnd(n, snapped(x), y1);
            controls.setBoxTexts(boxText(x - x1), QStringLiteral("0"));
        } else {
            setMemberEnd(n, x1, snapped(y));
            controls.setBoxTexts(QStringLiteral("0"), boxText(y - y1));
        }
        return;
    }
    if (document.endCaptured) {
        // The boxes show where the second end goes: the captured end or
        // grid point, not the pointer beside it.
        controls.setBoxTexts(boxText(document.capturedX - x1), boxText(document.capturedY - y1));
        setMemberEnd(n, document.capturedX, document.capturedY);
    } else {
        controls.setBoxTexts(boxText(x - x1), boxText(y - y1));
        setMemberEnd(n, snapped(x), snapped(y));
    }
}

// The pressed second point is taken as it is, without snapping; in ortho
// mode only the coordinate along the member moves.
void MemberInput::secondPoint(float x, float y) {
    const std::int16_t n = document.membersEntered;
    const LineShape line = canvas.line(kMemberLines, n);
    if (document.endCaptured) {
        setMemberEnd(n, document.capturedX, document.capturedY);
    } else if (!orthoMode_) {
        setMemberEnd(n, x, y);
    } else if (std::fabs(y - line.y1) < std::fabs(x - line.x1)) {
        setMemberEnd(n, x, line.y2);
    } else {
        setMemberEnd(n, line.x2, y);
    }
    completeMember();
}

// Ends the drawing of the member being drawn, whether its second point was
// pressed or typed: the member is completed, and removed again when its
// section dimensions fail the check.
void MemberInput::completeMember() {
    const std::int16_t n = document.membersEntered;
    awaitingFirstPoint_ = true;
    memberInProgress_ = false;
    controls.setHint(QString());
    const gj before = elementOr(document.members, static_cast<std::size_t>(n));
    if (!FinishMember(n)) {
        // The document goes back to how it was before this member.
        platform.tell(QStringLiteral("节点总数不能超过32767个,此杆件不能输入"));
        document.members[static_cast<std::size_t>(n)] = before;
        dropLastMember(n);
    } else if (const gj& member = document.members[static_cast<std::size_t>(n)];
               !dimensionsArePositive(member.断面, member.尺寸)) {
        platform.tell(QStringLiteral("断面尺寸必须大于0,此杆件不能输入"));
        dropLastMember(n);
    } else if (!member.尺寸xh()) {
        platform.tell(QStringLiteral("断面尺寸校核发现错误"));
        dropLastMember(n);
    } else if (n > document.memberTotal) {
        (void)setMemberTotal(document, n);  // drawn beyond the total: it follows
    }
}

// Member n, the last entered, goes again: its line is removed and it counts
// as not entered. A member drawn beyond the total leaves no slot behind.
void MemberInput::dropLastMember(std::int16_t n) {
    canvas.unloadLine(kMemberLines, n);
    document.membersEntered = static_cast<std::int16_t>(n - 1);
    document.members.resize(
        std::min(document.members.size(), static_cast<std::size_t>(document.memberTotal) + 1));
}

bool MemberInput::FinishMember(std::int16_t k) {
    LineShape line = canvas.line(kMemberLines, k);
    if (!runsInDrawingOrder(line.x1, line.y1, line.x2, line.y2)) {
        canvas.moveLine({kMemberLines, k}, line.x2, line.y2, line.x1, line.y1);
        line = canvas.line(kMemberLines, k);
    }
    canvas.setLineFloating({kMemberLines, k}, false);
    if (static_cast<std::size_t>(k) >= document.members.size()) {
        document.members.resize(static_cast<std::size_t>(k) + 1);
    }
    // A member starts without loads: its slot may hold the record of a
    // member deleted before, whose loads would otherwise ride along unseen.
    gj& member = document.members[static_cast<std::size_t>(k)];
    member = gj{};
    const Form3& dialog = controls.form3();
    member.断面 = dialog.sectionText();
    member.材料 = dialog.materialText();
    const auto dimensions = dialog.dimensions();
    member.尺寸.assign(dimensions.begin(), dimensions.end());
    member.x1 = line.x1;
    member.y1 = line.y1;
    member.x2 = line.x2;
    member.y2 = line.y2;
    return controls.节点自动编号(supportsAtPoints(document));
}

void MemberInput::switchOrtho(float x, float y) {
    orthoMode_ = !orthoMode_;
    const std::int16_t n = document.membersEntered;
    const LineShape& line = canvas.line(kMemberLines, n);
    const float x1 = line.x1;
    const float y1 = line.y1;
    if (!orthoMode_) {
        controls.setHint(QStringLiteral("非正交方式,按F8正交"));
        setMemberEnd(n, x, y);
        controls.setBoxTexts(boxText(x - x1), boxText(y - y1));
    } else {
        controls.setHint(QStringLiteral("正交方式,按F8取消正交"));
        if (std::fabs(x - x1) <= std::fabs(y - y1)) {
            setMemberEnd(n, x1, y);
            controls.setBoxTexts(QStringLiteral("0"), boxText(y - y1));
        } else {
            setMemberEnd(n, x, y1);
            controls.setBoxTexts(boxText(x - x1), QStringLiteral("0"));
        }
    }
}

// Esc in member input: cancels the member being drawn, or else leaves
// member input. False when member input is not running.
bool MemberInput::escapeMemberInput() {
    if (drawing()) {
        abandonDrawing();
        controls.setHint(QStringLiteral("重新输入杆件"));
        controls.激活菜单();
        return true;
    }
    if (document.mode != EditorMode::MemberInput) {
        return false;
    }
    controls.enterMode(EditorMode::None);
    controls.setHint(kIdleHint);
    controls.激活菜单();
    return true;
}

void MemberInput::abandonDrawing() {
    if (!drawing()) {
        return;
    }
    dropLastMember(document.membersEntered);
    awaitingFirstPoint_ = true;
    memberInProgress_ = false;
}

// The first member end within the capture distance of the last mouse
// position, members by increasing number and each member's first end
// first; the member being drawn cannot be captured. Without an end there,
// the grid point inside the capture box is captured where the grid snaps.
void MemberInput::capture(float cursorX, float cursorY) {
    const bool searchedEnds = captureEnd(cursorX, cursorY);
    if (document.endCaptured && searchedEnds) {
        return;
    }
    const auto gridPoint = gridPointNear ? gridPointNear(cursorX, cursorY) : std::nullopt;
    if (gridPoint) {
        captureAt(gridPoint->first, gridPoint->second);
    } else if (!searchedEnds) {
        // No end to search: a grid point captured before must not stay
        // captured where no grid point is near.
        setCaptureBoxColour(kBlack);
        document.endCaptured = false;
    }
}

// Whether there were ends to search; the capture is then what was found.
bool MemberInput::captureEnd(float cursorX, float cursorY) {
    int m = document.membersEntered;
    if (memberInProgress_ && !awaitingFirstPoint_) {
        --m;
    }
    if (m < 1) {
        return false;
    }
    const double x = cursorX;
    const double y = cursorY;
    const auto distance = [&](float endX, float endY) {
        return std::sqrt((endX - x) * (endX - x) + (endY - y) * (endY - y));
    };
    for (int i = 1; i <= m; ++i) {
        const LineShape& line = canvas.line(kMemberLines, i);
        if (distance(line.x1, line.y1) <= kCaptureDistance && document.crosshairOn) {
            captureAt(line.x1, line.y1);
            return true;
        }
        if (distance(line.x2, line.y2) <= kCaptureDistance && document.crosshairOn) {
            captureAt(line.x2, line.y2);
            return true;
        }
        setCaptureBoxColour(kBlack);
        document.endCaptured = false;
    }
    return true;
}

void MemberInput::captureAt(float x, float y) {
    setCaptureBoxColour(kMarkColour);
    document.capturedX = x;
    document.capturedY = y;
    document.endCaptured = true;
}

void MemberInput::setCaptureBoxColour(ColourValue colour) {
    for (const LineGroup side : kCaptureBox) {
        canvas.setLineColour({side}, colour);
    }
}

bool MemberInput::boxKeepsCharacter(int character) const {
    if (awaitingFirstPoint_ && !takesFirstPoint()) {
        return false;
    }
    return character == keys::Backspace || character == keys::Enter ||
           (character >= 44 && character <= 57);
}

// Waiting for a first point, the boxes take its world coordinates as
// typed (exactly: no capture, no cutting to two decimals); Enter places it
// there, and the pointer's position shows in the boxes again. Enter before
// anything was typed changes nothing. Coordinates
// beyond the single range are refused with a beep.
void MemberInput::typeFirstPoint(int key) {
    if (key != keys::Enter) {
        typingFirstPoint_ = true;
        return;
    }
    if (!typingFirstPoint_) {
        return;  // nothing typed: the boxes show the pointer, not a point
    }
    const auto [textX, textY] = controls.boxTexts();
    const double x = orv::leadingNumber(textX.toStdString());
    const double y = orv::leadingNumber(textY.toStdString());
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (!(std::fabs(x) <= kLargest) || !(std::fabs(y) <= kLargest)) {
        platform.beep();
        return;
    }
    typingFirstPoint_ = false;
    startMember(static_cast<float>(x), static_cast<float>(y));
    controls.setBoxTexts(QStringLiteral("0"), QStringLiteral("0"));
}

// Any key released in a coordinate box moves the second end to the typed
// offsets; Enter completes the member. An offset that would put the end
// beyond the single range is refused as a whole, with a beep: the end stays
// where it was and Enter does not complete the member.
void MemberInput::boxKeyUp(int key) {
    if (takesFirstPoint()) {
        typeFirstPoint(key);
        return;
    }
    if (!drawing()) {
        return;
    }
    const std::int16_t n = document.membersEntered;
    const LineShape& line = canvas.line(kMemberLines, n);
    const auto [textX, textY] = controls.boxTexts();
    const float dx = static_cast<float>(orv::leadingNumber(textX.toStdString()));
    const float dy = static_cast<float>(orv::leadingNumber(textY.toStdString()));
    const float x2 = line.x1 + dx;
    const float y2 = line.y1 + dy;
    if (!std::isfinite(x2) || !std::isfinite(y2)) {
        platform.beep();
        return;
    }
    setMemberEnd(n, x2, y2);
    if (key == keys::Enter) {
        completeMember();
    }
}
