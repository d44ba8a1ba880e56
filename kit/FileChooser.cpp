#include "kit/FileChooser.h"

#include <QDir>
#include <QFileInfo>

namespace ampora::ui {

namespace {
QString& LastFolder() {
    static QString folder = QDir::homePath();
    return folder;
}
}  // namespace

QString ChooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                   const QString& suggested, const QString& filter) {
    const QString start =
        suggested.isEmpty() ? LastFolder() : QDir(LastFolder()).filePath(suggested);
    const QString chosen = Dialogs().chooseFile(parent, kind, caption, start, filter);
    if (!chosen.isEmpty()) LastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}

}  // namespace ampora::ui
