// The 文件 menu: start over, open, save, save as and exit, with the window
// caption naming the current file; the two colour commands and the help
// command of the 窗口 and 帮助 menus.
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <cmath>
#include <optional>

#include "dialogs/form2.h"
#include "document/project_file.h"
#include "editor/canvas_view.h"
#include "editor/form1.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

const QString kProjectFilter = QStringLiteral("数据文件(*.tsd)|*.tsd");
const QString kKeepDataQuestion = QStringLiteral("你真的不保存现有数据吗?");

// A member total is a whole number of members that a member number can
// count; anything else (a negative total, a fraction, a word) is refused
// rather than read as some other number.
std::optional<std::int16_t> memberTotalOf(const QString& answer) {
    const auto value = orv::parseNumber(answer.trimmed().toStdString());
    if (!value || *value != std::floor(*value) || *value < 1 || *value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

}  // namespace

// True when the user may let the present drawing go: nothing drawn, or the
// question answered Yes.
bool Form1::mayDropDrawing(bool drawingExists) {
    return !drawingExists ||
           platform.messageBox(kKeepDataQuestion, MessageButtons::YesNo, MessageIcon::Question,
                               QStringLiteral("Orvandel")) == MessageAnswer::Yes;
}

void Form1::杆件总数() {
    const QString answer =
        platform.inputBox(QStringLiteral("请输入杆件总数"),
                          QStringLiteral("注意:此总数在使用过程中不可更改"), QStringLiteral("1"));
    if (answer.isEmpty()) {
        return;  // cancelled
    }
    const auto total = memberTotalOf(answer);
    if (!total) {
        platform.tell(QStringLiteral("杆件总数应为1到32767之间的整数"));
        return;
    }
    document.memberTotal = *total;
    menuItem(MenuCommand::MemberTotal)->setEnabled(false);
    document.nodeCount = 0;
    document.membersEntered = 0;
    document.fixedSymbolCount = 0;
    enterMode(Mode::None);
    memberInput_.setOrtho(false);
    if (!document.crosshairOn) {
        switchCrosshair();
    }
    激活菜单();
    resizeMembers(document, *total);
    resizeNodes(document, 0);
}

void Form1::新建() {
    startNewProject();
}

// False when the user kept the present drawing. The question comes only
// when there is work to lose, as on leaving the program. The mode that ran
// ends before the document goes: its preview symbols and pointer go too.
bool Form1::startNewProject() {
    canvas.clear();
    if (!mayDropDrawing(hasUnsavedChanges())) {
        return false;
    }
    enterMode(Mode::None);
    supports_.removeAll();
    resetDocument(document, newProjectFolder_.toStdString());
    setCaption();
    resetWindowVariables();
    setItemEnabled(MenuCommand::MemberTotal, true);
    markSaved();
    return true;
}

// The window as start-up leaves it, for a document that 新建 or 打开 just
// replaced: no mode, the crosshair on, the hint, the member lines and
// symbols exactly the document's, its world window and colours.
void Form1::resetWindowVariables() {
    enterMode(Mode::None);
    激活菜单();
    state = EditorState{};
    memberInput_.reset(false);
    memberInput_.setOrtho(false);
    canvasView->unsetCursor();  // a pan that was armed ends with its pointer
    startupScalePending_ = false;
    document.crosshairOn = true;
    for (const LineGroup line : kCrosshairLines) {
        canvas.setLineVisible({line}, true);
    }
    document.hoveredMember = 0;
    Label6->setText(kIdleHint);
    if (hasForm2()) {
        form2().输入荷载时窗体();
    }
    canvas.setLineColour({kCrosshairX}, document.crosshairColour);
    canvas.setLineColour({kCrosshairY}, document.crosshairColour);
    canvas.worldChanged();
    showDocumentOnCanvas();
}

void Form1::打开() {
    if (!startNewProject()) {
        return;  // the present drawing is kept: nothing is read over it
    }
    const QString name = platform.openFileName(kProjectFilter);
    if (name.isEmpty()) {
        platform.tell(QStringLiteral("打开文件失败"));
        return;
    }
    openProject(name);
}

// Reads `path` over the new document; a refused file leaves the document as
// 新建 left it and says why.
bool Form1::openProject(const QString& path) {
    const std::string file = path.toStdString();
    if (const auto error = readProjectFile(file, document)) {
        platform.tell(QStringLiteral("打开文件失败\n") +
                      QString::fromStdString(projectReadMessage(file, *error)));
        return false;
    }
    document.projectPath = file;
    // The file's world window is shown with one scale on both axes: the
    // smallest such window around it, centred.
    document.world = equalScaleWindow(document.world, canvasView->size(), WorldFit::Contain);
    setCaption();
    canvas.clear();
    resetWindowVariables();
    setItemEnabled(MenuCommand::MemberTotal, false);
    markSaved();
    return true;
}

void Form1::保存() {
    if (document.memberTotal == 0) {
        return;
    }
    if (!WriteProjectFile(document, document.projectPath)) {
        platform.tell(QStringLiteral("保存文件失败!"));
        return;
    }
    markSaved();
}

void Form1::另存() {
    if (document.membersEntered <= 0) {
        return;
    }
    QString name = platform.saveFileName(kProjectFilter, QStringLiteral("tsd"));
    if (name.isEmpty()) {
        return;
    }
    // The result files are named from the path less its last four
    // characters, so the name must end in ".tsd".
    // The dialog asked about replacing the name it returned; a name that
    // grows here is asked about again.
    if (!name.endsWith(QStringLiteral(".tsd"), Qt::CaseInsensitive)) {
        name += QStringLiteral(".tsd");
        if (QFileInfo::exists(name) && !mayReplace(name)) {
            return;
        }
    }
    document.projectPath = name.toStdString();
    if (!WriteProjectFile(document, document.projectPath)) {
        platform.tell(QStringLiteral("另存文件失败!"));
        return;
    }
    setCaption();
    markSaved();
}

bool Form1::mayReplace(const QString& path) {
    return platform.messageBox(
               QDir::toNativeSeparators(path) + QStringLiteral(" 已存在。\n要替换它吗?"),
               MessageButtons::YesNo, MessageIcon::Exclamation,
               QStringLiteral("另存为")) == MessageAnswer::Yes;
}

void Form1::退出() {
    close();
}

// Closing the window, by 退出 or by its title-bar button, asks before
// unsaved work is lost; the help viewer goes with the program.
void Form1::closeEvent(QCloseEvent* event) {
    if (!mayDropDrawing(hasUnsavedChanges())) {
        event->ignore();
        return;
    }
    platform.closeHelp();
    event->accept();
}

void Form1::markSaved() {
    savedText_ = projectFileText(document);
}

bool Form1::hasUnsavedChanges() const {
    return document.memberTotal != 0 && projectFileText(document) != savedText_;
}

void Form1::绘图窗口颜色() {
    canvas.clear();
    if (const auto colour = chooseColour(document.backColour)) {
        document.backColour = *colour;
        canvas.setBackground(document.backColour);
    }
}

void Form1::十字光标颜色() {
    canvas.clear();
    if (const auto colour = chooseColour(document.crosshairColour)) {
        document.crosshairColour = *colour;
        canvas.setLineColour({kCrosshairX}, *colour);
        canvas.setLineColour({kCrosshairY}, *colour);
    }
}

// Both colour commands share one dialog, which starts with the colour last
// chosen in either.
std::optional<ColourValue> Form1::chooseColour(ColourValue current) {
    const auto chosen = platform.chooseColour(lastChosenColour_.value_or(current));
    if (chosen) {
        lastChosenColour_ = *chosen;
    }
    return chosen;
}

void Form1::帮助文档() {
    platform.showHelp(programFolder_ + QStringLiteral("/help.html"));
}
