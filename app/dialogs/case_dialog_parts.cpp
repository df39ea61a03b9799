// What the dialogs of load cases and combinations share; see
// case_dialog_parts.h.
#include "dialogs/case_dialog_parts.h"

#include <QLayout>
#include <QPushButton>
#include <algorithm>

#include "platform/platform.h"

std::optional<std::string> askCaseName(Platform& platform, const QString& what,
                                       const QString& prompt, const QString& initial,
                                       const std::vector<std::string>& taken) {
    const QString answer = platform.inputBox(prompt, QStringLiteral("荷载") + what, initial);
    if (answer.isEmpty()) {
        return std::nullopt;  // cancelled
    }
    const QString name = answer.trimmed();
    QString refusal;
    if (name.isEmpty()) {
        refusal = QStringLiteral("名称不能为空");
    } else if (name.contains(u'"')) {
        refusal = QStringLiteral("名称中不能有双引号");
    } else if (std::ranges::find(taken, name.toStdString()) != taken.end()) {
        refusal = QStringLiteral("已有同名的") + what;
    }
    if (!refusal.isEmpty()) {
        platform.tell(refusal);
        return std::nullopt;
    }
    return name.toStdString();
}

QPushButton* addDialogButton(const QString& caption, QLayout& buttons, QWidget* dialog) {
    auto* made = new QPushButton(caption, dialog);
    made->setAutoDefault(false);
    buttons.addWidget(made);
    return made;
}
