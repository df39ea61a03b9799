// Load cases and combinations; see load_case_commands.h.
#include "editor/load_case_commands.h"

#include "dialogs/combination_dialog.h"
#include "dialogs/load_case_dialog.h"
#include "document/load_cases.h"
#include "editor/edit_commands.h"
#include "editor/load_drawing.h"

namespace {

const char* const kCasesCaption = "荷载工况";
const char* const kCombinationsCaption = "荷载组合";

}  // namespace

LoadCaseCommands::LoadCaseCommands(const EditorContext& context, LoadDrawing& loadDrawing,
                                   EditCommands& edits, QWidget* editor)
    : EditorPart(context), loadDrawing(loadDrawing), edits(edits), editor(editor) {}

LoadCaseCommands::~LoadCaseCommands() = default;

std::vector<MenuRow> LoadCaseCommands::menuRows() {
    return {
        {MenuCommand::LoadCases, kCasesCaption, [this] { casesCommand(); }},
        {MenuCommand::LoadCombinations, kCombinationsCaption, [this] { combinationsCommand(); }}};
}

void LoadCaseCommands::reset(ResetReason /*reason*/) {
    for (QWidget* dialog :
         {static_cast<QWidget*>(cases_.get()), static_cast<QWidget*>(combinations_.get())}) {
        if (dialog != nullptr) {
            dialog->hide();
        }
    }
}

// The dialog is modal, so its changes come after the command's own step
// ended: each is recorded as it is made.
void LoadCaseCommands::casesCommand() {
    controls.enterMode(EditorMode::None);
    if (!cases_) {
        cases_ = std::make_unique<LoadCaseDialog>(document, platform, editor);
        cases_->casesChanged = [this] {
            edits.dialogChanged(QString::fromUtf8(kCasesCaption));
            showCurrentCase();  // a renamed or deleted case may be the current one
        };
        cases_->currentCaseChanged = [this] { showCurrentCase(); };
    }
    cases_->showCases();
    cases_->show();
}

void LoadCaseCommands::combinationsCommand() {
    controls.enterMode(EditorMode::None);
    if (!combinations_) {
        combinations_ = std::make_unique<CombinationDialog>(document, platform, editor);
        combinations_->combinationsChanged = [this] {
            edits.dialogChanged(QString::fromUtf8(kCombinationsCaption));
        };
    }
    combinations_->showCombinations();
    combinations_->show();
}

// Undoing the addition of the current case leaves the last case current.
void LoadCaseCommands::modelChanged() {
    const auto cases = static_cast<std::int16_t>(loadCaseCount(document));
    if (document.currentLoadCase > cases) {
        document.currentLoadCase = cases;
        loadDrawing.redraw();
    }
    if (cases_ && cases_->isVisible()) {
        cases_->showCases();
    }
    if (combinations_ && combinations_->isVisible()) {
        combinations_->showCombinations();
    }
    controls.setCaption();
}

// "当前工况: 活载" on the hint when there is more than one case to choose from.
void LoadCaseCommands::showCurrentCase() {
    loadDrawing.redraw();
    controls.setCaption();
    if (loadCaseCount(document) > 1) {
        controls.setHint(QStringLiteral("当前工况: ") +
                         QString::fromStdString(loadCaseName(document, document.currentLoadCase)));
    }
}
