// The window's event handlers: which mode a key release, a button press or
// a mouse move serves, and in which order the actions run.
#include <QKeyEvent>
#include <QLineEdit>

#include "dialogs/form3.h"
#include "editor/form1.h"

namespace {

// The classic key code of a Qt key; 0 for keys the window does not use.
int classicKeyCode(int qtKey) {
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

}  // namespace

void Form1::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        return;
    }
    if (const int key = classicKeyCode(event->key())) {
        Form_KeyUp(key);
    }
}

// The coordinate boxes filter typed characters and act on released keys
// themselves; their keys never reach the window's key handler.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1 && watched != Text2) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        return !text.isEmpty() && !coordinateBoxKeyPress(text.front().unicode());
    }
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            coordinateBoxKeyUp(classicKeyCode(key->key()));
        }
        return true;
    }
    return false;
}

void Form1::Form_KeyUp(int key) {
    if (key == keys::Space) {
        document.supportDirection = !document.supportDirection;
    }
    if (key == keys::F3) {
        switchCrosshair();
    }
    if (key == keys::F8) {
        if (state.memberInProgress && !state.awaitingFirstPoint) {
            switchOrtho();
        }
        return;
    }
    if (key != keys::Esc) {
        return;
    }
    if (document.memberPicked) {
        document.memberPicked = false;
        ResetMemberColours();
    } else if (state.hoverEnabled || document.loadQueryMode || document.loadInputMode ||
               document.memberDeleteMode) {
        state.hoverEnabled = false;
        document.memberDeleteMode = false;
        document.memberQueryMode = false;
        document.loadInputMode = false;
        document.loadQueryMode = false;
        if (hasForm3()) {
            form3().hide();
        }
        激活菜单();
    } else if (!escapeMemberInput()) {
        if (document.fixedEndMode || document.pinnedMode || document.horizontalLinkMode ||
            document.verticalLinkMode) {
            escapeSupportPlacement();
        } else {
            ResetMemberColours();
        }
    }
}

void Form1::escapeSupportPlacement() {
    document.fixedEndMode = false;
    document.pinnedMode = false;
    document.horizontalLinkMode = false;
    document.verticalLinkMode = false;
    canvas.setLineVisible({kFixedSymbols, 0}, false);
}

void Form1::ResetMemberColours() {
    if (document.membersEntered < 1 || document.membersEntered > document.memberTotal) {
        return;
    }
    for (int i = 1; i <= document.membersEntered; ++i) {
        canvas.setLineColour({kMemberLines, i}, kBlack);
    }
}

void Form1::Form_MouseDown(int button, float x, float y) {
    if (button == 1) {
        panStep(x, y);
    }
    捕捉端点();
    if (button != 1 || !document.memberInputMode) {
        return;
    }
    if (state.awaitingFirstPoint && !state.memberInProgress &&
        document.membersEntered < document.memberTotal) {
        firstPoint(x, y);
    } else if (!state.awaitingFirstPoint && state.memberInProgress) {
        secondPoint(x, y);
    }
}

void Form1::Form_MouseMove(float x, float y) {
    捕捉端点();
    canvas.moveLine({kMemberLines, 0}, x, y, x, y);
    placeCrosshair(x, y);
    showCursorPosition(x, y);
    state.cursorX = x;
    state.cursorY = y;
    if (drawingMember()) {
        rubberBand(x, y);
    }
}
