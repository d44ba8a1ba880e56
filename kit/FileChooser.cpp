#include "kit/FileChooser.h"

#include <QDir>
#include <QFileInfo>

#include "kit/UserConfig.h"

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

QString FileNameFrom(const QString& name, const QString& fallback) {
    QString out = name.trimmed();
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (out.isEmpty() || out == QLatin1String(".") || out == QLatin1String("..")) return fallback;
    return out;
}

QString ExportStart(const ExportPlace& place, const QString& name, const QString& suffix) {
    QString folder;
    if (!place.designPath.isEmpty()) folder = QFileInfo(place.designPath).absolutePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = LastExportFolder(place.userFolder);
    if (folder.isEmpty()) folder = LastFolder();
    return QDir(folder).filePath(FileNameFrom(name, QStringLiteral("Ampora")) + suffix);
}

QString ChooseExportFile(QWidget* parent, const ExportPlace& place, const QString& caption,
                         const QString& name, const QString& suffix, const QString& filter) {
    const QString chosen = Dialogs().chooseFile(parent, FileChoice::Save, caption,
                                                ExportStart(place, name, suffix), filter);
    if (chosen.isEmpty()) return chosen;
    LastFolder() = QFileInfo(chosen).absolutePath();
    KeepLastExportFolder(place.userFolder, LastFolder());
    return chosen;
}

}  // namespace ampora::ui
