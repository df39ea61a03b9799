// The load dialog: a small modeless window kept above the editor that holds
// one member load (kind, position or extent xq, value q) with a sketch of
// the kind. Load input gives the load to the member marked on the canvas
// with F12; load query lists the picked member's loads, writes every edit
// to it at once and deletes loads with Del.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "dialogs/tool_window.h"
#include "document/document.h"
#include "document/load_cases.h"

struct LoadKindRow;

class Platform;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QMoveEvent;
class QShowEvent;

class Form2 : public EditorToolWindow {
public:
    // `programFolder` holds the sketch bitmaps; `editor` is the main window
    // the dialog stays above and hands the keyboard back to.
    Form2(Document& document, Platform& platform, QString programFolder, QWidget* editor);

    // Load input: the six kinds, "均布" with xq = q = 1, caption "荷载输入".
    void 输入荷载时窗体();
    // F12 in load input: appends the dialog's load to the marked member.
    void AddLoadToMember();
    // Load query: the picked member's loads in the list, load 1 shown.
    void ShowMemberLoads();
    // Writes the two fields to the shown load of the picked member.
    void UpdateShownLoad();
    // Deletes the shown load of the picked member.
    void DeleteShownLoad();

    // The member whose canvas line carries the mark (red), the highest
    // number when several do; 0 for none. Set by the editor.
    std::function<std::int16_t()> markedMember;
    // Esc in the dialog: the editor window takes the keyboard and the Esc,
    // which ends the step there as an Esc in the window does. Set by the
    // editor.
    std::function<void()> escapeToEditor;
    // Writes the editor's hint label. Set by the editor.
    std::function<void(const QString&)> showHint;
    // Told after the dialog changed a member's loads (given, edited or
    // deleted), so that the drawing follows. Set by the editor.
    std::function<void()> loadsChanged;
    // Told after the shown load of the picked member was changed or
    // removed. Set by the editor.
    std::function<void(bool removed)> loadWritten;

    // Controls, by their window names; Text1[0] is xq, Text1[1] is q.
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;  // "Xq="
    QLabel* Label2 = nullptr;  // "q="
    QLabel* Label3 = nullptr;  // the check box's caption
    QLabel* Label4 = nullptr;  // "m"
    QLabel* Label5 = nullptr;  // "kn,kn*m,kn/m"
    std::array<QLineEdit*, 2> Text1{};
    QComboBox* Combo1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;

    // The first showing places the dialog.
    void setVisible(bool visible) override;

    // Appends the dialog's load to `member` (full length: the member's own
    // length), as F12 gives it to the marked member.
    void appendDialogsLoad(gj& member);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QRect frameNextToEditor(const QRect& editorFrame, const QRect& available) const override;

private:
    void createControls();
    void createFields();
    void makeRoomForCaptions();

    void changeKind(int position);
    void showKindControls(const QString& kind);
    void showSketch(const LoadKindRow& row);
    void updatePositionField(const QString& kind);
    void setPositionFieldShown(bool shown);
    void fillList(const gj& member);
    void showChosenLoad(int position);

    bool handleFieldKey(int field, const QKeyEvent& key);
    bool handleListKey(const QKeyEvent& key);
    bool isClosedList(const QObject* watched) const;
    int fieldOf(const QObject* watched) const;

    std::int16_t markedMemberNumber() const;
    gj* memberShownForEditing();
    MemberLoads currentLoads(gj& member) const;
    ConstMemberLoads readCurrentLoads(const gj& member) const;
    void hint(const QString& text);
    void tellLoadWritten(bool removed);
    void passEscapeToEditor();
    void reportLoadsChanged();

    Document& document_;
    Platform& platform_;
    QString programFolder_;
    bool placed_ = false;
    // The member whose loads the list holds (ShowMemberLoads), 0 for none.
    // The fields write to a member only while it is this one, so a list
    // left over from another member never edits the wrong loads.
    std::int16_t listedMember_ = 0;
};
