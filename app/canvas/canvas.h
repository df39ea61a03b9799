// The drawing model of the editor window, in three parts: the view
// transform (the world window on the window's pixels), the line arrays
// (member lines, crosshair, capture box, support symbols in world
// coordinates) and the renderer (the transient layer of printed texts and
// drawn lines, the retained figures, the cache, the painting). The canvas composes them and
// keeps them in step: every change of a line or of the view reaches the
// renderer, which asks for the repaint of the pixels it touches.
//
// Line shapes are retained: they survive clearing and follow every change
// of the world window. The world window and the background colour are
// handed in by the editor whenever they change.
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "canvas/canvas_renderer.h"
#include "canvas/drawing_scene.h"
#include "canvas/line_arrays.h"
#include "canvas/view_transform.h"

class QPainter;

class Canvas {
public:
    Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The world window and its mapping to the drawing surface.
    const WorldWindow& world() const { return view_.world; }
    // A new world window or background repaints everything.
    void setWorld(const WorldWindow& world);
    QPointF toPixel(double x, double y) const { return view_.toPixel(x, y); }
    QPointF toWorld(QPointF pixel) const { return view_.toWorld(pixel); }

    // Size of the drawing surface in pixels (the window's client area). A
    // new size keeps the prints: the layer is painted again from its log.
    QSize pixelSize() const { return view_.pixels; }
    void resize(QSize pixels);
    // Everything moves on screen: the cache is rendered afresh.
    void worldChanged() { renderer_.viewChanged(); }
    void setBackground(ColourValue colour);
    // The grid points of the drawing aid; see CanvasRenderer.
    void setGridSpacing(double spacing) { renderer_.setGridSpacing(spacing); }
    double gridSpacing() const { return renderer_.gridSpacing(); }
    // Which lines are painted from the cache; see CanvasRenderer.
    void cacheGroup(LineGroup group, int first = 0) { renderer_.cacheGroup(group, first); }
    void setWipesPrints(LineGroup group, bool wipes) { renderer_.setWipesPrints(group, wipes); }

    // Line shapes; see LineArrays.
    const LineShape& line(LineGroup group, int index = 0) const {
        return lines_.line(group, index);
    }
    int lineCount(LineGroup group) const { return lines_.lineCount(group); }
    void loadLine(LineGroup group, int index, const LineShape& shape) {
        lines_.loadLine(group, index, shape);
    }
    void unloadLine(LineGroup group, int index) { lines_.unloadLine(group, index); }
    void moveLine(LineId id, float x1, float y1, float x2, float y2) {
        lines_.moveLine(id, x1, y1, x2, y2);
    }
    void setLineColour(LineId id, ColourValue colour) { lines_.setLineColour(id, colour); }
    void setLineVisible(LineId id, bool visible) { lines_.setLineVisible(id, visible); }
    // A floating line changes on every mouse move (the member being drawn);
    // it is painted on its own instead of from the cache.
    void setLineFloating(LineId id, bool floating) { lines_.setLineFloating(id, floating); }

    // The marks of released member ends; see CanvasRenderer.
    void setConnectionMarks(std::vector<ConnectionMark> marks) {
        renderer_.setConnectionMarks(std::move(marks));
    }
    const std::vector<ConnectionMark>& connectionMarks() const {
        return renderer_.connectionMarks();
    }

    // The transient layer; see CanvasRenderer.
    void clear() {
        renderer_.clear();
        if (cleared) {
            cleared();
        }
    }
    // Told after every clear (the window's hint follows what is shown).
    std::function<void()> cleared;
    void printText(float x, float y, const QString& text) { renderer_.printText(x, y, text); }
    // In a font of its own (the fixed-width font of a table).
    void printText(float x, float y, const QString& text, const QFont& textFont) {
        renderer_.printText(x, y, text, textFont);
    }
    // The pixels a print in the canvas font covers; see CanvasRenderer.
    QRectF textBounds(float x, float y, const QString& text) const {
        return renderer_.textBounds(x, y, text);
    }
    void drawLine(float x1, float y1, float x2, float y2, ColourValue colour) {
        renderer_.drawLine(x1, y1, x2, y2, colour);
    }
    const std::vector<CanvasPrint>& printLog() const { return renderer_.printLog(); }
    const QImage& layer() const { return renderer_.layer(); }

    // Retained figures; see CanvasRenderer.
    void setFigure(FigureLayer layer, Figure figure) {
        renderer_.setFigure(layer, std::move(figure));
    }
    void clearFigure(FigureLayer layer) { renderer_.setFigure(layer, Figure{}); }
    const Figure& figure(FigureLayer layer) const { return renderer_.figure(layer); }

    // Painting: `update` is told every pixel region that changed; paint
    // draws the part of the window inside `region`.
    void paint(QPainter& painter, const QRegion& region) {
        renderer_.paint(painter, region, background_);
    }
    QRect pixelBounds(const LineShape& line) const { return renderer_.pixelBounds(line); }
    // The drawing as a file or a page shows it.
    DrawingScene scene() const;
    const ViewTransform& view() const { return view_; }
    ColourValue background() const { return background_; }

private:
    ViewTransform view_;
    LineArrays lines_;
    CanvasRenderer renderer_;
    ColourValue background_ = kWhite;

public:
    // The renderer's text font, print colour and repaint request, set by
    // the widget and the editor as on the canvas itself.
    QFont& font = renderer_.font;
    ColourValue& foreColour = renderer_.foreColour;
    std::function<void(const QRegion&)>& update = renderer_.update;
};
