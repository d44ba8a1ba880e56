#include "kit/UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <memory>

#include "kit/HelpViewer.h"

namespace ampora::ui {

namespace {
UserDialogs* g_inUse = nullptr;
}  // namespace

void QtDialogs::message(QWidget* parent, const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Ampora"), shown, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::askRetry(QWidget* parent, const QString& text, const QString& question,
                         const QString& retryCaption, const QString& giveUpCaption) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ampora"), text, QMessageBox::NoButton,
                    parent);
    box.setInformativeText(question);
    QPushButton* retry = box.addButton(retryCaption, QMessageBox::AcceptRole);
    box.addButton(giveUpCaption, QMessageBox::RejectRole);
    box.setDefaultButton(retry);
    box.exec();
    return box.clickedButton() == retry;
}

bool QtDialogs::print(QWidget* window) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QPixmap image = window->grab();
    QPainter painter;
    if (!painter.begin(&printer)) return false;  // a printing error is not reported
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
    painter.end();
    return true;
}

bool QtDialogs::help(QWidget* parent, const QString& path) {
    auto* viewer = parent->findChild<HelpViewer*>(QStringLiteral("HelpViewer"));
    if (viewer) {
        if (!viewer->open(path)) return false;  // the viewer keeps what it showed
    } else {
        auto fresh = std::make_unique<HelpViewer>(parent);
        if (!fresh->open(path)) return false;
        viewer = fresh.release();  // owned by parent from now on
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return true;
}

QString QtDialogs::chooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                              const QString& start, const QString& filter) {
    return kind == FileChoice::Open ? QFileDialog::getOpenFileName(parent, caption, start, filter)
                                    : QFileDialog::getSaveFileName(parent, caption, start, filter);
}

SaveAnswer QtDialogs::askSave(QWidget* parent, const QString& question, const QString& saveCaption,
                              const QString& discardCaption, const QString& cancelCaption) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ampora"), question,
                    QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(saveCaption, QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(discardCaption, QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(cancelCaption, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

UserDialogs& Dialogs() {
    if (g_inUse) return *g_inUse;
    static QtDialogs qt;
    return qt;
}

UseDialogs::UseDialogs(UserDialogs& dialogs) : previous_(g_inUse) { g_inUse = &dialogs; }

UseDialogs::~UseDialogs() { g_inUse = previous_; }

}  // namespace ampora::ui
