// Member-end connections; see connection_commands.h.
#include "editor/connection_commands.h"

#include <cmath>

#include "canvas/canvas.h"
#include "canvas/still_lines.h"
#include "editor/editor_controls.h"
#include "editor/hint_line.h"
#include "editor/member_input.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ConnectionCommands::ConnectionCommands(const EditorContext& context, const MemberInput& memberInput)
    : EditorPart(context), memberInput(memberInput), capture_(document, canvas, memberInput) {}

std::vector<MenuRow> ConnectionCommands::menuRows() {
    using C = MenuCommand;
    return {{C::EndHinge, "杆端铰接", [this] { start(EditorMode::EndHinge); }},
            {C::HingedNode, "铰结点", [this] { start(EditorMode::HingedNode); }},
            {C::EndStiffness, "杆端转动刚度", [this] { start(EditorMode::EndStiffness); }}};
}

bool ConnectionCommands::running() const {
    return document.mode == EditorMode::EndHinge || document.mode == EditorMode::HingedNode ||
           document.mode == EditorMode::EndStiffness;
}

void ConnectionCommands::start(EditorMode mode) {
    startClicking({document, canvas, platform, controls}, memberInput, mode);
}

std::int16_t ConnectionCommands::recorded() const {
    return capture_.recorded();
}

bool ConnectionCommands::isHingedNode(std::int16_t node) const {
    return elementOr(hingedNodes(document, recorded()), static_cast<std::size_t>(node));
}

std::optional<float>& ConnectionCommands::connection(MemberEndRef ref) {
    return connectionOf(document.members[static_cast<std::size_t>(ref.member)], ref.end);
}

void ConnectionCommands::pointAt(float x, float y) {
    if (!running()) {
        return;
    }
    if (document.mode == EditorMode::HingedNode) {
        const std::int16_t node = capture_.nodeNear(x, y);
        capture_.mark(endsAtNode(document, recorded(), node));
        node > 0 ? controls.setHint(nodeHint(node)) : controls.showRestingHint();
        return;
    }
    const std::optional<MemberEndRef> end = capture_.endNear(x, y);
    capture_.mark(end ? std::vector{*end} : std::vector<MemberEndRef>{});
    end ? controls.setHint(endHint(*end)) : controls.showRestingHint();
}

// "捕捉到 3号杆件左端(节点 2), 刚接:  单击鼠标左键改为铰接".
QString ConnectionCommands::endHint(MemberEndRef ref) const {
    const gj& member = document.members[static_cast<std::size_t>(ref.member)];
    const std::optional<float>& now = connectionOf(member, ref.end);
    QString action;
    if (document.mode == EditorMode::EndStiffness) {
        action = QStringLiteral("单击鼠标左键输入转动刚度");
    } else {
        action = isHinge(now) ? QStringLiteral("单击鼠标左键改为刚接")
                              : QStringLiteral("单击鼠标左键改为铰接");
    }
    return QStringLiteral("捕捉到") + hintNumber(ref.member) + QStringLiteral("号杆件") +
           fromUtf8(endName(ref.end)) + QStringLiteral("(节点") +
           hintNumber(nodeOf(member, ref.end)) + QStringLiteral("), ") +
           fromUtf8(connectionName(now)) + QStringLiteral(":  ") + action;
}

// "捕捉到节点 2, 3个杆端:  单击鼠标左键改为铰结点".
QString ConnectionCommands::nodeHint(std::int16_t node) const {
    const auto ends = static_cast<int>(endsAtNode(document, recorded(), node).size());
    const QString action = isHingedNode(node) ? QStringLiteral("铰结点:  单击鼠标左键恢复刚接")
                                              : QStringLiteral("单击鼠标左键改为铰结点");
    return QStringLiteral("捕捉到节点") + hintNumber(node) + QStringLiteral(", ") +
           QString::number(ends) + QStringLiteral("个杆端:  ") + action;
}

void ConnectionCommands::press(float x, float y) {
    if (document.mode == EditorMode::HingedNode) {
        if (const std::int16_t node = capture_.nodeNear(x, y)) {
            toggleNode(node);
        }
    } else if (running()) {
        if (const std::optional<MemberEndRef> end = capture_.endNear(x, y)) {
            document.mode == EditorMode::EndHinge ? toggleHinge(*end) : askStiffness(*end);
        }
    }
    if (running()) {
        redraw();
        pointAt(x, y);  // the hint tells the connection as it is now
    }
}

// A hinge becomes rigid again; a rigid or semi-rigid end becomes a hinge.
void ConnectionCommands::toggleHinge(MemberEndRef ref) {
    std::optional<float>& now = connection(ref);
    now = isHinge(now) ? std::nullopt : std::optional<float>(0.0f);
}

void ConnectionCommands::toggleNode(std::int16_t node) {
    const std::optional<float> next =
        isHingedNode(node) ? std::nullopt : std::optional<float>(0.0f);
    for (const MemberEndRef& ref : endsAtNode(document, recorded(), node)) {
        connection(ref) = next;
    }
}

// An empty answer or Cancel keeps the connection; a value that is no
// number, negative or beyond the single range is refused with a message.
void ConnectionCommands::askStiffness(MemberEndRef ref) {
    std::optional<float>& now = connection(ref);
    const QString shown = now ? QString::fromStdString(orv::displayText(*now)) : QString();
    const QString answer = platform.inputBox(
        QStringLiteral("请输入") + hintNumber(ref.member) + QStringLiteral("号杆件") +
            fromUtf8(endName(ref.end)) + QStringLiteral("的转动刚度 k (kN·m/rad), 0为铰接"),
        QStringLiteral("杆端转动刚度"), shown);
    if (answer.trimmed().isEmpty()) {
        return;
    }
    const std::optional<double> value = orv::parseNumber(answer.trimmed().toStdString());
    const auto stiffness = static_cast<float>(value.value_or(-1));
    if (!value || !(*value >= 0) || !std::isfinite(stiffness)) {
        platform.tell(QStringLiteral("转动刚度应为零或正数"));
        return;
    }
    now = stiffness + 0.0f;  // -0 is a hinge written as 0
}

void ConnectionCommands::redraw() {
    drawConnectionMarks(canvas, document, recorded());
}
