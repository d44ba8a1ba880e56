#include "kit/Termination.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace ampora::ui {
namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the window is closed from the event loop.
void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

void CloseOnTerminationSignals(QWidget* mainWindow, std::function<void()> beforeClose) {
    if (signalPipe[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, mainWindow);
    QPointer<QWidget> window(mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow,
                     [window, notifier, beforeClose = std::move(beforeClose)] {
                         char byte;
                         [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
                         notifier->setEnabled(false);
                         if (window && beforeClose) beforeClose();
                         if (window) window->close();
                         // A modal window may still be open: leave every event loop.
                         QCoreApplication::quit();
                     });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &action, nullptr);
}

}  // namespace ampora::ui
