// The support symbols on the canvas: a fixed end is one thick line; the
// pinned support and the two links are drawn from hinge rings, bars and a
// ground line, each line in its own line array so that symbol i of a kind
// is element i of every array of that kind (element 0 is the preview).
#include <QtGlobal>
#include <algorithm>
#include <vector>

#include "editor/form1.h"

namespace {

constexpr ColourValue kSupportBlue = 0xFF0000;
constexpr int kGroundWidth = 3;

struct Segment {
    double x1, y1, x2, y2;
};

// s = +1 hangs the symbol below (or right of) the node, -1 mirrors it.
double sideOf(bool direction) {
    return direction ? -1.0 : 1.0;
}

// A hinge ring: six lines from its first vertex P, opening along +y (or
// +x when `alongX`), scaled by s.
void addHingeRing(std::vector<Segment>& out, double px, double py, double s, bool alongX) {
    // Offsets (across, along) of the ring's vertices.
    const auto at = [&](double across, double along) -> std::pair<double, double> {
        return alongX ? std::pair{px + along * s, py + across}
                      : std::pair{px + across, py + along * s};
    };
    const auto add = [&](std::pair<double, double> a, std::pair<double, double> b) {
        out.push_back({a.first, a.second, b.first, b.second});
    };
    const std::pair<double, double> p{px, py};
    add(p, at(-0.052, 0.03));
    add(p, at(0.052, 0.03));
    add(at(-0.052, 0.03), at(-0.052, 0.09));
    add(at(0.052, 0.03), at(0.052, 0.09));
    add(at(-0.052, 0.09), at(0, 0.12));
    add(at(0.052, 0.09), at(0, 0.12));
}

std::vector<Segment> pinnedSegments(double x, double y, double s) {
    std::vector<Segment> out{{x - 0.22, y + 0.3981 * s, x + 0.22, y + 0.3981 * s}};
    addHingeRing(out, x, y, s, false);
    out.push_back({x, y + 0.12 * s, x - 0.15, y + 0.3981 * s});
    out.push_back({x, y + 0.12 * s, x + 0.15, y + 0.3981 * s});
    return out;
}

std::vector<Segment> verticalLinkSegments(double x, double y, double s) {
    std::vector<Segment> out{{x - 0.2, y + 0.3981 * s, x + 0.2, y + 0.3981 * s}};
    addHingeRing(out, x, y + 0.278 * s, s, false);
    addHingeRing(out, x, y, s, false);
    out.push_back({x, y + 0.12 * s, x, y + 0.2781 * s});
    return out;
}

std::vector<Segment> horizontalLinkSegments(double x, double y, double s) {
    std::vector<Segment> out{{x + 0.3981 * s, y - 0.2, x + 0.3981 * s, y + 0.2}};
    addHingeRing(out, x + 0.278 * s, y, s, true);
    addHingeRing(out, x, y, s, true);
    out.push_back({x + 0.12 * s, y, x + 0.2781 * s, y});
    return out;
}

// The line arrays of each symbol, ground line first, in the order of the
// segments above.
std::vector<LineGroup> linesFrom(LineGroup first, LineGroup last) {
    std::vector<LineGroup> lines;
    for (LineGroup g = first; g <= last; ++g) {
        lines.push_back(g);
    }
    return lines;
}

const std::vector<LineGroup>& pinnedLines() {
    static const auto lines = linesFrom(10, 18);
    return lines;
}

const std::vector<LineGroup>& horizontalLinkLines() {
    static const auto lines = [] {
        auto l = linesFrom(19, 31);
        l.push_back(46);
        return l;
    }();
    return lines;
}

const std::vector<LineGroup>& verticalLinkLines() {
    static const auto lines = linesFrom(32, 45);
    return lines;
}

// Sets the lines of symbol `index`, creating them where they do not exist
// yet (a project read from a file has no symbols on the canvas).
// A symbol has one segment per line array; should the two tables ever
// disagree, only the pieces present in both are drawn.
void drawSymbol(Canvas& canvas, const std::vector<LineGroup>& lines,
                const std::vector<Segment>& segments, int index) {
    Q_ASSERT(segments.size() == lines.size());
    for (std::size_t j = 0; j < std::min(lines.size(), segments.size()); ++j) {
        const LineId id{lines[j], index};
        if (!canvas.line(id.group, index).loaded) {
            canvas.loadLine(id.group, index,
                            LineShape{0, 0, 0, 0, kSupportBlue, j == 0 ? kGroundWidth : 1, true});
        }
        const Segment& s = segments[j];
        canvas.moveLine(id, static_cast<float>(s.x1), static_cast<float>(s.y1),
                        static_cast<float>(s.x2), static_cast<float>(s.y2));
    }
}

}  // namespace

// Element 0 of every symbol array exists from the start, hidden: it is the
// preview that follows the mouse while a support is being placed.
void Form1::loadSymbolPreviews() {
    const LineShape hidden{0, 0, 0, 0, kSupportBlue, kGroundWidth, false};
    canvas.loadLine(kFixedSymbols, 0, hidden);
    for (const auto* lines : {&pinnedLines(), &horizontalLinkLines(), &verticalLinkLines()}) {
        for (std::size_t j = 0; j < lines->size(); ++j) {
            LineShape preview = hidden;
            preview.width = j == 0 ? kGroundWidth : 1;
            canvas.loadLine((*lines)[j], 0, preview);
        }
    }
}

void Form1::DrawFixedSymbol(float x, float y, int index, bool direction) {
    const Segment segment =
        direction ? Segment{x, y - 0.2, x, y + 0.2} : Segment{x - 0.2, y, x + 0.2, y};
    drawSymbol(canvas, {kFixedSymbols}, {segment}, index);
}

void Form1::DrawPinnedSymbol(float x, float y, int index) {
    drawSymbol(canvas, pinnedLines(), pinnedSegments(x, y, sideOf(document.supportDirection)),
               index);
}

void Form1::DrawHorizontalLinkSymbol(float x, float y, int index) {
    drawSymbol(canvas, horizontalLinkLines(),
               horizontalLinkSegments(x, y, sideOf(document.supportDirection)), index);
}

void Form1::DrawVerticalLinkSymbol(float x, float y, int index) {
    drawSymbol(canvas, verticalLinkLines(),
               verticalLinkSegments(x, y, sideOf(document.supportDirection)), index);
}
