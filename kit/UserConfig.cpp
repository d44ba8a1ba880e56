#include "kit/UserConfig.h"

#include <QFileInfo>

namespace ampora::ui {

std::unique_ptr<QSettings> OpenUserConfig(const QString& userFolder) {
    return std::make_unique<QSettings>(userFolder + QLatin1String(UserConfigFileName),
                                       QSettings::IniFormat);
}

}  // namespace ampora::ui

namespace ampora::ui {

namespace {
const QString ExportFolderKey = QStringLiteral("export/lastFolder");
}

QString LastExportFolder(const QString& userFolder) {
    const QString folder = OpenUserConfig(userFolder)->value(ExportFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void KeepLastExportFolder(const QString& userFolder, const QString& folder) {
    auto config = OpenUserConfig(userFolder);
    if (config->value(ExportFolderKey).toString() != folder)
        config->setValue(ExportFolderKey, folder);
}

}  // namespace ampora::ui
