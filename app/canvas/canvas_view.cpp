// The window's client area; see canvas_view.h.
#include "canvas/canvas_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleHints>
#include <QWheelEvent>
#include <cmath>

#include "canvas/canvas.h"

CanvasView::CanvasView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The canvas paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.update = [this](const QRegion& region) { update(region); };
    canvas_.font = font();
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    canvas_.paint(painter, event->region());
}

void CanvasView::resizeEvent(QResizeEvent*) {
    const QSize before = canvas_.pixelSize();
    canvas_.resize(size());
    if (resized) {
        resized(before);
    }
}

namespace {

// Button codes as the handlers receive them: 1 left, 2 right, 4 middle.
int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

namespace {

// A point of a world window near the limits of single precision may lie
// beyond them; such a position is no place to draw or capture at.
bool isFiniteSingle(QPointF world) {
    return std::isfinite(static_cast<float>(world.x())) &&
           std::isfinite(static_cast<float>(world.y()));
}

}  // namespace

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (isSecondPressOfDoubleClick(*event) ||
        (pressBlockedAt && pressBlockedAt(event->position()))) {
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        dragFrom_ = event->position();
    }
    pressModifiers_ = event->modifiers();
    const QPointF world = canvas_.toWorld(event->position());
    if (mouseDown && isFiniteSingle(world)) {
        mouseDown(buttonCode(event->button()), static_cast<float>(world.x()),
                  static_cast<float>(world.y()));
    }
}

// A double-click reaches the window as two presses, the second followed by
// a double-click event. The user means one point: two points on one spot
// would make a member of no length. The second press is recognised the way
// the platform recognises double-clicks: the same button again within the
// double-click time and distance of the last press.
bool CanvasView::isSecondPressOfDoubleClick(const QMouseEvent& event) {
    const QStyleHints* hints = QGuiApplication::styleHints();
    const QPointF step = event.globalPosition() - lastPress_.position;
    const bool second = lastPress_.button == event.button() &&
                        event.timestamp() - lastPress_.timestamp <
                            static_cast<quint64>(hints->mouseDoubleClickInterval()) &&
                        std::abs(step.x()) <= hints->mouseDoubleClickDistance() &&
                        std::abs(step.y()) <= hints->mouseDoubleClickDistance();
    // After a double-click the next press starts afresh.
    lastPress_ = second ? PressRecord{}
                        : PressRecord{event.button(), event.timestamp(), event.globalPosition()};
    return second;
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::MiddleButton)) {
        dragFrom_.reset();
    } else if (dragFrom_ && middleDragged) {
        const QPointF step = event->position() - *dragFrom_;
        dragFrom_ = event->position();
        middleDragged(step);
    }
    const QPointF world = canvas_.toWorld(event->position());
    if (mouseMove && isFiniteSingle(world)) {
        mouseMove(static_cast<float>(world.x()), static_cast<float>(world.y()));
    }
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF world = canvas_.toWorld(event->position());
    if (mouseUp && isFiniteSingle(world)) {
        mouseUp(buttonCode(event->button()), static_cast<float>(world.x()),
                static_cast<float>(world.y()));
    }
}

// A notch is 120 units of the wheel's angle; touchpads send parts of one,
// which add up until they make a notch.
void CanvasView::wheelEvent(QWheelEvent* event) {
    constexpr int kNotch = 120;
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / kNotch;
    wheelRest_ -= notches * kNotch;
    const QPointF world = canvas_.toWorld(event->position());
    if (notches != 0 && wheelTurned && isFiniteSingle(world)) {
        wheelTurned(notches, static_cast<float>(world.x()), static_cast<float>(world.y()));
    }
    event->accept();
}
