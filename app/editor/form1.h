// The editor window: a drawing canvas in world coordinates on which a frame
// is drawn member by member, with the menus of every command, the legend
// with the coordinate boxes and the hint label. Its member functions are
// defined in one file per concern (form1_*.cpp); the commands themselves
// live in the parts it composes, each owning its own state.
#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "canvas/canvas.h"
#include "document/document.h"
#include "document/editor_mode.h"
#include "editor/analysis_commands.h"
#include "editor/document_commands.h"
#include "editor/drawing_output.h"
#include "editor/edit_commands.h"
#include "editor/editor_controls.h"
#include "editor/key_codes.h"
#include "editor/load_commands.h"
#include "editor/load_drawing.h"
#include "editor/member_input.h"
#include "editor/member_pointing.h"
#include "editor/menu_commands.h"
#include "editor/result_views.h"
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
    const DrawingOutput& drawingOutput() const { return output_; }
    // The member property dialog, created on first use.
    Form3& form3();
    bool hasForm3() const { return form3_ != nullptr; }
    // The load dialog, created on first use.
    Form2& form2();
    bool hasForm2() const { return form2_ != nullptr; }
    // The member the dialogs act on: the highest-numbered red member, or 0.
    std::int16_t markedMember() const;

    // Start-up: the window maximised, the world window from the screen,
    // the document reset.
    void Form_Load();
    void setCaption();

    // Menus.
    QMenu* menu(MenuId id) const;
    QAction* menuItem(MenuCommand id) const;
    void 关闭菜单();
    void 激活菜单();

    // View (the ViewControl part).
    void 放大();
    void 缩小();
    void 平移();
    void 重装杆件();
    void showDocumentOnCanvas();
    void switchCrosshair();
    // Beside them: the whole frame in view; the wheel and the middle
    // button zoom and pan as 放大/缩小/平移 do.
    void 全图();
    // Whether the crosshair wipes what is printed where it passes (on, the
    // window's way, unless the user turned it off in an earlier run).
    void 十字光标擦除显示();
    // Supports (the SupportPlacement part). The placement commands: each
    // starts placing its kind once every member is drawn.
    void 鼠标指定固端();
    void 鼠标指定水平单铰();
    void 鼠标指定竖向单铰();
    void 鼠标指定双铰();
    // Removes every support (the command, and the step of other commands).
    void 删除支座();
    void 删除固端();

    // Command modes (form1_modes.cpp): at most one runs at a time, and
    // this is the only way into one.
    using Mode = EditorMode;
    void enterMode(Mode mode) override;

    // Working on drawn members (the MemberPointing part).
    void 删除杆件();
    void 杆件查询修改();
    void 不同材料分色显示();
    void 不同尺寸分色显示();
    void 不同断面分色显示();

    // The 文件 menu and colours (the DocumentCommands part), and help.
    void 新建();
    void 打开();
    void 保存();
    void 另存();
    void 退出();
    void 绘图窗口颜色();
    void 十字光标颜色();
    // Shows or hides the loads on the drawing (checked: shown).
    void 显示荷载();
    void 帮助文档();
    // Reads the project at `path` into the window (打开 after its dialog, and
    // a project named on the command line); false, with the reason shown,
    // when the file is refused.
    bool openProject(const QString& path);
    // The drawing to a file, and to paper (the DrawingOutput part).
    void 导出图形();
    void 打印();

    // The 编辑 menu (the EditCommands part).
    void 撤销();
    void 重做();

    // Analysis and diagrams (the AnalysisCommands part): the window's one
    // solver, the run, the results printed on the canvas.
    void 内力位移计算();
    void 窗口显示计算结果();
    内力_位移& solver();
    void 弯矩图();
    void 剪力图();
    void 轴力图();
    void 内力图显示比例();
    // Beside them (the ResultViews part): the support reactions and the
    // deflected shape drawn over the frame, and the results window.
    void 支座反力();
    void 变形图();
    void 结果表();
    const ResultViews& resultViews() const { return results_; }

    // Loads (the LoadCommands part).
    void 输入荷载();
    void 荷载查询修改();
    // The member under the mouse, marked red; 0 for none.
    std::int16_t HoverMember(bool enable);
    void DrawLocalAxisTick(std::int16_t i);
    void ResetMemberColours();

    // Members.
    void 杆件总数();
    void 输入杆件();
    void 查看杆件节点编号();
    void 杆件号节点号显示();
    // False when the members would need more nodes than a node number can
    // count; the numbering is then left as it was.
    [[nodiscard]] bool 节点自动编号();
    void 捕捉端点();
    // False when numbering refused the member (too many nodes).
    [[nodiscard]] bool FinishMember(std::int16_t k);

    // Event handlers: world coordinates, button codes (1 left, 2 right) and
    // the key codes above.
    void Form_KeyUp(int key);
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(float x, float y);
    // Coordinate boxes: whether a typed character is kept; a released key.
    bool coordinateBoxKeyPress(int character) const;
    void coordinateBoxKeyUp(int key);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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

    void notePress(const QKeyEvent& event);
    bool takePress(const QKeyEvent& event);
    bool isPressOnLegend(QObject* watched, QEvent* event) const;
    bool isOnHintText(QPointF pixel) const;
    // The part of the canvas that no control lies over, in its pixels.
    QRect freeCanvasArea() const;
    void buildMenus();
    void setMenuEnabled(MenuId id, bool enabled);

    void buildLegend();
    void maximise();
    void showCursorPosition(float x, float y);
    void escapeInnermostStep();
    void giveKeyboardToEditor();
    void escapeFromDialog();

    // EditorControls, for the parts.
    void setHint(const QString& text) override;
    void setPrintsHint(const QString& text) override;
    void setResultPictureHint(const QString& text) override;
    void showRestingHint() override;
    // A hint about what the canvas shows gives way to the resting hint
    // when that goes, unless another hint took its place meanwhile.
    enum class HintSubject { Prints, ResultPicture };
    void describe(HintSubject subject, const QString& text);
    void forgetHintAbout(HintSubject subject);
    std::optional<std::pair<HintSubject, QString>> hintAbout_;
    bool memberBeingDrawn() const override { return memberInput_.drawing(); }

    // EditorControls, continued.
    void closeMenus() override { 关闭菜单(); }
    void keyboardToEditor() override { giveKeyboardToEditor(); }
    void setBoxTexts(const QString& x, const QString& y) override;
    std::pair<QString, QString> boxTexts() const override;
    void openMenus() override { 激活菜单(); }
    void keyboardToCanvas() override;
    [[nodiscard]] bool renumberNodes(const std::vector<SupportAtPoint>& supports) override;
    Form3& propertyDialog() override { return form3(); }
    Form2& loadDialog() override { return form2(); }
    bool hasLoadDialog() const override { return hasForm2(); }
    void showNumbers() override { 杆件号节点号显示(); }
    void setItemEnabled(MenuCommand id, bool enabled) override;
    void showCaption() override { setCaption(); }
    void showNewDocument() override;

    // The parts, each with the state it owns.
    SupportPlacement supports_;
    MemberInput memberInput_;
    MemberPointing pointing_;
    LoadCommands loads_;
    AnalysisCommands analysis_;
    ResultViews results_;
    LoadDrawing loadDrawing_;
    ViewControl view_;
    DocumentCommands documents_;
    DrawingOutput output_;
    EditCommands edits_;
    QString programFolder_;
    std::map<MenuId, QMenu*> menus_;
    std::map<MenuCommand, QAction*> items_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form2> form2_;
    // Keys pressed while the window or its coordinate boxes had the
    // keyboard, not yet released (Qt key codes).
    std::set<int> keysPressedHere_;
};
