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

// The frame's margins once the window manager framed the dialog; until
// then the editor's, whose frame comes from the same window manager.
QMargins EditorToolWindow::expectedFrameMargins() const {
    const QWidget* measured = frameGeometry() != geometry() || editor_ == nullptr ? this : editor_;
    const QRect frame = measured->frameGeometry();
    const QRect client = measured->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QSize EditorToolWindow::expectedFrameSize() const {
    return size().grownBy(expectedFrameMargins());
}

// The dialog's frame goes inside the available area and below the editor's
// title bar, whose buttons it must not cover. Before the dialog is framed
// the platform places its client area where it is moved to and the window
// manager puts the title bar above it: the client area then goes where the
// frame's margins will put it, so that the title bar lands on the screen.
void EditorToolWindow::placeNextToEditor() {
    if (editor_ == nullptr) {
        return;
    }
    // The window is made now, where the platform can tell its frame's size.
    create();
    QRect belowTitleBar = editor_->frameGeometry();
    belowTitleBar.setTop(editor_->geometry().top());
    const QScreen* screen = editor_->screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : belowTitleBar;
    const QRect frame = frameNextToEditor(belowTitleBar, available);
    awaitingFrame_ = frameGeometry() == geometry();
    if (awaitingFrame_) {
        const QMargins margins = expectedFrameMargins();
        move(frame.topLeft() + QPoint(margins.left(), margins.top()));
    } else {
        move(frame.topLeft());
    }
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
