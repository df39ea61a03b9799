// The menu tree of the editor window, built from one table, and the two
// menu states: closed while a mode command runs, open otherwise.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "editor/form1.h"

namespace {

using Command = void (Form1::*)();

struct MenuItem {
    MenuCommand id;
    const char* caption;
    Command command;
    // A checkable item starts checked: its display is on.
    bool checkable = false;
    QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
};

struct MenuEntry {
    MenuId id;
    const char* caption;
    std::vector<MenuItem> items;
};

// Display order of menus and items.
const std::vector<MenuEntry>& menuTable() {
    using C = MenuCommand;
    static const std::vector<MenuEntry> table = {
        {MenuId::File,
         "文件",
         {{C::New, "新建", &Form1::新建},
          {C::Open, "打开", &Form1::打开, false, QKeySequence::Open},
          {C::Save, "保存", &Form1::保存, false, QKeySequence::Save},
          {C::SaveAs, "另存", &Form1::另存},
          {C::Exit, "退出", &Form1::退出},
          {C::ExportDrawing, "导出图形", &Form1::导出图形},
          {C::Print, "打印", &Form1::打印}}},
        {MenuId::Edit, "编辑", {{C::Undo, "撤销", &Form1::撤销}, {C::Redo, "重做", &Form1::重做}}},
        {MenuId::Members,
         "杆件",
         {{C::MemberTotal, "杆件总数", &Form1::杆件总数},
          {C::MemberInput, "输入杆件", &Form1::输入杆件},
          {C::MemberDelete, "删除杆件", &Form1::删除杆件},
          {C::MemberQuery, "杆件查询修改", &Form1::杆件查询修改},
          {C::ColourByMaterial, "不同材料分色显示", &Form1::不同材料分色显示},
          {C::ColourBySize, "不同尺寸分色显示", &Form1::不同尺寸分色显示},
          {C::ColourBySection, "不同断面分色显示", &Form1::不同断面分色显示},
          {C::ShowNumbers, "查看杆件节点编号", &Form1::查看杆件节点编号}}},
        {MenuId::Supports,
         "杆件体系支座",
         {{C::FixedEnd, "鼠标指定固端", &Form1::鼠标指定固端},
          {C::HorizontalLink, "鼠标指定水平单铰", &Form1::鼠标指定水平单铰},
          {C::VerticalLink, "鼠标指定竖向单铰", &Form1::鼠标指定竖向单铰},
          {C::Pinned, "鼠标指定双铰", &Form1::鼠标指定双铰},
          {C::DeleteSupports, "删除支座", &Form1::删除支座}}},
        {MenuId::Loads,
         "荷载",
         {{C::LoadInput, "输入荷载", &Form1::输入荷载},
          {C::LoadQuery, "荷载查询修改", &Form1::荷载查询修改}}},
        {MenuId::Analysis,
         "计算",
         {{C::Analyse, "内力位移计算", &Form1::内力位移计算},
          {C::MomentDiagram, "弯矩图", &Form1::弯矩图},
          {C::ShearDiagram, "剪力图", &Form1::剪力图},
          {C::AxialDiagram, "轴力图", &Form1::轴力图},
          {C::DiagramScale, "内力图显示比例", &Form1::内力图显示比例},
          {C::Reactions, "支座反力", &Form1::支座反力},
          {C::Deflection, "变形图", &Form1::变形图},
          {C::ResultsTable, "结果表", &Form1::结果表}}},
        {MenuId::Window,
         "窗口",
         {{C::Pan, "平移", &Form1::平移},
          {C::ZoomIn, "放大", &Form1::放大},
          {C::ZoomOut, "缩小", &Form1::缩小},
          {C::CanvasColour, "绘图窗口颜色", &Form1::绘图窗口颜色},
          {C::CrosshairColour, "十字光标颜色", &Form1::十字光标颜色},
          {C::ShowLoads, "显示荷载", &Form1::显示荷载, true},
          {C::WholeFrame, "全图", &Form1::全图},
          {C::CrosshairWipes, "十字光标擦除显示", &Form1::十字光标擦除显示, true}}},
        {MenuId::Help, "帮助", {{C::HelpDocument, "帮助文档", &Form1::帮助文档}}},
    };
    return table;
}

}  // namespace

void Form1::buildMenus() {
    for (const MenuEntry& entry : menuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menus_[entry.id] = menu;
        for (const MenuItem& item : entry.items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            items_[item.id] = action;
            action->setCheckable(item.checkable);
            action->setChecked(item.checkable);
            action->setShortcut(item.shortcut);
            // What a command changes is one step, named by its caption. A
            // shortcut reaches its item also while the menu is closed for a
            // mode (a member being drawn): the command waits for the menu.
            const bool hasShortcut = item.shortcut != QKeySequence::UnknownKey;
            connect(action, &QAction::triggered, this,
                    [this, menu, hasShortcut, command = item.command, caption = action->text()] {
                        if (hasShortcut && !menu->menuAction()->isEnabled()) {
                            return;
                        }
                        const EditScope step(edits_, caption);
                        (this->*command)();
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

namespace {

// A menu or item that is not in the table changes nothing.
void enableAction(QAction* action, bool enabled) {
    if (action != nullptr) {
        action->setEnabled(enabled);
    }
}

}  // namespace

void Form1::setItemEnabled(MenuCommand id, bool enabled) {
    enableAction(menuItem(id), enabled);
}

void Form1::setMenuEnabled(MenuId id, bool enabled) {
    QMenu* found = menu(id);
    enableAction(found != nullptr ? found->menuAction() : nullptr, enabled);
}

void Form1::关闭菜单() {
    for (const MenuId id : {MenuId::File, MenuId::Members, MenuId::Loads, MenuId::Analysis}) {
        setMenuEnabled(id, false);
    }
}

void Form1::激活菜单() {
    for (const MenuId id :
         {MenuId::File, MenuId::Members, MenuId::Loads, MenuId::Analysis, MenuId::Window}) {
        setMenuEnabled(id, true);
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
