// Loads: load input (point at a member, F12 gives it the dialog's load)
// and load query (a right press opens the picked member's loads in the
// load dialog). The dialog itself is Form2.
#include "editor/load_commands.h"

#include "canvas/canvas.h"
#include "dialogs/form2.h"
#include "document/load_cases.h"
#include "editor/editor_controls.h"
#include "editor/member_pointing.h"
#include "platform/platform.h"
#include "results/load_figure.h"

LoadCommands::LoadCommands(const EditorContext& context, const MemberPointing& pointing)
    : EditorPart(context), pointing(pointing) {}

std::vector<MenuRow> LoadCommands::menuRows() {
    return {{MenuCommand::LoadInput, "输入荷载", [this] { inputCommand(); }},
            {MenuCommand::LoadQuery, "荷载查询修改", [this] { queryCommand(); }}};
}

void LoadCommands::reset(ResetReason /*reason*/) {
    if (controls.hasForm2()) {
        controls.form2().输入荷载时窗体();
    }
}

// Both load commands need the whole frame drawn; false, with `refusal`
// shown, while members are missing.
bool LoadCommands::startOnCompleteFrame(const QString& refusal) {
    if (document.memberTotal == 0) {
        return false;
    }
    canvas.clear();
    if (document.membersEntered < document.memberTotal) {
        platform.tell(refusal);
        return false;
    }
    return true;
}

void LoadCommands::inputCommand() {
    if (!startOnCompleteFrame(QStringLiteral("杆件画完后再输入荷载!"))) {
        return;
    }
    controls.enterMode(EditorMode::LoadInput);
    Form2& dialog = controls.form2();
    dialog.输入荷载时窗体();
    dialog.show();
}

void LoadCommands::queryCommand() {
    if (startOnCompleteFrame(QStringLiteral("杆件画完后再查询荷载!"))) {
        controls.enterMode(EditorMode::LoadQuery);
    }
}

// A right press in load query: the marked member becomes the picked one
// and its loads open in the dialog. A member without loads hides the
// dialog, so that no edit can reach a load the dialog still showed of the
// member picked before.
void LoadCommands::openPickedMembersLoads() {
    const std::int16_t member = pointing.markedMember();
    if (member == 0) {
        return;
    }
    const gj& record = document.members[static_cast<std::size_t>(member)];
    if (loadsIn(record, document.currentLoadCase).荷载数 == 0) {
        if (controls.hasForm2()) {
            controls.form2().hide();
        }
        platform.tell(QStringLiteral("此杆件无荷载"));
        return;
    }
    Form2& dialog = controls.form2();
    dialog.show();
    dialog.ShowMemberLoads();
    controls.关闭菜单();
}

void LoadCommands::giveDialogsLoad() {
    const std::int16_t marked = pointing.markedMember();
    const bool recorded = marked >= 1 && static_cast<std::size_t>(marked) < document.members.size();
    const gj* member = recorded ? &document.members[static_cast<std::size_t>(marked)] : nullptr;
    const auto count = [&] { return loadsIn(*member, document.currentLoadCase).荷载数; };
    const int before = member != nullptr ? count() : 0;
    controls.form2().AddLoadToMember();
    if (member == nullptr || count() <= before) {
        return;  // nothing marked, or the member carries all it may
    }
    if (loadGiven) {
        loadGiven(marked);
    }
    const ConstMemberLoads loads = loadsIn(*member, document.currentLoadCase);
    const auto k = static_cast<std::size_t>(loads.荷载数);
    const std::string& kind = elementOr(loads.hzlx, k);
    const auto code = static_cast<orv::LoadKind>(orv::loadKindCode(kind));
    controls.setHint(
        QString::number(marked) + QStringLiteral("号杆件: ") +
        QString::fromStdString(kind + " " + loadValueText(code, elementOr(loads.q, k))));
}
