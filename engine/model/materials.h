// The materials a member may have, in the order the program offers them,
// with their elastic moduli. Any other material name has modulus 0.
#pragma once

#include <array>
#include <string_view>

struct MaterialModulus {
    std::string_view name;
    float modulus;  // N/mm^2
};

inline constexpr std::array<MaterialModulus, 19> kMaterials{{
    {"C15混凝土", 22000}, {"C20混凝土", 25500}, {"C25混凝土", 28000}, {"C30混凝土", 30000},
    {"C35混凝土", 31500}, {"C40混凝土", 32500}, {"C45混凝土", 33500}, {"C50混凝土", 34500},
    {"C55混凝土", 35500}, {"C60混凝土", 36000}, {"C65混凝土", 36500}, {"C70混凝土", 37000},
    {"C75混凝土", 37500}, {"C80混凝土", 38000}, {"3号钢", 206000},    {"16Mn钢", 206000},
    {"16Mnq钢", 206000},  {"15MnV钢", 206000},  {"15MnVq钢", 206000},
}};
