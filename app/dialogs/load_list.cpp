// The load list of a member; see load_list.h.
#include "dialogs/load_list.h"

#include <cassert>
#include <cstddef>

#include "document/model.h"

namespace {

constexpr std::size_t kLoadSlots = orv::kMaxLoadsPerMember + 1;

struct LoadArrays {
    std::vector<std::string> kinds;
    std::vector<float> positions;
    std::vector<float> values;
};

// Slots 0..55 of the member's arrays; slots the member lacks read as empty.
LoadArrays copyOf(const MemberLoads& member) {
    LoadArrays arrays{std::vector<std::string>(kLoadSlots), std::vector<float>(kLoadSlots),
                      std::vector<float>(kLoadSlots)};
    for (std::size_t k = 0; k < kLoadSlots; ++k) {
        arrays.kinds[k] = elementOr(member.hzlx, k);
        arrays.positions[k] = elementOr(member.xq, k);
        arrays.values[k] = elementOr(member.q, k);
    }
    return arrays;
}

void store(MemberLoads& member, LoadArrays arrays) {
    member.hzlx = std::move(arrays.kinds);
    member.xq = std::move(arrays.positions);
    member.q = std::move(arrays.values);
}

bool holdsLoad(const MemberLoads& member, int k) {
    return k >= 1 && k <= member.荷载数 && k <= orv::kMaxLoadsPerMember;
}

}  // namespace

bool appendLoad(MemberLoads member, const std::string& kind, float xq, float q) {
    const int count = member.荷载数;
    if (count >= orv::kMaxLoadsPerMember) {
        return false;
    }
    LoadArrays arrays{std::vector<std::string>(kLoadSlots, " "), std::vector<float>(kLoadSlots),
                      std::vector<float>(kLoadSlots)};
    const LoadArrays old = copyOf(member);
    for (int k = 1; k <= count; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        arrays.kinds[slot] = old.kinds[slot];
        arrays.positions[slot] = old.positions[slot];
        arrays.values[slot] = old.values[slot];
    }
    const auto added = static_cast<std::size_t>(count + 1);
    arrays.kinds[added] = kind;
    arrays.positions[added] = xq;
    arrays.values[added] = q;
    store(member, std::move(arrays));
    member.荷载数 = static_cast<std::int16_t>(count + 1);
    return true;
}

void setLoadValues(MemberLoads member, int k, float xq, float q) {
    assert(holdsLoad(member, k));
    if (!holdsLoad(member, k)) {
        return;
    }
    LoadArrays arrays = copyOf(member);
    arrays.positions[static_cast<std::size_t>(k)] = xq;
    arrays.values[static_cast<std::size_t>(k)] = q;
    store(member, std::move(arrays));
}

void removeLoad(MemberLoads member, int k) {
    assert(holdsLoad(member, k));
    if (!holdsLoad(member, k)) {
        return;
    }
    LoadArrays arrays = copyOf(member);
    const auto gap = static_cast<std::size_t>(k);
    const auto last = static_cast<std::size_t>(member.荷载数);
    arrays.kinds[gap] = arrays.kinds[last];
    arrays.positions[gap] = arrays.positions[last];
    arrays.values[gap] = arrays.values[last];
    arrays.kinds[last].clear();
    arrays.positions[last] = 0;
    arrays.values[last] = 0;
    store(member, std::move(arrays));
    member.荷载数 = static_cast<std::int16_t>(last - 1);
}
