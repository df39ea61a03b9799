// The commands on the document as a whole: the member total, start over,
// open, save and save as, and the two colours of the drawing.
#include "editor/document_commands.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "document/file_names.h"
#include "document/project_file.h"
#include "editor/edit_commands.h"
#include "editor/editor_controls.h"
#include "editor/member_input.h"
#include "editor/support_placement.h"
#include "editor/view_control.h"
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
    if (!value || *value != std::floor(*value) || *value < 1 || *value > kMaxMemberTotal) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

}  // namespace

DocumentCommands::DocumentCommands(const EditorContext& context, ViewControl& view,
                                   MemberInput& memberInput, SupportPlacement& supports,
                                   EditCommands& edits, QString newProjectFolder)
    : EditorPart(context),
      view(view),
      memberInput(memberInput),
      supports(supports),
      edits(edits),
      newProjectFolder_(std::move(newProjectFolder)) {}

std::vector<MenuRow> DocumentCommands::menuRows() {
    using C = MenuCommand;
    return {{C::New, "新建", [this] { (void)startNewProject(); }},
            {C::Open, "打开", [this] { openCommand(); }, {}, QKeySequence::Open},
            {C::Save, "保存", [this] { saveCommand(); }, {}, QKeySequence::Save},
            {C::SaveAs, "另存", [this] { saveAsCommand(); }},
            {C::MemberTotal, "杆件总数", [this] { memberTotalCommand(); }},
            {C::CanvasColour, "绘图窗口颜色", [this] { canvasColourCommand(); }},
            {C::CrosshairColour, "十字光标颜色", [this] { crosshairColourCommand(); }}};
}

void DocumentCommands::reset(ResetReason /*reason*/) {
    markSaved();
}

// True when the user may let the present drawing go: nothing to lose, or
// the question answered Yes. Yes drops the work, so Enter and Esc answer
// No: a reflex keeps it.
bool DocumentCommands::mayDropDrawing(bool drawingExists) {
    return !drawingExists || platform.messageBox(kKeepDataQuestion, MessageButtons::YesNoDefaultNo,
                                                 MessageIcon::Question,
                                                 QStringLiteral("Orvandel")) == MessageAnswer::Yes;
}

// The total follows the drawing: it may change at any time, but never to
// fewer members than are drawn. The drawn members, their nodes and
// supports stay; members beyond them are new.
void DocumentCommands::memberTotalCommand() {
    const QString answer = platform.inputBox(
        QStringLiteral("请输入杆件总数"), QStringLiteral("注意:此总数在使用过程中不可更改"),
        QString::number(std::max<int>(document.memberTotal, 1)));
    if (answer.isEmpty()) {
        return;  // cancelled
    }
    const auto total = memberTotalOf(answer);
    if (!total) {
        platform.tell(QStringLiteral("杆件总数应为1到32767之间的整数"));
        return;
    }
    const int drawn = document.membersEntered;
    if (*total < drawn) {
        platform.tell(QStringLiteral("已画%1根杆件,杆件总数不能小于%1").arg(drawn));
        return;
    }
    controls.enterMode(EditorMode::None);
    memberInput.setOrtho(false);
    if (!document.crosshairOn) {
        view.switchCrosshair();
    }
    controls.激活菜单();
    (void)setMemberTotal(document, *total);
}

// False when the user kept the present drawing. The question comes only
// when there is work to lose, as on leaving the program. The mode that ran
// ends before the document goes: its preview symbols and pointer go too.
bool DocumentCommands::startNewProject() {
    canvas.clear();
    if (!mayDropDrawing(hasUnsavedChanges())) {
        return false;
    }
    controls.enterMode(EditorMode::None);
    supports.removeAll();
    resetDocument(document, newProjectFolder_.toStdString());
    controls.showNewDocument(ResetReason::NewProject);
    return true;
}

void DocumentCommands::openCommand() {
    // The dialog starts where the project that was open lies.
    const QString folder = QString::fromStdString(projectFolder(document.projectPath));
    if (!startNewProject()) {
        return;  // the present drawing is kept: nothing is read over it
    }
    const QString name = platform.openFileName(kProjectFilter, folder);
    if (name.isEmpty()) {
        platform.tell(QStringLiteral("打开文件失败"));
        return;
    }
    openProject(name);
}

// Reads `path` over the new document; a refused file leaves the document as
// 新建 left it and says why.
bool DocumentCommands::openProject(const QString& path) {
    const std::string file = path.toStdString();
    if (const auto error = readProjectFile(file, document)) {
        platform.tell(QStringLiteral("打开文件失败\n") +
                      QString::fromStdString(projectReadMessage(file, *error)));
        return false;
    }
    // The caption and the result files name the project by its whole path,
    // also when it was given relative to the working folder.
    document.projectPath = QFileInfo(path).absoluteFilePath().toStdString();
    // The file's world window is shown with one scale on both axes: the
    // smallest such window around it, centred.
    view.fitReadWindow();
    canvas.clear();
    controls.showNewDocument(ResetReason::OpenedProject);
    return true;
}

void DocumentCommands::saveCommand() {
    if (document.memberTotal == 0) {
        return;
    }
    if (!WriteProjectFile(document, document.projectPath)) {
        platform.tell(QStringLiteral("保存文件失败!"));
        return;
    }
    markSaved();
}

void DocumentCommands::saveAsCommand() {
    if (document.membersEntered <= 0) {
        return;
    }
    QString name = platform.saveFileName(kProjectFilter, QStringLiteral("tsd"),
                                         QString::fromStdString(document.projectPath));
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
    markSaved();
}

bool DocumentCommands::mayReplace(const QString& path) {
    return platform.mayReplace(path, QStringLiteral("另存为"));
}

bool DocumentCommands::mayClose() {
    return mayDropDrawing(hasUnsavedChanges());
}

void DocumentCommands::markSaved() {
    edits.markSaved();
    controls.setCaption();
}

// Only a change of the model is unsaved work: the view is saved with the
// project, but zooming, panning or resizing the window changes no project,
// so none of them asks before the work goes.
bool DocumentCommands::hasUnsavedChanges() const {
    return document.memberTotal != 0 && edits.hasUnsavedChanges();
}

void DocumentCommands::canvasColourCommand() {
    canvas.clear();
    if (const auto colour = chooseColour(document.backColour)) {
        document.backColour = *colour;
        canvas.setBackground(document.backColour);
    }
}

void DocumentCommands::crosshairColourCommand() {
    canvas.clear();
    if (const auto colour = chooseColour(document.crosshairColour)) {
        document.crosshairColour = *colour;
        canvas.setLineColour({kCrosshairX}, *colour);
        canvas.setLineColour({kCrosshairY}, *colour);
    }
}

// Both colour commands share one dialog, which starts with the colour last
// chosen in either.
std::optional<ColourValue> DocumentCommands::chooseColour(ColourValue current) {
    const auto chosen = platform.chooseColour(lastChosenColour_.value_or(current));
    if (chosen) {
        lastChosenColour_ = *chosen;
    }
    return chosen;
}
