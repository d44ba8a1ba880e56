#pragma once
// The standard file dialog of the design commands, replaceable by tests.

#include <QString>
#include <functional>

class QWidget;

namespace ampora::ui {

// Asks for a design file to open (save false) or to write (save true),
// starting in folder; "" when the user cancelled.
using DesignDialogHook =
    std::function<QString(QWidget* parent, bool save, const QString& folder)>;
QString AskDesignFile(QWidget* parent, bool save, const QString& folder, const QString& caption,
                      const QString& filter);
void SetDesignDialogHook(DesignDialogHook hook);

}  // namespace ampora::ui
