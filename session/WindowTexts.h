#pragma once
// The text table's captions and hints put on one window's controls. Each
// window applies its own rows when it is made and after every language
// switch, so a window made late shows the language chosen before it.

#include <QHash>
#include <QString>

#include "i18n/Language.h"
#include "i18n/TextTable.h"

class QAction;
class QWidget;

namespace ampora::ui {

// A row addresses a control of its own window by name (the IEC tool and the
// About box are children of the main window and reuse names like
// "GroupBox1"); a row without a name sets the window's title. Menu items are
// found in menuItems.
void ApplyTexts(ampora::Table& texts, Language language, TextWindow which, QWidget* window,
                const QHash<QString, QAction*>& menuItems = {});

// The controls of window by name, not those of a window inside it; of two
// with one name the first found, as QObject::findChild finds it.
QHash<QString, QWidget*> OwnControls(const QWidget* window);
QWidget* OwnControl(const QWidget* window, const QString& name);

}  // namespace ampora::ui
