// The drawing model of the editor window: numbered line shapes in world
// coordinates (member lines, crosshair, capture box, support symbols), a
// transient layer of printed texts and drawn lines, and the mapping between
// the world window and the window's pixels.
//
// Line shapes are retained: they survive clearing and follow every change
// of the world window. The transient layer behaves like a window without a
// backing store: what is printed stays until the clear operation, except
// where a line shape moves away from it or is hidden, which wipes the
// pixels along the line's old position. The layer is kept as an image, so
// ordinary repaints show it unchanged, and every print since the last
// clear is logged for tests to read.
#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRegion>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "document/document.h"

class QPainter;

// Line shapes come in arrays numbered as the window's line controls:
// array n is "Line<n>" and element 0 of an array that has one line only.
using LineGroup = int;
inline constexpr LineGroup kMemberLines = 1;  // 0 is the local-axis tick, 1.. members
inline constexpr LineGroup kCrosshairX = 2;   // horizontal crosshair line
inline constexpr LineGroup kCrosshairY = 3;   // vertical crosshair line
inline constexpr LineGroup kBoxTop = 4;       // the four sides of the capture box
inline constexpr LineGroup kBoxLeft = 5;
inline constexpr LineGroup kBoxRight = 6;
inline constexpr LineGroup kBoxBottom = 7;
// The crosshair lines and the capture box, shown and hidden together.
inline constexpr std::array<LineGroup, 4> kCaptureBox = {kBoxTop, kBoxLeft, kBoxRight, kBoxBottom};
inline constexpr std::array<LineGroup, 6> kCrosshairLines = {kCrosshairX, kCrosshairY, kBoxTop,
                                                             kBoxLeft,    kBoxRight,   kBoxBottom};
inline constexpr LineGroup kFixedSymbols = 8;        // 0 is the preview, 1.. fixed ends
inline constexpr LineGroup kFirstSupportLines = 10;  // pieces of the other symbols
inline constexpr LineGroup kLastSupportLines = 46;
inline constexpr int kLineGroupCount = kLastSupportLines + 1;

struct LineShape {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    ColourValue colour = kBlack;
    int width = 1;  // pixels
    bool visible = true;
    bool loaded = false;
    bool operator==(const LineShape&) const = default;
};

struct LineId {
    LineGroup group;
    int index = 0;
};

// One print or draw operation on the transient layer.
struct CanvasPrint {
    enum class Kind { Text, Line, Polyline };
    Kind kind = Kind::Text;
    float x1 = 0;  // text: top-left corner; polyline: its first point
    float y1 = 0;
    float x2 = 0;  // polyline: its last point
    float y2 = 0;
    QString text;
    ColourValue colour = kBlack;
    std::vector<QPointF> points;  // polyline: every point, world coordinates
};

// How a world window is given one scale on both axes for a drawing surface
// of another shape: the smallest such window containing it (a window read
// from a file), or one keeping its width and top-left corner (start-up and
// a resized window).
enum class WorldFit { Contain, KeepWidth };
// The window unchanged when either size is empty or the window unusable.
WorldWindow equalScaleWindow(const WorldWindow& world, QSize pixels, WorldFit fit);

class Canvas {
public:
    explicit Canvas(Document& document);

    // The world window is the document's; these read and map it.
    const WorldWindow& world() const { return document_.world; }
    QPointF toPixel(double x, double y) const;
    QPointF toWorld(QPointF pixel) const;

    // Size of the drawing surface in pixels (the window's client area). A
    // new size clears the transient layer.
    QSize pixelSize() const { return layer_.size(); }
    void resize(QSize pixels);
    // The world window changed: everything moves on screen.
    void worldChanged();

    // Line shapes.
    const LineShape& line(LineGroup group, int index = 0) const;
    int lineCount(LineGroup group) const;
    // Creates element `index` of a group (and any below it, unloaded).
    void loadLine(LineGroup group, int index, const LineShape& shape);
    void unloadLine(LineGroup group, int index);
    void moveLine(LineId id, float x1, float y1, float x2, float y2);
    void setLineColour(LineId id, ColourValue colour);
    void setLineVisible(LineId id, bool visible);
    // A floating line changes on every mouse move (the member being drawn);
    // it is painted on its own instead of from the cached member lines.
    void setLineFloating(LineId id, bool floating);

    // The transient layer.
    void clear();
    void printText(float x, float y, const QString& text);
    void drawLine(float x1, float y1, float x2, float y2, ColourValue colour);
    // One antialiased line through `points` (world coordinates).
    void drawPolyline(const std::vector<QPointF>& points, ColourValue colour);
    const std::vector<CanvasPrint>& printLog() const { return log_; }
    const QImage& layer() const { return layer_; }
    QFont font;
    ColourValue foreColour = kBlack;

    // Painting: `update` is told every pixel region that changed; paint
    // draws the part of the window inside `region`.
    std::function<void(const QRegion&)> update;
    void paint(QPainter& painter, const QRegion& region);

private:
    struct Group {
        std::vector<LineShape> lines;
        std::vector<bool> floating;
    };
    Group& group_(LineGroup group);
    const Group& group_(LineGroup group) const;
    template <typename Change>
    void changeLine(LineId id, Change change);
    bool isCached(LineId id) const;

public:
    // The pixels a line shape may touch when painted or wiped; empty for a
    // line wholly outside the window or with non-finite ends.
    QRect pixelBounds(const LineShape& line) const;

private:
    void lineChanged(LineId id, const LineShape& before);
    void wipe(const LineShape& line);
    void invalidate(const QRect& pixels);
    void invalidateAll();
    void renderCache();
    // The line in pixels; nothing for a line of no length or one whose
    // ends lie beyond any pixel coordinate.
    std::optional<QLineF> pixelLine(const LineShape& line) const;
    // The same, not aligned to pixel centres.
    std::optional<QLineF> windowPart(const LineShape& line) const;
    void paintLine(QPainter& painter, const LineShape& line) const;

    Document& document_;
    std::array<Group, kLineGroupCount> groups_;
    Group scratch_;  // takes changes to unknown arrays
    QImage layer_;
    bool layerEmpty_ = true;
    std::vector<CanvasPrint> log_;
    QImage cache_;  // the cached (non-floating) member and symbol lines
    bool cacheValid_ = false;
    QRegion cacheDirty_;  // where cached lines changed since the last rendering
};
