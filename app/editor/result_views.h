// The results beside the printed ones: the support reactions and the
// deflected shape drawn as figures over the frame, and the results window.
// Owns the frame as the last successful analysis left it, the deflected
// shape's magnification and the results window; runs the analysis through
// AnalysisCommands and shows its figures as the canvas's result picture.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "document/document.h"
#include "results/deflected_shape.h"
#include "results/result_tables.h"
#include "results/solved_frame.h"

class AnalysisCommands;
class Canvas;
class EditorControls;
class Platform;
class QWidget;
class ResultsWindow;

class ResultViews {
public:
    ResultViews(Document& document, Canvas& canvas, Platform& platform, EditorControls& controls,
                AnalysisCommands& analysis);
    ~ResultViews();

    // Every successful analysis: the results window follows it.
    void analysisSucceeded(const 内力_位移& solver);
    // The drawing changes: the result picture of an earlier analysis no
    // longer holds.
    void clearFigures();

    // 支座反力, 变形图 (each the one result picture shown), 结果表.
    void reactionsCommand();
    void deflectionCommand();
    // The results window shows on `editor` (made on first use).
    void tableCommand(QWidget* editor);

    // The deflected shape is up: the scale command sets its magnification.
    bool deflectionShown() const;
    void magnificationCommand();

    ResultsWindow* resultsWindow() const { return window_; }
    // The results window's tables (end forces, displacements, reactions)
    // of the last analysis; nothing before one.
    std::optional<std::array<ResultTable, 3>> tables() const;
    double magnification() const { return magnification_; }

private:
    void fillWindow();
    void drawDeflection();

    Document& document;
    Canvas& canvas;
    Platform& platform;
    EditorControls& controls;
    AnalysisCommands& analysis;
    std::optional<SolvedFrame> solved_;
    std::vector<MemberCurve> curves_;  // of the deflected shape drawn last
    double magnification_ = 1;
    ResultsWindow* window_ = nullptr;  // a child of the editor window
};
