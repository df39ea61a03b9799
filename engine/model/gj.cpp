// Derived values of a member record: material modulus, section properties,
// geometry and the coordinate texts handed to the solver.
#include "model/gj.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

#include "model/materials.h"
#include "model/member_axis.h"
#include "text/number_text.h"

namespace {

// The single-precision pi of the section formulas.
constexpr double kPi = 3.1415925f;

bool isTeeFamily(std::string_view shape) {
    return shape == "T形" || shape == "倒T形" || shape == "L形" || shape == "倒L形";
}

bool isIFamily(std::string_view shape) {
    return shape == "I字形" || shape == "平I字形";
}

// The dimensions D0..D(count-1) widened to double, or nothing when the record
// holds fewer slots than the shape needs (the section is then unknown: 0).
std::optional<std::array<double, 5>> dimensions(const std::vector<float>& slots,
                                                std::size_t count) {
    if (slots.size() < count) {
        return std::nullopt;
    }
    std::array<double, 5> d{};
    for (std::size_t k = 0; k < count; ++k) {
        d[k] = slots[k];
    }
    return d;
}

// A rectangle of a built-up section: width, height and the depth of its
// centroid measured from the section's outer (top) face.
struct Strip {
    double width;
    double height;
    double centroid;
};

// Second moment of built-up strips about their common centroid, by the
// parallel-axis rule.
template <std::size_t N>
double compositeInertia(const std::array<Strip, N>& strips) {
    double area = 0;
    double firstMoment = 0;
    for (const Strip& s : strips) {
        area += s.width * s.height;
        firstMoment += s.width * s.height * s.centroid;
    }
    const double yc = firstMoment / area;
    double inertia = 0;
    for (const Strip& s : strips) {
        const double offset = s.centroid - yc;
        inertia +=
            s.width * s.height * s.height * s.height / 12 + s.width * s.height * offset * offset;
    }
    return inertia;
}

struct SectionValues {
    double area = 0;
    double inertia = 0;
};

// T and L family: flange D1 x D2 at the outer face, web D0 x (D3 - D2) below.
SectionValues teeSection(const std::array<double, 5>& d) {
    const double web = d[3] - d[2];
    return {d[1] * d[2] + d[0] * web,
            compositeInertia<2>({{{d[1], d[2], d[2] / 2}, {d[0], web, d[2] + web / 2}}})};
}

// I section bending about its strong axis: flanges D1 x D2 and D1 x D3, web
// D0 between them, total depth D4. Taken about the true centroid, which for
// unequal flanges lies off mid-depth.
SectionValues iSection(const std::array<double, 5>& d) {
    const double web = d[4] - d[2] - d[3];
    return {d[1] * (d[2] + d[3]) + d[0] * web,
            compositeInertia<3>({{{d[1], d[2], d[2] / 2},
                                  {d[0], web, d[2] + web / 2},
                                  {d[1], d[3], d[4] - d[3] / 2}}})};
}

// The same I section lying flat: every strip bends about its own mid-line.
SectionValues flatISection(const std::array<double, 5>& d) {
    const double web = d[4] - d[2] - d[3];
    return {d[1] * (d[2] + d[3]) + d[0] * web, d[2] * std::pow(d[1], 3) / 12 +
                                                   d[3] * std::pow(d[1], 3) / 12 +
                                                   web * std::pow(d[0], 3) / 12};
}

SectionValues sectionValues(const std::string& shape, const std::vector<float>& slots) {
    if (shape == "矩形") {
        if (const auto d = dimensions(slots, 2)) {
            return {(*d)[0] * (*d)[1], (*d)[0] * std::pow((*d)[1], 3) / 12};
        }
    } else if (shape == "实心圆") {
        if (const auto d = dimensions(slots, 1)) {
            return {kPi * std::pow((*d)[0], 2) / 4, kPi * std::pow((*d)[0], 4) / 64};
        }
    } else if (shape == "空心圆") {
        if (const auto d = dimensions(slots, 2)) {
            return {kPi * (std::pow((*d)[1], 2) - std::pow((*d)[0], 2)) / 4,
                    kPi * (std::pow((*d)[1], 4) - std::pow((*d)[0], 4)) / 64};
        }
    } else if (isTeeFamily(shape)) {
        if (const auto d = dimensions(slots, 4)) {
            return teeSection(*d);
        }
    } else if (shape == "I字形") {
        if (const auto d = dimensions(slots, 5)) {
            return iSection(*d);
        }
    } else if (shape == "平I字形") {
        if (const auto d = dimensions(slots, 5)) {
            return flatISection(*d);
        }
    } else if (shape == "直接输入截面积和惯性矩") {
        if (const auto d = dimensions(slots, 2)) {
            return {(*d)[0], (*d)[1]};
        }
    }
    return {};
}

// A value that is not a finite number (for example from dimensions that
// overflow) is the record's arithmetic fault; it reads as 0.
float finiteOrZero(double value) {
    const float stored = static_cast<float>(value);
    return std::isfinite(stored) ? stored : 0.0f;
}

}  // namespace

float gj::e() const {
    for (const MaterialModulus& m : kMaterials) {
        if (m.name == 材料) {
            return m.modulus;
        }
    }
    return 0;
}

float gj::线膨胀系数() const {
    if (e() == 0) {
        return 0;
    }
    return 材料.find("混凝土") != std::string::npos ? 1.0e-5f : 1.2e-5f;
}

float gj::截面高度() const {
    std::size_t slot = 1;  // 矩形, 空心圆, 平I字形: D1
    if (断面 == "实心圆") {
        slot = 0;
    } else if (isTeeFamily(断面)) {
        slot = 3;
    } else if (断面 == "I字形") {
        slot = 4;
    } else if (断面 != "矩形" && 断面 != "空心圆" && 断面 != "平I字形") {
        return 0;  // 直接输入截面积和惯性矩, or a shape unknown
    }
    return slot < 尺寸.size() && std::isfinite(尺寸[slot]) ? 尺寸[slot] : 0;
}

float gj::a() const {
    return finiteOrZero(sectionValues(断面, 尺寸).area);
}

float gj::i() const {
    return finiteOrZero(sectionValues(断面, 尺寸).inertia);
}

float gj::leng() const {
    return static_cast<float>(orv::memberAxis(x1, y1, x2, y2).length);
}

bool gj::尺寸xh() const {
    if (断面 == "空心圆") {
        const auto d = dimensions(尺寸, 2);
        return d && (*d)[0] <= (*d)[1];
    }
    if (isTeeFamily(断面)) {
        const auto d = dimensions(尺寸, 4);
        return d && (*d)[0] <= (*d)[1] && (*d)[2] <= (*d)[3];
    }
    if (isIFamily(断面)) {
        const auto d = dimensions(尺寸, 5);
        return d && (*d)[0] <= (*d)[1] && (*d)[2] + (*d)[3] <= (*d)[4];
    }
    return 断面 == "实心圆" || 断面 == "矩形" || 断面 == "直接输入截面积和惯性矩";
}

float gj::夹角() const {
    if (x2 != x1) {
        return static_cast<float>(std::atan((double{y2} - y1) / (double{x2} - x1)));
    }
    return -1.5707963f;
}

std::string gj::左端坐标() const {
    return orv::shortestText(x1) + "," + orv::shortestText(y1);
}

std::string gj::右端坐标() const {
    return orv::shortestText(x2) + "," + orv::shortestText(y2);
}
