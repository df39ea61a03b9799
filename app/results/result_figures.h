// The figures of an analysis drawn over the frame: the internal-force
// diagrams, the support reactions as arrows with their values, and the
// deflected shape with its largest node displacement labelled. World coordinates with pixel-sized
// arrows and texts, as the figure layer paints them.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "model/table2d.h"
#include "results/deflected_shape.h"
#include "results/figure.h"
#include "results/internal_force_diagram.h"
#include "results/reactions.h"

// Teal for reactions and orange for the deflected shape, in the
// blue-green-red order of colour values: apart from black members, the red
// mark, the blue supports, the magenta diagrams and the green loads.
inline constexpr ColourValue kReactionColour = 0x808000;
inline constexpr ColourValue kDeflectionColour = 0x0078E6;
// Magenta, 128 red and 128 blue.
inline constexpr ColourValue kDiagramColour = 0x800080;

// The diagram of each member (`diagrams[i]` of `members[i]`): its curve,
// then the signs of every member (so that each part keeps its sign), each
// free to slide within its stretch, then the value labels, each free to
// slide along its whole member.
Figure diagramFigure(std::span<const gj> members, const std::vector<MemberDiagram>& diagrams);

// Sections are 0.01 m apart along every member of a diagram.
inline constexpr float kDiagramStep = 0.01f;

// Member i's end forces, rows 1..6 of column i of a result table.
MemberEndForces endForcesOf(const Table2D<double>& results, std::size_t member);

// The `kind` diagram of every drawn member of `model`, from the end forces
// of the solved frame (rows 1..6 of member i's column i of the solver's
// result table) at the model's diagram scale, sampled every centimetre:
// the picture 弯矩图, 剪力图 and 轴力图 show, in the window and in files.
Figure diagramsOf(const Model& model, const Table2D<double>& endForces, DiagramKind kind);

// At each reaction's node an arrow per force component, along the
// support's axes (turned with an inclined support), pointing the way the
// support pushes, and a curved arrow for a moment, each labelled with
// its magnitude and unit; components that print as zero are left out.
Figure reactionFigure(const std::vector<SupportReaction>& reactions);

// Every member's curve moved by `magnification` x its displacement, and
// an arrow from the farthest-moving node to where it is drawn, labelled
// with its node, its movement in mm and its direction.
Figure deflectionFigure(const SolvedFrame& frame, const std::vector<MemberCurve>& curves,
                        double magnification);

// The hint lines: the frame's equilibrium residual, and the magnification
// with the largest node displacement.
std::string equilibriumText(const EquilibriumResidual& residual);
std::string deflectionText(const SolvedFrame& frame, double magnification);
