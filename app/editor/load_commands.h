// Loads: load input (point at a member, F12 gives it the load dialog's
// load) and load query (a right press opens the picked member's loads in
// the load dialog). The dialog itself is Form2; this part owns no state.
#pragma once

#include <QString>

#include "editor/editor_part.h"

class MemberPointing;

class LoadCommands : public EditorPart {
public:
    LoadCommands(const EditorContext& context, const MemberPointing& pointing);

    // 输入荷载, 荷载查询修改.
    std::vector<MenuRow> menuRows() override;
    // The load dialog, if made, goes back to load input's form.
    void reset(ResetReason reason) override;

    void inputCommand();
    void queryCommand();
    // A right press in load query: the marked member's loads in the dialog.
    void openPickedMembersLoads();
    // F12 in load input: the dialog's load to the marked member, the hint
    // naming what was given to which member.
    void giveDialogsLoad();
    // Told of the member F12 gave a load (set by the window: the selection
    // takes it too).
    std::function<void(std::int16_t member)> loadGiven;

private:
    bool startOnCompleteFrame(const QString& refusal);

    const MemberPointing& pointing;
};
