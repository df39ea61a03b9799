// The editor window: a drawing canvas in world coordinates on which a frame
// is drawn member by member, with the menus of every command, the legend
// with the coordinate boxes and the hint label. Its member functions are
// defined in one file per concern (form1_*.cpp); the commands themselves
// live in the parts it composes, each owning its own state and publishing
// its own menu items.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "canvas/canvas.h"
#include "document/document.h"
#include "document/editor_mode.h"
#include "editor/analysis_commands.h"
#include "editor/connection_commands.h"
#include "editor/document_commands.h"
#include "editor/drawing_output.h"
#include "editor/edit_commands.h"
#include "editor/editor_controls.h"
#include "editor/editor_part.h"
#include "editor/grid_snap.h"
#include "editor/hint_line.h"
#include "editor/load_case_commands.h"
#include "editor/load_commands.h"
#include "editor/load_drawing.h"
#include "editor/member_input.h"
#include "editor/member_pointing.h"
#include "editor/menu_commands.h"
#include "editor/node_mover.h"
#include "editor/pressed_keys.h"
#include "editor/result_set_commands.h"
#include "editor/result_views.h"
#include "editor/selection_commands.h"
#include "editor/support_effect_commands.h"
#include "editor/support_placement.h"
#include "editor/view_control.h"

class CanvasView;
class Form2;
class Form3;
class Platform;
class 内力_位移;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;

// Window variables of the view and of member input, for reading: the
// window keeps the mouse position, the parts their own state.
struct EditorState {
    float cursorX = 0;  // world position of the last mouse move
    float cursorY = 0;
    bool panArmed = false;        // 平移 chosen, the first pan point awaited
    bool panAnchorTaken = false;  // the first pan point taken, the second awaited
    float panAnchorX = 0;
    float panAnchorY = 0;
    bool awaitingFirstPoint = false;  // member input waits for a member's first point
    bool memberInProgress = false;    // the second point of the last member is awaited
    bool orthoMode = false;           // the member being drawn stays horizontal or vertical
    bool hoverEnabled = false;        // the hover test runs (MemberPointing's, for reading)
};

class Form1 : public QMainWindow, private EditorControls {
public:
    // `programFolder` is the folder of the program (help document, sketch
    // bitmaps); a new project is "noname.tsd" in `newProjectFolder`, the
    // program folder when none is given.
    Form1(Document& document, Platform& platform, QString programFolder,
          QString newProjectFolder = {});
    ~Form1() override;

    // What the window shows, for reading: the canvas model and the window
    // variables of the view and of member input.
    const Canvas& canvasModel() const { return canvas; }
    EditorState editorState() const;
    // The controls, for driving with events.
    CanvasView* canvasWidget() const { return canvasView; }
    QGroupBox* legend() const { return Frame1; }
    QLabel* xAxisLabel() const { return Label1; }
    QLineEdit* xBox() const { return Text1; }
    QLineEdit* yBox() const { return Text2; }
    QLabel* hintLabel() const { return Label6; }
    // Parts, for reading: the drawing as it leaves the window, the results
    // beside the printed ones, and the window's one solver.
    const DrawingOutput& drawingOutput() const { return output_; }
    const ResultViews& resultViews() const { return results_; }
    const 内力_位移& solver() { return analysis_.solver(); }
    // The member property dialog and the load dialog, created on first use.
    Form3& form3() override;
    bool hasForm3() const { return form3_ != nullptr; }
    Form2& form2() override;
    bool hasForm2() const override { return form2_ != nullptr; }

    // Start-up: the window maximised, the world window from the screen,
    // the document reset.
    void Form_Load();
    void setCaption() override;
    // The window as start-up leaves it, for a document just made, started
    // anew or read (also one put in place from outside): the mode ended,
    // the menus open, every part reset for `reason`.
    void showNewDocument(ResetReason reason) override;

    // Menus: built from the parts' items in menu order. The shortcut of an
    // item does nothing while its menu is closed for a mode.
    QMenu* menu(MenuId id) const;
    QAction* menuItem(MenuCommand id) const;
    void 关闭菜单() override;
    void 激活菜单() override;

    // Command modes (form1_modes.cpp): at most one runs at a time, and
    // this is the only way into one.
    using Mode = EditorMode;
    void enterMode(Mode mode) override;

    // Reads the project at `path` into the window (打开 after its dialog, and
    // a project named on the command line); false, with the reason shown,
    // when the file is refused.
    bool openProject(const QString& path);

    // The member under the mouse, marked red; 0 for none.
    std::int16_t HoverMember(bool enable);
    void DrawLocalAxisTick(std::int16_t i);
    void ResetMemberColours();
    // Numbers the nodes anew, keeping `supports` at their points. False
    // when the members would need more nodes than a node number can count;
    // the numbering is then left as it was.
    [[nodiscard]] bool 节点自动编号(const std::vector<SupportAtPoint>& supports) override;
    void 捕捉端点();
    // False when numbering refused the member (too many nodes).
    [[nodiscard]] bool FinishMember(std::int16_t k);

    // Event handlers: world coordinates, button codes (1 left, 2 right) and
    // the key codes above.
    void Form_KeyUp(int key);
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(float x, float y);
    void Form_MouseUp(int button, float x, float y);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void escapeInnermostStep();
    void escapeFromDialog();

    // EditorControls, for the parts.
    void setHint(const QString& text) override;
    void setPrintsHint(const QString& text) override;
    void setResultPictureHint(const QString& text) override;
    void showRestingHint() override;
    void keyboardToCanvas() override;
    void keyboardToEditor() override;
    void setBoxTexts(const QString& x, const QString& y) override;
    std::pair<QString, QString> boxTexts() const override;

    Document& document;
    Platform& platform;
    Canvas canvas;
    EditorState state;

    // Controls, by their window names; the canvas first, since the parts
    // work on it.
    CanvasView* canvasView = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;    // "X"
    QLabel* Label2 = nullptr;    // "Y"
    QLineEdit* Text1 = nullptr;  // x, or the relative x of the member being drawn
    QLineEdit* Text2 = nullptr;  // y, or the relative y
    QLabel* Label6 = nullptr;    // the hint label
    HintLine hints_;

    // The parts, each with the state it owns, sharing one context.
    EditorContext context_;
    MemberInput memberInput_;
    SupportPlacement supports_;
    MemberPointing pointing_;
    ConnectionCommands connections_;
    LoadCommands loads_;
    AnalysisCommands analysis_;
    ResultViews results_;
    ResultSetCommands resultSets_;
    LoadDrawing loadDrawing_;
    SupportEffectCommands supportEffects_;
    ViewControl view_;
    GridSnap grid_;
    NodeMover nodes_;
    EditCommands edits_;
    DocumentCommands documents_;
    DrawingOutput output_;
    LoadCaseCommands loadCases_;
    SelectionCommands selection_;
    // Every part, in the order they reset: the view shows the document
    // once the others dropped the old one; the saved state and the history
    // are taken last.
    std::array<EditorPart*, 18> parts_;

    QString programFolder_;
    std::map<MenuId, QMenu*> menus_;
    std::map<MenuCommand, QAction*> items_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form2> form2_;
    // Keys pressed while the window or its coordinate boxes had the keyboard.
    PressedKeys keysPressedHere_;
};
