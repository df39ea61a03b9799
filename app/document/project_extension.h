// The project file's extension: the records after record 6 that carry what
// records 1 to 6 have no room for (member-end connections, springs and
// turned axes of supports, settlements and temperature changes). The reader
// and the writer share its names here; docs/file-format.md describes the
// file.
#pragma once

#include <optional>
#include <string_view>

#include "model/gj.h"

// The extension's header record: its name, then the version of its format.
inline constexpr std::string_view kExtensionHeader = "ORVANDEL";
inline constexpr int kExtensionVersion = 1;

// The record of one member end's connection: member, end (1 or 2), k.
inline constexpr std::string_view kConnectionRecord = "RELEASE";

// A node's springs: node, kx, ky, kr.
inline constexpr std::string_view kSpringRecord = "SPRING";

// The turn of a node's support axes: node, angle in degrees.
inline constexpr std::string_view kInclineRecord = "INCLINE";

// A support's settlement in one load case: case, node, dx, dy, dr.
inline constexpr std::string_view kSettlementRecord = "SETTLE";

// A member's temperature change in one load case: case, member, t1, t2.
inline constexpr std::string_view kTemperatureRecord = "TEMP";

// The one load case the model has so far, to which every settlement and
// temperature change belongs. Their records carry its number all the same,
// so that files keep their form when there are more cases.
inline constexpr int kOnlyLoadCase = 1;

// The record closing the extension, as "END" closes records 1 to 6.
inline constexpr std::string_view kExtensionEnd = "END";

// A member's connection at end 1 (node 左号) and end 2 (node 右号), in the
// order the file numbers them: member.*kMemberEnds[end - 1].
inline constexpr std::optional<float> gj::*kMemberEnds[] = {&gj::左端转动刚度, &gj::右端转动刚度};
