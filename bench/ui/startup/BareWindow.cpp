// The yardstick: a bare Qt main window with as many line edits as Ampora's
// main window has boxes (30 edits and 8 editable lists), started the way
// Ampora starts (application font, show, activate) and "calculating" on its
// first activation by filling three boxes.

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>

#include "bench/ui/startup/Probe.h"

namespace {

class BareWindow : public QMainWindow {
public:
    BareWindow() {
        auto* client = new QWidget(this);
        client->setFixedSize(749, 539);
        setCentralWidget(client);
        for (int i = 0; i < 38; ++i) {
            auto* e = new QLineEdit(QString::number(i), client);
            e->setGeometry(10 + (i % 8) * 90, 10 + (i / 8) * 30, 81, 21);
            edits_[i] = e;
        }
    }

protected:
    void changeEvent(QEvent* event) override {
        QMainWindow::changeEvent(event);
        if (event->type() != QEvent::ActivationChange || !isActiveWindow() || done_) return;
        done_ = true;
        for (int i = 0; i < 3; ++i) edits_[35 + i]->setText(QString::number(40.3 - i * 10));
        QTimer::singleShot(0, this, [] {
            ampora::bench::ReportReady();
            QCoreApplication::quit();
        });
    }

private:
    QLineEdit* edits_[38] = {};
    bool done_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    BareWindow w;
    w.show();
    w.activateWindow();
    return QApplication::exec();
}
