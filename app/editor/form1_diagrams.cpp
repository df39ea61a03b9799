// The internal-force diagrams: bending moment, shear and axial force drawn
// beside every member, and the scale they are drawn at.
#include <cmath>
#include <vector>

#include "editor/form1.h"
#include "platform/platform.h"
#include "results/internal_force_diagram.h"
#include "solver/内力_位移.h"
#include "text/number_text.h"

namespace {

// Magenta, 128 red and 128 blue, in the blue-green-red order of colour values.
constexpr ColourValue kDiagramColour = 0x800080;
// Sections are 0.01 m apart along every member.
constexpr float kDiagramStep = 0.01f;

MemberEndForces endForcesOf(const Table2D<double>& results, std::size_t member) {
    MemberEndForces forces{};
    for (std::size_t r = 0; r < forces.size(); ++r) {
        forces[r] = results(r + 1, member);
    }
    return forces;
}

void drawMemberDiagram(Canvas& canvas, const MemberDiagram& diagram) {
    std::vector<QPointF> points;
    points.reserve(diagram.polyline.size());
    for (const DiagramPoint& point : diagram.polyline) {
        points.emplace_back(point.x, point.y);
    }
    canvas.drawPolyline(points, kDiagramColour);
    for (const DiagramLabel& label : diagram.labels) {
        canvas.printText(static_cast<float>(label.at.x), static_cast<float>(label.at.y),
                         QString::fromStdString(label.text));
    }
}

// Every drawn member's diagram, on a canvas cleared of earlier prints.
void drawDiagrams(Canvas& canvas, const Document& document, const Table2D<double>& results,
                  DiagramKind kind) {
    canvas.clear();
    for (std::size_t i = 1; i <= static_cast<std::size_t>(document.membersEntered); ++i) {
        drawMemberDiagram(canvas, memberDiagram(document.members[i], endForcesOf(results, i), kind,
                                                document.diagramScale, kDiagramStep));
    }
}

}  // namespace

// A model that cannot be solved draws nothing and says nothing: the
// analysis command is where the user learns why.
void Form1::弯矩图() {
    if (runAnalysis(false) && document.membersEntered > 0) {
        drawDiagrams(canvas, document, solver().a, DiagramKind::Moment);
    }
}

void Form1::剪力图() {
    if (runAnalysis(false) && document.membersEntered > 0) {
        drawDiagrams(canvas, document, solver().a, DiagramKind::Shear);
    }
}

void Form1::轴力图() {
    if (runAnalysis(false) && document.membersEntered > 0) {
        drawDiagrams(canvas, document, solver().a, DiagramKind::Axial);
    }
}

// Asks again until the scale is positive (and within the single range); a
// text that is no number reads 0. An empty reply (Cancel) keeps the scale. The next diagram uses
// the new scale; nothing is redrawn now.
void Form1::内力图显示比例() {
    for (;;) {
        const QString reply = platform.inputBox(
            QStringLiteral("输入内力图幅度,不能为0,一般情况<1"), QStringLiteral("Orvandel"),
            QString::fromStdString(orv::shortestText(document.diagramScale)));
        if (reply.isEmpty()) {
            return;
        }
        const auto scale = static_cast<float>(orv::leadingNumber(reply.toStdString()));
        if (scale > 0 && std::isfinite(scale)) {
            document.diagramScale = scale;
            return;
        }
    }
}
