// A picture as the bytes of a PNG file, written with libpng directly.
//
// Qt's own PNG writer lets libpng try all five row filters on every row,
// which for a drawing of several million pixels (a large frame exported at
// 2400 pixels wide) takes most of the time the export has. A drawing is
// mostly background in a few colours: rows left unfiltered and packed at
// zlib's fastest level make files about as small, several times sooner.
#pragma once

#include <QByteArray>

class QImage;

// The image (any format; converted to 32-bit RGB first when needed) as an
// 8-bit RGB PNG with the image's pixel density; empty when it could not
// be encoded (a null image, or libpng refused it). Safe to call from any
// thread.
QByteArray pngFileBytes(const QImage& image);
