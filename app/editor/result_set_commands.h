// The commands on the result sets, at the end of 计算: 结果工况 chooses the
// load case or combination whose results every result command shows and
// the result files hold, and draws what was shown again for it; 包络图
// draws the envelope of the moment, shear or axial force.
//
// Keeps nothing of its own: the choice is the document's, the pictures
// are those of the analysis commands and the result views.
#pragma once

#include <optional>
#include <string>

#include "editor/editor_part.h"

class AnalysisCommands;
class ResultViews;

// The case named `name`, else the combination (a case named like a
// combination comes first); nothing when the model has neither.
std::optional<ResultChoice> choiceNamed(const Model& model, const std::string& name);

class ResultSetCommands : public EditorPart {
public:
    ResultSetCommands(const EditorContext& context, AnalysisCommands& analysis, ResultViews& views);

    // 结果工况, 包络图.
    std::vector<MenuRow> menuRows() override;

    void chooseCommand();
    void envelopeCommand();

private:
    void showAgain();

    AnalysisCommands& analysis;
    ResultViews& views;
};
