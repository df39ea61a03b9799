// The drawing window with a large frame drawn: one mouse move (end
// capture, crosshair, coordinate boxes, rubber band, hover, repaint), with
// and without its loads shown, and the full redraw of members, supports
// and loads; a selection box dragged over it, and 阵列.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "canvas/canvas_view.h"
#include "document/project_file.h"
#include "document_frames.h"
#include "editor/form1.h"
#include "editor/key_codes.h"
#include "platform/test_platform.h"

namespace {

// A building frame in the window, by default 50 storeys of 20 bays: 2,050
// members, 1,071 nodes, 21 fixed ends. Result files go to a scratch folder.
struct LargeFrameWindow {
    QTemporaryDir folder;
    Document document;
    TestPlatform platform;
    Form1 form{document, platform, QStringLiteral(".")};

    explicit LargeFrameWindow(int storeys = 50, int bays = 20) {
        form.Form_Load();
        document = orv::testing::buildingDocument(storeys, bays);
        document.projectPath = folder.filePath(QStringLiteral("frame.tsd")).toStdString();
        form.showNewDocument(ResetReason::OpenedProject);
        QCoreApplication::processEvents();
    }

    void moveTo(QPointF pixel) {
        QMouseEvent event(QEvent::MouseMove, pixel, form.canvasWidget()->mapToGlobal(pixel),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.canvasWidget(), &event);
        QCoreApplication::processEvents();  // the repaint the move asked for
    }

    // A path of mouse positions across the canvas, some near member ends.
    std::vector<QPointF> path() const {
        std::vector<QPointF> points;
        const QSize size = form.canvasModel().pixelSize();
        for (int i = 0; i < 64; ++i) {
            points.emplace_back(size.width() * (0.1 + 0.8 * i / 64.0),
                                size.height() * (0.2 + 0.6 * ((i * 37) % 64) / 64.0));
        }
        return points;
    }
};

void runMoves(benchmark::State& state, LargeFrameWindow& window) {
    const std::vector<QPointF> points = window.path();
    std::size_t next = 0;
    for (auto _ : state) {
        window.moveTo(points[next]);
        next = (next + 1) % points.size();
    }
}

void MouseMoveOverLargeFrame(benchmark::State& state) {
    LargeFrameWindow window;
    window.form.menuItem(MenuCommand::ShowLoads)->trigger();  // the frame alone
    runMoves(state, window);
}
BENCHMARK(MouseMoveOverLargeFrame)->Unit(benchmark::kMillisecond);

// The same with the loads of every beam drawn (about 14,000 arrows): the
// loads figure is painted from its image, never drawn again on a move.
void MouseMoveOverLargeFrameWithLoadsShown(benchmark::State& state) {
    LargeFrameWindow window;
    if (window.form.canvasModel().figure(FigureLayer::Loads).arrowheads.size() < 10000) {
        state.SkipWithError("the loads are not shown");
        return;
    }
    runMoves(state, window);
}
BENCHMARK(MouseMoveOverLargeFrameWithLoadsShown)->Unit(benchmark::kMillisecond);

// Drawing one more member: the rubber band follows every move.
void MouseMoveWhileDrawingAMember(benchmark::State& state) {
    LargeFrameWindow window;
    window.document.memberTotal = static_cast<std::int16_t>(window.document.membersEntered + 1);
    window.document.members.resize(static_cast<std::size_t>(window.document.memberTotal) + 1);
    window.form.menuItem(MenuCommand::MemberInput)->trigger();
    const QPointF start = window.form.canvasModel().toPixel(60, -80);
    QMouseEvent press(QEvent::MouseButtonPress, start,
                      window.form.canvasWidget()->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.form.canvasWidget(), &press);
    runMoves(state, window);
}
BENCHMARK(MouseMoveWhileDrawingAMember)->Unit(benchmark::kMillisecond);

// Member query: every move runs the hover test over all members, turns the
// member under the mouse red (and the one before black) and fills the
// property dialog. The path passes over member midpoints and between them.
void MouseMoveInMemberQuery(benchmark::State& state) {
    LargeFrameWindow window;
    window.form.menuItem(MenuCommand::MemberQuery)->trigger();
    std::vector<QPointF> points;
    const int members = window.document.membersEntered;
    for (int i = 1; i <= 64; ++i) {
        const gj& member = window.document.members[static_cast<std::size_t>(i * members / 64)];
        const float x = (member.x1 + member.x2) / 2;
        const float y = (member.y1 + member.y2) / 2;
        points.push_back(window.form.canvasModel().toPixel(x, y));
        points.push_back(window.form.canvasModel().toPixel(x + 1.5f, y + 1.5f));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        window.moveTo(points[next]);
        next = (next + 1) % points.size();
    }
}
BENCHMARK(MouseMoveInMemberQuery)->Unit(benchmark::kMillisecond);

// Zooming in and out by turns: every member line and support symbol moves
// on screen, so the redraw renders all of them again.
void zoomByTurns(benchmark::State& state, LargeFrameWindow& window) {
    bool in = true;
    for (auto _ : state) {
        window.form.menuItem(in ? MenuCommand::ZoomIn : MenuCommand::ZoomOut)->trigger();
        in = !in;
        window.form.canvasWidget()->repaint();
    }
}

void ZoomAndRedrawMembersAndSupports(benchmark::State& state) {
    LargeFrameWindow window;
    zoomByTurns(state, window);
}
BENCHMARK(ZoomAndRedrawMembersAndSupports)->Unit(benchmark::kMillisecond);

// The same with the moment diagram shown: its curves drawn again and the
// texts of every figure placed again for the new view.
void ZoomWithTheMomentDiagramShown(benchmark::State& state) {
    LargeFrameWindow window;
    window.form.menuItem(MenuCommand::MomentDiagram)->trigger();
    zoomByTurns(state, window);
}
BENCHMARK(ZoomWithTheMomentDiagramShown)->Unit(benchmark::kMillisecond);

// Runs `command` of a 20-storey, 10-bay frame (420 members) to the
// repainted canvas.
void measureOnMediumFrame(benchmark::State& state, MenuCommand command) {
    LargeFrameWindow window(20, 10);
    for (auto _ : state) {
        window.form.menuItem(command)->trigger();
        window.form.canvasWidget()->repaint();
    }
    if (window.form.canvasModel().printLog().empty() &&
        window.form.canvasModel().figure(FigureLayer::Diagram).empty()) {
        state.SkipWithError("nothing drawn");
    }
}

// The analysis with its results printed (member end forces, member and
// node numbers).
void AnalysisOfAFrame(benchmark::State& state) {
    measureOnMediumFrame(state, MenuCommand::Analyse);
}
BENCHMARK(AnalysisOfAFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The moment diagram (about 186,000 sections), from the command (which runs
// the analysis again) to the repainted canvas.
void MomentDiagramOfAFrame(benchmark::State& state) {
    measureOnMediumFrame(state, MenuCommand::MomentDiagram);
}
BENCHMARK(MomentDiagramOfAFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same commands on the 2,050-member frame with loads on every beam:
// the moment diagram beside the figures drawn over the frame, each from
// the command (which runs the analysis) to the repainted canvas.
void measureOnLargeFrame(benchmark::State& state, MenuCommand command) {
    LargeFrameWindow window;
    for (auto _ : state) {
        window.form.menuItem(command)->trigger();
        window.form.canvasWidget()->repaint();
    }
}

void MomentDiagramOfLargeFrame(benchmark::State& state) {
    measureOnLargeFrame(state, MenuCommand::MomentDiagram);
}
BENCHMARK(MomentDiagramOfLargeFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);

void ReactionsOfLargeFrame(benchmark::State& state) {
    measureOnLargeFrame(state, MenuCommand::Reactions);
}
BENCHMARK(ReactionsOfLargeFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);

void DeflectedShapeOfLargeFrame(benchmark::State& state) {
    measureOnLargeFrame(state, MenuCommand::Deflection);
}
BENCHMARK(DeflectedShapeOfLargeFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);

// Hiding and showing the loads by turns: the loads figure built and drawn.
void LoadsOfLargeFrame(benchmark::State& state) {
    measureOnLargeFrame(state, MenuCommand::ShowLoads);
}
BENCHMARK(LoadsOfLargeFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);

// The large frame opened from its file, so that its history starts there,
// and steps made with the window's handlers: member 1 deleted (the last
// member takes its number and every node is numbered again) and a load
// given with F12 to another member, by turns.
struct LargeFrameHistory : LargeFrameWindow {
    LargeFrameHistory() {
        const QString path = folder.filePath(QStringLiteral("opened.tsd"));
        WriteProjectFile(document, path.toStdString());
        form.openProject(path);
    }

    void hoverMidpointOf(int i) {
        const gj& member = document.members[static_cast<std::size_t>(i)];
        form.Form_MouseMove((member.x1 + member.x2) / 2, (member.y1 + member.y2) / 2);
    }

    void makeSteps(int count) {
        for (int step = 0; step < count; ++step) {
            if (step % 2 == 0) {
                form.menuItem(MenuCommand::MemberDelete)->trigger();
                hoverMidpointOf(1);
                form.Form_KeyUp(keys::Del);
            } else {
                form.menuItem(MenuCommand::LoadInput)->trigger();
                hoverMidpointOf(100 + step);
                form.Form_KeyUp(keys::F12);
            }
        }
        form.Form_KeyUp(keys::Esc);  // no mode: every step may be undone
    }
};

// Heap in use, mapped blocks included.
double heapMegabytes() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / 1e6;
}

// A history of 100 steps: the time to make them and the heap they hold
// (history_MB, the heap in use after the steps less before them).
void HistoryOfAHundredStepsOnLargeFrame(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<LargeFrameHistory>();
        const double before = heapMegabytes();
        state.ResumeTiming();
        window->makeSteps(100);
        state.counters["history_MB"] = heapMegabytes() - before;
    }
}
BENCHMARK(HistoryOfAHundredStepsOnLargeFrame)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One undo there, to the repainted canvas: the model put back, the mode
// entered again, members and supports redrawn. When every step is undone
// they are all redone, untimed.
void UndoOnLargeFrame(benchmark::State& state) {
    LargeFrameHistory window;
    window.makeSteps(100);
    QAction* undo = window.form.menuItem(MenuCommand::Undo);
    QAction* redo = window.form.menuItem(MenuCommand::Redo);
    // The last two steps: a load, and before it a deletion.
    undo->trigger();
    undo->trigger();
    if (window.document.membersEntered != 2050 - 49) {
        state.SkipWithError("the steps were not undone");
        return;
    }
    redo->trigger();
    redo->trigger();
    for (auto _ : state) {
        if (!undo->isEnabled()) {
            state.PauseTiming();
            while (redo->isEnabled()) {
                redo->trigger();
            }
            state.ResumeTiming();
        }
        undo->trigger();
        window.form.canvasWidget()->repaint();
    }
}
BENCHMARK(UndoOnLargeFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Selection mode over the large frame: a left drag from beyond the
// frame's top left corner across it to beyond its bottom right, the box
// and the selection following every move (the members wholly inside turn
// orange); then the button is released and the drag starts again.
struct BoxDrag {
    LargeFrameWindow window;
    QPointF from;
    QPointF to;

    BoxDrag() {
        window.form.menuItem(MenuCommand::Select)->trigger();
        const QSize size = window.form.canvasModel().pixelSize();
        from = QPointF(size.width() * 0.02, size.height() * 0.02);
        to = QPointF(size.width() * 0.98, size.height() * 0.98);
    }

    void send(QEvent::Type type, QPointF pixel) {
        QMouseEvent event(
            type, pixel, window.form.canvasWidget()->mapToGlobal(pixel), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.form.canvasWidget(), &event);
        QCoreApplication::processEvents();
    }
};

void BoxDragOverLargeFrame(benchmark::State& state) {
    BoxDrag drag;
    constexpr int kMovesPerDrag = 64;
    int move = 0;
    for (auto _ : state) {
        if (move == 0) {
            drag.send(QEvent::MouseButtonPress, drag.from);
        }
        ++move;
        drag.send(QEvent::MouseMove, drag.from + (drag.to - drag.from) * move / kMovesPerDrag);
        if (move == kMovesPerDrag) {
            drag.send(QEvent::MouseButtonRelease, drag.to);
            move = 0;
        }
    }
    state.counters["selected"] = static_cast<double>(drag.window.document.selectedMembers.size());
}
BENCHMARK(BoxDragOverLargeFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// 阵列 of a frame of 100 members (20 storeys of 2 bays) into 20 copies,
// each a frame's height above the one before, so every copy's column feet
// join the beams below: the copies made, the nodes numbered with the
// supports kept, and the canvas repainted. Undone between runs, untimed.
void ArrayOfAHundredMembersIntoTwentyCopies(benchmark::State& state) {
    LargeFrameWindow window(20, 2);
    window.form.menuItem(MenuCommand::Select)->trigger();
    window.document.selectedMembers.resize(100);
    std::iota(window.document.selectedMembers.begin(), window.document.selectedMembers.end(), 1);
    float top = 0;
    for (const gj& member : window.document.members) {
        top = std::min({top, member.y1, member.y2});
    }
    const QString answer = QStringLiteral("20, 0, ") + QString::number(top);
    for (auto _ : state) {
        window.platform.inputs.push_back(answer);
        window.form.menuItem(MenuCommand::ArraySelection)->trigger();
        window.form.canvasWidget()->repaint();
        state.PauseTiming();
        if (window.document.membersEntered != 2100) {
            state.SkipWithError("the array was refused");
            return;
        }
        window.form.menuItem(MenuCommand::Undo)->trigger();
        state.ResumeTiming();
    }
}
BENCHMARK(ArrayOfAHundredMembersIntoTwentyCopies)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
