// Building the result tables from a solved frame and writing them as CSV;
// see result_tables.h.
#include "results/result_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "document/load_cases.h"
#include "model/supports.h"
#include "results/envelope.h"
#include "results/result_sets.h"
#include "text/number_text.h"

namespace {

// The result files' patterns: "0.0000" for forces, "0.0000000" for
// displacements.
constexpr int kForceDecimals = 4;
constexpr int kDisplacementDecimals = 7;

TableCell numberCell(int number) {
    return {number, std::to_string(number)};
}

// A fixed-point text divided by 1000 by moving its point: the digits stay
// those printed ("12.3456789" gives "0.0123456789"). Texts that are no
// plain number ("inf", "nan") stay as they are.
std::string thousandthsOf(const std::string& fixed) {
    const bool negative = fixed.starts_with('-');
    const std::string digits = fixed.substr(negative ? 1 : 0);
    const auto point = digits.find('.');
    if (point == std::string::npos ||
        digits.find_first_not_of("0123456789.") != std::string::npos) {
        return fixed;
    }
    std::string whole =
        std::string(std::max<std::size_t>(4, point) - point, '0') + digits.substr(0, point);
    const std::string fraction = whole.substr(whole.size() - 3) + digits.substr(point + 1);
    whole.erase(whole.size() - 3);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    return (negative ? "-" : "") + whole + "." + fraction;
}

std::string supportKindName(std::int16_t code) {
    for (const orv::SupportKindInfo& info : orv::kSupportKinds) {
        if (info.code == code) {
            return std::string(info.menuName);
        }
    }
    return {};
}

// The kind, and the springs beside it: their forces are in the reaction.
std::string supportName(const orv::NodeSupport& support) {
    const std::string kind = supportKindName(support.code);
    if (!hasSprings(support)) {
        return kind;
    }
    return kind.empty() ? "弹性支座" : kind + "+弹簧";
}

// The angle of the support's x axis from +X towards +Y, in degrees as
// entered (single precision gives back the value typed).
TableCell axisAngleCell(const orv::NodeSupport& support) {
    const double degrees = std::atan2(support.sin, support.cos) * 180 / std::numbers::pi;
    return {degrees, orv::shortestText(static_cast<float>(degrees))};
}

std::string reactionNote(const std::vector<SupportReaction>& reactions) {
    const std::string acting = anySpring(reactions)
                                   ? "反力为支座及其弹簧作用于结构的力 (弹簧力计入反力)"
                                   : "反力为支座作用于结构的力";
    const std::string axes =
        anyTurnedSupport(reactions)
            ? "斜支座沿其支座轴 x、y (自 X 轴转过支座轴转角, 转向 Y 轴为正), 其余沿整体坐标 X、Y "
              "方向 (Y 向下)"
            : "沿整体坐标 X、Y 方向 (Y 向下)";
    return acting + ", " + axes + "; 弯矩自 X 轴转向 Y 轴为正";
}

// A field as CSV has it: in quotes, inner quotes doubled, where it holds
// a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

void appendCsvLine(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) {
            out += ',';
        }
        out += csvField(fields[k]);
    }
    out += "\r\n";
}

}  // namespace

TableCell forceCell(double value) {
    return {value, orv::formatFixed(value, kForceDecimals)};
}

ResultTable memberEndForceTable(const SolvedFrame& frame) {
    ResultTable table{{"杆号", "左号", "右号", "左端轴力 (kN)", "左端剪力 (kN)", "左端弯矩 (kN·m)",
                       "右端轴力 (kN)", "右端剪力 (kN)", "右端弯矩 (kN·m)"},
                      {},
                      "杆端力为节点作用于杆端的力, 沿杆件局部坐标, 正负号与结果文件(.mqn)相同"};
    for (const SolvedMember& member : frame.members) {
        std::vector<TableCell> row{numberCell(member.input.number),
                                   numberCell(member.input.leftNode),
                                   numberCell(member.input.rightNode)};
        for (const double force : member.endForces) {
            row.push_back(forceCell(force));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

// The rotation (mrad) as the table shows it: rad, as the ".uva" file prints it.
TableCell rotationCell(double rotation) {
    return {rotation / 1000, thousandthsOf(orv::formatFixed(rotation, kDisplacementDecimals))};
}

// After the nodes, a row for every released member end: it turns by its
// own rotation, not its node's. Its node in the first column (so that
// sorting by node brings it beside its node), the member and end named.
void appendReleasedEndRotations(const SolvedFrame& frame, ResultTable& table) {
    for (const SolvedMember& member : frame.members) {
        for (int end = 0; end < 2; ++end) {
            if (!isReleased(member, end)) {
                continue;
            }
            const int node = endNode(member, end);
            const std::string name = std::to_string(node) + " (杆件 " +
                                     std::to_string(member.input.number) +
                                     (end == 0 ? " 左端)" : " 右端)");
            table.rows.push_back(
                {{node, name},
                 {},
                 {},
                 rotationCell(member.endRotations[static_cast<std::size_t>(end)])});
        }
    }
}

ResultTable nodeDisplacementTable(const SolvedFrame& frame) {
    ResultTable table{
        {"节点号", "X 位移 u (mm)", "Y 位移 v (mm)", "转角 θ (rad)"},
        {},
        "位移沿整体坐标 X、Y 方向 (Y 向下), 单位 mm; 转角自 X 轴转向 Y 轴为正, 单位 rad"};
    for (std::size_t n = 0; n < frame.nodeMoves.size(); ++n) {
        const NodeDisplacement& d = frame.nodeMoves[n];
        std::vector<TableCell> row{numberCell(static_cast<int>(n) + 1)};
        for (const double translation : {d[0], d[1]}) {
            row.push_back({translation, orv::formatFixed(translation, kDisplacementDecimals)});
        }
        row.push_back(rotationCell(d[2]));
        table.rows.push_back(std::move(row));
    }
    appendReleasedEndRotations(frame, table);
    return table;
}

// A frame without turned supports keeps the columns of global reactions;
// with one, every row gives its support's axis angle (0 along X and Y) and
// Rx, Ry are named along the support's axes.
ResultTable reactionTable(const std::vector<SupportReaction>& reactions) {
    const bool turned = anyTurnedSupport(reactions);
    ResultTable table{{"节点号", "支座"}, {}, reactionNote(reactions)};
    if (turned) {
        table.headers.insert(table.headers.end(),
                             {"支座轴转角 (°)", "Rx 沿支座 x 轴 (kN)", "Ry 沿支座 y 轴 (kN)"});
    } else {
        table.headers.insert(table.headers.end(), {"Rx (kN)", "Ry (kN)"});
    }
    table.headers.push_back("M (kN·m)");
    for (const SupportReaction& reaction : reactions) {
        std::vector<TableCell> row{numberCell(reaction.node),
                                   {std::nullopt, supportName(reaction.support)}};
        if (turned) {
            row.push_back(axisAngleCell(reaction.support));
        }
        for (const std::optional<double>& component : reaction.components) {
            row.push_back(component ? forceCell(*component) : TableCell{});
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::array<ResultTable, 3> resultTables(const SolvedFrame& frame) {
    return {memberEndForceTable(frame), nodeDisplacementTable(frame),
            reactionTable(supportReactions(frame))};
}

namespace {

// The rows' texts after `lead` (the set's name, or nothing).
void appendCsvRows(std::string& out, const ResultTable& table,
                   const std::vector<std::string>& lead) {
    for (const std::vector<TableCell>& row : table.rows) {
        std::vector<std::string> texts = lead;
        for (const TableCell& cell : row) {
            texts.push_back(cell.text);
        }
        appendCsvLine(out, texts);
    }
}

}  // namespace

std::string csvText(const ResultTable& table) {
    std::string out = "\xEF\xBB\xBF";
    appendCsvLine(out, table.headers);
    appendCsvRows(out, table, {});
    return out;
}

std::string csvTextOfSets(const std::vector<NamedTables>& sets, std::size_t which) {
    if (sets.size() == 1) {
        return csvText(sets.front().tables.at(which));
    }
    std::string out = "\xEF\xBB\xBF";
    if (sets.empty()) {
        return out;
    }
    std::vector<std::string> headers{"工况/组合"};
    const std::vector<std::string>& own = sets.front().tables.at(which).headers;
    headers.insert(headers.end(), own.begin(), own.end());
    appendCsvLine(out, headers);
    for (const NamedTables& set : sets) {
        appendCsvRows(out, set.tables.at(which), {set.name});
    }
    return out;
}

AllResultTables allResultTables(const Model& model, const 内力_位移& solved) {
    AllResultTables all;
    for (const ResultChoice choice : everyResultChoice(model)) {
        const auto set = resultSetOf(model, solved, choice);
        const auto frame = set ? readSolvedFrame(set->solver) : std::nullopt;
        if (frame) {
            all.sets.push_back({set->name, resultTables(*frame)});
        }
    }
    if (all.sets.size() > 1) {
        all.envelope = envelopeTable(model, solved);
    }
    return all;
}
