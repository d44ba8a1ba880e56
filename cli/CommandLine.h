#pragma once
// The program's own options, read before any window or application object
// exists, so that --help and --version work without a display.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/ProgramFolders.h"

namespace ampora {

enum class CommandAction { RunWindows, Help, Version, Error };

struct CommandRequest {
    CommandAction action = CommandAction::RunWindows;
    std::string error;      // one line, for Error
    std::string file = {};  // RunWindows: the file to open in the window, "" for none
};

// args: the arguments after the program name. Qt's own options (-platform,
// -style, -display, -session, ...) are let through to Qt: session managers
// and users start Qt programs with them. One argument that is no option names
// a file for the window (a desktop's "Open with" gives one); a second is an
// error, since the window holds one design.
CommandRequest ParseCommandLine(const std::vector<std::string>& args);

// The exit status of a command line that cannot be understood.
inline constexpr int UsageExitStatus = 2;

std::string HelpText();
std::string VersionText(const ProgramFolders& folders);

// What the options answer by themselves: the error on stderr, the help or the
// version on stdout, and the exit status; nothing when the window is wanted.
// folders is asked only for the version.
std::optional<int> AnswerCommandLine(const CommandRequest& request,
                                     const std::function<ProgramFolders()>& folders);

}  // namespace ampora
