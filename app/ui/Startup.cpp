#include "app/ui/Startup.h"

#include <QApplication>
#include <QFont>

#include "app/ui/MainWindow.h"
#include "store/ProgramFolders.h"

namespace ampora::ui {

void SetWindowFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

std::unique_ptr<TF_Main> StartMainWindow(const ProgramFolders& folders, Start start,
                                         const std::function<void(TF_Main&)>& beforeShow) {
    auto main = std::make_unique<TF_Main>(folders);
    if (main->terminationRequested()) return main;
    if (beforeShow) beforeShow(*main);
    if (start == Start::Shown) {
        main->show();
        main->activateWindow();
    }
    return main;
}

}  // namespace ampora::ui
