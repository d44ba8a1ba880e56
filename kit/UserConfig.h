#pragma once
// The per-user configuration file: values the program keeps between runs
// beside the curves (the user folder), apart from the curve file's settings
// record, whose fields are fixed.

#include <QSettings>
#include <QString>
#include <memory>

namespace ampora::ui {

inline constexpr const char* UserConfigFileName = "ampora.ini";

// userFolder ends with '/' (TF_Main::UserFolder). Nothing is written until a
// value is set.
std::unique_ptr<QSettings> OpenUserConfig(const QString& userFolder);

}  // namespace ampora::ui

namespace ampora::ui {

// --- the folder the last export went to (reports, curves, pictures)
// "" when none was kept or it no longer exists.
QString LastExportFolder(const QString& userFolder);
void KeepLastExportFolder(const QString& userFolder, const QString& folder);

}  // namespace ampora::ui
