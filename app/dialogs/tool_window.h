// What the editor's two modeless dialogs share: they stay above the editor
// (topmost), are laid out in twips, and place themselves by their frame
// next to the editor inside the available area of its screen, once more
// when the window manager has framed them.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QWidget>

// The controls sit at their design positions, given in twips; a twip is
// 1/1440 inch, so 15 of them make a pixel at 96 dpi.
constexpr int pixels(int twips) {
    return twips / 15;
}

inline QRect twipRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

// A frame of `frameSize` with its top right corner at `anchorFrame`'s,
// moved the least to lie inside `available` (its top left corner wins when
// it does not fit at all).
QRect frameAtTopRightOf(QSize frameSize, const QRect& anchorFrame, const QRect& available);

class EditorToolWindow : public QWidget {
public:
    // `editor` is the main window the dialog stays above.
    explicit EditorToolWindow(QWidget* editor);

    bool StayOnTop() const { return stayOnTop_; }
    void setStayOnTop(bool on);

protected:
    QWidget* editor() const { return editor_; }
    // Where the dialog's frame goes, given the editor's frame and the
    // available area of the editor's screen.
    virtual QRect frameNextToEditor(const QRect& editorFrame, const QRect& available) const = 0;
    // The size of the dialog's frame, estimated from the editor's until
    // the window manager has framed the dialog.
    QSize expectedFrameSize() const;
    QMargins expectedFrameMargins() const;
    // Places the dialog; it is placed once more when the window manager
    // has framed it.
    void placeNextToEditor();

    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeAgainOnceFramed();

    QWidget* editor_;
    bool stayOnTop_ = false;
    bool awaitingFrame_ = false;
};
