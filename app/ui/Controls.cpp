#include "app/ui/Controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QWidget>

namespace ampora::ui {

namespace {
MessageHook g_messageHook;
PrintHook g_printHook;
char g_decimalSep = 0;

class EventHandler : public QObject {
public:
    EventHandler(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler)
        : QObject(target), type_(type), handler_(std::move(handler)) {
        target->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == type_) return handler_(event);
        return false;
    }

private:
    QEvent::Type type_;
    std::function<bool(QEvent*)> handler_;
};
}  // namespace

int ItemIndex(const QComboBox* box) {
    const QString shown = box->isEditable() ? box->currentText() : box->currentText();
    if (box->count() == 0) return -1;
    return box->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void SetItemIndex(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    QLineEdit* edit = box->lineEdit();
    const QSignalBlocker blockEdit(edit);
    if (index < 0 || index >= box->count()) {
        box->setCurrentIndex(-1);
        if (edit) edit->clear();
    } else {
        box->setCurrentIndex(index);
        if (edit) edit->setText(box->itemText(index));
    }
}

void MakeEditableList(QComboBox* box, const QStringList& items) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(items);
}

char DecimalSeparator() {
    if (g_decimalSep == 0) {
        const QString dp = QLocale().decimalPoint();
        g_decimalSep = (dp.size() == 1 && dp[0].unicode() < 128) ? char(dp[0].unicode()) : '.';
    }
    return g_decimalSep;
}

void SetDecimalSeparator(char sep) { g_decimalSep = sep; }

void ShowMessage(QWidget* parent, const QString& text) {
    if (g_messageHook) {
        g_messageHook(text);
        return;
    }
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Ampora"), shown, QMessageBox::Ok,
                    parent);
    box.exec();
}

void SetMessageHook(MessageHook hook) { g_messageHook = std::move(hook); }

bool PrintWindow(QWidget* window) {
    if (g_printHook) return g_printHook(window);
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

void SetPrintHook(PrintHook hook) { g_printHook = std::move(hook); }

void OnEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler) {
    new EventHandler(target, type, std::move(handler));
}

}  // namespace ampora::ui
