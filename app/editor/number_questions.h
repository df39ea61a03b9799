// Numbers asked of the user through the input box, several in one answer
// separated by commas, as the commands that click a node or a member ask
// for its values.
#pragma once

#include <QString>
#include <optional>
#include <vector>

class Platform;

// A value as the boxes and questions show it: "2.5", "1E+20".
QString numberText(float value);
// "0, 5000, 0": the values as the input box offers them again.
QString listText(const std::vector<float>& values);

// The answer to `prompt` as `count` numbers separated by commas, each
// within the single range; none for an empty answer or Cancel, and for a
// refused one after its message.
std::optional<std::vector<double>> askNumbers(Platform& platform, const QString& prompt,
                                              const QString& title, const std::vector<float>& shown,
                                              std::size_t count);
