#pragma once
// The file dialog of the design commands.

#include <QString>

class QWidget;

namespace ampora::ui {

// Asks for a design file to open (save false) or to write (save true),
// starting in folder; "" when the user cancelled. A file to write gets the
// design extension when it has none.
QString AskDesignFile(QWidget* parent, bool save, const QString& folder, const QString& caption,
                      const QString& filter);

}  // namespace ampora::ui
