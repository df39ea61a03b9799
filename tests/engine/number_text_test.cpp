// Number <-> text rules: the fixed patterns of the result files, the shortest
// text in which member end coordinates travel to the solver, and the strict
// reading of such texts back into numbers.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "text/number_text.h"

namespace orv {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};

void expectFixed(const FixedCase& c) {
    EXPECT_EQ(formatFixed(c.value, c.decimals), c.text)
        << "value " << c.value << ", " << c.decimals << " decimals";
}

TEST(NumberText, FormatFixedPatterns) {
    const FixedCase cases[] = {
        // Exact halves to whole numbers round away from zero (half-even
        // would give 0, 2 and -2).
        {0.5, 0, "1"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {2251799813685248.5, 0, "2251799813685249"},  // 2^51 + 1/2
        // Stored values near a decimal half are not halves: they round to
        // their nearest text, even when that is downwards.
        {0.00005, 4, "0.0001"},
        {0.00015, 4, "0.0001"},
        // Ordinary values and the patterns "0.0000" and "0.0000000".
        {0, 4, "0.0000"},
        {1, 7, "1.0000000"},
        {12.34567, 4, "12.3457"},
        {-12.34564, 4, "-12.3456"},
        {0.1234567891, 7, "0.1234568"},
        {-98765.4321, 7, "-98765.4321000"},
        {1e15, 4, "1000000000000000.0000"},
        {1e20, 7, "100000000000000000000.0000000"},
        {-1e20, 4, "-100000000000000000000.0000"},
        // Values that round to zero carry no minus sign.
        {-0.0, 4, "0.0000"},
        {-1e-9, 4, "0.0000"},
        {-0.00004999, 4, "0.0000"},
        {-4e-8, 7, "0.0000000"},
        {-0.4, 0, "0"},
        // Non-finite values.
        {kInfinity, 4, "inf"},
        {-kInfinity, 4, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), 4, "nan"},
    };
    for (const FixedCase& c : cases) {
        expectFixed(c);
    }
}

// Exact binary halves of the last kept decimal round away from zero; a
// round-half-even conversion would give 0.12, 0.62, 0.0312 and 0.0039062.
TEST(NumberText, FormatFixedRoundsDecimalTiesAwayFromZero) {
    const FixedCase cases[] = {
        {0.125, 2, "0.13"},       {0.625, 2, "0.63"},           {123456789.125, 2, "123456789.13"},
        {0.03125, 4, "0.0313"},   {-0.03125, 4, "-0.0313"},     {1.03125, 4, "1.0313"},
        {-7.65625, 4, "-7.6563"}, {0.00390625, 7, "0.0039063"}, {-0.00390625, 7, "-0.0039063"},
    };
    for (const FixedCase& c : cases) {
        expectFixed(c);
    }
}

TEST(NumberText, ShortestTextOfSingleAndDouble) {
    const std::pair<float, const char*> singles[] = {
        {3.0f, "3"},
        {4.5f, "4.5"},
        {-2.5f, "-2.5"},
        {0.1f, "0.1"},
        {100.0f, "100"},
        {1.0f / 3, "0.33333334"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {1e20f, "1E+20"},
        {1.5e-7f, "1.5E-07"},
        {-1.25e10f, "-1.25E+10"},
        // Plain notation from 1E-05 up to below 1E+07.
        {1e-5f, "0.00001"},
        {1.2e-6f, "1.2E-06"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {1234567.5f, "1234567.5"},
        {std::numeric_limits<float>::max(), "3.4028235E+38"},
    };
    for (const auto& [value, text] : singles) {
        EXPECT_EQ(shortestText(value), text) << "single " << value;
    }
    const std::pair<double, const char*> doubles[] = {
        {3.0, "3"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.30000000000000004"},
        {static_cast<double>(0.1f), "0.10000000149011612"},  // the single widened
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1e-5, "0.00001"},
        {-3.5e-6, "-3.5E-06"},
        {1e100, "1E+100"},
        {-2.5e-300, "-2.5E-300"},
    };
    for (const auto& [value, text] : doubles) {
        EXPECT_EQ(shortestText(value), text) << "double " << value;
    }
}

// The solver reads a coordinate text as a double and stores it as a single,
// so the single's text must survive exactly that path.
TEST(NumberText, ShortestTextReadsBackToTheSameValue) {
    std::mt19937_64 random(20240611);
    for (int n = 0; n < 200000; ++n) {
        const auto bits = static_cast<std::uint32_t>(random());
        const float single = std::bit_cast<float>(bits);
        const double wide = std::bit_cast<double>(random());
        if (std::isfinite(single)) {
            const std::string text = shortestText(single);
            const std::optional<double> read = parseNumber(text);
            ASSERT_TRUE(read.has_value()) << text;
            ASSERT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(*read)),
                      std::bit_cast<std::uint32_t>(single == 0 ? 0.0f : single))
                << text;
        }
        if (std::isfinite(wide) && wide != 0) {
            const std::string text = shortestText(wide);
            const std::optional<double> read = parseNumber(text);
            ASSERT_TRUE(read.has_value()) << text;
            ASSERT_EQ(*read, wide) << text;
        }
    }
}

TEST(NumberText, ParseNumberAcceptsWholeNumberTexts) {
    const std::pair<const char*, double> accepted[] = {
        {"0", 0},
        {"42", 42},
        {"  3.25  ", 3.25},
        {"-2.5", -2.5},
        {"+2", 2},
        {"-0", 0},
        {".5", 0.5},
        {"5.", 5},
        {"-.25", -0.25},
        {"1e3", 1000},
        {"1E3", 1000},
        {"1D3", 1000},
        {"2d-2", 0.02},
        {"1.5E+07", 1.5e7},
        {"1.5E-07", 1.5e-7},
        {"007", 7},
        {"1e400", kInfinity},
        {"-1e400", -kInfinity},
        {" 1E999999999999999999 ", kInfinity},
        {"77D3179999999999999999999999999", kInfinity},  // exponent beyond a long
        {"7e-9999999999999999999999", 0},
        {"1e-400", 0},
        {"0e999", 0},
    };
    for (const auto& [text, value] : accepted) {
        const std::optional<double> read = parseNumber(text);
        ASSERT_TRUE(read.has_value()) << '"' << text << '"';
        EXPECT_EQ(*read, value) << '"' << text << '"';
    }
    EXPECT_TRUE(std::signbit(*parseNumber("-1e-400")));

    const char* const rejected[] = {
        "",    " ",     "abc", "1,2",  "1e", "1e+", "..5", "1.2.3", ".",   "+",     "-",   "+-1",
        "1 2", "1e3.5", "e3",  "0x10", "1f", "inf", "nan", "\t1",   "1\t", "1_000", "--1", "1e 3",
    };
    for (const char* text : rejected) {
        EXPECT_FALSE(parseNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberText, ParseInteger16RoundsHalvesToEvenWithinTheRange) {
    const std::pair<const char*, std::int16_t> accepted[] = {
        {"7", 7},         {"2.5", 2},         {"3.5", 4},         {"-2.5", -2},
        {"-0.5", 0},      {"2.4999", 2},      {"2.5001", 3},      {"1E2", 100},
        {"32767", 32767}, {"32767.4", 32767}, {"-32768", -32768}, {"-32768.5", -32768},  // even
    };
    for (const auto& [text, value] : accepted) {
        const std::optional<std::int16_t> read = parseInteger16(text);
        ASSERT_TRUE(read.has_value()) << '"' << text << '"';
        EXPECT_EQ(*read, value) << '"' << text << '"';
    }

    // The range applies to the rounded value: 32767.5 rounds to 32768.
    for (const char* text : {"32767.5", "32768", "-32768.6", "-32769", "1e400", "", "x", "1,5"}) {
        EXPECT_FALSE(parseInteger16(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberText, TrimBlanksRemovesSpacesOnly) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("ab"), "ab");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks(""), "");
    EXPECT_EQ(trimBlanks("\t1 "), "\t1");
}

}  // namespace
}  // namespace orv
