// The menu tree of the editor window, built from one table, and the two
// menu states: closed while a mode command runs, open otherwise.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "editor/form1.h"

namespace {

using Command = void (Form1::*)();

struct MenuItem {
    const char* caption;
    Command command;  // nullptr: the command comes with a later part of the program
};

struct MenuEntry {
    const char* caption;
    std::vector<MenuItem> items;
};

// Display order of menus and items; captions are also the items' names.
const std::vector<MenuEntry>& menuTable() {
    static const std::vector<MenuEntry> table = {
        {"文件",
         {{"新建", nullptr},
          {"打开", nullptr},
          {"保存", nullptr},
          {"另存", nullptr},
          {"退出", nullptr}}},
        {"杆件",
         {{"杆件总数", &Form1::杆件总数},
          {"输入杆件", &Form1::输入杆件},
          {"删除杆件", &Form1::删除杆件},
          {"杆件查询修改", &Form1::杆件查询修改},
          {"不同材料分色显示", &Form1::不同材料分色显示},
          {"不同尺寸分色显示", &Form1::不同尺寸分色显示},
          {"不同断面分色显示", &Form1::不同断面分色显示},
          {"查看杆件节点编号", &Form1::查看杆件节点编号}}},
        {"杆件体系支座",
         {{"鼠标指定固端", &Form1::鼠标指定固端},
          {"鼠标指定水平单铰", &Form1::鼠标指定水平单铰},
          {"鼠标指定竖向单铰", &Form1::鼠标指定竖向单铰},
          {"鼠标指定双铰", &Form1::鼠标指定双铰},
          {"删除支座", &Form1::删除支座}}},
        {"荷载", {{"输入荷载", nullptr}, {"荷载查询修改", nullptr}}},
        {"计算",
         {{"内力位移计算", nullptr},
          {"弯矩图", nullptr},
          {"剪力图", nullptr},
          {"轴力图", nullptr},
          {"内力图显示比例", nullptr}}},
        {"窗口",
         {{"平移", &Form1::平移},
          {"放大", &Form1::放大},
          {"缩小", &Form1::缩小},
          {"绘图窗口颜色", nullptr},
          {"十字光标颜色", nullptr}}},
        {"帮助", {{"帮助文档", nullptr}}},
    };
    return table;
}

}  // namespace

void Form1::buildMenus() {
    for (const MenuEntry& entry : menuTable()) {
        const QString caption = QString::fromUtf8(entry.caption);
        QMenu* menu = menuBar()->addMenu(caption);
        menus_[caption] = menu;
        for (const MenuItem& item : entry.items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            items_[action->text()] = action;
            if (item.command) {
                connect(action, &QAction::triggered, this,
                        [this, command = item.command] { (this->*command)(); });
            }
        }
    }
}

QMenu* Form1::menu(const QString& caption) const {
    const auto found = menus_.find(caption);
    return found == menus_.end() ? nullptr : found->second;
}

QAction* Form1::menuItem(const QString& caption) const {
    const auto found = items_.find(caption);
    return found == items_.end() ? nullptr : found->second;
}

namespace {

// Menus and items are named by their captions in the table above; a caption
// that is not there changes nothing.
void enableAction(QAction* action, bool enabled) {
    if (action != nullptr) {
        action->setEnabled(enabled);
    }
}

}  // namespace

void Form1::setMenuEnabled(const char* caption, bool enabled) {
    QMenu* found = menu(QString::fromUtf8(caption));
    enableAction(found != nullptr ? found->menuAction() : nullptr, enabled);
}

void Form1::关闭菜单() {
    for (const char* caption : {"文件", "杆件", "荷载", "计算"}) {
        setMenuEnabled(caption, false);
    }
}

void Form1::激活菜单() {
    for (const char* caption : {"文件", "杆件", "荷载", "计算", "窗口"}) {
        setMenuEnabled(caption, true);
    }
    enableAction(menuItem(QStringLiteral("杆件总数")), false);
    for (const char* caption : {"杆件查询修改", "输入杆件", "删除杆件", "不同材料分色显示",
                                "不同尺寸分色显示", "不同断面分色显示"}) {
        enableAction(menuItem(QString::fromUtf8(caption)), true);
    }
    document.fixedEndMode = false;
}
