// Reading the project file; see project_file.h.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string_view>
#include <tuple>

#include "document/file_names.h"
#include "document/load_cases.h"
#include "document/project_extension.h"
#include "document/project_file.h"
#include "document/read_whole_file.h"
#include "document/text_encoding.h"
#include "model/load_kinds.h"
#include "text/number_text.h"

namespace {

// Thrown inside the reader to refuse the file; caught at the top.
struct Refusal {
    ProjectReadError error;
};

// What an item should have been, "kind(what)". The reader meets hundreds of
// thousands of items in a large frame, so each says what it expects by a
// function that puts it into words only when the file is refused.
std::string described(std::string_view kind, std::string_view what) {
    return std::string(kind).append("(").append(what).append(")");
}

// Splits the text into items: a comma or any line end (CR LF, LF or CR)
// ends an item, whatever the records' layout; a quoted item runs to its
// closing quote; blanks around items and empty lines are skipped.
class ItemReader {
public:
    explicit ItemReader(std::string_view text) : text_(text) {}

    bool atEnd() {
        skipBlanksAndLineEnds();
        return pos_ >= text_.size();
    }

    // The next item's text and whether it was quoted; refuses at the end of
    // the file with the text `expected()` gives.
    template <typename Describe>
    std::pair<std::string, bool> next(const Describe& expected) {
        if (atEnd()) {
            itemLine_ = line_;
            refuse(expected());
        }
        itemLine_ = line_;
        if (text_[pos_] == '"') {
            return {quotedItem(expected), true};
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
            ++pos_;
        }
        std::string item(trimmed(text_.substr(start, pos_ - start)));
        if (item.find('"') != std::string::npos) {
            refuse(expected());  // a stray quote: the item could never be written back
        }
        endItem();
        return {std::move(item), false};
    }

    [[noreturn]] void refuse(const std::string& expected) const {
        throw Refusal{{itemLine_ ? itemLine_ : line_, expected}};
    }

    // The next item's text without taking it; nothing at the end of the
    // file or before a malformed item (which the next read refuses).
    std::optional<std::string> peek() const {
        ItemReader ahead = *this;
        try {
            return ahead.next([] { return std::string(); }).first;
        } catch (const Refusal&) {
            return std::nullopt;
        }
    }

    // The line of the item read last.
    int itemLine() const { return itemLine_; }

private:
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }

    static std::string_view trimmed(std::string_view item) {
        while (!item.empty() && isBlank(item.front())) {
            item.remove_prefix(1);
        }
        while (!item.empty() && isBlank(item.back())) {
            item.remove_suffix(1);
        }
        return item;
    }

    template <typename Describe>
    std::string quotedItem(const Describe& expected) {
        const std::size_t close = text_.find('"', pos_ + 1);
        const std::size_t lineEnd = text_.find_first_of("\r\n", pos_ + 1);
        if (close == std::string_view::npos || close > lineEnd) {
            refuse(expected());
        }
        std::string item(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
            refuse(expected());
        }
        endItem();
        return item;
    }

    void endItem() {
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
        }
    }

    void skipBlanksAndLineEnds() {
        while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_]))) {
            if (text_[pos_] == '\n' || (text_[pos_] == '\r' && !nextIs('\n'))) {
                ++line_;
            }
            ++pos_;
        }
    }

    bool nextIs(char c) const { return pos_ + 1 < text_.size() && text_[pos_ + 1] == c; }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int itemLine_ = 0;
};

// Typed items on top of the item reader.
class RecordReader {
public:
    explicit RecordReader(std::string_view text) : items_(text) {}

    bool atEnd() { return items_.atEnd(); }

    int itemLine() const { return items_.itemLine(); }

    // Refuses the item read last, for a rule that only the items after it
    // could decide.
    [[noreturn]] void refuse(const std::string& expected) const { items_.refuse(expected); }

    std::string text(std::string_view what) {
        return items_.next([what] { return described("文本", what); }).first;
    }

    // An item that must be one of a few names; `expected` lists them.
    std::string name(const std::string& expected) {
        return items_.next([&expected] { return expected; }).first;
    }

    bool nextItemIs(std::string_view item) const { return items_.peek() == item; }

    // A number; `kind()` names the kind of number expected.
    template <typename Kind>
    double number(std::string_view what, const Kind& kind) {
        const auto expected = [&kind, what] { return described(kind(), what); };
        const auto [item, quoted] = items_.next(expected);
        const auto value = quoted ? std::nullopt : orv::parseNumber(item);
        if (!value || !std::isfinite(*value)) {
            items_.refuse(expected());
        }
        return *value;
    }

    // A 16-bit integer within [low, high]; a fraction rounds to the nearest
    // integer, a half to the even one (2.5 gives 2).
    std::int16_t integer(std::string_view what, long low = -32768, long high = 32767) {
        const auto kind = [low, high] {
            return "整数 " + std::to_string(low) + " 到 " + std::to_string(high);
        };
        const double value = std::nearbyint(number(what, kind));
        if (value < static_cast<double>(low) || value > static_cast<double>(high)) {
            items_.refuse(described(kind(), what));
        }
        return static_cast<std::int16_t>(value);
    }

    // A colour value: a 32-bit integer, signed as written or unsigned.
    ColourValue colour(std::string_view what) {
        const double value = std::nearbyint(number(what, [] { return "颜色值"; }));
        if (value < -2147483648.0 || value > 4294967295.0) {
            items_.refuse(described("颜色值", what));
        }
        return static_cast<ColourValue>(
            static_cast<std::uint32_t>(static_cast<std::int64_t>(value)));
    }

    float single(std::string_view what) {
        const double value = number(what, [] { return "数值"; });
        if (std::fabs(value) > std::numeric_limits<float>::max()) {
            items_.refuse(described("单精度范围内的数值", what));
        }
        return static_cast<float>(value);
    }

    bool boolean(std::string_view what) {
        const auto [item, quoted] = items_.next([what] { return described("逻辑值", what); });
        if (!quoted && item == "#TRUE#") {
            return true;
        }
        if (!quoted && item == "#FALSE#") {
            return false;
        }
        const auto value = quoted ? std::nullopt : orv::parseNumber(item);
        if (!value || std::isnan(*value)) {
            items_.refuse(described("逻辑值", what));
        }
        return *value != 0;
    }

private:
    ItemReader items_;
};

// Load slots as the reader fills them: kept from one member to the next, so
// that slots beyond a member's load count hold the previous member's values.
struct LoadBuffers {
    std::vector<std::string> kinds = std::vector<std::string>(orv::kMaxLoadsPerMember + 1, " ");
    std::vector<float> positions = std::vector<float>(orv::kMaxLoadsPerMember + 1, 0.0f);
    std::vector<float> magnitudes = std::vector<float>(orv::kMaxLoadsPerMember + 1, 0.0f);
};

// A value that must be greater than 0: the drawing window divides by the
// width and height of its world window, and a diagram scale of 0 or below
// draws flat or mirrored diagrams (the scale box refuses it as well).
float positiveSingle(RecordReader& in, std::string_view what) {
    const float value = in.single(what);
    if (!(value > 0)) {
        in.refuse(described("大于 0 的数值", what));
    }
    return value;
}

std::string nonEmptyText(RecordReader& in, std::string_view what) {
    std::string text = in.text(what);
    if (text.empty()) {
        in.refuse(described("非空的文本", what));
    }
    return text;
}

// The empty text names the end forces' part of a section force, not a load:
// a load of that kind would count the end forces twice in the diagrams.
std::string loadKind(RecordReader& in) {
    return nonEmptyText(in, "荷载种类");
}

void readNodes(RecordReader& in, Document& document) {
    for (std::size_t k = 1; k <= static_cast<std::size_t>(document.nodeCount); ++k) {
        const std::int16_t kind = in.integer("支座种类");
        if (!isSupportKind(kind)) {
            in.refuse("支座种类 0、1、3、5 或 7");
        }
        gd node;
        node.支座方向 = in.boolean("支座方向");
        node.节点号 = in.integer("节点号");
        node.x = in.single("节点 x");
        node.y = in.single("节点 y");
        placeSupport(document, k, kind, node);
    }
}

// Reads one member record; returns the line of its node numbers.
int readMember(RecordReader& in, gj& member, LoadBuffers& loads, Document& document) {
    // The number of the member, which becomes the count of members drawn:
    // members not yet drawn carry the number of the last member drawn.
    document.membersEntered = in.integer("杆件号", 0, document.memberTotal);
    member.左号 = in.integer("左节点号", 0, document.nodeCount);
    member.右号 = in.integer("右节点号", 0, document.nodeCount);
    const int nodeNumbersLine = in.itemLine();
    member.x1 = in.single("x1");
    member.y1 = in.single("y1");
    member.x2 = in.single("x2");
    member.y2 = in.single("y2");
    member.材料 = in.text("材料");
    member.断面 = in.text("断面");
    member.尺寸.assign(5, 0.0f);
    for (float& dimension : member.尺寸) {
        dimension = in.single("截面尺寸");
    }
    member.荷载数 = in.integer("荷载数", 0, orv::kMaxLoadsPerMember);
    const float length = member.leng();
    for (std::size_t j = 1; j <= static_cast<std::size_t>(member.荷载数); ++j) {
        loads.kinds[j] = loadKind(in);
        loads.positions[j] = std::min(in.single("荷载位置"), length);
        loads.magnitudes[j] = in.single("荷载大小");
    }
    member.hzlx = loads.kinds;
    member.xq = loads.positions;
    member.q = loads.magnitudes;
    return nodeNumbersLine;
}

// Node number 0 stands for "not numbered", which only a member not yet drawn
// may be: the support and analysis commands look up the nodes of every
// member drawn.
void requireNumberedEnds(const Document& document, const std::vector<int>& nodeNumbersLines) {
    for (std::size_t i = 1; i <= static_cast<std::size_t>(document.membersEntered); ++i) {
        const gj& member = document.members[i];
        if (member.左号 == 0 || member.右号 == 0) {
            throw Refusal{{nodeNumbersLines[i], "已画杆件的节点号 1 到 " +
                                                    std::to_string(document.nodeCount) + "(杆件 " +
                                                    std::to_string(i) + ")"}};
        }
    }
}

// Records 1 to 6 of one project.
void readProject(RecordReader& in, Document& document, LoadBuffers& loads) {
    document.memberTotal = in.integer("杆件总数", 0);
    document.nodeCount = in.integer("节点总数", 0);
    document.diagramScale = positiveSingle(in, "内力图显示比例");
    resizeMembers(document, document.memberTotal);
    resizeNodes(document, document.nodeCount);
    document.backColour = in.colour("背景颜色");
    document.crosshairColour = in.colour("十字光标颜色");
    document.world.scaleLeft = in.single("ScaleLeft");
    document.world.scaleTop = in.single("ScaleTop");
    document.world.scaleWidth = positiveSingle(in, "ScaleWidth");
    document.world.scaleHeight = positiveSingle(in, "ScaleHeight");
    document.fixedSymbolCount = document.pinnedSymbolCount = 0;
    document.horizontalLinkSymbolCount = document.verticalLinkSymbolCount = 0;
    document.supportsPlaced = 0;
    document.loadCaseNames = {kFirstLoadCaseName};
    document.combinations.clear();
    readNodes(in, document);
    document.membersEntered = 0;
    std::vector<int> nodeNumbersLines(document.members.size(), 0);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(document.memberTotal); ++i) {
        nodeNumbersLines[i] = readMember(in, document.members[i], loads, document);
    }
    requireNumberedEnds(document, nodeNumbersLines);
    in.text("END");  // its content is not compared
}

// A load case's number as read, and its line: whether the case exists is
// checked at the extension's "END" (see CaseUse).
struct CaseNumber {
    std::int16_t loadCase;
    int line;
};

// A use of a load case by a record: its case number, and what the record
// changes in the document once the case is known to exist.
struct CaseUse {
    CaseNumber read;
    std::function<void(Document&)> change;
};

// A case or combination by its number: the line of the number and what
// the record holds.
template <typename Value>
using Numbered = std::map<std::int16_t, std::pair<int, Value>>;

// The extension as it is read: the project of records 1 to 6 it belongs
// to, and the keys of the records read so far, since records come in any
// order and a member end, a node, or a node or member in one load case
// takes one record of each kind at most. Which cases and combinations
// exist is known only at the closing "END", so the records of a case wait
// there until their case number is checked.
struct ExtensionReading {
    Document& document;
    std::set<std::tuple<std::string_view, long, long>> keysRead;
    Numbered<std::string> caseNames;
    Numbered<LoadCombination> combinations;
    std::vector<CaseUse> caseUses;
    std::map<std::pair<long, long>, int> loadCounts;  // by case and member
};

// Refuses a second record of kind `record` for the same (a, b); `what`
// names them for the message ("杆件 3 的杆端 2").
void requireFirstRecord(RecordReader& in, ExtensionReading& reading, std::string_view record,
                        long a, long b, const std::string& what) {
    if (!reading.keysRead.emplace(record, a, b).second) {
        in.refuse("未重复的记录(" + what + " 已有 " + std::string(record) + " 记录)");
    }
}

// A value that must not be below 0.
float nonNegativeSingle(RecordReader& in, std::string_view what) {
    const float value = in.single(what);
    if (!(value >= 0)) {
        in.refuse(described("不小于 0 的数值", what));
    }
    return value;
}

std::int16_t drawnMember(RecordReader& in, const Document& document) {
    return in.integer("杆件号", 1, document.membersEntered);
}

std::int16_t numberedNode(RecordReader& in, const Document& document) {
    return in.integer("节点号", 1, document.nodeCount);
}

CaseNumber loadCaseNumber(RecordReader& in) {
    const std::int16_t loadCase = in.integer("工况号", 1);
    return {loadCase, in.itemLine()};
}

MemberLoads memberLoadsIn(Document& document, std::int16_t member, std::int16_t loadCase) {
    return loadsIn(document.members[static_cast<std::size_t>(member)], loadCase);
}

std::string nodeNamed(long node) {
    return "节点 " + std::to_string(node);
}

std::string memberNamed(long member) {
    return "杆件 " + std::to_string(member);
}

std::string inCase(long loadCase, const std::string& what) {
    return "工况 " + std::to_string(loadCase) + " 的" + what;
}

// "RELEASE", i, e, k: member i's end e is connected with the rotational
// stiffness k (0 a hinge).
void readConnection(RecordReader& in, ExtensionReading& reading) {
    Document& document = reading.document;
    const std::int16_t member = drawnMember(in, document);
    const std::int16_t end = in.integer("杆端", 1, 2);
    const float k = nonNegativeSingle(in, "转动刚度");
    requireFirstRecord(in, reading, kConnectionRecord, member, end,
                       memberNamed(member) + " 的杆端 " + std::to_string(end));
    document.members[static_cast<std::size_t>(member)].*kMemberEnds[end - 1] = k;
}

// "SPRING", n, kx, ky, kr: node n rests on springs along its support axes
// and in rotation; a record of three zeros would say nothing.
void readSpring(RecordReader& in, ExtensionReading& reading) {
    const std::int16_t node = numberedNode(in, reading.document);
    // Items of a braced list are read in order.
    const std::array<float, 3> springs{nonNegativeSingle(in, "x向弹簧刚度"),
                                       nonNegativeSingle(in, "y向弹簧刚度"),
                                       nonNegativeSingle(in, "转动弹簧刚度")};
    if (springs == std::array<float, 3>{}) {
        in.refuse("不全为 0 的弹簧刚度(" + nodeNamed(node) + ")");
    }
    requireFirstRecord(in, reading, kSpringRecord, node, 0, nodeNamed(node));
    reading.document.supportExtras[static_cast<std::size_t>(node)].springs = springs;
}

// "INCLINE", n, a: node n's support axes are turned by a degrees.
void readIncline(RecordReader& in, ExtensionReading& reading) {
    const std::int16_t node = numberedNode(in, reading.document);
    const float angle = in.single("支座倾角");
    if (!(angle > -180 && angle <= 180)) {
        in.refuse("大于 -180 且不大于 180 的数值(支座倾角)");
    }
    requireFirstRecord(in, reading, kInclineRecord, node, 0, nodeNamed(node));
    reading.document.supportExtras[static_cast<std::size_t>(node)].angle = angle;
}

// "SETTLE", c, n, dx, dy, dr: in case c node n's support moves along its
// axes and turns. Whether the support may move that way is the analysis's
// question, not the file's.
void readSettlement(RecordReader& in, ExtensionReading& reading) {
    const CaseNumber read = loadCaseNumber(in);
    const std::int16_t node = numberedNode(in, reading.document);
    const Settlement moves{in.single("支座位移x"), in.single("支座位移y"), in.single("支座转角")};
    requireFirstRecord(in, reading, kSettlementRecord, read.loadCase, node,
                       inCase(read.loadCase, nodeNamed(node)));
    reading.caseUses.push_back({read, [read, node, moves](Document& document) {
                                    const auto place = static_cast<std::size_t>(node);
                                    settlementIn(document.supportExtras[place], read.loadCase) =
                                        moves;
                                }});
}

// "TEMP", c, i, t1, t2: in case c member i warms by t1 at its local -y
// face and by t2 at its +y face.
void readTemperature(RecordReader& in, ExtensionReading& reading) {
    const CaseNumber read = loadCaseNumber(in);
    const std::int16_t member = drawnMember(in, reading.document);
    const float t1 = in.single("温度改变1");
    const float t2 = in.single("温度改变2");
    requireFirstRecord(in, reading, kTemperatureRecord, read.loadCase, member,
                       inCase(read.loadCase, memberNamed(member)));
    reading.caseUses.push_back({read, [read, member, t1, t2](Document& document) {
                                    const MemberLoads loads =
                                        memberLoadsIn(document, member, read.loadCase);
                                    loads.温度改变1 = t1;
                                    loads.温度改变2 = t2;
                                }});
}

// "CASE", c, name: load case c is called `name`.
void readCase(RecordReader& in, ExtensionReading& reading) {
    const CaseNumber read = loadCaseNumber(in);
    std::string name = nonEmptyText(in, "工况名");
    requireFirstRecord(in, reading, kCaseRecord, read.loadCase, 0,
                       "工况 " + std::to_string(read.loadCase));
    reading.caseNames[read.loadCase] = {read.line, std::move(name)};
}

// "LOAD", c, i, kind, xq, q: a member load of case c >= 2, read as a record
// 5e is (a position beyond the member's length becomes the length).
void readCaseLoad(RecordReader& in, ExtensionReading& reading) {
    const CaseNumber read = loadCaseNumber(in);
    if (read.loadCase == 1) {
        in.refuse("工况号 2 起(工况 1 的荷载在记录 5e 中)");
    }
    const std::int16_t member = drawnMember(in, reading.document);
    const float length = reading.document.members[static_cast<std::size_t>(member)].leng();
    std::string kind = loadKind(in);
    const float position = std::min(in.single("荷载位置"), length);
    const float intensity = in.single("荷载大小");
    if (++reading.loadCounts[{read.loadCase, member}] > orv::kMaxLoadsPerMember) {
        in.refuse("至多 " + std::to_string(orv::kMaxLoadsPerMember) + " 个荷载(" +
                  inCase(read.loadCase, memberNamed(member)) + ")");
    }
    reading.caseUses.push_back(
        {read, [read, member, kind = std::move(kind), position, intensity](Document& document) {
             const MemberLoads loads = memberLoadsIn(document, member, read.loadCase);
             const auto slot = static_cast<std::size_t>(++loads.荷载数);
             loads.hzlx[slot] = kind;
             loads.xq[slot] = position;
             loads.q[slot] = intensity;
         }});
}

// "COMBO", k, name, m, c1, f1, ..., cm, fm: combination k sums m cases,
// each at most once, with their factors.
void readCombination(RecordReader& in, ExtensionReading& reading) {
    const std::int16_t number = in.integer("组合号", 1);
    const int line = in.itemLine();
    LoadCombination combination{nonEmptyText(in, "组合名"), {}};
    const std::int16_t terms = in.integer("组合项数", 1);
    const std::string named = "组合 " + std::to_string(number);
    for (int t = 0; t < terms; ++t) {
        const CaseNumber read = loadCaseNumber(in);
        const float factor = in.single("组合系数");
        if (std::any_of(combination.terms.begin(), combination.terms.end(),
                        [&read](const auto& term) { return term.loadCase == read.loadCase; })) {
            in.refuse("未重复的工况(" + named + " 已有工况 " + std::to_string(read.loadCase) + ")");
        }
        combination.terms.push_back({read.loadCase, factor});
        reading.caseUses.push_back({read, {}});
    }
    requireFirstRecord(in, reading, kCombinationRecord, number, 0, named);
    reading.combinations[number] = {line, std::move(combination)};
}

// The records of the extension by name; each function reads the items
// after the name.
struct ExtensionRecord {
    std::string_view name;
    void (*read)(RecordReader&, ExtensionReading&);
};
constexpr ExtensionRecord kExtensionRecords[] = {
    {kConnectionRecord, readConnection},   {kSpringRecord, readSpring},
    {kInclineRecord, readIncline},         {kSettlementRecord, readSettlement},
    {kTemperatureRecord, readTemperature}, {kCaseRecord, readCase},
    {kCaseLoadRecord, readCaseLoad},       {kCombinationRecord, readCombination},
};

// "记录名 RELEASE、SPRING、… 或 END": what may stand where a record of the
// extension begins.
std::string expectedRecordName() {
    std::string expected;
    for (const ExtensionRecord& record : kExtensionRecords) {
        expected += (expected.empty() ? "记录名 " : "、") + std::string(record.name);
    }
    return expected + " 或 " + std::string(kExtensionEnd);
}

// The values numbered 1..n, n the count of them: a number beyond the count
// means a gap (numbers are never read twice), refused on its line.
template <typename Value>
std::vector<Value> withoutGaps(Numbered<Value>& numbered, std::string_view what) {
    std::vector<Value> values;
    for (auto& [number, read] : numbered) {
        if (number > static_cast<long>(numbered.size())) {
            const std::string range = "整数 1 到 " + std::to_string(numbered.size());
            throw Refusal{{read.first, described(range, "连续的" + std::string(what))}};
        }
        values.push_back(std::move(read.second));
    }
    return values;
}

// At the extension's "END": the cases and combinations are numbered without
// gaps, every record names a case that exists, and the records of cases
// change the document. A file without "CASE" records has case 1 alone.
void finishCases(ExtensionReading& reading) {
    Document& document = reading.document;
    if (!reading.caseNames.empty()) {
        document.loadCaseNames = withoutGaps(reading.caseNames, "工况号");
    }
    const int cases = loadCaseCount(document);
    for (const CaseUse& use : reading.caseUses) {
        if (use.read.loadCase > cases) {
            throw Refusal{{use.read.line, "整数 1 到 " + std::to_string(cases) + "(工况号)"}};
        }
        if (use.change) {
            use.change(document);
        }
    }
    document.combinations = withoutGaps(reading.combinations, "组合号");
    for (gj& member : document.members) {
        trimLaterCases(member);
    }
    for (SupportExtras& extras : document.supportExtras) {
        trimLaterCases(extras);
    }
}

// The extension after record 6: the header, then records in any order up
// to its own "END". Any fault refuses the whole file.
void readExtension(RecordReader& in, Document& document) {
    in.name(std::string(kExtensionHeader));
    if (in.number("扩展格式版本", [] { return "数值"; }) != kExtensionVersion) {
        in.refuse("扩展格式版本 " + std::to_string(kExtensionVersion));
    }
    ExtensionReading reading{document, {}, {}, {}, {}, {}};
    const std::string expected = expectedRecordName();
    for (std::string name = in.name(expected); name != kExtensionEnd; name = in.name(expected)) {
        const auto record =
            std::find_if(std::begin(kExtensionRecords), std::end(kExtensionRecords),
                         [&name](const ExtensionRecord& known) { return known.name == name; });
        if (record == std::end(kExtensionRecords)) {
            in.refuse(expected);
        }
        record->read(in, reading);
    }
    finishCases(reading);
}

}  // namespace

std::optional<ProjectReadError> readProjectText(const std::string& bytes, Document& document) {
    // Files from old editors may end with Ctrl-Z end-of-file marks.
    std::string_view content(bytes);
    while (!content.empty() && content.back() == '\x1A') {
        content.remove_suffix(1);
    }
    const auto text = toUtf8(content);
    if (!text) {
        return ProjectReadError{1, "UTF-8 或 GB18030 编码的文本"};
    }
    Document read = document;
    LoadBuffers loads;
    RecordReader in(*text);
    try {
        while (!in.atEnd()) {
            readProject(in, read, loads);
            // The extension begins with its header; any other text after
            // "END" starts again at record 1, as it always did.
            if (in.nextItemIs(kExtensionHeader)) {
                readExtension(in, read);
            }
        }
    } catch (const Refusal& refusal) {
        return refusal.error;
    }
    document = std::move(read);
    return std::nullopt;
}

std::optional<ProjectReadError> readProjectFile(const std::string& path, Document& document) {
    const auto bytes = readWholeFile(filePath(path));
    if (!bytes) {
        return ProjectReadError{0, "可读的文件"};
    }
    return readProjectText(*bytes, document);
}

std::string projectReadMessage(const std::string& path, const ProjectReadError& error) {
    if (error.line == 0) {
        return "无法打开项目文件 " + path;
    }
    return "项目文件 " + path + " 第 " + std::to_string(error.line) + " 行有误: 此处应为" +
           error.expected;
}
