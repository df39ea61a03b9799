// The results of an analysis as three tables of plain data, for a results
// window to show and for CSV export (window and batch mode alike):
//
// - member end forces: member, its two nodes, then axial force, shear and
//   moment at the first end and at the second (kN, kN*m), in the member's
//   local axes as exerted by the nodes on the member: the ".mqn" file's
//   columns, values and texts;
// - node displacements: node, u and v along X and Y (mm), rotation (rad):
//   the ".uva" file's values, the rotation's digits with the point moved
//   three places, since the file prints 1000 x rad; then, for every member
//   end connected to its node other than rigidly, its own rotation in a row
//   of its own, named "<node> (杆件 <member> 左端)" or "... 右端)";
// - reactions: node, support kind, Rx, Ry (kN), M (kN*m) in global axes
//   (see reactions.h), an absent component empty; texts "0.0000" like the
//   end forces. Where springs hold a node the kind says so and the
//   springs' forces are part of the reaction; where any support is turned
//   a column gives every support's axis angle and Rx, Ry are named along
//   the support's axes. Each table carries the caption that says what its
//   numbers mean.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "document/model.h"
#include "results/reactions.h"
#include "results/solved_frame.h"

struct TableCell {
    std::optional<double> value;  // in the column's unit; nothing for a text or an empty cell
    std::string text;             // what is shown and exported
};

struct ResultTable {
    std::vector<std::string> headers;  // with their units
    std::vector<std::vector<TableCell>> rows;
    std::string note;  // axes, signs and units of the numbers, for a caption
};

// A force (kN) or moment (kN*m) as the result files print it: "0.0000".
TableCell forceCell(double value);

ResultTable memberEndForceTable(const SolvedFrame& frame);
ResultTable nodeDisplacementTable(const SolvedFrame& frame);
ResultTable reactionTable(const std::vector<SupportReaction>& reactions);
// The three tables of a solved frame, in the order above.
std::array<ResultTable, 3> resultTables(const SolvedFrame& frame);

// The table as CSV: UTF-8 with a byte-order mark (so that spreadsheets
// read the Chinese headers), the header row first, fields separated by
// commas and quoted where they hold a comma, a quote or a line end, each
// line ended by CR LF like the program's other text files.
std::string csvText(const ResultTable& table);

// The three tables' files beside a project, in the order above:
// "<project>_forces.csv" and so on (batch --csv and 保存为CSV alike).
inline constexpr std::array<const char*, 3> kCsvSuffixes{"_forces.csv", "_displacements.csv",
                                                         "_reactions.csv"};

// The envelope's table beside a project: "<project>_envelope.csv".
inline constexpr const char* kEnvelopeCsvSuffix = "_envelope.csv";

// The three tables of one result set, named as its case or combination.
struct NamedTables {
    std::string name;
    std::array<ResultTable, 3> tables;
};

// Every result set of a solved model: each case, then each combination,
// and with more than one set the envelope's table (see envelope.h).
struct AllResultTables {
    std::vector<NamedTables> sets;
    std::optional<ResultTable> envelope;
};
AllResultTables allResultTables(const Model& model, const 内力_位移& solved);

// Table `which` (0..2, the order above) of every set as one CSV text. With
// one set it is that set's table alone, as before there were load cases;
// with several, a first column "工况/组合" names each row's set, the sets
// in their order.
std::string csvTextOfSets(const std::vector<NamedTables>& sets, std::size_t which);
