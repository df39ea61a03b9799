// The envelope of an internal force over the result sets of an analysis:
// at every section the diagrams sample, the largest and the smallest value
// over the combinations (over the load cases when there are none), each
// extreme labelled with the combination that gives it.
#pragma once

#include "document/model.h"
#include "results/figure.h"
#include "results/internal_force_diagram.h"
#include "solver/frame_solver.h"

// Both bounds of the `kind` envelope of every drawn member of `model`,
// from the solver on which korvasta has just succeeded for all its cases,
// at the model's diagram scale: the picture 包络图 shows.
Figure envelopeFigure(const Model& model, const 内力_位移& solved, DiagramKind kind);
