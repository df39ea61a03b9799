// Sampling a member's internal force along it and turning the values into
// diagram points and labels.
#include "results/internal_force_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

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

// Values are computed in double precision from the end forces as the
// analysis leaves them (rather than rounded to single at every part), so
// that a label prints what the end forces give to its last digit and the
// sections compare by value, not by rounding. What every section of one
// member shares is prepared once: a diagram samples each member hundreds
// of times.
class SectionValues {
public:
    SectionValues(const gj& member, const MemberEndForces& forces, DiagramKind kind)
        : which_(kindText(kind)),
          force_(x_内力::forceNamed(which_)),
          length_(member.leng()),
          ends_{forces[0], forces[1], forces[2], forces[3], forces[4], forces[5]} {
        const auto count = static_cast<std::size_t>(std::max<int>(member.荷载数, 0));
        loads_.reserve(count);
        for (std::size_t u = 1; u <= count; ++u) {
            const std::string& text = member.hzlx.at(u);
            loads_.push_back({static_cast<orv::LoadKind>(orv::loadKindCode(text)), text.empty(),
                              member.xq.at(u), member.q.at(u)});
        }
    }

    // The value at distance x from the first end: the end forces' part
    // plus each load's part.
    double at(double x, x_内力::Side side) const {
        static const x_内力 section;
        double value = section.endForceLimit(length_, ends_, x, side, force_);
        for (const Load& load : loads_) {
            // A load without a kind text counts as the end forces' part, as
            // the engine takes an empty text.
            value += load.textless
                         ? section.limit(length_, {}, load.a, load.q, ends_, x, side, which_)
                         : section.loadLimit(length_, load.kind, load.a, load.q, x, side, force_);
        }
        return value;
    }

private:
    struct Load {
        orv::LoadKind kind;
        bool textless;
        double a;
        double q;
    };
    std::string which_;
    x_内力::Force force_;
    double length_;
    x_内力::EndForces ends_;
    std::vector<Load> loads_;
};

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

// The sampled sections with the pairs at the load positions between them,
// in order, each given to `each(x, side, atLoad)`. A position that
// coincides with a sampled section follows it: the sampled value there is
// the one before the load.
template <typename Each>
void forEachSectionPlace(const Sampling& sampling, const std::vector<double>& positions,
                         Each each) {
    auto next = positions.begin();
    const auto addPositionsBefore = [&](double x) {
        for (; next != positions.end() && *next < x; ++next) {
            each(*next, x_内力::Side::Before, true);
            each(*next, x_内力::Side::After, true);
        }
    };
    for (std::size_t k = 0; k < sampling.count; ++k) {
        const double x = sampling.at(k);
        addPositionsBefore(x);
        each(x, x_内力::Side::Before, false);
    }
    addPositionsBefore(std::numeric_limits<double>::infinity());
}

std::vector<SectionPlace> diagramSections(const Sampling& sampling,
                                          const std::vector<double>& positions) {
    std::vector<SectionPlace> places;
    places.reserve(sampling.count + 2 * positions.size());
    forEachSectionPlace(sampling, positions, [&](double x, x_内力::Side side, bool atLoad) {
        places.push_back({x, side, atLoad});
    });
    return places;
}

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
    DiagramPoint at(double x, double value) const {
        const double offset = value * scale;
        return {x1 + x * cosine - offset * sine, y1 + x * sine + offset * cosine};
    }
};

// One point of the curve: its distance from the first end and its value.
// Sections at a load's position come in pairs, the value just before it and
// just after it, so that a jump there is drawn straight across the member.
struct Section {
    enum class Source {
        Sampled,     // one of the regularly spaced sections
        AtLoad,      // at a load's position, where the curve jumps or bends
        RangeLimit,  // a tenth of the member, the limit of the extremes' search
    };
    double x = 0;
    double value = 0;
    Source source = Source::Sampled;
};

// A diagram's polyline: from the first end through the sections (anything
// with x and value), level to the second end's section, onto that end.
template <typename Sections>
std::vector<DiagramPoint> curveThrough(const Axis& axis, double length, const Sections& sections) {
    std::vector<DiagramPoint> polyline;
    polyline.reserve(sections.size() + 3);
    polyline.push_back({axis.x1, axis.y1});
    for (const auto& section : sections) {
        polyline.push_back(axis.at(section.x, section.value));
    }
    polyline.push_back(axis.at(length, sections.empty() ? 0 : sections.back().value));
    polyline.push_back(axis.at(length, 0));
    return polyline;
}

// The largest (or smallest) value met between the tenths of the member,
// compared with 0 first, so that a value of the wrong sign is never one.
struct Extreme {
    Section section;
    DiagramPoint at;
    bool recorded = false;

    void offer(const Section& candidate, const DiagramPoint& point, bool larger) {
        const double v = candidate.value;
        const double value = section.value;
        if (larger ? v > value : v < value) {
            section = candidate;
            at = point;
            recorded = true;
        }
    }
};

std::string magnitudeText(double value) {
    return orv::formatFixed(std::fabs(value), 3);
}

// A value that prints as zero is not labelled: the curve meets the axis
// there, which says it already, and "0.000" at a pinned end reads as a
// value the analysis found rather than the rounding of one.
void addLabel(std::vector<DiagramLabel>& labels, double value, const DiagramPoint& at,
              const std::string& where = {}) {
    const std::string text = magnitudeText(value);
    if (text != magnitudeText(0)) {
        labels.push_back({at, text + where});
    }
}

// Whether an extreme is a peak of the curve worth its label. The values at
// the tenths themselves take part in the search, so an extreme there is the
// curve still rising beyond the range, never labelled. A sampled extreme
// within two steps of the tenths is taken for the same (the sections next
// to a tenth differ from its value by little more than rounding). A value
// at a load's position is the curve's own corner, computed there exactly:
// it is labelled wherever it lies within the range, however near a tenth,
// since a user looks for the value under the load.
bool isPeak(const Extreme& extreme, double length, double step) {
    if (!extreme.recorded) {
        return false;
    }
    const double margin = 2.0 * step;
    const double x = extreme.section.x;
    switch (extreme.section.source) {
        case Section::Source::AtLoad:
            return true;
        case Section::Source::Sampled:
            return margin + 0.1 * length < x && x < 0.9 * length - margin;
        case Section::Source::RangeLimit:
            return false;
    }
    return false;
}

// "12.345(2.50处)": the value at 2.50 m from the first end.
void labelExtreme(std::vector<DiagramLabel>& labels, const Extreme& extreme, double length,
                  double step) {
    if (isPeak(extreme, length, step)) {
        std::string where = "(";
        where += orv::formatFixed(extreme.section.x, 2) + "处)";
        addLabel(labels, extreme.section.value, extreme.at, where);
    }
}

// Values this small against the largest one are rounding, not a sign.
constexpr double kZeroShare = 1e-4;

int signOf(double value, double zero) {
    return value > zero ? 1 : (value < -zero ? -1 : 0);
}

// The sign of every run of at least two sections whose values keep it.
std::vector<DiagramSign> stretchSigns(const Axis& axis, const std::vector<Section>& sections) {
    double largest = 0;
    for (const Section& section : sections) {
        largest = std::max(largest, std::fabs(section.value));
    }
    const double zero = largest * kZeroShare;
    std::vector<DiagramSign> signs;
    std::size_t first = 0;
    for (std::size_t k = 1; k <= sections.size(); ++k) {
        const int sign = signOf(sections[first].value, zero);
        if (k < sections.size() && signOf(sections[k].value, zero) == sign) {
            continue;
        }
        if (sign != 0 && k - first >= 2) {
            const Section& middle = sections[first + (k - first) / 2];
            signs.push_back({axis.at(middle.x, middle.value / 2), sign < 0, sections[first].x,
                             sections[k - 1].x});
        }
        first = k;
    }
    return signs;
}

// The sampled sections with the pairs at the load positions between them.
std::vector<Section> curveSections(const gj& member, const MemberEndForces& forces,
                                   DiagramKind kind, const Sampling& sampling) {
    const SectionValues values(member, forces, kind);
    const std::vector<double> positions = loadPositions(member, member.leng());
    std::vector<Section> sections;
    sections.reserve(sampling.count + 2 * positions.size());
    forEachSectionPlace(sampling, positions, [&](double x, x_内力::Side side, bool atLoad) {
        sections.push_back(
            {x, values.at(x, side), atLoad ? Section::Source::AtLoad : Section::Source::Sampled});
    });
    return sections;
}

// The extremes between the tenths: the values at the tenths first and last
// (approached from inside), every section between them in order.
void findExtremes(const gj& member, const MemberEndForces& forces, DiagramKind kind,
                  const Axis& axis, const std::vector<Section>& sections, Extreme& largest,
                  Extreme& smallest) {
    const double length = member.leng();
    const SectionValues values(member, forces, kind);
    const auto offer = [&](const Section& section) {
        const DiagramPoint point = axis.at(section.x, section.value);
        largest.offer(section, point, true);
        smallest.offer(section, point, false);
    };
    const auto limit = [&](double x, x_内力::Side side) {
        return Section{x, values.at(x, side), Section::Source::RangeLimit};
    };
    offer(limit(0.1 * length, x_内力::Side::After));
    for (const Section& section : sections) {
        if (0.1 * length < section.x && section.x < 0.9 * length) {
            offer(section);
        }
    }
    offer(limit(0.9 * length, x_内力::Side::Before));
}

}  // namespace

std::vector<double> loadPositions(const gj& member, double length) {
    std::vector<double> positions;
    for (std::size_t u = 1; u <= static_cast<std::size_t>(std::max<int>(member.荷载数, 0)); ++u) {
        const double a = member.xq.at(u);
        if (0 < a && a < length) {
            positions.push_back(a);
        }
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

std::vector<SectionPlace> diagramSections(float length, float step,
                                          const std::vector<double>& positions) {
    return diagramSections(Sampling(length, step), positions);
}

DiagramPoint diagramPoint(const gj& member, float scale, double x, double value) {
    return Axis(member, scale).at(x, value);
}

// The curve ends level with its last section, then closes onto the
// member's second end.
std::vector<DiagramPoint> diagramCurve(const gj& member, float scale,
                                       const std::vector<CurveSection>& sections) {
    return curveThrough(Axis(member, scale), member.leng(), sections);
}

double sectionValue(const gj& member, const MemberEndForces& forces, DiagramKind kind, double x,
                    x_内力::Side side) {
    return SectionValues(member, forces, kind).at(x, side);
}

MemberDiagram memberDiagram(const gj& member, const MemberEndForces& forces, DiagramKind kind,
                            float scale, float step) {
    const Axis axis(member, scale);
    const float length = member.leng();
    const Sampling sampling(length, step);
    const std::vector<Section> sections = curveSections(member, forces, kind, sampling);
    MemberDiagram diagram;
    diagram.polyline = curveThrough(axis, length, sections);
    // A member too short for any section has its first end's label at the end.
    const DiagramPoint start = diagram.polyline[sections.empty() ? 0 : 1];
    const DiagramPoint end = diagram.polyline[diagram.polyline.size() - 2];

    const std::size_t first = firstEndIndex(kind);
    addLabel(diagram.labels, forces[first], start);
    addLabel(diagram.labels, forces[first + 3], end);
    Extreme largest;
    Extreme smallest;
    findExtremes(member, forces, kind, axis, sections, largest, smallest);
    labelExtreme(diagram.labels, largest, length, sampling.step);
    labelExtreme(diagram.labels, smallest, length, sampling.step);
    if (kind != DiagramKind::Moment) {
        diagram.signs = stretchSigns(axis, sections);
    }
    return diagram;
}
