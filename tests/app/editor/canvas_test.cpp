// The canvas model: world mapping, retained line shapes and the transient
// layer that lines wipe where they move away.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <array>
#include <random>

#include "canvas/canvas.h"

namespace {

// The whole window as a full repaint shows it.
QImage paintAll(Canvas& canvas) {
    QImage image(canvas.pixelSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    canvas.paint(painter, QRegion(image.rect()));
    return image;
}

class CanvasTest : public ::testing::Test {
protected:
    Canvas canvas;
    int repaints = 0;

    void SetUp() override {
        canvas.setWorld({-2, 1, 16, 12});
        canvas.resize(QSize(800, 600));
        canvas.update = [this](const QRegion&) { ++repaints; };
    }

    int inkAround(float x, float y) const {
        const QPoint centre = canvas.toPixel(x, y).toPoint();
        int ink = 0;
        for (int dy = -12; dy <= 12; ++dy) {
            for (int dx = -12; dx <= 12; ++dx) {
                const QPoint at = centre + QPoint(dx, dy);
                if (canvas.layer().rect().contains(at)) {
                    ink += qAlpha(canvas.layer().pixel(at)) > 0;
                }
            }
        }
        return ink;
    }
};

TEST(ViewTransform, WorldPointsSurviveTheRoundTripThroughPixels) {
    ViewTransform view{{-2, 1, 16, 12}, QSize(800, 600)};
    EXPECT_EQ(view.toPixel(-2, 1), QPointF(0, 0));
    EXPECT_EQ(view.toPixel(14, 13), QPointF(800, 600));
    for (const float x : {0.1f, 3.7f, -1.9999f, 12.345678f}) {
        const QPointF back = view.toWorld(view.toPixel(x, x));
        EXPECT_EQ(static_cast<float>(back.x()), x);
        EXPECT_EQ(static_cast<float>(back.y()), x);
    }
    // A degenerate world window maps nothing anywhere, without dividing by 0.
    view.world.scaleWidth = 0;
    EXPECT_EQ(view.toPixel(3, 3), QPointF(0, 0));
}

TEST_F(CanvasTest, LinesWipePrintsWhereTheyMoveAwayOrHide) {
    canvas.loadLine(kCrosshairY, 0, LineShape{3, 1, 3, 13, kBlack, 1, true});
    canvas.printText(3, 5, QStringLiteral("88"));
    canvas.printText(9, 5, QStringLiteral("88"));
    ASSERT_GT(inkAround(3, 5), 0);
    // Staying put over the text wipes nothing; moving away wipes the strip.
    canvas.setLineColour({kCrosshairY}, 255);
    const int before = inkAround(3, 5);
    canvas.moveLine({kCrosshairY}, 6, 1, 6, 13);
    EXPECT_LT(inkAround(3, 5), before);
    EXPECT_GT(inkAround(9, 5), 0);
    canvas.moveLine({kCrosshairY}, 9, 1, 9, 13);
    const int crossed = inkAround(9, 5);
    canvas.setLineVisible({kCrosshairY}, false);
    EXPECT_LT(inkAround(9, 5), crossed);
    // The log keeps every print until the clear.
    EXPECT_EQ(canvas.printLog().size(), 2u);
    canvas.clear();
    EXPECT_TRUE(canvas.printLog().empty());
    EXPECT_EQ(inkAround(9, 5), 0);
}

TEST_F(CanvasTest, ArraysLoadAndUnloadElements) {
    canvas.loadLine(kMemberLines, 3, LineShape{0, 0, 1, 1, kBlack, 2, true});
    EXPECT_EQ(canvas.lineCount(kMemberLines), 4);
    EXPECT_FALSE(canvas.line(kMemberLines, 2).loaded);
    canvas.unloadLine(kMemberLines, 3);
    EXPECT_EQ(canvas.lineCount(kMemberLines), 0);
    // Elements that do not exist read as empty and ignore changes.
    canvas.moveLine({kMemberLines, 7}, 1, 2, 3, 4);
    EXPECT_EQ(canvas.line(kMemberLines, 7).x2, 0.0f);
    EXPECT_EQ(canvas.lineCount(kMemberLines), 0);
}

TEST_F(CanvasTest, ChangesAskForRepaintsOnlyWhenSomethingChanged) {
    canvas.loadLine(kBoxTop, 0, LineShape{0, 0, 1, 0, kBlack, 1, true});
    const int afterLoad = repaints;
    canvas.moveLine({kBoxTop}, 0, 0, 1, 0);
    canvas.setLineColour({kBoxTop}, kBlack);
    EXPECT_EQ(repaints, afterLoad);
    canvas.moveLine({kBoxTop}, 0, 1, 1, 1);
    EXPECT_GT(repaints, afterLoad);
}

TEST_F(CanvasTest, AnUnknownLineArrayIsAFaultThatHitsNoOtherArray) {
    canvas.loadLine(kLastSupportLines, 1, LineShape{0, 0, 1, 1, kBlack, 1, true});
    const LineShape last = canvas.line(kLastSupportLines, 1);
    EXPECT_DEBUG_DEATH(canvas.loadLine(kLineGroupCount, 1, LineShape{5, 5, 6, 6, kBlack, 1, true}),
                       "unknown line group");
    EXPECT_DEBUG_DEATH(canvas.moveLine({-1, 0}, 1, 2, 3, 4), "unknown line group");
    EXPECT_EQ(canvas.line(kLastSupportLines, 1), last);
    EXPECT_EQ(canvas.lineCount(0), 0);
}

// A horizontal line far beyond single precision's reach on both sides is
// still drawn where it crosses the window, and nothing else is touched.
TEST_F(CanvasTest, HugeCoordinatesPaintWhereTheLineCrossesTheWindow) {
    const LineShape huge{-3e38f, 5, 3e38f, 5, kBlack, 1, true};
    canvas.loadLine(kCrosshairX, 0, huge);
    const QImage image = paintAll(canvas);
    const int row = static_cast<int>(canvas.toPixel(0, 5).y());
    for (int y = 0; y < image.height(); ++y) {
        const bool inked = image.pixel(400, y) == qRgb(0, 0, 0);
        EXPECT_EQ(inked, y == row) << "row " << y;
    }
    EXPECT_EQ(canvas.line(kCrosshairX), (LineShape{-3e38f, 5, 3e38f, 5, kBlack, 1, true, true}));
    EXPECT_EQ(canvas.pixelBounds(huge).left(), -3);
    EXPECT_EQ(canvas.pixelBounds(huge).right(), 803);
}

TEST_F(CanvasTest, OnePixelLinesCoverWholePixelsInTheirOwnColour) {
    canvas.loadLine(kCrosshairY, 0, LineShape{3.01f, 1, 3.01f, 13, 0xFF0000, 1, true});
    const QImage image = paintAll(canvas);
    const int column = static_cast<int>(canvas.toPixel(3.01f, 0).x());
    EXPECT_EQ(image.pixel(column, 300), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(column - 1, 300), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(column + 1, 300), qRgb(255, 255, 255));
}

// A figure lies over the lines, survives what wipes prints, follows the
// view and keeps huge coordinates from the painter.
TEST_F(CanvasTest, FiguresStayWhereLinesMoveAndFollowTheView) {
    constexpr ColourValue kGreen = 0x008000;
    Figure figure;
    figure.polylines.push_back({{{0, 5}, {10, 5}}, kGreen, 3});
    figure.polylines.push_back({{{-3e38, 7}, {3e38, 7, 0, 0}}, kGreen, 3});
    canvas.cacheGroup(kMemberLines, 1);  // as the editor has them
    canvas.loadLine(kMemberLines, 1, LineShape{0, 5, 10, 5, kBlack, 2, true});
    canvas.setFigure(FigureLayer::Loads, figure);
    const auto pixelAt = [this](double x, double y) {
        return paintAll(canvas).pixel(canvas.toPixel(x, y).toPoint());
    };
    EXPECT_EQ(pixelAt(5, 5), qRgb(0, 128, 0));
    EXPECT_EQ(pixelAt(13, 7), qRgb(0, 128, 0));
    canvas.loadLine(kCrosshairY, 0, LineShape{5, 1, 5, 13, kBlack, 1, true});
    canvas.moveLine({kCrosshairY}, 8, 1, 8, 13);
    EXPECT_EQ(pixelAt(5, 5), qRgb(0, 128, 0));
    EXPECT_TRUE(canvas.printLog().empty());
    canvas.setWorld({-2, 3, 16, 12});
    EXPECT_EQ(pixelAt(5, 5), qRgb(0, 128, 0));
    canvas.clearFigure(FigureLayer::Loads);
    EXPECT_EQ(pixelAt(5, 5.2), qRgb(255, 255, 255));
}

// Whatever a line shape does, every pixel that a full repaint shows
// differently afterwards lies in the region the canvas asked to repaint:
// a window repaints nothing else. And the cached image of member and
// symbol lines, updated only where they changed, matches a fresh one.
TEST(CanvasRepaints, EveryChangedPixelIsInvalidated) {
    Canvas canvas;
    canvas.setWorld({-2, 1, 16, 12});
    canvas.cacheGroup(kMemberLines, 1);
    canvas.cacheGroup(kFixedSymbols);
    canvas.resize(QSize(160, 120));
    QRegion invalidated;
    canvas.update = [&invalidated](const QRegion& region) { invalidated += region; };
    canvas.font.setPixelSize(10);

    std::mt19937 random(20261208);
    const auto coordinate = [&random](float low, float high) {
        switch (random() % 8) {
            case 0:
                return -3e30f;  // far outside
            case 1:
                return 3e30f;
            default:
                return std::uniform_real_distribution<float>(low, high)(random);
        }
    };
    const std::array<LineGroup, 4> groups = {kMemberLines, kCrosshairX, kBoxTop, kFixedSymbols};
    for (int step = 0; step < 400; ++step) {
        if (step % 25 == 0) {
            canvas.printText(coordinate(-2, 14), coordinate(1, 13), QStringLiteral("88.8"));
        }
        const QImage before = paintAll(canvas);
        invalidated = QRegion();
        const LineGroup group = groups[random() % groups.size()];
        const int index = static_cast<int>(random() % 3);
        float x1 = coordinate(-4, 16);
        float y1 = coordinate(-1, 15);
        float x2 = coordinate(-4, 16);
        float y2 = coordinate(-1, 15);
        switch (random() % 4) {  // horizontal, vertical, a point, any direction
            case 0:
                y2 = y1;
                break;
            case 1:
                x2 = x1;
                break;
            case 2:
                x2 = x1;
                y2 = y1;
                break;
            default:
                break;
        }
        const auto operation = random() % 5;
        SCOPED_TRACE(testing::Message()
                     << "operation " << operation << " on line " << group << "(" << index
                     << ") with (" << x1 << ", " << y1 << ") - (" << x2 << ", " << y2 << ")");
        switch (operation) {
            case 0:
                canvas.loadLine(
                    group, index,
                    LineShape{x1, y1, x2, y2, kBlack, 1 + static_cast<int>(random() % 3), true});
                break;
            case 1:
                canvas.unloadLine(group, index);
                break;
            case 2:
                canvas.setLineVisible({group, index}, random() % 2 == 0);
                break;
            case 3:
                canvas.setLineColour({group, index}, random() % 2 == 0 ? 255 : kBlack);
                break;
            default:
                canvas.moveLine({group, index}, x1, y1, x2, y2);
                break;
        }
        const QImage after = paintAll(canvas);
        // Rendering only where cached lines changed gives the same pixels
        // as rendering the whole window afresh.
        canvas.worldChanged();
        ASSERT_EQ(paintAll(canvas), after) << "step " << step;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ASSERT_TRUE(invalidated.contains(QPoint(x, y)))
                        << "step " << step << ": pixel (" << x << ", " << y
                        << ") changed outside the repainted region";
                }
            }
        }
    }
}

}  // namespace