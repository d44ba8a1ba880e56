#pragma once
// The few places where the program's event behaviour differs from Qt's
// defaults, kept in one spot so every window behaves the same way.

#include <QEvent>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace ampora::ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline QString Q(const char* s) { return QString::fromUtf8(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// Index of the item whose text equals the shown text, -1 when none does.
int ItemIndex(const QComboBox* box);
// Selects an item without running any change handler; -1 empties the text.
void SetItemIndex(QComboBox* box, int index);
// An editable drop-down list that never adds typed text as an item.
void MakeEditableList(QComboBox* box, const QStringList& items);

// The user's decimal separator, read once.
char DecimalSeparator();
// Tests pin the separator.
void SetDecimalSeparator(char sep);

// The modal windows go to the dialogs of the run (kit/UserDialogs.h), which
// tests replace.
// One modal message box with the text alone.
void ShowMessage(QWidget* parent, const QString& text);
// The print dialog: returns true when the user confirmed and the widget's
// image was sent to the printer.
bool PrintWindow(QWidget* window);

// Calls a handler for one event type on one object (focus in/out, key or mouse
// release). The handler's return value says whether the event is consumed.
void OnEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler);

// Enter/Exit handlers (FocusIn/FocusOut) that run only when the user moves the
// focus between controls. Qt also sends these events when a drop-down list
// opens or closes and when the window loses or regains the activation; a
// handler run then would see the box in the middle of a pick.
void OnFocusMove(QObject* target, QEvent::Type type, std::function<void()> handler);

// Enter released in target. Qt hands a key release to whichever widget has
// the focus then, so a message box closed by the Enter press would leave the
// release to the box behind it, which would start the same message again:
// the handler runs only when target also received the press, never on
// auto-repeat.
void OnEnterReleased(QObject* target, std::function<void()> handler);

// Can the user reach w with Tab: shown, enabled, taking tab focus and not lying
// under another control of its window.
bool TakesTabFocus(const QWidget* w);
// Is the middle of w under a later (higher) sibling of w or of one of its
// ancestors inside its window.
bool IsCovered(const QWidget* w);

// A modal question after a failure: text says what failed, question what the
// user may do; returns true for retryCaption, false for giveUpCaption.
bool AskRetry(QWidget* parent, const QString& text, const QString& question,
              const QString& retryCaption, const QString& giveUpCaption);

}  // namespace ampora::ui
