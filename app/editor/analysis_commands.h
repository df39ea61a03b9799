// The analysis commands: the document copied into the window's one solver
// and run, the member end forces printed on the canvas, the moment, shear
// and axial-force diagrams (their labels kept apart, their parts signed,
// the hint naming them), and the scale they are drawn at.
//
// Owns the solver (its inputs are overwritten by every run, its result
// table read by the diagrams). Prints results on the canvas's transient
// layer and shows a diagram as the canvas's result picture;
// shows messages through the platform and the hint and the number display
// through the window's controls.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "editor/editor_part.h"
#include "results/internal_force_diagram.h"
#include "solver/diagnostic.h"

class 内力_位移;
class QString;

// The name of a diagram as the hint and the printed page give it ("弯矩图").
QString diagramTitle(DiagramKind kind);

class AnalysisCommands : public EditorPart {
public:
    explicit AnalysisCommands(const EditorContext& context);
    ~AnalysisCommands() override;

    // 内力位移计算 and the three diagrams.
    std::vector<MenuRow> menuRows() override;

    内力_位移& solver();
    // Copies the document into the solver and runs the analysis. False,
    // with nothing drawn or claimed, when the drawing is incomplete (its
    // message shown), the model cannot be solved (its message shown only
    // when `sayWhyUnsolvable`) or the engine reported an error.
    bool run(bool sayWhyUnsolvable);
    // Told after every run the engine completed, with the solved frame.
    std::function<void(const 内力_位移&)> succeeded;

    // 内力位移计算: the run, its end forces printed and the hint naming the
    // result files.
    void computeCommand();
    // Every line of the ".mqn" file as it stands, on the canvas.
    void printResults();
    void momentDiagram();
    void shearDiagram();
    void axialDiagram();
    void diagramScaleCommand();
    // The diagram the drawing shows, if it shows one.
    std::optional<DiagramKind> shownDiagram() const;

private:
    void showMessage(const orv::Diagnostic& message);
    void drawDiagram(DiagramKind kind);

    std::unique_ptr<内力_位移> solver_;
    std::optional<DiagramKind> shownDiagram_;
};
