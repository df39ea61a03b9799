// The grid and its snap; see grid_snap.h.
#include "editor/grid_snap.h"

#include <cmath>

#include "canvas/canvas.h"
#include "editor/member_input.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

const QString kGridSpacingSetting = QStringLiteral("gridSpacing");

// Finer than a millimetre no grid helps drawing; coarser than 10 km none
// fits a frame.
constexpr double kFinestSpacing = 0.001;
constexpr double kCoarsestSpacing = 10000;

// A spacing as the user may give it: 0, or a number within the range.
std::optional<double> spacingOf(const QString& text) {
    const std::optional<double> value = orv::parseNumber(text.trimmed().toStdString());
    if (!value || !(*value == 0 || (*value >= kFinestSpacing && *value <= kCoarsestSpacing))) {
        return std::nullopt;
    }
    return *value + 0.0;  // -0 is no grid, written as 0
}

// The multiple of `spacing` nearest `value`, as the canvas coordinates are.
float nearestMultiple(float value, double spacing) {
    return static_cast<float>(std::round(value / spacing) * spacing);
}

}  // namespace

// A setting that is no spacing (edited by hand) is no grid.
GridSnap::GridSnap(const EditorContext& context) : EditorPart(context) {
    setSpacing(
        spacingOf(platform.textSetting(kGridSpacingSetting, QStringLiteral("0"))).value_or(0));
}

std::vector<MenuRow> GridSnap::menuRows() {
    return {{MenuCommand::Grid, "网格", [this] { askSpacing(); }}};
}

// An empty answer or Cancel keeps the grid; a text that is no number, a
// negative one or one out of range is refused with a message.
void GridSnap::askSpacing() {
    const QString answer =
        platform.inputBox(QStringLiteral("请输入网格间距 (m), 0为不用网格"), QStringLiteral("网格"),
                          QString::fromStdString(orv::displayText(static_cast<float>(spacing_))));
    if (answer.trimmed().isEmpty()) {
        return;
    }
    const std::optional<double> spacing = spacingOf(answer);
    if (!spacing) {
        platform.tell(QStringLiteral("网格间距应为0或0.001到10000之间的数"));
        return;
    }
    setSpacing(*spacing);
    platform.keepTextSetting(kGridSpacingSetting,
                             QString::fromStdString(orv::shortestText(*spacing)));
}

void GridSnap::setSpacing(double spacing) {
    spacing_ = spacing;
    canvas.setGridSpacing(spacing);
}

std::pair<float, float> placeOfPointer(const Document& document, float x, float y) {
    const bool places =
        document.mode == EditorMode::MemberInput || document.mode == EditorMode::MoveNode;
    if (places && document.endCaptured) {
        return {document.capturedX, document.capturedY};
    }
    return {x, y};
}

bool GridSnap::snapsNow() const {
    return spacing_ > 0 && document.crosshairOn &&
           (document.mode == EditorMode::MemberInput || document.mode == EditorMode::MoveNode);
}

std::optional<std::pair<float, float>> GridSnap::pointNear(float x, float y) const {
    if (!snapsNow()) {
        return std::nullopt;
    }
    const float gridX = nearestMultiple(x, spacing_);
    const float gridY = nearestMultiple(y, spacing_);
    if (!(std::fabs(double{gridX} - x) <= kCaptureDistance) ||
        !(std::fabs(double{gridY} - y) <= kCaptureDistance)) {
        return std::nullopt;
    }
    return std::pair{gridX, gridY};
}
