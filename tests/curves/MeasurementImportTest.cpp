// Measured spectra read into curves: exports of the kinds analysers write,
// every way a file can be refused, and curves written back out.

#include "curves/MeasurementImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "curves/CurveStore.h"

using namespace ampora;

namespace {

using Levels = std::array<int32_t, 31>;
constexpr int32_t N = NoLevel;

std::string ReadSample(const std::string& name) {
    std::ifstream in(std::string(AMPORA_SOURCE_DIR) + "/tests/data/measurements/" + name,
                     std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// An FFT analyser's export: 44.1 kHz, 32,768-point FFT, bins 1..16,384
// (1.3458 Hz apart, up to 22,050 Hz), white noise at -72.25 dB per bin and
// a mains hum line at bin 37 (49.8 Hz) at -45 dB.
std::string FftExport() {
    std::string out =
        "FFT analyser export\nSample rate: 44100 Hz\nFFT size: 32768, Hann window, 64 averages\n"
        "Frequency (Hz)\tMagnitude (dB)\n";
    char line[64];
    for (int k = 1; k <= 16384; ++k) {
        std::snprintf(line, sizeof line, "%.6f\t%.2f\n", k * 44100.0 / 32768.0,
                      k == 37 ? -45.0 : -72.25);
        out += line;
    }
    return out;
}

// A flat spectrum at 1/21-octave steps, 20 * 2^(k/21) for k = first..last:
// band i's edges lie at k = 7i +- 3.5, so no point sits on one, and a band
// fully covered holds seven points.
std::string Flat21stOctaves(int first, int last) {
    std::string out = "Frequency (Hz)\tLevel (dB)\n";
    char line[64];
    for (int k = first; k <= last; ++k) {
        std::snprintf(line, sizeof line, "%.9g\t-20\n", 20.0 * std::exp2(k / 21.0));
        out += line;
    }
    return out;
}

struct SampleCase {
    const char* name;
    std::string text;
    std::size_t points;
    Levels expected;
};

class SampleFiles : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleFiles, GiveTheBandsDerivedByHand) {
    const SampleCase& c = GetParam();
    ASSERT_FALSE(c.text.empty()) << "sample file missing";
    const MeasurementImport r = ParseSpectrum(c.text);
    ASSERT_EQ(r.error, SpectrumError::None) << "line " << r.line;
    EXPECT_EQ(r.points, c.points);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(r.levels[size_t(i)], c.expected[size_t(i)]) << "band " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Spectrum, SampleFiles,
    ::testing::Values(
        // 252 points at 1000 * 2^(k/24), k = -141..110; the four below 17.8 Hz
        // and above 22,989 Hz are outside every band, each band holds eight.
        // Points alternate 0.4 dB above and below their band's level, which
        // raises every band alike. The band levels set in the file, below the
        // flat -30 dB: 20 Hz -20.6, 25 Hz -12.5, 32 Hz -5.4, 40 Hz -1.5,
        // 2032 Hz -6.5, 12902 Hz -3.5, 16255 Hz -9, 20480 Hz -45 (kept at
        // -40). 640 Hz has four points at -30 and four at -50 and no
        // alternation: 10*log10((4 + 4*0.01) / (4*10^0.04 + 4*10^-0.04)) =
        // -2.99 dB, where an average of the dB values would give -10.
        SampleCase{"PinkNoiseRta24thOctave", ReadSample("pink-noise-rta-1-24-octave.txt"), 252,
                   Levels{-21, -12, -5, -2, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0,  0,  -3,
                          0,   0,   0,  0,  -6, 0, 0, 0, 0, 0, 0, 0, -4, -9, -40}},
        // One point per band, levels in dB SPL with decimal commas; the top is
        // 80 Hz at 89.5. 12.5 and 16 Hz lie below the lowest band; 20 Hz has
        // no level (end: none), 1250 Hz has none between 80.4 and 79.6 (80.0).
        // Exact halves go to the even neighbour: 63 Hz -1.5 -> -2, 250 Hz
        // -4.5 -> -4, 400 Hz -6.5 -> -6, 630 Hz -7.5 -> -8, 1250 Hz -9.5 ->
        // -10, 2000 Hz -11.5 -> -12, 4000 Hz -16.5 -> -16, 6300 Hz -20.5 ->
        // -20, 12.5 kHz -31.5 -> -32; 20 kHz at -49.3 is kept at -40.
        SampleCase{
            "ProgrammeThirdOctave", ReadSample("programme-1-3-octave.csv"), 31,
            Levels{N,  -17, -11, -6,  -3,  -2,  0,   -1,  -2,  -4,  -4,  -4,  -5,  -6,  -7, -8,
                   -8, -9,  -10, -10, -12, -13, -14, -16, -18, -20, -23, -26, -32, -38, -40}},
        // Band i holds n bins between its edges: 3, 5, 5, 7, 9, 10, 14, 18,
        // 21, 28, 35, 43, 55, 70, 87, 110, 139, 175, 220, 278, 349, 441, 555,
        // 699, 881, 1110, 1398, 1762, 2220, 2797 and, cut at 22,050 Hz, 2827.
        // Its level is -72.25 + 10*log10(n). The top band 20480 Hz is covered
        // from its lower edge to half a bin above the last, 22,050.7 Hz:
        // 3*log2(22050.7 / 18245.8) = 0.820 of its width, so its 2827 bins
        // count as 2827 / 0.820 = 3449, and it is 0 dB at 35.38 above the
        // bins. 50 Hz: 8 bins of noise and the hum,
        // 10*log10(8*10^-7.225 + 10^-4.5) - (-72.25 + 35.38) = -8.1.
        SampleCase{
            "FftExport16384Points", FftExport(), 16384,
            Levels{-31, -28, -28, -27, -8,  -25, -24, -23, -22, -21, -20, -19, -18, -17, -16, -15,
                   -14, -13, -12, -11, -10, -9,  -8,  -7,  -6,  -5,  -4,  -3,  -2,  -1,  0}},
        // Flat from 20 to 40 Hz, starting at the first band's centre: bands
        // 20 and 40 Hz hold four points each, which stand for 4/7 of their
        // width, and read like their neighbours' seven.
        SampleCase{"FirstAndLastBandHalfCovered", Flat21stOctaves(0, 21), 22,
                   Levels{0, 0, 0, 0, N, N, N, N, N, N, N, N, N, N, N, N,
                          N, N, N, N, N, N, N, N, N, N, N, N, N, N, N}},
        // Starting at 21.4 Hz, the two points in the 20 Hz band stand for
        // 2/7 of it: too little to tell its level.
        SampleCase{"FirstBandCoveredLessThanHalf", Flat21stOctaves(2, 21), 20,
                   Levels{N, 0, 0, 0, N, N, N, N, N, N, N, N, N, N, N, N,
                          N, N, N, N, N, N, N, N, N, N, N, N, N, N, N}}),
    [](const auto& info) { return std::string(info.param.name); });

// Two points, 1016 Hz at -3.5 and 2032 Hz at -6, in the ways files write
// them. The top is 0; 2032 Hz -2.5 -> -2; the two bands between lie on the
// straight line: -0.83 -> -1 and -1.67 -> -2; the rest has no level.
struct FormatCase {
    const char* name;
    std::string text;
};

class Formats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Formats, ReadTheSameTwoPoints) {
    const MeasurementImport r = ParseSpectrum(GetParam().text);
    ASSERT_EQ(r.error, SpectrumError::None) << "line " << r.line;
    Levels expected;
    expected.fill(N);
    expected[17] = 0;
    expected[18] = -1;
    expected[19] = -2;
    expected[20] = -2;
    EXPECT_EQ(r.levels, expected);
    EXPECT_EQ(r.points, 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Spectrum, Formats,
    ::testing::Values(
        FormatCase{"CommaSeparated", "Hz,dB\n1016,-3.5\n2032,-6\n"},
        FormatCase{"CommaAndBlank", "1016, -3.5\n2032, -6.0\n"},
        FormatCase{"SemicolonDecimalComma", "Freq;SPL\n1016;-3,5\n2032;-6,0\n"},
        FormatCase{"TabDecimalComma", "1016\t-3,5\n2032\t\t-6\n"},
        FormatCase{"BlanksDecimalComma", "  1016,0   -3,5\n  2032,0   -6,0\n"},
        FormatCase{"Blanks", "1016 -3.5\n2032 -6\n"},
        FormatCase{"Quoted", "\"Frequency\",\"Level\"\n\"1016\",\"-3.5\"\n\"2032\",\"-6\"\n"},
        FormatCase{"ThirdColumnIgnored",
                   "* Freq(Hz) SPL(dB) Phase(deg)\n1016 -3.5 -170.2\n"
                   "2032 -6 35.0\n"},
        FormatCase{"Exponents", "1.016e3 -3.5E0\n2.032E+03 -60e-1\n"},
        FormatCase{"CommentsAndTitles",
                   "# measured 2024-05-01\n// left channel\n"
                   "20 Hz - 20 kHz, C-weighted\n1016 -3.5\n\n2032 -6\n"},
        FormatCase{"CrLf", "1016 -3.5\r\n2032 -6\r\n"},
        FormatCase{"CrOnly", "Hz dB\r1016 -3.5\r2032 -6"},
        FormatCase{"Utf8Bom",
                   "\xEF\xBB\xBF"
                   "1016;-3,5\n2032;-6\n"},
        FormatCase{"Utf16LittleEndian", std::string("\xFF\xFE"
                                                    "1\0"
                                                    "0\0"
                                                    "1\0"
                                                    "6\0"
                                                    "\t\0"
                                                    "-\0"
                                                    "3\0"
                                                    ".\0"
                                                    "5\0"
                                                    "\n\0"
                                                    "2\0"
                                                    "0\0"
                                                    "3\0"
                                                    "2\0"
                                                    "\t\0"
                                                    "-\0"
                                                    "6\0"
                                                    "\n\0",
                                                    38)},
        FormatCase{"DosEndOfFileMark", "1016 -3.5\r\n2032 -6\r\n\x1A"},
        FormatCase{"EmptyLevelIsNoPoint", "1016;-3,5\n1280;\n1613\n2032;-6\n"},
        FormatCase{"AnyReference", "1016 96.5\n2032 94\n"},
        FormatCase{"HeadersLikeNaNOrInfinity",
                   "Information: pink noise\nInfrasonic filter off\n"
                   "NaN-free export\n1016 -3.5\n2032 -6\n"},
        FormatCase{"ZeroHzIgnored", "0 -90\n1016 -3.5\n2032 -6\n"},
        FormatCase{"NaNOutsideTheBandsIgnored",
                   "Hz;dB\n0;nan\n5;-inf\n1016;-3,5\n2032;-6\n"
                   "25000;NaN\n"},
        FormatCase{"OhmsAfterTheDataAreNotAHeader", "1016 -3.5\n2032 -6\n# 8 ohm load\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A plain list of 31 levels, in any reference, in band order.
TEST(MeasurementImport, PlainListsOfLevels) {
    std::string perLine, oneLine, semicolons;
    for (int i = 0; i < 31; ++i) {
        const int l = PresetIecDin[size_t(i)] + 75;  // dB SPL instead of 0 at the top
        perLine += std::to_string(l) + "\n";
        oneLine += std::to_string(l) + " ";
        semicolons += std::to_string(l) + (i < 30 ? ";" : "\n");
    }
    Levels iec;
    std::copy(PresetIecDin.begin(), PresetIecDin.end(), iec.begin());
    for (const std::string& text : {perLine, oneLine, semicolons, "Levels\n" + perLine}) {
        const MeasurementImport r = ParseSpectrum(text);
        ASSERT_EQ(r.error, SpectrumError::None) << text;
        EXPECT_EQ(r.levels, iec) << text;
        EXPECT_EQ(r.points, 31u);
    }
    // Decimals, rounded after the shift, halves to even; -40 is the floor.
    std::string decimals = "-0.5\n-1.5\n-2.5\n-60\n";
    for (int i = 4; i < 31; ++i) decimals += "-0.5\n";
    const MeasurementImport r = ParseSpectrum(decimals);
    ASSERT_EQ(r.error, SpectrumError::None);
    EXPECT_EQ(r.levels[0], 0);
    EXPECT_EQ(r.levels[1], -1);
    EXPECT_EQ(r.levels[2], -2);
    EXPECT_EQ(r.levels[3], -40);
}

// Bands are third-octave wide around 20 * 2^(i/3): a point just inside an
// edge belongs to the band, one just outside to its neighbour.
TEST(MeasurementImport, PointsFallIntoTheBandBetweenItsEdges) {
    struct Row {
        double hz;
        int band;
    } rows[] = {{17.9, 0},  {22.4, 0},  {22.5, 1},   {910, 17},
                {1140, 17}, {1141, 18}, {18300, 30}, {22900, 30}};
    for (const Row& row : rows) {
        char text[128];
        // A second point far away keeps the file valid; it is 40 dB lower.
        std::snprintf(text, sizeof text, "%.1f 0\n%d -40\n", row.hz, row.band < 15 ? 16000 : 20);
        const MeasurementImport r = ParseSpectrum(text);
        ASSERT_EQ(r.error, SpectrumError::None) << row.hz;
        EXPECT_EQ(r.levels[size_t(row.band)], 0) << row.hz;
    }
    EXPECT_NEAR(BandLowerEdgeHz(0), 17.818, 0.001);
    EXPECT_NEAR(BandUpperEdgeHz(30), 22988.0, 0.1);
}

// Points of one band add up as powers, whatever reference their levels use,
// and the loudest band is the top even at extreme levels.
TEST(MeasurementImport, PointsInABandAddAsPowers) {
    struct Row {
        const char* text;
        int32_t band17, band20;
    } rows[] = {
        {"1000 -10\n1010 -10\n2032 -10\n", 0, -3},      // two equal points: +3.01 dB
        {"1000 -10\n1010 -20\n2032 -10\n", 0, 0},       // +0.41 dB
        {"1000 300\n2032 290\n", 0, -10},               // no overflow
        {"1000 -1e300\n1010 -10\n2032 -20\n", 0, -10},  // a silent point adds nothing
        {"1000 1e300\n2032 -1e300\n", 0, -40},          // kept to the floor
    };
    for (const Row& row : rows) {
        const MeasurementImport r = ParseSpectrum(row.text);
        ASSERT_EQ(r.error, SpectrumError::None) << row.text;
        EXPECT_EQ(r.levels[17], row.band17) << row.text;
        EXPECT_EQ(r.levels[20], row.band20) << row.text;
    }
}

struct BadCase {
    const char* name;
    std::string text;
    SpectrumError error;
    std::size_t line;
    const char* fileName = "spectrum.txt";
};

class BadFiles : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadFiles, AreRefusedNamingTheProblem) {
    const BadCase& c = GetParam();
    const MeasurementImport r = ParseSpectrum(c.text, c.fileName);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.line, c.line);
}

// An exported curve (-3 dB everywhere) with the row of band 5 (63 Hz, line 8)
// replaced by row, or left out when row is empty; then extra appended.
std::string EditedExport(const char* row, const char* extra = "") {
    Levels l;
    l.fill(-3);
    std::string text = ExportCurveCsv(l);
    const std::size_t at = text.find("\n63,-3\n") + 1;
    text.replace(at, 6, *row ? std::string(row) + "\n" : std::string());
    return text + extra;
}

std::string ManyLines(std::size_t n) {
    std::string s;
    s.reserve(n * 8);
    for (std::size_t i = 0; i < n; ++i) s += "1000 -3\n";
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Spectrum, BadFiles,
    ::testing::Values(
        BadCase{"Png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20),
                SpectrumError::Binary, 0},
        BadCase{"Utf16WithoutMark",
                std::string("1\0"
                            "0\0"
                            "0\0"
                            " \0"
                            "-\0"
                            "3\0",
                            12),
                SpectrumError::Binary, 0},
        BadCase{"ControlCharacters", "1000 -3\n2000 \x02-6\n", SpectrumError::Binary, 0},
        BadCase{"Empty", "", SpectrumError::Empty, 0},
        BadCase{"OnlyBlanks", " \r\n\t\n\n", SpectrumError::Empty, 0},
        BadCase{"OnlyHeaders", "Frequency;Level\n# nothing measured\n", SpectrumError::NoNumbers,
                0},
        BadCase{"Prose", "Dear colleague,\nthe spectrum follows next week.\n",
                SpectrumError::NoNumbers, 0},
        BadCase{"NumbersWithUnits", "100 Hz\n200 Hz\n", SpectrumError::NoNumbers, 0},
        BadCase{"OnePoint", "Hz dB\n1000 -3\n", SpectrumError::OnePoint, 0},
        BadCase{"OnePointAndEmptyLevels", "1000;-3\n2000;\n", SpectrumError::OnePoint, 0},
        BadCase{"LevelNotANumber", "100 -3\n1000 -3x\n", SpectrumError::NotANumber, 2},
        BadCase{"TwoDecimalMarks", "100 -3\n1000 -3.5.1\n", SpectrumError::NotANumber, 2},
        BadCase{"NegativeFrequency", "100 -3\n-1000 -3\n", SpectrumError::BadFrequency, 2},
        BadCase{"ColumnsSwapped", "-3 100\n-6 200\n", SpectrumError::BadFrequency, 1},
        BadCase{"NaNLevel", "100 -3\n200 NaN\n", SpectrumError::NotFinite, 2},
        BadCase{"NaNFrequency", "Hz dB\nnan -3\n200 -4\n", SpectrumError::NotFinite, 2},
        BadCase{"InfiniteLevel", "100 -3\n200 -inf\n", SpectrumError::NotFinite, 2},
        BadCase{"InfinityWord", "100 -3\n200 -Infinity\n", SpectrumError::NotFinite, 2},
        BadCase{"NaNInsideTheBandsAfterTheDcBin", "0 nan\n100 -3\n200 nan\n",
                SpectrumError::NotFinite, 3},
        BadCase{"WindowsInfinity", "100;-3\n200;-1,#INF\n", SpectrumError::NotFinite, 2},
        BadCase{"Overflow", "100 -3\n200 1e999\n", SpectrumError::NotFinite, 2},
        BadCase{"MillionLines", ManyLines(1000000), SpectrumError::TooLarge, 0},
        BadCase{"SeventeenMegabytes", "1000 -3\n2000 -4\n" + std::string(17u << 20, ' '),
                SpectrumError::TooLarge, 0},
        BadCase{"AllOutsideTheBands", "5 -3\n10 -4\n17.5 -4\n23000 -5\n40000 -6\n",
                SpectrumError::OutOfRange, 0},
        BadCase{"NoBandHalfCovered", "1000 -3\n1010 -4\n1020 -3\n", SpectrumError::TooNarrow, 0},
        BadCase{"ImpedanceFileName", "10 7.2 -1\n20 8.5 10\n1000 6.4 -5\n",
                SpectrumError::Impedance, 0, "/home/u/drivers/woofer.ZMA"},
        BadCase{"ImpedanceHeader", "Impedance (ohms), Phase (degrees)\n10,7.2,-1\n20,8.5,10\n",
                SpectrumError::Impedance, 0},
        BadCase{"OhmColumn", "* Freq(Hz) Mag(Ohm) Phase(Deg)\n10 7.2 -1\n20 8.5 10\n",
                SpectrumError::Impedance, 0},
        BadCase{"KiloOhmColumn", "Hz kOhm\n10 0.0072\n20 0.0085\n", SpectrumError::Impedance, 0},
        BadCase{"OhmSign", "Hz \xE2\x84\xA6\n10 7.2\n20 8.5\n", SpectrumError::Impedance, 0},
        BadCase{"RussianImpedance", "Частота, Гц;Импеданс, Ом\n10;7,2\n20;8,5\n",
                SpectrumError::Impedance, 0},
        BadCase{"ExportedLevelAboveTheTop", EditedExport("63,3"), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedHalfDecibel", EditedExport("63,-3.5"), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedBelowTheFloor", EditedExport("63,-41"), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedNaN", EditedExport("63,nan"), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedLevelNotANumber", EditedExport("63,-3 dB"), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedWrongCentre", EditedExport("64,-3"), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedBandLeftOut", EditedExport(""), SpectrumError::ExportedRow, 8},
        BadCase{"ExportedExtraBand", EditedExport("63,-3", "25600,-3\n"),
                SpectrumError::WrongLevelCount, 0},
        BadCase{"ExportedWithoutLevels",
                [] {
                    Levels l;
                    l.fill(NoLevel);
                    return ExportCurveCsv(l);
                }(),
                SpectrumError::NoNumbers, 0},
        BadCase{"ListOfThirty",
                [] {
                    std::string s;
                    for (int i = 0; i < 30; ++i) s += "-3\n";
                    return s;
                }(),
                SpectrumError::WrongLevelCount, 0},
        BadCase{"OneLevel", "-3\n", SpectrumError::WrongLevelCount, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasurementImport, ShortListSaysHowManyLevelsItHeld) {
    EXPECT_EQ(ParseSpectrum("1\n2\n3\n").count, 3u);
}

// The largest file an analyser plausibly writes still goes through.
TEST(MeasurementImport, LimitsLeaveRoomForLargeExports) {
    std::string s;
    for (int k = 1; k <= 32768; ++k) s += std::to_string(k * 0.6729) + "\t-70.00\n";
    EXPECT_EQ(ParseSpectrum(s).error, SpectrumError::None);
    EXPECT_EQ(ParseSpectrum(ManyLines(SpectrumMaxLines)).error, SpectrumError::None);
    EXPECT_EQ(ParseSpectrum(ManyLines(SpectrumMaxLines + 1)).error, SpectrumError::TooLarge);
}

TEST(SpectrumExport, WritesBandCentresAndEmptyLevels) {
    Levels l;
    l.fill(-7);
    l[0] = NoLevel;
    l[1] = -40;
    l[30] = -41;  // below the graph: no level either
    l[13] = 0;
    const std::string csv = ExportCurveCsv(l);
    EXPECT_TRUE(
        csv.starts_with("# Ampora curve export\nFrequency (Hz),Level (dB)\n20,\n25,-40\n"
                        "32,-7\n"));
    EXPECT_NE(csv.find("\n403,0\n"), std::string::npos);
    EXPECT_TRUE(csv.ends_with("\n16255,-7\n20480,\n"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 33);
}

// What is exported comes back as it was, levels below the top and bands
// without level included: every built-in curve, a curve with no level at its
// ends, and random curves of every shape the graph can draw, from a single
// band to all 31, down to the floor.
TEST(SpectrumExport, ImportGivesTheCurveBack) {
    std::vector<Levels> curves;
    for (const BuiltInCurve& c : BuiltInCurves) {
        Levels l;
        std::copy(c.levels.begin(), c.levels.end(), l.begin());
        curves.push_back(l);
    }
    Levels ends;
    ends.fill(-12);
    ends[0] = ends[1] = ends[30] = NoLevel;
    ends[15] = 0;
    curves.push_back(ends);
    std::mt19937 random(14);
    while (curves.size() < 4000) {
        // How many bands are left empty, and the span of the levels.
        const double emptyShare = std::array{0.0, 0.5, 0.9, 0.97}[random() % 4];
        const int low = -40 + int(random() % 41);
        const int high = low + int(random() % unsigned(1 - low));
        std::uniform_int_distribution<int32_t> level(low, high);
        std::bernoulli_distribution empty(emptyShare);
        Levels l;
        for (int32_t& band : l) band = empty(random) ? NoLevel : level(random);
        if (std::count(l.begin(), l.end(), NoLevel) < 31) curves.push_back(l);
    }
    for (const Levels& l : curves) {
        const MeasurementImport r = ParseSpectrum(ExportCurveCsv(l), "curve.csv");
        ASSERT_EQ(r.error, SpectrumError::None) << ExportCurveCsv(l);
        ASSERT_EQ(r.levels, l) << ExportCurveCsv(l);
        EXPECT_TRUE(r.exportedCurve);
    }
}

// An exported curve opened and saved again by hand or by a spreadsheet is
// still read as it stands: -100 is no level, as in the curve file.
TEST(SpectrumExport, ResavedExportIsReadAsItStands) {
    Levels l;
    for (int i = 0; i < 31; ++i) l[size_t(i)] = -(i % 5) - 2;
    l[3] = NoLevel;
    const std::string exported = ExportCurveCsv(l);
    std::string crLf, semicolons = "\xEF\xBB\xBF";
    for (char c : exported) {
        crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        semicolons += c == ',' ? ';' : c;
    }
    std::string minusHundred = exported;
    minusHundred.replace(minusHundred.find("\n40,\n"), 5, "\n40,-100\n");
    std::string quoted = exported;
    quoted.replace(0, CurveExportMark.size(), "\"# Ampora curve export\",,");
    for (const std::string& text : {crLf, semicolons, minusHundred, quoted}) {
        const MeasurementImport r = ParseSpectrum(text);
        ASSERT_EQ(r.error, SpectrumError::None) << text;
        EXPECT_EQ(r.levels, l) << text;
    }
}

TEST(MeasurementImport, CurveNameFromTheFileName) {
    struct Row {
        const char* path;
        const char* name;
    } rows[] = {
        {"/home/u/measurements/pink-rta.txt", "pink-rta"},
        {"C:\\Messungen\\Raum 1.csv", "Raum 1"},
        {"rock.live.2024.csv", "rock.live.2024"},
        {"no-extension", "no-extension"},
        {"/tmp/.hidden", ".hidden"},
        {"/tmp/Шум с концерта.txt", "Шум с концерта"},
        {"/x/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.txt",
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
        {"/x/ЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯ.txt",
         "ЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯЯ"},
    };
    for (const Row& row : rows) EXPECT_EQ(CurveNameFromFileName(row.path, 50), row.name);
}

}  // namespace
