#pragma once
// The open and save dialogs of the commands that read and write the user's
// files, with a folder remembered per run between them.

#include <QString>

#include "kit/UserDialogs.h"

class QWidget;

namespace ampora::ui {

// Asks for a file; "" when the user cancelled. suggested is the name a save
// dialog proposes (joined to the remembered folder); filter in QFileDialog's
// form. The folder of a chosen file is remembered for the next dialog.
QString ChooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                   const QString& suggested, const QString& filter);

}  // namespace ampora::ui

namespace ampora::ui {

// Where the save dialog of an export (report, curve, picture) starts: the
// open design's folder, else the folder the last export went to (kept in the
// user folder's ampora.ini), else the run's remembered folder.
struct ExportPlace {
    QString designPath;  // "" when no design is open
    QString userFolder;  // ends with '/'
};

// name as a file name: characters that cannot stand in one (a slash would
// make a folder) and control characters become '_'; "" and "." and ".."
// become fallback.
QString FileNameFrom(const QString& name, const QString& fallback);
// The proposed file: the start folder joined to FileNameFrom(name) + suffix.
QString ExportStart(const ExportPlace& place, const QString& name, const QString& suffix);
// The save dialog of an export; "" when cancelled. The chosen folder is kept
// as the last export folder.
QString ChooseExportFile(QWidget* parent, const ExportPlace& place, const QString& caption,
                         const QString& name, const QString& suffix, const QString& filter);

}  // namespace ampora::ui
