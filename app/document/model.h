// The saved project as one value: what the project file holds of the frame
// and what undo and redo go back and forth between — members, nodes,
// supports with their symbols' counters, the member total, the diagram
// scale and the window's colours. The mode that runs, the pointer, the
// capture and the view belong to the session (see Document) and are no
// part of it.
//
// A field added here is copied, compared, kept by undo and tested for
// unsaved work with the rest, because each of them takes the model whole.
// Member records are the one exception the history makes (it shares them
// record by record, see edit_history.h).
//
// Arrays are used from index 1 (members 1..memberTotal, nodes
// 1..nodeCount); element 0 exists and is never used.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/gd.h"
#include "model/gj.h"

// A colour as a 32-bit value: red in the low byte, then green, then blue.
// Values with the high bit set name a system colour (see colours.h).
using ColourValue = std::int32_t;

inline constexpr ColourValue kWhite = 0xFFFFFF;
inline constexpr ColourValue kBlack = 0x000000;

// A support's movement along its axes (m, m) and its turn (rad).
using Settlement = std::array<float, 3>;

// What a node's support is beside its kind: springs along the support's
// axes and in rotation (kN/m, kN/m, kN*m/rad), the turn of those axes
// (degrees from +X towards +Y, -180 < a <= 180) and the settlement of load
// case 1 along them, then of cases 2, 3, ... at indices 0, 1, ... (a case
// beyond the array's end settles nothing here; see load_cases.h). A node
// may have springs without a support kind.
struct SupportExtras {
    std::array<float, 3> springs{};
    float angle = 0;
    Settlement settlement{};
    std::vector<Settlement> laterSettlements;

    bool operator==(const SupportExtras&) const = default;
    bool empty() const { return *this == SupportExtras{}; }
};

// The name a project's first load case has until it is renamed; case 1
// always exists.
inline constexpr const char* kFirstLoadCaseName = "工况1";

// A load combination: its name and the factored cases it sums, each case
// (1..K) at most once, any real factor.
struct LoadCombination {
    struct Term {
        std::int16_t loadCase = 1;
        float factor = 1;
        bool operator==(const Term&) const = default;
    };
    std::string name;
    std::vector<Term> terms;

    bool operator==(const LoadCombination&) const = default;
};

// Everything of the model beside its member records: the undo history
// keeps this part whole and shares the records one by one.
struct ModelBase {
    std::int16_t memberTotal = 0;
    std::int16_t membersEntered = 0;
    std::int16_t nodeCount = 0;
    std::vector<gd> nodes = std::vector<gd>(1);                                // 1..nodeCount
    std::vector<std::int16_t> supportKinds = std::vector<std::int16_t>(1, 7);  // 1..nodeCount
    std::vector<SupportExtras> supportExtras = std::vector<SupportExtras>(1);  // 1..nodeCount
    std::int16_t supportsPlaced = 0;
    std::int16_t fixedSymbolCount = 0;
    std::int16_t pinnedSymbolCount = 0;
    std::int16_t horizontalLinkSymbolCount = 0;
    std::int16_t verticalLinkSymbolCount = 0;
    float diagramScale = 0.02f;
    // Load cases 1..K at indices 0..K-1 by name (their loads are kept with
    // the members and supports), and combinations 1..C at 0..C-1.
    std::vector<std::string> loadCaseNames = {kFirstLoadCaseName};
    std::vector<LoadCombination> combinations;

    // Window settings saved with the project.
    ColourValue backColour = kWhite;
    ColourValue crosshairColour = 0xFF0000;  // blue, the crosshair's design colour

    bool operator==(const ModelBase&) const = default;
};

// Element k of a model or record array, or a fresh value where the
// array holds none: records are created on first access, so reading past
// an array's end reads an empty record.
template <typename T>
T elementOr(const std::vector<T>& values, std::size_t k) {
    return k < values.size() ? values[k] : T{};
}

struct Model : ModelBase {
    std::vector<gj> members = std::vector<gj>(1);  // 1..memberTotal

    bool operator==(const Model&) const = default;
};
