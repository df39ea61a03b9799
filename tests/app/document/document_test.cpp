// Placing a support: node numbers and codes it cannot use are refused
// without touching the document (the reader's tests cover what it records).
#include <gtest/gtest.h>

#include "document/project_file.h"
#include "example_frames.h"

namespace orv::testing {
namespace {

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
