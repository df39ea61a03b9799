// Sampling a member's internal force along it and turning the values into
// diagram points and labels.
#include "results/internal_force_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/member_axis.h"
#include "section/section_force.h"
#include "text/number_text.h"

namespace {

// The first section lies just inside the member, so that a step of the
// shear or axial force at the first end shows on the diagram.
constexpr float kFirstSection = 0.0001f;

std::string kindText(DiagramKind kind) {
    switch (kind) {
        case DiagramKind::Moment:
            return "M";
        case DiagramKind::Shear:
            return "Q";
        case DiagramKind::Axial:
            return "N";
    }
    return {};
}

// The end values of each force: moments e3 and e6, shears e2 and e5,
// axial forces e1 and e4.
std::size_t firstEndIndex(DiagramKind kind) {
    switch (kind) {
        case DiagramKind::Moment:
            return 2;
        case DiagramKind::Shear:
            return 1;
        case DiagramKind::Axial:
            return 0;
    }
    return 0;
}

// At most this many sections per member: 1000 m at the callers' 0.01 m, far
// more than a screen shows. A longer member is sampled at a wider step so
// that its diagram still spans it and takes bounded time and memory.
constexpr std::size_t kMaxSections = 100000;

// The sections x = first + k * step, k = 0 .. count - 1, all within the
// member. Counting them with an integer keeps the last one near the second
// end however long the member is: a sum of steps in single precision stops
// growing once the step falls below half the spacing of single values
// (0.01 m from 262,144 m on), and a loop on such a sum never ends.
struct Sampling {
    double first = kFirstSection;
    double step;
    std::size_t count = 0;

    Sampling(float length, float requested) : step(requested) {
        const double span = double{length} - first;
        if (!(span >= 0) || !std::isfinite(span)) {
            return;  // shorter than the first section, or of no length at all
        }
        if (!(span / step < static_cast<double>(kMaxSections - 1))) {
            step = span / static_cast<double>(kMaxSections - 1);
            count = kMaxSections;
            return;
        }
        count = static_cast<std::size_t>(std::floor(span / step)) + 1;
    }

    float at(std::size_t k) const {
        return static_cast<float>(first + step * static_cast<double>(k));
    }
};

// The member's axis and the mapping of (section, value) to world points.
// The axis runs from the first end to the second, as the analysis takes it
// for the member's local axes and end forces, whichever way the member was
// stored; its inclination alone (within +-90 degrees) would lay the diagram
// of a member stored right to left or top to bottom off the member.
struct Axis {
    double x1;
    double y1;
    double cosine = 1;
    double sine = 0;
    double scale;

    Axis(const gj& member, float k) : x1(member.x1), y1(member.y1), scale(k) {
        const orv::MemberAxis axis = orv::memberAxis(member.x1, member.y1, member.x2, member.y2);
        if (axis.length > 0) {  // coincident ends have no direction
            cosine = axis.cos;
            sine = axis.sin;
        }
    }

    // Local +y is local x turned by +90 degrees: (-sin, cos).
    DiagramPoint at(double x, float value) const {
        const double offset = value * scale;
        return {x1 + x * cosine - offset * sine, y1 + x * sine + offset * cosine};
    }
};

// The largest (or smallest) value met between the tenths of the member,
// compared with 0 first, so that a value of the wrong sign is never one.
struct Extreme {
    float value = 0;
    float x = 0;
    DiagramPoint at;
    bool recorded = false;

    void offer(float v, float section, const DiagramPoint& point, bool larger) {
        if (larger ? v > value : v < value) {
            value = v;
            x = section;
            at = point;
            recorded = true;
        }
    }
};

std::string magnitudeText(double value) {
    return orv::formatFixed(std::fabs(value), 3);
}

void labelEndValue(std::vector<DiagramLabel>& labels, double value, const DiagramPoint& at) {
    if (value != 0) {
        labels.push_back({at, magnitudeText(value)});
    }
}

// "12.345(2.50处)": the value at 2.50 m from the first end. Extremes within
// two steps of the tenths are left out: there they are the values at the
// limits of the search, not peaks of the curve.
void labelExtreme(std::vector<DiagramLabel>& labels, const Extreme& extreme, double length,
                  double step) {
    const double margin = 2.0 * step;
    if (extreme.recorded && margin + 0.1 * length < extreme.x &&
        extreme.x < 0.9 * length - margin) {
        labels.push_back({extreme.at, magnitudeText(extreme.value) + "(" +
                                          orv::formatFixed(extreme.x, 2) + "处)"});
    }
}

// Values this small against the largest one are rounding, not a sign.
constexpr double kZeroShare = 1e-4;

int signOf(float value, double zero) {
    return value > zero ? 1 : (value < -zero ? -1 : 0);
}

// The sign of every run of at least two sections whose values keep it.
std::vector<DiagramSign> stretchSigns(const Axis& axis, const Sampling& sections,
                                      const std::vector<float>& values) {
    double largest = 0;
    for (const float value : values) {
        largest = std::max(largest, std::fabs(double{value}));
    }
    const double zero = largest * kZeroShare;
    std::vector<DiagramSign> signs;
    std::size_t first = 0;
    for (std::size_t k = 1; k <= values.size(); ++k) {
        const int sign = signOf(values[first], zero);
        if (k < values.size() && signOf(values[k], zero) == sign) {
            continue;
        }
        if (sign != 0 && k - first >= 2) {
            const std::size_t middle = first + (k - first) / 2;
            const float x = sections.at(middle);
            signs.push_back(
                {axis.at(x, values[middle] / 2), sign < 0, sections.at(first), sections.at(k - 1)});
        }
        first = k;
    }
    return signs;
}

}  // namespace

float sectionValue(const gj& member, const MemberEndForces& forces, DiagramKind kind, float x) {
    static const x_内力 section;
    const std::string which = kindText(kind);
    const float length = member.leng();
    const auto e = [&](std::size_t k) { return static_cast<float>(forces[k]); };
    const auto part = [&](const std::string& loadKind, float xq, float q) {
        return section.upx(length, loadKind, xq, q, e(0), e(1), e(2), e(3), e(4), e(5), x, which);
    };
    float value = part("", 0, 0);
    for (std::size_t u = 1; u <= static_cast<std::size_t>(std::max<int>(member.荷载数, 0)); ++u) {
        value += part(member.hzlx.at(u), member.xq.at(u), member.q.at(u));
    }
    return value;
}

MemberDiagram memberDiagram(const gj& member, const MemberEndForces& forces, DiagramKind kind,
                            float scale, float step) {
    const Axis axis(member, scale);
    const float length = member.leng();
    MemberDiagram diagram;
    diagram.polyline.push_back({axis.x1, axis.y1});

    DiagramPoint start = diagram.polyline.front();
    float last = 0;
    Extreme largest;
    Extreme smallest;
    const Sampling sections(length, step);
    diagram.polyline.reserve(sections.count + 3);
    std::vector<float> values;
    values.reserve(sections.count);
    for (std::size_t k = 0; k < sections.count; ++k) {
        const float x = sections.at(k);
        last = sectionValue(member, forces, kind, x);
        values.push_back(last);
        const DiagramPoint point = axis.at(x, last);
        if (k == 0) {
            start = point;
        }
        diagram.polyline.push_back(point);
        if (0.1 * length < x && x < 0.9 * length) {
            largest.offer(last, x, point, true);
            smallest.offer(last, x, point, false);
        }
    }
    const DiagramPoint end = axis.at(length, last);
    diagram.polyline.push_back(end);
    diagram.polyline.push_back(axis.at(length, 0));

    const std::size_t first = firstEndIndex(kind);
    labelEndValue(diagram.labels, forces[first], start);
    labelEndValue(diagram.labels, forces[first + 3], end);
    labelExtreme(diagram.labels, largest, length, sections.step);
    labelExtreme(diagram.labels, smallest, length, sections.step);
    if (kind != DiagramKind::Moment) {
        diagram.signs = stretchSigns(axis, sections, values);
    }
    return diagram;
}
