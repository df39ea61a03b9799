// 编辑 → 选择 and the operations on the selected members: 复制, 移动, 镜像,
// 阵列 and 删除所选.
//
// In selection mode a left drag draws a box: dragged from left to right it
// selects the members wholly inside, from right to left those it touches;
// a click selects the member under the pointer; with Ctrl the box's or the
// click's members are added when unselected and removed when selected; Esc
// clears the selection and leaves. Selected members are drawn orange and
// the hint says how many. The selection (Document::selectedMembers) stays
// when another mode starts, so member query and load input can act on it.
//
// Each operation is one step of the history; new node numbers keep every
// support on its node, and the drawing is made what the document says.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "document/member_selection.h"
#include "document/selection_edits.h"
#include "editor/editor_part.h"

class MemberInput;
class MemberPointing;
class ViewControl;

inline constexpr const char* kSelectionHint =
    "拖动鼠标框选杆件(从左向右: 完全在框内的杆件; 从右向左: 框碰到的杆件), 单击选择杆件, "
    "Ctrl加选或减选, Esc清除选择并退出";

class SelectionCommands : public EditorPart {
public:
    SelectionCommands(const EditorContext& context, MemberInput& memberInput, ViewControl& view,
                      MemberPointing& pointing);

    // 选择, 复制, 移动, 镜像, 阵列, 删除所选.
    std::vector<MenuRow> menuRows() override;
    // A new document has no selection.
    void reset(ResetReason reason) override;

    bool running() const { return document.mode == EditorMode::Selection; }
    // A press in selection mode: a left press starts a box or a click.
    void press(int button, float x, float y, bool ctrl);
    // A mouse move: the box follows and selects as it goes.
    void drag(float x, float y);
    // A release: ends the box, or selects the member clicked.
    void release(int button, float x, float y);
    // Esc: the selection cleared, the mode left.
    void escape();
    // The model changed (a step recorded, undone or redone): members that
    // went leave the selection.
    void modelChanged();

    // Item 5: the property dialog wrote to `source`; when it is selected,
    // every selected member takes its material, section and dimensions.
    void spreadProperties(std::int16_t source);
    // F12 gave `source` a load; when it is selected, every other selected
    // member is given the same through `giveLoad`.
    void spreadLoad(std::int16_t source, const std::function<void(gj&)>& giveLoad);

    void selectCommand();
    void copyCommand();
    void moveCommand();
    void mirrorCommand();
    void arrayCommand();
    void deleteCommand();

private:
    void select(MemberNumbers members);
    void showHint();
    void showBox(float x, float y, bool shown);
    float clickReach() const;
    bool hasSelection();
    std::optional<std::vector<double>> ask(const QString& prompt, std::size_t count);
    std::optional<PlaneMap> askMirror();
    void apply(const std::function<SelectionEdit(std::vector<SupportAtPoint>&)>& edit);

    MemberInput& memberInput;
    ViewControl& view;
    MemberPointing& pointing;
    // The box being dragged: where the left button went down, the
    // selection before and whether Ctrl was held.
    struct Drag {
        float x = 0;
        float y = 0;
        bool ctrl = false;
        bool moved = false;
        MemberNumbers before;
    };
    std::optional<Drag> drag_;
};
