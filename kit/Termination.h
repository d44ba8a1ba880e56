#pragma once

#include <functional>

class QWidget;

namespace ampora::ui {

// The curves and settings reach the disk only when the main window closes.
// A desktop session that ends, a terminal closed, or Ctrl+C ends the program
// by a signal (SIGTERM, SIGHUP, SIGINT); these close the window the ordinary
// way instead, so nothing is lost. A second signal ends the program at once.
// beforeClose runs first (nobody is there to answer a question).
void CloseOnTerminationSignals(QWidget* mainWindow, std::function<void()> beforeClose = {});

}  // namespace ampora::ui
