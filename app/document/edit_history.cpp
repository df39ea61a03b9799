// The states of the model for undo and redo; see edit_history.h.
#include "document/edit_history.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A long history of a large frame would hold a pointer per member per
// state without end: the oldest steps go beyond these.
constexpr std::size_t kMaxSteps = 1000;
constexpr std::size_t kMaxMemberSlots = 2'000'000;  // about 48 MB of member entries

const std::string kNoName;

// A member record beside its node numbers, which a state keeps beside the
// shared record: numbering the nodes again changes them all. The one place
// in the history that names the fields of a record; a field added to gj
// must be added here, which the size check below asks for.
auto fieldsBesideNodes(const gj& member) {
    return std::tie(member.材料, member.断面, member.尺寸, member.荷载数, member.xq, member.q,
                    member.hzlx, member.x1, member.y1, member.x2, member.y2, member.左端转动刚度,
                    member.右端转动刚度, member.温度改变1, member.温度改变2, member.其他工况);
}
// (The size is that of the 64-bit platforms the program is built for.)
static_assert(sizeof(void*) != 8 || sizeof(gj) == 240,
              "a member field was added: compare it in fieldsBesideNodes");

bool sameRecord(const gj& a, const gj& b) {
    return fieldsBesideNodes(a) == fieldsBesideNodes(b);
}

// Members not yet drawn are fresh records, often thousands of them: they
// all share this one.
const std::shared_ptr<const gj>& emptyRecord() {
    static const auto empty = std::make_shared<const gj>();
    return empty;
}

// The model beside its members as a state keeps it.
ModelBase baseOf(const Model& model, std::int16_t recorded) {
    ModelBase base = model;
    base.membersEntered = recorded;
    return base;
}

bool sameBase(const Model& model, std::int16_t recorded, const ModelBase& kept) {
    // Usually no member is being drawn, and the model compares as it is.
    if (recorded == model.membersEntered) {
        return static_cast<const ModelBase&>(model) == kept;
    }
    return baseOf(model, recorded) == kept;
}

}  // namespace

std::int16_t EditHistory::recordedMembers(const Model& model, bool memberBeingDrawn) {
    return static_cast<std::int16_t>(model.membersEntered - (memberBeingDrawn ? 1 : 0));
}

void EditHistory::restart(const Model& model, std::int16_t recorded) {
    states_.clear();
    steps_.clear();
    states_.push_back(capture(model, recorded, nullptr));
    memberSlots_ = states_.back().members.size();
    current_ = 0;
    mayMerge_ = false;
}

// The model compared with a state: the drawn members and everything
// beside the members. Records beyond the drawn members are left out: a
// member refused while it was being completed leaves its slot written but
// changes nothing drawn.
bool EditHistory::sameModel(const Model& model, std::int16_t recorded, const ModelState& state) {
    if (!sameBase(model, recorded, *state.base)) {
        return false;
    }
    const auto drawn = static_cast<std::size_t>(std::max<int>(recorded, 0));
    for (std::size_t i = 1; i <= drawn; ++i) {
        if ((i < model.members.size()) != (i < state.members.size())) {
            return false;
        }
        if (i >= model.members.size()) {
            break;
        }
        const gj& member = model.members[i];
        const MemberState& kept = state.members[i];
        if (member.左号 != kept.left || member.右号 != kept.right ||
            !sameRecord(member, *kept.record)) {
            return false;
        }
    }
    return true;
}

EditHistory::ModelState EditHistory::capture(const Model& model, std::int16_t recorded,
                                             const ModelState* previous) {
    ModelState state;
    if (previous != nullptr && sameBase(model, recorded, *previous->base)) {
        state.base = previous->base;
    } else {
        state.base = std::make_shared<const ModelBase>(baseOf(model, recorded));
    }
    state.members.reserve(model.members.size());
    for (std::size_t i = 0; i < model.members.size(); ++i) {
        const gj& member = model.members[i];
        MemberState kept{nullptr, member.左号, member.右号};
        if (previous != nullptr && i < previous->members.size() &&
            sameRecord(member, *previous->members[i].record)) {
            kept.record = previous->members[i].record;
        } else if (sameRecord(member, *emptyRecord())) {
            kept.record = emptyRecord();
        } else {
            kept.record = std::make_shared<const gj>(member);
        }
        state.members.push_back(std::move(kept));
    }
    return state;
}

void EditHistory::restore(const ModelState& state, Model& model) {
    static_cast<ModelBase&>(model) = *state.base;
    model.members.resize(state.members.size());
    for (std::size_t i = 0; i < state.members.size(); ++i) {
        gj& member = model.members[i];
        const MemberState& kept = state.members[i];
        if (!sameRecord(member, *kept.record)) {
            member = *kept.record;
        }
        member.左号 = kept.left;
        member.右号 = kept.right;
    }
}

bool EditHistory::record(const Model& model, std::int16_t recorded, const std::string& name,
                         EditorMode mode, std::uint64_t mergeKey) {
    if (states_.empty()) {
        restart(model, recorded);
        return false;
    }
    if (sameModel(model, recorded, states_[current_])) {
        return false;
    }
    const bool merge = mergeKey != 0 && mayMerge_ && current_ > 0 &&
                       current_ + 1 == states_.size() && steps_.back().mergeKey == mergeKey;
    if (!merge) {
        push(capture(model, recorded, &states_[current_]), Step{name, mode, mergeKey});
        return true;
    }
    memberSlots_ -= states_.back().members.size();
    states_.back() = capture(model, recorded, &states_[current_ - 1]);
    memberSlots_ += states_.back().members.size();
    if (sameModel(model, recorded, states_[current_ - 1])) {
        memberSlots_ -= states_.back().members.size();
        states_.pop_back();
        steps_.pop_back();
        --current_;
        mayMerge_ = false;
    }
    return true;
}

// The new state follows the present one; steps undone before are gone.
void EditHistory::push(ModelState state, Step step) {
    while (states_.size() > current_ + 1) {
        memberSlots_ -= states_.back().members.size();
        states_.pop_back();
        steps_.pop_back();
    }
    memberSlots_ += state.members.size();
    states_.push_back(std::move(state));
    steps_.push_back(std::move(step));
    current_ = states_.size() - 1;
    mayMerge_ = true;
    dropOldestBeyondBudget();
}

// The last step always stays undoable.
void EditHistory::dropOldestBeyondBudget() {
    while ((steps_.size() > kMaxSteps || memberSlots_ > kMaxMemberSlots) && current_ > 1) {
        memberSlots_ -= states_.front().members.size();
        states_.pop_front();
        steps_.pop_front();
        --current_;
    }
}

bool EditHistory::stepFits(std::size_t index, EditorMode mode) const {
    return index < steps_.size() && (mode == EditorMode::None || steps_[index].mode == mode);
}

bool EditHistory::canUndo(EditorMode mode) const {
    return current_ > 0 && stepFits(current_ - 1, mode);
}

bool EditHistory::canRedo(EditorMode mode) const {
    return current_ + 1 < states_.size() && stepFits(current_, mode);
}

const std::string& EditHistory::undoName() const {
    return current_ > 0 ? steps_[current_ - 1].name : kNoName;
}

const std::string& EditHistory::redoName() const {
    return current_ < steps_.size() ? steps_[current_].name : kNoName;
}

bool EditHistory::undo(Model& model) {
    if (current_ == 0) {
        return false;
    }
    --current_;
    restore(states_[current_], model);
    mayMerge_ = false;
    return true;
}

bool EditHistory::redo(Model& model) {
    if (current_ + 1 >= states_.size()) {
        return false;
    }
    ++current_;
    restore(states_[current_], model);
    mayMerge_ = false;
    return true;
}

void EditHistory::markSaved(const Model& model, std::int16_t recorded) {
    saved_ = capture(model, recorded, states_.empty() ? nullptr : &states_[current_]);
}

bool EditHistory::isSaved(const Model& model, std::int16_t recorded) const {
    return saved_ && sameModel(model, recorded, *saved_);
}
