// x_内力: the internal force at a section of a member, as the diagrams need
// it. One call gives the part due to the member's end forces (empty load
// text), one call per member load gives that load's part; the caller adds
// them. Units: kN, kN*m, m. Stateless.
#pragma once

#include <string>

class x_内力 {
public:
    // leng: member length L; lx: load kind text, or "" for the end-force
    // part; xq, q: the load's parameter a and intensity; na..mb: the member's
    // local end forces (axial, shear, moment at the first end, then at the
    // second end); x: distance of the section from the first end; m_q_n:
    // "M" moment, "Q" shear, "N" axial force (any other text gives 0).
    float upx(float leng, std::string lx, float xq, float q, float na, float qa, float ma, float nb,
              float qb, float mb, float x, std::string m_q_n) const;
};
