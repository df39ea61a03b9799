// The canvas model: world mapping, retained line shapes and the transient
// layer that lines wipe where they move away.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "editor/canvas.h"

namespace {

class CanvasTest : public ::testing::Test {
protected:
    Document document;
    Canvas canvas{document};
    int repaints = 0;

    void SetUp() override {
        document.world = {-2, 1, 16, 12};
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

TEST_F(CanvasTest, WorldPointsSurviveTheRoundTripThroughPixels) {
    EXPECT_EQ(canvas.toPixel(-2, 1), QPointF(0, 0));
    EXPECT_EQ(canvas.toPixel(14, 13), QPointF(800, 600));
    for (const float x : {0.1f, 3.7f, -1.9999f, 12.345678f}) {
        const QPointF back = canvas.toWorld(canvas.toPixel(x, x));
        EXPECT_EQ(static_cast<float>(back.x()), x);
        EXPECT_EQ(static_cast<float>(back.y()), x);
    }
    // A degenerate world window maps nothing anywhere, without dividing by 0.
    document.world.scaleWidth = 0;
    EXPECT_EQ(canvas.toPixel(3, 3), QPointF(0, 0));
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

TEST_F(CanvasTest, HugeCoordinatesPaintWithoutHarm) {
    canvas.loadLine(kMemberLines, 1, LineShape{-3e38f, 0, 3e38f, 5, kBlack, 2, true});
    QImage target(canvas.pixelSize(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&target);
    canvas.paint(painter, target.rect());
    SUCCEED();
}

}  // namespace
