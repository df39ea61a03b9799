// Wide lines along the pixel grid; see grid_lines.h.
#include "canvas/grid_lines.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>

namespace {

// The four ways a line's end may face: right, down, left, up.
constexpr std::array<QPoint, 4> kFacings{QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0), QPoint(0, -1)};

// One pixel of a cap: where it lies from the end's pixel corner, and how
// much of it the cap covers.
struct CapPixel {
    QPoint offset;
    int alpha = 0;
};
using Cap = std::vector<CapPixel>;

// The pixels a round cap of `width` covers beyond an end facing `facing`,
// as the painter antialiases it.
Cap capOf(int width, QPoint facing) {
    const int middle = 2 * width + 2;
    QImage image(2 * middle, 2 * middle, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
    const QPointF end(middle, middle);
    painter.drawLine(QLineF(end - QPointF(facing) * width * 2, end));
    painter.end();
    Cap cap;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPoint offset(x - middle, y - middle);
            // The pixels beyond the end: those whose corner nearest the
            // line lies on or past the end.
            const int beyond = offset.x() * facing.x() + offset.y() * facing.y() +
                               (facing.x() + facing.y() < 0 ? -1 : 0);
            const int alpha = qAlpha(image.pixel(x, y));
            if (beyond >= 0 && alpha > 0) {
                cap.push_back({offset, alpha});
            }
        }
    }
    return cap;
}

// Pictures are painted on several threads at once: the caps are made
// once per width, under a lock.
const std::array<Cap, 4>& capsOf(int width) {
    static std::mutex lock;
    static std::map<int, std::array<Cap, 4>> caps;
    const std::lock_guard<std::mutex> locked(lock);
    const auto found = caps.find(width);
    if (found != caps.end()) {
        return found->second;
    }
    std::array<Cap, 4> made;
    for (std::size_t k = 0; k < kFacings.size(); ++k) {
        made.at(k) = capOf(width, kFacings.at(k));
    }
    return caps.emplace(width, std::move(made)).first->second;
}

// Device pixels per pixel when the painter's surface takes grid lines: a
// pixel surface of a whole number of device pixels a pixel (a PNG of
// twice the window's density has two), painted untransformed; else 0.
int gridRatio(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const double ratio = painter.device()->devicePixelRatio();
    const bool takes =
        engine != nullptr && engine->type() == QPaintEngine::Raster && ratio >= 1 &&
        ratio == std::round(ratio) && painter.testRenderHint(QPainter::Antialiasing) &&
        painter.worldTransform().type() == QTransform::TxNone &&
        painter.compositionMode() == QPainter::CompositionMode_SourceOver && painter.opacity() == 1;
    return takes ? static_cast<int>(ratio) : 0;
}

bool isWhole(double value) {
    return value == std::round(value);
}

int facingIndex(QPointF from, QPointF to) {
    if (to.x() > from.x()) {
        return 0;
    }
    if (to.y() > from.y()) {
        return 1;
    }
    return to.x() < from.x() ? 2 : 3;
}

}  // namespace

// The lines' ends, width and the pixels painted are all counted in device
// pixels.
void paintGridLines(QPainter& painter, std::vector<QLineF>& lines, const QColor& colour,
                    int width) {
    const int ratio = gridRatio(painter);
    const int deviceWidth = width * ratio;
    if (ratio == 0 || deviceWidth % 2 != 0 || width <= 0 || colour.alpha() != 255) {
        return;
    }
    const std::array<Cap, 4>& caps = capsOf(deviceWidth);
    const int half = deviceWidth / 2;
    std::vector<QRect> bodies;
    std::map<int, std::vector<QRect>> capPixels;  // by alpha
    const auto addCap = [&](QPointF end, int facing) {
        const QPoint corner = end.toPoint();
        for (const CapPixel& pixel : caps.at(static_cast<std::size_t>(facing))) {
            capPixels[pixel.alpha].emplace_back(corner + pixel.offset, QSize(1, 1));
        }
    };
    const auto kept = std::remove_if(lines.begin(), lines.end(), [&](const QLineF& line) {
        const QPointF a = line.p1() * ratio;
        const QPointF b = line.p2() * ratio;
        const bool onGrid = isWhole(a.x()) && isWhole(a.y()) && isWhole(b.x()) && isWhole(b.y());
        if (!onGrid || (a.x() != b.x() && a.y() != b.y()) || a == b) {
            return false;
        }
        const QPoint low(static_cast<int>(std::min(a.x(), b.x())),
                         static_cast<int>(std::min(a.y(), b.y())));
        const QPoint high(static_cast<int>(std::max(a.x(), b.x())),
                          static_cast<int>(std::max(a.y(), b.y())));
        const QPoint across = a.x() == b.x() ? QPoint(half, 0) : QPoint(0, half);
        bodies.emplace_back(low - across, high + across - QPoint(1, 1));
        addCap(b, facingIndex(a, b));
        addCap(a, facingIndex(b, a));
        return true;
    });
    lines.erase(kept, lines.end());
    if (bodies.empty()) {
        return;
    }
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const auto& [alpha, pixels] : capPixels) {
        QColor partly = colour;
        partly.setAlpha(alpha);
        painter.setBrush(partly);
        painter.drawRects(pixels.data(), static_cast<int>(pixels.size()));
    }
    painter.setBrush(colour);
    painter.drawRects(bodies.data(), static_cast<int>(bodies.size()));
    painter.restore();
}
