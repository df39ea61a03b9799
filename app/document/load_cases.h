// Load cases and combinations of the model. Case 1's loads, settlements and
// temperature changes are the member and node records' own fields; those
// of cases 2, 3, ... ride in the same records (gj::其他工况,
// SupportExtras::laterSettlements), so that they follow their member or
// node through every deletion, copy and renumbering. These functions reach
// case c of a record and change the list of cases and combinations so that
// every number stays consistent.
#pragma once

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

// The name of the case or combination (empty for a choice the model lacks).
std::string resultName(const Model& model, ResultChoice choice);
