// PNG files of pictures: every pixel read back as written, the density
// kept, and nothing for an image that cannot be encoded.
#include <gtest/gtest.h>

#include <QImage>
#include <thread>

#include "platform/png_file.h"

namespace {

// Every byte value in each channel, on a width that is not a multiple of
// four, so a row's bytes are not the whole of its scan line.
QImage rainbow(QImage::Format format) {
    QImage image(257, 3, format);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int v = x % 256;
            image.setPixel(x, y, qRgb(v, (v + 85 * y) % 256, 255 - v));
        }
    }
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(2835);
    return image;
}

void expectSamePixels(const QImage& written, const QByteArray& bytes) {
    const QImage read = QImage::fromData(bytes, "PNG");
    ASSERT_FALSE(read.isNull());
    ASSERT_EQ(read.size(), written.size());
    EXPECT_FALSE(read.hasAlphaChannel());
    for (int y = 0; y < read.height(); ++y) {
        for (int x = 0; x < read.width(); ++x) {
            ASSERT_EQ(read.pixel(x, y), written.pixel(x, y)) << x << ", " << y;
        }
    }
    EXPECT_EQ(read.dotsPerMeterX(), 3780);
    EXPECT_EQ(read.dotsPerMeterY(), 2835);
}

TEST(PngFile, PixelsAndDensityReadBackExactlyFromAnyImageFormat) {
    const QImage rgb = rainbow(QImage::Format_RGB32);
    expectSamePixels(rgb, pngFileBytes(rgb));
    const QImage other = rainbow(QImage::Format_RGB888);
    expectSamePixels(other, pngFileBytes(other));
}

// Runs of one colour longer than a copy may be, rows like the row above,
// lines across and down, a row that differs in one pixel only.
TEST(PngFile, ADrawingReadsBackExactly) {
    QImage drawing(701, 60, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    for (int x = 0; x < drawing.width(); ++x) {
        drawing.setPixel(x, 10, qRgb(0, 0, 255));
        drawing.setPixel(x, 11, qRgb(x % 7 == 0 ? 1 : 0, 0, 255));
    }
    for (int y = 20; y < 50; ++y) {
        drawing.setPixel(350, y, qRgb(128, 0, 128));
        drawing.setPixel(y * 3, y, qRgb(y, 255 - y, 2 * y));
    }
    drawing.setPixel(700, 59, qRgb(1, 2, 3));
    drawing.setDotsPerMeterX(3780);
    drawing.setDotsPerMeterY(2835);
    expectSamePixels(drawing, pngFileBytes(drawing));
}

TEST(PngFile, TwoThreadsEncodeAtOnce) {
    const QImage image = rainbow(QImage::Format_RGB32);
    QByteArray first;
    std::thread worker([&] { first = pngFileBytes(image); });
    const QByteArray second = pngFileBytes(image);
    worker.join();
    EXPECT_EQ(first, second);
    expectSamePixels(image, first);
}

TEST(PngFile, ANullImageGivesNoBytes) {
    EXPECT_TRUE(pngFileBytes(QImage()).isEmpty());
}

}  // namespace
