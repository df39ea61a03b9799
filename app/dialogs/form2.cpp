// The load dialog; see form2.h.
#include "dialogs/form2.h"

Form2::Form2(Document& document, Platform& platform, QString programFolder, QWidget* editor)
    : QWidget(editor, Qt::Tool),
      document_(document),
      platform_(platform),
      programFolder_(std::move(programFolder)),
      editor_(editor) {}

void Form2::输入荷载时窗体() {}

void Form2::AddLoadToMember() {}

void Form2::ShowMemberLoads() {}

void Form2::UpdateShownLoad() {}

void Form2::DeleteShownLoad() {}
