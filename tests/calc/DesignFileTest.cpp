#include "calc/DesignFile.h"

#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "tests/DiskFaults.h"
#include "tests/TempDir.h"

#include <sys/stat.h>
#include <unistd.h>

namespace ampora {
namespace {

using nlohmann::json;

Design Example() {
    Design d = testutil::WorkedExampleDesign();
    d.tweeter = {92.5, 6.3};
    return d;
}

struct RoundTrip {
    const char* name;
    std::function<void(Design&)> change;
};

class DesignRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(DesignRoundTrip, ReadsBackWhatWasWritten) {
    Design d = Example();
    GetParam().change(d);
    const DesignRead r = DecodeDesign(EncodeDesign(d));
    ASSERT_FALSE(r.problem) << DesignProblemText(r.problem, 1);
    ASSERT_TRUE(r.design);
    EXPECT_EQ(*r.design, d);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DesignRoundTrip,
    ::testing::Values(RoundTrip{"WorkedExample", [](Design&) {}},
                      RoundTrip{"NoMidrange", [](Design& d) { d.midOn = false; }},
                      RoundTrip{"LinkwitzOn",
                                [](Design& d) {
                                    d.linkwitzF1 = 50;
                                    d.linkwitzF2 = 25;
                                }},
                      RoundTrip{"OneLinkwitzFrequency", [](Design& d) { d.linkwitzF2 = 40; }},
                      RoundTrip{"EveryFilterType",
                                [](Design& d) {
                                    d.bassLowPass = {FilterType::None, 0, 250};
                                    d.midHighPass = {FilterType::Bessel, 1, 250};
                                    d.midLowPass = {FilterType::Linkwitz, 4, 2500};
                                    d.tweeterHighPass = {FilterType::Butterworth, 4, 2500};
                                }},
                      RoundTrip{"PowerRatings",
                                [](Design& d) {
                                    d.powerHandling.drivers = {DriverRating{100, {}}, std::nullopt,
                                                               DriverRating{12.5, 1800}};
                                    d.powerHandling.crestFactorDb = 6;
                                    d.powerHandling.targetSplDb = 104.5;
                                }},
                      RoundTrip{"OnlyACrestFactor",
                                [](Design& d) { d.powerHandling.crestFactorDb = 0; }},
                      RoundTrip{"CommaAndCyrillicName",
                                [](Design& d) {
                                    d.decimalSeparator = ',';
                                    d.spectrumName = "Шум розовый";
                                    d.spectrumLevels[0] = NoBandLevel;
                                    d.spectrumLevels[30] = -40;
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesignFile, ReadsOneDecimalAsTheBoxesHoldIt) {
    json j = json::parse(EncodeDesign(Example()));
    j["bass"]["sensitivityDb"] = 88.25;
    j["bass"]["impedanceOhm"] = 3.96;
    const DesignRead r = DecodeDesign(j.dump());
    ASSERT_TRUE(r.design);
    EXPECT_DOUBLE_EQ(r.design->bass.sensitivityDb, 88.2);
    EXPECT_DOUBLE_EQ(r.design->bass.impedanceOhm, 4.0);
}

TEST(DesignFile, OptionalPartsTakeTheirDefaults) {
    json j = json::parse(EncodeDesign(Example()));
    j.erase("linkwitz");
    j.erase("decimalSeparator");
    j["unknownField"] = "kept for a later minor addition";
    const DesignRead r = DecodeDesign(j.dump());
    ASSERT_TRUE(r.design) << DesignProblemText(r.problem, 1);
    EXPECT_FALSE(r.design->linkwitzF1);
    EXPECT_EQ(r.design->decimalSeparator, '.');
}

struct BadCase {
    const char* name;
    std::function<void(json&)> change;
    const char* english;
};

class DesignRefused : public ::testing::TestWithParam<BadCase> {};

TEST_P(DesignRefused, NamesTheProblem) {
    json j = json::parse(EncodeDesign(Example()));
    GetParam().change(j);
    const DesignRead r = DecodeDesign(j.dump());
    EXPECT_FALSE(r.design);
    EXPECT_EQ(DesignProblemText(r.problem, 1), GetParam().english);
    // Every language has its own sentence.
    EXPECT_NE(DesignProblemText(r.problem, 0), GetParam().english);
    EXPECT_NE(DesignProblemText(r.problem, 2), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DesignRefused,
    ::testing::Values(
        BadCase{"WrongFormat", [](json& j) { j["format"] = "other"; },
                "The file is not an Ampora design (\"format\" is not \"ampora-design\")."},
        BadCase{"NoFormat", [](json& j) { j.erase("format"); },
                "The file is not an Ampora design (\"format\" is not \"ampora-design\")."},
        BadCase{"NotAnObject",
                [](json& j) {
                    j = json::array({1, 2});
                },
                "The file is not an Ampora design (\"format\" is not \"ampora-design\")."},
        BadCase{"NewerVersion", [](json& j) { j["version"] = 3; },
                "The design was written by a newer version of the program (format version 3); "
                "this version reads versions 1 and 2."},
        BadCase{"VersionZero", [](json& j) { j["version"] = 0; },
                "The design file has no valid \"version\"."},
        BadCase{"VersionText", [](json& j) { j["version"] = "1"; },
                "The design file has no valid \"version\"."},
        BadCase{"BassImpedanceZero", [](json& j) { j["bass"]["impedanceOhm"] = 0; },
                "bass.impedanceOhm must be greater than zero."},
        BadCase{"TinyImpedanceRoundsToZero", [](json& j) { j["tweeter"]["impedanceOhm"] = 0.04; },
                "tweeter.impedanceOhm must be greater than zero."},
        BadCase{"MissingSensitivity", [](json& j) { j["midrange"].erase("sensitivityDb"); },
                "midrange.sensitivityDb is missing."},
        BadCase{"MissingTweeter", [](json& j) { j.erase("tweeter"); }, "tweeter is missing."},
        BadCase{"SensitivityText", [](json& j) { j["bass"]["sensitivityDb"] = "88"; },
                "bass.sensitivityDb must be a number."},
        BadCase{"SensitivityTooHigh", [](json& j) { j["bass"]["sensitivityDb"] = 250; },
                "bass.sensitivityDb must lie within 0 … 200."},
        BadCase{"PowerNegative", [](json& j) { j["amplifierPowerW"] = -5; },
                "amplifierPowerW must be greater than zero."},
        BadCase{"PowerFraction", [](json& j) { j["amplifierPowerW"] = 100.5; },
                "amplifierPowerW must be a whole number."},
        BadCase{"PowerBeyond32Bits", [](json& j) { j["amplifierPowerW"] = 5000000000u; },
                "amplifierPowerW must lie within -2147483648 … 2147483647."},
        BadCase{"CutZero", [](json& j) { j["midrange"]["lowPass"]["cutHz"] = 0; },
                "midrange.lowPass.cutHz must be greater than zero."},
        BadCase{"ThirtyLevels", [](json& j) { j["spectrum"]["levels"].erase(0); },
                "spectrum.levels must hold 31 levels, not 30."},
        BadCase{"LevelAboveTop", [](json& j) { j["spectrum"]["levels"][4] = 3; },
                "spectrum.levels[4] must lie within -100 … 0."},
        BadCase{"LongName", [](json& j) { j["spectrum"]["name"] = std::string(51, 'x'); },
                "spectrum.name is longer than 50 characters."},
        BadCase{"UnknownFilter", [](json& j) { j["bass"]["lowPass"]["type"] = "chebyshev"; },
                "bass.lowPass.type must be one of none, bessel, butterworth, linkwitz."},
        BadCase{"LinkwitzOrder3",
                [](json& j) {
                    j["tweeter"]["highPass"]["type"] = "linkwitz";
                    j["tweeter"]["highPass"]["order"] = 3;
                },
                "tweeter.highPass.order must be 1 to 4 for Bessel and Butterworth, 2 or 4 for "
                "Linkwitz."},
        BadCase{"EqualiseNumber", [](json& j) { j["midrange"]["equalise"] = 1; },
                "midrange.equalise must be true or false."},
        BadCase{"LinkwitzNegative",
                [](json& j) {
                    j["linkwitz"] = {{"f1Hz", -50}, {"f2Hz", 25}};
                },
                "linkwitz.f1Hz must lie within 0 … 20000."},
        BadCase{"Separator", [](json& j) { j["decimalSeparator"] = ";"; },
                "decimalSeparator must be \".\" or \",\"."},
        BadCase{"PowerHandlingNotAnObject", [](json& j) { j["powerHandling"] = 100; },
                "powerHandling must be an object {…}."},
        BadCase{"RatingNotAnObject",
                [](json& j) {
                    j["powerHandling"] = {{"bass", 100}};
                },
                "powerHandling.bass must be an object {…}."},
        BadCase{"RatingMissing", [](json& j) { j["powerHandling"]["midrange"] = json::object(); },
                "powerHandling.midrange.ratedW is missing."},
        BadCase{"RatingZero", [](json& j) { j["powerHandling"]["bass"]["ratedW"] = 0; },
                "powerHandling.bass.ratedW must be greater than zero."},
        BadCase{"RatingTooHigh", [](json& j) { j["powerHandling"]["tweeter"]["ratedW"] = 100001; },
                "powerHandling.tweeter.ratedW must lie within 0 … 100000."},
        BadCase{
            "IecOnTheMidrange",
            [](json& j) {
                j["powerHandling"]["midrange"] = {{"ratedW", 40}, {"iecCutHz", 2000}};
            },
            "powerHandling.midrange.iecCutHz: an IEC data-sheet rating is for the tweeter only."},
        BadCase{"IecCutFraction",
                [](json& j) {
                    j["powerHandling"]["tweeter"] = {{"ratedW", 40}, {"iecCutHz", 2000.5}};
                },
                "powerHandling.tweeter.iecCutHz must be a whole number."},
        BadCase{"IecCutZero",
                [](json& j) {
                    j["powerHandling"]["tweeter"] = {{"ratedW", 40}, {"iecCutHz", 0}};
                },
                "powerHandling.tweeter.iecCutHz must lie within 1 … 100000."},
        BadCase{"CrestFactorTooHigh", [](json& j) { j["powerHandling"]["crestFactorDb"] = 41; },
                "powerHandling.crestFactorDb must lie within 0 … 40."},
        BadCase{"TargetText", [](json& j) { j["powerHandling"]["targetSplDb"] = "loud"; },
                "powerHandling.targetSplDb must be a number."}),
    [](const auto& info) { return std::string(info.param.name); });

// Power ratings made version 2; a design without them is the version 1 file
// it always was, and re-saving changes no byte.
TEST(DesignFile, VersionOneUnlessThereArePowerRatings) {
    testutil::TempDir dir;
    const std::string path = dir.file("a.ampora");
    ASSERT_FALSE(WriteDesignFile(path, Example()));
    const std::string first = EncodeDesign(*ReadDesignFile(path).design);
    ASSERT_FALSE(WriteDesignFile(path, *ReadDesignFile(path).design));
    std::ifstream in(path);
    const std::string second((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    EXPECT_EQ(second, first);
    EXPECT_EQ(json::parse(second)["version"], 1);
    EXPECT_FALSE(json::parse(second).contains("powerHandling"));

    const DesignRead rated = ReadDesignFile(AMPORA_SOURCE_DIR "/docs/three-way-rated.ampora");
    ASSERT_TRUE(rated.design) << DesignProblemText(rated.problem, 1);
    const json j = json::parse(EncodeDesign(*rated.design));
    EXPECT_EQ(j["version"], 2);
    EXPECT_EQ(j["powerHandling"]["tweeter"], json({{"ratedW", 80}, {"iecCutHz", 2000}}));
    // The shape scripts write: a driver left out or null has no rating, the
    // crest factor defaults to 12 dB.
    json script = json::parse(EncodeDesign(Example()));
    script["powerHandling"] = {{"bass", nullptr}, {"tweeter", {{"ratedW", 10}}}};
    const DesignRead r = DecodeDesign(script.dump());
    ASSERT_TRUE(r.design) << DesignProblemText(r.problem, 1);
    EXPECT_FALSE(r.design->powerHandling.drivers[0]);
    EXPECT_EQ(r.design->powerHandling.drivers[2], (DriverRating{10, {}}));
    EXPECT_EQ(r.design->powerHandling.crestFactorDb, 12);
    EXPECT_FALSE(r.design->powerHandling.targetSplDb);
}

TEST(DesignFile, NameLengthCountsCharactersNotBytes) {
    json j = json::parse(EncodeDesign(Example()));
    std::string fifty;
    for (int i = 0; i < 50; ++i) fifty += "ш";
    j["spectrum"]["name"] = fifty;
    EXPECT_TRUE(DecodeDesign(j.dump()).design);
}

TEST(DesignFile, RefusesWhatIsNotJson) {
    for (const char* text : {"", "not json", "{\"format\": \"ampora-design\",", "\xff\xfe{}",
                             "{\"format\": \"ampora-design\", \"version\": 1, \"spectrum\": "
                             "{\"name\": \"\xc3\x28\"}}"}) {
        SCOPED_TRACE(text);
        const DesignRead r = DecodeDesign(text);
        EXPECT_FALSE(r.design);
        EXPECT_EQ(r.problem.issue, DesignIssue::NotJson);
        EXPECT_NE(DesignProblemText(r.problem, 1).find("is not JSON (byte "), std::string::npos);
    }
}

TEST(DesignFile, DeepNestingIsRefusedNotACrash) {
    const std::string deep(200000, '[');
    EXPECT_EQ(DecodeDesign(deep).problem.issue, DesignIssue::NotJson);
    EXPECT_EQ(DecodeDesign(deep + std::string(200000, ']')).problem.issue,
              DesignIssue::WrongFormat);
}

TEST(DesignFile, WritesAndReadsAFile) {
    testutil::TempDir dir;
    const std::string path = dir.file("a.ampora");
    Design d = Example();
    d.spectrumName = "Рок";
    ASSERT_FALSE(WriteDesignFile(path, d));
    const DesignRead r = ReadDesignFile(path);
    ASSERT_TRUE(r.design) << DesignProblemText(r.problem, 1);
    EXPECT_EQ(*r.design, d);
    // Nothing but the file itself is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST(DesignFile, NeverWritesWhatItCouldNotReadBack) {
    testutil::TempDir dir;
    const std::string path = dir.file("a.ampora");
    ASSERT_FALSE(WriteDesignFile(path, Example()));
    Design bad = Example();
    bad.bass.impedanceOhm = 0;
    const DesignProblem p = WriteDesignFile(path, bad);
    EXPECT_EQ(DesignProblemText(p, 1), "bass.impedanceOhm must be greater than zero.");
    EXPECT_EQ(*ReadDesignFile(path).design, Example());  // the earlier file stays whole
}

TEST(DesignFile, RefusesMissingAndHugeFiles) {
    testutil::TempDir dir;
    const DesignRead missing = ReadDesignFile(dir.file("none.ampora"));
    EXPECT_EQ(missing.problem.issue, DesignIssue::CannotRead);
    EXPECT_EQ(DesignProblemText(missing.problem, 1),
              "Cannot read the design file: No such file or directory");

    const std::string huge = dir.file("huge.ampora");
    std::ofstream(huge) << EncodeDesign(Example());
    std::filesystem::resize_file(huge, 100u * 1024 * 1024);  // sparse: no 100 MB written
    EXPECT_EQ(DesignProblemText(ReadDesignFile(huge).problem, 1),
              "The file is too large to be a design (over 1 MB).");

    EXPECT_EQ(WriteDesignFile(dir.file("no/such/folder/a.ampora"), Example()).issue,
              DesignIssue::CannotWrite);
}

// The JSON reader throws more than parse errors: a number beyond a double is
// one of them, also in a field the program ignores.
TEST(DesignFile, NumbersBeyondADoubleAreRefusedNotACrash) {
    const std::string text = EncodeDesign(Example());
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        const char* name;
        std::string text;
        const char* english;
    } rows[] = {
        {"IgnoredField", with("\"version\": 1,", "\"version\": 1, \"note\": 1e309,"),
         "The file holds a number too large for the program: 1e309."},
        {"Sensitivity", with("\"sensitivityDb\": 88", "\"sensitivityDb\": -1E400"),
         "The file holds a number too large for the program: -1E400."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        DesignRead d;
        EXPECT_NO_THROW(d = DecodeDesign(r.text));
        EXPECT_FALSE(d.design);
        EXPECT_EQ(DesignProblemText(d.problem, 1), r.english);
    }
}

// Reading and writing a design go through store/SafeFile: what lies at the
// file's place is respected, and a pipe never makes the reader wait.
TEST(DesignFile, ReadsAndWritesThroughTheSafeFileFunctions) {
    testutil::TempDir dir;
    namespace fs = std::filesystem;
    const std::string path = dir.file("a.ampora");
    Design changed = Example();
    changed.ampPowerW = 50;

    ASSERT_FALSE(WriteDesignFile(path, Example()));
    fs::permissions(path, fs::perms(0444));
    EXPECT_EQ(DesignProblemText(WriteDesignFile(path, changed), 1),
              "Cannot write the design file: The file is read-only");
    EXPECT_EQ(*ReadDesignFile(path).design, Example());
    fs::permissions(path, fs::perms(0644));

    fs::create_symlink(path, dir.path() / "link.ampora");
    ASSERT_FALSE(WriteDesignFile(dir.file("link.ampora"), changed));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ampora"));
    EXPECT_EQ(ReadDesignFile(path).design->ampPowerW, 50);

    // A link at the name a temporary file once had is not followed.
    std::ofstream(dir.file("victim")) << "victim";
    fs::create_symlink(dir.file("victim"), path + ".tmp-" + std::to_string(::getpid()));
    ASSERT_FALSE(WriteDesignFile(path, Example()));
    std::ifstream victim(dir.file("victim"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "victim");

    const testutil::NamedPipe pipe(dir.file("pipe.ampora"));
    ASSERT_TRUE(pipe.made());
    EXPECT_EQ(DesignProblemText(ReadDesignFile(pipe.path()).problem, 1),
              "Cannot read the design file: It is not a regular file (a folder, pipe or device)");
    EXPECT_FALSE(pipe.waited());
}

// A file handed to the window is a design by its name or by its text; what
// is neither goes to the spectrum import, which names its own problem.
TEST(DesignFile, RecognisesADesignByNameOrText) {
    testutil::TempDir dir;
    const std::string design = EncodeDesign(Example());
    const struct {
        const char* name;
        const char* file;  // nullptr: no such file
        std::string text;
        bool isDesign;
    } cases[] = {
        {"Named", "a.ampora", design, true},
        {"NamedInCapitals", "B.AMPORA", design, true},
        {"NamedButBroken", "c.ampora", "not a design", true},
        {"NamedButMissing", nullptr, {}, true},
        {"UnnamedDesign", "three-way", design, true},
        {"DesignAsJson", "d.json", R"({"version":1,"format":"ampora-design"})", true},
        {"Spectrum", "rta.txt", "20 -3.5\n25 -2\n", false},
        {"OtherJson", "e.json", R"({"format":"something-else"})", false},
        {"FormatNotAtTheTop", "f.json", R"({"a":{"format":"ampora-design"}})", false},
        {"NotJson", "g", "\"format\": \"ampora-design\"", false},
        {"UnnamedMissing", nullptr, {}, false},
    };
    for (const auto& c : cases) {
        std::string path = dir.file(c.name);
        if (c.file) {
            path = dir.file(c.file);
            std::ofstream(path) << c.text;
        } else if (c.isDesign) {
            path += ".ampora";
        }
        EXPECT_EQ(IsDesignFile(path), c.isDesign) << c.name;
    }
}

}  // namespace
}  // namespace ampora
