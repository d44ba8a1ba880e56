#include "cli/CommandLine.h"

#include <array>
#include <cstdio>
#include <string_view>

#ifndef AMPORA_VERSION
#define AMPORA_VERSION "1.0"
#endif

namespace ampora {
namespace {

struct QtOption {
    std::string_view name;  // without the leading dashes
    bool takesValue;
};

// The options QGuiApplication and QApplication consume themselves.
constexpr std::array<QtOption, 16> QtOptions = {{
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"geometry", true},
    {"title", true},
    {"display", true},
    {"name", true},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    {"reverse", false},
    {"widgetcount", false},
}};

const QtOption* FindQtOption(std::string_view name) {
    for (const QtOption& o : QtOptions)
        if (o.name == name) return &o;
    return nullptr;
}

CommandRequest Error(const std::string& what) {
    return {CommandAction::Error, "ampora: " + what + " (see 'ampora --help')"};
}

}  // namespace

CommandRequest ParseCommandLine(const std::vector<std::string>& args) {
    bool help = false;
    bool version = false;
    std::string file;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            help = true;
            continue;
        }
        if (a == "--version") {
            version = true;
            continue;
        }
        if (a.size() < 2 || a[0] != '-') {
            // "-" would be the standard input, which the window cannot read.
            if (!file.empty() || a.empty() || a == "-")
                return Error("unexpected argument '" + a + "'");
            file = a;
            continue;
        }
        // Qt reads its options with one dash or two, and "-style=fusion" too.
        std::string_view name(a);
        name.remove_prefix(name.starts_with("--") ? 2 : 1);
        const size_t eq = name.find('=');
        const bool inlineValue = eq != std::string_view::npos;
        if (inlineValue) name = name.substr(0, eq);
        const QtOption* q = FindQtOption(name);
        if (!q || (inlineValue && !q->takesValue)) return Error("unknown option '" + a + "'");
        if (q->takesValue && !inlineValue) {
            if (i + 1 >= args.size()) return Error("option '" + a + "' needs a value");
            ++i;
        }
    }
    if (help) return {CommandAction::Help, {}};
    if (version) return {CommandAction::Version, {}};
    return {CommandAction::RunWindows, {}, file};
}

std::string HelpText() {
    return "Usage: ampora [OPTION]... [FILE]\n"
           "       ampora COMMAND [ARGUMENT]...\n"
           "\n"
           "Ampora shows how much of an amplifier's power each driver of a two- or\n"
           "three-way loudspeaker receives for a given programme spectrum and crossover,\n"
           "the L-pads that level the drivers, and how loud the loudspeaker plays.\n"
           "Without a command it opens the main window: with a design file (.ampora)\n"
           "as FILE it opens the design, with any other file it imports the file as a\n"
           "measured spectrum.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this help and exit\n"
           "      --version  print the version, the mode (portable or installed) and the\n"
           "                 folders of the program's files and of your curves, and exit\n"
           "\n"
           "Commands:\n"
           "  ampora evaluate [--format text|json|csv] [--language rus|eng|bel] FILE...\n"
           "  ampora report [--language rus|eng|bel] FILE.ampora -o OUT.pdf|OUT.csv\n"
           "\n"
           "Qt's own options (-platform, -style, -display, -session and the like) are\n"
           "passed on to Qt.\n"
           "\n"
           "Files:\n"
           "  A portable copy keeps everything beside the executable. An installed one\n"
           "  reads Menu.cds and the help files from its share/ampora folder and keeps\n"
           "  your curves and settings (Curves.cds) in your own data folder, usually\n"
           "  ~/.local/share/ampora; 'ampora --version' shows where.\n"
           "\n"
           "Exit status: 0 on success; 1 when evaluate or report met a design that\n"
           "stopped; 2 when the command line cannot be understood, a design file is\n"
           "refused or an output cannot be written.\n"
           "See 'man ampora' for the design file format.\n";
}

std::string VersionText(const ProgramFolders& folders) {
    return std::string("Ampora " AMPORA_VERSION "\n") + "Mode: " + FolderModeName(folders.mode) +
           "\n" + "Program files: " + folders.data + "\n" + "Curves and settings: " + folders.user +
           "\n";
}

std::optional<int> AnswerCommandLine(const CommandRequest& request,
                                     const std::function<ProgramFolders()>& folders) {
    switch (request.action) {
        case CommandAction::Error:
            std::fprintf(stderr, "%s\n", request.error.c_str());
            return UsageExitStatus;
        case CommandAction::Help: std::fputs(HelpText().c_str(), stdout); return 0;
        case CommandAction::Version: std::fputs(VersionText(folders()).c_str(), stdout); return 0;
        case CommandAction::RunWindows: break;
    }
    return std::nullopt;
}

}  // namespace ampora
