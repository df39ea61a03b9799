// The envelope of an internal force over the result sets; see envelope.h.
#include "results/envelope.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "document/load_cases.h"
#include "results/result_figures.h"
#include "text/number_text.h"

namespace {

// The combinations, or the cases of a project without any.
std::vector<ResultChoice> envelopeChoices(const Model& model) {
    std::vector<ResultChoice> choices = everyResultChoice(model);
    if (!model.combinations.empty()) {
        std::erase_if(choices, [](ResultChoice c) { return c.kind == ResultChoice::Kind::Case; });
    }
    return choices;
}

// Every set's load positions on member i: each set's diagram has its pair
// of sections there, so the envelope has them all.
std::vector<double> unitedLoadPositions(const std::vector<ResultSet>& sets, std::size_t i,
                                        double length) {
    std::vector<double> positions;
    for (const ResultSet& set : sets) {
        const std::vector<double> own = loadPositions(set.model.members[i], length);
        positions.insert(positions.end(), own.begin(), own.end());
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

// A value equal to the bound so far keeps the earlier set.
void offer(EnvelopeSection& section, double value, std::size_t set) {
    if (set == 0 || value > section.largest.value) {
        section.largest = {value, set};
    }
    if (set == 0 || value < section.smallest.value) {
        section.smallest = {value, set};
    }
}

std::vector<EnvelopeSection> memberEnvelope(const std::vector<ResultSet>& sets, std::size_t i,
                                            DiagramKind kind) {
    const float length = sets.front().model.members[i].leng();
    std::vector<MemberEndForces> forces;
    for (const ResultSet& set : sets) {
        forces.push_back(endForcesOf(set.solver.a, i));
    }
    // The sampled sections start just past the first end and stop short of
    // the second, where a frame's moments are often largest: the envelope
    // takes the ends themselves too.
    std::vector<SectionPlace> places =
        diagramSections(length, kDiagramStep, unitedLoadPositions(sets, i, length));
    if (length > 0) {
        places.insert(places.begin(), {0, x_内力::Side::After, false});
        if (places.back().x < length) {
            places.push_back({length, x_内力::Side::Before, false});
        }
    }
    std::vector<EnvelopeSection> sections;
    for (const SectionPlace& place : places) {
        EnvelopeSection section{place.x, place.side, {}, {}};
        for (std::size_t s = 0; s < sets.size(); ++s) {
            offer(section,
                  sectionValue(sets[s].model.members[i], forces[s], kind, place.x, place.side), s);
        }
        sections.push_back(section);
    }
    return sections;
}

struct MemberExtreme {
    double x = 0;
    EnvelopeBound bound;
};

// The member's extreme of one bound over all its sections (the first on a
// tie), or nothing for a member without sections.
std::optional<MemberExtreme> extremeOf(const std::vector<EnvelopeSection>& sections, bool largest) {
    std::optional<MemberExtreme> extreme;
    for (const EnvelopeSection& section : sections) {
        const EnvelopeBound& bound = largest ? section.largest : section.smallest;
        if (!extreme ||
            (largest ? bound.value > extreme->bound.value : bound.value < extreme->bound.value)) {
            extreme = MemberExtreme{section.x, bound};
        }
    }
    return extreme;
}

// "-12.345(2.50处, 1.3恒+1.5活)": the value with its sign, since both
// bounds may lie on one side of the member.
std::string extremeText(const MemberExtreme& extreme, const Envelope& envelope) {
    return orv::formatFixed(extreme.bound.value, 3) + "(" + orv::formatFixed(extreme.x, 2) +
           "处, " + envelope.setNames[extreme.bound.set] + ")";
}

bool printsAsZero(double value) {
    return orv::formatFixed(std::abs(value), 3) == orv::formatFixed(0, 3);
}

// One bound of member m + 1 as a diagram: its curve and its extreme's label.
MemberDiagram boundDiagram(const gj& member, float scale, const Envelope& envelope, std::size_t m,
                           bool largest) {
    const std::vector<EnvelopeSection>& sections = envelope.members[m];
    std::vector<CurveSection> curve;
    curve.reserve(sections.size());
    for (const EnvelopeSection& section : sections) {
        curve.push_back({section.x, largest ? section.largest.value : section.smallest.value});
    }
    MemberDiagram diagram;
    diagram.polyline = diagramCurve(member, scale, curve);
    const auto extreme = extremeOf(sections, largest);
    if (extreme && !printsAsZero(extreme->bound.value)) {
        diagram.labels.push_back({diagramPoint(member, scale, extreme->x, extreme->bound.value),
                                  extremeText(*extreme, envelope)});
    }
    return diagram;
}

}  // namespace

std::vector<ResultSet> envelopeSets(const Model& model, const 内力_位移& solved) {
    std::vector<ResultSet> sets;
    for (const ResultChoice choice : envelopeChoices(model)) {
        if (auto set = resultSetOf(model, solved, choice)) {
            sets.push_back(std::move(*set));
        }
    }
    return sets;
}

Envelope envelopeOf(const std::vector<ResultSet>& sets, DiagramKind kind) {
    Envelope envelope;
    if (sets.empty()) {
        return envelope;
    }
    for (const ResultSet& set : sets) {
        envelope.setNames.push_back(set.name);
    }
    const auto count =
        static_cast<std::size_t>(std::max<int>(sets.front().model.membersEntered, 0));
    for (std::size_t i = 1; i <= count; ++i) {
        envelope.members.push_back(memberEnvelope(sets, i, kind));
    }
    return envelope;
}

// Each member twice, once per bound, so that the diagram figure's texts
// slide along the member as a diagram's do.
Figure envelopeFigure(const Model& model, const 内力_位移& solved, DiagramKind kind) {
    const Envelope envelope = envelopeOf(envelopeSets(model, solved), kind);
    std::vector<gj> members;
    std::vector<MemberDiagram> diagrams;
    for (std::size_t m = 0; m < envelope.members.size(); ++m) {
        const gj& member = model.members[m + 1];
        for (const bool largest : {true, false}) {
            members.push_back(member);
            diagrams.push_back(boundDiagram(member, model.diagramScale, envelope, m, largest));
        }
    }
    return diagramFigure(members, diagrams);
}

namespace {

struct KindColumns {
    DiagramKind kind;
    const char* name;
    const char* unit;
};

constexpr std::array<KindColumns, 3> kKindColumns{{{DiagramKind::Axial, "N", "kN"},
                                                   {DiagramKind::Shear, "Q", "kN"},
                                                   {DiagramKind::Moment, "M", "kN·m"}}};

void appendExtremeCells(std::vector<TableCell>& row, const std::optional<MemberExtreme>& extreme,
                        const Envelope& envelope) {
    if (!extreme) {
        row.insert(row.end(), 3, TableCell{});
        return;
    }
    row.push_back(forceCell(extreme->bound.value));
    row.push_back({extreme->x, orv::formatFixed(extreme->x, 2)});
    row.push_back({std::nullopt, envelope.setNames[extreme->bound.set]});
}

}  // namespace

ResultTable envelopeTable(const Model& model, const 内力_位移& solved) {
    const std::vector<ResultSet> sets = envelopeSets(model, solved);
    const char* governing = model.combinations.empty() ? "控制工况" : "控制组合";
    ResultTable table{{"杆号"},
                      {},
                      "各截面在全部组合 (无组合时为全部工况) 中的最大值与最小值及其控制者; "
                      "正负号同内力图 (正值画在杆件局部 +y 侧), 位置自杆件左端量起, 单位 m"};
    std::array<Envelope, kKindColumns.size()> envelopes;
    for (std::size_t k = 0; k < kKindColumns.size(); ++k) {
        const KindColumns& kind = kKindColumns[k];
        const std::string unit = std::string(" (") + kind.unit + ")";
        table.headers.insert(table.headers.end(),
                             {kind.name + std::string("最大") + unit, "位置 (m)", governing,
                              kind.name + std::string("最小") + unit, "位置 (m)", governing});
        envelopes[k] = envelopeOf(sets, kind.kind);
    }
    const std::size_t count = envelopes.front().members.size();
    for (std::size_t m = 0; m < count; ++m) {
        std::vector<TableCell> row{{static_cast<double>(m + 1), std::to_string(m + 1)}};
        for (const Envelope& envelope : envelopes) {
            appendExtremeCells(row, extremeOf(envelope.members[m], true), envelope);
            appendExtremeCells(row, extremeOf(envelope.members[m], false), envelope);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}
