// The member loads as a figure; see load_figure.h.
#include "results/load_figure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "document/load_cases.h"
#include "model/member_axis.h"
#include "text/number_text.h"

namespace {

// Sizes on the screen, pixels.
constexpr double kPointArrow = 30;
constexpr double kRowArrow = 20;
constexpr double kTriangleArrow = 26;
constexpr double kAxialArrow = 24;
constexpr double kAxialRowArrow = 10;
constexpr double kAxialSide = 6;  // axial arrows run beside the member, off its tick side
constexpr double kCoupleRadius = 13;
constexpr double kLabelGap = 4;
constexpr double kHeadLength = 8;
// A label's height and the gap to the next load's drawing, as the bands of
// the loads on one member are counted.
constexpr double kLabelRow = 18;
// The arrows of a distributed load stand about this far apart along the
// member (m), between 2 and kMaxRowArrows + 1 of them.
constexpr double kArrowSpacing = 0.5;
constexpr int kMaxRowArrows = 40;
constexpr int kArcPieces = 24;

struct Vector {
    double x = 0;
    double y = 0;
    Vector operator*(double k) const { return {x * k, y * k}; }
    Vector operator+(Vector other) const { return {x + other.x, y + other.y}; }
    Vector operator-() const { return {-x, -y}; }
};

const char* unitOf(orv::LoadKind kind) {
    switch (kind) {
        case orv::LoadKind::Concentrated:
        case orv::LoadKind::AxialConcentrated:
            return "kN";
        case orv::LoadKind::Uniform:
        case orv::LoadKind::AxialUniform:
        case orv::LoadKind::Triangular:
            return "kN/m";
        case orv::LoadKind::Couple:
            return "kN·m";
        case orv::LoadKind::None:
            break;
    }
    return "";
}

// The text's anchor that puts it beyond its point in the direction `away`.
TextAnchor anchorAway(Vector away) {
    if (std::fabs(away.y) >= std::fabs(away.x)) {
        return away.y < 0 ? TextAnchor::Bottom : TextAnchor::Top;
    }
    return away.x < 0 ? TextAnchor::Right : TextAnchor::Left;
}

// One member's loads drawn into a figure. World and pixel directions agree:
// the view has one scale on both axes and both run right and down.
class MemberSketch {
public:
    MemberSketch(Figure& figure, const gj& member, const orv::MemberAxis& axis)
        : figure_(figure),
          x1_(member.x1),
          y1_(member.y1),
          along_{axis.cos, axis.sin},
          across_{-axis.sin, axis.cos},
          length_(axis.length) {}

    // Each load of a member is drawn in a band of its own beyond the
    // bands of the loads before it, on the side its label goes, so that
    // two loads never share their arrows or their label's place.
    void draw(orv::LoadKind kind, float xq, float q) {
        const double a = std::clamp<double>(xq, 0, length_);
        // A positive load acts along local +y, towards the first end, or
        // turns the positive way (clockwise on the screen).
        const double sign = q < 0 ? -1 : 1;
        // A couple's arc is centred on its point: beyond other loads, its
        // whole circle clears their band.
        const double centre = kind == orv::LoadKind::Couple && stacked_ > 0 ? kCoupleRadius : 0;
        shift_ = bandSide(kind, sign) * (stacked_ + centre);
        stacked_ += bandHeight(kind);
        const std::string text = loadValueText(kind, std::fabs(q));
        switch (kind) {
            case orv::LoadKind::Concentrated:
                pointLoad(a, across_ * sign, text);
                break;
            case orv::LoadKind::Uniform:
                distributed(a, across_ * sign, false, text);
                break;
            case orv::LoadKind::Triangular:
                distributed(a, across_ * sign, true, text);
                break;
            case orv::LoadKind::AxialConcentrated:
                axialPointLoad(a, -along_ * sign, text);
                break;
            case orv::LoadKind::AxialUniform:
                axialDistributed(a, -along_ * sign, text);
                break;
            case orv::LoadKind::Couple:
                couple(a, sign, text);
                break;
            case orv::LoadKind::None:
                break;
        }
    }

private:
    // The side a load's label lies on: transverse loads come from it,
    // axial loads and couples are labelled off the tick side.
    Vector bandSide(orv::LoadKind kind, double sign) const {
        const bool transverse = kind == orv::LoadKind::Concentrated ||
                                kind == orv::LoadKind::Uniform || kind == orv::LoadKind::Triangular;
        return transverse ? across_ * -sign : -across_;
    }

    static double bandHeight(orv::LoadKind kind) {
        switch (kind) {
            case orv::LoadKind::Concentrated:
                return kPointArrow + kLabelGap + kLabelRow;
            case orv::LoadKind::Uniform:
                return kRowArrow + kLabelGap + kLabelRow;
            case orv::LoadKind::Triangular:
                return kTriangleArrow + kLabelGap + kLabelRow;
            case orv::LoadKind::AxialConcentrated:
            case orv::LoadKind::AxialUniform:
                return kAxialSide + kLabelGap + kLabelRow;
            case orv::LoadKind::Couple:
                return 2 * kCoupleRadius + kLabelGap + kLabelRow;
            case orv::LoadKind::None:
                break;
        }
        return 0;
    }

    // A point `s` along the member, moved by the load's band and `pixels`.
    FigurePoint at(double s, Vector pixels = {}) const {
        return {x1_ + s * along_.x, y1_ + s * along_.y, shift_.x + pixels.x, shift_.y + pixels.y};
    }

    void line(const FigurePoint& from, const FigurePoint& to) {
        figure_.polylines.push_back({{from, to}, kLoadColour, 1});
    }

    void arrow(const FigurePoint& tail, const FigurePoint& tip) {
        line(tail, tip);
        figure_.arrowheads.push_back({tail, tip, kLoadColour, kHeadLength, 3.5});
    }

    void label(const FigurePoint& at, Vector away, const std::string& text) {
        figure_.texts.push_back({at, text, kLoadColour, anchorAway(away), {}});
    }

    void pointLoad(double a, Vector force, const std::string& text) {
        arrow(at(a, force * -kPointArrow), at(a));
        label(at(a, force * -(kPointArrow + kLabelGap)), -force, text);
    }

    // The arrows of 0..a, from s = 0 to s = a.
    template <typename Each>
    static void rowPositions(double a, Each each) {
        const int gaps =
            std::clamp(static_cast<int>(std::ceil(a / kArrowSpacing)), 1, kMaxRowArrows);
        for (int k = 0; k <= gaps; ++k) {
            each(a * k / gaps);
        }
    }

    // A uniform load: arrows of one length under a line over 0..a; the
    // triangle's arrows grow from nothing at the first end to the full
    // length at a, under a sloping line.
    void distributed(double a, Vector force, bool growing, const std::string& text) {
        if (!(a > 0)) {
            return;
        }
        const double full = growing ? kTriangleArrow : kRowArrow;
        const auto lengthAt = [&](double s) { return growing ? full * s / a : full; };
        rowPositions(a, [&](double s) {
            if (lengthAt(s) >= kHeadLength) {
                arrow(at(s, force * -lengthAt(s)), at(s));
            }
        });
        line(at(0, force * -lengthAt(0)), at(a, force * -full));
        const double labelAt = growing ? a : a / 2;
        label(at(labelAt, force * -(lengthAt(labelAt) + kLabelGap)), -force, text);
    }

    void axialPointLoad(double a, Vector force, const std::string& text) {
        const Vector side = across_ * -kAxialSide;
        arrow(at(a, side + force * -kAxialArrow), at(a, side));
        label(at(a, side + force * -(kAxialArrow + kLabelGap)), -force, text);
    }

    void axialDistributed(double a, Vector force, const std::string& text) {
        if (!(a > 0)) {
            return;
        }
        const Vector side = across_ * -kAxialSide;
        rowPositions(a,
                     [&](double s) { arrow(at(s, side + force * -kAxialRowArrow), at(s, side)); });
        label(at(a / 2, across_ * -(kAxialSide + kLabelGap)), -across_, text);
    }

    // Three quarters of a circle round the point, open towards the tick
    // side, turning clockwise on the screen for a positive couple.
    void couple(double a, double sign, const std::string& text) {
        const double facing = std::atan2(across_.y, across_.x);
        const double start = facing + sign * std::numbers::pi / 4;
        const double sweep = sign * 1.5 * std::numbers::pi;
        FigurePolyline arc{{}, kLoadColour, 1};
        for (int k = 0; k <= kArcPieces; ++k) {
            const double angle = start + sweep * k / kArcPieces;
            arc.points.push_back(at(a, Vector{std::cos(angle), std::sin(angle)} * kCoupleRadius));
        }
        figure_.arrowheads.push_back(
            {arc.points[kArcPieces - 1], arc.points[kArcPieces], kLoadColour, kHeadLength, 3.5});
        figure_.polylines.push_back(std::move(arc));
        label(at(a, across_ * -(kCoupleRadius + kLabelGap)), -across_, text);
    }

    Figure& figure_;
    double x1_;
    double y1_;
    Vector along_;
    Vector across_;
    double length_;
    double stacked_ = 0;  // pixels taken by the bands of the loads drawn
    Vector shift_;        // of the load being drawn
};

// Loads 1..荷载数 as far as the member's arrays hold them.
int loadCount(const ConstMemberLoads& member) {
    const std::size_t slots = std::min({member.xq.size(), member.q.size(), member.hzlx.size()});
    const int held = slots == 0 ? 0 : static_cast<int>(slots) - 1;
    return std::clamp<int>(member.荷载数, 0, std::min(held, orv::kMaxLoadsPerMember));
}

void drawMemberLoads(Figure& figure, const gj& member, const ConstMemberLoads& loads) {
    const orv::MemberAxis axis = orv::memberAxis(member.x1, member.y1, member.x2, member.y2);
    if (!(axis.length > 0) || !std::isfinite(axis.length)) {
        return;  // a member without a direction has no side to draw on
    }
    MemberSketch sketch(figure, member, axis);
    for (int k = 1; k <= loadCount(loads); ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const float xq = loads.xq[slot];
        const float q = loads.q[slot];
        if (std::isfinite(xq) && std::isfinite(q)) {
            sketch.draw(static_cast<orv::LoadKind>(orv::loadKindCode(loads.hzlx[slot])), xq, q);
        }
    }
}

}  // namespace

std::string loadValueText(orv::LoadKind kind, float value) {
    return orv::displayText(value) + " " + unitOf(kind);
}

Figure loadsFigure(const Model& model, int members, int loadCase) {
    Figure figure;
    const int last = std::min<int>(members, static_cast<int>(model.members.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const gj& member = model.members[static_cast<std::size_t>(i)];
        drawMemberLoads(figure, member, loadsIn(member, loadCase));
    }
    return figure;
}
