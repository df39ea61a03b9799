// The menu tree of the editor window: the parts' items put in menu order,
// and the two menu states: closed while a mode command runs, open
// otherwise.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "editor/form1.h"
#include "platform/platform.h"

namespace {

struct MenuLayout {
    MenuId id;
    const char* caption;
    std::vector<MenuCommand> items;
};

// Display order of menus and items; the captions of the items are the
// parts'.
const std::vector<MenuLayout>& menuLayout() {
    using C = MenuCommand;
    static const std::vector<MenuLayout> layout = {
        {MenuId::File,
         "文件",
         {C::New, C::Open, C::Save, C::SaveAs, C::Exit, C::ExportDrawing, C::Print}},
        {MenuId::Edit,
         "编辑",
         {C::Undo, C::Redo, C::Select, C::CopySelection, C::MoveSelection, C::MirrorSelection,
          C::ArraySelection, C::DeleteSelection, C::MoveNode}},
        {MenuId::Members,
         "杆件",
         {C::MemberTotal, C::MemberInput, C::MemberDelete, C::MemberQuery, C::ColourByMaterial,
          C::ColourBySize, C::ColourBySection, C::ShowNumbers, C::EndHinge, C::HingedNode,
          C::EndStiffness}},
        {MenuId::Supports,
         "杆件体系支座",
         {C::FixedEnd, C::HorizontalLink, C::VerticalLink, C::Pinned, C::DeleteSupports,
          C::ElasticSupport, C::InclinedSupport, C::Settlement}},
        {MenuId::Loads,
         "荷载",
         {C::LoadInput, C::LoadQuery, C::TemperatureChange, C::LoadCases, C::LoadCombinations}},
        {MenuId::Analysis,
         "计算",
         {C::Analyse, C::MomentDiagram, C::ShearDiagram, C::AxialDiagram, C::DiagramScale,
          C::Reactions, C::Deflection, C::ResultsTable, C::ResultSet, C::Envelope}},
        {MenuId::Window,
         "窗口",
         {C::Pan, C::ZoomIn, C::ZoomOut, C::CanvasColour, C::CrosshairColour, C::ShowLoads,
          C::WholeFrame, C::CrosshairWipes, C::Grid}},
        {MenuId::Help, "帮助", {C::HelpDocument}},
    };
    return layout;
}

// A menu or item that is not in the menus changes nothing.
void enableAction(QAction* action, bool enabled) {
    if (action != nullptr) {
        action->setEnabled(enabled);
    }
}

void enableMenu(QMenu* menu, bool enabled) {
    enableAction(menu != nullptr ? menu->menuAction() : nullptr, enabled);
}

}  // namespace

void Form1::buildMenus() {
    // The window's own items beside the parts'.
    std::map<MenuCommand, MenuRow> rows;
    rows.emplace(MenuCommand::Exit, MenuRow{MenuCommand::Exit, "退出", [this] { close(); }});
    rows.emplace(MenuCommand::HelpDocument,
                 MenuRow{MenuCommand::HelpDocument, "帮助文档", [this] {
                             platform.showHelp(programFolder_ + QStringLiteral("/help.html"));
                         }});
    for (EditorPart* part : parts_) {
        for (MenuRow& row : part->menuRows()) {
            const MenuCommand id = row.id;
            const bool added = rows.emplace(id, std::move(row)).second;
            Q_ASSERT(added);  // one part does a command
        }
    }
    for (const MenuLayout& entry : menuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menus_[entry.id] = menu;
        for (const MenuCommand id : entry.items) {
            const auto found = rows.find(id);
            Q_ASSERT(found != rows.end());  // every item has its part
            if (found == rows.end()) {
                continue;
            }
            const MenuRow& row = found->second;
            QAction* action = menu->addAction(QString::fromUtf8(row.caption));
            items_[id] = action;
            action->setCheckable(static_cast<bool>(row.checked));
            action->setChecked(row.checked && row.checked());
            action->setShortcut(row.shortcut);
            // What a command changes is one step, named by its caption. A
            // shortcut reaches its item also while the menu is closed for a
            // mode (a member being drawn): the command waits for the menu.
            const bool hasShortcut = row.shortcut != QKeySequence::UnknownKey;
            connect(action, &QAction::triggered, this,
                    [this, menu, action, hasShortcut, row, caption = action->text()] {
                        if (hasShortcut && !menu->menuAction()->isEnabled()) {
                            return;
                        }
                        const EditScope step(edits_, caption);
                        row.command();
                        if (row.checked) {
                            action->setChecked(row.checked());
                        }
                    });
        }
    }
}

QMenu* Form1::menu(MenuId id) const {
    const auto found = menus_.find(id);
    return found == menus_.end() ? nullptr : found->second;
}

QAction* Form1::menuItem(MenuCommand id) const {
    const auto found = items_.find(id);
    return found == items_.end() ? nullptr : found->second;
}

void Form1::关闭菜单() {
    for (const MenuId id : {MenuId::File, MenuId::Members, MenuId::Loads, MenuId::Analysis}) {
        enableMenu(menu(id), false);
    }
}

void Form1::激活菜单() {
    for (const MenuId id :
         {MenuId::File, MenuId::Members, MenuId::Loads, MenuId::Analysis, MenuId::Window}) {
        enableMenu(menu(id), true);
    }
    for (const MenuCommand id :
         {MenuCommand::MemberTotal, MenuCommand::MemberQuery, MenuCommand::MemberInput,
          MenuCommand::MemberDelete, MenuCommand::ColourByMaterial, MenuCommand::ColourBySize,
          MenuCommand::ColourBySection}) {
        enableAction(menuItem(id), true);
    }
    if (document.mode == EditorMode::FixedEnd) {
        document.mode = EditorMode::None;  // reopening the menus ends a fixed-end placement
    }
}
