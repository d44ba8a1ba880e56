// The window program: the main window and the message loop; and the PDF
// report, which needs the window library to draw. `ampora` (cli/main.cpp)
// starts it with the user's arguments and the folders it chose; the checks of
// the command line are repeated here for a start without it, and give the
// file to open once the window is shown.

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/ui/GivenFiles.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ReportWriter.h"
#include "app/ui/Startup.h"
#include "cli/CommandLine.h"
#include "kit/Termination.h"
#include "store/ProgramFolders.h"

namespace {

// Needs an application object: without `ampora`'s choice, the executable's
// folder and the desktop's per-user data folder come from Qt.
ampora::ProgramFolders FoldersOfThisRun() {
    QCoreApplication::setApplicationName(QStringLiteral("ampora"));
    if (const auto passed = ampora::PassedProgramFolders()) return *passed;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return ampora::ChooseProgramFolders(QCoreApplication::applicationDirPath().toStdString(),
                                        user.toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
    // The PDF makes an offscreen application of its own.
    if (argc > 1 && std::string_view(argv[1]) == "report")
        return ampora::ui::RunReportCommand(argc, argv);
    const ampora::CommandRequest request =
        ampora::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    // The folders need an application object (Qt's per-user data folder).
    if (const auto status = ampora::AnswerCommandLine(request, [&] {
            QCoreApplication core(argc, argv);
            return FoldersOfThisRun();
        }))
        return *status;

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(AMPORA_APP_ID));
    ampora::ui::SetWindowFont();

    const ampora::ProgramFolders folders = FoldersOfThisRun();
    ampora::PrepareUserFolder(folders);
    const auto main =
        ampora::ui::StartMainWindow(folders, ampora::ui::Start::Shown, [](ampora::ui::TF_Main& m) {
            ampora::ui::CloseOnTerminationSignals(&m, [&m] { m.endWithoutQuestions(); });
        });
    if (main->terminationRequested()) return 1;
    // A file that cannot be opened is said in a message; the window stays.
    if (!request.file.empty())
        ampora::ui::OpenGivenFileSoon(*main, QFile::decodeName(request.file.c_str()));
    return QApplication::exec();
}
