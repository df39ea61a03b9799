// The project file's extension: the records after record 6 that carry what
// records 1 to 6 have no room for (member-end connections, springs and
// turned axes of supports, load cases with their loads, settlements and
// temperature changes, and load combinations). The reader
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

// A load case's number and name: case, name.
inline constexpr std::string_view kCaseRecord = "CASE";

// A member load of a load case after the first: case, member, kind,
// position, intensity (case 1's loads are in records 5e).
inline constexpr std::string_view kCaseLoadRecord = "LOAD";

// A support's settlement in one load case: case, node, dx, dy, dr.
inline constexpr std::string_view kSettlementRecord = "SETTLE";

// A member's temperature change in one load case: case, member, t1, t2.
inline constexpr std::string_view kTemperatureRecord = "TEMP";

// A load combination: number, name, term count m, then m pairs of a case
// and its factor.
inline constexpr std::string_view kCombinationRecord = "COMBO";

// The record closing the extension, as "END" closes records 1 to 6.
inline constexpr std::string_view kExtensionEnd = "END";

// A member's connection at end 1 (node 左号) and end 2 (node 右号), in the
// order the file numbers them: member.*kMemberEnds[end - 1].
inline constexpr std::optional<float> gj::*kMemberEnds[] = {&gj::左端转动刚度, &gj::右端转动刚度};
