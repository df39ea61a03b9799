// The result sets of an analysis with load cases: each case, and each
// combination as the factored sum of its cases. A set is given in the
// shapes every result function already reads (a model and a solver on
// which korvasta has succeeded), so that the end forces, diagrams,
// reactions, deflected shape, tables, files and pictures of a combination
// are those of its case in every respect.
//
// A combination's model gathers every case's loads, temperature changes
// and settlements, scaled by the case's factor, as one set of case 1
// loads; its result table and end rotations are the factored sums of its
// cases'. The analysis is linear, so a section value of the combination
// is the factored sum of its cases' at that section: between the nodes as
// well as at them.
#pragma once

#include <optional>
#include <string>

#include "document/load_cases.h"
#include "document/model.h"
#include "solver/frame_solver.h"

// The model as the set sees it: one load case, named as the set, holding
// the set's loads, temperature changes and settlements in case 1's fields,
// and no combinations.
Model modelOfSet(const Model& model, ResultChoice choice);

struct ResultSet {
    std::string name;
    Model model;       // modelOfSet
    内力_位移 solver;  // that model's input, the set's result table and end rotations
};

// The set chosen from a model and the solver on which korvasta has just
// succeeded for all its cases; nothing for a choice the model lacks or a
// solver that holds no results of that case.
std::optional<ResultSet> resultSetOf(const Model& model, const 内力_位移& solved,
                                     ResultChoice choice);
