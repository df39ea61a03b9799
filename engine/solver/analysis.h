// The numerical steps of a run: assembly of the global stiffness matrix and
// load vector, the support conditions, the solution for the node
// displacements and the member end forces.
#pragma once

#include <optional>
#include <vector>

#include "solver/end_connections.h"
#include "solver/frame_input.h"
#include "solver/member_matrices.h"
#include "solver/sparse_matrix.h"

namespace orv {

struct LinearSystem {
    StiffnessMatrix stiffness;  // lower triangle
    std::vector<double> loads;  // by freedom, 0-based
};

// Global stiffness and equivalent nodal loads of all members, each entry
// summed in member order, then the support springs; the freedoms of a node
// with turned support axes along those axes (see node_supports.h).
LinearSystem assemble(const FrameInput& frame);

// The load vector alone, as assemble makes it: the loads of a further
// load case on the stiffness of the first.
std::vector<double> assembleLoads(const FrameInput& frame);

// Restrained freedoms get a zero row and column, a unit diagonal and their
// settlement as load, so that the solution gives exactly the settlement
// there; what the settlement pushes on the free freedoms moves to their
// loads first. So do the
// rotations of nodes that have none of their own (every member end there
// a hinge): nothing would resist them.
void applySupports(const FrameInput& frame, LinearSystem& system);

// The same for several load cases on one stiffness: the frame of each case
// (the same but for loads, temperatures and settlements) and its loads.
void applySupports(const std::vector<const FrameInput*>& caseFrames, StiffnessMatrix& stiffness,
                   std::vector<std::vector<double>>& caseLoads);

struct Solution {
    std::vector<double> displacements;  // of all freedoms (0-based), when solved
    // When the system is singular (a mechanism or a member without
    // stiffness): the 0-based freedom where the zero pivot was met, free to
    // move without resistance.
    std::optional<int> zeroPivotAt;
};

Solution solveDisplacements(const LinearSystem& system);

struct CaseSolutions {
    std::vector<std::vector<double>> displacements;  // per case, when solved
    std::optional<int> zeroPivotAt;                  // as Solution's
};

// The displacements of every case from one factorization of the stiffness.
CaseSolutions solveDisplacements(const StiffnessMatrix& stiffness,
                                 const std::vector<std::vector<double>>& caseLoads);

// Local end forces and own end rotations of one member from the
// displacements of all freedoms.
MemberEndState memberEndState(const MemberInput& member, const std::vector<double>& displacements);

// The displacements with the rotation of every node that has none of its
// own set to that of the member end it takes it from (see
// FrameInput::rotationTakenFrom).
void takeNodeRotationsFromEnds(const FrameInput& frame, std::vector<double>& displacements);

}  // namespace orv
