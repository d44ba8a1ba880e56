// `ampora`: the commands that need no window run here, without loading any
// window library, so that a script calling it once per file stays fast. The
// window, Qt's own options and the PDF report go to the window program,
// which gets the same arguments and the folders chosen here.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Evaluate.h"
#include "cli/Report.h"
#include "store/ProgramFolders.h"

#ifndef AMPORA_WINDOW_FROM_BIN
#define AMPORA_WINDOW_FROM_BIN "../libexec/ampora/ampora-window"
#endif

namespace {

constexpr const char* WindowProgramName = "ampora-window";

ampora::ProgramFolders FoldersOfThisRun(const std::string& exeFolder) {
    return ampora::ChooseProgramFolders(
        exeFolder, ampora::UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
}

// Beside this executable in a build folder or a portable copy; in the
// install's libexec folder otherwise.
int StartWindowProgram(char* argv[]) {
    const std::string exeFolder = ampora::ExecutableFolder();
    std::string window = exeFolder + WindowProgramName;
    if (::access(window.c_str(), X_OK) != 0) window = exeFolder + AMPORA_WINDOW_FROM_BIN;
    ampora::PassProgramFolders(FoldersOfThisRun(exeFolder));
    ::execv(window.c_str(), argv);
    std::fprintf(stderr, "ampora: cannot start %s: %s\n", window.c_str(), std::strerror(errno));
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "evaluate") return ampora::cli::RunEvaluate(argc, argv, std::cout, std::cerr);
    if (command == "report") {
        const ampora::cli::ReportOptions o = ampora::cli::ParseReportOptions(argc, argv);
        // The PDF is drawn with the window library.
        if (!o.help && o.problem.empty() && o.kind == ampora::cli::ReportKind::Pdf)
            return StartWindowProgram(argv);
        return ampora::cli::RunReport(argc, argv, std::cout, std::cerr, {});
    }
    const ampora::CommandRequest request =
        ampora::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto status = ampora::AnswerCommandLine(
            request, [] { return FoldersOfThisRun(ampora::ExecutableFolder()); }))
        return *status;
    return StartWindowProgram(argv);
}
