// The window's command modes. Each mode is one flag (kept in the document,
// whose names the project file and the other commands use); one table says
// what entering a mode does, so that at most one mode runs at a time.
#include <array>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "editor/form1.h"

namespace {

struct ModeRow {
    Form1::Mode mode;
    bool Document::*flag;  // nullptr: a mode without a flag of its own
    bool hover;            // the hover test runs on every mouse move
    bool closesMenus;
};

constexpr std::array<ModeRow, 11> kModes = {{
    {Form1::Mode::None, nullptr, false, false},
    {Form1::Mode::ColourDisplay, nullptr, false, false},
    {Form1::Mode::MemberInput, &Document::memberInputMode, false, true},
    {Form1::Mode::MemberQuery, &Document::memberQueryMode, true, true},
    {Form1::Mode::MemberDeletion, &Document::memberDeleteMode, true, true},
    {Form1::Mode::LoadInput, &Document::loadInputMode, true, true},
    {Form1::Mode::LoadQuery, &Document::loadQueryMode, true, true},
    {Form1::Mode::FixedEnd, &Document::fixedEndMode, false, false},
    {Form1::Mode::Pinned, &Document::pinnedMode, false, false},
    {Form1::Mode::HorizontalLink, &Document::horizontalLinkMode, false, false},
    {Form1::Mode::VerticalLink, &Document::verticalLinkMode, false, false},
}};

const ModeRow& rowOf(Form1::Mode mode) {
    for (const ModeRow& row : kModes) {
        if (row.mode == mode) {
            return row;
        }
    }
    return kModes.front();
}

}  // namespace

bool Form1::supportPlacementRunning() const {
    return document.fixedEndMode || document.pinnedMode || document.horizontalLinkMode ||
           document.verticalLinkMode;
}

// Ends whatever mode runs and starts `mode`: every other mode flag off, no
// member picked, member input waiting for a first point only in member
// input, the hover test on in the modes that point at members, each dialog
// hidden unless the mode uses it, the menus
// closed by the modes that must not be interrupted by other commands and
// open again in the others.
void Form1::enterMode(Mode mode) {
    if (supportPlacementRunning()) {
        escapeSupportPlacement();  // also hides the previews
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
    clearMemberMark();  // no command of the new mode may act on a member marked before
    state.awaitingFirstPoint = mode == Mode::MemberInput;
    state.memberInProgress = false;
    state.hoverEnabled = row.hover;
    if (hasForm3() && mode != Mode::MemberInput && mode != Mode::MemberQuery) {
        form3().hide();
    }
    if (hasForm2() && mode != Mode::LoadInput && mode != Mode::LoadQuery) {
        form2().hide();
    }
    if (row.closesMenus) {
        关闭菜单();
    }
}
