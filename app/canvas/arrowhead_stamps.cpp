// Arrowheads stamped from images; see arrowhead_stamps.h.
#include "canvas/arrowhead_stamps.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

#include "platform/colours.h"

namespace {

constexpr int kPhases = 4;  // tip positions drawn per pixel, each way

// The whole pixel at or left of `value` and the quarter past it.
std::pair<int, int> pixelAndPhase(double value) {
    const double scaled = std::round(value * kPhases);
    const auto whole = static_cast<int>(std::floor(scaled / kPhases));
    return {whole, static_cast<int>(scaled - static_cast<double>(whole) * kPhases)};
}

// Pixels from the tip to the edge of a stamp: the arrowhead and its
// antialiased rim fit.
int reachOf(const FigureArrowhead& head) {
    return static_cast<int>(std::ceil(std::hypot(head.length, head.halfWidth))) + 2;
}

}  // namespace

ArrowheadCorners arrowheadCorners(const FigureArrowhead& head, QPointF tip, QPointF unit) {
    const QPointF across(-unit.y() * head.halfWidth, unit.x() * head.halfWidth);
    const QPointF base = tip - unit * head.length;
    return {{tip, base + across, base - across}};
}

ArrowheadStamps::ArrowheadStamps(QPainter& painter) : painter_(painter) {
    const QPaintEngine* engine = painter.paintEngine();
    usable_ = engine != nullptr && engine->type() == QPaintEngine::Raster &&
              painter.device()->devicePixelRatio() == 1 &&
              painter.worldTransform().type() <= QTransform::TxTranslate &&
              painter.worldTransform().dx() == std::round(painter.worldTransform().dx()) &&
              painter.worldTransform().dy() == std::round(painter.worldTransform().dy());
}

void ArrowheadStamps::stamp(const FigureArrowhead& head, QPointF tip, QPointF unit) {
    const auto [x, phaseX] = pixelAndPhase(tip.x());
    const auto [y, phaseY] = pixelAndPhase(tip.y());
    const Shape shape{head.colour, head.length, head.halfWidth, unit.x(), unit.y(), phaseX, phaseY};
    const int reach = reachOf(head);
    painter_.drawImage(QPoint(x - reach, y - reach), imageOf(shape, head, unit));
}

const QImage& ArrowheadStamps::imageOf(const Shape& shape, const FigureArrowhead& head,
                                       QPointF unit) {
    const auto found = images_.find(shape);
    if (found != images_.end()) {
        return found->second;
    }
    const int reach = reachOf(head);
    QImage image(2 * reach + 1, 2 * reach + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(head.colour));
    const QPointF tip(reach + static_cast<double>(std::get<5>(shape)) / kPhases,
                      reach + static_cast<double>(std::get<6>(shape)) / kPhases);
    const ArrowheadCorners corners = arrowheadCorners(head, tip, unit);
    painter.drawConvexPolygon(corners.points, 3);
    painter.end();
    return images_.emplace(shape, std::move(image)).first->second;
}
