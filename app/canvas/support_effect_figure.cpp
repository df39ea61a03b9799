// Settlements and temperature changes as figures; see support_effect_figure.h.
#include "canvas/support_effect_figure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "document/load_cases.h"
#include "document/member_connections.h"
#include "model/member_axis.h"
#include "results/load_figure.h"
#include "text/number_text.h"

namespace {

constexpr double kBeside = 14;      // pixels from the node to a settlement arrow
constexpr double kArrowHalf = 15;   // half a settlement arrow's length, pixels
constexpr double kTurnRadius = 18;  // the curved arrow of a settling rotation
constexpr double kFaceGap = 8;      // pixels from a member to its temperature text
constexpr int kArcPieces = 24;
constexpr double kDegree = std::numbers::pi / 180;

struct Direction {
    double x = 0;
    double y = 0;
};

// The anchor that keeps a text on the side `away` points to.
TextAnchor anchorTowards(Direction away) {
    if (std::abs(away.x) > std::abs(away.y)) {
        return away.x > 0 ? TextAnchor::Left : TextAnchor::Right;
    }
    return away.y > 0 ? TextAnchor::Top : TextAnchor::Bottom;
}

FigurePoint offset(float x, float y, Direction d, double pixels) {
    return {x, y, d.x * pixels, d.y * pixels};
}

void arrow(Figure& figure, FigurePoint tail, FigurePoint tip) {
    figure.polylines.push_back({{tail, tip}, kLoadColour, 1});
    figure.arrowheads.push_back({tail, tip, kLoadColour, 8, 3.5});
}

// A straight settlement: an arrow beside the node along the axis it moves,
// pointing the way it moves, labelled at its tail.
void translation(Figure& figure, float x, float y, Direction axis, float value, const char* unit) {
    const double sign = value > 0 ? 1 : -1;
    const Direction move{axis.x * sign, axis.y * sign};
    const Direction side{-axis.y, axis.x};  // across the axis: the arrow lies beside the symbol
    FigurePoint tail = offset(x, y, side, -kBeside);
    FigurePoint tip = tail;
    tail.dx -= move.x * kArrowHalf;
    tail.dy -= move.y * kArrowHalf;
    tip.dx += move.x * kArrowHalf;
    tip.dy += move.y * kArrowHalf;
    arrow(figure, tail, tip);
    FigurePoint at = tail;
    at.dx -= move.x * 3;
    at.dy -= move.y * 3;
    figure.texts.push_back(
        {at, orv::displayText(value) + unit, kLoadColour, anchorTowards({-move.x, -move.y}), {}});
}

// A settling rotation: three quarters of a circle round the node, turning
// clockwise on the screen for a positive value (+X towards +Y).
void rotation(Figure& figure, float x, float y, float value) {
    const double sign = value > 0 ? 1 : -1;
    const double start = -std::numbers::pi / 2 - sign * std::numbers::pi / 4;
    FigurePolyline arc{{}, kLoadColour, 1};
    for (int k = 0; k <= kArcPieces; ++k) {
        const double angle = start + sign * 1.5 * std::numbers::pi * k / kArcPieces;
        arc.points.push_back(offset(x, y, {std::cos(angle), std::sin(angle)}, kTurnRadius));
    }
    figure.arrowheads.push_back(
        {arc.points[kArcPieces - 1], arc.points[kArcPieces], kLoadColour, 8, 3.5});
    figure.polylines.push_back(std::move(arc));
    figure.texts.push_back({offset(x, y, {0, -1}, kTurnRadius + 3),
                            orv::displayText(value) + " rad",
                            kLoadColour,
                            TextAnchor::Bottom,
                            {}});
}

void settlement(Figure& figure, float x, float y, const SupportExtras& extras, int loadCase) {
    const double turn = extras.angle * kDegree;
    const Direction xAxis{std::cos(turn), std::sin(turn)};
    const Direction yAxis{-std::sin(turn), std::cos(turn)};
    const Settlement moved = settlementIn(extras, loadCase);
    if (moved[0] != 0) {
        translation(figure, x, y, xAxis, moved[0], " m");
    }
    if (moved[1] != 0) {
        translation(figure, x, y, yAxis, moved[1], " m");
    }
    if (moved[2] != 0) {
        rotation(figure, x, y, moved[2]);
    }
}

// "t1=20°C" beside the -y face and "t2=-10°C" beside the +y face at the
// member's middle, free to slide along it when their places are taken.
void temperature(Figure& figure, const gj& member, const ConstMemberLoads& loads) {
    const orv::MemberAxis axis = orv::memberAxis(member.x1, member.y1, member.x2, member.y2);
    if (!(axis.length > 0)) {
        return;
    }
    const auto midX = static_cast<float>((double{member.x1} + member.x2) / 2);
    const auto midY = static_cast<float>((double{member.y1} + member.y2) / 2);
    const Direction plusY{-axis.sin, axis.cos};
    const TextSlide slide{axis.cos, axis.sin, axis.length / 2, axis.length / 2};
    const auto face = [&](Direction side, const char* name, float value) {
        figure.texts.push_back({offset(midX, midY, side, kFaceGap),
                                std::string(name) + orv::displayText(value) + "°C", kLoadColour,
                                anchorTowards(side), slide});
    };
    face({-plusY.x, -plusY.y}, "t1=", loads.温度改变1);
    face(plusY, "t2=", loads.温度改变2);
}

}  // namespace

Figure supportEffectsFigure(const Document& document, int members) {
    Figure figure;
    const int last = std::min<int>(members, static_cast<int>(document.members.size()) - 1);
    std::vector<bool> drawn(document.supportExtras.size());
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        const ConstMemberLoads loads = loadsIn(member, document.currentLoadCase);
        if (loads.温度改变1 != 0 || loads.温度改变2 != 0) {
            temperature(figure, member, loads);
        }
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            const auto node = static_cast<std::size_t>(std::max<int>(nodeOf(member, end), 0));
            if (node < 1 || node >= drawn.size() || drawn[node]) {
                continue;
            }
            drawn[node] = true;
            const auto [x, y] = pointOf(member, end);
            settlement(figure, x, y, document.supportExtras[node], document.currentLoadCase);
        }
    }
    return figure;
}

Figure drawnLoadsFigure(const Document& document, int members) {
    Figure figure = loadsFigure(document, members, document.currentLoadCase);
    const Figure more = supportEffectsFigure(document, members);
    figure.polylines.insert(figure.polylines.end(), more.polylines.begin(), more.polylines.end());
    figure.arrowheads.insert(figure.arrowheads.end(), more.arrowheads.begin(),
                             more.arrowheads.end());
    figure.texts.insert(figure.texts.end(), more.texts.begin(), more.texts.end());
    return figure;
}
