#pragma once
// What a desktop user expects of the keyboard in every window: the standard
// shortcuts, a mnemonic in every menu caption, Esc to close a window that
// stands beside the main window.

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ampora::ui {

// The platform's keys for a standard command, with the one every Linux
// desktop knows added when the platform's list lacks it (the keyboard scheme
// without a desktop has no Save as or Quit).
void SetStandardShortcut(QAction* action, QKeySequence::StandardKey key, const QKeySequence& usual);

// Gives each visible item of one menu (or of the menu bar) a mnemonic: the
// first letter of its caption that no earlier item of the same menu took.
// The caption stays as it was: only the '&' is added (a literal '&' is
// doubled), and captions set again are marked again.
void AssignMnemonics(const QList<QAction*>& items);
// The caption as it reads on screen and to a screen reader: without the
// mnemonic's '&'.
QString WithoutMnemonic(const QString& caption);
// The items of menu get their mnemonics whenever it opens, so captions set
// later by any feature get them too; its submenus likewise.
void KeepMnemonics(QMenu* menu);

// Esc closes window (a window of its own, not modal).
void CloseOnEscape(QWidget* window);
// A screen reader announces w as a window (a plain widget with the window
// flag is announced as a client area otherwise).
void AnnounceAsWindow(QWidget* w);

}  // namespace ampora::ui
