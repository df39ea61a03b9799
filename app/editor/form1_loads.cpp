// Loads: load input (point at a member, F12 gives it the dialog's load)
// and load query (a right press opens the picked member's loads in the
// load dialog). The dialog itself is Form2.
#include <QLabel>

#include "dialogs/form2.h"
#include "editor/form1.h"
#include "platform/platform.h"

void Form1::输入荷载() {
    if (document.memberTotal == 0) {
        return;
    }
    canvas.clear();
    if (document.membersEntered < document.memberTotal) {
        platform.tell(QStringLiteral("杆件画完后再输入荷载!"));
        return;
    }
    enterMode(Mode::LoadInput);
    Form2& dialog = form2();
    dialog.输入荷载时窗体();
    dialog.show();
}

void Form1::荷载查询修改() {
    if (document.memberTotal == 0) {
        return;
    }
    canvas.clear();
    if (document.membersEntered < document.memberTotal) {
        platform.tell(QStringLiteral("杆件画完后再查询荷载!"));
        return;
    }
    enterMode(Mode::LoadQuery);
}

// A right press in load query: the marked member becomes the picked one
// and its loads open in the dialog. A member without loads hides the
// dialog, so that no edit can reach a load the dialog still showed of the
// member picked before.
void Form1::openPickedMembersLoads() {
    const std::int16_t member = markedMember();
    if (member == 0) {
        return;
    }
    if (document.members[static_cast<std::size_t>(member)].荷载数 == 0) {
        if (hasForm2()) {
            form2().hide();
        }
        platform.tell(QStringLiteral("此杆件无荷载"));
        return;
    }
    Form2& dialog = form2();
    dialog.show();
    dialog.ShowMemberLoads();
    关闭菜单();
}
