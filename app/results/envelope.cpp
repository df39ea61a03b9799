// The envelope figure; see envelope.h. For now the diagram of the first
// combination (of case 1 when there is none) stands in for both bounds.
#include "results/envelope.h"

#include "document/load_cases.h"
#include "results/result_figures.h"
#include "results/result_sets.h"

Figure envelopeFigure(const Model& model, const 内力_位移& solved, DiagramKind kind) {
    const ResultChoice first = model.combinations.empty()
                                   ? ResultChoice{}
                                   : ResultChoice{ResultChoice::Kind::Combination, 1};
    const auto set = resultSetOf(model, solved, first);
    return set ? diagramsOf(set->model, set->solver.a, kind) : Figure{};
}
