// A picture as the bytes of a PNG file, its chunks written with libpng.
//
// Qt's own PNG writer lets libpng try all five row filters on every row,
// and even zlib's fastest level searches every few bytes for repeats: for a
// drawing of several million pixels (a large frame exported at 2400 pixels
// wide) either takes most of the time the export has. A drawing is mostly
// runs of its background and lines across or down, so its rows are packed
// by a compressor that looks for just those (png_deflate.h), files a
// little larger, many times sooner.
#pragma once

#include <QByteArray>

class QImage;

// The image (any format; converted to 32-bit RGB first when needed) as an
// 8-bit RGB PNG with the image's pixel density; empty when it could not
// be encoded (a null image, or libpng refused it). Safe to call from any
// thread.
QByteArray pngFileBytes(const QImage& image);
