// The project file: exact writing, reading in every encoding and line-end
// form, the reader's rules and refusal of malformed files as a whole.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string_view>
#include <tuple>
#include <vector>

#include "document/load_cases.h"
#include "document/node_numbering.h"
#include "document/project_file.h"
#include "example_frames.h"
#include "run_support.h"

namespace orv::testing {
namespace {

// A document that uses every field: Chinese texts, 55 loads on one member,
// every support kind, a system colour.
Document everyField() {
    Document document = exampleProject("two_storey.tsd");
    document.diagramScale = 0.035f;
    document.backColour = static_cast<ColourValue>(0x8000000F);  // dialog face colour
    document.crosshairColour = 0x0000FF;
    document.world = {-1.5f, -12.25f, 30, 17.5f};
    gj& member = document.members[3];
    member.材料 = "16Mn钢";
    member.断面 = "I字形";
    member.尺寸 = {0.012f, 0.25f, 0.02f, 0.01f, 0.5f};
    member.荷载数 = 55;
    for (std::size_t k = 1; k <= 55; ++k) {
        member.hzlx[k] = std::string(kLoadKinds[k % 6].text);
        member.xq[k] = 0.1f * static_cast<float>(k % 36);
        member.q[k] = -1.25f * static_cast<float>(k);
    }
    document.supportKinds[2] = SupportPinned;
    document.nodes[2] = {true, 0, -3.6f, 2};
    document.supportKinds[3] = SupportHorizontalLink;
    document.nodes[3] = {false, 6, 0, 3};
    document.fixedSymbolCount = 2;
    document.pinnedSymbolCount = 1;
    document.horizontalLinkSymbolCount = 1;
    document.supportsPlaced = 4;
    return document;
}

Document readBack(const std::string& text) {
    Document document;
    const auto error = readProjectText(text, document);
    EXPECT_FALSE(error) << (error ? error->expected : "");
    return document;
}

TEST(ProjectFile, WritesTheRecordsExactly) {
    const std::string expected =
        "1,2,.02\r\n"
        "16777215,16711680\r\n"
        "-2,-9,16,11\r\n"
        "0,#FALSE#,1,0,0\r\n"
        "5,#FALSE#,2,6,0\r\n"
        "1,1,2\r\n"
        "0,0,6,0,\"C30混凝土\",\"矩形\"\r\n"
        ".3,.5,0,0,0\r\n"
        "1\r\n"
        "\"均布\",6,10\r\n"
        "\"END\"\r\n";
    EXPECT_EQ(projectFileText(exampleProject("propped_cantilever.tsd")), expected);
}

TEST(ProjectFile, EveryFieldSurvivesWritingAndReading) {
    const Document written = everyField();
    const Document read = readBack(projectFileText(written));
    EXPECT_EQ(projectFileText(read), projectFileText(written));
    EXPECT_EQ(read.membersEntered, written.memberTotal);
    EXPECT_EQ(read.members[3].材料, "16Mn钢");
    EXPECT_EQ(read.members[3].hzlx[55], written.members[3].hzlx[55]);
    EXPECT_EQ(read.members[3].q[55], -68.75f);
    EXPECT_EQ(read.diagramScale, 0.035f);
    EXPECT_EQ(read.backColour, static_cast<ColourValue>(0x8000000F));
    EXPECT_EQ(read.world, written.world);
    EXPECT_EQ(read.supportKinds, written.supportKinds);
    EXPECT_EQ(read.fixedSymbolCount, 2);  // bases 1 and 5; base 3 became a link
    EXPECT_EQ(read.pinnedSymbolCount, 1);
    EXPECT_EQ(read.horizontalLinkSymbolCount, 1);
    EXPECT_EQ(read.verticalLinkSymbolCount, 0);
    EXPECT_EQ(read.supportsPlaced, 4);
    EXPECT_FALSE(read.supportDirection);  // node 3's, the last pinned or link node read
}

std::string toGb18030(const std::string& utf8) {
    iconv_t converter = iconv_open("GB18030", "UTF-8");
    std::string input = utf8;
    std::string output(input.size() * 2, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    output.resize(output.size() - outLeft);
    return output;
}

std::string withLineEnds(std::string text, const std::string& lineEnd) {
    std::string out;
    for (std::size_t pos = 0, next; pos < text.size(); pos = next + 2) {
        next = text.find("\r\n", pos);
        out += text.substr(pos, next - pos) + lineEnd;
    }
    return out;
}

TEST(ProjectFile, ReadsUtf8Gb18030AndEveryLineEnd) {
    const std::string text = projectFileText(everyField());
    const std::string gb = toGb18030(text);
    ASSERT_NE(gb, text);
    for (const std::string& form : {text, gb, withLineEnds(text, "\n"), withLineEnds(text, "\r"),
                                    "\xEF\xBB\xBF" + text, withLineEnds(gb, "\n")}) {
        EXPECT_EQ(projectFileText(readBack(form)), text);
    }
}

TEST(ProjectFile, ReaderRulesForEdgeCases) {
    // A member total entered, nothing drawn yet: no node records.
    Document undrawn;
    undrawn.world = {-2, -9, 16, 11};
    undrawn.memberTotal = 3;
    resizeMembers(undrawn, 3);
    const Document noNodes = readBack(projectFileText(undrawn));
    EXPECT_EQ(noNodes.nodeCount, 0);
    EXPECT_EQ(noNodes.nodes.size(), 1u);
    EXPECT_EQ(noNodes.membersEntered, 0);

    // An empty file changes nothing.
    Document kept = exampleProject("portal.tsd");
    EXPECT_FALSE(readProjectText("", kept));
    EXPECT_EQ(projectFileText(kept), projectFileText(exampleProject("portal.tsd")));

    // A load position beyond the member is clamped to its length; at the
    // length it stays.
    Document loads = exampleProject("propped_cantilever.tsd");
    loads.members[1].荷载数 = 2;
    loads.members[1].hzlx[2] = "集中";
    loads.members[1].xq[1] = 6;
    loads.members[1].xq[2] = 6.5f;
    const Document clamped = readBack(projectFileText(loads));
    EXPECT_EQ(clamped.members[1].xq[1], 6.0f);
    EXPECT_EQ(clamped.members[1].xq[2], 6.0f);

    // Text after "END" starts again at the first record.
    const std::string two = projectFileText(exampleProject("portal.tsd")) +
                            projectFileText(exampleProject("triangle.tsd"));
    EXPECT_EQ(projectFileText(readBack(two)), projectFileText(exampleProject("triangle.tsd")));
}

// The portal with only its first `drawn` members drawn and numbered, as the
// window leaves it while member input goes on.
Document partlyDrawnPortal(std::int16_t drawn) {
    Document document = exampleProject("portal.tsd");
    for (std::size_t i = static_cast<std::size_t>(drawn) + 1; i <= 3; ++i) {
        document.members[i] = gj{};
    }
    document.membersEntered = drawn;
    EXPECT_TRUE(节点自动编号(document));
    return document;
}

TEST(ProjectFile, APartlyDrawnFrameReopensWithTheSameMembersDrawn) {
    for (std::int16_t drawn = 0; drawn <= 3; ++drawn) {
        SCOPED_TRACE(drawn);
        const Document written = partlyDrawnPortal(drawn);
        Document read = exampleProject("triangle.tsd");  // the project open before
        ASSERT_FALSE(readProjectText(projectFileText(written), read));
        EXPECT_EQ(read.membersEntered, drawn);
        EXPECT_EQ(read.nodeCount, written.nodeCount);
        EXPECT_EQ(projectFileText(read), projectFileText(written));
    }
    // Members not yet drawn carry the number of the last member drawn,
    // which is how a reader that takes the last number counts them.
    const std::string text = projectFileText(partlyDrawnPortal(1));
    EXPECT_NE(text.find("\r\n1,1,2\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\r\n2,"), std::string::npos);
    EXPECT_NE(text.find("\r\n1,0,0\r\n0,0,0,0,\"\",\"\"\r\n"), std::string::npos);
}

TEST(ProjectFile, LoadSlotsCarryOverFromTheMemberBefore) {
    Document document = exampleProject("continuous_beam.tsd");
    document.members[1].荷载数 = 2;
    document.members[1].hzlx[2] = "力偶";
    document.members[1].xq[2] = 2;
    document.members[1].q[2] = 9;
    const Document read = readBack(projectFileText(document));
    EXPECT_EQ(read.members[2].荷载数, 1);
    EXPECT_EQ(read.members[2].hzlx[2], "力偶");
    EXPECT_EQ(read.members[2].q[2], 9.0f);
    EXPECT_EQ(read.members[2].hzlx[3], " ");
}

struct RefusedFile {
    const char* name;
    std::string text;
    int line;
    std::string expected = {};  // a part of what the refusal names; empty: not checked
};

// Each file is refused with its line, and the document read over stays as
// it was.
void expectEachRefused(const std::vector<RefusedFile>& files) {
    for (const RefusedFile& file : files) {
        SCOPED_TRACE(file.name);
        Document document = exampleProject("portal.tsd");
        const auto error = readProjectText(file.text, document);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, file.line);
        EXPECT_FALSE(error->expected.empty());
        EXPECT_NE(error->expected.find(file.expected), std::string::npos) << error->expected;
        EXPECT_EQ(projectFileText(document), projectFileText(exampleProject("portal.tsd")));
    }
}

// `text` with its first `from` replaced by `to`.
std::string replacedIn(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(ProjectFile, MalformedFilesAreRefusedWholeWithTheirLine) {
    const std::string good = projectFileText(exampleProject("propped_cantilever.tsd"));
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        return replacedIn(good, from, to);
    };
    expectEachRefused({
        {"text where a number belongs", replaced("1,2,.02", "\"1\",2,.02"), 1},
        {"negative member total", replaced("1,2,.02", "-1,2,.02"), 1},
        {"node count beyond 16 bits", replaced("1,2,.02", "1,40000,.02"), 1},
        {"colour not a number", replaced("16777215,16711680", "white,16711680"), 2},
        {"direction not a Boolean", replaced("#FALSE#,1,0,0", "maybe,1,0,0"), 4},
        {"coordinate beyond single precision", replaced("-2,-9,16,11", "-2,-9,1E+39,11"), 3},
        {"more than 55 loads", replaced("\r\n1\r\n\"", "\r\n56\r\n\""), 9},
        {"unclosed quote", replaced("\"矩形\"", "\"矩形"), 7},
        {"truncated inside a member", good.substr(0, good.find("1\r\n\"")), 9},
        {"no END", good.substr(0, good.find("\"END\"")), 11},
        {"not a text encoding", "\xFF\xFF\xFF", 1},
        {"stray quote in a text", replaced("\"矩形\"", "矩\"形"), 7},
        {"exponent beyond a long (found by fuzzing)", "77D3179999999999999999999999999", 1},
        {"member number beyond the member total", replaced("\r\n1,1,2\r\n", "\r\n2,1,2\r\n"), 6},
        {"negative member number", replaced("\r\n1,1,2\r\n", "\r\n-7,1,2\r\n"), 6},
        {"zero window width", replaced("-2,-9,16,11", "-2,-9,0,11"), 3},
        {"negative window height", replaced("-2,-9,16,11", "-2,-9,16,-11"), 3},
        {"window width below single precision", replaced("-2,-9,16,11", "-2,-9,1E-50,11"), 3},
        {"support code 2", replaced("5,#FALSE#,2,6,0", "2,#FALSE#,2,6,0"), 5},
        {"support code 8", replaced("5,#FALSE#,2,6,0", "8,#FALSE#,2,6,0"), 5},
        {"node number beyond the node count", replaced("\r\n1,1,2\r\n", "\r\n1,1,3\r\n"), 6},
        {"negative node number", replaced("\r\n1,1,2\r\n", "\r\n1,-1,2\r\n"), 6},
        {"drawn member without a node number", replaced("\r\n1,1,2\r\n", "\r\n1,1,0\r\n"), 6},
        {"zero diagram scale", replaced("1,2,.02", "1,2,0"), 1},
        {"negative diagram scale", replaced("1,2,.02", "1,2,-.02"), 1},
        {"diagram scale beyond single precision", replaced("1,2,.02", "1,2,1E+39"), 1},
        {"empty load kind", replaced("\"均布\",6,10", "\"\",6,10"), 10},
    });
    const std::string message = projectReadMessage("/a/框架.tsd", {4, "逻辑值(支座方向)"});
    EXPECT_NE(message.find("/a/框架.tsd"), std::string::npos);
    EXPECT_NE(message.find("4"), std::string::npos);
    EXPECT_NE(message.find("逻辑值(支座方向)"), std::string::npos);
}

// Whatever a document holds, what the writer writes reads back.
TEST(ProjectFile, UnwritableValuesAreWrittenSoThatTheyReadBack) {
    Document document = exampleProject("propped_cantilever.tsd");
    document.members[1].材料 = "say \"hi\"\r\nagain";
    document.members[1].尺寸[2] = std::numeric_limits<float>::infinity();
    document.members[1].尺寸[3] = std::numeric_limits<float>::quiet_NaN();
    document.supportKinds.resize(2);  // shorter than the node count
    const Document read = readBack(projectFileText(document));
    EXPECT_EQ(read.members[1].材料, "say 'hi'  again");
    EXPECT_FLOAT_EQ(read.members[1].尺寸[2] / 1e38f, 3.402823f);  // 7 digits of the largest
    EXPECT_EQ(read.members[1].尺寸[3], 0.0f);
    EXPECT_EQ(read.supportKinds[2], SupportNone);
}

// The portal with a hinge and a semi-rigid connection at both ends of its
// beam, and a semi-rigid base of its first column.
Document connectedPortal() {
    Document document = exampleProject("portal.tsd");
    document.members[1].左端转动刚度 = 12500.5f;
    document.members[2].左端转动刚度 = 0;
    document.members[2].右端转动刚度 = 0.25f;
    return document;
}

const std::string kConnectedPortalExtension =
    "\"ORVANDEL\",1\r\n"
    "\"RELEASE\",1,1,12500.5\r\n"
    "\"RELEASE\",2,1,0\r\n"
    "\"RELEASE\",2,2,.25\r\n"
    "\"END\"\r\n";

TEST(ProjectFile, ConnectionsFollowRecordSixAndReadBack) {
    const Document written = connectedPortal();
    const std::string text = projectFileText(written);
    const std::string withoutConnections = projectFileText(exampleProject("portal.tsd"));
    EXPECT_EQ(text, withoutConnections + kConnectedPortalExtension);

    // In every encoding and line-end form, and in any record order.
    const std::string reordered = withoutConnections +
                                  "\"ORVANDEL\",1\r\n\"RELEASE\",2,2,.25\r\n\"RELEASE\",2,1,0\r\n"
                                  "\"RELEASE\",1,1,12500.5\r\n\"END\"\r\n";
    for (const std::string& form :
         {text, toGb18030(text), withLineEnds(text, "\n"), withLineEnds(text, "\r"), reordered}) {
        EXPECT_EQ(projectFileText(readBack(form)), text);
    }

    // Read over a project with connections, a file without them leaves none.
    Document reread = written;
    ASSERT_FALSE(readProjectText(withoutConnections, reread));
    EXPECT_EQ(projectFileText(reread), withoutConnections);
}

TEST(ProjectFile, MalformedExtensionsAreRefusedWholeWithTheirLine) {
    // Lines 23 to 27: the header, three connections, "END".
    const std::string good = projectFileText(connectedPortal());
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        return replacedIn(good, from, to);
    };
    const std::string semiRigid = "\"RELEASE\",2,2,.25";
    expectEachRefused({
        {"unknown record", replaced(semiRigid, "\"WIND\",2,0,0,.25"), 26, "COMBO 或 END"},
        {"member beyond those drawn", replaced(semiRigid, "\"RELEASE\",4,2,.25"), 26,
         "1 到 3(杆件号)"},
        {"end 3", replaced(semiRigid, "\"RELEASE\",2,3,.25"), 26, "1 到 2(杆端)"},
        {"negative stiffness", replaced(semiRigid, "\"RELEASE\",2,2,-.25"), 26, "不小于 0"},
        {"infinite stiffness", replaced(semiRigid, "\"RELEASE\",2,2,1E+39"), 26, "转动刚度"},
        {"the same end twice", replaced(semiRigid, "\"RELEASE\",2,1,.25"), 26, "杆件 2 的杆端 1"},
        {"no closing END", good.substr(0, good.rfind("\"END\"")), 27, "END"},
        {"version 2", replaced("\"ORVANDEL\",1", "\"ORVANDEL\",2"), 23, "扩展格式版本 1"},
    });
}

// The connected portal whose second base rests on springs, turned, both
// bases settling, its beam warming more on one face and its second column
// warming evenly: every record of the extension.
Document portalWithSupportEffects() {
    Document document = connectedPortal();
    document.supportExtras[4] = {{1500, 0, 250.5f}, -30, {0.01f, -0.002f, 0.0005f}, {}};
    document.supportExtras[1].angle = 180;
    document.supportExtras[1].settlement = {0, 0.015f, 0};
    document.members[2].温度改变1 = -5;
    document.members[2].温度改变2 = 25;
    document.members[3].温度改变1 = 10;
    document.members[3].温度改变2 = 10;
    return document;
}

// Lines 27 to 33, after the header and the three connections.
const std::vector<std::string> kSupportEffectRecords = {
    "\"SPRING\",4,1500,0,250.5",
    "\"INCLINE\",1,180",
    "\"INCLINE\",4,-30",
    "\"SETTLE\",1,1,0,.015,0",
    "\"SETTLE\",1,4,.01,-.002,.0005",
    "\"TEMP\",1,2,-5,25",
    "\"TEMP\",1,3,10,10",
};

std::string extensionOf(const std::vector<std::string>& records) {
    std::string text = "\"ORVANDEL\",1\r\n";
    for (const std::string& record : records) {
        text += record + "\r\n";
    }
    return text + "\"END\"\r\n";
}

TEST(ProjectFile, SupportEffectsFollowTheConnectionsAndReadBack) {
    const Document written = portalWithSupportEffects();
    const std::string text = projectFileText(written);
    const std::string plain = projectFileText(exampleProject("portal.tsd"));
    std::vector<std::string> records = {"\"RELEASE\",1,1,12500.5", "\"RELEASE\",2,1,0",
                                        "\"RELEASE\",2,2,.25"};
    records.insert(records.end(), kSupportEffectRecords.begin(), kSupportEffectRecords.end());
    EXPECT_EQ(text, plain + extensionOf(records));

    const Document read = readBack(text);
    EXPECT_EQ(read.supportExtras, written.supportExtras);
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(read.members[i].温度改变1, written.members[i].温度改变1);
        EXPECT_EQ(read.members[i].温度改变2, written.members[i].温度改变2);
    }
    std::reverse(records.begin(), records.end());
    EXPECT_EQ(projectFileText(readBack(plain + extensionOf(records))), text);

    // Any one of them alone brings the extension with it.
    for (const std::string& record : kSupportEffectRecords) {
        SCOPED_TRACE(record);
        const std::string alone = plain + extensionOf({record});
        EXPECT_EQ(projectFileText(readBack(alone)), alone);
    }
}

TEST(ProjectFile, SupportEffectsAreWrittenSoThatTheyReadBack) {
    Document document = exampleProject("portal.tsd");
    document.supportExtras[1].springs = {-5, 0, 0};  // no spring the file can hold
    document.supportExtras[2].springs = {-5, std::numeric_limits<float>::quiet_NaN(), 7};
    document.supportExtras[3].angle = -180;
    document.supportExtras[4].angle = -179.99999f;  // seven digits give -180
    EXPECT_EQ(projectFileText(document),
              projectFileText(exampleProject("portal.tsd")) +
                  extensionOf({"\"SPRING\",2,0,0,7", "\"INCLINE\",3,180", "\"INCLINE\",4,180"}));
}

TEST(ProjectFile, MalformedSupportEffectsAreRefusedWholeWithTheirLine) {
    // Lines 27 to 33: SPRING, INCLINE 1 and 4, SETTLE 1 and 4, TEMP 2 and 3.
    const std::string good = projectFileText(portalWithSupportEffects());
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        return replacedIn(good, from, to);
    };
    const std::string spring = "\"SPRING\",4,1500,0,250.5";
    const std::string incline = "\"INCLINE\",1,180";
    const std::string settlement = "\"SETTLE\",1,1,0,.015,0";
    const std::string temperature = "\"TEMP\",1,2,-5,25";
    expectEachRefused({
        {"spring at node 0", replaced(spring, "\"SPRING\",0,1500,0,250.5"), 27, "1 到 4(节点号)"},
        {"negative spring", replaced(spring, "\"SPRING\",4,1500,-1,250.5"), 27,
         "不小于 0 的数值(y向弹簧刚度)"},
        {"springs all 0", replaced(spring, "\"SPRING\",4,0,0,0"), 27, "不全为 0"},
        {"two springs at a node", replaced(incline, "\"SPRING\",4,1,1,1"), 28,
         "节点 4 已有 SPRING 记录"},
        {"angle -180", replaced(incline, "\"INCLINE\",1,-180"), 28, "大于 -180 且不大于 180"},
        {"angle beyond 180", replaced(incline, "\"INCLINE\",1,180.5"), 28, "支座倾角"},
        {"two inclines at a node", replaced(incline, "\"INCLINE\",4,1"), 29,
         "节点 4 已有 INCLINE 记录"},
        {"settlement in case 2", replaced(settlement, "\"SETTLE\",2,1,0,.015,0"), 30,
         "整数 1 到 1(工况号)"},
        {"infinite settlement", replaced(settlement, "\"SETTLE\",1,1,0,1E+39,0"), 30, "支座位移y"},
        {"a node settling twice", replaced(settlement, "\"SETTLE\",1,4,0,.015,0"), 31,
         "工况 1 的节点 4 已有 SETTLE 记录"},
        {"temperature in case 0", replaced(temperature, "\"TEMP\",0,2,-5,25"), 32, "工况号"},
        {"temperature beyond the members drawn", replaced(temperature, "\"TEMP\",1,4,-5,25"), 32,
         "1 到 3(杆件号)"},
        {"a member warming twice", replaced(temperature, "\"TEMP\",1,3,-5,25"), 33,
         "工况 1 的杆件 3 已有 TEMP 记录"},
    });
    // A settlement where the support kind leaves the node free is the
    // analysis's to refuse.
    Document document;
    EXPECT_FALSE(readProjectText(replaced(settlement, "\"SETTLE\",1,2,0,.015,0"), document));
}

void addLoadIn(gj& member, int loadCase, std::string_view kind, float xq, float q) {
    const MemberLoads loads = loadsIn(member, loadCase);
    const auto slot = static_cast<std::size_t>(++loads.荷载数);
    std::tie(loads.hzlx[slot], loads.xq[slot], loads.q[slot]) = std::tuple(kind, xq, q);
}

// The portal with support effects in three named cases: case 2 with a load
// of every kind on the beam, a settlement and an even warming, case 3 with
// wind on the first column and the other base settling; two combinations,
// one with a negative factor.
Document portalWithLoadCases() {
    Document document = portalWithSupportEffects();
    document.loadCaseNames[0] = "恒载";
    addLoadCase(document, "活载");
    addLoadCase(document, "风载");
    for (std::size_t k = 1; k <= kLoadKinds.size(); ++k) {
        addLoadIn(document.members[2], 2, kLoadKinds[k - 1].text, 0.5f * static_cast<float>(k),
                  -2.5f * static_cast<float>(k));
    }
    loadsIn(document.members[2], 2).温度改变1 = loadsIn(document.members[2], 2).温度改变2 = 15;
    settlementIn(document.supportExtras[1], 2) = {0, 0.01f, 0};
    addLoadIn(document.members[1], 3, "水平均布", 4, 3.5f);
    settlementIn(document.supportExtras[4], 3) = {-0.005f, 0, 0};
    document.combinations = {{"1.3恒载+1.5活载", {{1, 1.3f}, {2, 1.5f}}},
                             {"1.0恒载-0.8风载", {{3, -0.8f}, {1, 1}}}};
    return document;
}

// Lines 24 to 48 of its file, after the header.
// clang-format off
const std::vector<std::string> kLoadCaseRecords = {
    "\"RELEASE\",1,1,12500.5", "\"RELEASE\",2,1,0", "\"RELEASE\",2,2,.25",
    "\"SPRING\",4,1500,0,250.5", "\"INCLINE\",1,180", "\"INCLINE\",4,-30",
    "\"CASE\",1,\"恒载\"", "\"CASE\",2,\"活载\"", "\"CASE\",3,\"风载\"",
    "\"LOAD\",2,2,\"集中\",.5,-2.5", "\"LOAD\",2,2,\"均布\",1,-5", "\"LOAD\",2,2,\"水平集中\",1.5,-7.5",
    "\"LOAD\",2,2,\"水平均布\",2,-10", "\"LOAD\",2,2,\"三角\",2.5,-12.5", "\"LOAD\",2,2,\"力偶\",3,-15",
    "\"LOAD\",3,1,\"水平均布\",4,3.5",
    "\"SETTLE\",1,1,0,.015,0", "\"SETTLE\",1,4,.01,-.002,.0005", "\"SETTLE\",2,1,0,.01,0",
    "\"SETTLE\",3,4,-.005,0,0", "\"TEMP\",1,2,-5,25", "\"TEMP\",1,3,10,10", "\"TEMP\",2,2,15,15",
    "\"COMBO\",1,\"1.3恒载+1.5活载\",2,1,1.3,2,1.5", "\"COMBO\",2,\"1.0恒载-0.8风载\",2,3,-.8,1,1"};
// clang-format on

TEST(ProjectFile, LoadCasesAndCombinationsReadBack) {
    const Document written = portalWithLoadCases();
    const std::string text = projectFileText(written);
    const std::string plain = projectFileText(exampleProject("portal.tsd"));
    EXPECT_EQ(text, plain + extensionOf(kLoadCaseRecords));
    const Document read = readBack(text);
    EXPECT_EQ(std::tie(read.loadCaseNames, read.combinations, read.supportExtras),
              std::tie(written.loadCaseNames, written.combinations, written.supportExtras));
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(read.members[i].其他工况, written.members[i].其他工况);
    }
    // Cases used before they are named read the same (a member's loads in
    // the order of their records).
    std::vector<std::string> reordered = kLoadCaseRecords;
    std::rotate(reordered.begin(), reordered.begin() + 16, reordered.end());
    EXPECT_EQ(projectFileText(readBack(plain + extensionOf(reordered))), text);

    // Read over a project with cases, a file of one case leaves one.
    Document reread = written;
    ASSERT_FALSE(readProjectText(plain, reread));
    EXPECT_EQ(projectFileText(reread), plain);
    EXPECT_TRUE(reread.members[2].其他工况.empty());
}

// A renamed case 1, a second case or a combination alone brings the
// extension; what the file cannot hold is written so that it reads back:
// a name by its number, a combination without its terms of an unknown or
// repeated case, or without the combination when no term is left.
TEST(ProjectFile, CasesAndCombinationsAloneAreWrittenSoThatTheyReadBack) {
    const std::string plain = projectFileText(exampleProject("portal.tsd"));
    Document document = exampleProject("portal.tsd");
    document.loadCaseNames = {"恒载"};
    EXPECT_EQ(projectFileText(document), plain + extensionOf({"\"CASE\",1,\"恒载\""}));
    document.loadCaseNames = {"工况1", ""};
    document.combinations = {{"", {{2, 1}, {2, 3}, {5, 1}}}, {"无项", {}}, {"x", {{1, -1}}}};
    const std::string text = projectFileText(document);
    EXPECT_EQ(text,
              plain + extensionOf({"\"CASE\",1,\"工况1\"", "\"CASE\",2,\"工况2\"",
                                   "\"COMBO\",1,\"组合1\",1,2,1", "\"COMBO\",2,\"x\",1,1,-1"}));
    EXPECT_EQ(projectFileText(readBack(text)), text);
}

TEST(ProjectFile, MalformedLoadCasesAreRefusedWholeWithTheirLine) {
    const std::string good = projectFileText(portalWithLoadCases());
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        return replacedIn(good, from, to);
    };
    const std::string wind = "\"LOAD\",3,1,\"水平均布\",4,3.5";               // line 39
    const std::string combo = "\"COMBO\",2,\"1.0恒载-0.8风载\",2,3,-.8,1,1";  // line 48
    std::string loads56 = good;
    for (int k = 0; k < 55; ++k) {
        loads56 = replacedIn(loads56, wind, wind + "\r\n" + wind);
    }
    expectEachRefused({
        {"case not named", replaced(wind, "\"LOAD\",4,1,\"水平均布\",4,3.5"), 39, "1 到 3(工况号)"},
        {"cases with a gap", replaced("\"CASE\",2,", "\"CASE\",4,"), 31, "1 到 3(连续的工况号)"},
        {"case named twice", replaced("\"CASE\",2,", "\"CASE\",1,"), 31, "工况 1 已有 CASE"},
        {"empty case name", replaced("\"活载\"", "\"\""), 31, "非空的文本(工况名)"},
        {"load of case 1", replaced(wind, "\"LOAD\",1,1,\"水平均布\",4,3.5"), 39, "工况号 2 起"},
        {"load on a member not drawn", replaced(wind, "\"LOAD\",3,4,\"均布\",4,3"), 39, "杆件号"},
        {"empty load kind", replaced(wind, "\"LOAD\",3,1,\"\",4,3.5"), 39, "荷载种类"},
        {"56 loads", loads56, 94, "至多 55 个荷载(工况 3 的杆件 1)"},
        {"case twice in a combination", replaced(combo, "\"COMBO\",2,\"x\",2,3,1,3,1"), 48,
         "组合 2 已有工况 3"},
        {"no terms", replaced(combo, "\"COMBO\",2,\"x\",0"), 48, "1 到 32767(组合项数)"},
        {"term of a case not named", replaced(combo, "\"COMBO\",2,\"x\",1,7,1"), 48, "1 到 3"},
        {"combinations with a gap", replaced(combo, "\"COMBO\",3,\"x\",1,1,1"), 48, "连续的组合号"},
        {"combination twice", replaced(combo, "\"COMBO\",1,\"x\",1,1,1"), 48, "组合 1 已有 COMBO"},
        {"empty combination name", replaced(combo, "\"COMBO\",2,\"\",1,1,1"), 48, "组合名"},
        {"settling twice in case 2", replaced("\"SETTLE\",3,4,", "\"SETTLE\",2,1,"), 43,
         "工况 2 的节点 1 已有 SETTLE"},
        {"warming twice in case 2", replaced("\"TEMP\",1,3,", "\"TEMP\",2,2,"), 46,
         "工况 2 的杆件 2 已有 TEMP"},
        {"case 2 without CASE records",
         projectFileText(exampleProject("portal.tsd")) + extensionOf({"\"TEMP\",2,2,1,1"}), 24,
         "1 到 1(工况号)"},
    });
}

TEST(ProjectFile, TabsAndEndOfFileMarksAreTolerated) {
    std::string text = projectFileText(exampleProject("portal.tsd"));
    text.replace(text.find(","), 1, "\t,\t");
    EXPECT_EQ(projectFileText(readBack(text + "\x1A")),
              projectFileText(exampleProject("portal.tsd")));
}

}  // namespace
}  // namespace orv::testing
