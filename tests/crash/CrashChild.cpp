// The program as app/main.cpp starts it, in a given folder, ended the way a
// user ends it: one run for the crash-consistency test to kill at any moment.
// Arguments: the program folder (with a trailing '/') and the amplifier power
// to leave in its box, so that the settings written at the end tell this run
// from the one before. Prints "closing" right before the shut-down starts.

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "app/ui/AboutWindow.h"
#include "kit/UserDialogs.h"
#include "app/ui/MainWindow.h"
#include "iec/ui/IecWindow.h"

namespace {

// Nobody is there to close a modal window: say what it showed and go on.
class ReportingDialogs final : public ampora::ui::UserDialogs {
public:
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    bool askRetry(QWidget*, const QString& text, const QString&, const QString&,
                  const QString&) override {
        std::fprintf(stderr, "question: %s\n", text.toUtf8().constData());
        return false;
    }
    bool print(QWidget*) override { return false; }
    bool help(QWidget*, const QString&) override { return false; }
    QString chooseFile(QWidget*, ampora::ui::FileChoice, const QString&, const QString&,
                       const QString&) override {
        return {};
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER/ AMP-POWER\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    ReportingDialogs dialogs;
    const ampora::ui::UseDialogs useDialogs(dialogs);

    ampora::ui::TF_Main main(QString::fromLocal8Bit(argv[1]));
    auto* iec = new ampora::ui::TF_IecGost(&main);
    auto* about = new ampora::ui::TF_About(&main);
    main.setWindows(iec, about);
    if (main.terminationRequested()) return 1;
    main.show();
    main.activateWindow();
    const QString power = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(0, &main, [&main, power] {
        main.edit(9)->setText(power);
        std::printf("closing\n");
        std::fflush(stdout);
        main.close();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
