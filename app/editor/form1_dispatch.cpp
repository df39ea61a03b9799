// The window's event handlers: which mode a key release, a button press or
// a mouse move serves, and in which order the actions run.
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include "canvas/canvas_view.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "editor/form1.h"
#include "editor/key_codes.h"
#include "text/number_text.h"

namespace {

// The code of a Qt key as the key handlers receive it; 0 for keys the
// window does not use.
int keyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Backspace:
            return keys::Backspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return keys::Enter;
        case Qt::Key_Escape:
            return keys::Esc;
        case Qt::Key_Space:
            return keys::Space;
        case Qt::Key_Delete:
            return keys::Del;
        case Qt::Key_F3:
            return keys::F3;
        case Qt::Key_F8:
            return keys::F8;
        case Qt::Key_F12:
            return keys::F12;
        default:
            return 0;
    }
}

// The legend lies over the canvas but is no part of it: a press there
// places no point and captures nothing. (The hint label lets every mouse
// event through; the canvas itself ignores presses on the hint's text.)
bool isMouseButtonEvent(const QEvent& event) {
    const auto type = event.type();
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::MouseButtonRelease;
}

}  // namespace

void Form1::keyPressEvent(QKeyEvent* event) {
    keysPressedHere_.note(*event);
    QMainWindow::keyPressEvent(event);
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
    if (!keysPressedHere_.take(*event)) {
        return;
    }
    if (const int key = keyCode(event->key())) {
        Form_KeyUp(key);
    }
}

// The coordinate boxes filter typed characters and act on released keys
// themselves; their keys never reach the window's key handler. Tab and
// Shift+Tab move between the boxes.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1) {
        return isMouseButtonEvent(*event);
    }
    if (watched != Text1 && watched != Text2) {
        return QMainWindow::eventFilter(watched, event);
    }
    // Undo and redo are the window's, not the box's own undo of its text.
    if (event->type() == QEvent::ShortcutOverride) {
        return edits_.isEditShortcut(static_cast<const QKeyEvent&>(*event));
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        keysPressedHere_.note(*key);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            return false;
        }
        const QString text = key->text();
        return !text.isEmpty() && !memberInput_.boxKeepsCharacter(text.front().unicode());
    }
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!keysPressedHere_.take(*key)) {
            return true;
        }
        // The boxes keep what is typed into them and Enter; the command
        // keys (Esc, F3, F8, ...) act on the window as from the canvas, so
        // that a relative point typed and entered does not trap the user.
        const int code = keyCode(key->key());
        if (code == 0 || code == keys::Backspace || code == keys::Enter) {
            const EditScope step(edits_);
            memberInput_.boxKeyUp(code);
        } else {
            Form_KeyUp(code);
        }
        return true;
    }
    return false;
}

// Space and F3 act in every mode, F12 in load input; F8 belongs to the
// member being drawn; Esc and Del then take the first row that applies,
// innermost step first.
void Form1::Form_KeyUp(int key) {
    const EditScope step(edits_);
    view_.userActed();
    if (key == keys::Space) {
        document.supportDirection = !document.supportDirection;
    }
    if (key == keys::F3) {
        view_.switchCrosshair();
    }
    if (key == keys::F12 && document.mode == EditorMode::LoadInput) {
        loads_.giveDialogsLoad();
        pointing_.resetColours();  // the next load needs the mouse on a member again
    }
    if (key == keys::F8) {
        if (memberInput_.memberInProgress() && !memberInput_.awaitingFirstPoint()) {
            memberInput_.switchOrtho(state.cursorX, state.cursorY);
        }
        return;
    }
    if (key == keys::Esc && selection_.running()) {
        selection_.escape();
    } else if (key == keys::Esc) {
        escapeInnermostStep();
    } else if (key == keys::Del && document.mode == EditorMode::MemberDeletion &&
               document.membersEntered >= 1) {
        pointing_.deleteHovered();
        loadDrawing_.redraw();  // the member's loads went with it, the last one's moved
    }
}

// Esc takes the innermost step back; whatever it ends, no member stays
// marked or hovered, and a mode it leaves hands the hint back to "提示:".
void Form1::escapeInnermostStep() {
    if (document.memberPicked) {
        document.memberPicked = false;
    } else if (pointing_.hovering() || document.mode == EditorMode::LoadQuery ||
               document.mode == EditorMode::LoadInput ||
               document.mode == EditorMode::MemberDeletion) {
        enterMode(Mode::None);
        激活菜单();
        Label6->setText(kIdleHint);
    } else if (memberInput_.escapeMemberInput()) {
        // the member being drawn, or member input itself, is left
    } else if (supports_.running()) {
        supports_.escape();
        Label6->setText(kIdleHint);
    } else if (connections_.running() || supportEffects_.running() || nodes_.running()) {
        enterMode(Mode::None);
        Label6->setText(kIdleHint);
    } else {
        Label6->setText(kIdleHint);
    }
    pointing_.clearMark();
}

// The steps of a press, in order; each runs for the same press. Capture
// and hover look at the press itself, so that a press without a move
// before it acts on what lies under the pointer.
void Form1::Form_MouseDown(int button, float x, float y) {
    const EditScope step(edits_);
    view_.userActed();
    state.cursorX = x;
    state.cursorY = y;
    if (button == 1) {
        view_.panStep(x, y);
    }
    捕捉端点();
    if (pointing_.hovering()) {
        document.hoveredMember = pointing_.hoverAt(x, y);
    }
    if (button == 2) {
        pointing_.pick();
        if (document.mode == EditorMode::LoadQuery) {
            loads_.openPickedMembersLoads();
        }
    }
    connections_.pointAt(x, y);
    supportEffects_.pointAt(x, y);
    if (button == 1) {
        supports_.placeOnPress();
        connections_.press(x, y);
        supportEffects_.press(x, y);
    }
    if (button == 1 && document.mode == EditorMode::MemberInput) {
        memberInput_.press(x, y);
    }
    if (button == 1) {
        nodes_.press(x, y);
    }
    selection_.press(button, x, y, canvasView->pressModifiers().testFlag(Qt::ControlModifier));
}

// A release ends a node's drag, what it changed one step, or a selection
// box.
void Form1::Form_MouseUp(int button, float x, float y) {
    const EditScope step(edits_);
    state.cursorX = x;
    state.cursorY = y;
    捕捉端点();
    if (button == 1) {
        nodes_.release(x, y);
    }
    selection_.release(button, x, y);
}

// The steps of a mouse move, in order. Capture, hover, the mark and the
// tick follow the position of this move: with the position of the move
// before, a quick move left F12, Del or a pick acting on the member the
// pointer had just left.
void Form1::Form_MouseMove(float x, float y) {
    state.cursorX = x;
    state.cursorY = y;
    捕捉端点();
    canvas.moveLine({kMemberLines, 0}, x, y, x, y);
    view_.placeCrosshair(x, y);
    if (pointing_.hovering()) {
        document.hoveredMember = pointing_.hoverAt(x, y);
    }
    supports_.preview(x, y);
    connections_.pointAt(x, y);
    supportEffects_.pointAt(x, y);
    if (!memberInput_.keepsTypedPoint()) {
        // Where a press would put the point: the captured end or grid
        // point rather than the pointer beside it.
        const auto [shownX, shownY] = placeOfPointer(document, x, y);
        setBoxTexts(QString::fromStdString(orv::displayText(shownX)),
                    QString::fromStdString(orv::displayText(shownY)));
    }
    nodes_.dragTo(x, y);
    if (memberInput_.drawing()) {
        memberInput_.rubberBand(x, y);
    }
    selection_.drag(x, y);
}
