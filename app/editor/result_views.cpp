// Reactions, the deflected shape and the results window; see result_views.h.
#include "editor/result_views.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "dialogs/results_window.h"
#include "editor/analysis_commands.h"
#include "editor/editor_controls.h"
#include "editor/result_picture.h"
#include "platform/platform.h"
#include "results/result_figures.h"
#include "results/result_tables.h"
#include "text/number_text.h"

ResultViews::ResultViews(const EditorContext& context, AnalysisCommands& analysis, QWidget& editor)
    : EditorPart(context), analysis(analysis), editor(editor) {}

ResultViews::~ResultViews() = default;

std::vector<MenuRow> ResultViews::menuRows() {
    using C = MenuCommand;
    return {{C::DiagramScale, "内力图显示比例", [this] { scaleCommand(); }},
            {C::Reactions, "支座反力", [this] { reactionsCommand(); }},
            {C::Deflection, "变形图", [this] { deflectionCommand(); }},
            {C::ResultsTable, "结果表", [this] { tableCommand(); }}};
}

void ResultViews::reset(ResetReason /*reason*/) {
    clearFigures();
}

// The scale of what was drawn last: the deflected shape's magnification
// while it is up, else the diagrams'.
void ResultViews::scaleCommand() {
    if (deflectionShown()) {
        magnificationCommand();
    } else {
        analysis.diagramScaleCommand();
    }
}

void ResultViews::analysisSucceeded(const 内力_位移& solver) {
    solved_ = readSolvedFrame(solver);
    if (window_ != nullptr && window_->isVisible()) {
        fillWindow();
    }
}

void ResultViews::clearFigures() {
    clearResultPictures(canvas);
}

bool ResultViews::deflectionShown() const {
    return !canvas.figure(FigureLayer::Deflection).empty();
}

bool ResultViews::reactionsShown() const {
    return !canvas.figure(FigureLayer::Reactions).empty();
}

void ResultViews::reactionsCommand() {
    if (!analysis.run(true) || !solved_) {
        return;
    }
    const auto reactions = supportReactions(*solved_);
    showResultPicture(canvas, FigureLayer::Reactions, reactionFigure(reactions));
    controls.setResultPictureHint(
        QString::fromStdString(equilibriumText(equilibriumResidual(*solved_, reactions))) +
        analysis.shownSetSuffix());
}

void ResultViews::deflectionCommand() {
    if (!analysis.run(true) || !solved_) {
        return;
    }
    curves_ = elasticCurves(*solved_);
    magnification_ = roundedMagnification(automaticMagnification(curves_));
    drawDeflection();
}

void ResultViews::drawDeflection() {
    showResultPicture(canvas, FigureLayer::Deflection,
                      deflectionFigure(*solved_, curves_, magnification_));
    controls.setResultPictureHint(QString::fromStdString(deflectionText(*solved_, magnification_)) +
                                  analysis.shownSetSuffix());
}

// The input box offers the magnification shown; a positive number redraws
// the shape at it, anything else keeps it.
void ResultViews::magnificationCommand() {
    if (!solved_ || !deflectionShown()) {
        return;
    }
    const QString answer =
        platform.inputBox(QStringLiteral("请输入变形图放大倍数"), QStringLiteral("变形图"),
                          QString::fromStdString(orv::generalText(magnification_)));
    if (answer.isEmpty()) {
        return;
    }
    const auto value = orv::parseNumber(answer.trimmed().toStdString());
    if (!value || !(*value > 0) || !std::isfinite(*value)) {
        platform.tell(QStringLiteral("放大倍数应为正数"));
        return;
    }
    magnification_ = *value;
    drawDeflection();
}

void ResultViews::tableCommand() {
    if (!analysis.run(true) || !solved_) {
        return;
    }
    if (window_ == nullptr) {
        window_ = new ResultsWindow(platform, &editor);
    }
    fillWindow();
    window_->show();
    window_->raise();
}

// A project with load cases shows every case and combination in the
// window, the set the drawing shows selected; a project of one case its
// tables as they always were.
void ResultViews::fillWindow() {
    if (loadCaseCount(document) > 1 || !document.combinations.empty()) {
        const std::vector<ResultChoice> choices = everyResultChoice(document);
        const auto shown = std::find(choices.begin(), choices.end(), document.shownResults);
        window_->showResults(
            allResultTables(document, analysis.solver()), document.projectPath,
            shown == choices.end() ? 0 : static_cast<std::size_t>(shown - choices.begin()));
        return;
    }
    if (auto shown = tables()) {
        window_->showTables(std::move(*shown), document.projectPath);
    }
}

std::optional<std::array<ResultTable, 3>> ResultViews::tables() const {
    if (!solved_) {
        return std::nullopt;
    }
    return resultTables(*solved_);
}
