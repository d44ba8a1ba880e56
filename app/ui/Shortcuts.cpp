#include "app/ui/Shortcuts.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/ui/MainWindow.h"
#include "kit/Controls.h"
#include "kit/Keyboard.h"
#include "session/Session.h"

namespace ampora::ui {

void InstallShortcuts(TF_Main& main) {
    const struct {
        const char* action;
        QKeySequence::StandardKey standard;
        QKeyCombination usual;
    } standard[] = {
        {"CmdDesignOpen", QKeySequence::Open, Qt::CTRL | Qt::Key_O},
        {"CmdDesignSave", QKeySequence::Save, Qt::CTRL | Qt::Key_S},
        {"CmdDesignSaveAs", QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
        {"CmdFileExit", QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
        {"CmdHelpHelp", QKeySequence::HelpContents, QKeyCombination(Qt::Key_F1)},
    };
    for (const auto& s : standard)
        if (auto* a = main.findChild<QAction*>(QString::fromUtf8(s.action)))
            SetStandardShortcut(a, s.standard, QKeySequence(s.usual));
    // No standard key says "export".
    if (auto* a = main.findChild<QAction*>(QStringLiteral("CmdExportReport")))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));

    // A box's own keys do not hide the commands' (Ctrl+E is "end of line" in
    // the X11 keyboard scheme).
    QList<QKeySequence> commandKeys;
    for (const QAction* a : main.findChildren<QAction*>()) commandKeys += a->shortcuts();
    for (QLineEdit* box : main.findChildren<QLineEdit*>())
        OnEvent(box, QEvent::ShortcutOverride, [commandKeys](QEvent* e) {
            return commandKeys.contains(QKeySequence(static_cast<QKeyEvent*>(e)->keyCombination()));
        });

    // F5 is a click of "Calc!", besides Enter in a box; not while the picker
    // lies over the button.
    auto* calculate = new QAction(&main);
    calculate->setObjectName(QStringLiteral("CmdCalculate"));
    calculate->setShortcut(QKeySequence(Qt::Key_F5));
    calculate->setShortcutContext(Qt::WindowShortcut);
    main.addAction(calculate);
    auto* calc = main.findChild<QPushButton*>(QStringLiteral("ButCalc"));
    QObject::connect(calculate, &QAction::triggered, calc, [calc] {
        if (calc->isEnabled() && !IsCovered(calc)) calc->click();
    });

    // The menu bar's captions change only with the language; the items get
    // theirs when their menu opens, after every feature has set its caption.
    QMenuBar* bar = main.menuBar();
    for (QAction* a : bar->actions())
        if (a->menu()) KeepMnemonics(a->menu());
    if (auto* popup = main.findChild<QMenu*>(QStringLiteral("PopupMenu1"))) KeepMnemonics(popup);
    QObject::connect(&main.session(), &Session::languageChanged, bar,
                     [bar] { AssignMnemonics(bar->actions()); });
}

}  // namespace ampora::ui
