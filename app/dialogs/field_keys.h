// What a key pressed in a number field of the dialogs is: the one rule
// both dialogs filter their fields' keys by.
#pragma once

#include <QChar>

class QKeyEvent;

enum class FieldKey {
    NotTyping,  // types nothing (arrows, Home, Delete, Tab) or is a shortcut
    Typed,      // Backspace, or one character the field takes
    Refused,    // a character the field does not take
    Enter,
    Escape,
};

// Keys that type a character are filtered by `accepts`; keys that type
// nothing and shortcuts (Ctrl+V, whose paste the field's character filter
// checks) keep working.
FieldKey classifyFieldKey(const QKeyEvent& key, bool (*accepts)(QChar));
