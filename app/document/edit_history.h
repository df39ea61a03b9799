// The states of the model that undo and redo go back and forth between:
// the state at the start (a new or opened project) and the state after
// each step. A state is the Model whole; the mode, the pointer, the view
// and the project's name belong to the session and stay.
//
// Neighbouring states share every member record that a step left alone,
// and the rest of the model when the step left that alone, so a step
// costs a pointer per member and the records it changed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/editor_mode.h"
#include "document/model.h"

class EditHistory {
public:
    // The members that count as drawn in a state: the member being drawn
    // has no record yet and is no part of it.
    static std::int16_t recordedMembers(const Model& model, bool memberBeingDrawn);

    // A new history that starts at the model as it is.
    void restart(const Model& model, std::int16_t recorded);

    // Records the model as the state after one more step named `name`
    // (UTF-8), made in `mode`, when its model differs from the present
    // state; the steps that were undone are dropped. A non-zero `mergeKey`
    // equal to the last step's, with nothing undone or redone since, makes
    // the change part of that step instead; a step that comes back to the
    // state before it goes. Returns whether the history changed.
    bool record(const Model& model, std::int16_t recorded, const std::string& name, EditorMode mode,
                std::uint64_t mergeKey = 0);

    // Whether a step can be undone or redone while `mode` runs: with no
    // mode, any step; in a mode, only a step made in that mode.
    bool canUndo(EditorMode mode) const;
    bool canRedo(EditorMode mode) const;
    const std::string& undoName() const;
    const std::string& redoName() const;

    // The state before the last step, or after the next one, put into
    // `model`; false when there is none.
    bool undo(Model& model);
    bool redo(Model& model);

    std::size_t stepCount() const { return steps_.size(); }

    // The model as it is now is the one its project file holds (saved or
    // opened); whether it still is. Only the model counts, so the view and
    // the path are no unsaved work. Cheap: the kept state shares the
    // records of the history's.
    void markSaved(const Model& model, std::int16_t recorded);
    bool isSaved(const Model& model, std::int16_t recorded) const;

private:
    struct MemberState {
        std::shared_ptr<const gj> record;  // node numbers aside
        std::int16_t left = 0;
        std::int16_t right = 0;
    };
    struct ModelState {
        // The model beside its members, membersEntered counting the
        // recorded ones (without a member being drawn).
        std::shared_ptr<const ModelBase> base;
        std::vector<MemberState> members;
    };
    struct Step {
        std::string name;
        EditorMode mode = EditorMode::None;
        std::uint64_t mergeKey = 0;
    };

    static bool sameModel(const Model& model, std::int16_t recorded, const ModelState& state);
    static ModelState capture(const Model& model, std::int16_t recorded,
                              const ModelState* previous);
    static void restore(const ModelState& state, Model& model);
    void push(ModelState state, Step step);
    void dropOldestBeyondBudget();
    bool stepFits(std::size_t index, EditorMode mode) const;

    // states_[0] is the start, states_[i] the state after steps_[i - 1].
    std::deque<ModelState> states_;
    std::deque<Step> steps_;
    std::size_t current_ = 0;      // the state the document is in
    bool mayMerge_ = false;        // the last step may still grow
    std::size_t memberSlots_ = 0;  // member entries held by all states
    std::optional<ModelState> saved_;
};
