// Node numbers given by member input: ends joined by capture share a node,
// ends that only look alike do not.
#include <cmath>

#include "editor_fixture.h"

namespace {

using Numbering = EditorTest;

std::vector<std::pair<int, int>> endNodes(const Document& document) {
    std::vector<std::pair<int, int>> nodes;
    for (int i = 1; i <= document.membersEntered; ++i) {
        const gj& member = document.members[static_cast<std::size_t>(i)];
        nodes.emplace_back(member.左号, member.右号);
    }
    return nodes;
}

TEST_F(Numbering, NodesFollowTheOrderMembersAndEndsAreMet) {
    startInput(QStringLiteral("3"));
    drawMember(0, 0, 4, 0);
    EXPECT_EQ(endNodes(document), (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(document.nodeCount, 2);
    drawMember(4, 0, 4, -3);  // drawn upward: its first end is the lower one
    drawMember(0, 0, 0, -3);
    EXPECT_EQ(endNodes(document), (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {1, 4}}));
    EXPECT_EQ(document.nodeCount, 4);
    EXPECT_EQ(document.supportKinds, (std::vector<std::int16_t>(5, 7)));
}

TEST_F(Numbering, AClosedTriangleHasThreeNodes) {
    startInput(QStringLiteral("3"));
    drawMember(1, 5, 4, 5);
    drawMember(4, 5, 2.5f, 2);
    drawMember(2.5f, 2, 1, 5);
    EXPECT_EQ(document.nodeCount, 3);
    EXPECT_EQ(endNodes(document), (std::vector<std::pair<int, int>>{{1, 2}, {3, 2}, {1, 3}}));
}

TEST_F(Numbering, EndsApartByTheLastBitAreDifferentNodes) {
    startInput(QStringLiteral("2"));
    keyUp(Qt::Key_F3);  // no capture
    drawMember(1, 1, 3, 1);
    drawMember(std::nextafter(3.0f, 4.0f), 1, 5, 1);
    EXPECT_EQ(document.nodeCount, 4);
}

// A support stays on its node when the nodes are numbered anew.
TEST_F(Numbering, CompletingAMemberKeepsEverySupportOnItsNode) {
    startInput(QStringLiteral("2"));
    drawMember(1, 1, 3, 1);
    placeSupport(document, 2, SupportFixed, gd{false, 3, 1, 2});
    drawMember(3, 1, 5, 1);
    EXPECT_EQ(document.supportKinds, (std::vector<std::int16_t>{7, 7, SupportFixed, 7}));
    EXPECT_EQ(document.supportsPlaced, 1);
    EXPECT_EQ(document.fixedSymbolCount, 1);
}

}  // namespace
