// Member input: the two points of each member (pressed, captured onto an
// existing end, or typed relative to the first point in the coordinate
// boxes), the rubber band, the ortho switch, cancelling, and the
// completion of a member with its section check and node numbering.
//
// Owns the state of member input (waiting for a first point, a member
// being drawn, ortho). The member lines are the canvas's, the members and
// the capture the document's; the hint, the boxes, the menus, the mode,
// the property dialog and the numbering are reached through the window's
// controls.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "editor/editor_part.h"

// The half-size of the capture box around the pointer, in world units: a
// member end within this distance, or else a grid point inside the box,
// is captured.
inline constexpr double kCaptureDistance = 0.2;

// The hint of member input while it waits for a point.
inline constexpr const char* kMemberInputHint =
    "单击鼠标左键输入杆件端点,如果是输入杆件第二点,"
    "也可在文本框中直接输入第二点的相对坐标,Enter确定.";

class MemberInput : public EditorPart {
public:
    explicit MemberInput(const EditorContext& context);

    // 输入杆件.
    std::vector<MenuRow> menuRows() override;
    // No member being drawn, ortho off.
    void reset(ResetReason reason) override;

    bool awaitingFirstPoint() const { return awaitingFirstPoint_; }
    bool memberInProgress() const { return memberInProgress_; }
    bool ortho() const { return orthoMode_; }
    void setOrtho(bool on) { orthoMode_ = on; }
    // A mode was entered: member input waits for a first point only in its own.
    void modeEntered(bool ownMode);
    // The last member counts as entered but is still being drawn.
    bool drawing() const;

    // 输入杆件.
    void inputCommand();
    // A left press: a member's first or second point.
    void press(float x, float y);
    // The mouse moved while a member is being drawn.
    void rubberBand(float x, float y);
    // F8 while a member is being drawn, the mouse at (x, y).
    void switchOrtho(float x, float y);
    // Esc: cancels the member being drawn, or else leaves member input.
    // False when member input is not running.
    bool escapeMemberInput();
    // The member being drawn, if any, goes; input waits for a first point.
    void abandonDrawing();
    // The first member end within the capture distance of (x, y), else the
    // grid point `gridPointNear` gives.
    void capture(float x, float y);
    // The grid point near (x, y) where the grid snaps; set by the window.
    std::function<std::optional<std::pair<float, float>>(float x, float y)> gridPointNear;
    // The coordinate boxes: whether a typed character is kept; a released key.
    bool boxKeepsCharacter(int character) const;
    void boxKeyUp(int key);
    // Whether the boxes hold a first point the user is typing, which the
    // pointer's position must not overwrite.
    bool keepsTypedPoint() const { return typingFirstPoint_; }
    // Member k takes its line's ends and the dialog's section, and the nodes
    // are numbered again; false when numbering refused it.
    [[nodiscard]] bool FinishMember(std::int16_t k);

private:
    bool takesFirstPoint() const;
    void firstPoint(float x, float y);
    void typeFirstPoint(int key);
    void startMember(float x1, float y1);
    void secondPoint(float x, float y);
    void completeMember();
    void dropLastMember(std::int16_t n);
    void setMemberEnd(std::int16_t n, float x2, float y2);
    bool captureEnd(float x, float y);
    void captureAt(float x, float y);
    void setCaptureBoxColour(ColourValue colour);

    bool awaitingFirstPoint_ = false;  // waits for a member's first point
    bool memberInProgress_ = false;    // the second point of the last member is awaited
    bool orthoMode_ = false;           // the member being drawn stays horizontal or vertical
    bool typingFirstPoint_ = false;    // the boxes hold a typed first point
};
