// Number <-> text rules shared by the engine and the program: the fixed
// patterns of the result files ("0.0000", "0.0000000"), the shortest text of a
// stored number (the form in which member end coordinates travel to the
// solver) and the strict reading of such a text back into a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Fixed-point text with `decimals` digits after the point and at least one
// digit before it, like the pattern "0.0000" for decimals = 4. Exact ties
// round away from zero; a text whose digits are all zero carries no minus
// sign ("0.0000", never "-0.0000"). Non-finite values give "inf"/"nan" texts.
std::string formatFixed(double value, int decimals);

// Shortest decimal text that reads back to exactly the same value of the
// stored type: "3", "4.5", "-2.5", "0.1", "1E+20", "1.5E-07". Plain notation
// is used from 1E-05 up to below 1E+07 (single) or 1E+15 (double), the usual
// display ranges of the two types.
std::string shortestText(float value);
std::string shortestText(double value);

// Strict reading of a whole number text, as a conversion of a text to a
// number does it: surrounding blanks are ignored, then an optional sign,
// digits with at most one decimal point (".5" and "5." are numbers) and an
// optional exponent (E, e, D or d, optional sign, digits). Anything else, or
// an empty text, is not a number.
std::optional<double> parseNumber(std::string_view text);

// A single-precision value as the comma-separated "write" notation of
// project files has it: at most 7 significant digits, trailing zeros
// dropped, no zero before the point below 1 in magnitude (".02", "-.5"),
// plain notation from 1E-05 up to below 1E+07, else "1.5E-07", "1E+20".
std::string writeNotation(float value);

// A number text (parseNumber) as a 16-bit integer: the nearest whole
// number, halves rounded to even (2.5 gives 2, 3.5 gives 4, -0.5 gives 0);
// nothing when the text is no number or the rounded value is outside
// -32768..32767.
std::optional<std::int16_t> parseInteger16(std::string_view text);

// A single-precision value as a text box shows it: as writeNotation but
// with the zero before the point ("0.5", "-0.25").
std::string displayText(float value);

// The general display form of a double: at most 15 significant digits,
// trailing zeros dropped, plain while that text needs no more than 15
// digits, else exponent form ("0.125", "2.60416666666667E-03", "1E+15").
std::string generalText(double value);

// The numeric value of a typed text: the longest leading decimal number
// (blanks before it skipped, optional sign, digits with one point, an
// exponent with E or D); 0 when the text starts with no number. A comma
// ends the number.
double leadingNumber(std::string_view text);

// Removes leading and trailing blanks (spaces only, as a Trim does).
std::string_view trimBlanks(std::string_view text);

}  // namespace orv
