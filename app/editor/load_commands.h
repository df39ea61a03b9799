// Loads: load input (point at a member, F12 gives it the load dialog's
// load) and load query (a right press opens the picked member's loads in
// the load dialog). The dialog itself is Form2; this part owns no state.
#pragma once

#include <QString>

#include "document/document.h"

class Canvas;
class EditorControls;
class MemberPointing;
class Platform;

class LoadCommands {
public:
    LoadCommands(Document& document, Canvas& canvas, Platform& platform, EditorControls& controls,
                 const MemberPointing& pointing);

    void inputCommand();
    void queryCommand();
    // A right press in load query: the marked member's loads in the dialog.
    void openPickedMembersLoads();
    // F12 in load input: the dialog's load to the marked member, the hint
    // naming what was given to which member.
    void giveDialogsLoad();

private:
    bool startOnCompleteFrame(const QString& refusal);

    Document& document;
    Canvas& canvas;
    Platform& platform;
    EditorControls& controls;
    const MemberPointing& pointing;
};
