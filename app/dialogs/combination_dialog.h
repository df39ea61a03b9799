// 荷载组合: the project's combinations as a table, one row per combination
// (named in the row's header), one column per load case, each cell the
// factor of that case in that combination, blank when the case is not in
// it. Adds a combination (its name asked; it starts as case 1 with the
// factor 1), renames and deletes the chosen one; an edited cell is written
// at once. Modal over the editor.
#pragma once

#include <QDialog>
#include <functional>

#include "document/document.h"

class Platform;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class CombinationDialog : public QDialog {
public:
    CombinationDialog(Document& document, Platform& platform, QWidget* editor);

    // Told after each change of the combinations, which is one step. Set
    // by the editor.
    std::function<void()> combinationsChanged;

    // The table made what the document holds.
    void showCombinations();

    QTableWidget* Table1 = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RenameButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* CloseButton = nullptr;

private:
    void addCombination();
    void renameCombination();
    void deleteCombination();
    void factorEdited(const QTableWidgetItem& cell);
    // The combination of the table's current row (1..C), 0 for none.
    int chosenCombination() const;
    std::vector<std::string> namesBeside(int combination) const;
    void changed(int chosen);

    Document& document_;
    Platform& platform_;
};
