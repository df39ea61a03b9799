// The window's client area: paints the canvas model and hands mouse events
// to the editor in world coordinates.
#pragma once

#include <QPointF>
#include <QSize>
#include <QWidget>
#include <functional>
#include <optional>

class Canvas;

class CanvasView : public QWidget {
public:
    CanvasView(Canvas& canvas, QWidget* parent);

    // Mouse events in world coordinates; button 1 left, 2 right.
    std::function<void(int button, float x, float y)> mouseDown;
    std::function<void(float x, float y)> mouseMove;
    std::function<void(int button, float x, float y)> mouseUp;

    // The keyboard modifiers held at the last press that reached mouseDown.
    Qt::KeyboardModifiers pressModifiers() const { return pressModifiers_; }
    // Pixels over which a press places nothing (the text of a label lying
    // over the canvas); moves there still reach the canvas.
    std::function<bool(QPointF pixel)> pressBlockedAt;
    // The wheel turned `notches` (positive away from the user) with the
    // pointer at a world point.
    std::function<void(int notches, float x, float y)> wheelTurned;
    // A drag with the middle button moved the pointer by `pixels`.
    std::function<void(QPointF pixels)> middleDragged;
    // Called after the canvas took a new size; `before` is the size it had.
    std::function<void(QSize before)> resized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool isSecondPressOfDoubleClick(const QMouseEvent& event);

    struct PressRecord {
        Qt::MouseButton button = Qt::NoButton;
        quint64 timestamp = 0;
        QPointF position;  // global
    };
    Canvas& canvas_;
    PressRecord lastPress_;
    std::optional<QPointF> dragFrom_;  // the middle button is down here
    int wheelRest_ = 0;                // wheel angle short of a notch
    Qt::KeyboardModifiers pressModifiers_;
};
