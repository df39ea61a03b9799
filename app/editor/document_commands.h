// The commands on the document as a whole: the member total, 新建, 打开,
// 保存, 另存 and the question before unsaved work is dropped, and the two
// colours of the drawing. It owns the text of the project as last saved or
// opened and the colour the colour dialog last returned; it replaces the
// document and hands the window back its start-up state through
// EditorControls.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "document/document.h"
#include "editor/editor_part.h"

class EditCommands;
class MemberInput;
class SupportPlacement;
class ViewControl;

class DocumentCommands : public EditorPart {
public:
    // A new project is "noname.tsd" in `newProjectFolder`.
    DocumentCommands(const EditorContext& context, ViewControl& view, MemberInput& memberInput,
                     SupportPlacement& supports, EditCommands& edits, QString newProjectFolder);

    // 新建, 打开, 保存, 另存, 杆件总数, 绘图窗口颜色, 十字光标颜色.
    std::vector<MenuRow> menuRows() override;
    // A document just made, started or read is what its file holds (a new
    // one has nothing to lose).
    void reset(ResetReason reason) override;

    const QString& newProjectFolder() const { return newProjectFolder_; }

    void memberTotalCommand();
    // 新建; false when the user kept the present drawing.
    bool startNewProject();
    void openCommand();
    // Reads the project at `path` over the document; false, with the reason
    // shown, when the file is refused.
    bool openProject(const QString& path);
    void saveCommand();
    void saveAsCommand();
    // Leaving the program: true when nothing unsaved is lost or the user
    // lets it go.
    bool mayClose();

    void canvasColourCommand();
    void crosshairColourCommand();

    // The document as it is now counts as saved.
    void markSaved();
    bool hasUnsavedChanges() const;

private:
    bool mayDropDrawing(bool drawingExists);
    bool mayReplace(const QString& path);
    std::optional<ColourValue> chooseColour(ColourValue current);

    ViewControl& view;
    MemberInput& memberInput;
    SupportPlacement& supports;
    EditCommands& edits;  // which also knows the state last saved or opened
    QString newProjectFolder_;
    std::optional<ColourValue> lastChosenColour_;  // the colour dialog's
};
