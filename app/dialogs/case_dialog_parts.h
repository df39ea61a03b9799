// What the dialogs of load cases and combinations share: the name of a
// case or a combination, asked in an input box, and their column of
// buttons. A name is written in double quotes in the project file and
// names its case in the tables and on the drawings, so it must be a text of
// its own: not blank, without a double quote, and not the name of another
// in the list.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class Platform;
class QLayout;
class QPushButton;
class QWidget;

// The name the user gave (trimmed, UTF-8); none when the box was cancelled
// or the name was refused with a message. `what` is "工况" or "组合" (the
// box's title is "荷载" and it); `taken` holds the names of the others of
// its list (the one being renamed left out).
std::optional<std::string> askCaseName(Platform& platform, const QString& what,
                                       const QString& prompt, const QString& initial,
                                       const std::vector<std::string>& taken);

// A button of `dialog` with `caption`, added to `buttons`; Enter in the
// dialog presses none of them.
QPushButton* addDialogButton(const QString& caption, QLayout& buttons, QWidget* dialog);
