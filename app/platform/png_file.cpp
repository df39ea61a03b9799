// A picture as the bytes of a PNG file; see png_file.h.
#include "platform/png_file.h"

#include <png.h>
#include <QImage>
#include <csetjmp>

#include "platform/png_deflate.h"

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void noFlush(png_structp) {}

// libpng reports errors by a long jump back into the function that set
// the jump buffer, so nothing with a destructor may live between that
// point and the calls that can fail.
bool encode(const QImage& rgb, const QByteArray& imageData, QByteArray& bytes) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &bytes, appendBytes, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()),
                 static_cast<png_uint_32>(rgb.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(rgb.dotsPerMeterX()),
                 static_cast<png_uint_32>(rgb.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_write_info(png, info);
    // The image data is packed apart (libpng writes any chunk it is
    // given): libpng's own row writer would pack it with zlib.
    static constexpr png_byte kImageData[5] = "IDAT";
    static constexpr png_byte kEnd[5] = "IEND";
    png_write_chunk(png, kImageData, reinterpret_cast<png_const_bytep>(imageData.constData()),
                    static_cast<png_size_t>(imageData.size()));
    png_write_chunk(png, kEnd, nullptr, 0);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

QByteArray pngFileBytes(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    if (!encode(rgb, drawingImageData(rgb), bytes)) {
        return {};
    }
    return bytes;
}
