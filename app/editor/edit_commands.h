// The 编辑 menu: 撤销 and 重做 of every change of the document. Each menu
// command and each key release or press of the window runs inside an
// EditScope; when the outermost one ends, a change of the model becomes
// one step of the history, named by the command, or by the command of the
// mode in which the event came ("删除杆件" for Del in member deletion).
// The dialogs report their own changes: every change of the member picked
// in member query is one step, as is each change of one load picked in
// load query.
//
// Owns the history and the two menu items. Undo and redo put the model
// back, let the mode go on without a member picked (a member being drawn
// is abandoned first), clear the printed results and make the drawing what
// the document says.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "document/edit_history.h"
#include "editor/editor_part.h"
#include "editor/menu_commands.h"

class MemberInput;
class QAction;
class QKeyEvent;
class ViewControl;

class EditCommands : public EditorPart {
public:
    EditCommands(const EditorContext& context, MemberInput& memberInput, ViewControl& view);

    // 撤销, 重做.
    std::vector<MenuRow> menuRows() override;
    // A new history (see restart).
    void reset(ResetReason /*reason*/) override { restart(); }

    // The menu items 撤销 (Ctrl+Z) and 重做 (Ctrl+Y, Ctrl+Shift+Z); their
    // captions name the step they would undo or redo.
    void showIn(QAction* undoItem, QAction* redoItem);
    // Whether `key` is the shortcut of either item.
    bool isEditShortcut(const QKeyEvent& key) const;
    // The caption of a menu item, which names the steps of its command.
    // Set by the window.
    std::function<QString(MenuCommand)> captionOf;
    // Told when the model became another state: a step recorded, undone or
    // redone. Set by the window (the caption marks unsaved work).
    std::function<void()> modelChanged;

    // A new history at the document as it is: start-up, 新建, 打开.
    void restart();
    // The document as it is now is what its project file holds; whether it
    // has changed since (the view and the path are no change).
    void markSaved();
    bool hasUnsavedChanges() const;
    void undo();
    void redo();

    // The property dialog wrote to the picked member.
    void memberPropertiesWritten();
    // The load dialog changed or removed a load of the picked member.
    void loadWritten(bool removed);
    // A modal dialog of the window changed the model: one step named `name`.
    void dialogChanged(const QString& name) { recordDialogChange(name, 0); }

private:
    friend class EditScope;
    void begin() { ++openScopes_; }
    void end(const QString& name, EditorMode modeAtStart, bool pickedAtStart);
    void record(const QString& name, std::uint64_t mergeKey);
    void recordDialogChange(const QString& name, std::uint64_t mergeKey);
    void tellModelChanged();
    QString stepName(EditorMode mode) const;
    void travel(bool (EditHistory::*possible)(EditorMode) const, bool (EditHistory::*go)(Model&));
    void showRestoredState();
    void refresh();

    MemberInput& memberInput;
    ViewControl& view;
    EditHistory history_;
    QAction* undoItem_ = nullptr;
    QAction* redoItem_ = nullptr;
    int openScopes_ = 0;
    // Counts the picks of member and load query: the changes of one pick
    // join into one step.
    std::uint64_t pickSerial_ = 1;
};

// One command or event of the window: what it changed becomes one step
// when the outermost scope ends. An empty `name` names the step after the
// command of the mode that ran when the event came.
class EditScope {
public:
    explicit EditScope(EditCommands& edits, QString name = {});
    ~EditScope();
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    EditCommands& edits_;
    QString name_;
    EditorMode modeAtStart_;
    bool pickedAtStart_;
};
