// Placing supports with the mouse: the four placement commands, the
// preview that follows the mouse, a support placed at a captured member
// end (replacing the node's support), deleting every support, and the
// placed symbols redrawn from the node records.
//
// Owns only the member end the preview last captured: the placement
// modes, the counters and the supports are the document's, the symbols
// the canvas's. Touches the hint and the mode through the window's
// controls.
#pragma once

#include <QPointF>
#include <cstdint>
#include <optional>

#include "document/document.h"
#include "editor/editor_part.h"

class MemberInput;

// The hint of the support placement commands.
inline constexpr const char* kSupportPlacementHint =
    "移动鼠标捕捉杆端,捕捉成功后击鼠标左键定位,空格键变换支座方向";

class SupportPlacement : public EditorPart {
public:
    SupportPlacement(const EditorContext& context, const MemberInput& memberInput);

    // The four placement commands and 删除支座.
    std::vector<MenuRow> menuRows() override;
    // Start-up makes the hidden previews.
    void reset(ResetReason reason) override;

    // A placement command: starts placing `kind` once every member is drawn.
    void start(SupportKind kind);
    bool running() const;
    // Ends the placement and hides every preview.
    void escape();
    // The mouse moved: the running kind's preview follows it or sits on
    // the captured end.
    void preview(float x, float y);
    // A left press: the running kind goes on the captured end's node.
    void placeOnPress();

    // 删除支座: every support goes.
    void deleteCommand();
    // Every support goes, as a step of other commands (new numbering, a
    // deleted member, a new document).
    void removeAll();
    // Draws every support from the node records, numbered per kind in node
    // order, and leaves supportDirection at the last pinned or link node's.
    void redraw();
    // The hidden previews, made once at start-up.
    void loadPreviews();

private:
    void place(SupportKind kind);
    std::int16_t nodeAtCapturedEnd() const;
    void turnAcrossNewEnd(float x, float y);

    const MemberInput& memberInput;
    std::optional<QPointF> previewEnd_;  // the end the preview sits on
};
