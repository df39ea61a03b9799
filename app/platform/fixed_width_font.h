// A font of one width that also holds Chinese characters, for tables
// printed with Chinese headers over columns of numbers.
#pragma once

#include <QFont>

// At the size of `base`: the first installed of the fixed-width Chinese
// fonts, best the one whose Chinese characters are two columns wide, else
// the system's fixed-width font (Chinese characters from a fallback font).
QFont fixedWidthChineseFont(const QFont& base);
