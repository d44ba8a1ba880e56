#pragma once

class QWidget;

namespace ampora::ui {

// The curves and settings reach the disk only when the main window closes.
// A desktop session that ends, a terminal closed, or Ctrl+C ends the program
// by a signal (SIGTERM, SIGHUP, SIGINT); these close the window the ordinary
// way instead, so nothing is lost. A second signal ends the program at once.
void CloseOnTerminationSignals(QWidget* mainWindow);

}  // namespace ampora::ui
