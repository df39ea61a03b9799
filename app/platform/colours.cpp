// Colour values and Qt colours; see colours.h.
#include "platform/colours.h"

#include <QApplication>
#include <QPalette>

namespace {

// System colour indexes of colour values with the high bit set
// (&H800000nn) and the palette colours that play their part here.
QColor systemColour(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
        case 5:
            return palette.color(QPalette::Base);  // window background
        case 6:
            return palette.color(QPalette::Shadow);  // window frame
        case 8:
            return palette.color(QPalette::Text);  // window text
        case 13:
            return palette.color(QPalette::Highlight);  // highlight
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 15:
            return palette.color(QPalette::Button);  // dialog face
        case 18:
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Window);
    }
}

}  // namespace

QColor toQColor(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits & 0x80000000u) {
        return systemColour(static_cast<int>(bits & 0xFFu));
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

std::int32_t toColourValue(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}
