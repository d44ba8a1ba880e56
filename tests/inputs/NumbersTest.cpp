#include "inputs/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ampora {
namespace {

TEST(NumbersParseInt, AcceptsOnlyPlainDecimalWithin32Bits) {
    struct Row {
        const char* text;
        std::optional<int32_t> want;
    };
    const Row rows[] = {{"0", 0},
                        {"42", 42},
                        {"-17", -17},
                        {"+5", 5},
                        {"007", 7},
                        {"2147483647", 2147483647},
                        {"-2147483648", std::numeric_limits<int32_t>::min()},
                        {"2147483648", {}},
                        {"-2147483649", {}},
                        {"99999999999999999999", {}},
                        {"", {}},
                        {"-", {}},
                        {"+", {}},
                        {" 1", {}},
                        {"1 ", {}},
                        {"abc", {}},
                        {"0x10", {}},
                        {"1e3", {}},
                        {"12a", {}},
                        {"1.0", {}},
                        {"--1", {}}};
    for (const Row& r : rows) EXPECT_EQ(ParseInt(r.text), r.want) << '"' << r.text << '"';
}

TEST(NumbersParseReal, HonoursTheSeparatorAndRejectsNonNumbers) {
    struct Row {
        const char* text;
        char sep;
        std::optional<double> want;
    };
    const Row rows[] = {{"4.7", '.', 4.7},
                        {"4,7", ',', 4.7},
                        {"4,7", '.', {}},
                        {"4.7", ',', {}},
                        {"-88", '.', -88.0},
                        {"+1.5e2", '.', 150.0},
                        {"1E-3", ',', 0.001},
                        {"1,5e+1", ',', 15.0},
                        {".5", '.', 0.5},
                        {"5.", '.', 5.0},
                        {"1e-400", '.', 0.0},
                        {"0e999999", '.', 0.0},
                        {"1.7976931348623157e308", '.', std::numeric_limits<double>::max()},
                        {"abc", '.', {}},
                        {"", '.', {}},
                        {" ", ',', {}},
                        {" 4.7", '.', {}},
                        {"4.7 ", '.', {}},
                        {"nan", '.', {}},
                        {"inf", '.', {}},
                        {"-infinity", '.', {}},
                        {"1e400", '.', {}},
                        {"-1e400", ',', {}},
                        {"1e", '.', {}},
                        {"1e+", '.', {}},
                        {"1.2.3", '.', {}},
                        {".", '.', {}},
                        {"0x1p3", '.', {}},
                        {"1,000.5", '.', {}},
                        {"e5", '.', {}}};
    for (const Row& r : rows)
        EXPECT_EQ(ParseReal(r.text, r.sep), r.want) << '"' << r.text << "\" sep " << r.sep;
}

TEST(NumbersRounding, HalvesGoToTheEvenNeighbour) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(inf), inf);
    EXPECT_EQ(RoundHalfEven(-inf), -inf);
    EXPECT_EQ(RoundTenth(4.25), 4.2);
    EXPECT_EQ(RoundTenth(4.75), 4.8);
    EXPECT_EQ(RoundTenth(4.26), 4.3);
    EXPECT_EQ(RoundHundredth(21.625), 21.62);
    // Scaling by ten must not turn a large finite value into infinity.
    EXPECT_EQ(RoundTenth(1e308), 1e308);
    EXPECT_EQ(RoundTenth(4503599627370496.5), 4503599627370496.5);
    EXPECT_EQ(RoundTenth(inf), inf);
}

TEST(NumbersFormat, ShortestGeneralFormWithTheUsersSeparator) {
    struct Row {
        double v;
        char sep;
        const char* general;
        const char* result;
    };
    const Row rows[] = {
        {88.0, '.', "88", "88"},
        {4.25, '.', "4.25", "4.2"},
        {4.75, ',', "4,75", "4,8"},
        {4.26, '.', "4.26", "4.3"},
        {0.001, ',', "0,001", "0"},
        {10.24, '.', "10.24", "10.2"},
        {0.1 + 0.2, '.', "0.3", "0.3"},
        {1.0 / 3, '.', "0.333333333333333", "0.3"},
        {-0.0, '.', "0", "0"},
        {-0.04, '.', "-0.04", "0"},
        {-12.36, ',', "-12,36", "-12,4"},
        {1e300, '.', "1e+300", "1e+300"},
        {123456789012345678.0, '.', "1.23456789012346e+17", "1.23456789012346e+17"}};
    for (const Row& r : rows) {
        EXPECT_EQ(FormatGeneral(r.v, r.sep), r.general) << r.v;
        EXPECT_EQ(FormatResult(r.v, r.sep), r.result) << r.v;
    }
}

}  // namespace
}  // namespace ampora
