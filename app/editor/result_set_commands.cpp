// 结果工况 and 包络图; see result_set_commands.h.
#include "editor/result_set_commands.h"

#include <QStringList>
#include <utility>

#include "document/load_cases.h"
#include "editor/analysis_commands.h"
#include "editor/result_views.h"
#include "platform/platform.h"

namespace {

QStringList namesOf(const Model& model, ResultChoice::Kind kind, int count) {
    QStringList names;
    for (int number = 1; number <= count; ++number) {
        names << QString::fromStdString(resultName(model, {kind, number}));
    }
    return names;
}

int combinationCount(const Model& model) {
    return static_cast<int>(model.combinations.size());
}

// The names to choose from, cases first, then combinations.
QString choicePrompt(const Model& model) {
    const QString separator = QStringLiteral("、");
    QString prompt = QStringLiteral("输入要显示结果的工况或组合的名称\n工况: ") +
                     namesOf(model, ResultChoice::Kind::Case, loadCaseCount(model)).join(separator);
    if (combinationCount(model) > 0) {
        prompt += QStringLiteral("\n组合: ") +
                  namesOf(model, ResultChoice::Kind::Combination, combinationCount(model))
                      .join(separator);
    }
    return prompt;
}

std::optional<DiagramKind> forceNamed(const QString& letter) {
    if (letter == QStringLiteral("M")) {
        return DiagramKind::Moment;
    }
    if (letter == QStringLiteral("Q")) {
        return DiagramKind::Shear;
    }
    if (letter == QStringLiteral("N")) {
        return DiagramKind::Axial;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ResultChoice> choiceNamed(const Model& model, const std::string& name) {
    for (const auto& [kind, count] :
         {std::pair{ResultChoice::Kind::Case, loadCaseCount(model)},
          std::pair{ResultChoice::Kind::Combination, combinationCount(model)}}) {
        for (int number = 1; number <= count; ++number) {
            if (resultName(model, {kind, number}) == name) {
                return ResultChoice{kind, number};
            }
        }
    }
    return std::nullopt;
}

ResultSetCommands::ResultSetCommands(const EditorContext& context, AnalysisCommands& analysis,
                                     ResultViews& views)
    : EditorPart(context), analysis(analysis), views(views) {}

std::vector<MenuRow> ResultSetCommands::menuRows() {
    using C = MenuCommand;
    return {{C::ResultSet, "结果工况", [this] { chooseCommand(); }},
            {C::Envelope, "包络图", [this] { envelopeCommand(); }}};
}

// The box offers the name of the set shown; an empty answer or Cancel
// keeps it.
void ResultSetCommands::chooseCommand() {
    const ResultChoice shown =
        isChoiceOf(document, document.shownResults) ? document.shownResults : ResultChoice{};
    const QString answer = platform
                               .inputBox(choicePrompt(document), QStringLiteral("结果工况"),
                                         QString::fromStdString(resultName(document, shown)))
                               .trimmed();
    if (answer.isEmpty()) {
        return;
    }
    const auto choice = choiceNamed(document, answer.toStdString());
    if (!choice) {
        platform.tell(QStringLiteral("没有名为“") + answer + QStringLiteral("”的工况或组合"));
        return;
    }
    document.shownResults = *choice;
    showAgain();
}

// What the drawing showed is drawn again for the chosen set: the printed
// end forces, then the diagram, deflected shape or reactions (the
// printed forces may stand beside the last two). With none of them, the
// run alone brings the result files and the results window to the set.
void ResultSetCommands::showAgain() {
    if (document.membersEntered <= 0) {
        return;
    }
    const auto diagram = analysis.shownDiagram();
    const bool deflection = views.deflectionShown();
    const bool reactions = views.reactionsShown();
    const bool printed = analysis.resultsPrinted();
    if (printed) {
        analysis.computeCommand();
    }
    if (diagram) {
        analysis.showDiagram(*diagram);
    } else if (deflection) {
        views.deflectionCommand();
    } else if (reactions) {
        views.reactionsCommand();
    } else if (!printed) {
        analysis.run(false);
    }
}

void ResultSetCommands::envelopeCommand() {
    const QString answer =
        platform
            .inputBox(QStringLiteral("包络图的内力: 输入 M (弯矩)、Q (剪力) 或 N (轴力)"),
                      QStringLiteral("包络图"), QStringLiteral("M"))
            .trimmed()
            .toUpper();
    if (answer.isEmpty()) {
        return;
    }
    const auto kind = forceNamed(answer);
    if (!kind) {
        platform.tell(QStringLiteral("请输入 M、Q 或 N"));
        return;
    }
    analysis.showEnvelope(*kind);
}
