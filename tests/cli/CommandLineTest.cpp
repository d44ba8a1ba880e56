#include "cli/CommandLine.h"

#include <gtest/gtest.h>

using namespace ampora;

namespace {

struct ArgsCase {
    const char* name;
    std::vector<std::string> args;
    CommandAction action;
    const char* errorPart;  // part of the one-line error, for Error
    const char* file = "";  // the file for the window, for RunWindows
};

const ArgsCase ArgsCases[] = {
    {"NoArgumentsOpensTheWindows", {}, CommandAction::RunWindows, ""},
    {"Help", {"--help"}, CommandAction::Help, ""},
    {"ShortHelp", {"-h"}, CommandAction::Help, ""},
    {"Version", {"--version"}, CommandAction::Version, ""},
    {"HelpWinsOverVersion", {"--version", "--help"}, CommandAction::Help, ""},
    {"UnknownLongOption", {"--verbose"}, CommandAction::Error, "unknown option '--verbose'"},
    {"UnknownShortOption", {"-x"}, CommandAction::Error, "unknown option '-x'"},
    {"VersionIsNotShortV", {"-v"}, CommandAction::Error, "unknown option '-v'"},
    {"HelpWithAValue", {"--help=1"}, CommandAction::Error, "unknown option '--help=1'"},
    {"UnknownAfterHelpStillFails", {"--help", "--bogus"}, CommandAction::Error, "'--bogus'"},
    {"UnknownAfterAQtOption",
     {"-platform", "offscreen", "--bogus"},
     CommandAction::Error,
     "'--bogus'"},
    // One file for the window, wherever it stands among Qt's options.
    {"FileToOpen", {"/home/u/a b.ampora"}, CommandAction::RunWindows, "", "/home/u/a b.ampora"},
    {"FileAmongQtOptions",
     {"-style", "fusion", "rta.txt", "-reverse"},
     CommandAction::RunWindows,
     "",
     "rta.txt"},
    {"SecondFile", {"a.ampora", "print"}, CommandAction::Error, "unexpected argument 'print'"},
    {"FileThenUnknownOption", {"a.ampora", "--bogus"}, CommandAction::Error, "'--bogus'"},
    {"LoneDash", {"-"}, CommandAction::Error, "unexpected argument '-'"},
    {"EmptyArgument", {""}, CommandAction::Error, "unexpected argument ''"},
    // Qt's own options go through to Qt, with their values.
    {"QtPlatform", {"-platform", "offscreen"}, CommandAction::RunWindows, ""},
    {"QtPlatformTwoDashes", {"--platform", "offscreen"}, CommandAction::RunWindows, ""},
    {"QtStyleInline", {"-style=fusion"}, CommandAction::RunWindows, ""},
    {"SessionRestore", {"-session", "10d2e3_1"}, CommandAction::RunWindows, ""},
    {"QtSwitch", {"-reverse"}, CommandAction::RunWindows, ""},
    {"QtSwitchTakesNoValue", {"-reverse=1"}, CommandAction::Error, "unknown option '-reverse=1'"},
    {"QtValueMissing", {"-display"}, CommandAction::Error, "option '-display' needs a value"},
    // A value that looks like an option is still the option's value.
    {"QtValueLooksLikeOption", {"-qwindowtitle", "--help"}, CommandAction::RunWindows, ""},
    {"HelpAfterQtOptions", {"-platform", "xcb", "--help"}, CommandAction::Help, ""},
    {"QtOptionPrefixIsNotEnough", {"-plat", "x"}, CommandAction::Error, "unknown option '-plat'"},
};

class CommandLineArgs : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(CommandLineArgs, Action) {
    const ArgsCase& c = GetParam();
    const CommandRequest r = ParseCommandLine(c.args);
    EXPECT_EQ(r.action, c.action);
    if (c.action == CommandAction::Error) {
        EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << r.error;
        EXPECT_EQ(r.error.rfind("ampora: ", 0), 0u) << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << "one line: " << r.error;
    } else {
        EXPECT_TRUE(r.error.empty());
    }
    EXPECT_EQ(r.file, c.action == CommandAction::RunWindows ? c.file : "");
}

INSTANTIATE_TEST_SUITE_P(CommandLine, CommandLineArgs, ::testing::ValuesIn(ArgsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, HelpNamesEveryOptionAndCommand) {
    const std::string help = HelpText();
    for (const char* part :
         {"--help", "--version", "-h,",
          "ampora evaluate [--format text|json|csv] [--language rus|eng|bel] FILE...",
          "ampora report [--language rus|eng|bel] FILE.ampora -o OUT.pdf|OUT.csv", "[FILE]",
          "Commands:"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
    // Printed on a terminal: no line wider than 80 columns, plain ASCII.
    size_t start = 0;
    while (start < help.size()) {
        const size_t end = help.find('\n', start);
        EXPECT_LE((end == std::string::npos ? help.size() : end) - start, 80u)
            << help.substr(start, end - start);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (const char ch : help) EXPECT_LT(static_cast<unsigned char>(ch), 0x80u);
}

struct VersionCase {
    const char* name;
    ProgramFolders folders;
    const char* modeLine;
    const char* dataLine;
    const char* userLine;
};

const VersionCase VersionCases[] = {
    {"Portable", ProgramFolders::Portable("/opt/ampora"), "Mode: portable\n",
     "Program files: /opt/ampora/\n", "Curves and settings: /opt/ampora/\n"},
    {"Installed",
     {FolderMode::Installed, "/usr/bin/", "/usr/share/ampora/", "/home/u/.local/share/ampora/"},
     "Mode: installed\n",
     "Program files: /usr/share/ampora/\n",
     "Curves and settings: /home/u/.local/share/ampora/\n"},
};

class CommandLineVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(CommandLineVersion, ShowsTheModeAndBothFolders) {
    const VersionCase& c = GetParam();
    const std::string text = VersionText(c.folders);
    EXPECT_EQ(text.rfind("Ampora 1.", 0), 0u) << text;
    for (const char* line : {c.modeLine, c.dataLine, c.userLine})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

INSTANTIATE_TEST_SUITE_P(CommandLine, CommandLineVersion, ::testing::ValuesIn(VersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
