// The view of the editor window: zoom, pan, the full redraw of members,
// support symbols and loads from the document, the crosshair with its
// capture box and the start-up world window. It owns the pan in progress,
// whether the start-up window still follows the client area and whether
// the crosshair wipes the printed layer (a setting kept between runs); it
// changes the document's world window, crosshair flag and colours on the
// canvas, and the canvas's pointer.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <functional>

#include "document/document.h"
#include "editor/editor_part.h"

class CanvasView;
class LoadDrawing;
class MemberInput;
class SupportPlacement;

// The two presses of a pan, as the window shows them for reading.
struct PanState {
    bool armed = false;        // 平移 chosen, the first pan point awaited
    bool anchorTaken = false;  // the first pan point taken, the second awaited
    float anchorX = 0;
    float anchorY = 0;
};

class ViewControl : public EditorPart {
public:
    ViewControl(const EditorContext& context, CanvasView& view, const MemberInput& memberInput,
                SupportPlacement& supports, LoadDrawing& loadDrawing);

    // 平移, 放大, 缩小, 全图, 十字光标擦除显示 (checked while it wipes).
    std::vector<MenuRow> menuRows() override;
    // Start-up: the world window from the screen, the crosshair and capture
    // box made. A new or opened document: shown as showNewDocument says.
    void reset(ResetReason reason) override;
    // The part of the canvas that no control lies over, in its pixels: 全图
    // fits the frame into it. Set by the window.
    std::function<QRect()> freeArea;

    void zoomIn();
    void zoomOut();
    // 平移: arms the pan unless a member is being entered.
    void panCommand();
    // A left press: takes the pan anchor, or moves the view by it.
    void panStep(float x, float y);
    // Ends a pan that was armed, with its pointer.
    void cancelPan();
    const PanState& pan() const { return pan_; }

    // A document just read or started: no pan, the crosshair shown, the
    // canvas exactly the document.
    void showNewDocument();
    // A world window read from a file, widened to one scale on both axes.
    void fitReadWindow();
    // 全图: the world window around every drawn member with a margin,
    // fitted into `freeArea` of the canvas (pixels).
    void showWholeFrame(const QRect& freeArea);
    // The wheel: zooms by the factor of 放大/缩小 per notch (positive in),
    // keeping the world point (x, y) where it is on the screen.
    void zoomAbout(int notches, float x, float y);
    // A drag with the middle button: the drawing follows the pointer.
    void dragBy(QPointF pixels);

    // Clears the canvas and shows the document on it again.
    void redrawAll();
    // Makes the canvas exactly what the document says (world window,
    // background, member lines, support symbols).
    void showDocument();

    // F3: the crosshair and capture box on or off.
    void switchCrosshair();
    // The crosshair shown, in the document's colour (a document just read).
    void showCrosshair();
    // Whether the crosshair and capture box wipe the printed layer where
    // they pass.
    bool crosshairWipes() const { return crosshairWipes_; }
    void setCrosshairWipes(bool wipes);
    // The crosshair and capture box around a mouse position.
    void placeCrosshair(float x, float y);

    // Start-up: the world window from the screen, kept following the
    // client area until the user first acts (userActed) or the view changes.
    void startupWindow();
    // The canvas took a new size; `before` is the one it had.
    void clientAreaResized(QSize before);
    void userActed() { startupPending_ = false; }

private:
    void setWorldFromScreen();
    void applyWorld(const WorldWindow& world);
    void zoom(bool in);
    void loadCrosshair();

    CanvasView& view;
    const MemberInput& memberInput;
    SupportPlacement& supports;
    LoadDrawing& loadDrawing;
    PanState pan_;
    bool startupPending_ = false;
    bool crosshairWipes_ = true;
};
