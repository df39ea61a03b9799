// The pixels of the drawing: the transient layer of printed texts and drawn
// lines, the cached image of the lines that change rarely, and the painting
// of both with the line shapes over a background.
//
// The transient layer behaves like a window without a backing store: what
// is printed stays until the clear operation, except where a line shape
// moves away from it or is hidden, which wipes the pixels along the line's
// old position. The layer is kept as an image, so ordinary repaints show it
// unchanged, and every print since the last clear is logged (for files,
// pages and tests). A new surface size or view paints the layer again from
// the log, when it is next needed: the prints stay at their world points.
//
// Retained figures (the loads, a diagram, the reactions, the deflected
// shape) are values set and cleared whole. They are painted over the line shapes from
// an image of their own, rendered afresh only when a figure or the view
// changes (and then only the figure that changed, with the texts of all):
// neither a mouse move nor a moving line touches them.
#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRegion>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "canvas/canvas_strokes.h"
#include "canvas/connection_marks.h"
#include "canvas/figure_painter.h"
#include "canvas/line_arrays.h"
#include "canvas/view_transform.h"
#include "results/figure.h"

class QPainter;

class CanvasRenderer {
public:
    // Paints `lines` as `view` maps them; both outlive the renderer.
    CanvasRenderer(const LineArrays& lines, const ViewTransform& view);

    // Lines of `group` from element `first` on change rarely: they are
    // painted from one cached image. Other lines are stroked on every
    // repaint, as are floating ones.
    void cacheGroup(LineGroup group, int first = 0);
    // Whether a line of `group` that moves away or hides wipes the
    // transient layer along its old position (every group does at first).
    void setWipesPrints(LineGroup group, bool wipes);

    // A new surface size; the view must be told of it before viewChanged.
    // The printed layer is painted again from its log.
    void resize(QSize pixels);
    QSize surfaceSize() const { return layer_.size(); }
    // Everything moves on screen, the prints with their world points.
    void viewChanged();
    // What a change of the line arrays does to the pixels.
    void lineChanged(LineId id, const LineShape& before);
    void floatingChanged(LineId id);

    // The transient layer.
    void clear();
    void printText(float x, float y, const QString& text);
    void printText(float x, float y, const QString& text, const QFont& textFont);
    // The pixels a text printed in the canvas font covers, its top-left
    // corner at the world point.
    QRectF textBounds(float x, float y, const QString& text) const;
    void drawLine(float x1, float y1, float x2, float y2, ColourValue colour);
    const std::vector<CanvasPrint>& printLog() const { return log_; }
    const QImage& layer() const {
        repaintLayerFromLog();
        return layer_;
    }
    QFont font;
    ColourValue foreColour = kBlack;

    // `update` is told every pixel region that changed.
    std::function<void(const QRegion&)> update;
    void invalidateAll();
    void paint(QPainter& painter, const QRegion& region, ColourValue background);
    // The grid points of `spacing` world units (0: none), painted under
    // everything else from an image of their own, rendered again only when
    // the spacing or the view changes.
    void setGridSpacing(double spacing);
    double gridSpacing() const { return gridSpacing_; }
    // The lines that stand still (members, support symbols), without the
    // crosshair, the capture box, the tick, previews and the member being
    // drawn: the drawing as a file or a page shows it.
    std::vector<LineShape> stillLines() const;

    // The marks of released member ends, painted over the cached lines
    // into the same image (they cover the member line inside a circle).
    void setConnectionMarks(std::vector<ConnectionMark> marks);
    const std::vector<ConnectionMark>& connectionMarks() const { return marks_; }

    // A retained figure; an empty one clears its layer.
    void setFigure(FigureLayer layer, Figure figure);
    const Figure& figure(FigureLayer layer) const;
    // The figure itself, shared with a scene; none for an empty layer.
    std::shared_ptr<const Figure> sharedFigure(FigureLayer layer) const;

    // The pixels a line shape may touch when painted or wiped; empty for a
    // line wholly outside the window or with non-finite ends.
    QRect pixelBounds(const LineShape& line) const;

private:
    // After a new size or view: the layer painted again from the log.
    void repaintLayerFromLog() const;
    bool isCached(LineId id) const;
    void wipe(const LineShape& line);
    void invalidate(const QRect& pixels);
    void markCacheDirty(const QRect& pixels);
    void renderCache();
    bool hasFigures() const;
    // Paints `share` of every stale figure's shapes into its image `part`
    // of shapeImages_, and writes nothing else: the two parts are painted
    // at once on two threads.
    void renderStaleShapes(std::size_t part, ShapeShare share);
    std::array<ShapeShare, 2> staleShapeShares() const;
    void composeFigures();
    QRectF boxAt(QPointF corner, const QString& text, const QFont& textFont) const;
    void printBoxed(const QRectF& bounds, const QString& text, const QFont& textFont);
    void paintLines(QPainter& painter, const ViewTransform& view, bool cached,
                    const QRegion* area) const;

    const LineArrays& lines_;
    const ViewTransform& view_;
    std::array<int, kLineGroupCount> firstCached_;
    std::array<bool, kLineGroupCount> keepsPrints_{};
    // The layer follows the log lazily (a resize by dragging brings many
    // sizes and few repaints), also when only read.
    mutable QImage layer_;
    mutable bool layerEmpty_ = true;
    mutable ViewTransform layerView_;  // the view the layer was painted for
    std::vector<CanvasPrint> log_;
    double gridSpacing_ = 0;
    QImage gridImage_;
    bool gridValid_ = false;
    void renderGrid();
    QImage cache_;  // the cached (non-floating) lines
    bool cacheValid_ = false;
    QRegion cacheDirty_;  // where cached lines changed since the last rendering
    std::vector<ConnectionMark> marks_;
    void markPixelsChanged(const std::vector<ConnectionMark>& marks);
    std::array<std::shared_ptr<const Figure>, kFigureLayerCount> figures_;
    // Each figure's lines and arrowheads in images of their own (a large
    // figure's two shares in two), and the texts of all in one, composed
    // into figureImage_: a new diagram paints the diagram and the texts
    // again, not the loads beneath.
    static constexpr std::size_t kShapeParts = 2;
    std::array<std::array<QImage, kShapeParts>, kFigureLayerCount> shapeImages_;
    std::array<bool, kFigureLayerCount> shapesValid_{};
    QImage textImage_;
    QImage figureImage_;
    bool figuresValid_ = false;
    void invalidateFigures();
    void renderShapes(std::size_t layer, std::size_t part, ShapeShare share);
    void renderTexts();
};
