// The analysis commands: the document copied into the window's one solver
// and run, the member end forces printed on the canvas, the moment, shear
// and axial-force diagrams (their labels kept apart, their parts signed,
// the hint naming them), their envelope, and the scale they are drawn at.
//
// Every run solves all load cases; the result set shown (the document's
// chosen case or combination) is what the printed forces, the diagrams,
// the result files and every part told of the run see.
//
// Owns the solver (its inputs are overwritten by every run) and the set
// shown from its results. Prints results on the canvas's transient
// layer and shows a diagram as the canvas's result picture;
// shows messages through the platform and the hint and the number display
// through the window's controls.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "editor/editor_part.h"
#include "results/internal_force_diagram.h"
#include "results/result_sets.h"
#include "solver/diagnostic.h"

class 内力_位移;
class QString;

// The name of a diagram as the hint and the printed page give it ("弯矩图").
QString diagramTitle(DiagramKind kind);
// "弯矩包络图", "剪力包络图", "轴力包络图".
QString envelopeTitle(DiagramKind kind);

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
    // Told after every run the engine completed, with the solver of the
    // result set shown.
    std::function<void(const 内力_位移&)> succeeded;
    // The result set of the last completed run: the document's choice, or
    // case 1 when the model no longer has it. Nothing before a run.
    // " — <name>" of the set shown, for the hints, when the project has
    // more than one set to choose from; empty otherwise.
    QString shownSetSuffix() const;

    // 内力位移计算: the run, its end forces printed and the hint naming the
    // result files.
    void computeCommand();
    // Every line of the ".mqn" file as it stands, on the canvas.
    void printResults();
    void momentDiagram();
    void shearDiagram();
    void axialDiagram();
    void showDiagram(DiagramKind kind);
    // The envelope of the force over the combinations, both bounds.
    void showEnvelope(DiagramKind kind);
    void diagramScaleCommand();
    // The diagram the drawing shows, if it shows one (not an envelope).
    std::optional<DiagramKind> shownDiagram() const;
    // The envelope the drawing shows, if it shows one.
    std::optional<DiagramKind> shownEnvelope() const;
    // Whether the canvas shows the printed end forces of 内力位移计算.
    bool resultsPrinted() const;

private:
    void showMessage(const orv::Diagnostic& message);
    bool showSetOf(const 内力_位移& solved);
    bool writeShownSetFiles();
    // The model and the solved run of the set shown.
    const Model& shownModel() const;
    const 内力_位移& shownSolver();

    std::unique_ptr<内力_位移> solver_;
    // The set shown when it is not case 1's (see showSetOf).
    std::optional<ResultSet> otherSet_;
    std::optional<DiagramKind> shownDiagram_;
    bool envelopeShown_ = false;
};
