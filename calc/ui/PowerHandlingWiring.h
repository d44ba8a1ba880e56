#pragma once
// Where the power-handling window meets the rest of the program: the menu
// item, the calculations and the language it follows through the session, and
// the ratings, which the session holds as part of the design and which stay in
// the user folder between runs.

class QMenu;
class QWidget;

namespace ampora::ui {

class PowerHandlingWindow;
class Session;

// Adds Service → "Power handling" (action CmdPowerHandling, kept out of the
// text table's menu items) and gives the session the ratings kept in the user
// folder. The window is created when first opened.
void InstallPowerHandling(Session& session, QWidget* main, QMenu* service);
// The window, if it has been opened.
PowerHandlingWindow* FindPowerHandling(const QWidget& main);

}  // namespace ampora::ui
