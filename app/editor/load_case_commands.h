// Load cases and combinations: 荷载工况 (the list of cases, the current
// case) and 荷载组合 (the table of factors), each a modal dialog over the
// window. Each change of the cases or combinations is one step, named
// after its command; choosing the current case changes no model, only what
// is entered and drawn: the loads figure shows the current case and the
// window caption names it while the project has more than one case.
#pragma once

#include <QString>
#include <memory>

#include "editor/editor_part.h"

class CombinationDialog;
class EditCommands;
class LoadCaseDialog;
class LoadDrawing;
class QWidget;

class LoadCaseCommands : public EditorPart {
public:
    // `editor` is the window the dialogs are modal over.
    LoadCaseCommands(const EditorContext& context, LoadDrawing& loadDrawing, EditCommands& edits,
                     QWidget* editor);
    ~LoadCaseCommands() override;

    // 荷载工况, 荷载组合.
    std::vector<MenuRow> menuRows() override;
    // The dialogs close: the document they showed went.
    void reset(ResetReason reason) override;

    // The model became another state (a step undone or redone): the
    // current case stays one of the cases and an open dialog shows them.
    void modelChanged();

private:
    void casesCommand();
    void combinationsCommand();
    void showCurrentCase();

    LoadDrawing& loadDrawing;
    EditCommands& edits;
    QWidget* editor;
    std::unique_ptr<LoadCaseDialog> cases_;
    std::unique_ptr<CombinationDialog> combinations_;
};
