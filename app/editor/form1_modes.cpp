// The window's command modes. The document keeps the one mode that runs;
// one table says what entering a mode does.
#include <QLabel>
#include <array>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "document/support_kinds.h"
#include "editor/connection_commands.h"
#include "editor/form1.h"
#include "editor/member_input.h"
#include "editor/node_mover.h"
#include "editor/selection_commands.h"
#include "editor/support_effect_commands.h"
#include "editor/support_placement.h"

namespace {

// The dialog a mode keeps on the screen; entering a mode hides the others.
enum class KeptDialog { None, MemberProperties, Loads };

struct ModeRow {
    EditorMode mode;
    bool hover;  // the hover test runs on every mouse move
    bool closesMenus;
    KeptDialog keeps;
    // The hint with nothing under the mouse (the hover test writes its own).
    const char* restingHint;
};

constexpr const char* kIdle = "提示:";
constexpr const char* kNoMemberUnderTheMouse = "";

constexpr std::array<ModeRow, 20> kModes = {{
    {EditorMode::None, false, false, KeptDialog::None, kIdle},
    {EditorMode::MemberInput, false, true, KeptDialog::MemberProperties, kMemberInputHint},
    {EditorMode::MemberQuery, true, true, KeptDialog::MemberProperties, kNoMemberUnderTheMouse},
    {EditorMode::MemberDeletion, true, true, KeptDialog::None, kNoMemberUnderTheMouse},
    {EditorMode::LoadInput, true, true, KeptDialog::Loads, kNoMemberUnderTheMouse},
    {EditorMode::LoadQuery, true, true, KeptDialog::Loads, kNoMemberUnderTheMouse},
    {EditorMode::FixedEnd, false, false, KeptDialog::None, kSupportPlacementHint},
    {EditorMode::Pinned, false, false, KeptDialog::None, kSupportPlacementHint},
    {EditorMode::HorizontalLink, false, false, KeptDialog::None, kSupportPlacementHint},
    {EditorMode::VerticalLink, false, false, KeptDialog::None, kSupportPlacementHint},
    {EditorMode::EndHinge, false, false, KeptDialog::None, kEndHingeHint},
    {EditorMode::HingedNode, false, false, KeptDialog::None, kHingedNodeHint},
    {EditorMode::EndStiffness, false, false, KeptDialog::None, kEndStiffnessHint},
    {EditorMode::ElasticSupport, false, false, KeptDialog::None, kElasticSupportHint},
    {EditorMode::InclinedSupport, false, false, KeptDialog::None, kInclinedSupportHint},
    {EditorMode::Settlement, false, false, KeptDialog::None, kSettlementHint},
    // The hover test marks the member under the mouse with its tick.
    {EditorMode::TemperatureChange, true, false, KeptDialog::None, kTemperatureHint},
    {EditorMode::MoveNode, false, false, KeptDialog::None, kMoveNodeHint},
    // The menus stay open: the operations on the selection are in them.
    {EditorMode::Selection, false, false, KeptDialog::None, kSelectionHint},
}};

// Each placement mode of the support table has its row.
constexpr bool placementModesListed() {
    for (const PlacedSupportKind& kind : kPlacedSupportKinds) {
        bool found = false;
        for (const ModeRow& row : kModes) {
            found = found || row.mode == kind.placing;
        }
        if (!found) {
            return false;
        }
    }
    return true;
}
static_assert(placementModesListed());

const ModeRow& rowOf(EditorMode mode) {
    for (const ModeRow& row : kModes) {
        if (row.mode == mode) {
            return row;
        }
    }
    return kModes.front();
}

}  // namespace

// Ends whatever mode runs and starts `mode`: no member picked, member input
// waiting for a first point only in member input, the hover test on in the
// modes that point at members, each dialog hidden unless the mode uses it,
// the menus closed by the modes that must not be interrupted by other
// commands and open again in the others.
void Form1::enterMode(Mode mode) {
    if (supports_.running()) {
        supports_.escape();  // also hides the previews
    }
    const bool menusWereClosed = rowOf(document.mode).closesMenus;
    document.mode = EditorMode::None;
    const ModeRow& row = rowOf(mode);
    if (menusWereClosed && !row.closesMenus) {
        激活菜单();  // before the new mode: reopening the menus ends a fixed-end placement
    }
    document.mode = mode;
    document.memberPicked = false;
    results_.clearFigures();  // a mode may change the frame they were drawn for
    hints_.forget(HintLine::Subject::ResultPicture);
    pointing_.clearMark();  // no command of the new mode may act on a member marked before
    memberInput_.modeEntered(mode == Mode::MemberInput);
    pointing_.setHovering(row.hover);
    if (hasForm3() && row.keeps != KeptDialog::MemberProperties) {
        form3().hide();
    }
    if (hasForm2() && row.keeps != KeptDialog::Loads) {
        form2().hide();
    }
    if (row.closesMenus) {
        关闭菜单();
    }
}

void Form1::showRestingHint() {
    Label6->setText(QString::fromUtf8(rowOf(document.mode).restingHint));
}
