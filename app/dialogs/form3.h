// The member property dialog "杆件特性": a small modeless window kept above
// the editor that holds one set of member properties (material, section
// shape, up to five section dimensions) with a sketch of the shape. Member
// input gives each new member these values; member query shows the member
// under the mouse in it and writes every change to the picked member.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/tool_window.h"
#include "document/document.h"

struct SectionShape;

// The dialog's client height: the design's rows and one more for the
// member's connections. The load dialog sits below it.
inline constexpr int kForm3HeightTwips = 2880;

class Platform;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMoveEvent;
class QShowEvent;

class Form3 : public EditorToolWindow {
public:
    // `programFolder` holds the sketch bitmaps; `editor` is the main window
    // the dialog stays above and hands the keyboard back to.
    Form3(Document& document, Platform& platform, QString programFolder, QWidget* editor);

    // Fills both lists and resets the dialog to its defaults.
    void FillMemberPropertyLists();
    // Shows member i (1..membersEntered) without changing it.
    void ShowMemberProperties(std::int16_t member);
    // Writes the dialog's values to the picked member and checks them; does
    // nothing unless a member is picked and marked.
    void ApplyMemberProperties();

    // The values member input gives a new member.
    std::string sectionText() const;
    std::string materialText() const;
    std::array<float, 5> dimensions() const;

    // The member whose canvas line carries the pick mark (red), the highest
    // number when several do; 0 for none. Set by the editor.
    std::function<std::int16_t()> markedMember;
    // Esc in the dialog: the editor window takes the keyboard and the Esc,
    // which ends the step there as an Esc in the window does. Set by the
    // editor.
    std::function<void()> escapeToEditor;
    // Told after the dialog wrote to the picked member. Set by the editor.
    std::function<void()> propertiesWritten;

    // Controls, by their window names; element 0 of the arrays is unused.
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Combo2 = nullptr;
    std::array<QLabel*, 11> Label3{};   // 1..5 row names, 6..10 row units
    std::array<QLineEdit*, 6> Text1{};  // 1..5 dimension rows
    QLabel* Image1 = nullptr;           // the sketch
    // How the shown member's ends are connected, read only; empty in
    // member input.
    QLabel* Label4 = nullptr;

    // The first showing runs the load step (topmost, lists, position).
    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QRect frameNextToEditor(const QRect& editorFrame, const QRect& available) const override;

private:
    void createControls();
    void widenFieldsForLongValues();
    void load();
    bool isClosedList(const QObject* watched) const;
    void changeSection();
    void layOutRows(const SectionShape& shape);
    void putDefaultValues(const SectionShape& shape);
    void setRowShown(int row, bool shown);
    void showSketch(const SectionShape& shape);
    void showConnections(const gj* member);
    bool handleFieldKey(int row, const QKeyEvent& key);
    void focusRowAfter(int row);
    int rowOf(const QObject* watched) const;
    gj* pickedMember();
    void passEscapeToEditor();

    Document& document_;
    Platform& platform_;
    QString programFolder_;
    bool loaded_ = false;
    std::string shownSketch_;  // the sketch file Image1 shows
};
