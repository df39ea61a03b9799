// The editor window: its controls, its parts, start-up and the two
// dialogs it owns.
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
#include "document/load_cases.h"
#include "editor/key_codes.h"
#include "platform/character_filter.h"
#include "platform/platform.h"
#include "solver/frame_solver.h"

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

// The legend over the canvas's top left corner: the axes of the world
// coordinates and the coordinate boxes.
struct Legend {
    QGroupBox* frame;
    QLabel* xLabel;
    QLabel* yLabel;
    QLineEdit* xBox;
    QLineEdit* yBox;
};

Legend makeLegend(QWidget* canvas) {
    Legend legend{};
    legend.frame = new QGroupBox(QStringLiteral("整体坐标系统"), canvas);
    legend.frame->setGeometry(4, 4, kLegendWidth, kLegendHeight);
    legend.frame->setAutoFillBackground(true);
    auto* arrows = new AxisArrows(legend.frame);
    arrows->setGeometry(8, 22, 70, 70);
    legend.xLabel = new QLabel(QStringLiteral("X"), legend.frame);
    legend.xLabel->setGeometry(70, 22, 14, 18);
    legend.yLabel = new QLabel(QStringLiteral("Y"), legend.frame);
    legend.yLabel->setGeometry(20, 72, 14, 18);
    legend.xBox = new QLineEdit(legend.frame);
    legend.xBox->setGeometry(92, 26, 100, 24);
    legend.yBox = new QLineEdit(legend.frame);
    legend.yBox->setGeometry(92, 60, 100, 24);
    QWidget::setTabOrder(legend.xBox, legend.yBox);
    return legend;
}

// The hint lies over the canvas: presses beside its text belong to the
// canvas.
bool isOnText(const QLabel& label, QPointF pixel) {
    const QRect text(label.pos(), QSize(label.sizeHint().width(), label.height()));
    return !label.text().isEmpty() && text.contains(pixel.toPoint());
}

}  // namespace

Form1::Form1(Document& document, Platform& platform, QString programFolder,
             QString newProjectFolder)
    : document(document),
      platform(platform),
      canvasView(new CanvasView(canvas, this)),
      Label6(new QLabel(canvasView)),
      hints_(*Label6, [this] { showRestingHint(); }),
      context_{document, canvas, platform, *this},
      memberInput_(context_),
      supports_(context_, memberInput_),
      pointing_(context_),
      connections_(context_, memberInput_),
      loads_(context_, pointing_),
      analysis_(context_),
      results_(context_, analysis_, *this),
      resultSets_(context_, analysis_, results_),
      loadDrawing_(context_, memberInput_),
      supportEffects_(context_, connections_.capture(), loadDrawing_),
      view_(context_, *canvasView, memberInput_, supports_, loadDrawing_),
      grid_(context_),
      nodes_(context_, memberInput_, view_),
      edits_(context_, memberInput_, view_),
      documents_(context_, view_, memberInput_, supports_, edits_,
                 newProjectFolder.isEmpty() ? programFolder : newProjectFolder),
      output_(context_, analysis_, results_),
      loadCases_(context_, loadDrawing_, edits_, this),
      selection_(context_, memberInput_, view_, pointing_),
      parts_{&memberInput_, &supports_, &pointing_, &connections_, &supportEffects_, &loads_,
             &loadCases_,   &analysis_, &results_,  &resultSets_,  &loadDrawing_,    &output_,
             &selection_,   &grid_,     &nodes_,    &view_,        &documents_,      &edits_},
      programFolder_(std::move(programFolder)) {
    cacheRarelyChangingLines(canvas);
    canvas.setWorld(document.world);
    canvas.setBackground(document.backColour);
    setCentralWidget(canvasView);
    canvasView->mouseDown = [this](int button, float x, float y) { Form_MouseDown(button, x, y); };
    canvasView->mouseMove = [this](float x, float y) { Form_MouseMove(x, y); };
    canvasView->mouseUp = [this](int button, float x, float y) { Form_MouseUp(button, x, y); };
    memberInput_.gridPointNear = [this](float x, float y) { return grid_.pointNear(x, y); };
    canvasView->resized = [this](QSize before) { view_.clientAreaResized(before); };
    canvasView->wheelTurned = [this](int notches, float x, float y) {
        view_.userActed();
        view_.zoomAbout(notches, x, y);
    };
    canvasView->middleDragged = [this](QPointF pixels) { view_.dragBy(pixels); };
    const Legend legend = makeLegend(canvasView);
    Frame1 = legend.frame;
    Label1 = legend.xLabel;
    Label2 = legend.yLabel;
    Text1 = legend.xBox;
    Text2 = legend.yBox;
    for (QLineEdit* box : {Text1, Text2}) {
        box->installEventFilter(this);
        // Only digits and a few signs are typed here; an input method would
        // hand over composed text that bypasses the key filter.
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        // Pasted or dropped text passes the same test as typed keys.
        restrictInsertedCharacters(*box, [this](QChar character) {
            return memberInput_.boxKeepsCharacter(character.unicode());
        });
    }
    Label6->setGeometry(kLegendWidth + 12, 4, 4000, 22);
    // The hint lies over the canvas: every move under it, and every press
    // beside its text, belongs to the canvas.
    Label6->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label6->raise();  // above the legend, as a control made after it
    canvasView->pressBlockedAt = [this](QPointF pixel) { return isOnText(*Label6, pixel); };
    Frame1->installEventFilter(this);
    // The legend and the hint lie over the top of the canvas: below both,
    // the whole width is free.
    view_.freeArea = [this] {
        const int top = std::max(Frame1->geometry().bottom(), Label6->geometry().bottom()) + 1;
        return QRect(0, top, canvasView->width(), canvasView->height() - top);
    };
    buildMenus();
    analysis_.succeeded = [this](const 内力_位移& solved) { results_.analysisSucceeded(solved); };
    canvas.cleared = [this] { hints_.forget(HintLine::Subject::Prints); };
    loads_.loadGiven = [this](std::int16_t member) {
        selection_.spreadLoad(member, [this](gj& other) { form2().appendDialogsLoad(other); });
    };
    edits_.captionOf = [this](MenuCommand id) { return menuItem(id)->text(); };
    edits_.modelChanged = [this] {
        setWindowModified(documents_.hasUnsavedChanges());
        connections_.redraw();  // a member added, deleted or restored moves the marks
        loadCases_.modelChanged();
        selection_.modelChanged();
    };
    edits_.showIn(menuItem(MenuCommand::Undo), menuItem(MenuCommand::Redo));
    canvasView->setFocus();
}

Form1::~Form1() = default;

void Form1::keyboardToEditor() {
    activateWindow();
    canvasView->setFocus();
}

// The first Esc in a dialog ends the step, as in the window; its release
// reaches the window without a press there and is left alone.
void Form1::escapeFromDialog() {
    keyboardToEditor();
    Form_KeyUp(keys::Esc);
}

Form3& Form1::form3() {
    if (!form3_) {
        form3_ = std::make_unique<Form3>(document, platform, programFolder_, this);
        form3_->escapeToEditor = [this] { escapeFromDialog(); };
        form3_->markedMember = [this] { return pointing_.markedMember(); };
        form3_->propertiesWritten = [this] {
            selection_.spreadProperties(pointing_.markedMember());
            edits_.memberPropertiesWritten();
        };
    }
    return *form3_;
}

Form2& Form1::form2() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(document, platform, programFolder_, this);
        form2_->escapeToEditor = [this] { escapeFromDialog(); };
        form2_->markedMember = [this] { return pointing_.markedMember(); };
        form2_->showHint = [this](const QString& hint) { Label6->setText(hint); };
        form2_->loadsChanged = [this] { loadDrawing_.redraw(); };
        form2_->loadWritten = [this](bool removed) { edits_.loadWritten(removed); };
    }
    return *form2_;
}

// "Orvandel - /home/u/frame.tsd", with "*" after the path while there is
// unsaved work (Qt puts it in place of "[*]"), and " - 当前工况: 活载" when
// the project has more than one load case.
void Form1::setCaption() {
    QString caption =
        QStringLiteral("Orvandel - %1[*]")
            .arg(QDir::toNativeSeparators(QString::fromStdString(document.projectPath)));
    if (loadCaseCount(document) > 1) {
        caption += QStringLiteral(" - 当前工况: ") +
                   QString::fromStdString(loadCaseName(document, document.currentLoadCase));
    }
    setWindowTitle(caption);
    setWindowModified(documents_.hasUnsavedChanges());
}

// The window manager may maximise a window only after it is shown; sizing
// it to the screen's free area first gives the client area its maximised
// height at once, which the start-up world window is computed from.
void Form1::Form_Load() {
    resetDocument(document, documents_.newProjectFolder().toStdString());
    document.crosshairOn = true;
    document.diagramScale = 0.02f;
    setCaption();
    setGeometry(screen()->availableGeometry());
    showMaximized();
    QCoreApplication::processEvents();
    if (QLayout* frame = layout()) {
        frame->activate();
    }
    showNewDocument(ResetReason::StartUp);
}

void Form1::showNewDocument(ResetReason reason) {
    setCaption();
    enterMode(Mode::None);
    激活菜单();
    state = EditorState{};
    Label6->setText(kIdleHint);
    for (EditorPart* part : parts_) {
        part->reset(reason);
    }
}

void Form1::setPrintsHint(const QString& text) {
    hints_.describe(HintLine::Subject::Prints, text);
}

void Form1::setResultPictureHint(const QString& text) {
    hints_.describe(HintLine::Subject::ResultPicture, text);
}

void Form1::setHint(const QString& text) {
    Label6->setText(text);
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
        keyboardToEditor();
    }
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

void Form1::捕捉端点() {
    memberInput_.capture(state.cursorX, state.cursorY);
}

bool Form1::FinishMember(std::int16_t k) {
    return memberInput_.FinishMember(k);
}

bool Form1::openProject(const QString& path) {
    return documents_.openProject(path);
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
