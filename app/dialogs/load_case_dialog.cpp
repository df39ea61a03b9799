// The list of load cases; see load_case_dialog.h.
#include "dialogs/load_case_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/case_dialog_parts.h"
#include "document/load_cases.h"
#include "platform/platform.h"

namespace {

QString caseName(const Document& document, int loadCase) {
    return QString::fromStdString(loadCaseName(document, loadCase));
}

}  // namespace

LoadCaseDialog::LoadCaseDialog(Document& document, Platform& platform, QWidget* editor)
    : QDialog(editor), document_(document), platform_(platform) {
    setWindowTitle(QStringLiteral("荷载工况"));
    setWindowModality(Qt::WindowModal);
    List1 = new QListWidget(this);
    auto* buttons = new QVBoxLayout;
    AddButton = addDialogButton(QStringLiteral("添加..."), *buttons, this);
    RenameButton = addDialogButton(QStringLiteral("改名..."), *buttons, this);
    DeleteButton = addDialogButton(QStringLiteral("删除"), *buttons, this);
    CurrentButton = addDialogButton(QStringLiteral("设为当前工况"), *buttons, this);
    buttons->addStretch();
    CloseButton = addDialogButton(QStringLiteral("关闭"), *buttons, this);
    auto* frame = new QHBoxLayout(this);
    frame->addWidget(List1);
    frame->addLayout(buttons);
    connect(AddButton, &QPushButton::clicked, this, [this] { addCase(); });
    connect(RenameButton, &QPushButton::clicked, this, [this] { renameCase(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { deleteCase(); });
    connect(CurrentButton, &QPushButton::clicked, this, [this] { makeCurrent(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { makeCurrent(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

// "2  活载 (当前)": number, name, and the mark of the current case.
void LoadCaseDialog::showCases() {
    const int chosen = chosenCase();
    List1->clear();
    for (int c = 1; c <= loadCaseCount(document_); ++c) {
        QString text = QString::number(c) + QStringLiteral("  ") + caseName(document_, c);
        if (c == document_.currentLoadCase) {
            text += QStringLiteral(" (当前)");
        }
        List1->addItem(text);
    }
    const int row = chosen >= 1 && chosen <= List1->count() ? chosen : document_.currentLoadCase;
    List1->setCurrentRow(row - 1);
}

int LoadCaseDialog::chosenCase() const {
    const int row = List1->currentRow();
    return row >= 0 && row < loadCaseCount(document_) ? row + 1 : 0;
}

std::vector<std::string> LoadCaseDialog::namesBeside(int loadCase) const {
    std::vector<std::string> names;
    for (int c = 1; c <= loadCaseCount(document_); ++c) {
        if (c != loadCase) {
            names.push_back(caseName(document_, c).toStdString());
        }
    }
    return names;
}

void LoadCaseDialog::addCase() {
    const int next = loadCaseCount(document_) + 1;
    const auto name =
        askCaseName(platform_, QStringLiteral("工况"), QStringLiteral("请输入新工况的名称"),
                    QStringLiteral("工况") + QString::number(next), namesBeside(0));
    if (name) {
        changed(addLoadCase(document_, *name));
    }
}

void LoadCaseDialog::renameCase() {
    const int chosen = chosenCase();
    if (chosen == 0) {
        return;
    }
    const auto name = askCaseName(
        platform_, QStringLiteral("工况"),
        QStringLiteral("请输入工况") + QString::number(chosen) + QStringLiteral("的新名称"),
        caseName(document_, chosen), namesBeside(chosen));
    if (name && *name != loadCaseName(document_, chosen) &&
        renameLoadCase(document_, chosen, *name)) {
        changed(chosen);
    }
}

// The current case stays the same case: it moves down with the cases
// after the deleted one, and becomes case 1 when it is the one deleted.
void LoadCaseDialog::deleteCase() {
    const int chosen = chosenCase();
    if (chosen == 0) {
        return;
    }
    if (chosen == 1) {
        platform_.tell(QStringLiteral("第1个工况不能删除"));
        return;
    }
    const QString name = caseName(document_, chosen);
    if (caseHasLoads(document_, chosen) &&
        platform_.messageBox(QStringLiteral("工况“") + name +
                                 QStringLiteral("”中有荷载, 删除工况将删除这些荷载。\n要删除吗?"),
                             MessageButtons::YesNoDefaultNo, MessageIcon::Question,
                             QStringLiteral("荷载工况")) != MessageAnswer::Yes) {
        return;
    }
    const std::size_t combinations = document_.combinations.size();
    if (!deleteLoadCase(document_, chosen)) {
        return;
    }
    // The results shown follow their case's new number; those of the
    // deleted case, or of a combination when combinations went with it,
    // give way to case 1's.
    ResultChoice& shown = document_.shownResults;
    if (shown.kind == ResultChoice::Kind::Case && shown.number >= chosen) {
        shown.number = shown.number == chosen ? 1 : shown.number - 1;
    } else if (shown.kind == ResultChoice::Kind::Combination &&
               document_.combinations.size() != combinations) {
        shown = ResultChoice{};
    }
    const int current = document_.currentLoadCase;
    document_.currentLoadCase =
        static_cast<std::int16_t>(current == chosen ? 1 : current - (current > chosen));
    changed(chosen - 1);
}

void LoadCaseDialog::makeCurrent() {
    const int chosen = chosenCase();
    if (chosen == 0 || chosen == document_.currentLoadCase) {
        return;
    }
    document_.currentLoadCase = static_cast<std::int16_t>(chosen);
    showCases();
    if (currentCaseChanged) {
        currentCaseChanged();
    }
}

// The list shows the cases as they are now, `chosen` (1..K) chosen.
void LoadCaseDialog::changed(int chosen) {
    List1->clear();  // no case stays chosen by its old row
    showCases();
    List1->setCurrentRow(chosen - 1);
    if (casesChanged) {
        casesChanged();
    }
}
