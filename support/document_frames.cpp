// Building frames as documents; see document_frames.h.
#include "document_frames.h"

#include "document/node_numbering.h"

namespace orv::testing {

gj concreteMember(float x1, float y1, float x2, float y2, float b, float h) {
    gj record;
    record.x1 = x1;
    record.y1 = y1;
    record.x2 = x2;
    record.y2 = y2;
    record.材料 = "C30混凝土";
    record.断面 = "矩形";
    record.尺寸 = {b, h, 0, 0, 0};
    return record;
}

Document drawnMembers(const std::vector<std::array<float, 4>>& ends, const char* material) {
    Document document;
    for (const auto& [x1, y1, x2, y2] : ends) {
        gj member;
        member.x1 = x1;
        member.y1 = y1;
        member.x2 = x2;
        member.y2 = y2;
        member.材料 = material;
        document.members.push_back(member);
    }
    document.memberTotal = document.membersEntered =
        static_cast<std::int16_t>(document.members.size() - 1);
    return document;
}

void addLoad(gj& record, const char* kind, float xq, float q) {
    ++record.荷载数;
    const auto k = static_cast<std::size_t>(record.荷载数);
    record.hzlx[k] = kind;
    record.xq[k] = xq;
    record.q[k] = q;
}

Document buildingDocument(int storeys, int bays) {
    Document document;
    resetDocument(document, ".");
    for (int level = 1; level <= storeys; ++level) {
        const float top = -3.0f * static_cast<float>(level);
        for (int line = 0; line <= bays; ++line) {
            const float x = 6.0f * static_cast<float>(line);
            gj column = concreteMember(x, top + 3, x, top, 0.4f, 0.4f);
            if (line == 0) {
                addLoad(column, "集中", 3, 10);
            }
            document.members.push_back(column);
        }
        for (int line = 0; line < bays; ++line) {
            const float x = 6.0f * static_cast<float>(line);
            gj beam = concreteMember(x, top, x + 6, top, 0.25f, 0.5f);
            addLoad(beam, "均布", 6, 20);
            document.members.push_back(beam);
        }
    }
    // A view of the whole building with some room around it, as a saved
    // project holds one.
    const auto height = 3.0f * static_cast<float>(storeys);
    const auto width = 6.0f * static_cast<float>(bays);
    document.world = {-5, -height - 5, width + 10, height + 10};
    document.memberTotal = static_cast<std::int16_t>(document.members.size() - 1);
    document.membersEntered = document.memberTotal;
    节点自动编号(document);
    // The base of each column line is the first end of its first column.
    for (int line = 0; line <= bays; ++line) {
        const gj& base = document.members[static_cast<std::size_t>(line) + 1];
        const auto node = static_cast<std::size_t>(base.左号);
        placeSupport(document, node, SupportFixed, {false, base.x1, base.y1, base.左号});
    }
    return document;
}

}  // namespace orv::testing
