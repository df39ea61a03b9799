// The one open project: its model (model.h), the state of the editing
// commands and the view. A plain struct that the main window, the dialogs
// and the file functions read and write directly; whatever takes the
// model alone (undo, unsaved work, the copy into the solver) takes it as a
// Model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/editor_mode.h"
#include "document/load_cases.h"
#include "document/model.h"

// Pure red: the mark of the member under the mouse, which the commands and
// the dialogs act on, and of a captured member end.
inline constexpr ColourValue kMarkColour = 0x0000FF;

// The drawing window's world rectangle (x to the right, y downward).
struct WorldWindow {
    float scaleLeft = 0;
    float scaleTop = 0;
    float scaleWidth = 0;
    float scaleHeight = 0;
    bool operator==(const WorldWindow&) const = default;
};

// The one open project: its model and the session around it.
struct Document : Model {
    std::string projectPath;  // UTF-8

    // The command mode that runs: one at a time.
    EditorMode mode = EditorMode::None;
    bool memberPicked = false;
    std::int16_t hoveredMember = 0;
    std::int16_t shownLoadIndex = 0;  // the load of the picked member the load dialog shows

    // Window state of the support and file commands.
    bool supportDirection = false;
    bool endCaptured = false;
    float capturedX = 0;
    float capturedY = 0;
    bool crosshairOn = true;

    // The members 编辑 → 选择 has selected, ascending, on which the
    // operations on a selection act. Session state like the mode: no part
    // of the model, so selecting is no unsaved work and undo leaves it be.
    std::vector<std::int16_t> selectedMembers;

    // The load case (1..K) into which loads, settlements and temperature
    // changes are entered and whose loads are shown.
    std::int16_t currentLoadCase = 1;
    // The case or combination whose results the result commands show and
    // the result files hold.
    ResultChoice shownResults;

    // The view: saved with the project, but no part of the model, so
    // zooming is no unsaved work and undo leaves it alone.
    WorldWindow world;
};

// Support kind codes as stored in supportKinds and in the project file.
enum SupportKind : std::int16_t {
    SupportFixed = 0,
    SupportPinned = 1,
    SupportHorizontalLink = 3,
    SupportVerticalLink = 5,
    SupportNone = 7,
};

// The document as start-up and 新建 leave it: "noname.tsd" in the folder
// of new projects (the program folder where it may be written), no
// members, no nodes, every mode off, diagram scale 0.02. The window
// settings are kept: they belong to the window until a project is read.
void resetDocument(Document& document, const std::string& newProjectFolder);

// Member numbers are 16-bit in the document and in the project file.
inline constexpr std::int16_t kMaxMemberTotal = INT16_MAX;

// members sized 1..total (element 0 unused), each a fresh record.
void resizeMembers(Document& document, std::int16_t total);

// The member total becomes `total`: the drawn members 1..membersEntered keep
// their records, the members beyond them are fresh. A total below the drawn
// members (or below 0) is refused: false, and nothing changes.
bool setMemberTotal(Document& document, std::int16_t total);

// nodes and supportKinds sized 1..count, every support kind 7.
void resizeNodes(Document& document, std::int16_t count);

// Whether `kind` is one of the support codes above.
bool isSupportKind(std::int16_t kind);

// Records a support of `kind` at node `node` (1..nodeCount) as placing one
// does: the node record, the node's kind, the kind's symbol counter and
// supportsPlaced; a pinned or link support also becomes the current
// supportDirection. SupportNone records the node only. A support the node
// had before is replaced: it no longer counts.
//
// A node outside 1..nodeCount (or beyond the node arrays) or a code that is
// not a support kind is refused: the result is false and the document is
// left as it was, so that a damaged number can never stop the program.
bool placeSupport(Document& document, std::size_t node, std::int16_t kind, const gd& record);

// Copies member `source`'s record into member `target` (both 1..memberTotal)
// as deleting a member does: loads, end coordinates, material, dimensions,
// section and the connections of both ends; the node numbers stay. Indexes
// outside the array change nothing.
void CopyMember(Document& document, std::size_t target, std::size_t source);
