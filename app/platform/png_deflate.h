// The image data of a PNG file of a drawing, packed by a compressor made
// for drawings: rows unfiltered, each byte either a copy of the pixel
// before it or of the row above (runs of background, straight lines,
// repeated rows), or itself. A drawing is mostly such runs, which this
// finds many times sooner than a general compressor searching for
// repeats, for files of about the same size.
#pragma once

#include <QByteArray>

class QImage;

// The zlib stream of the image's rows (a 32-bit RGB image, written as
// 8-bit RGB, each row after its filter byte 0): one block of fixed codes.
QByteArray drawingImageData(const QImage& rgb);
