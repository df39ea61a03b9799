// Load cases and combinations of the model. Case 1's loads, settlements and
// temperature changes are the member and node records' own fields; those
// of cases 2, 3, ... ride in the same records (gj::其他工况,
// SupportExtras::laterSettlements), so that they follow their member or
// node through every deletion, copy and renumbering. These functions reach
// case c of a record and change the list of cases and combinations so that
// every number stays consistent.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "document/model.h"

// One member's loads and temperature change in one load case, as
// references into the record: the fields gj keeps for case 1, the same
// names for every case.
template <bool Const>
struct MemberLoadsView {
    template <typename T>
    using Ref = std::conditional_t<Const, const T&, T&>;
    Ref<std::int16_t> 荷载数;
    Ref<std::vector<float>> xq;
    Ref<std::vector<float>> q;
    Ref<std::vector<std::string>> hzlx;
    Ref<float> 温度改变1;
    Ref<float> 温度改变2;
};
using MemberLoads = MemberLoadsView<false>;
using ConstMemberLoads = MemberLoadsView<true>;

// Number of load cases K >= 1.
int loadCaseCount(const ModelBase& model);

// The name of case c (1..K); empty out of range.
std::string loadCaseName(const ModelBase& model, int loadCase);

// Case c (1..K) of a member: its own fields for case 1, its entry for a
// later case, made on first change (reading a case without an entry reads
// no loads).
MemberLoads loadsIn(gj& member, int loadCase);
ConstMemberLoads loadsIn(const gj& member, int loadCase);

// The settlement of a node's support in case c (1..K), made on first
// change like a member's loads.
Settlement& settlementIn(SupportExtras& extras, int loadCase);
Settlement settlementIn(const SupportExtras& extras, int loadCase);

// Drops the trailing entries of later cases that hold nothing, so that a
// record compares equal to itself read back from its file. The changes of
// loads call it after each change.
void trimLaterCases(gj& member);
void trimLaterCases(SupportExtras& extras);

// Whether any member or node has a load, temperature change or settlement
// in case c.
bool caseHasLoads(const Model& model, int loadCase);

// Adds a case named `name` after the last; returns its number.
int addLoadCase(Model& model, const std::string& name);

// Deletes case c (2..K) with its loads: the cases after it move down one
// number, the combinations lose their term of it and a combination left
// without terms goes. Case 1 and numbers out of range are refused (false).
bool deleteLoadCase(Model& model, int loadCase);

// Which results are shown: a load case 1..K or a combination 1..C.
struct ResultChoice {
    enum class Kind { Case, Combination };
    Kind kind = Kind::Case;
    int number = 1;

    bool operator==(const ResultChoice&) const = default;
};

// Whether the model has the case or combination the choice names.
bool isChoiceOf(const Model& model, ResultChoice choice);

// Every case 1..K, then every combination 1..C.
std::vector<ResultChoice> everyResultChoice(const ModelBase& model);

// The name of the case or combination (empty for a choice the model lacks).
std::string resultName(const Model& model, ResultChoice choice);

// Renames case c (1..K); an empty name or a number out of range is refused
// (false).
bool renameLoadCase(Model& model, int loadCase, const std::string& name);

// Whether `terms` may make a combination of the model: at least one term,
// each case 1..K at most once, every factor a finite number.
bool validCombinationTerms(const ModelBase& model, const std::vector<LoadCombination::Term>& terms);

// Adds a combination after the last; returns its number (1..C), or 0 when
// the name is empty or the terms are refused (see validCombinationTerms).
int addCombination(Model& model, const std::string& name, std::vector<LoadCombination::Term> terms);

// Renames combination k (1..C); false for an empty name or k out of range.
bool renameCombination(Model& model, int combination, const std::string& name);

// Deletes combination k (1..C); the ones after it move down one number.
bool deleteCombination(Model& model, int combination);

// The factor of case c in combination k, none when the case is not in it.
std::optional<float> combinationFactor(const ModelBase& model, int combination, int loadCase);

// Sets the factor of case c in combination k (a case already in it keeps
// its place), or takes the case out of it for none. Refused (false): k or c
// out of range, a factor that is not finite, and taking out the last term,
// since a combination sums at least one case.
bool setCombinationFactor(Model& model, int combination, int loadCase, std::optional<float> factor);
