// Node numbering: the order in which nodes are numbered, exact coincidence
// of ends, and the limit of 16-bit node numbers.
#include <gtest/gtest.h>

#include <array>

#include "document/node_numbering.h"
#include "document/project_file.h"
#include "document_frames.h"

namespace orv::testing {
namespace {

Document drawn(const std::vector<std::array<float, 4>>& ends) {
    return drawnMembers(ends);
}

TEST(NodeNumbering, NodesAreNumberedInTheOrderTheirEndsAreMet) {
    // A portal drawn column, beam, column: the second column's top is the
    // beam's right end.
    Document portal = drawn({{0, 0, 0, -4}, {0, -4, 6, -4}, {6, 0, 6, -4}});
    portal.supportKinds = {7, 0};
    EXPECT_TRUE(节点自动编号(portal));
    EXPECT_EQ(portal.nodeCount, 4);
    const std::vector<std::pair<int, int>> expected{{1, 2}, {2, 3}, {4, 3}};
    for (std::size_t i = 1; i <= 3; ++i) {
        const std::pair<int, int> numbers{portal.members[i].左号, portal.members[i].右号};
        EXPECT_EQ(numbers, expected[i - 1]);
    }
    EXPECT_EQ(portal.supportKinds, std::vector<std::int16_t>(5, 7));  // supports dropped
    EXPECT_EQ(portal.nodes.size(), 5u);

    // A closed triangle: the last member joins two numbered ends.
    Document triangle = drawn({{0, 0, 4, 0}, {0, 0, 2, -3}, {2, -3, 4, 0}});
    EXPECT_TRUE(节点自动编号(triangle));
    EXPECT_EQ(triangle.nodeCount, 3);
    EXPECT_EQ(triangle.members[3].左号, 3);
    EXPECT_EQ(triangle.members[3].右号, 2);

    // Ends a hair apart are different nodes: there is no tolerance.
    Document apart = drawn({{0, 0, 1, 0}, {1.0000001f, 0, 2, 0}});
    EXPECT_TRUE(节点自动编号(apart));
    EXPECT_EQ(apart.nodeCount, 4);
}

TEST(NodeNumbering, OnlyMembersDrawnSoFarAreNumbered) {
    Document document = drawn({{0, 0, 1, 0}, {1, 0, 2, 0}, {5, 5, 6, 6}});
    document.membersEntered = 2;
    document.members[3].左号 = 9;  // left over from an earlier drawing
    EXPECT_TRUE(节点自动编号(document));
    EXPECT_EQ(document.nodeCount, 3);
    EXPECT_EQ(document.members[2].右号, 3);
    EXPECT_EQ(document.members[3].左号, 9);
}

// `count` separate unit members in a row, each with two nodes of its own.
Document separateMembers(int count) {
    std::vector<std::array<float, 4>> ends;
    for (int i = 0; i < count; ++i) {
        const auto y = static_cast<float>(i);
        ends.push_back({0, y, 1, y});
    }
    return drawn(ends);
}

TEST(NodeNumbering, ExactlyTheLastSixteenBitNodeNumberIsUsed) {
    // 16,383 separate members have 32,766 nodes; a member from the first
    // member's end to a new point adds the 32,767th.
    Document document = separateMembers(16383);
    gj last;
    last.x2 = -1;
    document.members.push_back(last);
    document.memberTotal = document.membersEntered = 16384;
    ASSERT_TRUE(节点自动编号(document));
    EXPECT_EQ(document.nodeCount, 32767);
    EXPECT_EQ(document.members[16384].左号, 1);
    EXPECT_EQ(document.members[16384].右号, 32767);
    EXPECT_EQ(document.supportKinds.size(), 32768u);
}

TEST(NodeNumbering, MembersNeedingMoreThan32767NodesChangeNothing) {
    for (const int members : {16384, 16400}) {
        SCOPED_TRACE(members);
        // Numbered up to the member before the last, with a support placed,
        // then the last member drawn: it would need node 32,768.
        Document document = separateMembers(members);
        for (std::size_t i = 1; i <= 16383; ++i) {
            document.members[i].左号 = static_cast<std::int16_t>(2 * i - 1);
            document.members[i].右号 = static_cast<std::int16_t>(2 * i);
        }
        document.nodeCount = 32766;
        resizeNodes(document, document.nodeCount);
        ASSERT_TRUE(placeSupport(document, 1, SupportFixed, {false, 0, 0, 1}));
        document.membersEntered = static_cast<std::int16_t>(members);
        const std::string before = projectFileText(document);

        EXPECT_FALSE(节点自动编号(document));
        EXPECT_EQ(document.nodeCount, 32766);
        EXPECT_EQ(document.members[16384].左号, 0);
        EXPECT_EQ(document.supportKinds[1], SupportFixed);
        EXPECT_EQ(projectFileText(document), before);
    }
}

}  // namespace
}  // namespace orv::testing
