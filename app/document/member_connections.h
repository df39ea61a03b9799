// How member ends are connected to their nodes: rigid (no value), a hinge
// (k = 0) or a rotational spring of k kN*m/rad. End 1 (左端) is at node
// 左号, end 2 (右端) at node 右号. The commands that change connections and
// the drawing that shows them read and write the member records through
// these functions only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/document.h"

enum class MemberEnd { First = 1, Second = 2 };

// One end of one member (1-based member number).
struct MemberEndRef {
    std::int16_t member = 0;
    MemberEnd end = MemberEnd::First;
    bool operator==(const MemberEndRef&) const = default;
};

std::optional<float>& connectionOf(gj& member, MemberEnd end);
const std::optional<float>& connectionOf(const gj& member, MemberEnd end);
std::int16_t nodeOf(const gj& member, MemberEnd end);
// The end's point: (x1, y1) for the first end, (x2, y2) for the second.
std::pair<float, float> pointOf(const gj& member, MemberEnd end);

bool isHinge(const std::optional<float>& connection);

// "左端" or "右端".
std::string endName(MemberEnd end);
// "刚接", "铰接", or the stiffness of a semi-rigid end, "k=1200 kN·m/rad".
std::string connectionName(const std::optional<float>& connection);

// The ends of the first `recorded` members at node `node` (1..nodeCount),
// by member number, first ends first.
std::vector<MemberEndRef> endsAtNode(const Document& document, std::int16_t recorded,
                                     std::int16_t node);
// Per node (0..nodeCount): whether it has ends of the first `recorded`
// members and every one of them is a hinge (a hinged node). One pass: a
// building may have thousands of hinged ends.
std::vector<bool> hingedNodes(const Document& document, std::int16_t recorded);
