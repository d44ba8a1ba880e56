// Language switching: the text table applied to every addressed control.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include "store/Table.h"
#include "app/ui/AboutWindow.h"
#include "app/ui/Accessibility.h"
#include "kit/Controls.h"
#include "app/ui/MainWindow.h"
#include "i18n/Messages.h"
#include "i18n/TextTable.h"
#include "kit/HelpViewer.h"
#include "iec/ui/IecWindow.h"

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

// The IEC tool, the About box and the help viewer are children of the main
// window and reuse control names such as "GroupBox1" and "Label1"; a row
// addresses only the controls of its own window.
QWidget* OwnControl(QWidget* window, const QString& name) {
    for (QWidget* w : window->findChildren<QWidget*>(name))
        if (w->window() == window) return w;
    return nullptr;
}

}  // namespace

void TF_Main::LoadMenu(const QString& language) {
    const int index = language == QLatin1String("Rus") ? 0 : language == QLatin1String("Eng") ? 1 : 2;
    MenuItems.value("CmdLangRus")->setChecked(index == 0);
    MenuItems.value("CmdLangEng")->setChecked(index == 1);
    MenuItems.value("CmdLangBel")->setChecked(index == 2);
    static const char* helpFiles[] = {"ApHlpRus.hlp", "ApHlpEng.hlp", "ApHlpBel.hlp"};
    HelpFile = DataFolder + QString::fromUtf8(helpFiles[index]);
    LangIndex = index;
    for (const TextAssignment& a : ResolveTexts(*table3_, index)) {
        const QString text = Q(a.text);
        QWidget* owner = a.window == TextWindow::Main  ? static_cast<QWidget*>(this)
                         : a.window == TextWindow::Iec ? static_cast<QWidget*>(iec_)
                                                       : static_cast<QWidget*>(about_);
        if (!owner) continue;
        const QString name = Q(a.objectName);
        if (name.isEmpty()) {
            owner->setWindowTitle(text);
            continue;
        }
        if (a.window == TextWindow::Main) {
            if (QAction* item = MenuItems.value(name)) {
                item->setText(text);
                continue;
            }
        }
        QWidget* w = OwnControl(owner, name);
        if (!w) continue;
        if (a.target == TextTarget::Hint)
            w->setToolTip(text);
        else
            SetCaption(w, text);
    }
    UpdateAccessibleNames(*this);
    retranslateDesignMenu();
    emit languageChanged();
}

void TF_Main::CmdHelpHelpClick() {
    if (!ShowHelp(this, HelpFile)) ShowMessage(this, QString::fromUtf8(MsgHelpFailed));
}

}  // namespace ampora::ui
