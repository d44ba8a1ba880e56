#include "cli/Report.h"

#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include <functional>
#include <sstream>
#include <vector>

#include "calc/BandBreakdown.h"

namespace ampora::cli {
namespace {

Design Example() {
    Design d = testutil::WorkedExampleDesign();
    return d;
}

std::vector<std::string> Lines(const std::string& csv) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t p; (p = csv.find("\r\n", start)) != std::string::npos; start = p + 2)
        out.push_back(csv.substr(start, p - start));
    EXPECT_EQ(start, csv.size()) << "every line ends in CRLF";
    return out;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream s(line);
    for (std::string f; std::getline(s, f, ',');) out.push_back(f);
    if (!line.empty() && line.back() == ',') out.push_back("");
    return out;
}

struct Case {
    const char* name;
    std::function<void(Design&)> change;
    std::string header;
    std::string totals;  // the window's numbers, '.' as separator
};

class ReportCsvTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReportCsvTest, ResultsAsTheCommandLineThenTheBandsWithTheWindowsTotals) {
    EvaluatedFile f;
    f.path = "speaker.ampora";
    f.design = Example();
    GetParam().change(f.design);
    f.evaluation = Evaluate(f.design);
    const std::string csv = ReportCsv(f, 1);
    const std::vector<std::string> lines = Lines(csv);
    ASSERT_EQ(lines.size(), 2u + 1u + 1u + 31u + 1u);
    // The results: the command line's own header and row, unchanged.
    EXPECT_EQ(lines[0] + "\r\n", CsvHeader());
    EXPECT_EQ(lines[1] + "\r\n", CsvRow(f, 1));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], GetParam().header);
    if (!GetParam().totals.empty()) {
        EXPECT_EQ(lines.back(), GetParam().totals);
    }

    // Each band column adds up to its total within the rounding of the cells.
    const std::vector<std::string> head = Fields(lines[3]);
    const std::vector<std::string> total = Fields(lines.back());
    for (size_t c = 2; c < head.size(); ++c) {
        double sum = 0;
        for (size_t r = 4; r < 4 + 31; ++r) sum += std::stod(Fields(lines[r])[c]);
        const bool pct = head[c].ends_with("_pct");
        // 31 cells rounded to a hundredth (shares) or a ten-thousandth (watts),
        // against a total rounded to a tenth.
        EXPECT_NEAR(sum, std::stod(total[c]), pct ? 31 * 0.005 : 0.05 + 31 * 0.00005) << head[c];
    }
    EXPECT_EQ(Fields(lines[4])[0], "20");
    EXPECT_EQ(Fields(lines[4 + 30])[0], "20480");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ReportCsvTest,
    ::testing::Values(
        Case{"ThreeWay", [](Design&) {},
             "band_hz,level_db,bass_w,bass_pct,midrange_w,midrange_pct,tweeter_w,tweeter_pct,"
             "midrange_rs_w,midrange_rp_w,tweeter_rs_w,tweeter_rp_w",
             "total,,40.3,100,20.6,100,10.8,100,6.5,5.3,10.2,6.3"},
        // The window writes its numbers with the user's separator; the file
        // keeps '.'.
        Case{"ThreeWayCommaUser", [](Design& d) { d.decimalSeparator = ','; },
             "band_hz,level_db,bass_w,bass_pct,midrange_w,midrange_pct,tweeter_w,tweeter_pct,"
             "midrange_rs_w,midrange_rp_w,tweeter_rs_w,tweeter_rp_w",
             "total,,40.3,100,20.6,100,10.8,100,6.5,5.3,10.2,6.3"},
        Case{"Linkwitz",
             [](Design& d) {
                 d.linkwitzF1 = 50;
                 d.linkwitzF2 = 25;
             },
             "band_hz,level_db,bass_w,bass_pct,midrange_w,midrange_pct,tweeter_w,tweeter_pct,"
             "midrange_rs_w,midrange_rp_w,tweeter_rs_w,tweeter_rp_w",
             ""},
        Case{"TwoWay",
             [](Design& d) {
                 d.midOn = false;
                 d.tweeterHighPass.cutHz = 2000;
             },
             "band_hz,level_db,bass_w,bass_pct,tweeter_w,tweeter_pct,tweeter_rs_w,tweeter_rp_w",
             "total,,54.5,100,18,100,16.9,10.5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportCsv, LinkwitzTotalsAreTheCommandLinesNumbers) {
    EvaluatedFile f;
    f.design = Example();
    f.design.linkwitzF1 = 50;
    f.design.linkwitzF2 = 25;
    f.evaluation = Evaluate(f.design);
    const std::vector<std::string> lines = Lines(ReportCsv(f, 1));
    const std::vector<std::string> results = Fields(lines[1]);
    const std::vector<std::string> total = Fields(lines.back());
    EXPECT_EQ(total[2], "58.7");
    EXPECT_EQ(total[4], "14.3");
    EXPECT_EQ(total[6], "7.5");
    // bass_w, midrange_w, tweeter_w, then the resistor powers of the row.
    EXPECT_EQ(results[4], total[2]);
    EXPECT_EQ(results[5], total[4]);
    EXPECT_EQ(results[6], total[6]);
    EXPECT_EQ(results[8], total[8]);
    EXPECT_EQ(results[10], total[9]);
    EXPECT_EQ(results[12], total[10]);
    EXPECT_EQ(results[14], total[11]);
}

TEST(ReportCsv, AStoppedDesignHasItsResultsRowOnly) {
    EvaluatedFile f;
    f.path = "weak.ampora";
    f.design = Example();
    f.design.tweeter.sensitivityDb = 80;
    f.evaluation = Evaluate(f.design);
    const std::string csv = ReportCsv(f, 1);
    EXPECT_EQ(csv, CsvHeader() + CsvRow(f, 1));
    EXPECT_NE(csv.find("Sensitivity of tweeter is too low"), std::string::npos);
}

TEST(ReportOptions, ReadsTheCommandLine) {
    struct Row {
        std::vector<std::string> args;
        std::string input, output;
        ReportKind kind;
        int language;
        std::string problem;  // the start of it; "" none
    } rows[] = {
        {{"a.ampora", "-o", "a.pdf"}, "a.ampora", "a.pdf", ReportKind::Pdf, 1, ""},
        {{"-o", "OUT.CSV", "a.ampora"}, "a.ampora", "OUT.CSV", ReportKind::Csv, 1, ""},
        {{"--language", "rus", "a.ampora", "--output", "r.pdf"},
         "a.ampora",
         "r.pdf",
         ReportKind::Pdf,
         0,
         ""},
        {{"--language=bel", "a.ampora", "-o", "r.csv"},
         "a.ampora",
         "r.csv",
         ReportKind::Csv,
         2,
         ""},
        {{"a.ampora"}, "a.ampora", "", ReportKind::Csv, 1, "no output file"},
        {{"-o", "a.pdf"}, "", "a.pdf", ReportKind::Pdf, 1, "no design file"},
        {{"a.ampora", "-o", "a.txt"}, "a.ampora", "a.txt", ReportKind::Csv, 1, "the output must"},
        {{"a.ampora", "-o"}, "a.ampora", "", ReportKind::Csv, 1, "missing file after -o"},
        {{"a.ampora", "b.ampora", "-o", "a.pdf"},
         "a.ampora",
         "a.pdf",
         ReportKind::Pdf,
         1,
         "one design file only"},
        {{"--format", "a.ampora", "-o", "a.pdf"},
         "a.ampora",
         "a.pdf",
         ReportKind::Pdf,
         1,
         "unknown option: --format"},
        {{"--language", "fr", "a.ampora", "-o", "a.pdf"},
         "a.ampora",
         "a.pdf",
         ReportKind::Pdf,
         1,
         "bad language: fr"},
    };
    for (Row& row : rows) {
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), {"ampora", "report"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        const ReportOptions o = ParseReportOptions(int(argv.size()), argv.data());
        SCOPED_TRACE(args[2]);
        EXPECT_EQ(o.input, row.input);
        EXPECT_EQ(o.output, row.output);
        EXPECT_EQ(o.language, row.language);
        if (row.problem.empty()) {
            EXPECT_EQ(o.problem, "");
            EXPECT_EQ(o.kind, row.kind);
        } else {
            EXPECT_TRUE(o.problem.starts_with(row.problem)) << o.problem;
        }
    }
}

}  // namespace
}  // namespace ampora::cli
