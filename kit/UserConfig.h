#pragma once
// The per-user configuration file: values the program keeps between runs
// beside the curves (the user folder), apart from the curve file's settings
// record, whose fields are fixed.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace ampora::ui {

inline constexpr const char* UserConfigFileName = "ampora.ini";

// userFolder ends with '/' (TF_Main::UserFolder). Nothing is written until a
// value is set.
std::unique_ptr<QSettings> OpenUserConfig(const QString& userFolder);

// --- recent design files and the sizes of the non-modal windows

inline constexpr int RecentFilesKept = 8;

// The recent list after path was opened or saved: path first, no other entry
// for the same file, at most RecentFilesKept entries.
QStringList RecentFilesWith(QStringList recent, const QString& path);
// The files of the list that still exist, newest first; the ones gone are
// dropped from the file too.
QStringList ReadRecentFiles(QSettings& config);
void WriteRecentFiles(QSettings& config, const QStringList& recent);

// window keeps the size the user last left it at between runs, under key:
// the stored size replaces the built-in one when the window is first shown,
// and the size it has when hidden or destroyed is written back.
void KeepWindowSize(QWidget* window, const QString& userFolder, const QString& key);

// --- the folder the last export went to (reports, curves, pictures)
// "" when none was kept or it no longer exists.
QString LastExportFolder(const QString& userFolder);
void KeepLastExportFolder(const QString& userFolder, const QString& folder);

}  // namespace ampora::ui
