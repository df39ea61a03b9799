// See field_keys.h.
#include "dialogs/field_keys.h"

#include <QKeyEvent>

FieldKey classifyFieldKey(const QKeyEvent& key, bool (*accepts)(QChar)) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return FieldKey::Enter;
        case Qt::Key_Escape:
            return FieldKey::Escape;
        case Qt::Key_Backspace:
            return FieldKey::Typed;
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return FieldKey::NotTyping;
        default:
            break;
    }
    const QString typed = key.text();
    if (typed.isEmpty()) {
        return FieldKey::NotTyping;
    }
    const QChar c = typed.front();
    if (key.modifiers().testFlag(Qt::ControlModifier) || !c.isPrint()) {
        return FieldKey::NotTyping;
    }
    return typed.size() == 1 && accepts(c) ? FieldKey::Typed : FieldKey::Refused;
}
