// The number parser against its grammar, on generated text: every sentence of
// the grammar is read as the C library reads it, anything else is refused.
//   whole := sign? digit+                       (within 32 bits)
//   real  := sign? mantissa exponent?
//   mantissa := digit+ (sep digit*)? | sep digit+
//   exponent := (e|E) sign? digit+

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "inputs/Numbers.h"

namespace ampora {
namespace {

class Grammar {
public:
    explicit Grammar(unsigned seed) : rng_(seed) {}
    int pick(int n) { return int(rng_() % unsigned(n)); }
    std::string digits(int min, int max) {
        std::string s;
        const int n = min + pick(max - min + 1);
        for (int i = 0; i < n; ++i) s += char('0' + pick(10));
        return s;
    }
    std::string sign() {
        const int s = pick(3);
        return s == 0 ? "" : s == 1 ? "+" : "-";
    }
    std::string whole() { return sign() + digits(1, pick(4) == 0 ? 14 : 6); }
    std::string real(char sep) {
        std::string m;
        switch (pick(3)) {
            case 0: m = digits(1, 8); break;
            case 1: m = digits(1, 8) + sep + digits(0, 8); break;
            default: m = std::string(1, sep) + digits(1, 8); break;
        }
        std::string e;
        if (pick(2) == 0)
            e = std::string(1, pick(2) ? 'e' : 'E') + sign() + digits(1, pick(5) == 0 ? 4 : 2);
        return sign() + m + e;
    }
    // A sentence broken in one place: a foreign character put in, a part of
    // it doubled, or the other separator.
    std::string broken(char sep) {
        std::string s = real(sep);
        static const std::string foreign[] = {" ", "x",  "\t", "..",       ",,",
                                              "e", "--", "+-", "\xD0\x81", "0x"};
        switch (pick(3)) {
            case 0: {
                const std::string& f = foreign[pick(10)];
                s.insert(size_t(pick(int(s.size()) + 1)), f);
                break;
            }
            case 1: s += std::string(1, sep) + digits(1, 3) + sep; break;
            default: {
                const size_t at = s.find(sep);
                if (at == std::string::npos)
                    return s + std::string(1, sep == '.' ? ',' : '.') + "5";
                s[at] = sep == '.' ? ',' : '.';
                break;
            }
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

// What the C library makes of a sentence, written with '.'.
std::optional<double> Reference(std::string text, char sep) {
    for (char& c : text)
        if (c == sep) c = '.';
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (std::isinf(v)) return std::nullopt;  // too large for a double
    return v;
}

TEST(NumberGrammar, EverySentenceIsReadAsTheCLibraryReadsIt) {
    for (char sep : {'.', ','}) {
        Grammar g(sep == '.' ? 1u : 2u);
        for (int i = 0; i < 20000; ++i) {
            const std::string text = g.real(sep);
            const auto want = Reference(text, sep);
            const auto got = ParseReal(text, sep);
            ASSERT_EQ(got.has_value(), want.has_value()) << '"' << text << '"';
            if (got && std::fpclassify(*want) == FP_NORMAL) {
                ASSERT_EQ(*got, *want) << '"' << text << '"';
            }
        }
    }
}

TEST(NumberGrammar, NothingOutsideTheGrammarIsANumber) {
    for (char sep : {'.', ','}) {
        Grammar g(sep == '.' ? 3u : 4u);
        for (int i = 0; i < 20000; ++i) {
            const std::string text = g.broken(sep);
            // Some breaks still spell a number ("1" + "e" + "5"): only what
            // the grammar refuses must be refused.
            bool inGrammar = false;
            {
                size_t p = 0;
                auto digitsAt = [&](size_t& q) {
                    const size_t s = q;
                    while (q < text.size() && text[q] >= '0' && text[q] <= '9') ++q;
                    return q - s;
                };
                if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
                size_t intDigits = digitsAt(p), fracDigits = 0;
                if (p < text.size() && text[p] == sep) {
                    ++p;
                    fracDigits = digitsAt(p);
                }
                bool ok = intDigits + fracDigits > 0;
                if (ok && p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
                    ++p;
                    if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
                    ok = digitsAt(p) > 0;
                }
                inGrammar = ok && p == text.size();
            }
            if (inGrammar) continue;
            ASSERT_FALSE(ParseReal(text, sep).has_value()) << '"' << text << "\" sep " << sep;
        }
    }
}

TEST(NumberGrammar, WholeNumbersWithin32BitsAndNoOthers) {
    Grammar g(5);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = g.whole();
        const long long v = std::strtoll(text.c_str(), nullptr, 10);
        const bool fits = text.size() < 16 && v >= INT32_MIN && v <= INT32_MAX;
        const auto got = ParseInt(text);
        ASSERT_EQ(got.has_value(), fits) << '"' << text << '"';
        if (got) {
            ASSERT_EQ(*got, v) << '"' << text << '"';
        }
        // A whole number is a real number too.
        if (got) {
            ASSERT_EQ(ParseReal(text, '.'), double(v));
        }
    }
}

}  // namespace
}  // namespace ampora
