// The figures of an analysis; see result_figures.h.
#include "results/result_figures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/member_axis.h"
#include "results/local_axes.h"
#include "results/work_halves.h"
#include "text/number_text.h"

namespace {

constexpr double kArrowPixels = 46;  // length of a force arrow
constexpr double kGapPixels = 4;     // between the node and the arrow's tip
constexpr double kArcPixels = 20;    // radius of a moment's arc
constexpr double kBelowPixels = 14;  // a horizontal force runs below the support's symbol
constexpr int kArcSteps = 24;
constexpr int kForceDecimals = 4;  // as the result files print forces

bool printsAsZero(double value) {
    return orv::formatFixed(std::abs(value), kForceDecimals) == orv::formatFixed(0, kForceDecimals);
}

std::string magnitudeText(double value, const char* unit) {
    return orv::formatFixed(std::abs(value), kForceDecimals) + " " + unit;
}

FigurePoint at(const orv::Point& node, double dx = 0, double dy = 0) {
    return {node.x, node.y, dx, dy};
}

// The support's x axis on the drawing: X unless the support is turned.
PlaneVector supportXAxis(const orv::NodeSupport& support) {
    return support.turned ? PlaneVector{support.cos, support.sin} : PlaneVector{1, 0};
}

// A force along the support's x axis (axis 0) or y axis (axis 1) acting
// on the node: the arrow ends just short of the node, its label beyond the
// tail. A force along x runs below the support's symbol, on its y side.
void addForce(Figure& figure, const SupportReaction& reaction, int axis, double value) {
    const orv::Point& node = reaction.at;
    const double sign = value > 0 ? 1 : -1;
    const PlaneVector x = supportXAxis(reaction.support);
    const PlaneVector along = axis == 0 ? x : PlaneVector{-x.y, x.x};
    const double ux = sign * along.x;
    const double uy = sign * along.y;
    const PlaneVector below =
        axis == 0 ? PlaneVector{-x.y * kBelowPixels, x.x * kBelowPixels} : PlaneVector{};
    const FigurePoint tip = at(node, below.x - ux * kGapPixels, below.y - uy * kGapPixels);
    const FigurePoint tail = at(node, below.x - ux * (kGapPixels + kArrowPixels),
                                below.y - uy * (kGapPixels + kArrowPixels));
    figure.polylines.push_back({{tail, tip}, kReactionColour, 2});
    figure.arrowheads.push_back({tail, tip, kReactionColour});
    TextAnchor anchor = TextAnchor::Centre;
    if (std::abs(ux) >= std::abs(uy)) {
        anchor = ux > 0 ? TextAnchor::Right : TextAnchor::Left;
    } else {
        anchor = uy > 0 ? TextAnchor::Bottom : TextAnchor::Top;
    }
    figure.texts.push_back({at(node, tail.dx - ux * 3, tail.dy - uy * 3),
                            magnitudeText(value, "kN"),
                            kReactionColour,
                            anchor,
                            {}});
}

// A moment: an arc around the node turning the way the moment turns
// (positive from +X towards +Y, clockwise on the drawing), its head at
// the arc's end.
void addMoment(Figure& figure, const orv::Point& node, double value) {
    const double first = -std::numbers::pi / 3;
    const double sweep = 5 * std::numbers::pi / 3 * (value > 0 ? 1 : -1);
    const double start = value > 0 ? first : first - sweep;
    FigurePolyline arc{{}, kReactionColour, 2};
    for (int i = 0; i <= kArcSteps; ++i) {
        const double angle = start + sweep * i / kArcSteps;
        arc.points.push_back(at(node, kArcPixels * std::cos(angle), kArcPixels * std::sin(angle)));
    }
    figure.arrowheads.push_back(
        {arc.points[arc.points.size() - 2], arc.points.back(), kReactionColour});
    figure.polylines.push_back(std::move(arc));
    figure.texts.push_back({at(node, kArcPixels + 4, -kArcPixels - 2),
                            magnitudeText(value, "kN·m"),
                            kReactionColour,
                            TextAnchor::BottomLeft,
                            {}});
}

}  // namespace

Figure reactionFigure(const std::vector<SupportReaction>& reactions) {
    Figure figure;
    for (const SupportReaction& reaction : reactions) {
        for (int axis = 0; axis < 2; ++axis) {
            const auto& value = reaction.components[axis];
            if (value && !printsAsZero(*value)) {
                addForce(figure, reaction, axis, *value);
            }
        }
        if (const auto& moment = reaction.components[2]; moment && !printsAsZero(*moment)) {
            addMoment(figure, reaction.at, *moment);
        }
    }
    return figure;
}

namespace {

std::optional<orv::Point> nodePosition(const SolvedFrame& frame, int node) {
    for (const SolvedMember& member : frame.members) {
        for (int end = 0; end < 2; ++end) {
            if (endNode(member, end) == node) {
                return endPoint(member, end);
            }
        }
    }
    return std::nullopt;
}

std::string moveText(const LargestNodeMove& move) {
    return "节点" + std::to_string(move.node) + " " + orv::formatFixed(move.magnitude, 3) +
           " mm, 方向 " + orv::formatFixed(move.angle, 1) + "°";
}

}  // namespace

Figure deflectionFigure(const SolvedFrame& frame, const std::vector<MemberCurve>& curves,
                        double magnification) {
    Figure figure;
    for (const MemberCurve& curve : curves) {
        FigurePolyline line{{}, kDeflectionColour, 2};
        for (const DiagramPoint& point : displacedPolyline(curve, magnification)) {
            line.points.push_back({point.x, point.y});
        }
        figure.polylines.push_back(std::move(line));
    }
    const auto move = largestNodeMove(frame);
    const auto node = move ? nodePosition(frame, move->node) : std::nullopt;
    if (!move || !node || move->magnitude == 0) {
        return figure;
    }
    const NodeDisplacement& d = frame.nodeMoves[static_cast<std::size_t>(move->node - 1)];
    const FigurePoint from{node->x, node->y};
    const FigurePoint to{node->x + magnification * d[0] / 1000,
                         node->y + magnification * d[1] / 1000};
    figure.polylines.push_back({{from, to}, kDeflectionColour, 1});
    figure.arrowheads.push_back({from, to, kDeflectionColour, 7, 3});
    figure.texts.push_back({FigurePoint{to.x, to.y, 6, 4},
                            moveText(*move),
                            kDeflectionColour,
                            TextAnchor::TopLeft,
                            {}});
    return figure;
}

namespace {

// A member's texts slide along its axis: the signs within their stretch,
// the labels over the whole member.
class MemberTexts {
public:
    explicit MemberTexts(const gj& member) : x1_(member.x1), y1_(member.y1) {
        const orv::MemberAxis axis = orv::memberAxis(member.x1, member.y1, member.x2, member.y2);
        if (axis.length > 0 && std::isfinite(axis.length)) {
            length_ = axis.length;
            cos_ = axis.cos;
            sin_ = axis.sin;
        }
    }

    FigureText sign(const DiagramSign& sign) const {
        return {{sign.at.x, sign.at.y},
                sign.positive ? "⊕" : "⊖",
                kDiagramColour,
                TextAnchor::Centre,
                slideWithin(sign.at, sign.from, sign.to)};
    }
    FigureText label(const DiagramLabel& label) const {
        return {{label.at.x, label.at.y},
                label.text,
                kDiagramColour,
                TextAnchor::TopLeft,
                slideWithin(label.at, 0, length_)};
    }

private:
    // The point's place along the member bounds how far it may go each way.
    TextSlide slideWithin(const DiagramPoint& at, double from, double to) const {
        const double along = (at.x - x1_) * cos_ + (at.y - y1_) * sin_;
        return {cos_, sin_, std::max(along - from, 0.0), std::max(to - along, 0.0)};
    }

    double x1_;
    double y1_;
    double cos_ = 1;
    double sin_ = 0;
    double length_ = 0;
};

}  // namespace

namespace {

FigurePolyline figurePolyline(const MemberDiagram& diagram) {
    FigurePolyline curve{{}, kDiagramColour, 1};
    curve.points.reserve(diagram.polyline.size());
    for (const DiagramPoint& point : diagram.polyline) {
        curve.points.push_back({point.x, point.y});
    }
    return curve;
}

// The signs of every member first, then the values, so that a value gives
// way to a sign wherever they meet.
void addDiagramTexts(Figure& figure, std::span<const gj> members,
                     const std::vector<MemberDiagram>& diagrams, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const MemberTexts member(members[i]);
        for (const DiagramSign& sign : diagrams[i].signs) {
            figure.texts.push_back(member.sign(sign));
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const MemberTexts member(members[i]);
        for (const DiagramLabel& label : diagrams[i].labels) {
            figure.texts.push_back(member.label(label));
        }
    }
}

}  // namespace

Figure diagramFigure(std::span<const gj> members, const std::vector<MemberDiagram>& diagrams) {
    Figure figure;
    const std::size_t count = std::min(members.size(), diagrams.size());
    figure.polylines.resize(count);
    inHalves(count, kMembersWorthTwoCores, [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            figure.polylines[i] = figurePolyline(diagrams[i]);
        }
    });
    addDiagramTexts(figure, members, diagrams, count);
    return figure;
}

MemberEndForces endForcesOf(const Table2D<double>& results, std::size_t member) {
    MemberEndForces forces{};
    for (std::size_t r = 0; r < forces.size(); ++r) {
        forces[r] = results(r + 1, member);
    }
    return forces;
}

// Its texts are placed when it is painted, on each surface at that
// surface's size. The members are sampled on two cores when there are
// many: each diagram depends on its own member alone.
Figure diagramsOf(const Model& model, const Table2D<double>& endForces, DiagramKind kind) {
    const auto count = static_cast<std::size_t>(std::max<int>(model.membersEntered, 0));
    std::vector<MemberDiagram> diagrams(count);
    Figure figure;
    figure.polylines.resize(count);
    inHalves(count, kMembersWorthTwoCores, [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            diagrams[i] = memberDiagram(model.members[i + 1], endForcesOf(endForces, i + 1), kind,
                                        model.diagramScale, kDiagramStep);
            figure.polylines[i] = figurePolyline(diagrams[i]);
            diagrams[i].polyline = {};  // copied while it is still in the cache
        }
    });
    addDiagramTexts(figure, std::span(model.members).subspan(1, count), diagrams, count);
    return figure;
}

std::string equilibriumText(const EquilibriumResidual& residual) {
    return "平衡校核: ΣX = " + orv::formatFixed(residual.x, kForceDecimals) +
           " kN, ΣY = " + orv::formatFixed(residual.y, kForceDecimals) +
           " kN, ΣM = " + orv::formatFixed(residual.moment, kForceDecimals) + " kN·m";
}

std::string deflectionText(const SolvedFrame& frame, double magnification) {
    std::string text = "变形图, 放大 " + orv::generalText(magnification) + " 倍";
    if (const auto move = largestNodeMove(frame)) {
        text += "; 最大位移 " + moveText(*move);
    }
    return text;
}
