// The table of load combinations; see combination_dialog.h.
#include "dialogs/combination_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "dialogs/case_dialog_parts.h"
#include "document/load_cases.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

// A cell's text as a factor: blank takes the case out (none); a text that
// is no finite number in single precision is refused (false).
bool readFactor(const QString& text, std::optional<float>& factor) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        factor.reset();
        return true;
    }
    const std::optional<double> value = orv::parseNumber(trimmed.toStdString());
    if (!value || !std::isfinite(static_cast<float>(*value))) {
        return false;
    }
    factor = static_cast<float>(*value) + 0.0f;  // no -0
    return true;
}

}  // namespace

CombinationDialog::CombinationDialog(Document& document, Platform& platform, QWidget* editor)
    : QDialog(editor), document_(document), platform_(platform) {
    setWindowTitle(QStringLiteral("荷载组合"));
    setWindowModality(Qt::WindowModal);
    Table1 = new QTableWidget(this);
    Table1->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* buttons = new QVBoxLayout;
    AddButton = addDialogButton(QStringLiteral("添加..."), *buttons, this);
    RenameButton = addDialogButton(QStringLiteral("改名..."), *buttons, this);
    DeleteButton = addDialogButton(QStringLiteral("删除"), *buttons, this);
    buttons->addStretch();
    CloseButton = addDialogButton(QStringLiteral("关闭"), *buttons, this);
    auto* frame = new QHBoxLayout(this);
    frame->addWidget(Table1);
    frame->addLayout(buttons);
    resize(560, 280);
    connect(AddButton, &QPushButton::clicked, this, [this] { addCombination(); });
    connect(RenameButton, &QPushButton::clicked, this, [this] { renameCombination(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { deleteCombination(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(Table1, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* cell) { factorEdited(*cell); });
}

void CombinationDialog::showCombinations() {
    const QSignalBlocker quiet(Table1);  // filling is no edit
    const int cases = loadCaseCount(document_);
    const int rows = static_cast<int>(document_.combinations.size());
    Table1->setColumnCount(cases);
    Table1->setRowCount(rows);
    for (int c = 1; c <= cases; ++c) {
        Table1->setHorizontalHeaderItem(
            c - 1, new QTableWidgetItem(QString::fromStdString(loadCaseName(document_, c))));
    }
    for (int k = 1; k <= rows; ++k) {
        Table1->setVerticalHeaderItem(
            k - 1, new QTableWidgetItem(QString::fromStdString(
                       document_.combinations[static_cast<std::size_t>(k - 1)].name)));
        for (int c = 1; c <= cases; ++c) {
            const std::optional<float> factor = combinationFactor(document_, k, c);
            Table1->setItem(
                k - 1, c - 1,
                new QTableWidgetItem(factor ? QString::fromStdString(orv::displayText(*factor))
                                            : QString()));
        }
    }
}

int CombinationDialog::chosenCombination() const {
    const int row = Table1->currentRow();
    return row >= 0 && row < static_cast<int>(document_.combinations.size()) ? row + 1 : 0;
}

std::vector<std::string> CombinationDialog::namesBeside(int combination) const {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < document_.combinations.size(); ++k) {
        if (static_cast<int>(k) + 1 != combination) {
            names.push_back(document_.combinations[k].name);
        }
    }
    return names;
}

void CombinationDialog::addCombination() {
    const auto next = static_cast<int>(document_.combinations.size()) + 1;
    const auto name =
        askCaseName(platform_, QStringLiteral("组合"), QStringLiteral("请输入新组合的名称"),
                    QStringLiteral("组合") + QString::number(next), namesBeside(0));
    if (name) {
        changed(::addCombination(document_, *name, {{1, 1.0f}}));
    }
}

void CombinationDialog::renameCombination() {
    const int chosen = chosenCombination();
    if (chosen == 0) {
        return;
    }
    const auto name = askCaseName(
        platform_, QStringLiteral("组合"),
        QStringLiteral("请输入组合") + QString::number(chosen) + QStringLiteral("的新名称"),
        QString::fromStdString(document_.combinations[static_cast<std::size_t>(chosen - 1)].name),
        namesBeside(chosen));
    if (name && *name != document_.combinations[static_cast<std::size_t>(chosen - 1)].name &&
        ::renameCombination(document_, chosen, *name)) {
        changed(chosen);
    }
}

void CombinationDialog::deleteCombination() {
    const int chosen = chosenCombination();
    if (chosen != 0 && ::deleteCombination(document_, chosen)) {
        // The results shown follow their combination's new number; those
        // of the deleted one give way to case 1's.
        ResultChoice& shown = document_.shownResults;
        if (shown.kind == ResultChoice::Kind::Combination && shown.number >= chosen) {
            shown = shown.number == chosen ? ResultChoice{}
                                           : ResultChoice{shown.kind, shown.number - 1};
        }
        changed(chosen - 1);
    }
}

// A refused text is replaced by the factor as it was.
void CombinationDialog::factorEdited(const QTableWidgetItem& cell) {
    const int combination = cell.row() + 1;
    const int loadCase = cell.column() + 1;
    std::optional<float> factor;
    if (!readFactor(cell.text(), factor)) {
        platform_.tell(QStringLiteral("组合系数应为一个数"));
    } else if (factor == combinationFactor(document_, combination, loadCase)) {
        // the same factor written again: no change
    } else if (!setCombinationFactor(document_, combination, loadCase, factor)) {
        platform_.tell(QStringLiteral("组合中至少要有一个工况"));
    } else {
        changed(combination);
        return;
    }
    showCombinations();
}

void CombinationDialog::changed(int chosen) {
    showCombinations();
    if (chosen >= 1) {
        Table1->setCurrentCell(chosen - 1, std::max(Table1->currentColumn(), 0));
    }
    if (combinationsChanged) {
        combinationsChanged();
    }
}
