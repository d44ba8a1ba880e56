// Ampora: the three windows, created in a fixed order, then the message loop.

#include <QApplication>
#include <QFont>
#include <iostream>
#include <string_view>

#include "app/ui/AboutWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ReportWriter.h"
#include "cli/Evaluate.h"
#include "iec/ui/IecWindow.h"

int main(int argc, char* argv[]) {
    if (argc > 1 && std::string_view(argv[1]) == "evaluate") return ampora::cli::RunEvaluate(argc, argv, std::cout, std::cerr);
    if (argc > 1 && std::string_view(argv[1]) == "report") return ampora::ui::RunReportCommand(argc, argv);
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    ampora::ui::TF_Main main(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    auto* iec = new ampora::ui::TF_IecGost(&main);
    auto* about = new ampora::ui::TF_About(&main);
    main.setWindows(iec, about);
    if (main.terminationRequested()) return 1;
    main.show();
    main.activateWindow();
    return QApplication::exec();
}
