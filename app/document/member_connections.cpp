// Member-end connections; see member_connections.h.
#include "document/member_connections.h"

#include <algorithm>

#include "text/number_text.h"

std::optional<float>& connectionOf(gj& member, MemberEnd end) {
    return end == MemberEnd::First ? member.左端转动刚度 : member.右端转动刚度;
}

const std::optional<float>& connectionOf(const gj& member, MemberEnd end) {
    return end == MemberEnd::First ? member.左端转动刚度 : member.右端转动刚度;
}

std::int16_t nodeOf(const gj& member, MemberEnd end) {
    return end == MemberEnd::First ? member.左号 : member.右号;
}

std::pair<float, float> pointOf(const gj& member, MemberEnd end) {
    return end == MemberEnd::First ? std::pair{member.x1, member.y1}
                                   : std::pair{member.x2, member.y2};
}

bool isHinge(const std::optional<float>& connection) {
    return connection.has_value() && *connection == 0;
}

std::string endName(MemberEnd end) {
    return end == MemberEnd::First ? "左端" : "右端";
}

std::string connectionName(const std::optional<float>& connection) {
    if (!connection) {
        return "刚接";
    }
    if (isHinge(connection)) {
        return "铰接";
    }
    return "k=" + orv::displayText(*connection) + " kN·m/rad";
}

std::vector<MemberEndRef> endsAtNode(const Document& document, std::int16_t recorded,
                                     std::int16_t node) {
    std::vector<MemberEndRef> ends;
    if (node < 1) {
        return ends;
    }
    const int last = std::min<int>(recorded, static_cast<int>(document.members.size()) - 1);
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            if (nodeOf(member, end) == node) {
                ends.push_back({static_cast<std::int16_t>(m), end});
            }
        }
    }
    return ends;
}

std::vector<bool> hingedNodes(const Document& document, std::int16_t recorded) {
    const auto nodes = static_cast<std::size_t>(std::max<int>(document.nodeCount, 0)) + 1;
    std::vector<int> ends(nodes);
    std::vector<int> hinges(nodes);
    const int last = std::min<int>(recorded, static_cast<int>(document.members.size()) - 1);
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            const auto node = static_cast<std::size_t>(std::max<int>(nodeOf(member, end), 0));
            if (node >= 1 && node < nodes) {
                ++ends[node];
                hinges[node] += isHinge(connectionOf(member, end)) ? 1 : 0;
            }
        }
    }
    std::vector<bool> hinged(nodes);
    for (std::size_t node = 1; node < nodes; ++node) {
        hinged[node] = ends[node] > 0 && hinges[node] == ends[node];
    }
    return hinged;
}
