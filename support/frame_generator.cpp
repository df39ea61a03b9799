// Frame generators; see frame_generator.h.
#include "frame_generator.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "model/supports.h"
#include "text/number_text.h"

namespace orv::testing {

FrameBuilder::FrameBuilder(std::vector<NodePoint> nodes)
    : nodes_(std::move(nodes)), supports_(nodes_.size() + 1, kNoSupport) {}

int FrameBuilder::addMember(int left, int right, const Section& section) {
    members_.push_back({left, right, section, {}});
    return static_cast<int>(members_.size());
}

void FrameBuilder::addLoad(int member, const Load& load) {
    members_.at(static_cast<std::size_t>(member - 1)).loads.push_back(load);
}

void FrameBuilder::support(int node, std::int16_t code) {
    supports_.at(static_cast<std::size_t>(node)) = code;
}

float FrameBuilder::length(int member) const {
    const MemberData& m = members_.at(static_cast<std::size_t>(member - 1));
    const NodePoint& a = nodes_.at(static_cast<std::size_t>(m.left - 1));
    const NodePoint& b = nodes_.at(static_cast<std::size_t>(m.right - 1));
    return static_cast<float>(std::hypot(double{b.x} - a.x, double{b.y} - a.y));
}

std::string FrameBuilder::coordinateText(int node) const {
    const NodePoint& p = nodes_.at(static_cast<std::size_t>(node - 1));
    return shortestText(p.x) + "," + shortestText(p.y);
}

内力_位移 FrameBuilder::build() const {
    const std::size_t m = members_.size();
    内力_位移 solver;
    solver.杆件总数 = static_cast<std::int16_t>(m);
    solver.节点总数 = static_cast<std::int16_t>(nodes_.size());
    sizeInputArrays(solver, m, nodes_.size());
    for (std::size_t i = 1; i <= m; ++i) {
        const MemberData& d = members_[i - 1];
        solver.左节点号[i] = static_cast<std::int16_t>(d.left);
        solver.右节点号[i] = static_cast<std::int16_t>(d.right);
        solver.弹性模量[i] = d.section.e;
        solver.惯性矩[i] = d.section.inertia;
        solver.截面积[i] = d.section.area;
        solver.左端坐标[i] = coordinateText(d.left);
        solver.右端坐标[i] = coordinateText(d.right);
        solver.荷载数[i] = static_cast<std::int16_t>(d.loads.size());
        for (std::size_t k = 1; k <= d.loads.size(); ++k) {
            solver.荷载种类(k, i) = d.loads[k - 1].kind;
            solver.xq(k, i) = d.loads[k - 1].xq;
            solver.q(k, i) = d.loads[k - 1].q;
        }
    }
    solver.零位移 = supports_;
    solver.messageHandler = nullptr;
    return solver;
}

namespace {

Section rectangle(float e, float width, float depth) {
    return {e, width * depth, width * depth * depth * depth / 12};
}

}  // namespace

内力_位移 buildingFrame(int storeys, int bays) {
    const auto node = [bays](int level, int line) { return level * (bays + 1) + line + 1; };
    std::vector<NodePoint> nodes;
    for (int level = 0; level <= storeys; ++level) {
        for (int line = 0; line <= bays; ++line) {
            nodes.push_back({6.0f * static_cast<float>(line), -3.0f * static_cast<float>(level)});
        }
    }
    FrameBuilder frame(std::move(nodes));
    const Section column = rectangle(30000, 0.4f, 0.4f);
    const Section beam = rectangle(30000, 0.25f, 0.5f);
    for (int line = 0; line <= bays; ++line) {
        frame.support(node(0, line), kFixedEnd);
    }
    for (int level = 1; level <= storeys; ++level) {
        for (int line = 0; line <= bays; ++line) {
            const int member = frame.addMember(node(level - 1, line), node(level, line), column);
            if (line == 0) {
                frame.addLoad(member, {1, 3.0f, 10.0f});
            }
        }
        for (int line = 0; line < bays; ++line) {
            const int member = frame.addMember(node(level, line), node(level, line + 1), beam);
            frame.addLoad(member, {2, 6.0f, 20.0f});
        }
    }
    return frame.build();
}

内力_位移 randomFrame(int memberCount, std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    // About two members per node, as in ordinary frames.
    const int columns = std::max(2, static_cast<int>(std::sqrt(memberCount / 2.0)));
    // Enough rows that the grid, diagonals included, has room for every member.
    const auto gridEdges = [columns](int r) {
        return r * (columns - 1) + columns * (r - 1) + 2 * (r - 1) * (columns - 1);
    };
    int rows = std::max(2, (memberCount / 2 + columns - 1) / columns);
    while (gridEdges(rows) < memberCount) {
        ++rows;
    }
    std::vector<NodePoint> nodes;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            nodes.push_back({static_cast<float>(4.0 * c + uniform(-1, 1)),
                             static_cast<float>(-3.0 * r + uniform(-1, 1))});
        }
    }
    const int nodeCount = rows * columns;
    FrameBuilder frame(std::move(nodes));
    const auto neighbour = [&](int n) {
        const int r = (n - 1) / columns;
        const int c = (n - 1) % columns;
        const int dr = static_cast<int>(random() % 3) - 1;
        const int dc = dr == 0 ? (random() % 2 ? 1 : -1) : static_cast<int>(random() % 3) - 1;
        const int nr = std::clamp(r + dr, 0, rows - 1);
        const int nc = std::clamp(c + dc, 0, columns - 1);
        return nr * columns + nc + 1;
    };
    std::set<std::pair<int, int>> joined;
    const auto join = [&](int a, int b) {
        if (a == b || !joined.insert({std::min(a, b), std::max(a, b)}).second) {
            return 0;
        }
        const Section section =
            rectangle(static_cast<float>(uniform(20000, 210000)),
                      static_cast<float>(uniform(0.2, 0.5)), static_cast<float>(uniform(0.3, 0.8)));
        return frame.addMember(a, b, section);
    };
    // Spanning tree: each node after the first joins an earlier grid neighbour.
    for (int n = 2; n <= nodeCount; ++n) {
        join(n, n % columns == 1 ? n - columns : n - 1);
    }
    while (static_cast<int>(joined.size()) < memberCount) {
        const int a = static_cast<int>(random() % static_cast<unsigned>(nodeCount)) + 1;
        join(a, neighbour(a));
    }
    for (int i = 1; i <= static_cast<int>(joined.size()); ++i) {
        const float length = frame.length(i);
        const int loadCount = static_cast<int>(random() % 3);
        for (int k = 0; k < loadCount; ++k) {
            const auto kind = static_cast<std::int16_t>(random() % 6 + 1);
            frame.addLoad(i, {kind, static_cast<float>(uniform(0, length)),
                              static_cast<float>(uniform(-50, 50))});
        }
    }
    for (int k = 0; k < 3; ++k) {
        frame.support(static_cast<int>(random() % static_cast<unsigned>(nodeCount)) + 1,
                      k == 0 ? kPinned : kFixedEnd);
    }
    frame.support(1, kFixedEnd);
    return frame.build();
}

}  // namespace orv::testing
