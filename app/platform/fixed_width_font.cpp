// A fixed-width font with Chinese characters; see fixed_width_font.h.
#include "platform/fixed_width_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// Noto Sans Mono CJK (fonts-noto-cjk) sets every Chinese character two
// columns wide, so a table's columns stand under their headers exactly.
// WenQuanYi Micro Hei Mono (fonts-wqy-microhei), the other Chinese font the
// program depends on, keeps the numbers in columns but sets Chinese
// characters somewhat narrower.
const QStringList kPreferredFamilies = {QStringLiteral("Noto Sans Mono CJK SC"),
                                        QStringLiteral("WenQuanYi Micro Hei Mono")};

}  // namespace

QFont fixedWidthChineseFont(const QFont& base) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : kPreferredFamilies) {
        if (installed.contains(family)) {
            font.setFamilies({family, font.family()});
            break;
        }
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF());
    } else if (base.pixelSize() > 0) {
        font.setPixelSize(base.pixelSize());
    }
    return font;
}
