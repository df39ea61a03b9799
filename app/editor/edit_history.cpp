// The states of the document's model for undo and redo; see edit_history.h.
#include "editor/edit_history.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

namespace {

// A long history of a large frame would hold a pointer per member per
// state without end: the oldest steps go beyond these.
constexpr std::size_t kMaxSteps = 1000;
constexpr std::size_t kMaxMemberSlots = 2'000'000;  // about 48 MB of member entries

const std::string kNoName;

// The counters of the document a state keeps as they are.
constexpr std::array<std::int16_t Document::*, 7> kCounters = {
    &Document::memberTotal,
    &Document::nodeCount,
    &Document::supportsPlaced,
    &Document::fixedSymbolCount,
    &Document::pinnedSymbolCount,
    &Document::horizontalLinkSymbolCount,
    &Document::verticalLinkSymbolCount,
};

// Values compare by their bits: a state is the same only when it would
// write the same project, and a value that is no number still equals
// itself.
bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool sameValues(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

// Everything of a member record but its node numbers, which a state keeps
// beside the shared record: numbering the nodes again changes them all.
bool sameRecord(const gj& a, const gj& b) {
    return a.荷载数 == b.荷载数 && sameBits(a.x1, b.x1) && sameBits(a.y1, b.y1) &&
           sameBits(a.x2, b.x2) && sameBits(a.y2, b.y2) && a.材料 == b.材料 && a.断面 == b.断面 &&
           sameValues(a.尺寸, b.尺寸) && sameValues(a.xq, b.xq) && sameValues(a.q, b.q) &&
           a.hzlx == b.hzlx;
}

bool sameNodes(const std::vector<gd>& a, const std::vector<gd>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const gd& p, const gd& q) {
        return p.支座方向 == q.支座方向 && sameBits(p.x, q.x) && sameBits(p.y, q.y) &&
               p.节点号 == q.节点号;
    });
}

// Members not yet drawn are fresh records, often thousands of them: they
// all share this one.
const std::shared_ptr<const gj>& emptyRecord() {
    static const auto empty = std::make_shared<const gj>();
    return empty;
}

template <typename T, typename Same>
std::shared_ptr<const T> shareIfSame(const T& value, const std::shared_ptr<const T>& before,
                                     Same same) {
    return before != nullptr && same(value, *before) ? before : std::make_shared<const T>(value);
}

}  // namespace

std::int16_t EditHistory::recordedMembers(const Document& document, bool memberBeingDrawn) {
    return static_cast<std::int16_t>(document.membersEntered - (memberBeingDrawn ? 1 : 0));
}

void EditHistory::restart(const Document& document, std::int16_t recorded) {
    states_.clear();
    steps_.clear();
    states_.push_back(capture(document, recorded, nullptr));
    memberSlots_ = states_.back().members.size();
    current_ = 0;
    mayMerge_ = false;
}

EditHistory::Settings EditHistory::settingsOf(const Document& document) {
    Settings settings;
    for (std::size_t k = 0; k < kCounters.size(); ++k) {
        settings.counters[k] = document.*kCounters[k];
    }
    settings.diagramScaleBits = std::bit_cast<std::uint32_t>(document.diagramScale);
    settings.backColour = document.backColour;
    settings.crosshairColour = document.crosshairColour;
    return settings;
}

// The model compared with a state: the drawn members, the counters and
// arrays of nodes and supports, the total, the colours and the scale.
// Records beyond the drawn members are left out: a member refused while it
// was being completed leaves its slot written but changes nothing drawn.
bool EditHistory::sameModel(const Document& document, std::int16_t recorded,
                            const ModelState& state) {
    if (recorded != state.membersEntered || settingsOf(document) != state.settings ||
        document.supportKinds != *state.supportKinds || !sameNodes(document.nodes, *state.nodes)) {
        return false;
    }
    const auto drawn = static_cast<std::size_t>(std::max<int>(recorded, 0));
    for (std::size_t i = 1; i <= drawn; ++i) {
        if ((i < document.members.size()) != (i < state.members.size())) {
            return false;
        }
        if (i >= document.members.size()) {
            break;
        }
        const gj& member = document.members[i];
        const MemberState& kept = state.members[i];
        if (member.左号 != kept.left || member.右号 != kept.right ||
            !sameRecord(member, *kept.record)) {
            return false;
        }
    }
    return true;
}

EditHistory::ModelState EditHistory::capture(const Document& document, std::int16_t recorded,
                                             const ModelState* previous) {
    ModelState state;
    state.settings = settingsOf(document);
    state.membersEntered = recorded;
    state.members.reserve(document.members.size());
    for (std::size_t i = 0; i < document.members.size(); ++i) {
        const gj& member = document.members[i];
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
    state.nodes = shareIfSame(document.nodes, previous ? previous->nodes : nullptr, sameNodes);
    state.supportKinds =
        shareIfSame(document.supportKinds, previous ? previous->supportKinds : nullptr,
                    std::equal_to<std::vector<std::int16_t>>());
    return state;
}

void EditHistory::restore(const ModelState& state, Document& document) {
    for (std::size_t k = 0; k < kCounters.size(); ++k) {
        document.*kCounters[k] = state.settings.counters[k];
    }
    document.membersEntered = state.membersEntered;
    document.diagramScale = std::bit_cast<float>(state.settings.diagramScaleBits);
    document.backColour = state.settings.backColour;
    document.crosshairColour = state.settings.crosshairColour;
    document.members.resize(state.members.size());
    for (std::size_t i = 0; i < state.members.size(); ++i) {
        gj& member = document.members[i];
        const MemberState& kept = state.members[i];
        if (!sameRecord(member, *kept.record)) {
            member = *kept.record;
        }
        member.左号 = kept.left;
        member.右号 = kept.right;
    }
    document.nodes = *state.nodes;
    document.supportKinds = *state.supportKinds;
}

bool EditHistory::record(const Document& document, std::int16_t recorded, const std::string& name,
                         EditorMode mode, std::uint64_t mergeKey) {
    if (states_.empty()) {
        restart(document, recorded);
        return false;
    }
    if (sameModel(document, recorded, states_[current_])) {
        return false;
    }
    const bool merge = mergeKey != 0 && mayMerge_ && current_ > 0 &&
                       current_ + 1 == states_.size() && steps_.back().mergeKey == mergeKey;
    if (!merge) {
        push(capture(document, recorded, &states_[current_]), Step{name, mode, mergeKey});
        return true;
    }
    memberSlots_ -= states_.back().members.size();
    states_.back() = capture(document, recorded, &states_[current_ - 1]);
    memberSlots_ += states_.back().members.size();
    if (sameModel(document, recorded, states_[current_ - 1])) {
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

bool EditHistory::undo(Document& document) {
    if (current_ == 0) {
        return false;
    }
    --current_;
    restore(states_[current_], document);
    mayMerge_ = false;
    return true;
}

bool EditHistory::redo(Document& document) {
    if (current_ + 1 >= states_.size()) {
        return false;
    }
    ++current_;
    restore(states_[current_], document);
    mayMerge_ = false;
    return true;
}

void EditHistory::markSaved(const Document& document, std::int16_t recorded) {
    saved_ = capture(document, recorded, states_.empty() ? nullptr : &states_[current_]);
}

bool EditHistory::isSaved(const Document& document, std::int16_t recorded) const {
    return saved_ && sameModel(document, recorded, *saved_);
}
