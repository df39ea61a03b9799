// Working on drawn members by pointing at them: the hover test that marks
// the member under the mouse red with its local-axis tick and a hint, the
// pick of member and load query, member deletion with Del, and the colour
// displays that show which members share a material, a section shape or
// dimensions.
//
// Owns whether the hover test runs; the mark is the member lines' colour
// on the canvas, the hovered and picked member the document's. Touches the
// hint, the menus, the mode, the property dialog and the node numbering
// (which keeps the supports on their nodes) through the window's controls.
#pragma once

#include <cstdint>
#include <functional>

#include "editor/editor_part.h"

class MemberPointing : public EditorPart {
public:
    explicit MemberPointing(const EditorContext& context);

    // 删除杆件, 杆件查询修改, the three colour displays and 查看杆件节点编号.
    std::vector<MenuRow> menuRows() override;
    // Start-up makes the hidden local-axis tick.
    void reset(ResetReason reason) override;

    bool hovering() const { return hovering_; }
    void setHovering(bool on) { hovering_ = on; }
    // The member whose midpoint lies near (x, y), marked red with its tick
    // and hint, the others black; 0 for none. A picked member stays marked.
    std::int16_t hoverAt(float x, float y);
    // The member the dialogs act on: the highest-numbered marked one, or 0.
    std::int16_t markedMember() const;
    void resetColours();
    // No member marked or hovered, no tick.
    void clearMark();
    void drawTick(std::int16_t member);

    void pick();
    void deleteCommand();
    // Del: the member under the mouse goes, the last member takes its number.
    void deleteHovered();
    void queryCommand();
    void colourByMaterial();
    void colourBySize();
    void colourBySection();

private:
    std::int16_t memberNear(float x, float y) const;
    void showHoverHint(std::int16_t n);
    void colourMembersBy(const std::function<bool(const gj&, const gj&)>& sameKey);

    bool hovering_ = false;  // the hover test runs on every mouse move
};
