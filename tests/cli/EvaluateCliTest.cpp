#include "cli/Evaluate.h"

#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "calc/DesignFile.h"
#include "cli/EvaluationFormat.h"
#include "tests/DiskFaults.h"
#include "tests/TempDir.h"

namespace ampora::cli {
namespace {

Design Example() {
    Design d = testutil::WorkedExampleDesign();
    d.spectrumName = "Flat, \"loud\"";
    return d;
}

class EvaluateCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(WriteDesignFile(dir.file("good.ampora"), Example()));
        Design weak = Example();
        weak.tweeter.sensitivityDb = 80;
        ASSERT_FALSE(WriteDesignFile(dir.file("weak.ampora"), weak));
        std::ofstream(dir.file("bad.ampora")) << "{";
    }
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"ampora", "evaluate"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        std::ostringstream o, e;
        const int rc = RunEvaluate(int(argv.size()), argv.data(), o, e);
        out = o.str();
        err = e.str();
        return rc;
    }
    std::string file(const char* name) const { return dir.file(name); }

    testutil::TempDir dir;
    std::string out, err;
};

struct ExitCase {
    const char* name;
    std::vector<std::string> files;
    int status;
};

TEST_F(EvaluateCli, ExitStatusTellsTheWorstOutcome) {
    const ExitCase cases[] = {
        {"AllGood", {"good.ampora", "good.ampora"}, 0},
        {"OneStopped", {"good.ampora", "weak.ampora"}, 1},
        {"OneRefused", {"bad.ampora", "weak.ampora", "good.ampora"}, 2},
        {"Missing", {"none.ampora"}, 2},
    };
    for (const ExitCase& c : cases) {
        for (const char* format : {"text", "json", "csv"}) {
            SCOPED_TRACE(std::string(c.name) + " " + format);
            std::vector<std::string> args = {"--format", format};
            for (const std::string& f : c.files) args.push_back(file(f.c_str()));
            EXPECT_EQ(run(args), c.status);
            EXPECT_EQ(err, "");
            // Every file is reported, a bad one never stops the others.
            for (const std::string& f : c.files)
                EXPECT_NE(out.find(file(f.c_str())), std::string::npos) << f;
        }
    }
}

TEST_F(EvaluateCli, BadOptionsAreRefusedInTheChosenLanguage) {
    const struct {
        std::vector<std::string> args;
        const char* firstLine;
    } cases[] = {
        {{"--bogus", "x"}, "Unknown option: --bogus"},
        {{"--format", "xml", "x"}, "Bad value for option: --format xml"},
        {{"--format=xml", "--language", "rus", "x"}, "Неверное значение параметра: --format xml"},
        {{"--language=bel", "--format"}, "Няправільнае значэнне параметра: --format"},
        {{"--language", "deu", "x"}, "Bad value for option: --language deu"},
        {{}, "No design file given."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstLine);
        EXPECT_EQ(run(c.args), 2);
        EXPECT_EQ(err.substr(0, err.find('\n')), c.firstLine);
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(out.rfind("Usage: ampora evaluate", 0), 0u);
}

TEST_F(EvaluateCli, TextShowsTheWindowsNumbersOrTheReason) {
    EXPECT_EQ(run({"--language", "eng", file("good.ampora")}), 0);
    EXPECT_EQ(out, file("good.ampora") +
                       "\n"
                       "  Spectrum: Flat, \"loud\"\n"
                       "            Power, W  SPL, dB  L-pad\n"
                       "  Bass      40.3      104.1\n"
                       "  Midrange  20.6      103.1    Rs=1.6 Ω   6.5 W   Rp=30.9 Ω   5.3 W\n"
                       "  Tweeter   10.8      102.3    Rs=3 Ω   10.2 W   Rp=13.7 Ω   6.3 W\n"
                       "  Total               108\n\n");
    EXPECT_EQ(run({"--language", "rus", "--", file("weak.ampora")}), 1);
    EXPECT_NE(out.find("Расчёт остановлен: Чувствительность динамика ВЧ недостаточна"),
              std::string::npos);
}

TEST_F(EvaluateCli, CsvHasFixedColumnsAndQuotes) {
    EXPECT_EQ(run({"--format=csv", file("good.ampora"), file("weak.ampora"), file("bad.ampora")}),
              2);
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        lines.push_back(line.substr(0, line.size() - 1));
    }
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], CsvHeader().substr(0, CsvHeader().size() - 2));
    EXPECT_EQ(lines[1], file("good.ampora") +
                            ",ok,,\"Flat, \"\"loud\"\"\",40.3,20.6,10.8,1.6,6.5,30.9,5.3,3,10.2,"
                            "13.7,6.3,104.1,103.1,102.3,108,,,,,,,,");
    EXPECT_EQ(lines[2], file("weak.ampora") +
                            ",stopped,Sensitivity of tweeter is too low,\"Flat, \"\"loud\"\"\""
                            ",,,,,,,,,,,,,,,,,,,,,,,");
    EXPECT_EQ(lines[3], file("bad.ampora") +
                            ",error,The file is not a design: it is not JSON (byte 2).,"
                            ",,,,,,,,,,,,,,,,,,,,,,,");
}

TEST(CsvField, QuotesOnlyWhenNeededAndNeverStartsAFormula) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"Шум розовый", "Шум розовый"},
        {"=1+2", "'=1+2"},
        {"+1", "'+1"},
        {"-3.5 dB", "'-3.5 dB"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"=a,b", "\"'=a,b\""},
        {"a=b-c", "a=b-c"},
        {"bad\xff\xfe.ampora", "bad\xEF\xBF\xBD\xEF\xBF\xBD.ampora"}};
    for (const auto& [in, expected] : cases) EXPECT_EQ(CsvField(in), expected) << in;
}

TEST(ValidUtf8, ReplacesEachIllFormedSequenceOnly) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"Шум ✓ 𝄞", "Шум ✓ 𝄞"},
        {"\xff", r},
        {"a\xc3(", "a" + r + "("},
        {"\xe2\x82", r},
        {"\xe2\x82x", r + "x"},
        {"\xed\xa0\x80", r + r + r},  // a surrogate
        {"\xc0\xaf", r + r},
        {"\xf4\x90\x80\x80", r + r + r + r}};
    for (const auto& [in, expected] : cases) EXPECT_EQ(ValidUtf8(in), expected) << in;
}

TEST(TerminalText, EscapesControlCharactersAndKeepsTheRest) {
    const std::pair<std::string, std::string> cases[] = {{"plain name.ampora", "plain name.ampora"},
                                                         {"\x1b]0;title\x07", "\\x1b]0;title\\x07"},
                                                         {"a\nError: fake", "a\\x0aError: fake"},
                                                         {"cr\r\ttab\x7f", "cr\\x0d\\x09tab\\x7f"},
                                                         {"c1 \xc2\x9b", "c1 \\u009b"},
                                                         {"8-bit c1 \x9b", "8-bit c1 \\x9b"},
                                                         {"Шум\xff", "Шум\xff"}};
    for (const auto& [in, expected] : cases) EXPECT_EQ(TerminalText(in), expected) << in;
}

// Files that would crash, hang or spoof the output sit between good ones:
// every format reports each file, stays well-formed, and never waits.
TEST_F(EvaluateCli, NoFileOrNameStopsTheOthersOrBreaksTheOutput) {
    std::string good;
    {
        std::ifstream in(file("good.ampora"));
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(file("huge-number.ampora"))
        << std::string(good).insert(good.find('{') + 1, "\"note\": 1e309,");
    const std::string spoof = "evil\x1b]0;pwned\x07\nError: fake.ampora";
    std::ofstream(file(spoof.c_str())) << good;
    Design formula = Example();
    formula.spectrumName = "=HYPERLINK(\"x\")\x1b[2J";
    ASSERT_FALSE(WriteDesignFile(file("formula.ampora"), formula));
    const testutil::NamedPipe pipe(file("pipe.ampora"));
    ASSERT_TRUE(pipe.made());
    const std::vector<std::string> files = {file("good.ampora"), file("huge-number.ampora"),
                                            file("pipe.ampora"), file("not-utf8-\xff\xfe.ampora"),
                                            file(spoof.c_str()), file("formula.ampora")};
    for (const char* format : {"text", "json", "csv"}) {
        SCOPED_TRACE(format);
        std::vector<std::string> args = {"--format", format};
        args.insert(args.end(), files.begin(), files.end());
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(err, "");
        if (format == std::string_view("json")) {
            nlohmann::json j;
            ASSERT_NO_THROW(j = nlohmann::json::parse(out));
            ASSERT_EQ(j.size(), files.size());
            const char* status[] = {"ok", "error", "error", "error", "ok", "ok"};
            for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(j[i]["status"], status[i]) << i;
            EXPECT_EQ(j[1]["message"], "The file holds a number too large for the program: 1e309.");
            EXPECT_EQ(j[3]["file"], ValidUtf8(files[3]));
            EXPECT_EQ(j[4]["file"], files[4]);
        } else if (format == std::string_view("csv")) {
            EXPECT_EQ(ValidUtf8(out), out);
            // Records as a spreadsheet reads them: every one has the header's fields.
            std::vector<int> fields(1, 1);
            bool quoted = false;
            for (size_t i = 0; i < out.size(); ++i) {
                if (out[i] == '"')
                    quoted = !quoted;
                else if (!quoted && out[i] == ',')
                    ++fields.back();
                else if (!quoted && out.compare(i, 2, "\r\n") == 0 && i + 2 < out.size())
                    fields.push_back(1);
            }
            EXPECT_EQ(fields, std::vector<int>(files.size() + 1, fields[0]));
            EXPECT_NE(out.find(",\"'=HYPERLINK(\"\"x\"\")\x1b[2J\","), std::string::npos) << out;
        } else {
            EXPECT_EQ(out.find('\x1b'), std::string::npos);
            EXPECT_EQ(out.find("\nError: fake"), std::string::npos);
            EXPECT_NE(out.find("evil\\x1b]0;pwned\\x07\\x0aError: fake.ampora\n"),
                      std::string::npos);
            EXPECT_NE(out.find(files[3] + "\n  Error: Cannot read the design file: No such file"),
                      std::string::npos);
        }
        EXPECT_FALSE(pipe.waited());
    }
}

TEST_F(EvaluateCli, JsonHoldsTheWholeEvaluation) {
    Design lw = Example();
    lw.linkwitzF1 = 50;
    lw.linkwitzF2 = 25;
    ASSERT_FALSE(WriteDesignFile(file("lw.ampora"), lw));
    EXPECT_EQ(run({"--format", "json", file("lw.ampora"), file("weak.ampora")}), 1);
    const nlohmann::json j = nlohmann::json::parse(out);
    ASSERT_EQ(j.size(), 2u);
    const Evaluation e = Evaluate(lw);
    EXPECT_EQ(j[0]["status"], "ok");
    EXPECT_EQ(j[0]["texts"]["bassW"], "58.7");
    EXPECT_EQ(j[0]["powerW"]["bass"].get<double>(), e.power.pB);
    EXPECT_EQ(j[0]["linkwitz"]["boostDb"][0], 8);
    ASSERT_EQ(j[0]["bands"].size(), 31u);
    for (int i = 0; i < 31; ++i) {
        const auto& b = j[0]["bands"][size_t(i)];
        EXPECT_EQ(b["freqHz"], BandGrid[size_t(i)]);
        EXPECT_EQ(b["powerW"]["tweeter"].get<double>(), e.bands[size_t(i)].powerW[Tweeter]);
        EXPECT_EQ(b["gain"]["bass"].get<double>(), e.bands[size_t(i)].gain[Bass]);
    }
    EXPECT_EQ(j[0]["pads"]["midrange"]["seriesOhm"].get<double>(), 1.6);
    EXPECT_EQ(j[1]["status"], "stopped");
    EXPECT_EQ(j[1]["stop"], "tweeterTooWeak");
    EXPECT_EQ(j[1]["message"], "Sensitivity of tweeter is too low");
}

// The README's rated example in all three formats: the figures worked out
// by hand in tests/calc/PowerHandlingTest.cpp.
TEST_F(EvaluateCli, PowerHandlingInEveryFormat) {
    const std::string rated = AMPORA_SOURCE_DIR "/docs/three-way-rated.ampora";
    ASSERT_EQ(run({"--format", "csv", rated, file("good.ampora")}), 0);
    const std::string header = CsvHeader();
    EXPECT_TRUE(
        header.ends_with(",linkwitz_boost_db,limiting_driver,max_amp_w,max_spl_db,"
                         "bass_headroom_db,midrange_headroom_db,tweeter_headroom_db,"
                         "amp_sine_rating_w\r\n"));
    const size_t second = out.find("\r\n") + 2, third = out.find("\r\n", second) + 2;
    EXPECT_TRUE(out.substr(second, third - second)
                    .ends_with(",108,8,bass,170.5,110.3,2.3,4.5,4.9,1351.1\r\n"))
        << out;
    EXPECT_TRUE(out.substr(third).ends_with(",108,,,,,,,,\r\n")) << out;  // no ratings

    ASSERT_EQ(run({"--format", "json", rated}), 0);
    const nlohmann::json ph = nlohmann::json::parse(out)[0]["powerHandling"];
    EXPECT_EQ(ph["limitingDriver"], "bass");
    EXPECT_EQ(ph["drivers"]["tweeter"]["kind"], "iecDataSheet");
    EXPECT_DOUBLE_EQ(ph["drivers"]["tweeter"]["permissibleW"].get<double>(), 22.94);
    EXPECT_NEAR(ph["maxAmplifierW"].get<double>(), 170.495, 1e-3);
    EXPECT_NEAR(ph["maxSplDb"].get<double>(), 110.319, 1e-3);
    EXPECT_EQ(ph["resistors"][2]["suggestedW"], 25);
    EXPECT_EQ(ph["whatMovesTheLimit"]["follower"], "midrange");
    EXPECT_EQ(ph["whatMovesTheLimit"]["points"].size(), 11u);

    ASSERT_EQ(run({"--language", "eng", rated}), 0);
    for (const char* line :
         {"  Bass      58.7         100        in the driver           100  "
          "           58.7     2.3           limit\n",
          "  Tweeter   7.5          80         IEC data sheet 2000 Hz  22.94"
          "           32.6     4.9\n",
          "  Limiting driver: Bass\n", "  Maximum amplifier power, W: 170.5\n",
          "  Maximum SPL at 1 m, dB: 110.3\n", "Amplifier sine rating for the peaks, W: 1351.1\n",
          "Amplifier power needed, W: 158.4 (within the maximum)\n",
          "  Tweeter Rs     3     7       11.9               25\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << out;
}

}  // namespace
}  // namespace ampora::cli
