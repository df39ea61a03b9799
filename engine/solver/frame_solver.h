// 内力_位移: the analysis engine of a plane rigid frame by the direct
// stiffness method. The program fills the input properties from its
// document as whole arrays (index 0 unused, (load, member) tables indexed
// (k, i)), asks 能否计算 whether the model can be solved and calls korvasta,
// which writes the member end forces (base + ".mqn") and the node
// displacements (base + ".uva") and leaves the result table in `a`.
//
// Units: forces kN, moments kN*m, lengths m, E in N/mm^2 used unconverted,
// so displacements come out as 1000 x (m, rad).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/table2d.h"
#include "solver/diagnostic.h"

// A load case beyond the first: its own member loads, settlements and
// temperature changes, in the shape, units and meaning of case 1's arrays
// of 内力_位移 (an array left empty: none of that kind). Everything else
// (members, sections, connections, supports, springs, turned axes) is the
// frame's.
struct 荷载工况 {
    std::vector<std::int16_t> 荷载数;  // per member 1..M
    Table2D<std::int16_t> 荷载种类;    // (k, i)
    Table2D<float> xq;                 // (k, i)
    Table2D<float> q;                  // (k, i)
    std::vector<float> 支座位移x;      // per node 1..N
    std::vector<float> 支座位移y;
    std::vector<float> 支座转角;
    std::vector<float> 温度改变1;  // per member 1..M
    std::vector<float> 温度改变2;
};

// The results of a load case beyond the first, as a, 左端转角 and 右端转角
// of 内力_位移 hold those of case 1.
struct 工况结果 {
    Table2D<double> a;
    std::vector<double> 左端转角;
    std::vector<double> 右端转角;
};

class 内力_位移 {
public:
    std::int16_t 杆件总数 = 0;           // M, members 1..M
    std::int16_t 节点总数 = 0;           // N, nodes 1..N
    std::vector<std::int16_t> 左节点号;  // node of each member's first end
    std::vector<std::int16_t> 右节点号;  // node of each member's second end
    std::vector<float> 弹性模量;         // E (N/mm^2)
    std::vector<float> 惯性矩;           // I (m^4)
    std::vector<float> 截面积;           // A (m^2)
    std::vector<std::string> 左端坐标;   // "x,y" of the first end
    std::vector<std::string> 右端坐标;   // "x,y" of the second end
    std::vector<std::int16_t> 荷载数;    // loads per member (0..55)
    Table2D<std::int16_t> 荷载种类;      // (k, i): load kind code 1..6
    Table2D<float> xq;                   // (k, i): position or extent (m)
    Table2D<float> q;                    // (k, i): intensity
    std::vector<std::int16_t> 零位移;    // support code of each node 1..N
    // How each member's first and second end is connected to its node: the
    // connection's rotational stiffness (kN*m/rad), +infinity for a rigid
    // joint, 0 for a hinge. Arrays left empty make every joint rigid.
    std::vector<float> 左端转动刚度;
    std::vector<float> 右端转动刚度;
    // Elastic supports, per node 1..N: springs along the node's support
    // axes (kN/m) and in rotation (kN*m/rad), beside whatever its support
    // code restrains; 0 for none.
    std::vector<float> x向弹簧刚度;
    std::vector<float> y向弹簧刚度;
    std::vector<float> 转动弹簧刚度;
    // Inclined supports, per node 1..N: the angle (degrees, -180 < a <= 180)
    // by which the node's support axes are turned from +X towards +Y. The
    // support code, springs and settlements act along the turned axes.
    std::vector<float> 支座倾角;
    // Settlements, per node 1..N: the support's prescribed movement along
    // its axes (m) and turn (rad); only restrained freedoms may move.
    std::vector<float> 支座位移x;
    std::vector<float> 支座位移y;
    std::vector<float> 支座转角;
    // Temperature changes, per member 1..M: the change (degrees C) at the
    // member's local -y face and at its +y face, linear over the depth; the
    // material's coefficient of expansion (1/degree C) and the section's
    // depth (m; 0 for a section given by area and second moment only).
    std::vector<float> 温度改变1;
    std::vector<float> 温度改变2;
    std::vector<float> 线膨胀系数;
    std::vector<float> 截面高度;
    // Result table, rows 0..6, columns 0..max(3N, M): row 0 the displacement
    // of every freedom, rows 1..6 each member's local end forces (axial,
    // shear, moment at the first end, then at the second end), the forces
    // the nodes exert on the member.
    Table2D<double> a;
    // After a run, each member's own rotation at its first and second end
    // (1000 x rad, as row 0): the node's where the end is rigid, its own
    // where it is released. Index 0 unused.
    std::vector<double> 左端转角;
    std::vector<double> 右端转角;
    // Load cases 2..K at indices 0..K-2 (the arrays above are case 1's),
    // and after a run their results in the same order. The stiffness is
    // factored once for all of them; the result files hold case 1's.
    std::vector<荷载工况> 其他工况;
    std::vector<工况结果> 其他工况结果;

    // Receives every message of 能否计算 and korvasta, in order.
    orv::MessageHandler messageHandler = orv::printToStandardError;

    // True when every member has a nonzero length and the supports can hold
    // the frame in place (two X restraints and one Y, one X and two Y, or a
    // fixed end). Input it cannot read is reported and gives false.
    bool 能否计算();

    // Runs the whole analysis for the project file `ffile`. Returns true when
    // both result files were written; otherwise the reason has been handed
    // to messageHandler (nothing is said when 能否计算 is false or the model
    // has no member or node).
    bool korvasta(const std::string& ffile);
};

namespace orv {

// Sizes every member input array of `solver` for members 1..memberCount
// (index 0 unused) and the load tables for loads 1..55, all zero or empty
// and every joint rigid, and every node input array for nodes 1..nodeCount
// zero (left empty without a node count: no springs, turned axes or
// settlements): the shape in which callers fill them.
void sizeInputArrays(内力_位移& solver, std::size_t memberCount, std::size_t nodeCount = 0);

// Sizes a further load case's arrays in the same way: no loads, no
// settlements (node arrays left empty without a node count), no
// temperature changes.
void sizeLoadCase(荷载工况& loadCase, std::size_t memberCount, std::size_t nodeCount = 0);

}  // namespace orv
