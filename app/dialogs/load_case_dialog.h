// 荷载工况: the project's load cases in a list. Adds a case (its name
// asked), renames the chosen one, deletes it (never case 1; a case that
// holds loads only after a question) and makes it the current case, into
// which loads, settlements and temperature changes are entered and whose
// loads the drawing shows. Modal over the editor, so nothing else changes
// the cases while it is open.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "document/document.h"

class Platform;
class QListWidget;
class QPushButton;

class LoadCaseDialog : public QDialog {
public:
    LoadCaseDialog(Document& document, Platform& platform, QWidget* editor);

    // Told after each change of the cases, which is one step (the current
    // case may have moved with them). Set by the editor.
    std::function<void()> casesChanged;
    // Told after another case became the current one (no change of the
    // model). Set by the editor.
    std::function<void()> currentCaseChanged;

    // The list made what the document holds, the current case chosen.
    void showCases();

    QListWidget* List1 = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RenameButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* CurrentButton = nullptr;
    QPushButton* CloseButton = nullptr;

private:
    void addCase();
    void renameCase();
    void deleteCase();
    void makeCurrent();
    // The case chosen in the list (1..K), 0 for none.
    int chosenCase() const;
    std::vector<std::string> namesBeside(int loadCase) const;
    void changed(int chosen);

    Document& document_;
    Platform& platform_;
};
