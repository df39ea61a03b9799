// The member record's derived values: modulus by material name, area and
// second moment by section shape, the dimension check, length, inclination
// and the end-coordinate texts that the solver parses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/gj.h"
#include "text/number_text.h"

namespace {

constexpr double kPi = 3.1415925;  // the single-precision pi of the formulas

gj section(const std::string& shape, const std::vector<float>& dimensions) {
    gj member;
    member.断面 = shape;
    std::copy(dimensions.begin(), dimensions.end(), member.尺寸.begin());
    return member;
}

// Area and second moment about the centroid of rectangles stacked from the
// outer face, by integrating width * (y - yc)^2 over each strip.
struct Strip {
    double width, top, bottom;
};

std::pair<double, double> stacked(std::initializer_list<Strip> strips) {
    double area = 0, moment = 0;
    for (const Strip& s : strips) {
        area += s.width * (s.bottom - s.top);
        moment += s.width * (s.bottom * s.bottom - s.top * s.top) / 2;
    }
    const double yc = moment / area;
    double inertia = 0;
    for (const Strip& s : strips) {
        inertia += s.width * (std::pow(s.bottom - yc, 3) - std::pow(s.top - yc, 3)) / 3;
    }
    return {area, inertia};
}

void expectRelative(float actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-6 * std::fabs(expected)) << what;
}

TEST(Gj, ModulusByMaterialName) {
    const std::pair<int, float> concretes[] = {
        {15, 22000}, {20, 25500}, {25, 28000}, {30, 30000}, {35, 31500}, {40, 32500}, {45, 33500},
        {50, 34500}, {55, 35500}, {60, 36000}, {65, 36500}, {70, 37000}, {75, 37500}, {80, 38000}};
    std::vector<std::pair<std::string, float>> table;
    for (const auto& [grade, modulus] : concretes) {
        table.emplace_back(std::string("C").append(std::to_string(grade)).append("混凝土"),
                           modulus);
    }
    for (const char* steel : {"3号钢", "16Mn钢", "16Mnq钢", "15MnV钢", "15MnVq钢"}) {
        table.emplace_back(steel, 206000.0f);
    }
    // Names are compared exactly: case, width and blanks matter.
    for (const char* other :
         {"", "c30混凝土", "Ｃ30混凝土", "C30 混凝土", "3号钢 ", "C10混凝土", "16MN钢", "钢"}) {
        table.emplace_back(other, 0.0f);
    }
    for (const auto& [name, modulus] : table) {
        gj member;
        member.材料 = name;
        EXPECT_EQ(member.e(), modulus) << '"' << name << '"';
    }
}

TEST(Gj, ExpansionByMaterialAndDepthByShape) {
    const std::pair<const char*, float> materials[] = {{"C30混凝土", 1.0e-5f},
                                                       {"C80混凝土", 1.0e-5f},
                                                       {"3号钢", 1.2e-5f},
                                                       {"15MnVq钢", 1.2e-5f},
                                                       {"钢", 0}};
    for (const auto& [name, expansion] : materials) {
        gj member;
        member.材料 = name;
        EXPECT_EQ(member.线膨胀系数(), expansion) << name;
    }
    const std::pair<const char*, float> depths[] = {
        {"矩形", 2},  {"实心圆", 1}, {"空心圆", 2},  {"T形", 4},
        {"倒L形", 4}, {"I字形", 5},  {"平I字形", 2}, {"直接输入截面积和惯性矩", 0},
        {"圆", 0}};
    for (const auto& [shape, depth] : depths) {
        gj member;
        member.断面 = shape;
        member.尺寸 = {1, 2, 3, 4, 5};
        EXPECT_EQ(member.截面高度(), depth) << shape;
    }
}

TEST(Gj, AreaAndInertiaOfEachShape) {
    const double d0 = 0.3f, d1 = 0.5f;
    const double circle = 0.4f;
    const auto tee = stacked({{0.6f, 0, 0.1f}, {0.2f, 0.1f, 0.5f}});
    // I section with equal flanges: the mid-depth formula holds exactly.
    const double b1 = 0.01f, b = 0.2f, h1 = 0.015f, h = 0.4f;
    const double equalI = b1 * std::pow(h - 2 * h1, 3) / 12 + 2 * b * std::pow(h1, 3) / 12 +
                          2 * b * h1 * std::pow(h / 2 - h1 / 2, 2);
    // Unequal flanges bend about the true centroid, below mid-depth here.
    const double u1 = 0.02f, u2 = 0.01f, uw = 0.012f, ub = 0.25f, uh = 0.5f;
    const auto unequal = stacked({{ub, 0, u1}, {uw, u1, uh - u2}, {ub, uh - u2, uh}});
    const struct {
        gj member;
        double area, inertia;
    } cases[] = {
        {section("矩形", {0.3f, 0.5f}), d0 * d1, d0 * std::pow(d1, 3) / 12},
        {section("实心圆", {0.4f}), kPi * circle * circle / 4, kPi * std::pow(circle, 4) / 64},
        {section("空心圆", {0.3f, 0.5f}), kPi * (d1 * d1 - d0 * d0) / 4,
         kPi * (std::pow(d1, 4) - std::pow(d0, 4)) / 64},
        {section("T形", {0.2f, 0.6f, 0.1f, 0.5f}), tee.first, tee.second},
        {section("倒T形", {0.2f, 0.6f, 0.1f, 0.5f}), tee.first, tee.second},
        {section("L形", {0.2f, 0.6f, 0.1f, 0.5f}), tee.first, tee.second},
        {section("倒L形", {0.2f, 0.6f, 0.1f, 0.5f}), tee.first, tee.second},
        {section("I字形", {0.01f, 0.2f, 0.015f, 0.015f, 0.4f}), 2 * b * h1 + b1 * (h - 2 * h1),
         equalI},
        {section("I字形", {0.012f, 0.25f, 0.02f, 0.01f, 0.5f}), unequal.first, unequal.second},
        {section("平I字形", {0.012f, 0.25f, 0.02f, 0.01f, 0.5f}), unequal.first,
         (u1 + u2) * std::pow(ub, 3) / 12 + (uh - u1 - u2) * std::pow(uw, 3) / 12},
        {section("直接输入截面积和惯性矩", {0.0123f, 4.56e-4f}), 0.0123f, 4.56e-4f},
    };
    for (const auto& c : cases) {
        const std::string what = c.member.断面 + " " + std::to_string(c.member.尺寸[0]);
        expectRelative(c.member.a(), c.area, what + " a");
        expectRelative(c.member.i(), c.inertia, what + " i");
    }

    // The worked T section: a = 0.14, i = 0.0032595 to the figures given.
    const gj t = section("T形", {0.2f, 0.6f, 0.1f, 0.5f});
    EXPECT_NEAR(t.a(), 0.14, 1e-7);
    EXPECT_NEAR(t.i(), 0.0032595, 5e-8);

    // A hollow circle without a hole is the solid circle of its outer diameter.
    const gj hollow = section("空心圆", {0, 0.45f});
    const gj solid = section("实心圆", {0.45f});
    EXPECT_FLOAT_EQ(hollow.a(), solid.a());
    EXPECT_FLOAT_EQ(hollow.i(), solid.i());
}

TEST(Gj, UnknownShapeMissingDimensionsAndOverflowGiveZero) {
    for (const char* shape : {"", "圆形", "I字型", "矩形 ", "t形", "直接输入"}) {
        const gj member = section(shape, {0.3f, 0.5f, 0.1f, 0.1f, 0.5f});
        EXPECT_EQ(member.a(), 0) << '"' << shape << '"';
        EXPECT_EQ(member.i(), 0) << '"' << shape << '"';
        EXPECT_FALSE(member.尺寸xh()) << '"' << shape << '"';
    }
    gj shortI = section("I字形", {0.01f, 0.2f, 0.015f, 0.015f, 0.4f});
    shortI.尺寸.resize(4);
    EXPECT_EQ(shortI.a(), 0);
    EXPECT_EQ(shortI.i(), 0);
    EXPECT_FALSE(shortI.尺寸xh());
    // The second moment overflows single precision; the area does not.
    const gj huge = section("矩形", {1, 1e20f});
    EXPECT_FLOAT_EQ(huge.a(), 1e20f);
    EXPECT_EQ(huge.i(), 0);
}

TEST(Gj, DimensionCheck) {
    const struct {
        const char* shape;
        std::vector<float> dimensions;
        bool consistent;
    } cases[] = {
        {"空心圆", {0.3f, 0.5f}, true},
        {"空心圆", {0.5f, 0.5f}, true},
        {"空心圆", {0.6f, 0.5f}, false},
        {"T形", {0.2f, 0.6f, 0.1f, 0.5f}, true},
        {"倒T形", {0.6f, 0.6f, 0.5f, 0.5f}, true},
        {"L形", {0.7f, 0.6f, 0.1f, 0.5f}, false},    // web wider than flange
        {"倒L形", {0.2f, 0.6f, 0.6f, 0.5f}, false},  // flange deeper than section
        {"I字形", {0.01f, 0.2f, 0.015f, 0.015f, 0.4f}, true},
        {"I字形", {0.01f, 0.2f, 0.25f, 0.25f, 0.5f}, true},  // flanges meet
        {"I字形", {0.3f, 0.2f, 0.015f, 0.015f, 0.4f}, false},
        {"平I字形", {0.01f, 0.2f, 0.25f, 0.3f, 0.5f}, false},
        {"实心圆", {-1, 7, 9}, true},
        {"矩形", {0, -2}, true},
        {"直接输入截面积和惯性矩", {-1, -1}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(section(c.shape, c.dimensions).尺寸xh(), c.consistent)
            << c.shape << " " << c.dimensions[0];
    }
}

TEST(Gj, GeometryAndCoordinateTexts) {
    const auto member = [](float x1, float y1, float x2, float y2) {
        gj m;
        m.x1 = x1, m.y1 = y1, m.x2 = x2, m.y2 = y2;
        return m;
    };
    EXPECT_FLOAT_EQ(member(0, 0, 3, 4).leng(), 5);
    EXPECT_FLOAT_EQ(member(-1, 2, -4, -2).leng(), 5);
    EXPECT_EQ(member(1.5f, 2, 1.5f, 2).leng(), 0);

    const float quarter = static_cast<float>(std::atan(1.0));
    EXPECT_FLOAT_EQ(member(0, 0, 1, 1).夹角(), quarter);
    EXPECT_FLOAT_EQ(member(0, 0, -1, -1).夹角(), quarter);  // a member and its reverse
    EXPECT_FLOAT_EQ(member(0, 0, 1, -1).夹角(), -quarter);
    EXPECT_FLOAT_EQ(member(2, 3, 0, 3).夹角(), 0);
    for (const gj& vertical : {member(0, 0, 0, 3), member(0, 3, 0, 0), member(5, 5, 5, 5)}) {
        EXPECT_EQ(vertical.夹角(), -1.5707963f);
    }
    // Steep but not vertical: strictly inside (-pi/2, pi/2).
    const float steep = member(0, 0, -1e-3f, 1).夹角();
    EXPECT_GT(steep, -1.5707963f);
    EXPECT_NEAR(steep, -std::atan(1000.0), 1e-6);

    const gj m = member(0, -2.5f, 3, 4.5f);
    EXPECT_EQ(m.左端坐标(), "0,-2.5");
    EXPECT_EQ(m.右端坐标(), "3,4.5");
    const gj odd = member(0.1f, 123456.7f, -1.5e-7f, 1e20f);
    EXPECT_EQ(odd.左端坐标(), "0.1,123456.7");
    EXPECT_EQ(odd.右端坐标(), "-1.5E-07,1E+20");
    // The solver splits the text at the comma and reads both numbers back.
    const std::string text = member(1.0f / 3, -2.0f / 7, 0, 0).左端坐标();
    const auto comma = text.find(',');
    ASSERT_NE(comma, std::string::npos);
    EXPECT_EQ(static_cast<float>(*orv::parseNumber(text.substr(0, comma))), 1.0f / 3);
    EXPECT_EQ(static_cast<float>(*orv::parseNumber(text.substr(comma + 1))), -2.0f / 7);
}

}  // namespace
