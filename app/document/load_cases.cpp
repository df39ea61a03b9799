// Load cases and combinations of the model; see load_cases.h.
#include "document/load_cases.h"

#include <algorithm>
#include <cmath>

namespace {

// The entry of a later case c >= 2 in a record's array of later cases,
// made on first use.
template <typename Entry>
Entry& laterEntry(std::vector<Entry>& later, int loadCase) {
    const auto index = static_cast<std::size_t>(loadCase - 2);
    if (later.size() <= index) {
        later.resize(index + 1);
    }
    return later[index];
}

template <typename Entry>
void trimTrailingEmpty(std::vector<Entry>& later) {
    while (!later.empty() && later.back() == Entry{}) {
        later.pop_back();
    }
}

template <typename Entry>
void eraseCase(std::vector<Entry>& later, int loadCase) {
    const auto index = static_cast<std::size_t>(loadCase - 2);
    if (index < later.size()) {
        later.erase(later.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

// Combination k (1..C) of a model, const or not; null out of range.
template <typename AnyModel>
auto* combinationNumbered(AnyModel& model, int combination) {
    const bool held =
        combination >= 1 && combination <= static_cast<int>(model.combinations.size());
    return held ? &model.combinations[static_cast<std::size_t>(combination - 1)]
                : decltype(&model.combinations[0]){};
}

bool holdsLoads(ConstMemberLoads loads) {
    return loads.荷载数 != 0 || loads.温度改变1 != 0 || loads.温度改变2 != 0;
}

}  // namespace

int loadCaseCount(const ModelBase& model) {
    return std::max<int>(1, static_cast<int>(model.loadCaseNames.size()));
}

std::string loadCaseName(const ModelBase& model, int loadCase) {
    if (loadCase == 1 && model.loadCaseNames.empty()) {
        return kFirstLoadCaseName;
    }
    return loadCase >= 1 ? elementOr(model.loadCaseNames, static_cast<std::size_t>(loadCase - 1))
                         : std::string();
}

MemberLoads loadsIn(gj& member, int loadCase) {
    if (loadCase <= 1) {
        return {member.荷载数, member.xq,        member.q,
                member.hzlx,   member.温度改变1, member.温度改变2};
    }
    工况荷载& entry = laterEntry(member.其他工况, loadCase);
    return {entry.荷载数, entry.xq, entry.q, entry.hzlx, entry.温度改变1, entry.温度改变2};
}

ConstMemberLoads loadsIn(const gj& member, int loadCase) {
    if (loadCase <= 1) {
        return {member.荷载数, member.xq,        member.q,
                member.hzlx,   member.温度改变1, member.温度改变2};
    }
    static const 工况荷载 none;
    const auto index = static_cast<std::size_t>(loadCase - 2);
    const 工况荷载& entry = index < member.其他工况.size() ? member.其他工况[index] : none;
    return {entry.荷载数, entry.xq, entry.q, entry.hzlx, entry.温度改变1, entry.温度改变2};
}

Settlement& settlementIn(SupportExtras& extras, int loadCase) {
    return loadCase <= 1 ? extras.settlement : laterEntry(extras.laterSettlements, loadCase);
}

Settlement settlementIn(const SupportExtras& extras, int loadCase) {
    if (loadCase <= 1) {
        return extras.settlement;
    }
    const auto index = static_cast<std::size_t>(loadCase - 2);
    return index < extras.laterSettlements.size() ? extras.laterSettlements[index] : Settlement{};
}

void trimLaterCases(gj& member) {
    trimTrailingEmpty(member.其他工况);
}

void trimLaterCases(SupportExtras& extras) {
    trimTrailingEmpty(extras.laterSettlements);
}

bool caseHasLoads(const Model& model, int loadCase) {
    const auto members = std::min<std::size_t>(
        model.members.size(), static_cast<std::size_t>(std::max<int>(model.memberTotal, 0)) + 1);
    for (std::size_t i = 1; i < members; ++i) {
        if (holdsLoads(loadsIn(model.members[i], loadCase))) {
            return true;
        }
    }
    return std::any_of(model.supportExtras.begin(), model.supportExtras.end(),
                       [loadCase](const SupportExtras& extras) {
                           return settlementIn(extras, loadCase) != Settlement{};
                       });
}

int addLoadCase(Model& model, const std::string& name) {
    if (model.loadCaseNames.empty()) {
        model.loadCaseNames.push_back(kFirstLoadCaseName);
    }
    model.loadCaseNames.push_back(name);
    return static_cast<int>(model.loadCaseNames.size());
}

bool deleteLoadCase(Model& model, int loadCase) {
    if (loadCase < 2 || loadCase > loadCaseCount(model)) {
        return false;
    }
    model.loadCaseNames.erase(model.loadCaseNames.begin() + (loadCase - 1));
    for (gj& member : model.members) {
        eraseCase(member.其他工况, loadCase);
    }
    for (SupportExtras& extras : model.supportExtras) {
        eraseCase(extras.laterSettlements, loadCase);
    }
    for (LoadCombination& combination : model.combinations) {
        std::erase_if(combination.terms, [loadCase](const LoadCombination::Term& t) {
            return t.loadCase == loadCase;
        });
        for (LoadCombination::Term& term : combination.terms) {
            term.loadCase = static_cast<std::int16_t>(term.loadCase - (term.loadCase > loadCase));
        }
    }
    std::erase_if(model.combinations, [](const LoadCombination& c) { return c.terms.empty(); });
    return true;
}

bool isChoiceOf(const Model& model, ResultChoice choice) {
    const int count = choice.kind == ResultChoice::Kind::Case
                          ? loadCaseCount(model)
                          : static_cast<int>(model.combinations.size());
    return choice.number >= 1 && choice.number <= count;
}

std::vector<ResultChoice> everyResultChoice(const ModelBase& model) {
    std::vector<ResultChoice> choices;
    for (int c = 1; c <= loadCaseCount(model); ++c) {
        choices.push_back({ResultChoice::Kind::Case, c});
    }
    for (int k = 1; k <= static_cast<int>(model.combinations.size()); ++k) {
        choices.push_back({ResultChoice::Kind::Combination, k});
    }
    return choices;
}

std::string resultName(const Model& model, ResultChoice choice) {
    if (!isChoiceOf(model, choice)) {
        return {};
    }
    const auto index = static_cast<std::size_t>(choice.number - 1);
    if (choice.kind == ResultChoice::Kind::Combination) {
        return model.combinations[index].name;
    }
    return index < model.loadCaseNames.size() ? model.loadCaseNames[index] : kFirstLoadCaseName;
}

bool renameLoadCase(Model& model, int loadCase, const std::string& name) {
    if (name.empty() || loadCase < 1 || loadCase > loadCaseCount(model)) {
        return false;
    }
    if (model.loadCaseNames.empty()) {
        model.loadCaseNames.push_back(kFirstLoadCaseName);
    }
    model.loadCaseNames[static_cast<std::size_t>(loadCase - 1)] = name;
    return true;
}

bool validCombinationTerms(const ModelBase& model,
                           const std::vector<LoadCombination::Term>& terms) {
    std::vector<bool> used(static_cast<std::size_t>(loadCaseCount(model)) + 1);
    for (const LoadCombination::Term& term : terms) {
        if (term.loadCase < 1 || term.loadCase > loadCaseCount(model) ||
            !std::isfinite(term.factor) || used[static_cast<std::size_t>(term.loadCase)]) {
            return false;
        }
        used[static_cast<std::size_t>(term.loadCase)] = true;
    }
    return !terms.empty();
}

int addCombination(Model& model, const std::string& name,
                   std::vector<LoadCombination::Term> terms) {
    if (name.empty() || !validCombinationTerms(model, terms)) {
        return 0;
    }
    model.combinations.push_back({name, std::move(terms)});
    return static_cast<int>(model.combinations.size());
}

bool renameCombination(Model& model, int combination, const std::string& name) {
    LoadCombination* named = combinationNumbered(model, combination);
    if (named == nullptr || name.empty()) {
        return false;
    }
    named->name = name;
    return true;
}

bool deleteCombination(Model& model, int combination) {
    if (combinationNumbered(model, combination) == nullptr) {
        return false;
    }
    model.combinations.erase(model.combinations.begin() + (combination - 1));
    return true;
}

std::optional<float> combinationFactor(const ModelBase& model, int combination, int loadCase) {
    const LoadCombination* read = combinationNumbered(model, combination);
    if (read == nullptr) {
        return std::nullopt;
    }
    for (const LoadCombination::Term& term : read->terms) {
        if (term.loadCase == loadCase) {
            return term.factor;
        }
    }
    return std::nullopt;
}

bool setCombinationFactor(Model& model, int combination, int loadCase,
                          std::optional<float> factor) {
    LoadCombination* changed = combinationNumbered(model, combination);
    if (changed == nullptr || loadCase < 1 || loadCase > loadCaseCount(model) ||
        (factor && !std::isfinite(*factor))) {
        return false;
    }
    auto& terms = changed->terms;
    const auto term = std::ranges::find(terms, loadCase, &LoadCombination::Term::loadCase);
    if (!factor) {
        if (term != terms.end() && terms.size() == 1) {
            return false;
        }
        if (term != terms.end()) {
            terms.erase(term);
        }
        return true;
    }
    if (term != terms.end()) {
        term->factor = *factor;
    } else {
        terms.push_back({static_cast<std::int16_t>(loadCase), *factor});
    }
    return true;
}
