// How member ends are connected: 杆端铰接 (a left click makes the captured
// member end a hinge, or rigid again), 铰结点 (a click on a node makes
// every member end there a hinge, or all rigid again when they all are)
// and 杆端转动刚度 (a click asks the end's rotational stiffness k in
// kN*m/rad: 0 a hinge, a positive value a semi-rigid end).
//
// Owns only the capture, with the members it marked red. The connections are the member
// records', the modes the document's, the marks of released ends the
// canvas's; each change is one step of the window's history, as every
// press is.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/member_connections.h"
#include "editor/editor_part.h"
#include "editor/end_capture.h"

class MemberInput;

// The hints of the three commands while nothing is captured.
inline constexpr const char* kEndHingeHint =
    "移动鼠标捕捉杆端,捕捉成功后击鼠标左键设为铰接,再击恢复刚接";
inline constexpr const char* kHingedNodeHint =
    "移动鼠标捕捉节点,捕捉成功后击鼠标左键使该节点各杆端铰接,再击恢复刚接";
inline constexpr const char* kEndStiffnessHint =
    "移动鼠标捕捉杆端,捕捉成功后击鼠标左键输入杆端转动刚度";

class ConnectionCommands : public EditorPart {
public:
    ConnectionCommands(const EditorContext& context, const MemberInput& memberInput);

    // 杆端铰接, 铰结点, 杆端转动刚度.
    std::vector<MenuRow> menuRows() override;

    // How the commands capture ends and nodes, shared with the support-effect
    // commands.
    EndCapture& capture() { return capture_; }

    bool running() const;
    // The mouse at (x, y): the member end (or node) nearest it is captured,
    // its members marked red and named in the hint.
    void pointAt(float x, float y);
    // A left press at (x, y): the running command acts on what it captures.
    void press(float x, float y);
    // The marks of released ends made what the member records say.
    void redraw();

private:
    void start(EditorMode mode);
    std::int16_t recorded() const;
    QString endHint(MemberEndRef ref) const;
    QString nodeHint(std::int16_t node) const;
    void toggleHinge(MemberEndRef ref);
    void toggleNode(std::int16_t node);
    void askStiffness(MemberEndRef ref);
    std::optional<float>& connection(MemberEndRef ref);
    bool isHingedNode(std::int16_t node) const;

    const MemberInput& memberInput;
    EndCapture capture_;
};
