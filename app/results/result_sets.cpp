// Result sets of load cases and combinations; see result_sets.h.
#include "results/result_sets.h"

#include <algorithm>

#include "document/load_cases.h"
#include "results/solver_copy.h"

namespace {

using Term = LoadCombination::Term;

// A case is the combination of itself alone with factor 1, which scales
// nothing: its set is its own loads and results to the last bit.
std::vector<Term> termsOf(const Model& model, ResultChoice choice) {
    if (choice.kind == ResultChoice::Kind::Case) {
        return {{static_cast<std::int16_t>(choice.number), 1.0f}};
    }
    return model.combinations[static_cast<std::size_t>(choice.number - 1)].terms;
}

// Appends one load to the view's record, growing its arrays past the 55
// of one case where a combination gathers more.
void appendLoad(gj& into, const std::string& kind, float xq, float q) {
    const auto u = static_cast<std::size_t>(++into.荷载数);
    if (into.q.size() <= u) {
        into.xq.resize(u + 1);
        into.q.resize(u + 1);
        into.hzlx.resize(u + 1);
    }
    into.hzlx[u] = kind;
    into.xq[u] = xq;
    into.q[u] = q;
}

// The member's loads and temperature change of one case, scaled, after
// those the view's record holds already as case 1's. A scaled intensity
// rarely fits a single value exactly (1.3 x 20 does not), while the
// combination's end forces are the exact sums of its cases': each load
// goes in as two of the same kind and place, the intensity's nearest
// single value and the rest, so that the section values agree with the
// end forces to double precision.
void addScaledLoads(gj& into, ConstMemberLoads from, float factor) {
    for (std::size_t k = 1; k <= static_cast<std::size_t>(std::max<int>(from.荷载数, 0)); ++k) {
        const std::string& kind = elementOr(from.hzlx, k);
        const float xq = elementOr(from.xq, k);
        const double scaled = double{factor} * double{elementOr(from.q, k)};
        const auto nearest = static_cast<float>(scaled);
        appendLoad(into, kind, xq, nearest);
        if (const auto rest = static_cast<float>(scaled - nearest); rest != 0) {
            appendLoad(into, kind, xq, rest);
        }
    }
    into.温度改变1 += factor * from.温度改变1;
    into.温度改变2 += factor * from.温度改变2;
}

void gatherMemberLoads(gj& view, const gj& member, const std::vector<Term>& terms) {
    const gj fresh;
    view.荷载数 = 0;
    view.xq = fresh.xq;
    view.q = fresh.q;
    view.hzlx = fresh.hzlx;
    view.温度改变1 = 0;
    view.温度改变2 = 0;
    view.其他工况.clear();
    for (const Term& term : terms) {
        addScaledLoads(view, loadsIn(member, term.loadCase), term.factor);
    }
}

void gatherSettlements(SupportExtras& view, const SupportExtras& extras,
                       const std::vector<Term>& terms) {
    view.settlement = {};
    view.laterSettlements.clear();
    for (const Term& term : terms) {
        const Settlement moved = settlementIn(extras, term.loadCase);
        for (std::size_t d = 0; d < moved.size(); ++d) {
            view.settlement[d] += term.factor * moved[d];
        }
    }
}

// The results of case c as korvasta left them, or nothing when the solver
// holds none of that case.
struct CaseTables {
    const Table2D<double>* a = nullptr;
    const std::vector<double>* left = nullptr;
    const std::vector<double>* right = nullptr;
};

std::optional<CaseTables> tablesOfCase(const 内力_位移& solved, int loadCase) {
    if (loadCase == 1) {
        return CaseTables{&solved.a, &solved.左端转角, &solved.右端转角};
    }
    const auto index = static_cast<std::size_t>(loadCase - 2);
    if (index >= solved.其他工况结果.size()) {
        return std::nullopt;
    }
    const 工况结果& results = solved.其他工况结果[index];
    return CaseTables{&results.a, &results.左端转角, &results.右端转角};
}

void addScaled(std::vector<double>& sum, const std::vector<double>& values, double factor) {
    sum.resize(std::max(sum.size(), values.size()), 0.0);
    for (std::size_t k = 0; k < values.size(); ++k) {
        sum[k] += factor * values[k];
    }
}

// The factored sums of the terms' result tables and end rotations into
// the set's solver; false when a case has no results or another shape.
bool sumResults(const 内力_位移& solved, const std::vector<Term>& terms, 内力_位移& into) {
    into.a = Table2D<double>(solved.a.rows(), solved.a.cols(), 0.0);
    into.左端转角.clear();
    into.右端转角.clear();
    for (const Term& term : terms) {
        const auto tables = tablesOfCase(solved, term.loadCase);
        if (!tables || tables->a->rows() != into.a.rows() || tables->a->cols() != into.a.cols()) {
            return false;
        }
        const double factor = term.factor;
        for (std::size_t r = 0; r < into.a.rows(); ++r) {
            for (std::size_t c = 0; c < into.a.cols(); ++c) {
                into.a(r, c) += factor * (*tables->a)(r, c);
            }
        }
        addScaled(into.左端转角, *tables->left, factor);
        addScaled(into.右端转角, *tables->right, factor);
    }
    return true;
}

}  // namespace

Model modelOfSet(const Model& model, ResultChoice choice) {
    Model view = model;
    if (!isChoiceOf(model, choice)) {
        return view;
    }
    const std::vector<Term> terms = termsOf(model, choice);
    for (std::size_t i = 1; i < view.members.size(); ++i) {
        gatherMemberLoads(view.members[i], model.members[i], terms);
    }
    for (std::size_t n = 1; n < view.supportExtras.size(); ++n) {
        gatherSettlements(view.supportExtras[n], model.supportExtras[n], terms);
    }
    view.loadCaseNames = {resultName(model, choice)};
    view.combinations.clear();
    return view;
}

std::optional<ResultSet> resultSetOf(const Model& model, const 内力_位移& solved,
                                     ResultChoice choice) {
    if (!isChoiceOf(model, choice)) {
        return std::nullopt;
    }
    ResultSet set{resultName(model, choice), modelOfSet(model, choice), {}};
    if (!gj2计算gj(set.model, set.solver, [](const orv::Diagnostic&) {}) ||
        !sumResults(solved, termsOf(model, choice), set.solver)) {
        return std::nullopt;
    }
    return set;
}
