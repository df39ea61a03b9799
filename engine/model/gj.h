// gj: the record of one straight frame member as the editor keeps it, with
// the values the analysis derives from it. Units: coordinates and dimensions
// in m (direct-input area m^2, second moment m^4), elastic modulus in N/mm^2.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/load_kinds.h"

// One member's loads and temperature change in a load case beyond the
// first, in the shape the record keeps those of case 1 in.
struct 工况荷载 {
    std::int16_t 荷载数 = 0;
    std::vector<float> xq = std::vector<float>(orv::kMaxLoadsPerMember + 1);
    std::vector<float> q = std::vector<float>(orv::kMaxLoadsPerMember + 1);
    std::vector<std::string> hzlx = std::vector<std::string>(orv::kMaxLoadsPerMember + 1);
    float 温度改变1 = 0;
    float 温度改变2 = 0;

    bool operator==(const 工况荷载&) const = default;
};

class gj {
public:
    std::string 材料;                                 // material name, see e()
    std::string 断面;                                 // section shape name, see a() and i()
    std::vector<float> 尺寸 = std::vector<float>(5);  // section dimensions, slots 0..4
    std::int16_t 荷载数 = 0;                          // number of member loads (0..55)
    // Per load, indexed by load number 1..55 (slot 0 unused): position or
    // extent parameter (m), intensity, and load kind text.
    std::vector<float> xq = std::vector<float>(orv::kMaxLoadsPerMember + 1);
    std::vector<float> q = std::vector<float>(orv::kMaxLoadsPerMember + 1);
    std::vector<std::string> hzlx = std::vector<std::string>(orv::kMaxLoadsPerMember + 1);
    float x1 = 0;  // first end (node 左号)
    float y1 = 0;
    float x2 = 0;  // second end (node 右号)
    float y2 = 0;
    std::int16_t 左号 = 0;  // node number of the first end
    std::int16_t 右号 = 0;  // node number of the second end
    // How each end is connected to its node: nothing for a rigid joint,
    // otherwise the rotational stiffness k >= 0 (kN*m/rad) of the
    // connection, 0 being a hinge (the end carries no moment).
    std::optional<float> 左端转动刚度;
    std::optional<float> 右端转动刚度;
    // Temperature change of load case 1 (degrees C) at the member's local -y
    // face and at its +y face, varying linearly over the section's depth.
    float 温度改变1 = 0;
    float 温度改变2 = 0;
    // The member's loads and temperature changes of load cases 2, 3, ... at
    // indices 0, 1, ...; a case beyond the array's end has none here.
    std::vector<工况荷载> 其他工况;

    // Records are equal when every field is.
    bool operator==(const gj&) const = default;

    // Elastic modulus (N/mm^2) of the material; 0 for an unknown name.
    float e() const;
    // Area (m^2) and second moment of area about the in-plane bending axis
    // (m^4) of the section; 0 for an unknown shape or missing dimensions.
    float a() const;
    float i() const;
    // Coefficient of thermal expansion (1/degree C) of the material: the
    // concretes 1.0E-05, the steels 1.2E-05; 0 for an unknown name.
    float 线膨胀系数() const;
    // Depth (m) of the section across the bending axis, over which a
    // temperature change varies: D1 of 矩形, 空心圆 and 平I字形, D0 of 实心圆,
    // D3 of the T and L shapes, D4 of I字形; 0 for 直接输入截面积和惯性矩.
    float 截面高度() const;
    // Length of the member (m).
    float leng() const;
    // Whether the dimensions are consistent for the shape (the check the
    // member property dialog makes); false for an unknown shape.
    bool 尺寸xh() const;
    // Inclination (rad) in (-pi/2, pi/2); -pi/2 for any vertical member.
    float 夹角() const;
    // End coordinates as the text "x,y" in the shortest form of the stored
    // numbers; the form in which they are handed to the solver.
    std::string 左端坐标() const;
    std::string 右端坐标() const;
};
