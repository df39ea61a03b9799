// The member loads as engineers draw them: a point load as an arrow onto
// the member, a distributed load as a row of arrows under a line over its
// extent, the triangle's arrows growing along it, a couple as a curved
// arrow, axial loads as arrows along the member; each labelled with its
// value and unit on the side the load comes from. Arrows keep their length
// on the screen; their positions are world points on the members.
#pragma once

#include <string>

#include "document/model.h"
#include "model/load_kinds.h"
#include "results/figure.h"

// Dark green: none of black, the mark's red, the supports' blue and the
// diagrams' magenta.
inline constexpr ColourValue kLoadColour = 0x008000;

// A load's value with the unit of its kind: "20 kN/m", "-10 kN", "5 kN·m".
std::string loadValueText(orv::LoadKind kind, float value);

// Every load of members 1..`members` of the model in load case `loadCase`.
Figure loadsFigure(const Model& model, int members, int loadCase = 1);
