// The keys a desktop user tries first: the standard shortcuts, the menus'
// mnemonics in every language, Esc on the windows beside the main window.

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "app/ui/DesignCommands.h"
#include "kit/HelpViewer.h"
#include "kit/Keyboard.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class ShortcutsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        userDialogs.onHelp = [this](const QString&) { return ++helps, true; };
    }
    QAction* action(const char* name) const {
        auto* a = main->findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    // The menu bar's menus and, within them, every submenu; the popup menu.
    std::vector<QMenu*> menus() const {
        std::vector<QMenu*> out;
        std::function<void(QMenu*)> add = [&](QMenu* m) {
            out.push_back(m);
            for (QAction* a : m->actions())
                if (a->menu()) add(a->menu());
        };
        for (QAction* a : main->menuBar()->actions())
            if (a->menu()) add(a->menu());
        add(main->findChild<QMenu*>("PopupMenu1"));
        return out;
    }
    int helps = 0;
};

TEST_F(ShortcutsTest, AShortcutTriggersItsCommand) {
    create();
    const struct {
        const char* action;
        QKeySequence keys;
    } rows[] = {
        {"CmdDesignOpen", QKeySequence("Ctrl+O")},
        {"CmdDesignSave", QKeySequence("Ctrl+S")},
        {"CmdDesignSaveAs", QKeySequence("Ctrl+Shift+S")},
        {"CmdExportReport", QKeySequence("Ctrl+E")},
        {"CmdHelpHelp", QKeySequence("F1")},
        {"CmdCalculate", QKeySequence("F5")},
        {"CmdFileExit", QKeySequence("Ctrl+Q")},  // last: it ends the run
    };
    int calcClicks = 0;
    QObject::connect(button("ButCalc"), &QPushButton::clicked, main.get(), [&] { ++calcClicks; });
    for (const auto& r : rows) {
        SCOPED_TRACE(r.action);
        int triggered = 0;
        const auto c =
            QObject::connect(action(r.action), &QAction::triggered, [&] { ++triggered; });
        // From a box being typed into, as from anywhere in the window.
        box(9)->setFocus(Qt::TabFocusReason);
        QTest::keySequence(QApplication::focusWidget(), r.keys);
        QObject::disconnect(c);
        EXPECT_EQ(triggered, 1);
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    EXPECT_EQ(helps, 1);
    EXPECT_EQ(calcClicks, 1) << "F5 clicks Calc!";
}

TEST_F(ShortcutsTest, EveryMenuItemHasItsOwnMnemonicAndKeepsItsCaption) {
    create();
    // A recent design's entry comes numbered ("&1  path") and keeps its number.
    userDialogs.onChooseFile = [this](FileChoice, const QString&, const QString&) {
        return folder + QStringLiteral("R&D.ampora");
    };
    main->designCommands().designActions()[2]->trigger();
    for (const char* language : {"Eng", "Bel", "Rus", "Eng"}) {
        SCOPED_TRACE(language);
        loadMenu(language);
        std::map<QAction*, QString> before;
        for (QMenu* m : menus())
            for (QAction* a : m->actions()) before[a] = WithoutMnemonic(a->text());
        for (QMenu* m : menus()) emit m->aboutToShow();

        std::vector<QList<QAction*>> groups = {main->menuBar()->actions()};
        for (QMenu* m : menus()) groups.push_back(m->actions());
        for (const QList<QAction*>& items : groups) {
            QList<QKeySequence> taken;
            for (QAction* a : items) {
                if (a->isSeparator() || !a->isVisible()) continue;
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                EXPECT_FALSE(key.isEmpty() || taken.contains(key)) << a->text().toStdString();
                taken += key;
            }
        }
        const QAction* recent = main->designCommands().recentMenu()->actions().value(0);
        ASSERT_NE(recent, nullptr);
        EXPECT_TRUE(recent->text().startsWith(QStringLiteral("&1  ")));
        EXPECT_TRUE(recent->text().endsWith(QStringLiteral("R&&D.ampora")));
        // The caption reads as before, on screen and to a screen reader.
        for (QMenu* m : menus()) {
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(m);
            for (int i = 0; i < menu->childCount(); ++i) {
                QAction* a = m->actions()[i];
                if (!before.count(a)) continue;  // a recent entry, made anew on opening
                EXPECT_EQ(WithoutMnemonic(a->text()), before[a]);
                if (!a->isSeparator()) {
                    EXPECT_EQ(menu->child(i)->text(QAccessible::Name), before[a]);
                }
            }
        }
    }
}

TEST_F(ShortcutsTest, EscClosesTheWindowsBesideTheMainWindow) {
    create();
    userDialogs.onHelp = nullptr;  // the real viewer
    const struct {
        const char* name;
        const char* command;
        const char* window;
        QAccessible::Role role;
    } rows[] = {{"power per band", "CmdPowerPerBand", "F_PowerPerBand", QAccessible::Window},
                {"power handling", "CmdPowerHandling", "F_PowerHandling", QAccessible::Window},
                {"help", "CmdHelpHelp", "HelpViewer", QAccessible::Dialog}};
    QFile help(main->languageSwitch().HelpFile());
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<html><head><title>Help</title></head><body><h2 id=\"a\">A</h2></body></html>");
    help.close();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        action(r.command)->trigger();
        auto* w = main->findChild<QWidget*>(QString::fromUtf8(r.window));
        ASSERT_NE(w, nullptr);
        // Its transient parent being active is not enough for its keys.
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w; }));
        QWidget* focus = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), r.role);
        EXPECT_EQ(iface->text(QAccessible::Name), w->windowTitle());
    }
}

}  // namespace
}  // namespace ampora::ui::testing
