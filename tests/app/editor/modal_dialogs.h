// The window's modal dialogs found by their type. They have no meta-object
// of their own, so a dynamic cast tells them apart.
#pragma once

#include <QDialog>

#include "editor/form1.h"

// The dialog of type Dialog the window made, null before it is made.
template <typename Dialog>
Dialog* dialogOf(const Form1& form) {
    for (QDialog* dialog : form.findChildren<QDialog*>()) {
        if (auto* wanted = dynamic_cast<Dialog*>(dialog)) {
            return wanted;
        }
    }
    return nullptr;
}
