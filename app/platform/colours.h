// Colours as the program stores them, the classic 32-bit value with red in
// the low byte (255 is pure red), and Qt's colours, converted at the
// painting and dialog edge only.
#pragma once

#include <QColor>
#include <cstdint>

// Values with the high bit set name a system colour; they map to the
// matching colour of the application palette.
QColor toQColor(std::int32_t value);
std::int32_t toColourValue(const QColor& colour);
