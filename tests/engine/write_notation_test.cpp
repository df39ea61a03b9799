// Numbers in the project file's "write" notation.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace orv
