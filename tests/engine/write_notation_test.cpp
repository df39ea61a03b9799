// Numbers in the project file's "write" notation, in text boxes and in the
// general display form, and the reading of typed numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "text/number_text.h"

namespace orv {
namespace {

TEST(WriteNotation, SevenSignificantDigitsWithoutLeadingZero) {
    const std::pair<float, const char*> cases[] = {
        {0, "0"},
        {3, "3"},
        {-3, "-3"},
        {0.02f, ".02"},
        {-0.5f, "-.5"},
        {1.5f, "1.5"},
        {1.0f / 3, ".3333333"},
        {2.0f / 3, ".6666667"},
        {123456.7f, "123456.7"},
        {9999999, "9999999"},
        {1e7f, "1E+07"},
        {1e20f, "1E+20"},
        {1.5e-7f, "1.5E-07"},
        {0.00001f, ".00001"},
        {-12345678, "-1.234568E+07"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(writeNotation(value), text) << value;
    }
}

TEST(WriteNotation, ReadsBackToTheNearestSevenDigitValue) {
    for (const float value : {0.1f, 6.0f, -2.5f, 3.1415927f, 1234.567f, 0.0026f}) {
        const auto back = parseNumber(writeNotation(value));
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-6);
    }
}

TEST(DisplayText, KeepsTheZeroBeforeThePointAndSevenDigits) {
    EXPECT_EQ(displayText(0.5f), "0.5");
    EXPECT_EQ(displayText(-0.25f), "-0.25");
    // A difference of singles shows its seven significant digits only.
    EXPECT_EQ(displayText(1.2f - 1.0f), "0.2");
    EXPECT_EQ(displayText(3), "3");
    EXPECT_EQ(displayText(1.5e-7f), "1.5E-07");
}

TEST(GeneralText, FifteenDigitsPlainWhileTheyFit) {
    EXPECT_EQ(generalText(0.25), "0.25");
    EXPECT_EQ(generalText(0.125), "0.125");
    EXPECT_EQ(generalText(0.25 * 0.5 * 0.5 * 0.5 / 12), "2.60416666666667E-03");
    EXPECT_EQ(generalText(0.001), "0.001");
    EXPECT_EQ(generalText(-1.0 / 3), "-0.333333333333333");
    EXPECT_EQ(generalText(123456789012345.0), "123456789012345");
    EXPECT_EQ(generalText(1e15), "1E+15");
    EXPECT_EQ(generalText(0), "0");
}

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"3", 3},       {"  -2.5", -2.5}, {".5", 0.5},     {"1,5", 1},      {"1.5.2", 1.5},
        {"2e3x", 2000}, {"2e", 2},        {"2E-03", 2e-3}, {"abc", 0},      {"", 0},
        {"-", 0},       {".", 0},         {"1/2", 1},      {"-.25", -0.25}, {"4D2", 400},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(leadingNumber(text), value) << text;
    }
    EXPECT_TRUE(std::isinf(leadingNumber("1e999")));
}

}  // namespace
}  // namespace orv
