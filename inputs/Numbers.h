#pragma once
// Number parsing and display shared by every box of the program. The decimal
// separator is the user's, passed in by the windows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ampora {

// Decimal digits with an optional leading sign, within 32 bits; nothing else
// (no blanks, no hex, no exponent).
std::optional<int32_t> ParseInt(std::string_view text);

// A real number written with the given decimal separator: optional sign,
// digits with at most one separator, optional exponent (e/E, optional sign,
// digits). Rejects empty text, blanks, nan/inf, and values that overflow.
std::optional<double> ParseReal(std::string_view text, char decimalSep);

// Nearest whole number, exact halves to the even neighbour; keeps infinities.
double RoundHalfEven(double v);
// round(v * 10) / 10 with halves to even.
double RoundTenth(double v);
// round(v * 100) / 100 with halves to even.
double RoundHundredth(double v);

// Shortest general form with at most 15 significant digits, no trailing zeros,
// no decimal separator for whole numbers ("88", "4.2", "0.001").
std::string FormatGeneral(double v, char decimalSep);
// The result format: first rounded to one decimal, then FormatGeneral.
std::string FormatResult(double v, char decimalSep);

}  // namespace ampora
