// Draws the sketch bitmaps of the load dialog into the folder given on the
// command line: one per load kind, a horizontal member from its first end
// (left) to its second end (right) with the load drawn as a positive q acts,
// its position or extent marked "Xq" and its value "q".
//
// The member's local x runs from the first end to the second, and local y is
// local x turned towards the world's y axis, which points down the screen:
// so local +y points down. A positive q acts along local +y for the
// concentrated, uniform and triangular loads (downward arrows), along
// local -x for the axial loads (towards the first end, leftward) and in the
// rotation sense that takes x into y for the couple (clockwise on screen).
// A small axis cross in each sketch shows x and y.
//
// Usage: load_sketches <folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "dialogs/load_kind_rows.h"

namespace {

// The dialog's sketch area: 3855 x 2415 twips at 15 twips a pixel.
constexpr QSize kSketchSize(257, 161);

// The member, in pixels of the sketch.
constexpr double kFirstEnd = 34;
constexpr double kSecondEnd = 222;
constexpr double kMemberY = 80;
// The load's position, or the end of its extent, measured from the first end.
constexpr double kPosition = 150;
constexpr double kDimensionY = 106;

const QColor kMemberColour(Qt::black);
const QColor kLoadColour(200, 0, 0);
const QColor kDimensionColour(0, 0, 160);

class Sketch {
public:
    explicit Sketch(QPainter& painter) : painter_(painter) {
        QFont labelFont(QStringLiteral("DejaVu Sans"));
        labelFont.setPixelSize(12);
        painter_.setFont(labelFont);
        painter_.setRenderHint(QPainter::Antialiasing);
    }

    // The member with its two ends numbered, the axis cross and the
    // dimension Xq from the first end to `position`.
    void member(double position) {
        painter_.setPen(QPen(kMemberColour, 3, Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(QPointF(kFirstEnd, kMemberY), QPointF(kSecondEnd, kMemberY));
        painter_.setPen(QPen(kMemberColour, 1));
        painter_.setBrush(Qt::white);
        for (const double end : {kFirstEnd, kSecondEnd}) {
            painter_.drawEllipse(QPointF(end, kMemberY), 3, 3);
        }
        label(QStringLiteral("1"), {kFirstEnd - 14, kMemberY}, kMemberColour);
        label(QStringLiteral("2"), {kSecondEnd + 14, kMemberY}, kMemberColour);
        axes();
        dimension(position);
    }

    void arrow(QPointF tail, QPointF tip, const QColor& colour) {
        painter_.setPen(QPen(colour, 1.5));
        painter_.drawLine(tail, tip);
        arrowHead(tip, tail, colour);
    }

    void line(QPointF from, QPointF to, const QColor& colour) {
        painter_.setPen(QPen(colour, 1.5));
        painter_.drawLine(from, to);
    }

    // A clockwise arc most of the way round `centre`, open at the bottom,
    // its head at the end of the turn.
    void clockwiseArc(QPointF centre, double radius, const QColor& colour) {
        constexpr double kStartDegrees = 200;  // Qt's angles turn anticlockwise
        constexpr double kSpanDegrees = -250;
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        painter_.setPen(QPen(colour, 1.5));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawArc(box, static_cast<int>(kStartDegrees * 16),
                         static_cast<int>(kSpanDegrees * 16));
        const double end = (kStartDegrees + kSpanDegrees) * M_PI / 180;
        // Screen y points down, so a Qt angle a lies at (cos a, -sin a).
        const QPointF tip = centre + radius * QPointF(std::cos(end), -std::sin(end));
        // Turning clockwise, the point at angle a heads along (sin a, cos a).
        const QPointF forward(std::sin(end), std::cos(end));
        arrowHead(tip, tip - 6 * forward, colour);
    }

    void label(const QString& text, QPointF centre, const QColor& colour) {
        QRectF box = painter_.fontMetrics().boundingRect(text);
        box.adjust(-1, 0, 1, 0);
        box.moveCenter(centre);
        painter_.setPen(colour);
        painter_.drawText(box, Qt::AlignCenter, text);
    }

private:
    void arrowHead(QPointF tip, QPointF tail, const QColor& colour) {
        constexpr double kLength = 7;
        constexpr double kHalfWidth = 3;
        const QPointF along = tail - tip;
        const QPointF unit = along / std::hypot(along.x(), along.y());
        const QPointF across(-unit.y(), unit.x());
        const QPointF base = tip + kLength * unit;
        const QPointF head[] = {tip, base + kHalfWidth * across, base - kHalfWidth * across};
        painter_.setPen(QPen(colour, 1));
        painter_.setBrush(colour);
        painter_.drawPolygon(head, 3);
    }

    void dimension(double position) {
        const QPointF from(kFirstEnd, kDimensionY);
        const QPointF to(position, kDimensionY);
        painter_.setPen(QPen(kDimensionColour, 1));
        for (const double x : {kFirstEnd, position}) {
            painter_.drawLine(QPointF(x, kMemberY + 6), QPointF(x, kDimensionY + 4));
        }
        painter_.drawLine(from, to);
        arrowHead(from, to, kDimensionColour);
        arrowHead(to, from, kDimensionColour);
        label(QStringLiteral("Xq"), (from + to) / 2 + QPointF(0, 11), kDimensionColour);
    }

    // Local x to the right, local y downward, in the bottom right corner.
    void axes() {
        const QPointF origin(214, 112);
        arrow(origin, origin + QPointF(26, 0), kMemberColour);
        arrow(origin, origin + QPointF(0, 26), kMemberColour);
        label(QStringLiteral("x"), origin + QPointF(31, -7), kMemberColour);
        label(QStringLiteral("y"), origin + QPointF(-8, 27), kMemberColour);
    }

    QPainter& painter_;
};

constexpr double kArrowLength = 40;
constexpr double kLoadTop = kMemberY - 2 - kArrowLength;

// A downward force at the position.
void drawConcentrated(Sketch& sketch) {
    sketch.member(kPosition);
    sketch.arrow({kPosition, kLoadTop - 10}, {kPosition, kMemberY - 2}, kLoadColour);
    sketch.label(QStringLiteral("q"), {kPosition + 10, kLoadTop - 4}, kLoadColour);
}

// Downward arrows of `depth(x)` pixels over the extent, under a line along
// their tails.
void drawSpread(Sketch& sketch, const std::function<double(double)>& depth) {
    constexpr int kArrows = 8;
    for (int k = 0; k <= kArrows; ++k) {
        const double x = kFirstEnd + (kPosition - kFirstEnd) * k / kArrows;
        const double length = depth(x);
        if (length >= 8) {
            sketch.arrow({x, kMemberY - 2 - length}, {x, kMemberY - 2}, kLoadColour);
        }
    }
    sketch.line({kFirstEnd, kMemberY - 2 - depth(kFirstEnd)},
                {kPosition, kMemberY - 2 - depth(kPosition)}, kLoadColour);
}

void drawUniform(Sketch& sketch) {
    sketch.member(kPosition);
    drawSpread(sketch, [](double) { return kArrowLength; });
    sketch.label(QStringLiteral("q"), {(kFirstEnd + kPosition) / 2, kLoadTop - 9}, kLoadColour);
}

// Zero at the first end, growing to q at the end of the extent.
void drawTriangular(Sketch& sketch) {
    sketch.member(kPosition);
    drawSpread(sketch,
               [](double x) { return kArrowLength * (x - kFirstEnd) / (kPosition - kFirstEnd); });
    sketch.line({kPosition, kLoadTop}, {kPosition, kMemberY - 2}, kLoadColour);
    sketch.label(QStringLiteral("q"), {kPosition + 10, kLoadTop - 2}, kLoadColour);
}

// An axial force pointing towards the first end, its tip at the position.
void drawAxialConcentrated(Sketch& sketch) {
    sketch.member(kPosition);
    const double y = kMemberY - 10;
    sketch.arrow({kPosition + 45, y}, {kPosition, y}, kLoadColour);
    sketch.line({kPosition, kMemberY - 4}, {kPosition, y - 4}, kLoadColour);
    sketch.label(QStringLiteral("q"), {kPosition + 24, y - 11}, kLoadColour);
}

// Short arrows towards the first end all along the extent.
void drawAxialUniform(Sketch& sketch) {
    sketch.member(kPosition);
    const double y = kMemberY - 10;
    constexpr int kArrows = 6;
    const double step = (kPosition - kFirstEnd) / kArrows;
    for (int k = 0; k < kArrows; ++k) {
        const double tip = kFirstEnd + k * step + 2;
        sketch.arrow({tip + step - 4, y}, {tip, y}, kLoadColour);
    }
    sketch.label(QStringLiteral("q"), {(kFirstEnd + kPosition) / 2, y - 12}, kLoadColour);
}

// A clockwise couple at the position.
void drawCouple(Sketch& sketch) {
    sketch.member(kPosition);
    sketch.clockwiseArc({kPosition, kMemberY}, 20, kLoadColour);
    sketch.label(QStringLiteral("q"), {kPosition + 28, kMemberY - 24}, kLoadColour);
}

using Drawing = std::function<void(Sketch&)>;

const std::map<std::string_view, Drawing>& drawings() {
    static const std::map<std::string_view, Drawing> table = {
        {"集中", drawConcentrated},
        {"均布", drawUniform},
        {"水平集中", drawAxialConcentrated},
        {"水平均布", drawAxialUniform},
        {"三角", drawTriangular},
        {"力偶", drawCouple},
    };
    return table;
}

QImage render(const Drawing& draw) {
    QImage image(kSketchSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Sketch sketch(painter);
    draw(sketch);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: load_sketches <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const LoadKindRow& row : kLoadKindRows) {
        const QString file =
            folder + u'/' +
            QString::fromUtf8(row.sketchFile.data(), static_cast<qsizetype>(row.sketchFile.size()));
        const auto drawing = drawings().find(row.text);
        if (drawing == drawings().end()) {
            std::fprintf(stderr, "load_sketches: no drawing for %s\n", qPrintable(file));
            return 1;
        }
        if (!render(drawing->second).save(file, "BMP")) {
            std::fprintf(stderr, "load_sketches: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
