// The view of the editor window: zoom, pan, the full redraw of members and
// support symbols, the crosshair with its capture box and the start-up
// world window.
#include "editor/view_control.h"

#include <QScreen>
#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "canvas/canvas_view.h"
#include "canvas/still_lines.h"
#include "document/edit_history.h"
#include "editor/load_drawing.h"
#include "editor/member_input.h"
#include "editor/support_placement.h"
#include "platform/platform.h"

namespace {

constexpr double kZoomFactor = 0.8;
constexpr double kBoxHalfSize = 0.2;  // world units: the capture box and the capture distance
const QString kCrosshairWipesSetting = QStringLiteral("crosshairWipesPrints");

}  // namespace

// The crosshair wipes what is printed where it passes (the window's way),
// unless the user turned that off in an earlier run.
ViewControl::ViewControl(const EditorContext& context, CanvasView& view,
                         const MemberInput& memberInput, SupportPlacement& supports,
                         LoadDrawing& loadDrawing)
    : EditorPart(context),
      view(view),
      memberInput(memberInput),
      supports(supports),
      loadDrawing(loadDrawing) {
    setCrosshairWipes(platform.setting(kCrosshairWipesSetting, true));
}

std::vector<MenuRow> ViewControl::menuRows() {
    using C = MenuCommand;
    return {
        {C::Pan, "平移", [this] { panCommand(); }},
        {C::ZoomIn, "放大", [this] { zoomIn(); }},
        {C::ZoomOut, "缩小", [this] { zoomOut(); }},
        {C::WholeFrame, "全图", [this] { showWholeFrame(freeArea ? freeArea() : view.rect()); }},
        {C::CrosshairWipes, "十字光标擦除显示",
         [this] {
             setCrosshairWipes(!crosshairWipes_);
             platform.keepSetting(kCrosshairWipesSetting, crosshairWipes_);
         },
         [this] { return crosshairWipes_; }}};
}

void ViewControl::reset(ResetReason reason) {
    if (reason == ResetReason::StartUp) {
        startupWindow();
        loadCrosshair();
    } else {
        showNewDocument();
    }
}

// The crosshair and the capture box, collapsed until the first mouse move.
void ViewControl::loadCrosshair() {
    canvas.loadLine(kCrosshairX, 0, LineShape{0, 0, 0, 0, document.crosshairColour, 1, true});
    canvas.loadLine(kCrosshairY, 0, LineShape{0, 0, 0, 0, document.crosshairColour, 1, true});
    for (const LineGroup side : kCaptureBox) {
        canvas.loadLine(side, 0, LineShape{0, 0, 0, 0, kBlack, 1, true});
    }
}

// A world window that would make the mapping degenerate (zero or
// non-finite extent, non-finite corner) is not applied; the view stays.
void ViewControl::applyWorld(const WorldWindow& world) {
    if (!usableWindow(world)) {
        return;
    }
    startupPending_ = false;
    document.world = world;
    canvas.setWorld(document.world);
    redrawAll();
}

// Zooming keeps the world point at the centre of the canvas in place: the
// extents are multiplied by 0.8 to zoom in and divided by it to zoom out.
void ViewControl::zoom(bool in) {
    const WorldWindow before = document.world;
    canvas.clear();
    const auto scaled = [in](float extent) {
        const auto value = static_cast<long double>(extent);
        return static_cast<float>(in ? value * kZoomFactor : value / kZoomFactor);
    };
    WorldWindow after = before;
    after.scaleHeight = scaled(before.scaleHeight);
    after.scaleWidth = scaled(before.scaleWidth);
    after.scaleTop = static_cast<float>(
        (static_cast<long double>(before.scaleHeight) - after.scaleHeight) / 2 + before.scaleTop);
    after.scaleLeft = static_cast<float>(
        before.scaleLeft + (static_cast<long double>(before.scaleWidth) - after.scaleWidth) / 2);
    applyWorld(after);
}

void ViewControl::zoomIn() {
    zoom(true);
}

void ViewControl::zoomOut() {
    zoom(false);
}

void ViewControl::panCommand() {
    if (memberInput.memberInProgress() || memberInput.awaitingFirstPoint()) {
        return;
    }
    pan_.armed = true;
    pan_.anchorTaken = false;
    view.setCursor(Qt::SizeAllCursor);
}

void ViewControl::cancelPan() {
    pan_ = PanState{};
    view.unsetCursor();
}

// The two presses of a pan: the first takes the anchor, the second moves
// the view so that the anchor lies under the second press.
void ViewControl::panStep(float x, float y) {
    if (pan_.armed && !pan_.anchorTaken) {
        pan_.anchorX = x;
        pan_.anchorY = y;
        pan_.armed = false;
        pan_.anchorTaken = true;
    } else if (pan_.anchorTaken && !pan_.armed) {
        WorldWindow moved = document.world;
        moved.scaleLeft = static_cast<float>(double{moved.scaleLeft} + (double{pan_.anchorX} - x));
        moved.scaleTop = static_cast<float>(double{moved.scaleTop} - y + pan_.anchorY);
        pan_.anchorTaken = false;
        view.unsetCursor();
        applyWorld(moved);
    }
}

void ViewControl::redrawAll() {
    canvas.clear();
    showDocument();
}

// Makes the canvas exactly what the document says: its world window and
// background, a line per drawn member at its record's ends (lines are
// created where missing and unloaded beyond the drawn members), and a
// symbol per supported node. The member being drawn has no record yet: its
// line is its truth and stays.
void ViewControl::showDocument() {
    canvas.setWorld(document.world);
    canvas.setBackground(document.backColour);
    drawMemberLines(canvas, document, memberInput.drawing());
    drawConnectionMarks(canvas, document,
                        EditHistory::recordedMembers(document, memberInput.drawing()));
    supports.redraw();
    loadDrawing.redraw();
}

void ViewControl::switchCrosshair() {
    document.crosshairOn = !document.crosshairOn;
    for (const LineGroup line : kCrosshairLines) {
        canvas.setLineVisible({line}, document.crosshairOn);
        canvas.moveLine({line}, 0, 0, 0, 0);
    }
}

void ViewControl::placeCrosshair(float x, float y) {
    if (!document.crosshairOn) {
        return;
    }
    const WorldWindow& w = document.world;
    canvas.moveLine({kCrosshairX}, w.scaleLeft, y,
                    static_cast<float>(double{w.scaleLeft} + w.scaleWidth), y);
    canvas.moveLine({kCrosshairY}, x, w.scaleTop, x,
                    static_cast<float>(double{w.scaleTop} + w.scaleHeight));
    const auto left = static_cast<float>(x - kBoxHalfSize);
    const auto right = static_cast<float>(x + kBoxHalfSize);
    const auto top = static_cast<float>(y - kBoxHalfSize);
    const auto bottom = static_cast<float>(y + kBoxHalfSize);
    canvas.moveLine({kBoxTop}, left, top, right, top);
    canvas.moveLine({kBoxLeft}, left, top, left, bottom);
    canvas.moveLine({kBoxRight}, right, top, right, bottom);
    canvas.moveLine({kBoxBottom}, left, bottom, right, bottom);
}

void ViewControl::showCrosshair() {
    document.crosshairOn = true;
    for (const LineGroup line : kCrosshairLines) {
        canvas.setLineVisible({line}, true);
    }
    canvas.setLineColour({kCrosshairX}, document.crosshairColour);
    canvas.setLineColour({kCrosshairY}, document.crosshairColour);
}

void ViewControl::startupWindow() {
    setWorldFromScreen();
    startupPending_ = true;
}

// The window manager maximises the window some time after it is shown, so
// the client area may still grow after start-up. Until the user first
// presses a button or a key, or the view changes, every new size computes
// the start-up world window again: each run then maps the final client area
// the same way. Later sizes keep the scale and the world point at the
// centre of the canvas, so that un-maximising and maximising again gives
// back the view; the drawing, the figures and the prints stay as shown.
void ViewControl::clientAreaResized(QSize before) {
    if (startupPending_) {
        setWorldFromScreen();
    } else if (const WorldWindow kept = resizedWindow(document.world, before, view.size());
               kept != document.world) {
        document.world = kept;
        canvas.setWorld(document.world);
    }
}

// The start-up mapping: the width is the screen width in twips over 1000,
// so one world unit spans about 1000 twips across; the height follows from
// the client area with the same scale down as across, so that a square
// bay is drawn square.
void ViewControl::setWorldFromScreen() {
    const QScreen* display = view.screen();
    const long double twipsX = 1440.0L / display->logicalDotsPerInchX();
    const long double screenWidth = display->geometry().width() * twipsX;
    WorldWindow world;
    world.scaleWidth = static_cast<float>(screenWidth / 1000);
    world.scaleHeight = world.scaleWidth;
    document.world = equalScaleWindow(world, view.size(), WorldFit::KeepWidth);
    canvas.resize(view.size());
    canvas.setWorld(document.world);
}

void ViewControl::showNewDocument() {
    cancelPan();
    startupPending_ = false;
    showCrosshair();
    canvas.worldChanged();
    showDocument();
}

// The file's world window is shown with one scale on both axes: the
// smallest such window around it, centred.
void ViewControl::fitReadWindow() {
    document.world = equalScaleWindow(document.world, view.size(), WorldFit::Contain);
}

// The frame fills the part of the canvas the legend and the hint leave
// free, so that neither covers a member.
void ViewControl::showWholeFrame(const QRect& freeArea) {
    const int drawn =
        std::clamp<int>(document.membersEntered, 0, static_cast<int>(document.members.size()) - 1);
    if (drawn == 0) {
        return;
    }
    double left = document.members[1].x1;
    double right = left;
    double top = document.members[1].y1;
    double bottom = top;
    for (int i = 1; i <= drawn; ++i) {
        const gj& member = document.members[static_cast<std::size_t>(i)];
        left = std::min({left, double{member.x1}, double{member.x2}});
        right = std::max({right, double{member.x1}, double{member.x2}});
        top = std::min({top, double{member.y1}, double{member.y2}});
        bottom = std::max({bottom, double{member.y1}, double{member.y2}});
    }
    canvas.clear();
    applyWorld(windowShowingIn(windowAround(left, top, right, bottom), view.size(), freeArea));
}

void ViewControl::zoomAbout(int notches, float x, float y) {
    constexpr int kMostNotches = 10;
    const double factor = std::pow(kZoomFactor, std::clamp(notches, -kMostNotches, kMostNotches));
    const WorldWindow& before = document.world;
    WorldWindow after = before;
    after.scaleLeft = static_cast<float>(x - (double{x} - before.scaleLeft) * factor);
    after.scaleTop = static_cast<float>(y - (double{y} - before.scaleTop) * factor);
    after.scaleWidth = static_cast<float>(before.scaleWidth * factor);
    after.scaleHeight = static_cast<float>(before.scaleHeight * factor);
    canvas.clear();
    applyWorld(after);
}

void ViewControl::dragBy(QPointF pixels) {
    if (view.width() <= 0 || view.height() <= 0) {
        return;
    }
    WorldWindow moved = document.world;
    moved.scaleLeft =
        static_cast<float>(moved.scaleLeft - pixels.x() * double{moved.scaleWidth} / view.width());
    moved.scaleTop =
        static_cast<float>(moved.scaleTop - pixels.y() * double{moved.scaleHeight} / view.height());
    applyWorld(moved);
}

void ViewControl::setCrosshairWipes(bool wipes) {
    crosshairWipes_ = wipes;
    for (const LineGroup line : kCrosshairLines) {
        canvas.setWipesPrints(line, wipes);
    }
}
