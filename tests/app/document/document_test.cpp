// Placing a support: what it records, and refusal of node numbers and
// codes it cannot use.
#include <gtest/gtest.h>

#include "document/project_file.h"
#include "example_frames.h"

namespace orv::testing {
namespace {

TEST(PlaceSupport, RecordsTheNodeTheKindAndItsCounters) {
    Document document = exampleProject("portal.tsd");  // fixed bases at nodes 1 and 4
    const gd record{true, 0, -4, 2};
    ASSERT_TRUE(placeSupport(document, 2, SupportPinned, record));
    EXPECT_EQ(document.supportKinds[2], SupportPinned);
    EXPECT_EQ(document.nodes[2].x, 0.0f);
    EXPECT_EQ(document.nodes[2].y, -4.0f);
    EXPECT_EQ(document.pinnedSymbolCount, 1);
    EXPECT_EQ(document.supportsPlaced, 3);
    EXPECT_TRUE(document.supportDirection);

    ASSERT_TRUE(placeSupport(document, 3, SupportNone, {false, 6, -4, 3}));
    EXPECT_EQ(document.supportsPlaced, 3);  // no symbol, nothing counted
    EXPECT_EQ(document.nodes[3].x, 6.0f);
}

TEST(PlaceSupport, NodesAndCodesItCannotUseChangeNothing) {
    struct Case {
        const char* name;
        std::size_t node;
        std::int16_t kind;
    };
    const Case cases[] = {
        {"node 0", 0, SupportFixed},
        {"beyond the node count", 5, SupportFixed},
        {"far beyond", static_cast<std::size_t>(-1), SupportPinned},
        {"code 2", 2, 2},
        {"negative code", 2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = exampleProject("portal.tsd");
        EXPECT_FALSE(placeSupport(document, c.node, c.kind, {true, 1, 1, 1}));
        EXPECT_EQ(projectFileText(document), projectFileText(exampleProject("portal.tsd")));
        EXPECT_FALSE(document.supportDirection);
    }

    // Node arrays shorter than the node count, as a caller may leave them.
    Document shortArrays = exampleProject("portal.tsd");
    shortArrays.nodes.resize(3);
    EXPECT_FALSE(placeSupport(shortArrays, 3, SupportFixed, {}));
    EXPECT_EQ(shortArrays.supportKinds[3], SupportNone);
}

}  // namespace
}  // namespace orv::testing
