// The analysis commands; see analysis_commands.h.
#include "editor/analysis_commands.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <fstream>
#include <string>

#include "canvas/canvas.h"
#include "document/file_names.h"
#include "editor/editor_controls.h"
#include "editor/member_numbers.h"
#include "editor/result_picture.h"
#include "platform/fixed_width_font.h"
#include "platform/platform.h"
#include "results/envelope.h"
#include "results/result_figures.h"
#include "results/solver_copy.h"
#include "solver/engine_error.h"
#include "solver/frame_solver.h"
#include "solver/result_files.h"
#include "text/number_text.h"

namespace {

MessageIcon platformIcon(orv::MessageIcon icon) {
    switch (icon) {
        case orv::MessageIcon::Critical:
            return MessageIcon::Critical;
        case orv::MessageIcon::Exclamation:
            return MessageIcon::Exclamation;
        case orv::MessageIcon::None:
            break;
    }
    return MessageIcon::None;
}

// The project path less its four-character extension: the engine's rule,
// on the path as the engine receives it.
QString resultBase(const std::string& projectPath) {
    try {
        return QString::fromStdString(
            fileNameToUtf8(orv::resultBaseName(utf8ToFileName(projectPath))));
    } catch (const std::exception&) {
        return {};  // a path of fewer than four characters names no results
    }
}

struct DiagramName {
    const char* name;
    const char* force;
    const char* unit;
};

DiagramName nameOf(DiagramKind kind) {
    switch (kind) {
        case DiagramKind::Moment:
            return {"弯矩图", "弯矩", "kN·m"};
        case DiagramKind::Shear:
            return {"剪力图", "剪力", "kN"};
        case DiagramKind::Axial:
            return {"轴力图", "轴力", "kN"};
    }
    return {"", "", ""};
}

// "弯矩图 (kN·m), 比例 0.02": what a diagram is, its unit and its scale.
QString diagramHint(const QString& title, const DiagramName& name, float scale) {
    return title + QStringLiteral(" (") + QString::fromUtf8(name.unit) +
           QStringLiteral("), 比例 ") + QString::fromStdString(orv::displayText(scale));
}

// Removes what is left of a result file; a file that cannot be removed
// was reported already by the write that failed.
void removeResultFile(const std::string& path) {
    try {
        orv::deleteIfExists(path);
    } catch (const orv::EngineError&) {
    }
}

constexpr float kResultsX = 8;
constexpr float kFirstResultLine = 0.7f;
constexpr float kResultLineStep = 0.3f;

}  // namespace

std::optional<DiagramKind> AnalysisCommands::shownDiagram() const {
    if (canvas.figure(FigureLayer::Diagram).empty() || envelopeShown_) {
        return std::nullopt;
    }
    return shownDiagram_;
}

bool AnalysisCommands::resultsPrinted() const {
    const QString header = QString::fromUtf8(
        orv::kMemberForcesHeader.data(), static_cast<qsizetype>(orv::kMemberForcesHeader.size()));
    const std::vector<CanvasPrint>& log = canvas.printLog();
    return std::any_of(log.begin(), log.end(), [&header](const CanvasPrint& print) {
        return print.kind == CanvasPrint::Kind::Text && print.text == header;
    });
}

// A project of one case and no combinations shows its results unnamed, as
// it always has.
QString AnalysisCommands::shownSetSuffix() const {
    if (loadCaseCount(document) <= 1 && document.combinations.empty()) {
        return {};
    }
    return QStringLiteral(" — ") +
           QString::fromStdString(resultName(document, document.shownResults));
}

const Model& AnalysisCommands::shownModel() const {
    return otherSet_ ? otherSet_->model : document;
}

const 内力_位移& AnalysisCommands::shownSolver() {
    return otherSet_ ? otherSet_->solver : solver();
}

QString diagramTitle(DiagramKind kind) {
    return QString::fromUtf8(nameOf(kind).name);
}

QString envelopeTitle(DiagramKind kind) {
    return QString::fromUtf8(nameOf(kind).force) + QStringLiteral("包络图");
}

std::optional<DiagramKind> AnalysisCommands::shownEnvelope() const {
    if (canvas.figure(FigureLayer::Diagram).empty() || !envelopeShown_) {
        return std::nullopt;
    }
    return shownDiagram_;
}

AnalysisCommands::AnalysisCommands(const EditorContext& context) : EditorPart(context) {}

AnalysisCommands::~AnalysisCommands() = default;

std::vector<MenuRow> AnalysisCommands::menuRows() {
    using C = MenuCommand;
    return {{C::Analyse, "内力位移计算", [this] { computeCommand(); }},
            {C::MomentDiagram, "弯矩图", [this] { momentDiagram(); }},
            {C::ShearDiagram, "剪力图", [this] { shearDiagram(); }},
            {C::AxialDiagram, "轴力图", [this] { axialDiagram(); }}};
}

内力_位移& AnalysisCommands::solver() {
    if (!solver_) {
        solver_ = std::make_unique<内力_位移>();
        solver_->messageHandler = [this](const orv::Diagnostic& message) { showMessage(message); };
    }
    return *solver_;
}

// The engine's messages and the program's own, each a message box with its
// icon and caption, in the order they come.
void AnalysisCommands::showMessage(const orv::Diagnostic& message) {
    platform.tell(QString::fromStdString(message.text), platformIcon(message.icon),
                  QString::fromStdString(message.caption));
}

bool AnalysisCommands::run(bool sayWhyUnsolvable) {
    内力_位移& run = solver();
    if (!gj2计算gj(document, run, [this](const orv::Diagnostic& m) { showMessage(m); })) {
        return false;
    }
    if (document.membersEntered == 0 || !run.能否计算()) {
        if (sayWhyUnsolvable && document.membersEntered > 0) {
            platform.tell(QString::fromUtf8(kCannotComputeMessage));
        }
        return false;
    }
    if (!run.korvasta(utf8ToFileName(document.projectPath)) || !showSetOf(run)) {
        return false;
    }
    if (succeeded) {
        succeeded(shownSolver());
    }
    return true;
}

// A choice the model no longer has (its case or combination was deleted)
// falls back to case 1. Case 1's set is the document and the run
// themselves, taken as they are: a large frame's diagram is not kept
// waiting for a copy of its model.
bool AnalysisCommands::showSetOf(const 内力_位移& solved) {
    if (!isChoiceOf(document, document.shownResults)) {
        document.shownResults = ResultChoice{};
    }
    otherSet_.reset();
    if (document.shownResults == ResultChoice{}) {
        return true;
    }
    otherSet_ = resultSetOf(document, solved, document.shownResults);
    return otherSet_ && writeShownSetFiles();
}

// korvasta wrote case 1's files. Another set replaces both, each whole, or
// leaves neither, so the files never hold results other than those shown.
bool AnalysisCommands::writeShownSetFiles() {
    const 内力_位移& set = otherSet_->solver;
    const std::string base = orv::resultBaseName(utf8ToFileName(document.projectPath));
    try {
        orv::writeTextFile(base + ".mqn",
                           orv::memberForcesText(set.a, set.杆件总数, set.左节点号, set.右节点号));
        orv::writeTextFile(base + ".uva", orv::displacementsText(set.a, set.节点总数));
        return true;
    } catch (const orv::EngineError& error) {
        removeResultFile(base + ".mqn");
        removeResultFile(base + ".uva");
        platform.tell(QString::fromUtf8(error.what()), MessageIcon::Exclamation);
        return false;
    }
}

// The results are claimed and printed only when the engine wrote them.
void AnalysisCommands::computeCommand() {
    if (document.membersEntered <= 0) {
        return;
    }
    canvas.clear();
    if (!run(true)) {
        return;
    }
    // The printed results replace the result picture, as a diagram
    // replaces them.
    canvas.clear();
    clearResultPictures(canvas);
    printResults();
    杆件号节点号显示(document, canvas, controls);
    // Last, so that the number display's own hint does not hide where the
    // results were saved.
    controls.setPrintsHint(QStringLiteral("计算的杆件内力结果,位移结果保存在") +
                           resultBase(document.projectPath) + QStringLiteral(".mqn(.uva)") +
                           shownSetSuffix());
}

// Every line of the ".mqn" file as it stands, at world x = 8, from 0.7
// below the top of the view, 0.3 apart.
void AnalysisCommands::printResults() {
    std::ifstream file(filePath(resultBase(document.projectPath).toStdString() + ".mqn"));
    // The columns stand under their Chinese headers only in a font of one
    // width, Chinese characters two.
    const QFont tableFont = fixedWidthChineseFont(canvas.font);
    float y = kFirstResultLine;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();  // result files end their lines with CR LF
        }
        canvas.printText(kResultsX, document.world.scaleTop + y, QString::fromStdString(line),
                         tableFont);
        y += kResultLineStep;
    }
}

// A model that cannot be solved draws nothing and says nothing: the
// analysis command is where the user learns why. A diagram of the set
// shown replaces what was printed and the result picture shown before it,
// and is named in the hint with its unit, scale and set.
void AnalysisCommands::showDiagram(DiagramKind kind) {
    if (!run(false) || document.membersEntered <= 0) {
        return;
    }
    canvas.clear();
    showResultPicture(canvas, FigureLayer::Diagram,
                      diagramsOf(shownModel(), shownSolver().a, kind));
    shownDiagram_ = kind;
    envelopeShown_ = false;
    const DiagramName name = nameOf(kind);
    controls.setResultPictureHint(
        diagramHint(QString::fromUtf8(name.name), name, document.diagramScale) + shownSetSuffix());
}

// The envelope takes every set, whichever is shown; it is drawn like a
// diagram, in its place.
void AnalysisCommands::showEnvelope(DiagramKind kind) {
    if (!run(false) || document.membersEntered <= 0) {
        return;
    }
    canvas.clear();
    showResultPicture(canvas, FigureLayer::Diagram, envelopeFigure(document, solver(), kind));
    envelopeShown_ = true;
    shownDiagram_ = kind;
    controls.setResultPictureHint(
        diagramHint(envelopeTitle(kind), nameOf(kind), document.diagramScale));
}

void AnalysisCommands::momentDiagram() {
    showDiagram(DiagramKind::Moment);
}

void AnalysisCommands::shearDiagram() {
    showDiagram(DiagramKind::Shear);
}

void AnalysisCommands::axialDiagram() {
    showDiagram(DiagramKind::Axial);
}

// Asks again until the scale is positive (and within the single range); a
// text that is no number reads 0. An empty reply (Cancel) keeps the scale. The next diagram uses
// the new scale; nothing is redrawn now.
void AnalysisCommands::diagramScaleCommand() {
    for (;;) {
        const QString reply = platform.inputBox(
            QStringLiteral("输入内力图幅度,不能为0,一般情况<1"), QStringLiteral("Orvandel"),
            QString::fromStdString(orv::shortestText(document.diagramScale)));
        if (reply.isEmpty()) {
            return;
        }
        const auto scale = static_cast<float>(orv::leadingNumber(reply.toStdString()));
        if (scale > 0 && std::isfinite(scale)) {
            document.diagramScale = scale;
            return;
        }
    }
}
