// The operations on a selection of members; see selection_edits.h.
#include "document/selection_edits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

// How near a new end must come to an existing one to join it: the
// rounding of a shift, far below any distance a frame is drawn with.
constexpr double kJoinDistance = 1e-4;

int drawnMembers(const Model& model) {
    return std::clamp<int>(model.membersEntered, 0, static_cast<int>(model.members.size()) - 1);
}

std::string memberName(std::int16_t member) {
    return std::to_string(member) + "号";
}

std::string refusal(const std::string& what) {
    return what + "。操作未执行";
}

std::string cannotReverse(std::int16_t member) {
    return refusal(memberName(member) + "杆件反向后, 部分长度上的分布荷载无法保持");
}

// Existing ends, by point and by the square of kJoinDistance they lie in,
// so a new end finds one within that distance among its neighbours.
class EndJoiner {
public:
    void add(float x, float y) {
        if (exact_.insert(pointKey(x, y)).second) {
            cells_.emplace(cellKey(cell(x), cell(y)), std::pair{x, y});
        }
    }

    void join(float& x, float& y) const {
        if (exact_.contains(pointKey(x, y))) {
            return;
        }
        for (std::int64_t i = cell(x) - 1; i <= cell(x) + 1; ++i) {
            for (std::int64_t j = cell(y) - 1; j <= cell(y) + 1; ++j) {
                const auto [first, last] = cells_.equal_range(cellKey(i, j));
                for (auto found = first; found != last; ++found) {
                    const auto [px, py] = found->second;
                    if (std::hypot(double{px} - x, double{py} - y) <= kJoinDistance) {
                        x = px;
                        y = py;
                        return;
                    }
                }
            }
        }
    }

private:
    static std::int64_t cell(float value) {
        return static_cast<std::int64_t>(std::floor(value / kJoinDistance));
    }
    static std::uint64_t cellKey(std::int64_t i, std::int64_t j) {
        return static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ULL ^
               static_cast<std::uint64_t>(j);
    }

    std::unordered_set<std::uint64_t> exact_;
    std::unordered_multimap<std::uint64_t, std::pair<float, float>> cells_;
};

// Members are the same line when their ends are the same two points.
using LineKey = std::pair<std::uint64_t, std::uint64_t>;

LineKey lineKey(const gj& member) {
    const std::uint64_t a = pointKey(member.x1, member.y1);
    const std::uint64_t b = pointKey(member.x2, member.y2);
    return std::minmax(a, b);
}

// Joins the ends to nearby existing ends; the member stays in drawing
// order (a joined end may have moved by a rounding).
std::optional<gj> joinedEnds(gj member, const EndJoiner& joiner) {
    joiner.join(member.x1, member.y1);
    joiner.join(member.x2, member.y2);
    return inDrawingOrder(member) ? std::optional<gj>(member) : reversed(member);
}

bool isMirrorImageOfItself(const gj& source, const gj& image, const PlaneMap& map) {
    return map.mirror != PlaneMap::Mirror::None && lineKey(source) == lineKey(image);
}

void appendMembers(Model& model, std::vector<gj>& added) {
    const int drawn = drawnMembers(model);
    const auto entered = static_cast<std::size_t>(drawn) + added.size();
    model.members.resize(std::max(model.members.size(), entered + 1));
    std::move(added.begin(), added.end(), model.members.begin() + drawn + 1);
    model.membersEntered = static_cast<std::int16_t>(entered);
    model.memberTotal = std::max(model.memberTotal, model.membersEntered);
}

std::string clashText(const std::vector<std::int16_t>& clashes) {
    std::string names;
    for (const std::int16_t member : clashes) {
        names += (names.empty() ? "" : ", ") + memberName(member);
    }
    return refusal("新杆件将与已有杆件重合: " + names + "杆件");
}

}  // namespace

SelectionEdit addMappedCopies(Model& model, const MemberNumbers& selected,
                              const std::vector<PlaneMap>& maps) {
    const int drawn = drawnMembers(model);
    EndJoiner joiner;
    std::map<LineKey, std::int16_t> lines;  // the member each line is, by its source
    for (int i = 1; i <= drawn; ++i) {
        const gj& member = model.members[static_cast<std::size_t>(i)];
        joiner.add(member.x1, member.y1);
        joiner.add(member.x2, member.y2);
        lines.emplace(lineKey(member), static_cast<std::int16_t>(i));
    }
    std::vector<gj> copies;
    std::vector<std::int16_t> clashes;
    for (const PlaneMap& map : maps) {
        for (const std::int16_t source : selected) {
            if (source < 1 || source > drawn) {
                continue;
            }
            const gj& member = model.members[static_cast<std::size_t>(source)];
            const std::optional<gj> image = mapped(member, map);
            const std::optional<gj> copy = image ? joinedEnds(*image, joiner) : std::nullopt;
            if (!copy) {
                return {cannotReverse(source)};
            }
            if (isMirrorImageOfItself(member, *copy, map)) {
                continue;
            }
            if (const auto [line, added] = lines.emplace(lineKey(*copy), source); !added) {
                clashes.push_back(line->second);
                continue;
            }
            joiner.add(copy->x1, copy->y1);
            joiner.add(copy->x2, copy->y2);
            copies.push_back(*copy);
        }
    }
    if (!clashes.empty()) {
        std::sort(clashes.begin(), clashes.end());
        clashes.erase(std::unique(clashes.begin(), clashes.end()), clashes.end());
        return {clashText(clashes)};
    }
    if (static_cast<std::size_t>(drawn) + copies.size() >
        static_cast<std::size_t>(kMaxMemberTotal)) {
        return {refusal("杆件总数不能超过32767")};
    }
    appendMembers(model, copies);
    return {};
}

std::vector<PlaneMap> arrayMaps(int copies, double dx, double dy) {
    std::vector<PlaneMap> maps;
    for (int k = 1; k <= copies; ++k) {
        maps.push_back({PlaneMap::Mirror::None, 0, k * dx, k * dy});
    }
    return maps;
}

namespace {

// The checks of a moved frame: no member of no length, no two the same.
std::string movedFrameFault(const std::vector<gj>& members, int drawn) {
    std::map<LineKey, std::int16_t> lines;
    for (int i = 1; i <= drawn; ++i) {
        const gj& member = members[static_cast<std::size_t>(i)];
        const auto number = static_cast<std::int16_t>(i);
        if (member.x1 == member.x2 && member.y1 == member.y2) {
            return refusal("移动后" + memberName(number) + "杆件长度为零");
        }
        if (const auto [line, added] = lines.emplace(lineKey(member), number); !added) {
            return refusal("移动后" + memberName(line->second) + "与" + memberName(number) +
                           "杆件重合");
        }
    }
    return {};
}

}  // namespace

SelectionEdit moveMembers(Model& model, const MemberNumbers& selected, double dx, double dy,
                          std::vector<SupportAtPoint>& supports) {
    const int drawn = drawnMembers(model);
    std::unordered_set<std::uint64_t> movedPoints;
    for (const std::int16_t i : selected) {
        if (i >= 1 && i <= drawn) {
            const gj& member = model.members[static_cast<std::size_t>(i)];
            movedPoints.insert(pointKey(member.x1, member.y1));
            movedPoints.insert(pointKey(member.x2, member.y2));
        }
    }
    const auto moves = [&movedPoints](float x, float y) {
        return movedPoints.contains(pointKey(x, y));
    };
    EndJoiner staying;
    for (int i = 1; i <= drawn; ++i) {
        const gj& member = model.members[static_cast<std::size_t>(i)];
        for (const auto& [x, y] :
             std::array{std::pair{member.x1, member.y1}, std::pair{member.x2, member.y2}}) {
            if (!moves(x, y)) {
                staying.add(x, y);
            }
        }
    }
    const PlaneMap shift{PlaneMap::Mirror::None, 0, dx, dy};
    const auto carry = [&](float& x, float& y) {
        if (moves(x, y)) {
            x = shift.mapX(x);
            y = shift.mapY(y);
            staying.join(x, y);
        }
    };
    std::vector<gj> members = model.members;
    for (int i = 1; i <= drawn; ++i) {
        gj& member = members[static_cast<std::size_t>(i)];
        carry(member.x1, member.y1);
        carry(member.x2, member.y2);
        if (!inDrawingOrder(member)) {
            const std::optional<gj> turned = reversed(member);
            if (!turned) {
                return {cannotReverse(static_cast<std::int16_t>(i))};
            }
            member = *turned;
        }
    }
    if (std::string fault = movedFrameFault(members, drawn); !fault.empty()) {
        return {fault};
    }
    model.members = std::move(members);
    for (SupportAtPoint& support : supports) {
        carry(support.x, support.y);
    }
    return {};
}

void deleteMembers(Model& model, const MemberNumbers& selected) {
    for (auto k = selected.rbegin(); k != selected.rend(); ++k) {
        const int last = drawnMembers(model);
        if (*k < 1 || *k > last) {
            continue;
        }
        if (*k != last) {
            model.members[static_cast<std::size_t>(*k)] =
                std::move(model.members[static_cast<std::size_t>(last)]);
        }
        model.members[static_cast<std::size_t>(last)] = gj{};
        model.membersEntered = static_cast<std::int16_t>(last - 1);
        model.memberTotal = static_cast<std::int16_t>(std::max<int>(model.memberTotal - 1, 0));
    }
    model.members.resize(static_cast<std::size_t>(model.memberTotal) + 1);
}
