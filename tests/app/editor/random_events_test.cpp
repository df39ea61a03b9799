// Random events through the real event path: mouse moves, presses of both
// buttons, the command keys, enabled menu commands and typed text, from a
// seeded generator, with the document's invariants checked after every
// event. Every message box, input box and file dialog is answered from a
// random but valid script. A failure names the seed and the last events.
//
// ORVANDEL_RANDOM_SEED=n runs seed n only, ORVANDEL_RANDOM_EVENTS=n sets
// the number of events per seed.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>

#include "dialogs/combination_dialog.h"
#include "dialogs/load_case_dialog.h"
#include "document/load_cases.h"
#include "document/member_selection.h"
#include "document/node_move.h"
#include "document/project_file.h"
#include "editor_fixture.h"
#include "modal_dialogs.h"

namespace {

// Events per seed: the sanitizer build runs some four times slower, so
// that each seed still takes well under a minute there.
#ifdef __SANITIZE_ADDRESS__
constexpr int kDefaultEvents = 7000;
#else
constexpr int kDefaultEvents = 20000;
#endif

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

std::vector<unsigned> seeds() {
    if (const int seed = fromEnvironment("ORVANDEL_RANDOM_SEED", -1); seed >= 0) {
        return {static_cast<unsigned>(seed)};
    }
    return {1, 2, 8};
}

// The support kinds with their counters and the symbol line whose element
// n lies on the kind's n-th supported node: its midpoint for a fixed end,
// its first end for the others.
struct SymbolCheck {
    SupportKind kind;
    std::int16_t Document::*counter;
    EditorMode mode;
    LineGroup anchor;
    LineGroup firstLine;  // the kind's line arrays, for the preview
    LineGroup lastLine;
};
const std::array<SymbolCheck, 4> kSymbols{{
    {SupportFixed, &Document::fixedSymbolCount, EditorMode::FixedEnd, 8, 8, 8},
    {SupportPinned, &Document::pinnedSymbolCount, EditorMode::Pinned, 11, 10, 18},
    {SupportHorizontalLink, &Document::horizontalLinkSymbolCount, EditorMode::HorizontalLink, 26,
     19, 31},
    {SupportVerticalLink, &Document::verticalLinkSymbolCount, EditorMode::VerticalLink, 39, 32, 45},
}};

// Line 46 is the last piece of the horizontal link.
bool previewOn(const SymbolCheck& symbol, LineGroup group) {
    return (group >= symbol.firstLine && group <= symbol.lastLine) ||
           (symbol.kind == SupportHorizontalLink && group == 46) ||
           (symbol.kind == SupportFixed && group >= kFirstFixedHatch);
}

class RandomEvents : public EditorTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 random_;
    std::deque<std::string> lastEvents_;
    QStringList savedNames_;  // projects saved so far, for 打开

    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(scratch.isValid());
        keepProjectInScratchFolder();
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    int weighted(const std::vector<int>& weights) {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(random_);
    }
    template <typename T>
    T oneOf(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(below(static_cast<int>(values.size())))];
    }

    // A point of the frame's area: near a member end or midpoint, so that
    // presses capture ends and hit members, or on a half-metre grid.
    QPointF somewhere() {
        const int drawn = document.membersEntered;
        if (drawn > 0 && chance(60)) {
            const LineShape& line = form.canvasModel().line(kMemberLines, 1 + below(drawn));
            const float t = oneOf<float>({0, 0.5f, 1});
            const float jitter = chance(50) ? 0 : (below(31) - 15) / 100.0f;
            return {line.x1 + t * (line.x2 - line.x1) + jitter,
                    line.y1 + t * (line.y2 - line.y1) - jitter};
        }
        return {1 + 0.5 * below(17), 1 + 0.5 * below(11)};
    }

    std::string at(QPointF p) {
        std::ostringstream text;
        text << "(" << p.x() << ", " << p.y() << ")";
        return text.str();
    }

    std::string pressSomewhere(Qt::MouseButton button) {
        const QPointF p = somewhere();
        const auto x = static_cast<float>(p.x());
        const auto y = static_cast<float>(p.y());
        const bool moveFirst = chance(70);
        if (moveFirst) {
            move(x, y);
        }
        if (button == Qt::LeftButton && chance(5)) {
            doubleClick(x, y);
            return "double-click at " + at(p);
        }
        press(x, y, button);
        // A click on a node in 移动节点 asks its coordinates.
        platform.inputs.push_back(oneOf<QString>({"1, 1", "2,3", "abc", "", "4, 1e39", "0,0"}));
        // A drag: a box in 选择, a node dragged in 移动节点.
        if (button == Qt::LeftButton && chance(document.mode == EditorMode::Selection ? 50 : 30)) {
            const QPointF to = somewhere();
            move(static_cast<float>(to.x()), static_cast<float>(to.y()));
            mouse(QEvent::MouseButtonRelease, static_cast<float>(to.x()),
                  static_cast<float>(to.y()), button, 80);
            return "left drag from " + at(p) + " to " + at(to);
        }
        mouse(QEvent::MouseButtonRelease, x, y, button, 80);
        return std::string(moveFirst ? "move and " : "") +
               (button == Qt::LeftButton ? "left" : "right") + " press at " + at(p);
    }

    std::string commandKey() {
        static const std::vector<std::pair<Qt::Key, const char*>> keys = {
            {Qt::Key_Escape, "Esc"},   {Qt::Key_Delete, "Del"},
            {Qt::Key_F3, "F3"},        {Qt::Key_F8, "F8"},
            {Qt::Key_F12, "F12"},      {Qt::Key_Space, "Space"},
            {Qt::Key_Return, "Enter"}, {Qt::Key_Backspace, "Backspace"}};
        const auto [key, name] = keys[static_cast<std::size_t>(weighted({1, 3, 2, 2, 3, 2, 2, 2}))];
        keyUp(key);
        return std::string("key ") + name;
    }

    // Text as a user types it: a few Backspaces, then characters of which
    // the filters keep some, sometimes Enter.
    void typeInto(QLineEdit* field, const std::vector<QString>& texts) {
        field->setFocus();
        for (int i = below(4); i > 0; --i) {
            QTest::keyClick(field, Qt::Key_Backspace);
        }
        QTest::keyClicks(field, oneOf(texts));
        if (chance(40)) {
            QTest::keyClick(field, Qt::Key_Return);
        }
    }

    std::string typeCoordinates() {
        QLineEdit* box = chance(50) ? form.xBox() : form.yBox();
        typeInto(box, {"3", "-2", "0", "1.5", "-.5", "4,", "12", "x7", "0.25"});
        return "typed in a coordinate box, now \"" + box->text().toStdString() + "\"";
    }

    // A button of the open dialog of load cases or combinations, or a
    // factor typed into the table; the input box gets a name.
    std::string useCaseDialog() {
        const auto nameAsked = [this] {
            platform.inputs.push_back(oneOf<QString>({"恒载", "活载", "", " ", "工况1", "a\"b"}));
        };
        auto* cases = dialogOf<LoadCaseDialog>(form);
        if (cases != nullptr && cases->isVisible()) {
            nameAsked();
            cases->List1->setCurrentRow(below(cases->List1->count() + 1) - 1);
            QPushButton* button =
                oneOf<QPushButton*>({cases->AddButton, cases->RenameButton, cases->DeleteButton,
                                     cases->CurrentButton, cases->CloseButton});
            button->click();
            return "clicked " + button->text().toStdString() + " of the load cases";
        }
        auto* combinations = dialogOf<CombinationDialog>(form);
        if (combinations == nullptr || !combinations->isVisible()) {
            return {};
        }
        QTableWidget& table = *combinations->Table1;
        if (table.rowCount() > 0 && chance(50)) {
            QTableWidgetItem* cell =
                table.item(below(table.rowCount()), below(table.columnCount()));
            const QString factor = oneOf<QString>({"1.3", "-0.8", "", "abc", "0", "nan"});
            cell->setText(factor);
            return "factor \"" + factor.toStdString() + "\" in a combination";
        }
        nameAsked();
        table.setCurrentCell(below(table.rowCount() + 1) - 1, 0);
        QPushButton* button =
            oneOf<QPushButton*>({combinations->AddButton, combinations->RenameButton,
                                 combinations->DeleteButton, combinations->CloseButton});
        button->click();
        return "clicked " + button->text().toStdString() + " of the combinations";
    }

    // A field or list of a dialog that is open.
    std::string useDialog() {
        if (std::string used = useCaseDialog(); !used.empty()) {
            return used;
        }
        if (form.hasForm3() && form.form3().isVisible() && chance(50)) {
            Form3& dialog = form.form3();
            if (chance(30)) {
                QComboBox* list = chance(50) ? dialog.Combo1 : dialog.Combo2;
                const int index = below(list->count());
                list->setCurrentIndex(index);
                emit list->activated(index);
                return "chose \"" + list->currentText().toStdString() + "\" in the member dialog";
            }
            const int row = 1 + below(5);
            if (dialog.Text1[static_cast<std::size_t>(row)]->isHidden()) {
                return {};
            }
            typeInto(dialog.Text1[static_cast<std::size_t>(row)],
                     {"0.3", "0.5", ".2", "1", "0", "-1", "abc", "0.05"});
            return "typed in member dialog row " + std::to_string(row);
        }
        if (form.hasForm2() && form.form2().isVisible()) {
            Form2& dialog = form.form2();
            if (chance(30)) {
                const int index = below(dialog.Combo1->count());
                dialog.Combo1->setCurrentIndex(index);
                emit dialog.Combo1->activated(index);
                return "chose load kind \"" + dialog.Combo1->currentText().toStdString() + "\"";
            }
            if (chance(10)) {
                dialog.CheckBox1->click();
                return "clicked the full-length box";
            }
            const int field = below(2);
            typeInto(dialog.Text1[static_cast<std::size_t>(field)],
                     {"1", "2.5", "-3", "0", "10", "abc", "0.5"});
            return "typed in load dialog field " + std::to_string(field);
        }
        return {};
    }

    // Answers to the operations on a selection, valid and not.
    static std::vector<QString> selectionAnswers(MenuCommand command) {
        switch (command) {
            case MenuCommand::CopySelection:
            case MenuCommand::MoveSelection:
                return {"1, 0", "0, -1.5", "0, 0", "abc", ""};
            case MenuCommand::MirrorSelection:
                return {"x=5", "y=3", "x=1.5", "z=1", ""};
            case MenuCommand::ArraySelection:
                return {"2, 1, 0", "1, 0, 1", "3, -0.5, 0.5", "0, 1, 1", ""};
            default:
                return {};
        }
    }

    // The commands that build a frame come more often than the others.
    static int weightOf(MenuCommand command) {
        switch (command) {
            case MenuCommand::MemberTotal:
            case MenuCommand::MemberInput:
                return 8;
            case MenuCommand::FixedEnd:
            case MenuCommand::Pinned:
            case MenuCommand::HorizontalLink:
            case MenuCommand::VerticalLink:
            case MenuCommand::LoadInput:
            case MenuCommand::Analyse:
            case MenuCommand::MoveNode:
                return 3;
            default:
                return 1;
        }
    }

    // An enabled command of an enabled menu, as a user can choose it, with
    // the answers its dialogs will get. 退出 is left out: it ends the run.
    std::string menuCommand() {
        std::vector<MenuCommand> enabled;
        for (int id = 0; id <= static_cast<int>(MenuCommand::HelpDocument); ++id) {
            const auto command = static_cast<MenuCommand>(id);
            QAction* item = form.menuItem(command);
            if (command == MenuCommand::Exit || !item->isEnabled()) {
                continue;
            }
            for (const MenuId menuId :
                 {MenuId::File, MenuId::Edit, MenuId::Members, MenuId::Supports, MenuId::Loads,
                  MenuId::Analysis, MenuId::Window, MenuId::Help}) {
                if (form.menu(menuId)->actions().contains(item) && menuEnabled(menuId)) {
                    enabled.push_back(command);
                }
            }
        }
        if (enabled.empty()) {
            return {};
        }
        std::vector<int> weights;
        for (const MenuCommand command : enabled) {
            weights.push_back(weightOf(command));
        }
        const MenuCommand command = enabled[static_cast<std::size_t>(weighted(weights))];
        std::string answer;
        if (command == MenuCommand::MemberTotal) {
            platform.inputs.push_back(oneOf<QString>(
                {"1", "2", "3", "4", "5", "6", "8", "0", "-5", "abc", "2.5", "99999", ""}));
            answer = platform.inputs.front().toStdString();
        } else if (command == MenuCommand::Grid) {
            platform.inputs.push_back(
                oneOf<QString>({"0.5", "1", "0", "0.25", "-1", "abc", "1e30", "nan", ""}));
            answer = platform.inputs.front().toStdString();
        } else if (command == MenuCommand::DiagramScale) {
            platform.inputs = {oneOf<QString>({"0.01", "0.05", "-1", "abc", "0", "0.2", ""}),
                               QStringLiteral("0.02")};
            answer = platform.inputs.front().toStdString();
        } else if (command == MenuCommand::ResultSet) {
            platform.inputs.push_back(oneOf<QString>({"工况1", "组合1", " 工况1 ", ""}));
            answer = platform.inputs.front().toStdString();
        } else if (command == MenuCommand::Envelope) {
            platform.inputs.push_back(oneOf<QString>({"M", "q", "N", "V", ""}));
            answer = platform.inputs.front().toStdString();
        } else if (command == MenuCommand::Open) {
            QStringList names = savedNames_;
            names << QString() << scratch.filePath(QStringLiteral("none.tsd"));
            platform.files.push_back(names.at(below(static_cast<int>(names.size()))));
            answer = platform.files.front().toStdString();
        } else if (command == MenuCommand::SaveAs) {
            const QString name =
                scratch.filePath(oneOf<QString>({"a.tsd", "b", "c.TSD", "a", "d.tsd", ""}));
            platform.files.push_back(name);
            answer = name.toStdString();
            QString saved = name;
            if (!saved.endsWith(QStringLiteral(".tsd"), Qt::CaseInsensitive)) {
                saved += QStringLiteral(".tsd");
            }
            if (!savedNames_.contains(saved)) {
                savedNames_ << saved;
            }
        } else if (const auto answers = selectionAnswers(command); !answers.empty()) {
            platform.inputs.push_back(oneOf(answers));
            answer = platform.inputs.front().toStdString();
        } else if (command == MenuCommand::CanvasColour ||
                   command == MenuCommand::CrosshairColour) {
            platform.colours.push_back(chance(70) ? std::optional<std::int32_t>(below(0x1000000))
                                                  : std::nullopt);
        }
        const QString caption = form.menuItem(command)->text();
        choose(command);
        return "menu " + caption.toStdString() +
               (answer.empty() ? "" : " answered \"" + answer + "\"");
    }

    std::string moveSomewhere() {
        const QPointF p = somewhere();
        move(static_cast<float>(p.x()), static_cast<float>(p.y()));
        return "move to " + at(p);
    }

    // Member input mostly places points, so that drawings complete; the
    // other modes are left more often. A dialog that is not open or a menu
    // without an enabled command gives a mouse move instead.
    std::string randomEvent() {
        const bool input = document.mode == EditorMode::MemberInput;
        std::string event;
        switch (weighted(input ? std::vector<int>{20, 45, 3, 8, 4, 12, 8}
                               : std::vector<int>{30, 20, 8, 15, 20, 2, 5})) {
            case 0:
                break;
            case 1:
                event = pressSomewhere(Qt::LeftButton);
                break;
            case 2:
                event = pressSomewhere(Qt::RightButton);
                break;
            case 3:
                event = commandKey();
                break;
            case 4:
                event = menuCommand();
                break;
            case 5:
                event = typeCoordinates();
                break;
            default:
                event = useDialog();
                break;
        }
        return event.empty() ? moveSomewhere() : event;
    }

    // Every question is answered at random, Yes or No, as a user would.
    void scriptAnswers() {
        platform.calls.clear();
        platform.answers.clear();
        platform.inputs.clear();
        platform.files.clear();
        platform.colours.clear();
        for (int i = 0; i < 4; ++i) {
            platform.answers.push_back(chance(50) ? MessageAnswer::Yes : MessageAnswer::No);
        }
    }

    // The messages an event brought, for the record of the last events.
    std::string messagesShown() const {
        std::string text;
        for (const QString& message : platform.messages()) {
            text += " -> \"" + message.left(40).toStdString() + "\"";
        }
        return text;
    }

    bool drawing() const {
        const EditorState& state = form.editorState();
        return (document.mode == EditorMode::MemberInput) && state.memberInProgress &&
               !state.awaitingFirstPoint;
    }

    std::string brokenInvariant() const {
        const Document& d = document;
        const Canvas& canvas = form.canvasModel();
        std::ostringstream why;
        // The member being drawn has its line but no record yet; drawn
        // beyond the total, it raises the total when it is completed.
        const int recorded = d.membersEntered - (drawing() ? 1 : 0);
        if (recorded < 0 || recorded > d.memberTotal ||
            static_cast<std::size_t>(d.memberTotal) + 1 != d.members.size()) {
            why << "membersEntered " << d.membersEntered << " of " << d.memberTotal;
            return why.str();
        }
        for (int i = 1; i <= d.membersEntered; ++i) {
            const LineShape& line = canvas.line(kMemberLines, i);
            if (!line.loaded || !line.visible) {
                why << "member " << i << " has no line";
                return why.str();
            }
            if (i > recorded) {
                continue;
            }
            const gj& m = d.members[static_cast<std::size_t>(i)];
            if (!std::isfinite(m.x1) || !std::isfinite(m.y1) || !std::isfinite(m.x2) ||
                !std::isfinite(m.y2) || line.x1 != m.x1 || line.y1 != m.y1 || line.x2 != m.x2 ||
                line.y2 != m.y2) {
                why << "member " << i << " (" << m.x1 << ", " << m.y1 << ")-(" << m.x2 << ", "
                    << m.y2 << ") drawn at (" << line.x1 << ", " << line.y1 << ")-(" << line.x2
                    << ", " << line.y2 << ")";
                return why.str();
            }
            if (!runsInDrawingOrder(m.x1, m.y1, m.x2, m.y2)) {
                why << "member " << i << " runs from (" << m.x1 << ", " << m.y1 << ") to (" << m.x2
                    << ", " << m.y2 << "), against the drawing order";
                return why.str();
            }
            if (m.左号 < 1 || m.左号 > d.nodeCount || m.右号 < 1 || m.右号 > d.nodeCount) {
                why << "member " << i << " has nodes " << m.左号 << ", " << m.右号 << " of "
                    << d.nodeCount;
                return why.str();
            }
        }
        for (int i = d.membersEntered + 1; i < canvas.lineCount(kMemberLines); ++i) {
            if (canvas.line(kMemberLines, i).loaded) {
                why << "line " << i << " left beyond the " << d.membersEntered << " members";
                return why.str();
            }
        }
        if (d.currentLoadCase < 1 || d.currentLoadCase > loadCaseCount(d) ||
            !std::ranges::all_of(d.combinations, [&d](const LoadCombination& c) {
                return validCombinationTerms(d, c.terms);
            })) {
            why << "current case " << d.currentLoadCase << " of " << loadCaseCount(d)
                << ", or a combination the analysis cannot sum";
            return why.str();
        }
        const MemberNumbers& selected = d.selectedMembers;
        if (!std::is_sorted(selected.begin(), selected.end()) ||
            std::adjacent_find(selected.begin(), selected.end()) != selected.end() ||
            (!selected.empty() && (selected.front() < 1 || selected.back() > recorded))) {
            why << "a selection of " << selected.size() << " members beyond the " << recorded;
            return why.str();
        }
        if (const std::string supports = brokenSupports(); !supports.empty()) {
            return supports;
        }
        // What 保存 would write reads back to the same text. The member
        // being drawn has no node numbers yet, and no file can be written
        // while it is drawn (the 文件 menu is closed).
        if (!drawing()) {
            const std::string text = projectFileText(d);
            Document reread;
            if (const auto error = readProjectText(text, reread)) {
                why << "the project text is refused at line " << error->line << ": "
                    << error->expected << "\n"
                    << text;
                return why.str();
            }
            if (projectFileText(reread) != text) {
                why << "the project text reads back as another:\n"
                    << text << "\nbecomes\n"
                    << projectFileText(reread);
                return why.str();
            }
        }
        return {};
    }

    // Each supported node is counted once in its kind's counter and drawn
    // once, by the symbol of its place in node order; no preview shows
    // outside a placement.
    std::string brokenSupports() const {
        const Document& d = document;
        const Canvas& canvas = form.canvasModel();
        std::ostringstream why;
        if (static_cast<std::size_t>(d.nodeCount) >= d.supportKinds.size() ||
            static_cast<std::size_t>(d.nodeCount) >= d.nodes.size()) {
            why << "node arrays shorter than " << d.nodeCount << " nodes";
            return why.str();
        }
        int placed = 0;
        for (const SymbolCheck& symbol : kSymbols) {
            int count = 0;
            for (int k = 1; k <= d.nodeCount; ++k) {
                if (d.supportKinds[static_cast<std::size_t>(k)] != symbol.kind) {
                    continue;
                }
                ++count;
                const gd& node = d.nodes[static_cast<std::size_t>(k)];
                const LineShape& line = canvas.line(symbol.anchor, count);
                const bool midpoint = symbol.kind == SupportFixed;
                const double x = midpoint ? (double{line.x1} + line.x2) / 2 : line.x1;
                const double y = midpoint ? (double{line.y1} + line.y2) / 2 : line.y1;
                if (!line.loaded || std::fabs(x - node.x) > 1e-4 || std::fabs(y - node.y) > 1e-4) {
                    why << "node " << k << "'s support (kind " << symbol.kind
                        << ") is not drawn at (" << node.x << ", " << node.y << ")";
                    return why.str();
                }
            }
            int drawn = 0;
            for (int i = 1; i < canvas.lineCount(symbol.anchor); ++i) {
                drawn += canvas.line(symbol.anchor, i).loaded ? 1 : 0;
            }
            if (count != d.*symbol.counter || drawn != count) {
                why << count << " nodes of support kind " << symbol.kind << ", counted "
                    << d.*symbol.counter << ", drawn " << drawn;
                return why.str();
            }
            placed += count;
            for (LineGroup group = kFixedSymbols; group <= kLastSupportLines; ++group) {
                if (previewOn(symbol, group) && canvas.lineCount(group) > 0 &&
                    canvas.line(group, 0).visible && d.mode != symbol.mode) {
                    why << "the preview of support kind " << symbol.kind
                        << " shows outside its placement";
                    return why.str();
                }
            }
        }
        if (placed != d.supportsPlaced) {
            why << placed << " supported nodes, supportsPlaced " << d.supportsPlaced;
            return why.str();
        }
        return {};
    }

    std::string lastEvents() const {
        std::string text;
        for (const std::string& event : lastEvents_) {
            text += "  " + event + "\n";
        }
        return text;
    }
};

TEST_P(RandomEvents, KeepTheDocumentSound) {
    const unsigned seed = GetParam();
    random_.seed(seed);
    const int events = fromEnvironment("ORVANDEL_RANDOM_EVENTS", kDefaultEvents);
    const std::string scratchProject = document.projectPath;
    const std::string programFolder = ORVANDEL_PROGRAM_FOLDER;
    for (int n = 1; n <= events; ++n) {
        scriptAnswers();
        std::string event = randomEvent();
        QCoreApplication::processEvents();
        // 新建 names the project in the program folder: the analysis and
        // 保存 write beside it, so the test's project stays in its own folder.
        if (document.projectPath.starts_with(programFolder)) {
            document.projectPath = scratchProject;
        }
        lastEvents_.push_back(std::to_string(n) + ": " + event + messagesShown());
        if (lastEvents_.size() > 30) {
            lastEvents_.pop_front();
        }
        if (const std::string broken = brokenInvariant(); !broken.empty()) {
            FAIL() << "seed " << seed << ", after event " << n << ": " << broken
                   << "\nthe last events:\n"
                   << lastEvents() << "again: ORVANDEL_RANDOM_SEED=" << seed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents, ::testing::ValuesIn(seeds()));

// Faults the random events found, kept as plain tests.
using FoundByRandomEvents = EditorTest;

// The member is 1.264911 long: its three decimals, 1.265, lie beyond its
// end, where the reader would move the load on reopening (seed 2).
TEST_F(FoundByRandomEvents, ALoadGivenBeyondTheEndLiesAtTheEnd) {
    drawFrame({{2, 2, 3.2f, 2.4f}});
    choose(MenuCommand::LoadInput);
    giveLoad("集中", "5", "10", 2.6f, 2.2f);
    ASSERT_EQ(member(1).荷载数, 1);
    EXPECT_EQ(form.form2().Text1[0]->text(), QStringLiteral("1.265"));
    EXPECT_EQ(member(1).xq[1], member(1).leng());
    const std::string text = projectFileText(document);
    Document reopened;
    ASSERT_FALSE(readProjectText(text, reopened));
    EXPECT_EQ(projectFileText(reopened), text);
}

// Esc cancelled a member and reopened the menus; 输入杆件 chosen while the
// next member was drawn counted it without a record (seed 8).
TEST_F(FoundByRandomEvents, TheMenusStayClosedWhileAMemberIsDrawn) {
    startInput(QStringLiteral("2"));
    click(2, 2);
    keyUp(Qt::Key_Escape);
    ASSERT_TRUE(menuEnabled(MenuId::Members));
    click(2, 2);
    for (const MenuId id : {MenuId::File, MenuId::Members, MenuId::Loads, MenuId::Analysis}) {
        EXPECT_FALSE(menuEnabled(id));
    }
}

}  // namespace
