// Building the result tables from a solved frame and writing them as CSV;
// see result_tables.h.
#include "results/result_tables.h"

#include <algorithm>

#include "model/supports.h"
#include "text/number_text.h"

namespace {

// The result files' patterns: "0.0000" for forces, "0.0000000" for
// displacements.
constexpr int kForceDecimals = 4;
constexpr int kDisplacementDecimals = 7;

TableCell numberCell(int number) {
    return {number, std::to_string(number)};
}

TableCell forceCell(double value) {
    return {value, orv::formatFixed(value, kForceDecimals)};
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

ResultTable memberEndForceTable(const SolvedFrame& frame) {
    ResultTable table{{"杆号", "左号", "右号", "左端轴力 (kN)", "左端剪力 (kN)", "左端弯矩 (kN·m)",
                       "右端轴力 (kN)", "右端剪力 (kN)", "右端弯矩 (kN·m)"},
                      {}};
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
    ResultTable table{{"节点号", "X 位移 u (mm)", "Y 位移 v (mm)", "转角 θ (rad)"}, {}};
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

ResultTable reactionTable(const std::vector<SupportReaction>& reactions) {
    ResultTable table{{"节点号", "支座", "Rx (kN)", "Ry (kN)", "M (kN·m)"}, {}};
    for (const SupportReaction& reaction : reactions) {
        std::vector<TableCell> row{numberCell(reaction.node),
                                   {std::nullopt, supportKindName(reaction.supportCode)}};
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

std::string csvText(const ResultTable& table) {
    std::string out = "\xEF\xBB\xBF";
    appendCsvLine(out, table.headers);
    for (const std::vector<TableCell>& row : table.rows) {
        std::vector<std::string> texts;
        for (const TableCell& cell : row) {
            texts.push_back(cell.text);
        }
        appendCsvLine(out, texts);
    }
    return out;
}
