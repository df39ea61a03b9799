// Springs, turned support axes, settlements and temperature changes; see
// support_effect_commands.h.
#include "editor/support_effect_commands.h"

#include <QStringList>
#include <cmath>
#include <utility>

#include "canvas/canvas.h"
#include "canvas/still_lines.h"
#include "document/load_cases.h"
#include "editor/editor_controls.h"
#include "editor/end_capture.h"
#include "editor/hint_line.h"
#include "editor/load_drawing.h"
#include "editor/number_questions.h"
#include "model/supports.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

bool hasSupportKind(const Document& document, std::int16_t node) {
    return elementOr(document.supportKinds, static_cast<std::size_t>(node)) != SupportNone;
}

// The name of the node's support kind, "双铰"; empty for none.
QString kindName(const Document& document, std::int16_t node) {
    const std::int16_t code = elementOr(document.supportKinds, static_cast<std::size_t>(node));
    for (const orv::SupportKindInfo& info : orv::kSupportKinds) {
        if (info.code == code) {
            return QString::fromUtf8(info.menuName.data(),
                                     static_cast<qsizetype>(info.menuName.size()));
        }
    }
    return {};
}

// The names of a settlement's three values, as the prompt asks for them.
constexpr std::array<const char*, 3> kSettlementNames{"dx (m)", "dy (m)", "转角 (rad)"};

}  // namespace

SupportEffectCommands::SupportEffectCommands(const EditorContext& context, EndCapture& capture,
                                             LoadDrawing& loadDrawing)
    : EditorPart(context), capture(capture), loadDrawing(loadDrawing) {}

std::vector<MenuRow> SupportEffectCommands::menuRows() {
    using C = MenuCommand;
    return {{C::ElasticSupport, "弹性支座", [this] { start(EditorMode::ElasticSupport); }},
            {C::InclinedSupport, "斜支座", [this] { start(EditorMode::InclinedSupport); }},
            {C::Settlement, "支座位移", [this] { start(EditorMode::Settlement); }},
            {C::TemperatureChange, "温度改变", [this] { start(EditorMode::TemperatureChange); }}};
}

bool SupportEffectCommands::nodeMode() const {
    return document.mode == EditorMode::ElasticSupport ||
           document.mode == EditorMode::InclinedSupport || document.mode == EditorMode::Settlement;
}

bool SupportEffectCommands::running() const {
    return nodeMode() || document.mode == EditorMode::TemperatureChange;
}

void SupportEffectCommands::start(EditorMode mode) {
    startClicking({document, canvas, platform, controls}, capture.memberInput(), mode);
}

void SupportEffectCommands::pointAt(float x, float y) {
    if (document.mode == EditorMode::TemperatureChange) {
        // The hover test marked the member and drew its tick.
        if (document.hoveredMember > 0) {
            controls.setHint(memberHint(document.hoveredMember));
        } else {
            controls.showRestingHint();
        }
        return;
    }
    if (!nodeMode()) {
        return;
    }
    const std::int16_t node = capture.nodeNear(x, y);
    capture.mark(endsAtNode(document, capture.recorded(), node));
    node > 0 ? controls.setHint(nodeHint(node)) : controls.showRestingHint();
}

// "捕捉到节点 2 (双铰), kx=0 ky=5000 kr=0:  单击鼠标左键输入弹簧刚度".
QString SupportEffectCommands::nodeHint(std::int16_t node) const {
    const SupportExtras extras = elementOr(document.supportExtras, static_cast<std::size_t>(node));
    const QString kind = kindName(document, node);
    QString hint = QStringLiteral("捕捉到节点") + hintNumber(node) +
                   (kind.isEmpty() ? QString() : QStringLiteral(" (") + kind + u')');
    if (document.mode == EditorMode::ElasticSupport) {
        return hint + QStringLiteral(", kx=") + numberText(extras.springs[0]) +
               QStringLiteral(" ky=") + numberText(extras.springs[1]) + QStringLiteral(" kr=") +
               numberText(extras.springs[2]) + QStringLiteral(":  单击鼠标左键输入弹簧刚度");
    }
    if (document.mode == EditorMode::InclinedSupport) {
        return hint + QStringLiteral(", 倾角 ") + numberText(extras.angle) +
               QStringLiteral("°:  单击鼠标左键输入倾角(由+X转向+Y为正,即屏幕上顺时针)");
    }
    const Settlement settlement = settlementIn(extras, document.currentLoadCase);
    return hint + QStringLiteral(", 位移 ") +
           listText({settlement[0], settlement[1], settlement[2]}) +
           QStringLiteral(":  单击鼠标左键输入支座位移");
}

// "3号杆件 t1=0 t2=20 °C:  单击鼠标左键输入温度改变, ...".
QString SupportEffectCommands::memberHint(std::int16_t member) const {
    const ConstMemberLoads record =
        loadsIn(std::as_const(document.members[static_cast<std::size_t>(member)]),
                document.currentLoadCase);
    return hintNumber(member) + QStringLiteral("号杆件 t1=") + numberText(record.温度改变1) +
           QStringLiteral(" t2=") + numberText(record.温度改变2) +
           QStringLiteral(
               " °C:  单击鼠标左键输入温度改变; t1在无黑短线一侧(局部-y), "
               "t2在黑短线一侧(局部+y)");
}

void SupportEffectCommands::press(float x, float y) {
    if (document.mode == EditorMode::TemperatureChange) {
        if (document.hoveredMember > 0) {
            askTemperature(document.hoveredMember);
        }
    } else if (nodeMode()) {
        if (const std::int16_t node = capture.nodeNear(x, y)) {
            if (document.mode == EditorMode::ElasticSupport) {
                askSprings(node);
            } else if (document.mode == EditorMode::InclinedSupport) {
                askAngle(node);
            } else {
                askSettlement(node);
            }
        }
    }
    if (running()) {
        redraw();
        pointAt(x, y);  // the hint tells the values as they are now
    }
}

// Springs act along the node's support axes and in rotation; all three 0
// remove them.
void SupportEffectCommands::askSprings(std::int16_t node) {
    SupportExtras& extras = document.supportExtras[static_cast<std::size_t>(node)];
    const auto values = askNumbers(
        platform,
        QStringLiteral("请输入节点") + hintNumber(node) +
            QStringLiteral("的弹簧刚度 kx, ky (kN/m) 和 kr (kN·m/rad), 沿支座的 x, y "
                           "轴和转动方向, 用逗号分开; 全为0则去掉弹簧"),
        QStringLiteral("弹性支座"), {extras.springs[0], extras.springs[1], extras.springs[2]}, 3);
    if (!values) {
        return;
    }
    for (const double value : *values) {
        if (!(value >= 0)) {
            platform.tell(QStringLiteral("弹簧刚度应为零或正数"));
            return;
        }
    }
    for (std::size_t k = 0; k < 3; ++k) {
        extras.springs[k] = static_cast<float>((*values)[k]) + 0.0f;  // no -0
    }
}

// The turn is measured from +X towards +Y, the sense of the rotation
// freedom: clockwise on the screen, where +Y points down.
void SupportEffectCommands::askAngle(std::int16_t node) {
    SupportExtras& extras = document.supportExtras[static_cast<std::size_t>(node)];
    if (!hasSupportKind(document, node) && extras.springs == std::array<float, 3>{}) {
        platform.tell(QStringLiteral("节点") + hintNumber(node) + QStringLiteral("没有支座"));
        return;
    }
    const auto values = askNumbers(
        platform,
        QStringLiteral("请输入节点") + hintNumber(node) +
            QStringLiteral("支座的倾角 a (度): 支座的 x 轴由+X转向+Y为正, 即屏幕上顺时针 "
                           "(+Y向下); -180 < a ≤ 180"),
        QStringLiteral("斜支座"), {extras.angle}, 1);
    if (!values) {
        return;
    }
    const double angle = values->front();
    if (!(angle > -180 && angle <= 180)) {
        platform.tell(QStringLiteral("倾角应满足 -180 < a ≤ 180"));
        return;
    }
    extras.angle = static_cast<float>(angle) + 0.0f;
}

// Only the freedoms the support kind restrains may move: the prompt asks
// for those, the others stay 0.
void SupportEffectCommands::askSettlement(std::int16_t node) {
    if (!hasSupportKind(document, node)) {
        platform.tell(QStringLiteral("节点") + hintNumber(node) + QStringLiteral("没有支座"));
        return;
    }
    SupportExtras& extras = document.supportExtras[static_cast<std::size_t>(node)];
    const std::array<bool, 3> restrained =
        orv::restrainedFreedoms(elementOr(document.supportKinds, static_cast<std::size_t>(node)));
    QStringList names;
    std::vector<float> shown;
    for (std::size_t k = 0; k < 3; ++k) {
        if (restrained[k]) {
            names << QString::fromUtf8(kSettlementNames[k]);
            shown.push_back(settlementIn(std::as_const(extras), document.currentLoadCase)[k]);
        }
    }
    const auto values =
        askNumbers(platform,
                   QStringLiteral("请输入节点") + hintNumber(node) + QStringLiteral(" (") +
                       kindName(document, node) + QStringLiteral(") 的支座位移 ") +
                       names.join(QStringLiteral(", ")) +
                       QStringLiteral(", 沿支座的 x, y 轴 (+Y在屏幕上向下), 转角由+X转向+Y为正"),
                   QStringLiteral("支座位移"), shown, shown.size());
    if (!values) {
        return;
    }
    std::size_t next = 0;
    Settlement& settlement = settlementIn(extras, document.currentLoadCase);
    for (std::size_t k = 0; k < 3; ++k) {
        settlement[k] = restrained[k] ? static_cast<float>((*values)[next++]) + 0.0f : 0.0f;
    }
    trimLaterCases(extras);
}

// t1 acts at the member's local -y face, t2 at its +y face: the side of
// the tick.
void SupportEffectCommands::askTemperature(std::int16_t member) {
    gj& changed = document.members[static_cast<std::size_t>(member)];
    const ConstMemberLoads shown = loadsIn(std::as_const(changed), document.currentLoadCase);
    const auto values = askNumbers(
        platform,
        hintNumber(member) +
            QStringLiteral("号杆件的温度改变 t1, t2 (°C), 升温为正: t1在无黑短线一侧(局部-y), "
                           "t2在黑短线一侧(局部+y)"),
        QStringLiteral("温度改变"), {shown.温度改变1, shown.温度改变2}, 2);
    if (!values) {
        return;
    }
    const MemberLoads record = loadsIn(changed, document.currentLoadCase);
    record.温度改变1 = static_cast<float>((*values)[0]) + 0.0f;
    record.温度改变2 = static_cast<float>((*values)[1]) + 0.0f;
    trimLaterCases(changed);
}

// Springs and turns change the support symbols and the spring marks;
// settlements and temperatures are loads, drawn with the loads.
void SupportEffectCommands::redraw() {
    drawPlacedSupports(canvas, document);
    drawConnectionMarks(canvas, document, capture.recorded());
    loadDrawing.redraw();
}
