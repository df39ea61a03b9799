// The window acts on key releases, but a release whose press went
// elsewhere (a menu closed with Esc, a message box dismissed with Esc or
// Enter, a field of a dialog that handed the keyboard back) belongs to that
// other window: only keys pressed while the window had the keyboard count.
#pragma once

#include <QKeyEvent>
#include <set>

class PressedKeys {
public:
    void note(const QKeyEvent& press) {
        if (!press.isAutoRepeat()) {
            keys_.insert(press.key());
        }
    }
    // Whether `release` ends a press noted here (which it then forgets).
    bool take(const QKeyEvent& release) {
        return !release.isAutoRepeat() && keys_.erase(release.key()) > 0;
    }

private:
    std::set<int> keys_;  // Qt key codes
};
