// The editor window: its controls, start-up and the member property
// dialog it owns.
#include "editor/form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "canvas/canvas_view.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "editor/key_codes.h"
#include "platform/character_filter.h"
#include "platform/platform.h"
#include "solver/frame_solver.h"
#include "text/number_text.h"

namespace {

// The red axis arrows of the legend: X to the right, Y downward, the way
// the world coordinates run.
class AxisArrows : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::red, 1.5));
        const QPointF origin(8, 8);
        const QPointF xEnd(origin.x() + 52, origin.y());
        const QPointF yEnd(origin.x(), origin.y() + 52);
        painter.drawLine(origin, xEnd);
        painter.drawLine(xEnd, xEnd + QPointF(-7, -4));
        painter.drawLine(xEnd, xEnd + QPointF(-7, 4));
        painter.drawLine(origin, yEnd);
        painter.drawLine(yEnd, yEnd + QPointF(-4, -7));
        painter.drawLine(yEnd, yEnd + QPointF(4, -7));
    }
};

constexpr int kLegendWidth = 200;
const QString kCrosshairWipesSetting = QStringLiteral("crosshairWipesPrints");
constexpr int kLegendHeight = 96;

// Member lines and support symbols change rarely: they are painted from the
// canvas's cache. The local-axis tick (element 0 of the member lines), the
// crosshair and the capture box move with the mouse.
void cacheRarelyChangingLines(Canvas& canvas) {
    canvas.cacheGroup(kMemberLines, 1);
    canvas.cacheGroup(kFixedSymbols);
    for (LineGroup group = kFirstSupportLines; group <= kLastSupportLines; ++group) {
        canvas.cacheGroup(group);
    }
}

}  // namespace

Form1::Form1(Document& document, Platform& platform, QString programFolder,
             QString newProjectFolder)
    : document(document),
      platform(platform),
      canvasView(new CanvasView(canvas, this)),
      supports_(document, canvas, platform, *this),
      memberInput_(document, canvas, platform, *this),
      pointing_(document, canvas, *this),
      loads_(document, canvas, platform, *this, pointing_),
      analysis_(document, canvas, platform, *this),
      results_(document, canvas, platform, *this, analysis_),
      loadDrawing_(document, canvas, *this),
      view_(document, canvas, *canvasView, memberInput_, supports_, loadDrawing_),
      documents_(document, canvas, platform, *this, view_, memberInput_, supports_, edits_,
                 newProjectFolder.isEmpty() ? programFolder : newProjectFolder),
      output_(document, canvas, platform, analysis_, results_),
      edits_(document, canvas, *this, memberInput_, view_),
      programFolder_(std::move(programFolder)) {
    cacheRarelyChangingLines(canvas);
    canvas.setWorld(document.world);
    canvas.setBackground(document.backColour);
    setCentralWidget(canvasView);
    canvasView->mouseDown = [this](int button, float x, float y) { Form_MouseDown(button, x, y); };
    canvasView->mouseMove = [this](float x, float y) { Form_MouseMove(x, y); };
    canvasView->resized = [this](QSize before) { view_.clientAreaResized(before); };
    canvasView->wheelTurned = [this](int notches, float x, float y) {
        view_.userActed();
        view_.zoomAbout(notches, x, y);
    };
    canvasView->middleDragged = [this](QPointF pixels) { view_.dragBy(pixels); };
    buildLegend();
    Label6 = new QLabel(canvasView);
    Label6->setGeometry(kLegendWidth + 12, 4, 4000, 22);
    // The hint lies over the canvas: every move under it, and every press
    // beside its text, belongs to the canvas.
    Label6->setAttribute(Qt::WA_TransparentForMouseEvents);
    canvasView->pressBlockedAt = [this](QPointF pixel) { return isOnHintText(pixel); };
    Frame1->installEventFilter(this);
    buildMenus();
    view_.setCrosshairWipes(platform.setting(kCrosshairWipesSetting, true));
    menuItem(MenuCommand::CrosshairWipes)->setChecked(view_.crosshairWipes());
    analysis_.succeeded = [this](const 内力_位移& solved) { results_.analysisSucceeded(solved); };
    canvas.cleared = [this] { forgetHintAbout(HintSubject::Prints); };
    edits_.captionOf = [this](MenuCommand id) { return menuItem(id)->text(); };
    edits_.modelChanged = [this] { setWindowModified(documents_.hasUnsavedChanges()); };
    edits_.showIn(menuItem(MenuCommand::Undo), menuItem(MenuCommand::Redo));
    canvasView->setFocus();
}

Form1::~Form1() = default;

void Form1::buildLegend() {
    Frame1 = new QGroupBox(QStringLiteral("整体坐标系统"), canvasView);
    Frame1->setGeometry(4, 4, kLegendWidth, kLegendHeight);
    Frame1->setAutoFillBackground(true);
    auto* arrows = new AxisArrows(Frame1);
    arrows->setGeometry(8, 22, 70, 70);
    Label1 = new QLabel(QStringLiteral("X"), Frame1);
    Label1->setGeometry(70, 22, 14, 18);
    Label2 = new QLabel(QStringLiteral("Y"), Frame1);
    Label2->setGeometry(20, 72, 14, 18);
    Text1 = new QLineEdit(Frame1);
    Text1->setGeometry(92, 26, 100, 24);
    Text2 = new QLineEdit(Frame1);
    Text2->setGeometry(92, 60, 100, 24);
    for (QLineEdit* box : {Text1, Text2}) {
        box->installEventFilter(this);
        // Only digits and a few signs are typed here; an input method would
        // hand over composed text that bypasses the key filter.
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        // Pasted or dropped text passes the same test as typed keys.
        restrictInsertedCharacters(
            *box, [this](QChar character) { return coordinateBoxKeyPress(character.unicode()); });
    }
    setTabOrder(Text1, Text2);
}

std::int16_t Form1::markedMember() const {
    return pointing_.markedMember();
}

bool Form1::isOnHintText(QPointF pixel) const {
    const QRect text(Label6->pos(), QSize(Label6->sizeHint().width(), Label6->height()));
    return !Label6->text().isEmpty() && text.contains(pixel.toPoint());
}

void Form1::giveKeyboardToEditor() {
    activateWindow();
    canvasView->setFocus();
}

// The first Esc in a dialog ends the step, as in the window; its release
// reaches the window without a press there and is left alone.
void Form1::escapeFromDialog() {
    giveKeyboardToEditor();
    Form_KeyUp(keys::Esc);
}

Form3& Form1::form3() {
    if (!form3_) {
        form3_ = std::make_unique<Form3>(document, platform, programFolder_, this);
        form3_->escapeToEditor = [this] { escapeFromDialog(); };
        form3_->markedMember = [this] { return markedMember(); };
        form3_->propertiesWritten = [this] { edits_.memberPropertiesWritten(); };
    }
    return *form3_;
}

Form2& Form1::form2() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(document, platform, programFolder_, this);
        form2_->escapeToEditor = [this] { escapeFromDialog(); };
        form2_->markedMember = [this] { return markedMember(); };
        form2_->showHint = [this](const QString& hint) { Label6->setText(hint); };
        form2_->loadsChanged = [this] { loadDrawing_.redraw(); };
        form2_->loadWritten = [this](bool removed) { edits_.loadWritten(removed); };
    }
    return *form2_;
}

// "Orvandel - /home/u/frame.tsd", with "*" after the path while there is
// unsaved work (Qt puts it in place of "[*]").
void Form1::setCaption() {
    setWindowTitle(
        QStringLiteral("Orvandel - %1[*]")
            .arg(QDir::toNativeSeparators(QString::fromStdString(document.projectPath))));
    setWindowModified(documents_.hasUnsavedChanges());
}

void Form1::Form_Load() {
    document.projectPath =
        (documents_.newProjectFolder() + QStringLiteral("/noname.tsd")).toStdString();
    setCaption();
    maximise();
    if (QLayout* frame = layout()) {
        frame->activate();
    }
    view_.startupWindow();
    resetDocument(document, documents_.newProjectFolder().toStdString());
    document.crosshairOn = true;
    state = EditorState{};
    memberInput_.reset(false);
    memberInput_.setOrtho(false);
    Label6->setText(kIdleHint);
    document.diagramScale = 0.02f;

    // The line shapes that exist from the start: the tick of the member
    // under the mouse and the support previews hidden, the crosshair and
    // the capture box collapsed until the first mouse move.
    canvas.loadLine(kMemberLines, 0, LineShape{0, 0, 0, 0, kBlack, 2, false});
    canvas.loadLine(kCrosshairX, 0, LineShape{0, 0, 0, 0, document.crosshairColour, 1, true});
    canvas.loadLine(kCrosshairY, 0, LineShape{0, 0, 0, 0, document.crosshairColour, 1, true});
    for (const LineGroup side : kCaptureBox) {
        canvas.loadLine(side, 0, LineShape{0, 0, 0, 0, kBlack, 1, true});
    }
    supports_.loadPreviews();
    documents_.markSaved();
    edits_.restart();
}

// The window manager may maximise a window only after it is shown; sizing
// it to the screen's free area first gives the client area its maximised
// height at once, which the world window is computed from.
void Form1::maximise() {
    setGeometry(screen()->availableGeometry());
    showMaximized();
    QCoreApplication::processEvents();
}

void Form1::setPrintsHint(const QString& text) {
    describe(HintSubject::Prints, text);
}

void Form1::setResultPictureHint(const QString& text) {
    describe(HintSubject::ResultPicture, text);
}

void Form1::describe(HintSubject subject, const QString& text) {
    Label6->setText(text);
    hintAbout_.emplace(subject, text);
}

void Form1::forgetHintAbout(HintSubject subject) {
    if (hintAbout_ && hintAbout_->first == subject && Label6->text() == hintAbout_->second) {
        showRestingHint();
    }
    if (hintAbout_ && hintAbout_->first == subject) {
        hintAbout_.reset();
    }
}

void Form1::setHint(const QString& text) {
    Label6->setText(text);
}

void Form1::鼠标指定固端() {
    supports_.start(SupportFixed);
}

void Form1::鼠标指定水平单铰() {
    supports_.start(SupportHorizontalLink);
}

void Form1::鼠标指定竖向单铰() {
    supports_.start(SupportVerticalLink);
}

void Form1::鼠标指定双铰() {
    supports_.start(SupportPinned);
}

void Form1::删除支座() {
    supports_.deleteCommand();
}

void Form1::删除固端() {
    supports_.removeAll();
}

EditorState Form1::editorState() const {
    EditorState shown = state;
    shown.panArmed = view_.pan().armed;
    shown.panAnchorTaken = view_.pan().anchorTaken;
    shown.panAnchorX = view_.pan().anchorX;
    shown.panAnchorY = view_.pan().anchorY;
    shown.hoverEnabled = pointing_.hovering();
    shown.awaitingFirstPoint = memberInput_.awaitingFirstPoint();
    shown.memberInProgress = memberInput_.memberInProgress();
    shown.orthoMode = memberInput_.ortho();
    return shown;
}

void Form1::keyboardToCanvas() {
    if (!canvasView->hasFocus()) {
        giveKeyboardToEditor();
    }
}

void Form1::删除杆件() {
    pointing_.deleteCommand();
}

void Form1::杆件查询修改() {
    pointing_.queryCommand();
}

void Form1::不同材料分色显示() {
    pointing_.colourByMaterial();
}

void Form1::不同尺寸分色显示() {
    pointing_.colourBySize();
}

void Form1::不同断面分色显示() {
    pointing_.colourBySection();
}

void Form1::显示荷载() {
    loadDrawing_.setShown(!loadDrawing_.shown());
    menuItem(MenuCommand::ShowLoads)->setChecked(loadDrawing_.shown());
}

void Form1::输入荷载() {
    loads_.inputCommand();
}

void Form1::荷载查询修改() {
    loads_.queryCommand();
}

std::int16_t Form1::HoverMember(bool enable) {
    return enable ? pointing_.hoverAt(state.cursorX, state.cursorY) : 0;
}

void Form1::DrawLocalAxisTick(std::int16_t i) {
    pointing_.drawTick(i);
}

void Form1::ResetMemberColours() {
    pointing_.resetColours();
}

void Form1::setBoxTexts(const QString& x, const QString& y) {
    Text1->setText(x);
    Text2->setText(y);
}

std::pair<QString, QString> Form1::boxTexts() const {
    return {Text1->text(), Text2->text()};
}

void Form1::输入杆件() {
    memberInput_.inputCommand();
}

void Form1::捕捉端点() {
    memberInput_.capture(state.cursorX, state.cursorY);
}

bool Form1::FinishMember(std::int16_t k) {
    return memberInput_.FinishMember(k);
}

bool Form1::coordinateBoxKeyPress(int character) const {
    return memberInput_.boxKeepsCharacter(character);
}

void Form1::coordinateBoxKeyUp(int key) {
    const EditScope step(edits_);
    memberInput_.boxKeyUp(key);
}

void Form1::内力位移计算() {
    analysis_.computeCommand();
}

void Form1::窗口显示计算结果() {
    analysis_.printResults();
}

内力_位移& Form1::solver() {
    return analysis_.solver();
}

void Form1::弯矩图() {
    analysis_.momentDiagram();
}

void Form1::剪力图() {
    analysis_.shearDiagram();
}

void Form1::轴力图() {
    analysis_.axialDiagram();
}

// The scale of what was drawn last: the deflected shape's magnification
// while it is up, else the diagrams'.
void Form1::内力图显示比例() {
    if (results_.deflectionShown()) {
        results_.magnificationCommand();
    } else {
        analysis_.diagramScaleCommand();
    }
}

void Form1::支座反力() {
    results_.reactionsCommand();
}

void Form1::变形图() {
    results_.deflectionCommand();
}

void Form1::结果表() {
    results_.tableCommand(this);
}

void Form1::showNewDocument() {
    setCaption();
    results_.clearFigures();
    forgetHintAbout(HintSubject::ResultPicture);
    enterMode(Mode::None);
    激活菜单();
    state = EditorState{};
    memberInput_.reset(false);
    memberInput_.setOrtho(false);
    document.hoveredMember = 0;
    Label6->setText(kIdleHint);
    if (hasForm2()) {
        form2().输入荷载时窗体();
    }
    view_.showNewDocument();
    edits_.restart();
}

void Form1::showCursorPosition(float x, float y) {
    Text1->setText(QString::fromStdString(orv::displayText(x)));
    Text2->setText(QString::fromStdString(orv::displayText(y)));
}

void Form1::放大() {
    view_.zoomIn();
}

void Form1::缩小() {
    view_.zoomOut();
}

void Form1::平移() {
    view_.panCommand();
}

void Form1::全图() {
    view_.showWholeFrame(freeCanvasArea());
}

// The legend and the hint lie over the top of the canvas: below both, the
// whole width is free.
QRect Form1::freeCanvasArea() const {
    const int top = std::max(Frame1->geometry().bottom(), Label6->geometry().bottom()) + 1;
    return {0, top, canvasView->width(), canvasView->height() - top};
}

void Form1::十字光标擦除显示() {
    view_.setCrosshairWipes(!view_.crosshairWipes());
    platform.keepSetting(kCrosshairWipesSetting, view_.crosshairWipes());
    menuItem(MenuCommand::CrosshairWipes)->setChecked(view_.crosshairWipes());
}

void Form1::重装杆件() {
    view_.redrawAll();
}

void Form1::showDocumentOnCanvas() {
    view_.showDocument();
}

void Form1::switchCrosshair() {
    view_.switchCrosshair();
}

void Form1::杆件总数() {
    documents_.memberTotalCommand();
}

void Form1::新建() {
    documents_.startNewProject();
}

void Form1::打开() {
    documents_.openCommand();
}

bool Form1::openProject(const QString& path) {
    return documents_.openProject(path);
}

void Form1::撤销() {
    edits_.undo();
}

void Form1::重做() {
    edits_.redo();
}

void Form1::保存() {
    documents_.saveCommand();
}

void Form1::另存() {
    documents_.saveAsCommand();
}

void Form1::退出() {
    close();
}

void Form1::导出图形() {
    output_.exportCommand();
}

void Form1::打印() {
    output_.printCommand();
}

// Closing the window, by 退出 or by its title-bar button, asks before
// unsaved work is lost; the help viewer goes with the program.
void Form1::closeEvent(QCloseEvent* event) {
    if (!documents_.mayClose()) {
        event->ignore();
        return;
    }
    platform.closeHelp();
    event->accept();
}

void Form1::绘图窗口颜色() {
    documents_.canvasColourCommand();
}

void Form1::十字光标颜色() {
    documents_.crosshairColourCommand();
}

void Form1::帮助文档() {
    platform.showHelp(programFolder_ + QStringLiteral("/help.html"));
}
