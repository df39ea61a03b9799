// Values asked in one input box, separated by commas (full-width commas
// too): the springs of a node, a shift dx, dy, an array's n, dx, dy.
#pragma once

#include <QString>
#include <optional>
#include <vector>

class Platform;

// The answer to `prompt` as `count` numbers; none for an empty answer or
// Cancel, and none after a message for a wrong count or a text that is no
// number (or none a single float holds).
std::optional<std::vector<double>> askNumberList(Platform& platform, const QString& prompt,
                                                 const QString& title, const QString& shown,
                                                 std::size_t count);
