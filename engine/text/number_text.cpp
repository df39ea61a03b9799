// Number <-> text rules; see number_text.h.
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace orv {

namespace {

// True when |value| lies exactly halfway between two texts of `decimals`
// decimals. Such values are the odd multiples of 2^-(decimals + 1) (the
// only decimal halves a binary fraction can hold), so the test is exact.
bool isDecimalTie(double value, int decimals) {
    const double scaled = std::ldexp(std::fabs(value), decimals + 1);
    if (scaled >= 0x1p53 || scaled != std::floor(scaled)) {
        return false;
    }
    return std::fmod(scaled, 2.0) == 1.0;
}

bool allDigitsZero(std::string_view text) {
    for (const char c : text) {
        if (c >= '1' && c <= '9') {
            return false;
        }
    }
    return true;
}

// Decimal digits and exponent of the shortest round-trip form, e.g.
// 0.015 -> digits "15", exponent -2 (value = 1.5 x 10^-2).
struct ShortestDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

template <typename Float>
ShortestDigits shortestDigits(Float value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    ShortestDigits out;
    if (!text.empty() && text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    const auto ePos = text.find('e');
    for (const char c : text.substr(0, ePos)) {
        if (c != '.') {
            out.digits.push_back(c);
        }
    }
    out.exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    return out;
}

std::string plainNotation(const ShortestDigits& d) {
    const auto digitCount = static_cast<int>(d.digits.size());
    std::string text;
    if (d.exponent < 0) {
        text.append("0.").append(static_cast<std::size_t>(-d.exponent - 1), '0').append(d.digits);
    } else if (d.exponent + 1 >= digitCount) {
        text.append(d.digits).append(static_cast<std::size_t>(d.exponent + 1 - digitCount), '0');
    } else {
        const auto integerDigits = static_cast<std::size_t>(d.exponent + 1);
        text.append(d.digits, 0, integerDigits).append(".").append(d.digits, integerDigits);
    }
    return text;
}

std::string exponentNotation(const ShortestDigits& d) {
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1) {
        text.append(".").append(d.digits, 1);
    }
    const int magnitude = std::abs(d.exponent);
    text += d.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
    return text;
}

template <typename Float>
std::string shortestTextOf(Float value, int plainExponentLimit) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }
    if (value == 0) {
        return "0";
    }
    const ShortestDigits d = shortestDigits(value);
    const bool plain = d.exponent >= -5 && d.exponent < plainExponentLimit;
    std::string text = d.negative ? "-" : "";
    text += plain ? plainNotation(d) : exponentNotation(d);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent of the leading significant digit of a validated number
// text ("123.4e2" -> 4, "0.005" -> -3); used only to tell an overflowing text
// from an underflowing one.
long leadingDigitExponent(std::string_view text) {
    const auto ePos = text.find('e');
    const std::string_view mantissa = text.substr(0, ePos);
    const long explicitExponent =
        ePos == std::string_view::npos
            ? 0
            : std::strtol(std::string(text.substr(ePos + 1)).c_str(), nullptr, 10);
    const auto point = mantissa.find('.');
    const std::size_t pointPos = point == std::string_view::npos ? mantissa.size() : point;
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return std::numeric_limits<long>::min();
    }
    const long position = first < pointPos ? static_cast<long>(pointPos - first - 1)
                                           : -static_cast<long>(first - pointPos);
    // strtol saturates on huge exponents; any exponent beyond a billion is
    // out of range either way, and the clamp keeps the sum from overflowing.
    return position + std::clamp(explicitExponent, -1000000000L, 1000000000L);
}

// Converts a text already checked by parseNumber, in normal form (optional
// sign, mantissa, optional "e" exponent). from_chars is exact and does not
// depend on the process locale, which a GUI toolkit may change.
double readValidatedNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    double magnitude = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = leadingDigitExponent(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }
    double magnitude = std::fabs(value);
    if (isDecimalTie(magnitude, decimals)) {
        // The next double above an exact half lies above it by less than any
        // decimal step, so the correctly rounding conversion below rounds it
        // away from zero.
        magnitude = std::nextafter(magnitude, std::numeric_limits<double>::infinity());
    }
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::fixed, decimals);
    std::string digits(buffer, result.ptr);
    if (value < 0 && !allDigitsZero(digits)) {
        return "-" + digits;
    }
    return digits;
}

std::string shortestText(float value) {
    return shortestTextOf(value, 7);
}

std::string shortestText(double value) {
    return shortestTextOf(value, 15);
}

namespace {

// The digits of `value` correctly rounded to `significant` significant
// digits, trailing zeros dropped.
ShortestDigits roundedDigits(double value, int significant) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    ShortestDigits d;
    d.negative = text.front() == '-';
    const auto ePos = text.find('e');
    for (const char c : text.substr(d.negative ? 1 : 0, ePos - (d.negative ? 1 : 0))) {
        if (c != '.') {
            d.digits += c;
        }
    }
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(),
                    d.exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    return d;
}

// Seven significant digits of a single, plain from 1E-05 up to below
// 1E+07; `leadingZero` keeps the zero before the point below 1.
std::string singleNotation(float value, bool leadingZero) {
    if (!std::isfinite(value)) {
        return shortestText(value);
    }
    if (value == 0) {
        return "0";
    }
    const ShortestDigits d = roundedDigits(value, 7);
    const bool plain = d.exponent >= -5 && d.exponent < 7;
    std::string body = plain ? plainNotation(d) : exponentNotation(d);
    if (!leadingZero && body.starts_with("0.")) {
        body.erase(0, 1);
    }
    if (d.negative) {
        body.insert(body.begin(), '-');
    }
    return body;
}

}  // namespace

std::string writeNotation(float value) {
    return singleNotation(value, false);
}

std::string displayText(float value) {
    return singleNotation(value, true);
}

std::string generalText(double value) {
    if (!std::isfinite(value)) {
        return shortestText(value);
    }
    if (value == 0) {
        return "0";
    }
    const ShortestDigits d = roundedDigits(value, 15);
    const auto digitCount = static_cast<int>(d.digits.size());
    // Plain only while the plain text needs no more than 15 digits.
    const bool plain = d.exponent >= 0 ? d.exponent < 15 : -d.exponent - 1 + digitCount <= 15;
    std::string text = d.negative ? "-" : "";
    text += plain ? plainNotation(d) : exponentNotation(d);
    return text;
}

std::optional<std::int16_t> parseInteger16(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool anyDigit = false;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    std::size_t end = i;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            end = j;
        }
    }
    return parseNumber(text.substr(start, end - start)).value_or(0);
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    std::string normal;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        normal.push_back(text[pos++]);
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            ++mantissaDigits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        normal.push_back(c);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() &&
        (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        normal.push_back('e');
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            normal.push_back(text[pos++]);
        }
        int exponentDigits = 0;
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            normal.push_back(text[pos]);
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return readValidatedNumber(normal);
}

}  // namespace orv
