// A per-character filter for line edits that holds for every way the user
// can put text into the field: typing, pasting (Ctrl+V, Shift+Insert, the
// context menu, a middle click on X11), dropping and input methods. A key
// filter alone sees only the typed keys.
#pragma once

#include <QChar>
#include <QString>
#include <functional>

class QLineEdit;

// From now on, a user edit of `field` is taken only when `accepts` holds for
// every character it inserts; an edit that inserts any other character is
// undone as a whole. Deleting is always allowed, and texts the program sets
// with setText are never checked, so the program may show any value (for
// example "2.60416666666667E-03" in a field the user may only type digits
// into). Replaces the field's validator.
void restrictInsertedCharacters(QLineEdit& field, std::function<bool(QChar)> accepts);

// The characters an edit from `before` to `after` inserted: what lies
// between the longest common prefix and the longest common suffix of the
// two texts. Empty for a pure deletion.
QString insertedCharacters(const QString& before, const QString& after);
