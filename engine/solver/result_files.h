// The two result files of a run, built as text in the column layouts the
// results window and other programs read: base + ".mqn" with the member end
// forces and base + ".uva" with the node displacements. UTF-8, CR LF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/table2d.h"

namespace orv {

inline constexpr std::string_view kMemberForcesHeader =
    "杆号 左号　右号　左端轴力　左端剪力　左端弯矩　右端轴力　右端剪力　右端弯矩";

// ".mqn": the header line, then per member its number, its two node numbers
// and its six end forces (rows 1..6 of the result table), formatted "0.0000"
// and right-aligned in fields w + 3 wide, w the longest of those texts.
std::string memberForcesText(const Table2D<double>& results, int memberCount,
                             const std::vector<std::int16_t>& leftNodes,
                             const std::vector<std::int16_t>& rightNodes);

// ".uva": per node its number and the X, Y and rotation displacements (row 0
// of the result table) formatted "0.0000000", right-aligned in fields w2 + 1
// wide; no line break after the last node.
std::string displacementsText(const Table2D<double>& results, int nodeCount);

// The project path less its last four characters (its extension with the
// dot); throws the run's invalid-argument error for a shorter path.
std::string resultBaseName(const std::string& projectPath);

// Deletes a file if it exists; throws the run's file error when it cannot.
void deleteIfExists(const std::string& path);

// Writes the whole text or nothing: a file that could not be written
// completely is removed again, and the run's file error is thrown.
void writeTextFile(const std::string& path, const std::string& text);

}  // namespace orv
