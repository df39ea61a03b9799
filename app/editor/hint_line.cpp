// See hint_line.h.
#include "editor/hint_line.h"

#include <QLabel>

void HintLine::describe(Subject subject, const QString& text) {
    label_.setText(text);
    about_.emplace(subject, text);
}

void HintLine::forget(Subject subject) {
    if (!about_ || about_->first != subject) {
        return;
    }
    const bool stillShown = label_.text() == about_->second;
    about_.reset();
    if (stillShown) {
        showRestingHint_();
    }
}
