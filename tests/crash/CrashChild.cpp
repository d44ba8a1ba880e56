// The program as app/main.cpp starts it, in a given folder, ended the way a
// user ends it: one run for the crash-consistency test to kill at any moment.
// Arguments: the program folder (with a trailing '/') and the amplifier power
// to leave in its box, so that the settings written at the end tell this run
// from the one before. Prints "closing" right before the shut-down starts.

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "app/ui/MainWindow.h"
#include "app/ui/Startup.h"
#include "kit/UserDialogs.h"
#include "store/ProgramFolders.h"

namespace {

// Nobody is there to close a modal window: say what it showed and go on.
class ReportingDialogs final : public ampora::ui::NoDialogs {
public:
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    bool askRetry(QWidget*, const QString& text, const QString&, const QString&,
                  const QString&) override {
        std::fprintf(stderr, "question: %s\n", text.toUtf8().constData());
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER/ AMP-POWER\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    ampora::ui::SetWindowFont();
    ReportingDialogs dialogs;
    const ampora::ui::UseDialogs useDialogs(dialogs);

    const auto main = ampora::ui::StartMainWindow(ampora::ProgramFolders::Portable(argv[1]));
    if (main->terminationRequested()) return 1;
    const QString power = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(0, main.get(), [&main, power] {
        main->centralWidget()->findChild<QLineEdit*>(QStringLiteral("Edit9"))->setText(power);
        std::printf("closing\n");
        std::fflush(stdout);
        main->close();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
