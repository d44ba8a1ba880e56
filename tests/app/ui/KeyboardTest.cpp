// The keyboard as a user meets it: where Tab stops, what Enter does, and that
// the Enter/Exit handlers of the filter boxes see only real focus moves.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWindow>
#include <set>

#include "curves/CurveStore.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class KeyboardTest : public WindowTest {
protected:
    // Every widget Tab (or Shift+Tab) stops at, starting from the focus, until
    // the walk comes back to where it began.
    std::vector<QWidget*> tabStops(QWidget* window, bool forward) {
        std::vector<QWidget*> stops;
        QWidget* first = window->focusWidget();
        EXPECT_NE(first, nullptr);
        if (!first) return stops;
        for (int i = 0; i < 80; ++i) {
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
            QWidget* now = window->focusWidget();
            EXPECT_NE(now, nullptr);
            if (!now) break;
            EXPECT_EQ(now->window(), window) << "Tab left the window";
            stops.push_back(now);
            if (now == first) return stops;
        }
        ADD_FAILURE() << "Tab never came back to " << first->objectName().toStdString();
        return stops;
    }
    // A stop the user can see: shown, enabled and the topmost control at its
    // own middle, found by the window's hit test.
    static void expectSeen(QWidget* window, QWidget* w) {
        const std::string name = w->objectName().toStdString();
        EXPECT_TRUE(w->isVisible()) << name;
        EXPECT_TRUE(w->isEnabled()) << name;
        QWidget* hit = window->childAt(w->mapTo(window, w->rect().center()));
        EXPECT_TRUE(hit == w || w->isAncestorOf(hit))
            << name << " lies under " << (hit ? hit->objectName().toStdString() : "nothing");
    }
    static std::set<QString> names(const std::vector<QWidget*>& stops) {
        std::set<QString> n;
        for (QWidget* w : stops) n.insert(w->objectName());
        return n;
    }
};

TEST_F(KeyboardTest, EveryTabStopIsAControlTheUserCanSee) {
    create();
    struct Row {
        const char* name;
        std::function<QWidget*()> open;  // returns the window to walk
        std::set<QString> exactly;       // the stops, when the list is short
    };
    const Row rows[] = {
        {"main window", [&] { return static_cast<QWidget*>(main.get()); }, {}},
        {"picker opening a curve",
         [&] {
             curves->CmdCurveOpenClick();
             return static_cast<QWidget*>(main.get());
         },
         {"DBGrid1", "ButCurveOK", "ButCancel"}},
        {"picker saving a curve",
         [&] {
             curves->CurveOpen("Рок");
             curves->CmdCurveSaveAsClick();
             return static_cast<QWidget*>(main.get());
         },
         {"DBGrid1", "Edit2", "ButCurveOK", "ButCancel"}},
        {"IEC tool",
         [&] {
             iec()->show();
             iec()->activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(iec()));
             iecBox(1)->setFocus(Qt::OtherFocusReason);
             return static_cast<QWidget*>(iec());
         },
         {}},
    };
    for (const Row& r : rows) {
        for (bool forward : {true, false}) {
            SCOPED_TRACE(std::string(r.name) + (forward ? ", Tab" : ", Shift+Tab"));
            QWidget* window = r.open();
            const auto stops = tabStops(window, forward);
            ASSERT_FALSE(stops.empty());
            for (QWidget* w : stops) expectSeen(window, w);
            if (!r.exactly.empty()) {
                EXPECT_EQ(names(stops), r.exactly);
            }
            if (window == main.get() && r.exactly.empty()) {
                const auto seen = names(stops);
                for (const char* must : {"ButCalc", "Edit9", "Edit5", "ComboBox5", "ButFType"})
                    EXPECT_TRUE(seen.count(must)) << must << " is a stop";
            }
            if (window == main.get()) curves->ButSelectCurveCancelClick();
        }
    }
}

// New, three bands, focus on "Calc!", Tab, Enter: the picker behind the
// window must not take the keys and put IEC/DIN in place of the new curve.
TEST_F(KeyboardTest, KeysNeverReachThePickerBehindTheWindow) {
    create();
    loadMenu("Eng");
    curves->CmdCurveNewClick();
    for (int band : {5, 15, 25}) session->BandLevel[size_t(band)] = 30;
    button("ButCalc")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(QApplication::focusWidget(), key);
    // Also sent straight at the picker's controls.
    for (QWidget* w : curves->pickerControls()) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        QTest::keyClick(w, Qt::Key_Return);
    }
    EXPECT_EQ(session->CurveMode, ModeNew);
    EXPECT_EQ(session->CurCurveRecNo, -1);
    EXPECT_TRUE(label("Label24")->text().isEmpty()) << label("Label24")->text().toStdString();
    EXPECT_EQ(session->BandLevel[5], 30);
}

// "Sensitivity of tweeter is too low" after Enter in its box: the Enter that
// closes the message leaves its release to the box, which must not start the
// message again.
TEST_F(KeyboardTest, EnterShowsACalculationMessageOncePerPress) {
    create();
    loadMenu("Eng");
    struct Event {
        QEvent::Type type;
        bool autoRepeat;
    };
    const QEvent::Type P = QEvent::KeyPress, R = QEvent::KeyRelease;
    struct Row {
        const char* name;
        std::vector<Event> events;
        int messages;
    };
    const Row rows[] = {
        {"press and release", {{P, false}, {R, false}}, 1},
        {"release of the Enter that closed the message", {{R, false}}, 0},
        {"press, release, then the closing Enter's release",
         {{P, false}, {R, false}, {R, false}, {R, false}},
         1},
        {"held down: auto-repeat",
         {{P, false}, {P, true}, {R, true}, {P, true}, {R, true}, {R, false}},
         1},
        {"two presses", {{P, false}, {R, false}, {P, false}, {R, false}}, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QLineEdit* tweeter = box(14);
        tweeter->setFocus(Qt::OtherFocusReason);
        tweeter->setText("80");
        messages.clear();
        for (const Event& e : r.events) {
            QKeyEvent key(e.type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                          e.autoRepeat);
            QApplication::sendEvent(tweeter, &key);
        }
        EXPECT_EQ(messages.size(), r.messages) << messages.join("|").toStdString();
        for (const QString& m : messages) EXPECT_EQ(m, "Sensitivity of tweeter is too low");
        tweeter->setText("88");
    }
}

// Opening and closing a drop-down list and leaving the window send focus
// events too; the box must still return to the item it had when the user
// entered it.
TEST_F(KeyboardTest, AFilterBoxRemembersTheItemItHadWhenEntered) {
    create();
    struct Row {
        const char* name;
        Qt::FocusReason interruption;
    };
    const Row rows[] = {{"drop-down list", Qt::PopupFocusReason},
                        {"window deactivated", Qt::ActiveWindowFocusReason}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QComboBox* type = combo(5);
        SetItemIndex(type, 1);  // Bessel
        box(9)->setFocus(Qt::OtherFocusReason);
        type->setFocus(Qt::TabFocusReason);
        auto pickWith = [&](int index) {
            QFocusEvent out(QEvent::FocusOut, r.interruption);
            QApplication::sendEvent(type, &out);
            type->setCurrentIndex(index);
            emit type->activated(index);
            QFocusEvent in(QEvent::FocusIn, r.interruption);
            QApplication::sendEvent(type, &in);
        };
        pickWith(2);  // Butterworth
        pickWith(3);  // Linkwitz
        type->lineEdit()->setText("xyz");
        box(5)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(type->currentText(), "Bessel");
    }
}

TEST_F(KeyboardTest, EnterClicksTheFocusedButton) {
    create();
    struct Row {
        const char* button;
        Qt::Key key;
    };
    const Row rows[] = {{"ButCalc", Qt::Key_Return},
                        {"ButCalc", Qt::Key_Enter},
                        {"ButFType", Qt::Key_Return},
                        {"ButFType", Qt::Key_Enter}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.button) + (r.key == Qt::Key_Enter ? " keypad Enter" : " Enter"));
        auto* b = find<QPushButton>(r.button);
        int clicks = 0;
        const auto c = QObject::connect(b, &QPushButton::clicked, b, [&] { ++clicks; });
        b->setFocus(Qt::TabFocusReason);
        QTest::keyClick(b, r.key, r.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QObject::disconnect(c);
        EXPECT_EQ(clicks, 1);
    }
    // What the click does: the copy button sets every filter like the bass one.
    SetItemIndex(combo(5), 2);
    SetItemIndex(combo(6), 1);
    button("ButFType")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button("ButFType"), Qt::Key_Return);
    EXPECT_EQ(combo(6)->currentText(), "Butterworth");
}

// The built-in curves beside the graph open from the keyboard as by a click.
TEST_F(KeyboardTest, APresetLabelOpensItsCurveWithSpaceOrEnter) {
    create();
    const struct {
        const char* label;
        Qt::Key key;
        const char* curve;  // nullptr: the picker opens
    } rows[] = {{"Label29", Qt::Key_Space, PresetCurveNames[0]},
                {"Label30", Qt::Key_Return, PresetCurveNames[1]},
                {"Label32", Qt::Key_Enter, PresetCurveNames[2]},
                {"Label33", Qt::Key_Space, PresetCurveNames[3]},
                {"Label34", Qt::Key_Space, PresetCurveNames[4]},
                {"Label35", Qt::Key_Return, nullptr}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        session->CurCurveName.clear();
        QWidget* preset = label(r.label);
        preset->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(preset->hasFocus());
        QTest::keyClick(preset, r.key);
        if (r.curve) {
            EXPECT_EQ(session->CurCurveName, QString::fromUtf8(r.curve));
        } else {
            EXPECT_TRUE(curves->pickerControls()[0]->isEnabled()) << "the picker is in front";
            curves->ButSelectCurveCancelClick();
        }
    }
}

TEST_F(KeyboardTest, TheFocusStartsOnCalc) {
    create();
    EXPECT_EQ(QApplication::focusWidget(), button("ButCalc"))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : "nothing");
}

}  // namespace
}  // namespace ampora::ui::testing
