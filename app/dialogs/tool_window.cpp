// The editor's modeless dialogs; see tool_window.h.
#include "dialogs/tool_window.h"

#include <QScreen>
#include <algorithm>

QRect frameAtTopRightOf(QSize frameSize, const QRect& anchorFrame, const QRect& available) {
    QRect frame(QPoint(), frameSize);
    frame.moveTopRight(anchorFrame.topRight());
    const int left = std::min(frame.left(), available.left() + available.width() - frame.width());
    const int top = std::min(frame.top(), available.top() + available.height() - frame.height());
    frame.moveTopLeft(QPoint(std::max(left, available.left()), std::max(top, available.top())));
    return frame;
}

EditorToolWindow::EditorToolWindow(QWidget* editor) : QWidget(editor, Qt::Tool), editor_(editor) {}

void EditorToolWindow::setStayOnTop(bool on) {
    stayOnTop_ = on;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) {
        return;
    }
    // Changing a window flag recreates the window hidden; put it back where
    // and as it was.
    const bool wasVisible = isVisible();
    const QRect placement = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    setGeometry(placement);
    if (wasVisible) {
        show();
    }
}

void EditorToolWindow::placeNextToEditor() {
    if (editor_ == nullptr) {
        return;
    }
    // The window is made now, where the platform can tell its frame's size.
    create();
    const QRect editorFrame = editor_->frameGeometry();
    const QScreen* screen = editor_->screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : editorFrame;
    move(frameNextToEditor(editorFrame, available).topLeft());
    awaitingFrame_ = frameGeometry() == geometry();
}

// The window manager frames the window after it is shown; once the frame's
// size is known the dialog is placed again, by its real frame. That happens
// before the user can grab the title bar, and only once, so a dialog the
// user moved stays where it was put.
void EditorToolWindow::placeAgainOnceFramed() {
    if (awaitingFrame_ && frameGeometry() != geometry()) {
        awaitingFrame_ = false;
        placeNextToEditor();
    }
}

void EditorToolWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeAgainOnceFramed();
}

void EditorToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeAgainOnceFramed();
}
