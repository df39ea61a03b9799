// The strokes the window's renderer and the drawing's export both paint:
// line shapes, thin paths and printed texts, each through a view onto a
// surface of the view's pixel size. One definition, so that a file shows
// the lines and prints exactly as the window does.
#pragma once

#include <QFont>
#include <QLineF>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "canvas/line_arrays.h"
#include "canvas/view_transform.h"

class QFontMetricsF;
class QPainter;

// The line in pixels cut to the surface with some room, not aligned to
// pixel centres; nothing for a line of no length or with non-finite ends.
// The painter is never handed coordinates too large for its fixed-point
// arithmetic, which would draw a line where there is none.
std::optional<QLineF> windowPart(const ViewTransform& view, const LineShape& line);

// The same, its ends aligned as painted: odd widths through pixel centres
// and even widths along pixel edges.
std::optional<QLineF> pixelLine(const ViewTransform& view, const LineShape& line);

// A line shape in its colour and width, at its pixel line.
void paintLineShape(QPainter& painter, const ViewTransform& view, const LineShape& line);

// Line shapes painted in turn as paintLineShape paints them, those of one
// colour and width in a row stroked by one call.
class LineBatch {
public:
    LineBatch(QPainter& painter, const ViewTransform& view) : painter_(painter), view_(view) {}
    ~LineBatch() { flush(); }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    void add(const LineShape& line);
    void flush();

private:
    QPainter& painter_;
    const ViewTransform& view_;
    std::vector<QLineF> lines_;
    ColourValue colour_ = kBlack;
    int width_ = 1;
};

// A path of straight segments stroked with a thin pen, in the way the
// surface draws fastest.
void strokeThin(QPainter& painter, const QPainterPath& path, const QPen& pen);
// The pen of thin lines in a colour and width: square caps and bevelled
// joins, which on a surface of high density cost far less than round ones
// and look the same at these widths.
QPen thinPen(ColourValue colour, double width);

// The box a print occupies with its top-left corner at `corner`.
QRectF printBox(const QFontMetricsF& metrics, QPointF corner, const QString& text);
// A print in its box, font and colour, as text.
void paintPrint(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                ColourValue colour);

// One print or draw operation on the transient layer.
struct CanvasPrint {
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    float x1 = 0;  // text: top-left corner
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    QString text;
    ColourValue colour = kBlack;
    QFont font;  // text: the font printed in
};

// One operation of the printed layer as the renderer did it, on any
// painter through any view: texts as text, lines as strokes.
void replayPrint(QPainter& painter, const ViewTransform& view, const CanvasPrint& print);
