// Uses the installed engine: a cantilever 2 m long, fixed at node 1,
// carrying 10 kN at its free end, solved into the project path given on
// the command line. The fixed end's moment must be 10 kN x 2 m.
#include <cmath>
#include <cstdio>

#include "solver/frame_solver.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return 2;
    }
    内力_位移 solver;
    solver.杆件总数 = 1;
    solver.节点总数 = 2;
    orv::sizeInputArrays(solver, 1);
    solver.左节点号[1] = 1;
    solver.右节点号[1] = 2;
    solver.弹性模量[1] = 30000;  // N/mm^2
    solver.截面积[1] = 0.125f;   // m^2
    solver.惯性矩[1] = 0.0026f;  // m^4
    solver.左端坐标[1] = "0,0";
    solver.右端坐标[1] = "2,0";
    solver.荷载数[1] = 1;
    solver.荷载种类(1, 1) = 1;  // point load
    solver.xq(1, 1) = 2;        // m from the first end
    solver.q(1, 1) = 10;        // kN
    solver.零位移 = {7, 0, 7};  // node 1 fixed, node 2 free
    if (!solver.能否计算() || !solver.korvasta(argv[1])) {
        return 1;
    }
    const double moment = solver.a(3, 1);  // at the first end, kN*m
    std::printf("fixed-end moment %.3f kN*m\n", moment);
    return std::abs(std::abs(moment) - 20.0) < 1e-6 ? 0 : 1;
}
