// The six kinds of member load. A load's text is its identity in the
// document, the project file and the dialogs; its code is its identity in the
// engine. This table is the one place that pairs them.
//
// Units: forces kN, distributed loads kN/m, couples kN*m, positions m from
// the member's first end. Positive q acts along local +y for the transverse
// kinds, along local -x (towards the first end) for the axial kinds, and in
// the positive rotation sense for the couple.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orv {

// Most loads one member may carry; load numbers run 1..kMaxLoadsPerMember.
inline constexpr int kMaxLoadsPerMember = 55;

enum class LoadKind : std::int16_t {
    None = 0,               // unknown text: contributes nothing
    Concentrated = 1,       // "集中": force at a
    Uniform = 2,            // "均布": intensity over 0..a
    AxialConcentrated = 3,  // "水平集中": axial force at a
    AxialUniform = 4,       // "水平均布": axial intensity over 0..a
    Triangular = 5,         // "三角": 0 at x = 0 growing to q at x = a
    Couple = 6,             // "力偶": couple at a
};

struct LoadKindInfo {
    LoadKind kind;
    std::string_view text;
};

inline constexpr std::array<LoadKindInfo, 6> kLoadKinds{{
    {LoadKind::Concentrated, "集中"},
    {LoadKind::Uniform, "均布"},
    {LoadKind::AxialConcentrated, "水平集中"},
    {LoadKind::AxialUniform, "水平均布"},
    {LoadKind::Triangular, "三角"},
    {LoadKind::Couple, "力偶"},
}};

// Code of a load text, compared exactly; 0 for any other text.
std::int16_t loadKindCode(std::string_view text);
// The text of a load kind; empty for LoadKind::None.
std::string_view loadKindText(LoadKind kind);

}  // namespace orv
