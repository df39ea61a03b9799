// The 编辑 menu: undo and redo of the document's steps; see edit_commands.h.
#include "editor/edit_commands.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <array>
#include <utility>

#include "canvas/canvas.h"
#include "dialogs/form2.h"
#include "editor/editor_controls.h"
#include "editor/member_input.h"
#include "editor/view_control.h"

namespace {

// The command whose mode an event's step belongs to.
constexpr std::array<std::pair<EditorMode, MenuCommand>, 17> kModeCommands{{
    {EditorMode::MemberInput, MenuCommand::MemberInput},
    {EditorMode::MemberDeletion, MenuCommand::MemberDelete},
    {EditorMode::MemberQuery, MenuCommand::MemberQuery},
    {EditorMode::LoadInput, MenuCommand::LoadInput},
    {EditorMode::LoadQuery, MenuCommand::LoadQuery},
    {EditorMode::FixedEnd, MenuCommand::FixedEnd},
    {EditorMode::Pinned, MenuCommand::Pinned},
    {EditorMode::HorizontalLink, MenuCommand::HorizontalLink},
    {EditorMode::VerticalLink, MenuCommand::VerticalLink},
    {EditorMode::EndHinge, MenuCommand::EndHinge},
    {EditorMode::HingedNode, MenuCommand::HingedNode},
    {EditorMode::EndStiffness, MenuCommand::EndStiffness},
    {EditorMode::ElasticSupport, MenuCommand::ElasticSupport},
    {EditorMode::InclinedSupport, MenuCommand::InclinedSupport},
    {EditorMode::Settlement, MenuCommand::Settlement},
    {EditorMode::TemperatureChange, MenuCommand::TemperatureChange},
    {EditorMode::MoveNode, MenuCommand::MoveNode},
}};

const QString kUndo = QStringLiteral("撤销");
const QString kRedo = QStringLiteral("重做");

// Keys of one pick's changes: the member's properties (slot 0) or one of
// its loads (slots 1..55).
std::uint64_t pickKey(std::uint64_t pick, int slot) {
    return (pick << 6) | static_cast<std::uint64_t>(slot & 63);
}

void showItem(QAction* item, const QString& verb, bool enabled, const std::string& step) {
    if (item == nullptr) {
        return;
    }
    item->setEnabled(enabled);
    item->setText(enabled ? verb + u' ' + QString::fromStdString(step) : verb);
}

}  // namespace

EditCommands::EditCommands(const EditorContext& context, MemberInput& memberInput,
                           ViewControl& view)
    : EditorPart(context), memberInput(memberInput), view(view) {}

std::vector<MenuRow> EditCommands::menuRows() {
    return {{MenuCommand::Undo, "撤销", [this] { undo(); }},
            {MenuCommand::Redo, "重做", [this] { redo(); }}};
}

void EditCommands::showIn(QAction* undoItem, QAction* redoItem) {
    undoItem_ = undoItem;
    redoItem_ = redoItem;
    undoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoItem_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    refresh();
}

bool EditCommands::isEditShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* item : {undoItem_, redoItem_}) {
        if (item != nullptr && item->shortcuts().contains(pressed)) {
            return true;
        }
    }
    return false;
}

void EditCommands::restart() {
    history_.restart(document, EditHistory::recordedMembers(document, memberInput.drawing()));
    refresh();
}

void EditCommands::markSaved() {
    history_.markSaved(document, EditHistory::recordedMembers(document, memberInput.drawing()));
}

bool EditCommands::hasUnsavedChanges() const {
    return !history_.isSaved(document,
                             EditHistory::recordedMembers(document, memberInput.drawing()));
}

void EditCommands::undo() {
    travel(&EditHistory::canUndo, &EditHistory::undo);
}

void EditCommands::redo() {
    travel(&EditHistory::canRedo, &EditHistory::redo);
}

// A step is undone or redone only where it may be: in a mode, a step of
// that mode. The member being drawn has no record in any state: it goes
// first.
void EditCommands::travel(bool (EditHistory::*possible)(EditorMode) const,
                          bool (EditHistory::*go)(Model&)) {
    if (!(history_.*possible)(document.mode)) {
        return;
    }
    memberInput.abandonDrawing();
    (history_.*go)(document);
    showRestoredState();
    refresh();
    tellModelChanged();
}

// The mode goes on as if entered anew: no member picked or marked, member
// input waiting for a first point. The load dialog of load query showed
// the loads of a member that may have others now: it goes until the next
// pick. Printed results belong to the model that was: they go.
void EditCommands::showRestoredState() {
    controls.enterMode(document.mode);
    if (document.mode == EditorMode::LoadQuery && controls.hasForm2()) {
        controls.form2().hide();
    }
    canvas.clear();
    view.showDocument();
    controls.showRestingHint();  // no hint of the state left behind stays
    canvas.setLineColour({kCrosshairX}, document.crosshairColour);
    canvas.setLineColour({kCrosshairY}, document.crosshairColour);
}

void EditCommands::end(const QString& name, EditorMode modeAtStart, bool pickedAtStart) {
    if (--openScopes_ > 0) {
        return;
    }
    if (document.memberPicked && !pickedAtStart) {
        ++pickSerial_;
    }
    record(name.isEmpty() ? stepName(modeAtStart) : name, 0);
}

void EditCommands::memberPropertiesWritten() {
    recordDialogChange(stepName(document.mode), pickKey(pickSerial_, 0));
}

void EditCommands::loadWritten(bool removed) {
    if (removed) {
        recordDialogChange(QStringLiteral("删除荷载"), 0);
    } else {
        recordDialogChange(stepName(document.mode), pickKey(pickSerial_, document.shownLoadIndex));
    }
}

// A dialog's change inside a command of the window is that command's step.
void EditCommands::recordDialogChange(const QString& name, std::uint64_t mergeKey) {
    if (openScopes_ == 0) {
        record(name, mergeKey);
    }
}

void EditCommands::record(const QString& name, std::uint64_t mergeKey) {
    const bool changed =
        history_.record(document, EditHistory::recordedMembers(document, memberInput.drawing()),
                        name.toStdString(), document.mode, mergeKey);
    refresh();
    if (changed) {
        tellModelChanged();
    }
}

void EditCommands::tellModelChanged() {
    if (modelChanged) {
        modelChanged();
    }
}

QString EditCommands::stepName(EditorMode mode) const {
    for (const auto& [running, command] : kModeCommands) {
        if (running == mode && captionOf) {
            return captionOf(command);
        }
    }
    return QStringLiteral("修改");
}

void EditCommands::refresh() {
    const EditorMode mode = document.mode;
    showItem(undoItem_, kUndo, history_.canUndo(mode), history_.undoName());
    showItem(redoItem_, kRedo, history_.canRedo(mode), history_.redoName());
}

EditScope::EditScope(EditCommands& edits, QString name)
    : edits_(edits),
      name_(std::move(name)),
      modeAtStart_(edits.document.mode),
      pickedAtStart_(edits.document.memberPicked) {
    edits_.begin();
}

EditScope::~EditScope() {
    edits_.end(name_, modeAtStart_, pickedAtStart_);
}
