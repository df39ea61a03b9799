// The view of the editor window: zoom, pan, the full redraw of members and
// support symbols, the crosshair with its capture box and the coordinate
// boxes.
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "editor/canvas_view.h"
#include "editor/form1.h"
#include "text/number_text.h"

namespace {

constexpr double kZoomFactor = 0.8;
constexpr double kBoxHalfSize = 0.2;  // world units: the capture box and the capture distance

bool usable(const WorldWindow& w) {
    return std::isfinite(w.scaleLeft) && std::isfinite(w.scaleTop) && std::isfinite(w.scaleWidth) &&
           std::isfinite(w.scaleHeight) && w.scaleWidth > 0 && w.scaleHeight > 0;
}

}  // namespace

// A world window that would make the mapping degenerate (zero or
// non-finite extent, non-finite corner) is not applied; the view stays.
void Form1::applyWorld(const WorldWindow& world) {
    if (!usable(world)) {
        return;
    }
    startupScalePending_ = false;
    document.world = world;
    canvas.setWorld(document.world);
    重装杆件();
}

// Zooming keeps the world point at the centre of the canvas in place: the
// extents are multiplied by 0.8 to zoom in and divided by it to zoom out.
void Form1::zoom(bool in) {
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

void Form1::放大() {
    zoom(true);
}

void Form1::缩小() {
    zoom(false);
}

void Form1::平移() {
    if (memberInput_.memberInProgress() || memberInput_.awaitingFirstPoint()) {
        return;
    }
    state.panArmed = true;
    state.panAnchorTaken = false;
    canvasView->setCursor(Qt::SizeAllCursor);
}

// The two presses of a pan: the first takes the anchor, the second moves
// the view so that the anchor lies under the second press.
void Form1::panStep(float x, float y) {
    if (state.panArmed && !state.panAnchorTaken) {
        state.panAnchorX = x;
        state.panAnchorY = y;
        state.panArmed = false;
        state.panAnchorTaken = true;
    } else if (state.panAnchorTaken && !state.panArmed) {
        WorldWindow moved = document.world;
        moved.scaleLeft =
            static_cast<float>(double{moved.scaleLeft} + (double{state.panAnchorX} - x));
        moved.scaleTop = static_cast<float>(double{moved.scaleTop} - y + state.panAnchorY);
        state.panAnchorTaken = false;
        canvasView->unsetCursor();
        applyWorld(moved);
    }
}

void Form1::重装杆件() {
    canvas.clear();
    showDocumentOnCanvas();
}

// Makes the canvas exactly what the document says: its world window and
// background, a line per drawn member at its record's ends (lines are
// created where missing and unloaded beyond the drawn members), and a
// symbol per supported node. The member being drawn has no record yet: its
// line is its truth and stays.
void Form1::showDocumentOnCanvas() {
    canvas.setWorld(document.world);
    canvas.setBackground(document.backColour);
    const int drawn =
        std::clamp<int>(document.membersEntered, 0, static_cast<int>(document.members.size()) - 1);
    const int recorded = memberInput_.drawing() ? drawn - 1 : drawn;
    for (int i = 1; i <= recorded; ++i) {
        const gj& member = document.members[static_cast<std::size_t>(i)];
        if (!canvas.line(kMemberLines, i).loaded) {
            canvas.loadLine(kMemberLines, i, LineShape{0, 0, 0, 0, kBlack, 2, true});
        }
        canvas.moveLine({kMemberLines, i}, member.x1, member.y1, member.x2, member.y2);
    }
    for (int i = canvas.lineCount(kMemberLines) - 1; i > drawn; --i) {
        canvas.unloadLine(kMemberLines, i);
    }
    supports_.redraw();
    loadDrawing_.redraw();
}

void Form1::switchCrosshair() {
    document.crosshairOn = !document.crosshairOn;
    for (const LineGroup line : kCrosshairLines) {
        canvas.setLineVisible({line}, document.crosshairOn);
        canvas.moveLine({line}, 0, 0, 0, 0);
    }
}

void Form1::placeCrosshair(float x, float y) {
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

void Form1::showCursorPosition(float x, float y) {
    Text1->setText(QString::fromStdString(orv::displayText(x)));
    Text2->setText(QString::fromStdString(orv::displayText(y)));
}
