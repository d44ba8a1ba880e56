#include "app/ui/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace ampora::ui {

namespace {
FileChooserHook& Hook() {
    static FileChooserHook hook;
    return hook;
}
QString& LastFolder() {
    static QString folder = QDir::homePath();
    return folder;
}
}  // namespace

void SetFileChooserHook(FileChooserHook hook) { Hook() = std::move(hook); }

QString ChooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                   const QString& suggested, const QString& filter) {
    const QString start = suggested.isEmpty() ? LastFolder() : QDir(LastFolder()).filePath(suggested);
    QString chosen;
    if (Hook())
        chosen = Hook()(kind, caption, start);
    else if (kind == FileChoice::Open)
        chosen = QFileDialog::getOpenFileName(parent, caption, start, filter);
    else
        chosen = QFileDialog::getSaveFileName(parent, caption, start, filter);
    if (!chosen.isEmpty()) LastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}

}  // namespace ampora::ui
