// Capturing member ends and nodes; see end_capture.h.
#include "editor/end_capture.h"

#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "document/edit_history.h"
#include "editor/member_input.h"
#include "platform/platform.h"

namespace {

// An end is captured along the third of its member next to the node, so
// that a pointer beside a node picks the member it lies on.
constexpr double kEndReach = 1.0 / 3;

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double squared = dx * dx + dy * dy;
    const double t =
        squared > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / squared, 0.0, 1.0) : 0.0;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

MemberEnd otherEnd(MemberEnd end) {
    return end == MemberEnd::First ? MemberEnd::Second : MemberEnd::First;
}

}  // namespace

void startClicking(const EditorContext& context, const MemberInput& memberInput, EditorMode mode) {
    if (memberInput.drawing()) {
        context.platform.tell(QStringLiteral("先输入完杆件"));
        return;
    }
    if (context.document.membersEntered < 1) {
        return;
    }
    context.canvas.clear();
    context.controls.enterMode(mode);
    context.controls.showRestingHint();
}

EndCapture::EndCapture(const Document& document, Canvas& canvas, const MemberInput& memberInput)
    : document(document), canvas(canvas), memberInput_(memberInput) {}

std::int16_t EndCapture::recorded() const {
    return EditHistory::recordedMembers(document, memberInput_.drawing());
}

// At a tie the end nearer the pointer, then the lower-numbered member.
std::optional<MemberEndRef> EndCapture::endNear(float x, float y) const {
    std::optional<MemberEndRef> nearest;
    double best = kCaptureDistance;
    double bestToEnd = 0;
    const int last = std::min<int>(recorded(), static_cast<int>(document.members.size()) - 1);
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            const auto [ax, ay] = pointOf(member, end);
            const auto [fx, fy] = pointOf(member, otherEnd(end));
            const double reachX = ax + (double{fx} - ax) * kEndReach;
            const double reachY = ay + (double{fy} - ay) * kEndReach;
            const double distance = distanceToSegment(x, y, ax, ay, reachX, reachY);
            const double toEnd = std::hypot(double{x} - ax, double{y} - ay);
            if (distance < best || (nearest && distance == best && toEnd < bestToEnd)) {
                nearest = MemberEndRef{static_cast<std::int16_t>(m), end};
                best = distance;
                bestToEnd = toEnd;
            }
        }
    }
    return nearest;
}

std::int16_t EndCapture::nodeNear(float x, float y) const {
    std::int16_t node = 0;
    double best = kCaptureDistance;
    const int last = std::min<int>(recorded(), static_cast<int>(document.members.size()) - 1);
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            const auto [ax, ay] = pointOf(member, end);
            const double distance = std::hypot(double{x} - ax, double{y} - ay);
            if (distance <= best && nodeOf(member, end) > 0) {
                node = nodeOf(member, end);
                best = distance;
            }
        }
    }
    return node;
}

void EndCapture::mark(const std::vector<MemberEndRef>& ends) {
    for (const std::int16_t member : marked_) {
        if (member <= document.membersEntered) {
            canvas.setLineColour({kMemberLines, member}, kBlack);
        }
    }
    marked_.clear();
    for (const MemberEndRef& ref : ends) {
        canvas.setLineColour({kMemberLines, ref.member}, kMarkColour);
        marked_.push_back(ref.member);
    }
}
