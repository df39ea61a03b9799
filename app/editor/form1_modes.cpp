// The window's command modes. Each mode is one flag (kept in the document,
// whose names the project file and the other commands use); one table says
// what entering a mode does, so that at most one mode runs at a time.
#include <array>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "document/support_kinds.h"
#include "editor/form1.h"

namespace {

// The dialog a mode keeps on the screen; entering a mode hides the others.
enum class KeptDialog { None, MemberProperties, Loads };

struct ModeRow {
    EditorMode mode;
    bool Document::*flag;  // nullptr: a mode without a flag of its own
    bool hover;            // the hover test runs on every mouse move
    bool closesMenus;
    KeptDialog keeps;
};

constexpr std::array<ModeRow, 10> kModes = {{
    {EditorMode::None, nullptr, false, false, KeptDialog::None},
    {EditorMode::MemberInput, &Document::memberInputMode, false, true,
     KeptDialog::MemberProperties},
    {EditorMode::MemberQuery, &Document::memberQueryMode, true, true, KeptDialog::MemberProperties},
    {EditorMode::MemberDeletion, &Document::memberDeleteMode, true, true, KeptDialog::None},
    {EditorMode::LoadInput, &Document::loadInputMode, true, true, KeptDialog::Loads},
    {EditorMode::LoadQuery, &Document::loadQueryMode, true, true, KeptDialog::Loads},
    {EditorMode::FixedEnd, &Document::fixedEndMode, false, false, KeptDialog::None},
    {EditorMode::Pinned, &Document::pinnedMode, false, false, KeptDialog::None},
    {EditorMode::HorizontalLink, &Document::horizontalLinkMode, false, false, KeptDialog::None},
    {EditorMode::VerticalLink, &Document::verticalLinkMode, false, false, KeptDialog::None},
}};

// Each placement mode's flag is its kind's in the support table.
constexpr bool placementFlagsAgree() {
    for (const PlacedSupportKind& kind : kPlacedSupportKinds) {
        bool found = false;
        for (const ModeRow& row : kModes) {
            found = found || row.flag == kind.placing;
        }
        if (!found) {
            return false;
        }
    }
    return true;
}
static_assert(placementFlagsAgree());

const ModeRow& rowOf(EditorMode mode) {
    for (const ModeRow& row : kModes) {
        if (row.mode == mode) {
            return row;
        }
    }
    return kModes.front();
}

}  // namespace

// Ends whatever mode runs and starts `mode`: every other mode flag off, no
// member picked, member input waiting for a first point only in member
// input, the hover test on in the modes that point at members, each dialog
// hidden unless the mode uses it, the menus
// closed by the modes that must not be interrupted by other commands and
// open again in the others.
void Form1::enterMode(Mode mode) {
    if (supports_.running()) {
        supports_.escape();  // also hides the previews
    }
    bool menusWereClosed = false;
    for (const ModeRow& row : kModes) {
        if (row.flag != nullptr) {
            menusWereClosed = menusWereClosed || (document.*row.flag && row.closesMenus);
            document.*row.flag = false;
        }
    }
    const ModeRow& row = rowOf(mode);
    if (menusWereClosed && !row.closesMenus) {
        激活菜单();  // before the new flag: reopening the menus ends a fixed-end placement
    }
    if (row.flag != nullptr) {
        document.*row.flag = true;
    }
    document.memberPicked = false;
    pointing_.clearMark();  // no command of the new mode may act on a member marked before
    memberInput_.reset(mode == Mode::MemberInput);
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
