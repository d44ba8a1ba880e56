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
