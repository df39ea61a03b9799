// Values asked in one input box; see number_list_input.h.
#include "editor/number_list_input.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "platform/platform.h"
#include "text/number_text.h"

std::optional<std::vector<double>> askNumberList(Platform& platform, const QString& prompt,
                                                 const QString& title, const QString& shown,
                                                 std::size_t count) {
    const QString answer = platform.inputBox(prompt, title, shown).trimmed();
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    const QStringList items = answer.split(QRegularExpression(QStringLiteral("[,，]")));
    std::vector<double> values;
    for (const QString& item : items) {
        const std::optional<double> value = orv::parseNumber(item.trimmed().toStdString());
        if (!value || !std::isfinite(static_cast<float>(*value))) {
            break;
        }
        values.push_back(*value);
    }
    if (values.size() != count || items.size() != static_cast<qsizetype>(count)) {
        platform.tell(QStringLiteral("请输入") + QString::number(count) +
                      QStringLiteral("个数,用逗号分开"));
        return std::nullopt;
    }
    return values;
}
