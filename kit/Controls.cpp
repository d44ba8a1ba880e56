#include "kit/Controls.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QWidget>

#include "kit/UserDialogs.h"

namespace ampora::ui {

namespace {
char g_decimalSep = 0;

bool IsEnterKey(const QEvent* e) {
    const int key = static_cast<const QKeyEvent*>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

class EnterReleaseHandler : public QObject {
public:
    EnterReleaseHandler(QObject* target, std::function<void()> handler)
        : QObject(target), handler_(std::move(handler)) {
        target->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != parent()) return false;
        switch (event->type()) {
            case QEvent::KeyPress:
                if (IsEnterKey(event) && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
                    pressed_ = true;
                break;
            case QEvent::KeyRelease:
                if (IsEnterKey(event) && !static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
                    pressed_) {
                    // Cleared first: the handler may open a modal box whose
                    // own Enter ends up here.
                    pressed_ = false;
                    handler_();
                }
                break;
            case QEvent::FocusOut: pressed_ = false; break;
            default: break;
        }
        return false;
    }

private:
    std::function<void()> handler_;
    bool pressed_ = false;
};

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
    if (box->count() == 0) return -1;
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
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

void ShowMessage(QWidget* parent, const QString& text) { Dialogs().message(parent, text); }

bool PrintWindow(QWidget* window) { return Dialogs().print(window); }

bool AskRetry(QWidget* parent, const QString& text, const QString& question,
              const QString& retryCaption, const QString& giveUpCaption) {
    return Dialogs().askRetry(parent, text, question, retryCaption, giveUpCaption);
}

void OnEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> handler) {
    new EventHandler(target, type, std::move(handler));
}

void OnFocusMove(QObject* target, QEvent::Type type, std::function<void()> handler) {
    OnEvent(target, type, [handler = std::move(handler)](QEvent* e) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) handler();
        return false;
    });
}

void OnEnterReleased(QObject* target, std::function<void()> handler) {
    new EnterReleaseHandler(target, std::move(handler));
}

bool IsCovered(const QWidget* w) {
    QPoint centre = w->rect().center();
    for (const QWidget* c = w; c && !c->isWindow(); c = c->parentWidget()) {
        const QWidget* parent = c->parentWidget();
        if (!parent) break;
        centre = c->mapToParent(centre);
        // Children are stacked in list order: later ones lie on top.
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(c)) + 1; i < siblings.size();
             ++i) {
            const auto* s = qobject_cast<const QWidget*>(siblings[i]);
            if (s && !s->isWindow() && !s->isHidden() && s->geometry().contains(centre))
                return true;
        }
    }
    return false;
}

bool TakesTabFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
           w->isVisible() && w->isEnabled() && !IsCovered(w);
}

}  // namespace ampora::ui
