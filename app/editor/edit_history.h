// The states of the document's model that undo and redo go back and forth
// between: the state at the start (a new or opened project) and the state
// after each step. Only the model is kept (members, nodes, supports, the
// member total, the colours and the diagram scale); the mode, the pointer,
// the world window and the project's name belong to the window and stay.
//
// Neighbouring states share every member record that a step left alone,
// so a step costs a pointer per member and the records it changed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/editor_mode.h"

class EditHistory {
public:
    // The members that count as drawn in a state: the member being drawn
    // has no record yet and is no part of it.
    static std::int16_t recordedMembers(const Document& document, bool memberBeingDrawn);

    // A new history that starts at the document as it is.
    void restart(const Document& document, std::int16_t recorded);

    // Records the document as the state after one more step named `name`
    // (UTF-8), made in `mode`, when its model differs from the present
    // state; the steps that were undone are dropped. A non-zero `mergeKey`
    // equal to the last step's, with nothing undone or redone since, makes
    // the change part of that step instead; a step that comes back to the
    // state before it goes. Returns whether the history changed.
    bool record(const Document& document, std::int16_t recorded, const std::string& name,
                EditorMode mode, std::uint64_t mergeKey = 0);

    // Whether a step can be undone or redone while `mode` runs: with no
    // mode, any step; in a mode, only a step made in that mode.
    bool canUndo(EditorMode mode) const;
    bool canRedo(EditorMode mode) const;
    const std::string& undoName() const;
    const std::string& redoName() const;

    // The model of the state before the last step, or after the next one,
    // put into `document`; false when there is none.
    bool undo(Document& document);
    bool redo(Document& document);

    std::size_t stepCount() const { return steps_.size(); }

    // The document as it is now is the one its project file holds (saved
    // or opened); whether it still is. Only the model counts, so the view
    // and the path are no unsaved work. Cheap: the kept state shares the
    // records of the history's.
    void markSaved(const Document& document, std::int16_t recorded);
    bool isSaved(const Document& document, std::int16_t recorded) const;

private:
    struct MemberState {
        std::shared_ptr<const gj> record;  // node numbers aside
        std::int16_t left = 0;
        std::int16_t right = 0;
    };
    // The document's counters, colours and scale, as kept in a state.
    struct Settings {
        std::array<std::int16_t, 7> counters{};  // see kCounters
        std::uint32_t diagramScaleBits = 0;
        ColourValue backColour = 0;
        ColourValue crosshairColour = 0;
        bool operator==(const Settings&) const = default;
    };
    struct ModelState {
        Settings settings;
        std::int16_t membersEntered = 0;  // recorded, without a member being drawn
        std::vector<MemberState> members;
        std::shared_ptr<const std::vector<gd>> nodes;
        std::shared_ptr<const std::vector<std::int16_t>> supportKinds;
    };
    struct Step {
        std::string name;
        EditorMode mode = EditorMode::None;
        std::uint64_t mergeKey = 0;
    };

    static Settings settingsOf(const Document& document);
    static bool sameModel(const Document& document, std::int16_t recorded, const ModelState& state);
    static ModelState capture(const Document& document, std::int16_t recorded,
                              const ModelState* previous);
    static void restore(const ModelState& state, Document& document);
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
