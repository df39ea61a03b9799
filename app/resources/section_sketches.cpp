// Draws the sketch bitmaps of the member property dialog into the folder
// given on the command line: one per section shape, the cross-section with
// its dimension lines labelled by the dialog's row names.
//
// Usage: section_sketches <folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "dialogs/section_shapes.h"

namespace {

// The dialog's sketch area: 1830 x 1845 twips at 15 twips a pixel.
constexpr QSize kSketchSize(122, 123);

const QColor kSectionFill(200, 200, 200);
const QColor kDimensionColour(0, 0, 160);

// Drawing in the section's own coordinates (pixels, origin at the middle of
// the section, y downward), turned or mirrored by `turn` for the shapes that
// are another shape's mirror image or lie on their side. Labels are turned
// with the drawing but stay upright.
class Sketch {
public:
    Sketch(QPainter& painter, const QTransform& turn) : painter_(painter), turn_(turn) {
        QFont labelFont(QStringLiteral("DejaVu Sans"));
        labelFont.setPixelSize(11);
        painter_.setFont(labelFont);
    }

    enum class Edges { Straight, Round };

    void section(const QPainterPath& outline, Edges edges = Edges::Straight) {
        // Straight edges stay crisp without smoothing; circles need it.
        painter_.setRenderHint(QPainter::Antialiasing, edges == Edges::Round);
        painter_.setPen(QPen(Qt::black, 1));
        painter_.setBrush(kSectionFill);
        painter_.drawPath(turn_.map(outline));
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }

    // A dimension line from lineFrom to lineTo with arrowheads at both
    // ends, and extension lines from the measured points of the section
    // (edgeFrom, edgeTo) out to it where they differ. The label sits on the
    // middle of the line unless labelAt places it beside.
    void dimension(QPointF edgeFrom, QPointF edgeTo, QPointF lineFrom, QPointF lineTo,
                   const QString& label, std::optional<QPointF> labelAt = std::nullopt) {
        painter_.setPen(QPen(kDimensionColour, 1));
        extension(edgeFrom, lineFrom);
        extension(edgeTo, lineTo);
        const QPointF from = turn_.map(lineFrom);
        const QPointF to = turn_.map(lineTo);
        painter_.drawLine(from, to);
        arrowHead(from, to);
        arrowHead(to, from);
        writeLabel(label, turn_.map(labelAt.value_or((lineFrom + lineTo) / 2)));
    }

    // A dimension across the section itself, such as a web or a hole.
    void dimension(QPointF from, QPointF to, const QString& label,
                   std::optional<QPointF> labelAt = std::nullopt) {
        dimension(from, to, from, to, label, labelAt);
    }

private:
    // Starts just off the section and runs a little past the dimension line.
    void extension(QPointF edge, QPointF line) {
        const QPointF along = line - edge;
        const double length = std::hypot(along.x(), along.y());
        if (length == 0) {
            return;
        }
        const QPointF unit = along / length;
        painter_.drawLine(turn_.map(edge + 2 * unit), turn_.map(line + 3 * unit));
    }

    void arrowHead(QPointF tip, QPointF tail) {
        constexpr double kLength = 4;
        constexpr double kHalfWidth = 2;
        const QPointF along = tail - tip;
        const QPointF unit = along / std::hypot(along.x(), along.y());
        const QPointF across(-unit.y(), unit.x());
        const QPointF base = tip + kLength * unit;
        const QPointF head[] = {tip, base + kHalfWidth * across, base - kHalfWidth * across};
        painter_.setBrush(kDimensionColour);
        painter_.drawPolygon(head, 3);
    }

    // On a white patch, so that the label reads across the line it names.
    void writeLabel(const QString& label, QPointF centre) {
        QRectF box = painter_.fontMetrics().boundingRect(label);
        box.adjust(-1, 0, 1, 0);
        box.moveCenter(centre);
        painter_.fillRect(box, Qt::white);
        painter_.drawText(box, Qt::AlignCenter, label);
    }

    QPainter& painter_;
    QTransform turn_;
};

QString rowName(const SectionShape& shape, std::size_t slot) {
    const std::string_view name = shape.rows[slot].name;
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QPainterPath polygonPath(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

const QTransform kUpright;
const QTransform kUpsideDown = QTransform::fromScale(1, -1);
// A quarter turn that brings the top of the section to the left.
const QTransform kOnItsSide(0, -1, 1, 0, 0, 0);

// Width b (row 1) and depth h (row 2).
void drawRectangle(const SectionShape& shape, QPainter& painter) {
    Sketch sketch(painter, kUpright);
    sketch.section(polygonPath({{-22, -36}, {22, -36}, {22, 36}, {-22, 36}}));
    sketch.dimension({-22, 36}, {22, 36}, {-22, 46}, {22, 46}, rowName(shape, 0));
    sketch.dimension({22, -36}, {22, 36}, {34, -36}, {34, 36}, rowName(shape, 1));
}

// The outer diameter (row 1 of the solid circle, row 2 of the hollow one)
// is measured below the circle, the inner one across the hole: both are
// diameters, never radii.
void drawCircle(const SectionShape& shape, QPainter& painter, bool hollow) {
    constexpr double kOuter = 38;
    constexpr double kInner = 20;
    Sketch sketch(painter, kUpright);
    QPainterPath outline;
    outline.addEllipse(QPointF(0, 0), kOuter, kOuter);
    if (hollow) {
        outline.addEllipse(QPointF(0, 0), kInner, kInner);
    }
    sketch.section(outline, Sketch::Edges::Round);
    const std::size_t outerSlot = hollow ? 1 : 0;
    sketch.dimension({-kOuter, 0}, {kOuter, 0}, {-kOuter, kOuter + 10}, {kOuter, kOuter + 10},
                     rowName(shape, outerSlot));
    if (hollow) {
        sketch.dimension({-kInner, 0}, {kInner, 0}, rowName(shape, 0), QPointF(0, -8));
    }
}

// Drawn with the flange on top: web width b1 (row 1), flange width b
// (row 2), flange thickness h1 (row 3), total depth h (row 4). The T has its
// web in the middle, the L at the flange's left end; the inverted T and the
// L are the upside-down T and inverted L.
void drawFlanged(const SectionShape& shape, QPainter& painter, bool webCentred,
                 const QTransform& turn) {
    constexpr double kFlangeHalf = 35;
    constexpr double kTop = -35;
    constexpr double kFlangeBottom = -17;
    constexpr double kBottom = 35;
    const double webLeft = webCentred ? -12 : -kFlangeHalf;
    const double webRight = webLeft + 24;
    Sketch sketch(painter, turn);
    sketch.section(polygonPath({{-kFlangeHalf, kTop},
                                {kFlangeHalf, kTop},
                                {kFlangeHalf, kFlangeBottom},
                                {webRight, kFlangeBottom},
                                {webRight, kBottom},
                                {webLeft, kBottom},
                                {webLeft, kFlangeBottom},
                                {-kFlangeHalf, kFlangeBottom}}));
    sketch.dimension({webLeft, kBottom}, {webRight, kBottom}, {webLeft, kBottom + 10},
                     {webRight, kBottom + 10}, rowName(shape, 0));
    sketch.dimension({-kFlangeHalf, kTop}, {kFlangeHalf, kTop}, {-kFlangeHalf, kTop - 10},
                     {kFlangeHalf, kTop - 10}, rowName(shape, 1));
    sketch.dimension({kFlangeHalf, kTop}, {kFlangeHalf, kFlangeBottom}, {kFlangeHalf + 10, kTop},
                     {kFlangeHalf + 10, kFlangeBottom}, rowName(shape, 2),
                     QPointF(kFlangeHalf + 18, (kTop + kFlangeBottom) / 2));
    sketch.dimension({-kFlangeHalf, kTop}, {webLeft, kBottom}, {-kFlangeHalf - 10, kTop},
                     {-kFlangeHalf - 10, kBottom}, rowName(shape, 3));
}

// Drawn upright: web thickness b1 (row 1), flange width b (row 2), top and
// bottom flange thicknesses h1 and h2 (rows 3, 4), total depth h (row 5).
// Lying flat, h1 is the left flange and h2 the right one.
void drawISection(const SectionShape& shape, QPainter& painter, const QTransform& turn) {
    constexpr double kFlangeHalf = 30;
    constexpr double kWebHalf = 6;
    constexpr double kTop = -38;
    constexpr double kBottom = 38;
    constexpr double kFlange = 12;
    constexpr double kDimensionX = kFlangeHalf + 10;
    constexpr double kLabelX = kFlangeHalf + 19;
    Sketch sketch(painter, turn);
    sketch.section(polygonPath({{-kFlangeHalf, kTop},
                                {kFlangeHalf, kTop},
                                {kFlangeHalf, kTop + kFlange},
                                {kWebHalf, kTop + kFlange},
                                {kWebHalf, kBottom - kFlange},
                                {kFlangeHalf, kBottom - kFlange},
                                {kFlangeHalf, kBottom},
                                {-kFlangeHalf, kBottom},
                                {-kFlangeHalf, kBottom - kFlange},
                                {-kWebHalf, kBottom - kFlange},
                                {-kWebHalf, kTop + kFlange},
                                {-kFlangeHalf, kTop + kFlange}}));
    sketch.dimension({-kWebHalf, 0}, {kWebHalf, 0}, rowName(shape, 0), QPointF(kWebHalf + 11, 0));
    sketch.dimension({-kFlangeHalf, kTop}, {kFlangeHalf, kTop}, {-kFlangeHalf, kTop - 10},
                     {kFlangeHalf, kTop - 10}, rowName(shape, 1));
    sketch.dimension({kFlangeHalf, kTop}, {kFlangeHalf, kTop + kFlange}, {kDimensionX, kTop},
                     {kDimensionX, kTop + kFlange}, rowName(shape, 2),
                     QPointF(kLabelX, kTop + kFlange / 2));
    sketch.dimension({kFlangeHalf, kBottom - kFlange}, {kFlangeHalf, kBottom},
                     {kDimensionX, kBottom - kFlange}, {kDimensionX, kBottom}, rowName(shape, 3),
                     QPointF(kLabelX, kBottom - kFlange / 2));
    sketch.dimension({-kFlangeHalf, kTop}, {-kFlangeHalf, kBottom}, {-kDimensionX, kTop},
                     {-kDimensionX, kBottom}, rowName(shape, 4));
}

using Drawing = std::function<void(const SectionShape&, QPainter&)>;

const std::map<std::string_view, Drawing>& drawings() {
    static const std::map<std::string_view, Drawing> table = {
        {"矩形", drawRectangle},
        {"实心圆", [](const SectionShape& s, QPainter& p) { drawCircle(s, p, false); }},
        {"空心圆", [](const SectionShape& s, QPainter& p) { drawCircle(s, p, true); }},
        {"T形", [](const SectionShape& s, QPainter& p) { drawFlanged(s, p, true, kUpright); }},
        {"倒T形", [](const SectionShape& s, QPainter& p) { drawFlanged(s, p, true, kUpsideDown); }},
        {"L形", [](const SectionShape& s, QPainter& p) { drawFlanged(s, p, false, kUpsideDown); }},
        {"倒L形", [](const SectionShape& s, QPainter& p) { drawFlanged(s, p, false, kUpright); }},
        {"I字形", [](const SectionShape& s, QPainter& p) { drawISection(s, p, kUpright); }},
        {"平I字形", [](const SectionShape& s, QPainter& p) { drawISection(s, p, kOnItsSide); }},
    };
    return table;
}

// The drawing is recorded first so that it can be centred on the bitmap
// whatever room its labels take.
QImage render(const SectionShape& shape, const Drawing& draw) {
    QPicture picture;
    {
        QPainter painter(&picture);
        draw(shape, painter);
    }
    QImage image(kSketchSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QPointF offset =
        QRectF(QPointF(0, 0), kSketchSize).center() - QRectF(picture.boundingRect()).center();
    painter.drawPicture(offset.toPoint(), picture);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: section_sketches <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const SectionShape& shape : sectionShapes()) {
        if (shape.sketchFile.empty()) {
            continue;
        }
        const auto drawing = drawings().find(shape.entry);
        const QString file = folder + u'/' +
                             QString::fromUtf8(shape.sketchFile.data(),
                                               static_cast<qsizetype>(shape.sketchFile.size()));
        if (drawing == drawings().end()) {
            std::fprintf(stderr, "section_sketches: no drawing for %s\n", qPrintable(file));
            return 1;
        }
        if (!render(shape, drawing->second).save(file, "BMP")) {
            std::fprintf(stderr, "section_sketches: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
