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

// One modal message box with the text alone. Tests replace it.
void ShowMessage(QWidget* parent, const QString& text);
using MessageHook = std::function<void(const QString&)>;
void SetMessageHook(MessageHook hook);

// The print dialog: returns true when the user confirmed and the widget's
// image was sent to the printer. Tests replace it.
using PrintHook = std::function<bool(QWidget* window)>;
bool PrintWindow(QWidget* window);
void SetPrintHook(PrintHook hook);

// Calls a handler for one event type on one object (focus in/out, key or mouse
// release). The handler's return value says whether the event is consumed.
void OnEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler);

}  // namespace ampora::ui
