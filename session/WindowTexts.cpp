#include "session/WindowTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>

#include "kit/Controls.h"

namespace ampora::ui {

namespace {
void SetCaption(QWidget* w, const QString& text) {
    if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
        l->adjustSize();
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    }
}
}  // namespace

QHash<QString, QWidget*> OwnControls(const QWidget* window) {
    QHash<QString, QWidget*> byName;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window && !w->objectName().isEmpty() &&
            !byName.contains(w->objectName()))
            byName.insert(w->objectName(), w);
    return byName;
}

QWidget* OwnControl(const QWidget* window, const QString& name) {
    for (QWidget* w : window->findChildren<QWidget*>(name))
        if (w->window() == window) return w;
    return nullptr;
}

void ApplyTexts(ampora::Table& texts, Language language, TextWindow which, QWidget* window,
                const QHash<QString, QAction*>& menuItems) {
    const QHash<QString, QWidget*> controls = OwnControls(window);
    for (const TextAssignment& a : ResolveTexts(texts, TextIndex(language))) {
        if (a.window != which) continue;
        const QString text = Q(a.text);
        const QString name = Q(a.objectName);
        if (name.isEmpty()) {
            window->setWindowTitle(text);
            continue;
        }
        if (QAction* item = menuItems.value(name)) {
            item->setText(text);
            continue;
        }
        QWidget* w = controls.value(name);
        if (!w) continue;
        if (a.target == TextTarget::Hint)
            w->setToolTip(text);
        else
            SetCaption(w, text);
    }
}

}  // namespace ampora::ui
