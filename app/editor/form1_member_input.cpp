// Member input: the member total, the two points of each member (pressed,
// captured onto an existing end, or typed relative to the first point),
// the ortho switch, cancelling, and the completion of a member.
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <optional>

#include "dialogs/form3.h"
#include "dialogs/section_shapes.h"
#include "editor/canvas_view.h"
#include "editor/form1.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

constexpr double kCaptureDistance = 0.2;

// Rubber-band positions snap to a grid of 0.01: Int(v x 100 + 0.005) / 100,
// Int rounding toward minus infinity.
float snapped(float value) {
    return static_cast<float>(std::floor(static_cast<long double>(value) * 100 + 0.005L) / 100);
}

// The very first member's first point is cut to two decimals.
float cutToTwoDecimals(float value) {
    return static_cast<float>(std::trunc(double{value} * 100) / 100);
}

// A member total is a whole number of members that a member number can
// count; anything else (a negative total, a fraction, a word) is refused
// rather than read as some other number.
std::optional<std::int16_t> memberTotalOf(const QString& answer) {
    const auto value = orv::parseNumber(answer.trimmed().toStdString());
    if (!value || *value != std::floor(*value) || *value < 1 || *value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

QString boxText(float value) {
    return QString::fromStdString(orv::displayText(value));
}

}  // namespace

void Form1::杆件总数() {
    const QString answer =
        platform.inputBox(QStringLiteral("请输入杆件总数"),
                          QStringLiteral("注意:此总数在使用过程中不可更改"), QStringLiteral("1"));
    if (answer.isEmpty()) {
        return;  // cancelled
    }
    const auto total = memberTotalOf(answer);
    if (!total) {
        platform.tell(QStringLiteral("杆件总数应为1到32767之间的整数"));
        return;
    }
    document.memberTotal = *total;
    menuItem(MenuCommand::MemberTotal)->setEnabled(false);
    document.nodeCount = 0;
    document.membersEntered = 0;
    document.fixedSymbolCount = 0;
    enterMode(Mode::None);
    state.orthoMode = false;
    if (!document.crosshairOn) {
        switchCrosshair();
    }
    激活菜单();
    resizeMembers(document, *total);
    resizeNodes(document, 0);
}

void Form1::输入杆件() {
    canvas.clear();
    if (document.memberTotal == 0) {
        platform.tell(QStringLiteral("先输入杆件总数"));
        return;
    }
    if (document.membersEntered < document.memberTotal) {
        enterMode(Mode::MemberInput);
        Label6->setText(
            QStringLiteral("单击鼠标左键输入杆件端点,如果是输入杆件第二点,"
                           "也可在文本框中直接输入第二点的相对坐标,Enter确定."));
        Form3& dialog = form3();
        dialog.show();
        dialog.setEnabled(true);
        activateWindow();
        canvasView->setFocus();
    } else {
        activateWindow();
        canvasView->setFocus();
        platform.tell(QStringLiteral("杆件已全部输入完毕"));
        state.awaitingFirstPoint = false;
        state.memberInProgress = false;
    }
}

bool Form1::drawingMember() const {
    return !state.awaitingFirstPoint && document.memberInputMode && state.memberInProgress;
}

void Form1::firstPoint(float x, float y) {
    const std::int16_t n = ++document.membersEntered;
    state.awaitingFirstPoint = false;
    float x1 = x;
    float y1 = y;
    if (document.endCaptured) {
        x1 = document.capturedX;
        y1 = document.capturedY;
    } else if (n == 1) {
        x1 = cutToTwoDecimals(x);
        y1 = cutToTwoDecimals(y);
    }
    canvas.loadLine(kMemberLines, n, LineShape{x1, y1, x1, y1, kBlack, 2, true});
    canvas.setLineFloating({kMemberLines, n}, true);
    state.memberInProgress = true;
    // The member being drawn counts as entered but has no record yet: the
    // menus stay closed until it is completed or cancelled, also when an
    // Esc that cancelled the member before reopened them, so that no
    // command can end member input with it counted (saved with node 0, or
    // taken as drawn by the load and analysis commands).
    关闭菜单();
}

void Form1::setMemberEnd(std::int16_t n, float x2, float y2) {
    const LineShape& line = canvas.line(kMemberLines, n);
    canvas.moveLine({kMemberLines, n}, line.x1, line.y1, x2, y2);
}

void Form1::rubberBand(float x, float y) {
    const std::int16_t n = document.membersEntered;
    const LineShape& line = canvas.line(kMemberLines, n);
    const float x1 = line.x1;
    const float y1 = line.y1;
    if (state.orthoMode) {
        if (std::fabs(y - y1) < std::fabs(x - x1)) {
            setMemberEnd(n, snapped(x), y1);
            Text1->setText(boxText(x - x1));
            Text2->setText(QStringLiteral("0"));
        } else {
            setMemberEnd(n, x1, snapped(y));
            Text1->setText(QStringLiteral("0"));
            Text2->setText(boxText(y - y1));
        }
        return;
    }
    Text1->setText(boxText(x - x1));
    Text2->setText(boxText(y - y1));
    if (document.endCaptured) {
        setMemberEnd(n, document.capturedX, document.capturedY);
    } else {
        setMemberEnd(n, snapped(x), snapped(y));
    }
}

// The pressed second point is taken as it is, without snapping; in ortho
// mode only the coordinate along the member moves.
void Form1::secondPoint(float x, float y) {
    const std::int16_t n = document.membersEntered;
    const LineShape line = canvas.line(kMemberLines, n);
    if (document.endCaptured) {
        setMemberEnd(n, document.capturedX, document.capturedY);
    } else if (!state.orthoMode) {
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
void Form1::completeMember() {
    const std::int16_t n = document.membersEntered;
    state.awaitingFirstPoint = true;
    state.memberInProgress = false;
    Label6->setText(QString());
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
    }
}

// Member n, the last entered, goes again: its line is removed and it counts
// as not entered.
void Form1::dropLastMember(std::int16_t n) {
    canvas.unloadLine(kMemberLines, n);
    document.membersEntered = static_cast<std::int16_t>(n - 1);
}

bool Form1::FinishMember(std::int16_t k) {
    LineShape line = canvas.line(kMemberLines, k);
    const bool keep = line.x2 > line.x1 || (line.x2 == line.x1 && line.y1 >= line.y2);
    if (!keep) {
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
    const Form3& dialog = form3();
    member.断面 = dialog.sectionText();
    member.材料 = dialog.materialText();
    const auto dimensions = dialog.dimensions();
    member.尺寸.assign(dimensions.begin(), dimensions.end());
    member.x1 = line.x1;
    member.y1 = line.y1;
    member.x2 = line.x2;
    member.y2 = line.y2;
    return 节点自动编号();
}

void Form1::switchOrtho() {
    state.orthoMode = !state.orthoMode;
    const std::int16_t n = document.membersEntered;
    const LineShape& line = canvas.line(kMemberLines, n);
    const float x1 = line.x1;
    const float y1 = line.y1;
    const float x = state.cursorX;
    const float y = state.cursorY;
    if (!state.orthoMode) {
        Label6->setText(QStringLiteral("非正交方式,按F8正交"));
        setMemberEnd(n, x, y);
        Text1->setText(boxText(x - x1));
        Text2->setText(boxText(y - y1));
    } else {
        Label6->setText(QStringLiteral("正交方式,按F8取消正交"));
        if (std::fabs(x - x1) <= std::fabs(y - y1)) {
            setMemberEnd(n, x1, y);
            Text1->setText(QStringLiteral("0"));
            Text2->setText(boxText(y - y1));
        } else {
            setMemberEnd(n, x, y1);
            Text1->setText(boxText(x - x1));
            Text2->setText(QStringLiteral("0"));
        }
    }
}

// Esc in member input: cancels the member being drawn, or else leaves
// member input. False when member input is not running.
bool Form1::escapeMemberInput() {
    if (drawingMember()) {
        dropLastMember(document.membersEntered);
        state.awaitingFirstPoint = true;
        state.memberInProgress = false;
        Label6->setText(QStringLiteral("重新输入杆件"));
        激活菜单();
        return true;
    }
    if (!document.memberInputMode) {
        return false;
    }
    enterMode(Mode::None);
    Label6->setText(kIdleHint);
    激活菜单();
    return true;
}

// The first member end within the capture distance of the last mouse
// position, members by increasing number and each member's first end
// first; the member being drawn cannot be captured.
void Form1::捕捉端点() {
    int m = document.membersEntered;
    if (m < 1) {
        return;
    }
    if (state.memberInProgress && !state.awaitingFirstPoint) {
        --m;
        if (m == 0) {
            return;
        }
    }
    const double x = state.cursorX;
    const double y = state.cursorY;
    const auto distance = [&](float endX, float endY) {
        return std::sqrt((endX - x) * (endX - x) + (endY - y) * (endY - y));
    };
    for (int i = 1; i <= m; ++i) {
        const LineShape& line = canvas.line(kMemberLines, i);
        float endX = line.x1;
        float endY = line.y1;
        bool captured = distance(line.x1, line.y1) <= kCaptureDistance && document.crosshairOn;
        if (!captured && distance(line.x2, line.y2) <= kCaptureDistance && document.crosshairOn) {
            endX = line.x2;
            endY = line.y2;
            captured = true;
        }
        if (captured) {
            setCaptureBoxColour(kMarkColour);
            document.capturedX = endX;
            document.capturedY = endY;
            document.endCaptured = true;
            return;
        }
        setCaptureBoxColour(kBlack);
        document.endCaptured = false;
    }
}

void Form1::setCaptureBoxColour(ColourValue colour) {
    for (const LineGroup side : kCaptureBox) {
        canvas.setLineColour({side}, colour);
    }
}

bool Form1::coordinateBoxKeyPress(int character) const {
    if (state.awaitingFirstPoint) {
        return false;
    }
    return character == keys::Backspace || character == keys::Enter ||
           (character >= 44 && character <= 57);
}

// Any key released in a coordinate box moves the second end to the typed
// offsets; Enter completes the member. An offset that would put the end
// beyond the single range is refused as a whole, with a beep: the end stays
// where it was and Enter does not complete the member.
void Form1::coordinateBoxKeyUp(int key) {
    if (!drawingMember() || document.membersEntered > document.memberTotal) {
        return;
    }
    const std::int16_t n = document.membersEntered;
    const LineShape& line = canvas.line(kMemberLines, n);
    const float dx = static_cast<float>(orv::leadingNumber(Text1->text().toStdString()));
    const float dy = static_cast<float>(orv::leadingNumber(Text2->text().toStdString()));
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
