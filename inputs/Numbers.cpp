#include "inputs/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace ampora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// At this magnitude a double has no bits below one half, so every value is
// already a whole tenth (and hundredth); scaling it would only risk overflow.
constexpr double AlreadyWholeTenths = 4503599627370496.0;  // 2^52

}  // namespace

std::optional<int32_t> ParseInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t pos = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        pos = 1;
    }
    if (pos == text.size()) return std::nullopt;
    // Accumulate in 64 bits and give up as soon as 32 bits cannot hold it.
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        if (!IsDigit(text[pos])) return std::nullopt;
        value = value * 10 + (text[pos] - '0');
        if (value > limit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<double> ParseReal(std::string_view text, char decimalSep) {
    // The grammar is checked here, and the text handed to from_chars is
    // rebuilt with '.', because from_chars knows no other separator and the
    // C library's conversions follow the process locale, which the GUI
    // toolkit sets from the environment.
    std::string canon;
    canon.reserve(text.size());
    std::size_t pos = 0;
    const std::size_t n = text.size();
    if (pos < n && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-') canon.push_back('-');
        ++pos;
    }
    int mantissaDigits = 0;
    bool seenSep = false;
    bool nonZeroSeen = false;
    // Where the leading significant digit stands, for telling an overflow
    // from an underflow when the value does not fit.
    int64_t intDigitsAfterLead = 0;
    int64_t fracZerosBeforeLead = 0;
    for (; pos < n; ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            ++mantissaDigits;
            if (c != '0' && !nonZeroSeen) nonZeroSeen = true;
            if (!seenSep) {
                if (nonZeroSeen) ++intDigitsAfterLead;
            } else if (!nonZeroSeen) {
                ++fracZerosBeforeLead;
            }
            canon.push_back(c);
        } else if (c == decimalSep && !seenSep) {
            seenSep = true;
            canon.push_back('.');
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    int64_t exponent = 0;
    if (pos < n && (text[pos] == 'e' || text[pos] == 'E')) {
        canon.push_back('e');
        ++pos;
        bool expNegative = false;
        if (pos < n && (text[pos] == '+' || text[pos] == '-')) {
            expNegative = text[pos] == '-';
            canon.push_back(text[pos]);
            ++pos;
        }
        int expDigits = 0;
        for (; pos < n && IsDigit(text[pos]); ++pos) {
            ++expDigits;
            if (exponent < 1000000000) exponent = exponent * 10 + (text[pos] - '0');
            canon.push_back(text[pos]);
        }
        if (expDigits == 0) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (pos != n) return std::nullopt;

    double value = 0.0;
    const char* first = canon.data();
    const char* last = canon.data() + canon.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (!nonZeroSeen) return canon[0] == '-' ? -0.0 : 0.0;
        const int64_t leadExp =
            (intDigitsAfterLead > 0 ? intDigitsAfterLead - 1 : -(fracZerosBeforeLead + 1)) +
            exponent;
        if (leadExp > 0) return std::nullopt;  // too large for a double
        // Too small: what the user typed is indistinguishable from zero.
        return canon[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

double RoundHalfEven(double v) {
    // nearbyint follows the current rounding mode, which the program never
    // changes from round-to-nearest-even; it also passes infinities through.
    return std::nearbyint(v);
}

double RoundTenth(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= AlreadyWholeTenths) return v;
    return RoundHalfEven(v * 10.0) / 10.0;
}

double RoundHundredth(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= AlreadyWholeTenths) return v;
    return RoundHalfEven(v * 100.0) / 100.0;
}

std::string FormatGeneral(double v, char decimalSep) {
    if (v == 0.0) v = 0.0;  // no "-0" on screen
    // to_chars rather than printf: printf's decimal point follows the process
    // locale.
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    std::string out = ec == std::errc() ? std::string(buf, ptr) : std::string();
    for (char& c : out)
        if (c == '.') c = decimalSep;
    return out;
}

std::string FormatResult(double v, char decimalSep) {
    return FormatGeneral(RoundTenth(v), decimalSep);
}

}  // namespace ampora
