// The envelope of an internal force over the result sets: at every section
// a diagram samples, the largest and the smallest value any set gives
// there, and which set gives each. A design takes the worst of every
// combination, so the envelope runs over the combinations; a project
// without combinations has it over its load cases.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "results/figure.h"
#include "results/internal_force_diagram.h"
#include "results/result_sets.h"
#include "results/result_tables.h"

// The sets an envelope runs over: every combination, or every case when
// there is none; those whose results the solver lacks are left out.
std::vector<ResultSet> envelopeSets(const Model& model, const 内力_位移& solved);

// One bound at a section: its value and the index of the set giving it.
struct EnvelopeBound {
    double value = 0;
    std::size_t set = 0;
};

struct EnvelopeSection {
    double x = 0;                              // m from the member's first end
    x_内力::Side side = x_内力::Side::Before;  // at a load position: before or after it
    EnvelopeBound largest;
    EnvelopeBound smallest;
};

struct Envelope {
    std::vector<std::string> setNames;
    // Members 1..M at 0..M-1, each at its two ends and the sections every
    // set's diagram samples: the regular ones and a pair at every load
    // position of any set (just before and just after it), in order along
    // the member.
    std::vector<std::vector<EnvelopeSection>> members;
};

Envelope envelopeOf(const std::vector<ResultSet>& sets, DiagramKind kind);

// The envelope of `kind` drawn over the frame at the diagram scale: both
// bounds of each member like a diagram, the member's largest and smallest
// value labelled with its section and the set that gives it.
Figure envelopeFigure(const Model& model, const 内力_位移& solved, DiagramKind kind);

// Per member and force (N, Q, M), the largest and smallest value with its
// section and governing set (combination, or case without combinations).
ResultTable envelopeTable(const Model& model, const 内力_位移& solved);
