#include "kit/Keyboard.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QWidget>

namespace ampora::ui {

namespace {

// The caption as a feature set it, and the same with its mnemonic: a caption
// that still reads as marked was not set again since.
constexpr const char* PlainCaption = "amporaPlainCaption";
constexpr const char* MarkedCaption = "amporaMarkedCaption";
constexpr const char* MnemonicsKept = "amporaMnemonicsKept";
constexpr const char* WindowRole = "amporaWindowRole";

QString PlainCaptionOf(const QAction* a) {
    const QString text = a->text();
    return text == a->property(MarkedCaption).toString() ? a->property(PlainCaption).toString()
                                                         : text;
}

// The letter a caption's owner already marked ("&1  file"), or none.
QChar OwnMnemonic(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1];
        ++i;
    }
    return {};
}

QAccessibleInterface* WindowFactory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || !w->property(WindowRole).toBool()) return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}

}  // namespace

void SetStandardShortcut(QAction* action, QKeySequence::StandardKey key,
                         const QKeySequence& usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.contains(usual)) keys.prepend(usual);
    action->setShortcuts(keys);
}

QString WithoutMnemonic(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

void AssignMnemonics(const QList<QAction*>& items) {
    QString taken;
    for (QAction* a : items) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QString plain = PlainCaptionOf(a);
        if (plain.isEmpty()) continue;
        // A caption set with its own mnemonic (the numbered recent designs)
        // keeps it; its letter is taken for the rest of the menu.
        if (plain == a->text() && !OwnMnemonic(plain).isNull()) {
            taken += OwnMnemonic(plain).toLower();
            if (QMenu* sub = a->menu()) KeepMnemonics(sub);
            continue;
        }
        qsizetype at = -1;
        for (qsizetype i = 0; i < plain.size() && at < 0; ++i)
            if (plain[i].isLetter() && !taken.contains(plain[i].toLower())) at = i;
        QString marked;
        for (qsizetype i = 0; i < plain.size(); ++i) {
            if (i == at) marked += QLatin1Char('&');
            marked += plain[i];
            if (plain[i] == QLatin1Char('&')) marked += QLatin1Char('&');
        }
        if (at >= 0) taken += plain[at].toLower();
        a->setProperty(PlainCaption, plain);
        a->setProperty(MarkedCaption, marked);
        if (a->text() != marked) a->setText(marked);
        if (QMenu* sub = a->menu()) KeepMnemonics(sub);
    }
}

void KeepMnemonics(QMenu* menu) {
    if (menu->property(MnemonicsKept).toBool()) return;
    menu->setProperty(MnemonicsKept, true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { AssignMnemonics(menu->actions()); });
    for (QAction* a : menu->actions())
        if (QMenu* sub = a->menu()) KeepMnemonics(sub);
}

void CloseOnEscape(QWidget* window) {
    auto* close = new QAction(window);
    close->setObjectName(QStringLiteral("CloseOnEscape"));
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    window->addAction(close);
    QObject::connect(close, &QAction::triggered, window, [window] { window->close(); });
}

void AnnounceAsWindow(QWidget* w) {
    static const bool installed = [] {
        QAccessible::installFactory(WindowFactory);
        return true;
    }();
    (void)installed;
    w->setProperty(WindowRole, true);
    // An interface Qt made already would keep the old role.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface && iface->role() != QAccessible::Window)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

}  // namespace ampora::ui
