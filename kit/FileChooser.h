#pragma once
// The standard open and save dialogs behind one function each, so that tests
// can answer them, and a folder remembered per run between the commands
// that read and write the user's files.

#include <QString>
#include <functional>

class QWidget;

namespace ampora::ui {

enum class FileChoice { Open, Save };

// Asks for a file; "" when the user cancelled. suggested is the name a save
// dialog proposes (joined to the remembered folder); filter in QFileDialog's
// form. The folder of a chosen file is remembered for the next dialog.
QString ChooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                   const QString& suggested, const QString& filter);

using FileChooserHook = std::function<QString(FileChoice kind, const QString& caption,
                                              const QString& suggested)>;
void SetFileChooserHook(FileChooserHook hook);

}  // namespace ampora::ui
