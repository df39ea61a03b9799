// What the parts of the editor may ask of the window around them: the hint
// label, the menus, the mode, the keyboard, the coordinate boxes, the node
// numbering and the dialogs. The parts own their own state and change the
// document and the canvas themselves; everything else of the window goes
// through here.
#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "document/editor_mode.h"
#include "document/node_numbering.h"

// The hint label's text when no command runs.
inline const QString kIdleHint = QStringLiteral("提示:");

class Form2;
class Form3;

// Why the window starts over with a document: the program started, or
// 新建 or 打开 replaced the document.
enum class ResetReason { StartUp, NewProject, OpenedProject };

class EditorControls {
public:
    virtual ~EditorControls() = default;

    virtual void setHint(const QString& text) = 0;
    // Hints that describe what the canvas shows go with it, so that none
    // describes what is no longer there: one about printed texts (results,
    // numbers) when the canvas is cleared, one about the result picture (a
    // diagram, the reactions, the deflected shape) when the picture goes.
    virtual void setPrintsHint(const QString& text) = 0;
    virtual void setResultPictureHint(const QString& text) = 0;
    // The hint of the running mode with nothing under the mouse: "提示:"
    // without a mode, the command's own instructions in member input and
    // support placement, empty in the modes that point at members.
    virtual void showRestingHint() = 0;
    // Ends whatever mode runs and starts `mode`.
    virtual void enterMode(EditorMode mode) = 0;
    // The main menus: closed by the modes that must not be interrupted.
    virtual void 关闭菜单() = 0;
    virtual void 激活菜单() = 0;
    // The canvas takes the keyboard unless it has it already.
    virtual void keyboardToCanvas() = 0;
    // The window comes to the front with the keyboard on the canvas.
    virtual void keyboardToEditor() = 0;
    // The coordinate boxes' texts (x, y).
    virtual void setBoxTexts(const QString& x, const QString& y) = 0;
    virtual std::pair<QString, QString> boxTexts() const = 0;
    // Numbers the nodes anew and places `supports` again on the nodes at
    // their points (see node_numbering.h). False, with nothing changed,
    // when the members would need more nodes than a number counts.
    [[nodiscard]] virtual bool 节点自动编号(const std::vector<SupportAtPoint>& supports) = 0;
    // The member property dialog and the load dialog, made on first use.
    virtual Form3& form3() = 0;
    virtual Form2& form2() = 0;
    virtual bool hasForm2() const = 0;
    // The window caption names the document's project file.
    virtual void setCaption() = 0;
    // The window as start-up leaves it, for a document just made, started
    // anew or read: every part resets for `reason`.
    virtual void showNewDocument(ResetReason reason) = 0;
};
