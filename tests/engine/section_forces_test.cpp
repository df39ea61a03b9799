// Section forces for the diagrams: the end-force part plus one part per
// load must give the forces that hold the far part of the member (from the
// section to the second end) in equilibrium, for every load kind.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "section/section_force.h"

namespace {

struct Load {
    std::string kind;
    float a, q;
};

struct EndForces {
    float na, qa, ma, nb, qb, mb;
};

float part(const Load& load, float length, float x, const char* what) {
    return x_内力{}.upx(length, load.kind, load.a, load.q, 0, 0, 0, 0, 0, 0, x, what);
}

float endPart(const EndForces& f, float length, float x, const char* what) {
    return x_内力{}.upx(length, "", 0, 0, f.na, f.qa, f.ma, f.nb, f.qb, f.mb, x, what);
}

// Resultants of the loads lying at or beyond x: transverse force (local +y),
// axial force (towards the first end) and moment about the section.
struct Resultant {
    double transverse = 0, axial = 0, moment = 0;
};

Resultant beyond(const Load& load, double x) {
    const double a = load.a, q = load.q;
    Resultant r;
    if (load.kind == "集中" && a >= x) {
        r = {q, 0, q * (a - x)};
    } else if (load.kind == "均布" && a > x) {
        r = {q * (a - x), 0, q * (a - x) * (a - x) / 2};
    } else if (load.kind == "三角" && a > x) {
        // Intensity q * t / a on x <= t <= a.
        r = {q * (a * a - x * x) / (2 * a), 0,
             q / a * ((a * a * a - x * x * x) / 3 - x * (a * a - x * x) / 2)};
    } else if (load.kind == "水平集中" && a >= x) {
        r.axial = q;
    } else if (load.kind == "水平均布" && a > x) {
        r.axial = q * (a - x);
    } else if (load.kind == "力偶" && a >= x) {
        r.moment = q;
    }
    return r;
}

TEST(SectionForces, LoadedMemberMatchesFreeBodyOfTheFarPart) {
    const float length = 6;
    const std::vector<std::vector<Load>> members = {
        {{"集中", 2.5f, 12}},
        {{"集中", 6, -4}},
        {{"均布", 3.5f, 8}},
        {{"均布", 6, -2.5f}},
        {{"均布", 8, 3}},  // longer than the member: used unclipped
        {{"三角", 4, 9}},
        {{"三角", 6, -6}},
        {{"水平集中", 1.5f, 7}},
        {{"水平均布", 4.5f, -3}},
        {{"力偶", 2, 10}},
        {{"力偶", 6, -5}},
        {{"集中", 1, 5},
         {"均布", 6, 2},
         {"三角", 3, 4},
         {"水平集中", 5, -2},
         {"水平均布", 2, 1.5f},
         {"力偶", 4.5f, 3},
         {"集中", 1, 5}},
    };
    for (const auto& loads : members) {
        // End forces that keep the whole member in equilibrium.
        Resultant whole;
        for (const Load& load : loads) {
            const Resultant r = beyond(load, 0);
            whole = {whole.transverse + r.transverse, whole.axial + r.axial,
                     whole.moment + r.moment};
        }
        EndForces f{0, 0, 3.0f, 2.0f, 0, -1.25f};
        f.qb = static_cast<float>(-(f.ma + f.mb + whole.moment) / length);
        f.qa = static_cast<float>(-whole.transverse - f.qb);
        f.na = static_cast<float>(whole.axial - f.nb);
        const double scale = 20 * length * length;
        for (float x = 0.25f; x <= length; x += 0.25f) {
            Resultant far;
            double m = endPart(f, length, x, "M"), v = endPart(f, length, x, "Q"),
                   n = endPart(f, length, x, "N");
            for (const Load& load : loads) {
                const Resultant r = beyond(load, x);
                far = {far.transverse + r.transverse, far.axial + r.axial, far.moment + r.moment};
                m += part(load, length, x, "M");
                v += part(load, length, x, "Q");
                n += part(load, length, x, "N");
            }
            const std::string where = loads.front().kind + " a=" + std::to_string(loads[0].a) +
                                      " loads=" + std::to_string(loads.size()) +
                                      " x=" + std::to_string(x);
            EXPECT_NEAR(m, -f.mb - f.qb * (length - x) - far.moment, 1e-6 * scale) << where;
            EXPECT_NEAR(v, -f.qb - far.transverse, 1e-6 * scale) << where;
            EXPECT_NEAR(n, -f.nb + far.axial, 1e-6 * scale) << where;
        }
    }
}

TEST(SectionForces, ClosedFormValuesAtChosenSections) {
    const float L = 8, Q = 10;
    const EndForces f{1.5f, -4, 6, -1.5f, 4, 2};
    const struct {
        Load load;  // empty kind: the end-force part of f
        float x;
        const char* what;
        double expected;
    } cases[] = {
        {{"", 0, 0}, L / 2, "M", (6 - 2) / 2.0},
        {{"", 0, 0}, 0, "M", 6},
        {{"", 0, 0}, L, "M", -2},
        {{"", 0, 0}, 2, "Q", -4},
        {{"", 0, 0}, 2, "N", 1.5},
        {{"", 0, 0}, 0, "Q", 0},  // the section at the first end itself
        {{"", 0, 0}, 0, "N", 0},
        {{"集中", L / 2, Q}, L / 2, "M", Q * L / 4},
        {{"集中", L / 2, Q}, L / 2, "Q", -Q},
        {{"集中", L / 2, Q}, L / 2 + 1e-3f, "Q", 0},
        {{"集中", L / 2, Q}, L / 2, "N", 0},
        {{"均布", L, Q}, L / 2, "M", Q * L * L / 8},
        {{"均布", L, Q}, L / 2, "Q", -Q * L / 2},
        {{"三角", L, Q}, L / std::sqrt(3.0f), "M", Q * L * L / (9 * std::sqrt(3.0))},  // peak
        {{"力偶", 2, Q}, 2, "M", -Q * 2 / L},
        {{"力偶", 2, Q}, 2 + 1e-4f, "M", Q * (L - 2 - 1e-4f) / L},
        {{"力偶", 0, Q}, 3, "M", Q * (L - 3) / L},
        {{"力偶", 2, Q}, 1, "Q", 0},
        {{"水平集中", 3, Q}, 3, "N", Q},
        {{"水平集中", 3, Q}, 3 + 1e-3f, "N", 0},
        {{"水平均布", 5, Q}, 1, "N", Q * 4},
        {{"水平均布", 5, Q}, 1, "M", 0},
        {{"均布", 5, 0}, 2, "M", 0},
        {{"三角", 5, 0}, 2, "Q", 0},
    };
    for (const auto& c : cases) {
        const float value =
            c.load.kind.empty() ? endPart(f, L, c.x, c.what) : part(c.load, L, c.x, c.what);
        EXPECT_NEAR(value, c.expected, 1e-6 * Q * L * L)
            << '"' << c.load.kind << "\" a=" << c.load.a << " x=" << c.x << " " << c.what;
    }
}

// At a jump the limit from either side, in double precision: a couple's
// moment, a point load's shear and axial force, the end forces at x = 0.
TEST(SectionForces, LimitsOnEitherSideOfAJump) {
    using Side = x_内力::Side;
    const double L = 8;
    const float Q = 10;
    const x_内力::EndForces f{1.5, -4, 6, -1.5, 4, 2};
    const auto limit = [&](const Load& load, double x, Side side, const char* what) {
        return x_内力{}.limit(L, load.kind, load.a, load.q, f, x, side, what);
    };
    EXPECT_DOUBLE_EQ(limit({"力偶", 2, Q}, 2, Side::Before, "M"), -Q * 2 / L);
    EXPECT_DOUBLE_EQ(limit({"力偶", 2, Q}, 2, Side::After, "M"), Q * (L - 2) / L);
    EXPECT_EQ(limit({"集中", 3, Q}, 3, Side::Before, "Q"), -Q);
    EXPECT_EQ(limit({"集中", 3, Q}, 3, Side::After, "Q"), 0);
    EXPECT_DOUBLE_EQ(limit({"集中", 3, Q}, 3, Side::After, "M"), Q * 3 * 5 / L);
    EXPECT_EQ(limit({"水平集中", 3, Q}, 3, Side::Before, "N"), Q);
    EXPECT_EQ(limit({"水平集中", 3, Q}, 3, Side::After, "N"), 0);
    EXPECT_EQ(limit({"", 0, 0}, 0, Side::After, "Q"), -4);
    EXPECT_EQ(limit({"", 0, 0}, 0, Side::Before, "N"), -1.5);
    EXPECT_DOUBLE_EQ(limit({"", 0, 0}, L / 3, Side::Before, "M"), 6 - 8.0 / 3);
    EXPECT_EQ(limit({"均布", 0, Q}, 0, Side::Before, "M"), 0);  // no extent: the limit 0
}

TEST(SectionForces, UnknownTextsGiveZero) {
    const EndForces f{1, 2, 3, 4, 5, 6};
    for (const char* what : {"m", "q", "n", "", " M", "M ", "MQ", "弯矩"}) {
        EXPECT_EQ(endPart(f, 5, 2, what), 0) << '"' << what << '"';
        EXPECT_EQ(part({"集中", 2, 10}, 5, 1, what), 0) << '"' << what << '"';
    }
    for (const char* kind : {"集中 ", "均布荷载", "水平", "三角形", "concentrated", "1"}) {
        for (const char* what : {"M", "Q", "N"}) {
            EXPECT_EQ(part({kind, 2, 10}, 5, 1, what), 0) << kind << " " << what;
        }
    }
}

// A part that is not a finite single-precision number reads as 0; the other
// quantities of the same call are unaffected.
TEST(SectionForces, NonFiniteResultsGiveZero) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const EndForces f{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(endPart(f, 0, 1, "M"), 0);  // member of zero length
    EXPECT_EQ(endPart(f, 0, 1, "Q"), -5);
    EXPECT_EQ(endPart({1, 2, kNaN, 4, 5, 6}, 5, 1, "M"), 0);
    EXPECT_EQ(endPart({1, 2, kNaN, 4, 5, 6}, 5, 1, "N"), -4);
    EXPECT_EQ(endPart({1, 2, 3, kInfinity, 5, 6}, 5, 1, "N"), 0);
    EXPECT_FLOAT_EQ(endPart({1, 2, 3, kInfinity, 5, 6}, 5, 1, "M"), 3 - 9 / 5.0f);
    for (const char* what : {"M", "Q", "N"}) {
        EXPECT_EQ(endPart(f, 5, kNaN, what), 0) << what;
        EXPECT_EQ(part({"均布", 0, 10}, 5, 0, what), 0) << what;  // load of no extent
        EXPECT_EQ(part({"三角", 0, 10}, 5, 0, what), 0) << what;
        EXPECT_EQ(part({"均布", 5, 10}, 5, 6, what), 0) << what;  // beyond a full-span load
        EXPECT_EQ(part({"集中", 2, kInfinity}, 5, 1, what), 0) << what;
        EXPECT_EQ(part({"力偶", 2, kNaN}, 5, 3, what), 0) << what;
        EXPECT_EQ(part({"三角", 2, 10}, 5, kNaN, what), 0) << what;
    }
    // Finite inputs whose moment exceeds the single-precision range.
    EXPECT_EQ(part({"集中", 1e19f, 1e20f}, 4e19f, 1e19f, "M"), 0);
    EXPECT_EQ(part({"集中", 1e19f, 1e20f}, 4e19f, 1e19f, "Q"), -1e20f);
}

}  // namespace
