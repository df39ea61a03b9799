// The results beside the printed ones: the support reactions and the
// deflected shape drawn as figures over the frame, and the results window.
// Owns the frame of the result set the last successful analysis showed,
// the deflected shape's magnification and the results window; runs the
// analysis through AnalysisCommands and shows its figures as the canvas's
// result picture.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "editor/editor_part.h"
#include "results/deflected_shape.h"
#include "results/result_tables.h"
#include "results/solved_frame.h"

class AnalysisCommands;
class QWidget;
class ResultsWindow;

class ResultViews : public EditorPart {
public:
    // The results window is made on `editor`.
    ResultViews(const EditorContext& context, AnalysisCommands& analysis, QWidget& editor);
    ~ResultViews() override;

    // 内力图显示比例 (the scale of what was drawn last), 支座反力, 变形图, 结果表.
    std::vector<MenuRow> menuRows() override;
    // No result picture of the document that went.
    void reset(ResetReason reason) override;

    // Every successful analysis, with the solver of the result set shown:
    // the reactions, the deflected shape and the results window follow it.
    void analysisSucceeded(const 内力_位移& solver);
    // The drawing changes: the result picture of an earlier analysis no
    // longer holds.
    void clearFigures();

    // 支座反力, 变形图 (each the one result picture shown), 结果表.
    void reactionsCommand();
    void deflectionCommand();
    // The results window shows (made on first use).
    void tableCommand();

    // The deflected shape is up: the scale command sets its magnification.
    bool deflectionShown() const;
    bool reactionsShown() const;
    void magnificationCommand();

    ResultsWindow* resultsWindow() const { return window_; }
    // The results window's tables (end forces, displacements, reactions)
    // of the last analysis; nothing before one.
    std::optional<std::array<ResultTable, 3>> tables() const;
    double magnification() const { return magnification_; }

private:
    void scaleCommand();
    void fillWindow();
    void drawDeflection();

    AnalysisCommands& analysis;
    QWidget& editor;
    std::optional<SolvedFrame> solved_;
    std::vector<MemberCurve> curves_;  // of the deflected shape drawn last
    double magnification_ = 1;
    ResultsWindow* window_ = nullptr;  // a child of the editor window
};
