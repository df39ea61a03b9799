// The pixels of the drawing; see canvas_renderer.h.
#include "canvas/canvas_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <future>
#include <utility>

#include "canvas/canvas_strokes.h"
#include "canvas/figure_painter.h"
#include "canvas/grid_points.h"
#include "platform/colours.h"

namespace {

bool samePosition(const LineShape& a, const LineShape& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

bool shows(const LineShape& line) {
    return line.loaded && line.visible;
}

// Qt's raster painter hands the rows of a tall fill or image copy to its
// thread pool, and waking the pool costs more than copying a thin strip:
// a moving line or a recoloured column repaints strips a few pixels wide
// and the height of the window. Small rectangles are therefore painted in
// bands short enough to stay on this thread; large ones keep the pool.
constexpr int kBandRows = 64;
constexpr int kBandedPixels = 64 * 1024;

std::vector<QRect> paintBands(const QRegion& region) {
    std::vector<QRect> bands;
    for (const QRect& rect : region) {
        if (rect.width() * rect.height() >= kBandedPixels) {
            bands.push_back(rect);
            continue;
        }
        for (int top = rect.top(); top <= rect.bottom(); top += kBandRows) {
            bands.emplace_back(rect.left(), top, rect.width(),
                               std::min(kBandRows, rect.bottom() - top + 1));
        }
    }
    return bands;
}

}  // namespace

CanvasRenderer::CanvasRenderer(const LineArrays& lines, const ViewTransform& view)
    : lines_(lines), view_(view) {
    firstCached_.fill(INT_MAX);
}

void CanvasRenderer::cacheGroup(LineGroup group, int first) {
    if (group >= 0 && group < kLineGroupCount) {
        firstCached_[static_cast<std::size_t>(group)] = std::max(first, 0);
        invalidateAll();
    }
}

// A new size keeps what was printed: the results and diagrams shown stay
// on the screen, painted again from the log at their world points. (A
// window without a backing store would lose them.)
void CanvasRenderer::resize(QSize pixels) {
    gridValid_ = false;
    layer_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    layer_.fill(Qt::transparent);
    layerEmpty_ = true;
    layerView_ = ViewTransform{};  // painted for no view yet
}

void CanvasRenderer::viewChanged() {
    invalidateAll();
}

// The layer shows the prints as the view it was painted for maps them;
// for another view it is painted again. What a line shape wiped before
// comes back: the log has no wipes.
void CanvasRenderer::repaintLayerFromLog() const {
    if (layerView_ == view_) {
        return;
    }
    layerView_ = view_;
    if (!layerEmpty_) {
        layer_.fill(Qt::transparent);
        layerEmpty_ = true;
    }
    if (layer_.isNull() || log_.empty()) {
        return;
    }
    QPainter painter(&layer_);
    for (const CanvasPrint& print : log_) {
        replayPrint(painter, view_, print);
    }
    layerEmpty_ = false;
}

bool CanvasRenderer::isCached(LineId id) const {
    return lines_.exists(id) && !lines_.floating(id) &&
           id.index >= firstCached_[static_cast<std::size_t>(id.group)];
}

// The pixels a line shape covers, with room for its width, its round caps,
// antialiasing and the alignment to pixel centres. The box is cut to the
// window (plus that room) axis by axis, so a horizontal or vertical line
// keeps its own strip and huge coordinates cannot overflow the rectangle.
QRect CanvasRenderer::pixelBounds(const LineShape& line) const {
    const QPointF a = view_.toPixel(line.x1, line.y1);
    const QPointF b = view_.toPixel(line.x2, line.y2);
    const double room = line.width + 2;
    const auto span = [room](double p, double q, int size) -> std::optional<std::pair<int, int>> {
        if (!std::isfinite(p) || !std::isfinite(q)) {
            return std::nullopt;
        }
        const double low = std::max(std::min(p, q) - room, -room);
        const double high = std::min(std::max(p, q) + room, size + room);
        if (low > high) {
            return std::nullopt;
        }
        return std::pair{static_cast<int>(std::floor(low)), static_cast<int>(std::ceil(high))};
    };
    const auto across = span(a.x(), b.x(), layer_.width());
    const auto down = span(a.y(), b.y(), layer_.height());
    if (!across || !down) {
        return {};
    }
    return QRect(QPoint(across->first, down->first), QPoint(across->second, down->second));
}

// A line that only changed colour repaints its pixels once: a box over a
// large frame recolours dozens of members a move, and every region added
// to the widget's costs more than the last.
void CanvasRenderer::lineChanged(LineId id, const LineShape& before) {
    const LineShape& after = lines_.line(id.group, id.index);
    const bool wipes = id.group < 0 || id.group >= kLineGroupCount ||
                       !keepsPrints_[static_cast<std::size_t>(id.group)];
    const bool moved = !samePosition(before, after);
    if (shows(before) && wipes && (!shows(after) || moved)) {
        wipe(before);
    }
    const QRect beforeBounds = shows(before) ? pixelBounds(before) : QRect();
    const QRect afterBounds = shows(after) ? pixelBounds(after) : QRect();
    invalidate(beforeBounds);
    if (afterBounds != beforeBounds) {
        invalidate(afterBounds);
    }
    if (isCached(id)) {
        markCacheDirty(pixelBounds(before));
        if (moved || before.width != after.width) {
            markCacheDirty(pixelBounds(after));
        }
    }
}

void CanvasRenderer::setWipesPrints(LineGroup group, bool wipes) {
    if (group >= 0 && group < kLineGroupCount) {
        keepsPrints_[static_cast<std::size_t>(group)] = !wipes;
    }
}

void CanvasRenderer::floatingChanged(LineId id) {
    const QRect bounds = pixelBounds(lines_.line(id.group, id.index));
    markCacheDirty(bounds);
    invalidate(bounds);
}

void CanvasRenderer::wipe(const LineShape& line) {
    repaintLayerFromLog();
    const auto pixels = pixelLine(view_, line);
    if (layerEmpty_ || !pixels) {
        return;
    }
    QPainter painter(&layer_);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setPen(QPen(Qt::black, line.width + 2));
    painter.drawLine(*pixels);
}

void CanvasRenderer::invalidate(const QRect& pixels) {
    if (update && !pixels.isEmpty()) {
        update(QRegion(pixels));
    }
}

// A cache to be rendered whole needs no list of its changed parts: a
// project of thousands of members opened would otherwise add each line's
// box to one region, every addition costing more than the last.
void CanvasRenderer::markCacheDirty(const QRect& pixels) {
    if (cacheValid_) {
        cacheDirty_ += pixels;
    }
}

void CanvasRenderer::invalidateFigures() {
    shapesValid_.fill(false);
    figuresValid_ = false;
}

void CanvasRenderer::invalidateAll() {
    cacheValid_ = false;
    gridValid_ = false;
    invalidateFigures();
    invalidate(QRect(QPoint(0, 0), layer_.size()));
}

void CanvasRenderer::clear() {
    layer_.fill(Qt::transparent);
    layerEmpty_ = true;
    layerView_ = view_;
    log_.clear();
    invalidate(QRect(QPoint(0, 0), layer_.size()));
}

void CanvasRenderer::printText(float x, float y, const QString& text) {
    printText(x, y, text, font);
}

void CanvasRenderer::printText(float x, float y, const QString& text, const QFont& textFont) {
    repaintLayerFromLog();
    log_.push_back({CanvasPrint::Kind::Text, x, y, x, y, text, foreColour, textFont});
    printBoxed(boxAt(view_.toPixel(x, y), text, textFont), text, textFont);
}

QRectF CanvasRenderer::textBounds(float x, float y, const QString& text) const {
    return boxAt(view_.toPixel(x, y), text, font);
}

// Measured on the layer itself, so that the box is the one the layer's
// painter draws the text in.
QRectF CanvasRenderer::boxAt(QPointF corner, const QString& text, const QFont& textFont) const {
    const QFontMetricsF metrics =
        layer_.isNull() ? QFontMetricsF(textFont) : QFontMetricsF(textFont, &layer_);
    return printBox(metrics, corner, text);
}

void CanvasRenderer::printBoxed(const QRectF& bounds, const QString& text, const QFont& textFont) {
    if (layer_.isNull()) {
        return;
    }
    QPainter painter(&layer_);
    paintPrint(painter, bounds, text, textFont, foreColour);
    layerEmpty_ = false;
    invalidate(bounds.toAlignedRect());
}

void CanvasRenderer::drawLine(float x1, float y1, float x2, float y2, ColourValue colour) {
    repaintLayerFromLog();
    log_.push_back({CanvasPrint::Kind::Line, x1, y1, x2, y2, QString(), colour, {}});
    if (layer_.isNull()) {
        return;
    }
    const LineShape shape{x1, y1, x2, y2, colour, 1, true, true};
    QPainter painter(&layer_);
    painter.setRenderHint(QPainter::Antialiasing);
    paintLineShape(painter, view_, shape);
    layerEmpty_ = false;
    invalidate(pixelBounds(shape));
}

// Every shown line that is cached (or is not), in the order of the arrays;
// with `area`, only those that may touch it. Consecutive lines of one
// colour and width are handed to the painter together: thousands of
// member lines share one pen, and setting it up for each costs more than
// the line.
void CanvasRenderer::paintLines(QPainter& painter, const ViewTransform& view, bool cached,
                                const QRegion* area) const {
    LineBatch batch(painter, view);
    for (LineGroup group = 0; group < kLineGroupCount; ++group) {
        const LineArray& array = lines_.array(group);
        const int first = firstCached_[static_cast<std::size_t>(group)];
        for (std::size_t i = 0; i < array.lines.size(); ++i) {
            const LineShape& shape = array.lines[i];
            const bool isCachedLine = static_cast<int>(i) >= first && !array.floating[i];
            if (shows(shape) && isCachedLine == cached &&
                (area == nullptr || area->intersects(pixelBounds(shape)))) {
                batch.add(shape);
            }
        }
    }
}

// The cached image is rendered whole when the view changed and otherwise
// only where cached lines changed: there it is cleared and every cached
// line that may touch it is stroked again in the usual order, which gives
// the same pixels as a whole rendering. Highlighting one member of
// thousands then costs a few lines, not all of them.
void CanvasRenderer::renderCache() {
    if (cache_.size() != layer_.size()) {
        cache_ = QImage(layer_.size(), QImage::Format_ARGB32_Premultiplied);
        cacheValid_ = false;
    }
    const QRegion area = cacheValid_ ? cacheDirty_ : QRegion(cache_.rect());
    cacheDirty_ = QRegion();
    cacheValid_ = true;
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(&cache_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : paintBands(area)) {
        painter.fillRect(rect, Qt::transparent);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipRegion(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool whole = area.rectCount() == 1 && area.boundingRect() == cache_.rect();
    paintLines(painter, view_, true, whole ? nullptr : &area);
    paintConnectionMarks(painter, view_, marks_, font, std::nullopt, whole ? nullptr : &area);
}

void CanvasRenderer::setConnectionMarks(std::vector<ConnectionMark> marks) {
    if (marks == marks_) {
        return;
    }
    markPixelsChanged(marks_);
    marks_ = std::move(marks);
    markPixelsChanged(marks_);
}

// A few marks repaint their own pixels; many (a building's hinges, a
// project opened) render the cache whole rather than grow a region mark by
// mark, each addition costing more than the last.
void CanvasRenderer::markPixelsChanged(const std::vector<ConnectionMark>& marks) {
    constexpr std::size_t kMarksRepaintedOneByOne = 32;
    if (marks.size() > kMarksRepaintedOneByOne) {
        cacheValid_ = false;
        invalidate(QRect(QPoint(0, 0), layer_.size()));
        return;
    }
    for (const ConnectionMark& mark : marks) {
        const QRect bounds = connectionMarkBounds(view_, mark, font);
        markCacheDirty(bounds);
        invalidate(bounds);
    }
}

// The images are copied rectangle by rectangle, the figures over the
// cached lines; the moving lines (crosshair, capture box, tick, the member
// being drawn) are stroked last, once, clipped to the whole region.
void CanvasRenderer::paint(QPainter& painter, const QRegion& region, ColourValue background) {
    repaintLayerFromLog();
    const bool figures = hasFigures();
    // A diagram's or the loads' shapes take long to paint after a new view:
    // they are painted on a thread of its own, into images of their own,
    // while this one renders the cached lines and the texts (and then,
    // for many shapes, their last share).
    const bool staleShapes =
        figures && !figuresValid_ && !std::ranges::all_of(shapesValid_, std::identity{});
    const std::array<ShapeShare, 2> shares =
        staleShapes ? staleShapeShares() : std::array<ShapeShare, 2>{};
    std::future<void> shapes;  // should this thread throw, waited for on the way out
    if (staleShapes) {
        shapes = std::async(std::launch::async,
                            [this, share = shares[0]] { renderStaleShapes(0, share); });
    }
    if (!cacheValid_ || !cacheDirty_.isEmpty()) {
        renderCache();
    }
    if (figures && !figuresValid_) {
        renderTexts();
        if (shapes.valid()) {
            renderStaleShapes(1, shares[1]);
            shapes.get();
        }
        shapesValid_.fill(true);
        composeFigures();
    }
    const bool grid = gridSpacing_ > 0;
    if (grid && !gridValid_) {
        renderGrid();
    }
    const QColor backgroundColour = toQColor(background);
    for (const QRect& rect : paintBands(region)) {
        painter.fillRect(rect, backgroundColour);
        if (grid) {
            painter.drawImage(rect, gridImage_, rect);
        }
        if (!layerEmpty_) {
            painter.drawImage(rect, layer_, rect);
        }
        painter.drawImage(rect, cache_, rect);
        if (figures) {
            painter.drawImage(rect, figureImage_, rect);
        }
    }
    painter.setClipRegion(region);
    painter.setRenderHint(QPainter::Antialiasing);
    paintLines(painter, view_, false, nullptr);
}

void CanvasRenderer::setGridSpacing(double spacing) {
    if (spacing == gridSpacing_) {
        return;
    }
    gridSpacing_ = spacing;
    gridValid_ = false;
    invalidate(QRect(QPoint(0, 0), layer_.size()));
}

void CanvasRenderer::renderGrid() {
    if (gridImage_.size() != layer_.size()) {
        gridImage_ = QImage(layer_.size(), QImage::Format_ARGB32_Premultiplied);
    }
    gridImage_.fill(Qt::transparent);
    paintGridPoints(gridImage_, view_, gridSpacing_);
    gridValid_ = true;
}

// Element 0 of the member lines is the tick, of every support array the
// preview of its kind.
std::vector<LineShape> CanvasRenderer::stillLines() const {
    std::vector<LineShape> still;
    for (LineGroup group = kMemberLines; group < kLineGroupCount; ++group) {
        if (group >= kCrosshairX && group <= kBoxBottom) {
            continue;
        }
        const LineArray& array = lines_.array(group);
        for (std::size_t i = 1; i < array.lines.size(); ++i) {
            if (shows(array.lines[i]) && !array.floating[i]) {
                still.push_back(array.lines[i]);
            }
        }
    }
    return still;
}

void CanvasRenderer::setFigure(FigureLayer layer, Figure figure) {
    std::shared_ptr<const Figure>& kept = figures_.at(static_cast<std::size_t>(layer));
    if (!kept && figure.empty()) {
        return;
    }
    kept = figure.empty() ? nullptr : std::make_shared<const Figure>(std::move(figure));
    shapesValid_.at(static_cast<std::size_t>(layer)) = false;
    figuresValid_ = false;
    invalidate(QRect(QPoint(0, 0), layer_.size()));
}

const Figure& CanvasRenderer::figure(FigureLayer layer) const {
    static const Figure none;
    const auto& kept = figures_.at(static_cast<std::size_t>(layer));
    return kept ? *kept : none;
}

std::shared_ptr<const Figure> CanvasRenderer::sharedFigure(FigureLayer layer) const {
    return figures_.at(static_cast<std::size_t>(layer));
}

bool CanvasRenderer::hasFigures() const {
    return std::any_of(figures_.begin(), figures_.end(),
                       [](const auto& figure) { return figure != nullptr; });
}

namespace {

// A transparent image of `size`, made anew only when the size changed.
void clearToSize(QImage& image, QSize size) {
    if (image.size() != size) {
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    }
    image.fill(Qt::transparent);
}

}  // namespace

void CanvasRenderer::renderShapes(std::size_t layer, std::size_t part, ShapeShare share) {
    QImage& image = shapeImages_.at(layer).at(part);
    if (!figures_.at(layer) || share.first == share.last) {
        image = QImage();
        return;
    }
    clearToSize(image, layer_.size());
    if (!image.isNull()) {
        QPainter painter(&image);
        paintShapes(painter, view_, *figures_.at(layer), share);
    }
}

// The texts of all figures are placed together, so any new figure places
// them all again.
void CanvasRenderer::renderTexts() {
    clearToSize(textImage_, layer_.size());
    if (textImage_.isNull()) {
        return;
    }
    QPainter painter(&textImage_);
    painter.setFont(font);
    FigureLayers shown{};
    for (std::size_t layer = 0; layer < figures_.size(); ++layer) {
        shown.at(layer) = figures_.at(layer).get();
    }
    paintTexts(painter, view_, shown);
}

void CanvasRenderer::renderStaleShapes(std::size_t part, ShapeShare share) {
    for (std::size_t layer = 0; layer < figures_.size(); ++layer) {
        if (!shapesValid_.at(layer)) {
            renderShapes(layer, part, share);
        }
    }
}

// The shares of the stale figures' shapes: all on the thread that paints
// them, or for thousands of shapes (a diagram or the loads of a large
// frame) the last fifth on the window's thread once it has rendered the
// cached lines and the texts, which take about half as long as the shapes.
std::array<ShapeShare, 2> CanvasRenderer::staleShapeShares() const {
    constexpr std::size_t kShapesWorthSharing = 2000;
    std::size_t stale = 0;
    for (std::size_t layer = 0; layer < figures_.size(); ++layer) {
        if (!shapesValid_.at(layer) && figures_.at(layer)) {
            stale += figures_.at(layer)->polylines.size() + figures_.at(layer)->arrowheads.size();
        }
    }
    if (stale < kShapesWorthSharing) {
        return {ShapeShare{0, 1, 1}, ShapeShare{1, 1, 1}};
    }
    return {ShapeShare{0, 4, 5}, ShapeShare{4, 5, 5}};
}

// The figures' lines and arrowheads in the order of the layers, then all
// their texts, as paint draws them on one surface.
void CanvasRenderer::composeFigures() {
    clearToSize(figureImage_, layer_.size());
    figuresValid_ = true;
    if (figureImage_.isNull()) {
        return;
    }
    QPainter painter(&figureImage_);
    for (const auto& parts : shapeImages_) {
        for (const QImage& image : parts) {
            if (!image.isNull()) {
                painter.drawImage(0, 0, image);
            }
        }
    }
    painter.drawImage(0, 0, textImage_);
}
