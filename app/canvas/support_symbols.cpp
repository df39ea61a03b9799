// The support symbols on the canvas; see support_symbols.h.
#include "canvas/support_symbols.h"

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

#include "document/support_kinds.h"

namespace {

constexpr ColourValue kSupportBlue = 0xFF0000;
constexpr int kGroundWidth = 3;

// A vertex of a symbol relative to its node, in the symbol's own axes:
// `across` the symbol's axis, never mirrored, and `along` it, mirrored by
// the direction. A vertex of a hinge ring lies `ringAlong` beyond the
// ring's first vertex; the two are added one after the other, so that a
// ring away from the node has exactly the vertices of one drawn there.
struct Vertex {
    double across = 0;
    double along = 0;
    double ringAlong = 0;
};

struct Piece {
    Vertex from;
    Vertex to;
};

// A hinge ring: a hexagon of six pieces a..f from its first vertex, which
// lies `along` from the node, opening along the axis.
constexpr std::array<Piece, 6> hingeRing(double along) {
    constexpr double half = 0.052;
    const auto at = [along](double across, double ringAlong) {
        return Vertex{across, along, ringAlong};
    };
    const Vertex first{0, along};
    return {{{first, at(-half, 0.03)},
             {first, at(half, 0.03)},
             {at(-half, 0.03), at(-half, 0.09)},
             {at(half, 0.03), at(half, 0.09)},
             {at(-half, 0.09), at(0, 0.12)},
             {at(half, 0.09), at(0, 0.12)}}};
}

template <std::size_t... N>
constexpr std::array<Piece, (N + ...)> join(const std::array<Piece, N>&... parts) {
    std::array<Piece, (N + ...)> all{};
    auto next = all.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return all;
}

// A fixed end: one bar across the member end, hatched on the ground side
// as the textbook draws it: short strokes slanting away from the bar.
constexpr std::array kFixedPieces{Piece{{-0.2, 0}, {0.2, 0}}, Piece{{-0.1, 0}, {-0.2, 0.1}},
                                  Piece{{0, 0}, {-0.1, 0.1}}, Piece{{0.1, 0}, {0, 0.1}},
                                  Piece{{0.2, 0}, {0.1, 0.1}}};
constexpr std::array kFixedLines{kFixedSymbols, kFirstFixedHatch, kFirstFixedHatch + 1,
                                 kFirstFixedHatch + 2, kFirstFixedHatch + 3};

// A pinned support: a hinge at the node and two links from its far vertex
// to the ground line.
constexpr auto kPinnedPieces =
    join(std::array{Piece{{-0.22, 0.3981}, {0.22, 0.3981}}}, hingeRing(0),
         std::array{Piece{{0, 0.12}, {-0.15, 0.3981}}, Piece{{0, 0.12}, {0.15, 0.3981}}});
constexpr std::array kPinnedLines{10, 11, 12, 13, 14, 15, 16, 17, 18};

// A link: a bar with a hinge at each end, standing on the ground line. The
// bar ends at 0.2781, just beyond the first vertex of the far ring.
constexpr auto kLinkPieces =
    join(std::array{Piece{{-0.2, 0.3981}, {0.2, 0.3981}}}, hingeRing(0.278), hingeRing(0),
         std::array{Piece{{0, 0.12}, {0, 0.2781}}});
constexpr std::array kHorizontalLinkLines{19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 46};
constexpr std::array kVerticalLinkLines{32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45};

// The symbol's axis: along y (below the node) or along x (to its right).
enum class Axis { Y, X };
// What a true direction does: mirror the symbol to the node's other side,
// or turn it a quarter (the fixed end's bar then runs along y; its ground
// side is given apart, away from the member it holds).
enum class Turn { Mirror, QuarterTurn };

struct SymbolKind {
    SupportKind code;
    std::span<const LineGroup> lines;  // piece j is drawn on lines[j]
    LineGroup ground;                  // drawn thick
    std::span<const Piece> pieces;
    Axis axis;
    Turn turn;
};

// Lines and pieces of one size: a piece without its line, or a line
// without its piece, does not compile.
template <std::size_t N>
constexpr SymbolKind symbolKind(SupportKind code, const std::array<LineGroup, N>& lines,
                                const std::array<Piece, N>& pieces, Axis axis, Turn turn) {
    return {code, lines, lines.front(), pieces, axis, turn};
}

constexpr std::array kSymbolKinds{
    symbolKind(SupportFixed, kFixedLines, kFixedPieces, Axis::Y, Turn::QuarterTurn),
    symbolKind(SupportPinned, kPinnedLines, kPinnedPieces, Axis::Y, Turn::Mirror),
    symbolKind(SupportHorizontalLink, kHorizontalLinkLines, kLinkPieces, Axis::X, Turn::Mirror),
    symbolKind(SupportVerticalLink, kVerticalLinkLines, kLinkPieces, Axis::Y, Turn::Mirror),
};
static_assert(kSymbolKinds.size() == kPlacedSupportKinds.size(), "a symbol for every kind");

const SymbolKind& kindOf(SupportKind code) {
    const auto* kind = std::ranges::find(kSymbolKinds, code, &SymbolKind::code);
    Q_ASSERT(kind != kSymbolKinds.end());
    return kind != kSymbolKinds.end() ? *kind : kSymbolKinds.front();
}

struct Orientation {
    Axis axis;
    double side;     // +1 below or right of the node, -1 mirrored
    double cos = 1;  // the turn of the node's support axes
    double sin = 0;
};

Orientation orientationOf(const SymbolKind& kind, bool direction, double groundSide) {
    if (kind.turn == Turn::QuarterTurn) {
        return {direction ? Axis::X : Axis::Y, groundSide < 0 ? -1.0 : 1.0};
    }
    return {kind.axis, direction ? -1.0 : 1.0};
}

// A vertex in world coordinates: formed in double precision from the
// single-precision node, stored as single.
// A turned symbol's vertex is its unturned offset from the node turned
// with the node's support axes.
QPointF worldPoint(const Vertex& v, float x, float y, Orientation o) {
    if (o.sin != 0 || o.cos != 1) {
        const QPointF unturned = worldPoint(v, 0, 0, {o.axis, o.side});
        return {static_cast<float>(x + unturned.x() * o.cos - unturned.y() * o.sin),
                static_cast<float>(y + unturned.x() * o.sin + unturned.y() * o.cos)};
    }
    if (o.axis == Axis::Y) {
        return {static_cast<float>(x + v.across),
                static_cast<float>(y + v.along * o.side + v.ringAlong * o.side)};
    }
    return {static_cast<float>(x + v.along * o.side + v.ringAlong * o.side),
            static_cast<float>(y + v.across)};
}

}  // namespace

// Element 0 of every symbol array exists from the start, hidden: it is the
// preview that follows the mouse while a support is being placed.
void loadSymbolPreviews(Canvas& canvas) {
    for (const SymbolKind& kind : kSymbolKinds) {
        for (const LineGroup line : kind.lines) {
            const int width = line == kind.ground ? kGroundWidth : 1;
            canvas.loadLine(line, 0, LineShape{0, 0, 0, 0, kSupportBlue, width, false});
        }
    }
}

// Creates the symbol's lines where they do not exist yet (a project read
// from a file has no symbols on the canvas).
void drawSupportSymbol(Canvas& canvas, SupportKind code, float x, float y, int index,
                       bool direction, double groundSide, double turn) {
    const SymbolKind& kind = kindOf(code);
    Orientation orientation = orientationOf(kind, direction, groundSide);
    if (turn != 0) {
        orientation.cos = std::cos(turn * std::numbers::pi / 180);
        orientation.sin = std::sin(turn * std::numbers::pi / 180);
    }
    for (std::size_t j = 0; j < kind.lines.size(); ++j) {
        const LineGroup line = kind.lines[j];
        if (!canvas.line(line, index).loaded) {
            const int width = line == kind.ground ? kGroundWidth : 1;
            canvas.loadLine(line, index, LineShape{0, 0, 0, 0, kSupportBlue, width, true});
        }
        const QPointF from = worldPoint(kind.pieces[j].from, x, y, orientation);
        const QPointF to = worldPoint(kind.pieces[j].to, x, y, orientation);
        canvas.moveLine({line, index}, static_cast<float>(from.x()), static_cast<float>(from.y()),
                        static_cast<float>(to.x()), static_cast<float>(to.y()));
    }
}

void showSupportPreview(Canvas& canvas, SupportKind code, bool visible) {
    for (const LineGroup line : kindOf(code).lines) {
        canvas.setLineVisible({line, 0}, visible);
    }
}

void unloadSupportSymbolsFrom(Canvas& canvas, SupportKind code, int first) {
    for (const LineGroup line : kindOf(code).lines) {
        for (int i = canvas.lineCount(line) - 1; i >= std::max(first, 1); --i) {
            if (canvas.line(line, i).loaded) {
                canvas.unloadLine(line, i);
            }
        }
    }
}
