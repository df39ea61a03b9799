// Members carried by shifts and mirrors; see member_map.h.
#include "document/member_map.h"

#include <algorithm>
#include <utility>

#include "model/load_kinds.h"

namespace {

using orv::LoadKind;

LoadKind kindOf(const gj& member, int load) {
    return static_cast<LoadKind>(orv::loadKindCode(member.hzlx[static_cast<std::size_t>(load)]));
}

bool isDistributed(LoadKind kind) {
    return kind == LoadKind::Uniform || kind == LoadKind::AxialUniform ||
           kind == LoadKind::Triangular;
}

// A distributed load reaches the second end when its extent is the length.
bool coversWholeMember(const gj& member, int load) {
    return member.xq[static_cast<std::size_t>(load)] >= member.leng();
}

float negated(float value) {
    return -value + 0.0f;  // no -0
}

int loadCount(const gj& member) {
    return std::min<int>(member.荷载数, static_cast<int>(member.q.size()) - 1);
}

// A mirror turns the member's +y side over and reverses every turning
// sense: transverse loads and couples change sign, axial loads keep theirs,
// and the temperature faces change places.
gj mirroredLoads(gj member) {
    for (int k = 1; k <= loadCount(member); ++k) {
        const LoadKind kind = kindOf(member, k);
        if (kind != LoadKind::AxialConcentrated && kind != LoadKind::AxialUniform) {
            member.q[static_cast<std::size_t>(k)] = negated(member.q[static_cast<std::size_t>(k)]);
        }
    }
    std::swap(member.温度改变1, member.温度改变2);
    return member;
}

}  // namespace

float PlaneMap::mapX(float x) const {
    const double across = mirror == Mirror::AboutVertical ? 2 * c - x : double{x};
    return static_cast<float>(across + dx) + 0.0f;
}

float PlaneMap::mapY(float y) const {
    const double across = mirror == Mirror::AboutHorizontal ? 2 * c - y : double{y};
    return static_cast<float>(across + dy) + 0.0f;
}

bool inDrawingOrder(const gj& member) {
    return member.x2 > member.x1 || (member.x2 == member.x1 && member.y1 >= member.y2);
}

// Reversing turns the local axes half round: forces across and along the
// member change sign, a couple keeps its sense, positions count from the
// other end.
std::optional<gj> reversed(const gj& member) {
    gj turned = member;
    const float length = member.leng();
    for (int k = 1; k <= loadCount(member); ++k) {
        const LoadKind kind = kindOf(member, k);
        const auto slot = static_cast<std::size_t>(k);
        if (isDistributed(kind)) {
            if (kind == LoadKind::Triangular || !coversWholeMember(member, k)) {
                return std::nullopt;
            }
        } else if (kind != LoadKind::None) {
            turned.xq[slot] = length - member.xq[slot];
        }
        if (kind != LoadKind::Couple && kind != LoadKind::None) {
            turned.q[slot] = negated(member.q[slot]);
        }
    }
    std::swap(turned.x1, turned.x2);
    std::swap(turned.y1, turned.y2);
    std::swap(turned.左号, turned.右号);
    std::swap(turned.左端转动刚度, turned.右端转动刚度);
    std::swap(turned.温度改变1, turned.温度改变2);
    return turned;
}

std::optional<gj> mapped(const gj& member, const PlaneMap& map) {
    gj image = map.mirror == PlaneMap::Mirror::None ? member : mirroredLoads(member);
    image.x1 = map.mapX(member.x1);
    image.y1 = map.mapY(member.y1);
    image.x2 = map.mapX(member.x2);
    image.y2 = map.mapY(member.y2);
    if (inDrawingOrder(image)) {
        return image;
    }
    return reversed(image);
}
