// The two result files: their column layouts, the header, the line ends, the
// base name, and the fate of old files from an earlier run.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "model/supports.h"
#include "run_support.h"
#include "solver/engine_error.h"
#include "solver/result_files.h"

namespace orv::testing {
namespace {

Table2D<double> memberTable(int members, double value) {
    Table2D<double> table(7, static_cast<std::size_t>(members) + 1, 0.0);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(members); ++i) {
        for (std::size_t r = 1; r <= 6; ++r) {
            table(r, i) = value * static_cast<double>(r);
        }
    }
    return table;
}

std::string lineAfterHeader(const std::string& text, int index) {
    std::size_t start = text.find("\r\n") + 2;
    for (int k = 0; k < index; ++k) {
        start = text.find("\r\n", start) + 2;
    }
    return text.substr(start, text.find("\r\n", start) - start);
}

TEST(ResultFiles, MemberForcesHeaderIsExactBytes) {
    const std::string text = memberForcesText(memberTable(0, 0), 0, {0}, {0});
    // The first separator is an ordinary blank, the others U+3000.
    EXPECT_EQ(text,
              "\xE6\x9D\x86\xE5\x8F\xB7 "  // 杆号
              "\xE5\xB7\xA6\xE5\x8F\xB7\xE3\x80\x80"
              "\xE5\x8F\xB3\xE5\x8F\xB7\xE3\x80\x80"
              "\xE5\xB7\xA6\xE7\xAB\xAF\xE8\xBD\xB4\xE5\x8A\x9B\xE3\x80\x80"
              "\xE5\xB7\xA6\xE7\xAB\xAF\xE5\x89\xAA\xE5\x8A\x9B\xE3\x80\x80"
              "\xE5\xB7\xA6\xE7\xAB\xAF\xE5\xBC\xAF\xE7\x9F\xA9\xE3\x80\x80"
              "\xE5\x8F\xB3\xE7\xAB\xAF\xE8\xBD\xB4\xE5\x8A\x9B\xE3\x80\x80"
              "\xE5\x8F\xB3\xE7\xAB\xAF\xE5\x89\xAA\xE5\x8A\x9B\xE3\x80\x80"
              "\xE5\x8F\xB3\xE7\xAB\xAF\xE5\xBC\xAF\xE7\x9F\xA9\r\n");
}

TEST(ResultFiles, MemberForcesAreRightAlignedInFieldsOfWidthPlusThree) {
    // Every value six characters long: w = 6, values end at columns 23, 32,
    // 41, 50, 59 and 68; the integers sit at columns 1, 5 and 10.
    const std::string text = memberForcesText(memberTable(1, 1.0), 1, {0, 1}, {0, 2});
    EXPECT_EQ(lineAfterHeader(text, 0),
              " 1   1    2      1.0000   2.0000   3.0000   4.0000   5.0000   6.0000");

    // One longer value widens every field; negative values keep their sign,
    // values that round to zero lose it.
    Table2D<double> table = memberTable(2, -1.0);
    table(6, 2) = -123.45678;
    table(1, 1) = -0.00004;
    const std::string wide = memberForcesText(table, 2, {0, 3, 1}, {0, 2, 3});
    EXPECT_EQ(
        lineAfterHeader(wide, 0),
        " 1   3    2         0.0000     -2.0000     -3.0000     -4.0000     -5.0000     -6.0000");
    EXPECT_EQ(
        lineAfterHeader(wide, 1),
        " 2   1    3        -1.0000     -2.0000     -3.0000     -4.0000     -5.0000   -123.4568");
    EXPECT_EQ(wide.substr(wide.size() - 2), "\r\n");
}

// A large frame's numbers are formatted on two cores: each still lands in
// its own member's line and column.
TEST(ResultFiles, EveryValueOfALargeFrameIsInItsMembersLine) {
    constexpr int kMembers = 1500;  // 9,000 numbers
    Table2D<double> table(7, kMembers + 1, 0.0);
    for (std::size_t i = 1; i <= kMembers; ++i) {
        for (std::size_t r = 1; r <= 6; ++r) {
            table(r, i) = static_cast<double>(i) + static_cast<double>(r) / 10;
        }
    }
    const std::vector<std::int16_t> nodes(kMembers + 1, 1);
    const std::string text = memberForcesText(table, kMembers, nodes, nodes);
    for (const int i : {1, 749, 750, 751, kMembers}) {
        std::istringstream line(lineAfterHeader(text, i - 1));
        int number = 0;
        int left = 0;
        int right = 0;
        line >> number >> left >> right;
        EXPECT_EQ(number, i);
        for (int r = 1; r <= 6; ++r) {
            double value = 0;
            line >> value;
            EXPECT_DOUBLE_EQ(value, i + r / 10.0) << i << ", " << r;
        }
    }
}

// A number that cannot start at its column follows after one blank, and
// one value never touches the next.
TEST(ResultFiles, NumbersPastTheirColumnFollowAfterOneBlankOnTheSameLine) {
    const std::string text =
        memberForcesText(memberTable(100, 1.0), 100, std::vector<std::int16_t>(101, 100),
                         std::vector<std::int16_t>(101, 10123));
    EXPECT_EQ(lineAfterHeader(text, 99),
              " 100   100   10123  1.0000 2.0000  3.0000   4.0000   5.0000   6.0000");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 101);
}

TEST(ResultFiles, DisplacementsHaveNoFinalLineBreak) {
    Table2D<double> table(7, 7, 0.0);
    for (std::size_t g = 1; g <= 6; ++g) {
        table(0, g) = 0.5 * static_cast<double>(g);
    }
    table(0, 6) = -1.25;  // "-1.2500000": w2 = 10
    // Node 2's values end at columns 15, 26 and 37.
    EXPECT_EQ(displacementsText(table, 2),
              " 1    0.5000000  1.0000000  1.5000000\r\n"
              " 2    2.0000000  2.5000000 -1.2500000");
    EXPECT_EQ(displacementsText(table, 0), "");
}

TEST(ResultFiles, BaseNameDropsTheLastFourCharactersNotBytes) {
    EXPECT_EQ(resultBaseName("/a/frame.tsd"), "/a/frame");
    EXPECT_EQ(resultBaseName("/a/框架.tsd"), "/a/框架");
    EXPECT_EQ(resultBaseName("/a/框架结构图"), "/a/框");
    EXPECT_EQ(resultBaseName(".tsd"), "");
    EXPECT_THROW(resultBaseName("tsd"), EngineError);
}

TEST(ResultFiles, RunWritesBothFilesNextToTheProject) {
    ScratchFolder folder;
    内力_位移 solver = singleBeam(4, kFixedEnd, kNoSupport, {{1, 4, 10}});
    ASSERT_TRUE(solver.korvasta(folder.path("框架 1.tsd").string()));
    const std::string mqn = readWholeFile(folder.path("框架 1.mqn"));
    const std::string uva = readWholeFile(folder.path("框架 1.uva"));
    EXPECT_EQ(mqn, memberForcesText(solver.a, 1, solver.左节点号, solver.右节点号));
    EXPECT_EQ(uva, displacementsText(solver.a, 2));
    EXPECT_EQ(std::count(uva.begin(), uva.end(), '\n'), 1);
    EXPECT_EQ(uva.back(), '0');  // no final line break
}

TEST(ResultFiles, OldFilesAreDeletedEvenWhenThereIsNothingToCompute) {
    ScratchFolder folder;
    writeWholeFile(folder.path("frame.mqn"), "old member forces");
    writeWholeFile(folder.path("frame.uva"), "old displacements");
    内力_位移 solver = singleBeam(4, kFixedEnd, kFixedEnd);
    solver.杆件总数 = 0;
    MessageLog log(solver);
    EXPECT_FALSE(solver.korvasta(folder.path("frame.tsd").string()));
    EXPECT_TRUE(log.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path("frame.mqn")));
    EXPECT_FALSE(std::filesystem::exists(folder.path("frame.uva")));
}

TEST(ResultFiles, ALaterRunReplacesTheFilesCompletely) {
    ScratchFolder folder;
    const std::string project = folder.path("frame.tsd").string();
    FrameBuilder longer({{0, 0}, {4, 0}, {8, 0}});
    longer.addMember(1, 2, kConcreteBeam);
    longer.addMember(2, 3, kConcreteBeam);
    longer.addLoad(2, {2, 4, 10});
    longer.support(1, kFixedEnd);
    内力_位移 first = longer.build();
    ASSERT_TRUE(first.korvasta(project));

    内力_位移 second = singleBeam(4, kFixedEnd, kNoSupport, {{1, 2, 5}});
    ASSERT_TRUE(second.korvasta(project));
    EXPECT_EQ(readWholeFile(folder.path("frame.mqn")),
              memberForcesText(second.a, 1, second.左节点号, second.右节点号));
    EXPECT_EQ(readWholeFile(folder.path("frame.uva")), displacementsText(second.a, 2));
}

TEST(ResultFiles, UnwritableFolderIsReportedAndLeavesNoFiles) {
    ScratchFolder folder;
    内力_位移 solver = singleBeam(4, kFixedEnd, kNoSupport, {{1, 4, 10}});
    MessageLog log(solver);
    EXPECT_FALSE(solver.korvasta(folder.path("missing/frame.tsd").string()));
    EXPECT_EQ(log.messages, std::vector<Diagnostic>{runTimeError("路径/文件访问错误")});
    EXPECT_FALSE(std::filesystem::exists(folder.path("missing")));
}

}  // namespace
}  // namespace orv::testing
