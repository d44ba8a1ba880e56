// What a screen reader hears for each control, in every language, and the
// order in which Tab visits the controls a user can see.

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTableView>

#include "curves/ui/GraphImage.h"
#include "kit/Widgets.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

const char* const Languages[] = {"CmdLangRus", "CmdLangEng", "CmdLangBel"};

QString SpokenName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

class AccessibilityTest : public WindowTest {
protected:
    void language(int index) {
        main->MenuItems.value(QString::fromUtf8(Languages[index]))->trigger();
    }

    QWidget* control(bool iecTool, const char* name) {
        QWidget* owner = iecTool ? static_cast<QWidget*>(iec()) : static_cast<QWidget*>(main.get());
        for (QWidget* w : owner->findChildren<QWidget*>(QString::fromUtf8(name)))
            if (w->window() == owner) return w;
        ADD_FAILURE() << "no control " << name;
        return nullptr;
    }

    // Everything in the two windows a user can type into, pick, press or
    // click, and the pictures; Qt's own parts of a control (a grid's headers,
    // a list's text box) only where they take input.
    QList<QWidget*> operableControls() {
        QList<QWidget*> out;
        for (QWidget* window : {static_cast<QWidget*>(main.get()), static_cast<QWidget*>(iec())}) {
            for (QWidget* w : window->findChildren<QWidget*>()) {
                if (w->window() != window) continue;
                const bool listText =
                    qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget());
                if ((w->objectName().isEmpty() && !listText) || w->objectName().startsWith("qt_"))
                    continue;
                const bool clickableShape = [w] {
                    auto* s = dynamic_cast<ShapeBox*>(w);
                    return s && bool(s->onMouseUp);
                }();
                const bool clickableLabel =
                    qobject_cast<QLabel*>(w) && w->cursor().shape() == Qt::PointingHandCursor;
                if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                    qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                    dynamic_cast<GraphImage*>(w) || dynamic_cast<PictureBox*>(w) ||
                    clickableShape || clickableLabel)
                    out << w;
            }
        }
        return out;
    }
};

struct NameCase {
    bool iecTool;
    const char* control;
    const char* names[3];  // Russian, English, Belarusian
};

const NameCase NameCases[] = {
    {false,
     "Edit9",
     {"Мощность усилителя, Вт", "Amplifier output power, W", "Магутнасць узмацняльніка, Вт"}},
    {false,
     "Edit10",
     {"динамик НЧ, Характ. чувствительность, дБ/Вт/м", "Bass, Characteristic sensitivity, dB/W/m",
      "дынамік НЧ, Характ. адчувальнасць, дБ/Вт/м"}},
    {false,
     "Edit11",
     {"динамик НЧ, Номинальный импеданс, Ом", "Bass, Rated impedanse, Ohm",
      "дынамік НЧ, Намінальны імпеданс, Ом"}},
    {false,
     "Edit5",
     {"динамик НЧ, Частота раздела, Гц", "Bass, Cut frequency, Hz",
      "дынамік НЧ, Частата падзела, Гц"}},
    {false,
     "ComboBox5",
     {"динамик НЧ, Тип фильтра", "Bass, Filter type", "дынамік НЧ, Тып фільтра"}},
    {false,
     "ComboBox7",
     {"динамик НЧ, Порядок фильтра", "Bass, Filter order", "дынамік НЧ, Парадак фільтра"}},
    {false,
     "Edit7",
     {"динамик НЧ, Нагрузка по мощности, Вт", "Bass, Power load, W",
      "дынамік НЧ, Нагрузка па магутнасці, Вт"}},
    {false, "Edit28", {"динамик НЧ, F1, Hz", "Bass, F1, Hz", "дынамік НЧ, F1, Hz"}},
    {false, "Edit29", {"динамик НЧ, F2, Hz", "Bass, F2, Hz", "дынамік НЧ, F2, Hz"}},
    {false, "Edit30", {"динамик НЧ, Kmax, dB", "Bass, Kmax, dB", "дынамік НЧ, Kmax, dB"}},
    {false, "CheckBoxMid", {"динамик СЧ", "Midrange", "дынамік СЧ"}},
    {false, "GroupBox2", {"динамик СЧ", "Midrange", "дынамік СЧ"}},  // its own caption is blanks
    {false, "GroupBox3", {"динамик ВЧ", "Tweeter", "дынамік ВЧ"}},
    {false,
     "Edit12",
     {"динамик СЧ, Характ. чувствительность, дБ/Вт/м",
      "Midrange, Characteristic sensitivity, dB/W/m",
      "дынамік СЧ, Характ. адчувальнасць, дБ/Вт/м"}},
    {false,
     "Edit4",
     {"динамик СЧ, Нагрузка по мощности, Вт", "Midrange, Power load, W",
      "дынамік СЧ, Нагрузка па магутнасці, Вт"}},
    {false,
     "Edit1",
     {"динамик СЧ, Частота раздела, Гц, нижний край", "Midrange, Cut frequency, Hz, lower edge",
      "дынамік СЧ, Частата падзела, Гц, ніжні край"}},
    {false,
     "Edit3",
     {"динамик СЧ, Частота раздела, Гц, верхний край", "Midrange, Cut frequency, Hz, upper edge",
      "дынамік СЧ, Частата падзела, Гц, верхні край"}},
    {false,
     "ComboBox3",
     {"динамик СЧ, Порядок фильтра, нижний край", "Midrange, Filter order, lower edge",
      "дынамік СЧ, Парадак фільтра, ніжні край"}},
    {false,
     "ComboBox2",
     {"динамик СЧ, Тип фильтра, верхний край", "Midrange, Filter type, upper edge",
      "дынамік СЧ, Тып фільтра, верхні край"}},
    {false,
     "CBMidEq",
     {"динамик СЧ, ровнять Z", "Midrange, equalize Z", "дынамік СЧ, раўнаваць Z"}},
    {false,
     "CBHighEq",
     {"динамик ВЧ, ровнять Z", "Tweeter, equalize Z", "дынамік ВЧ, раўнаваць Z"}},
    {false,
     "Edit6",
     {"динамик ВЧ, Частота раздела, Гц", "Tweeter, Cut frequency, Hz",
      "дынамік ВЧ, Частата падзела, Гц"}},
    {false,
     "ComboBox8",
     {"динамик ВЧ, Порядок фильтра", "Tweeter, Filter order", "дынамік ВЧ, Парадак фільтра"}},
    {false, "Edit19", {"Общий SPL на 1 м, дБ", "Total SPL at 1 m, dB", "Агульны SPL на 1 м, дБ"}},
    {false, "ButCalc", {"Счёт!", "Calc!", "Лік!"}},
    {false, "ButFType", {"один для всех", "one for all", "адзін для ўсіх"}},
    {false,
     "Label41",
     {"динамик СЧ, параллельный резистор", "Midrange, parallel resistor",
      "дынамік СЧ, паралельны рэзістар"}},
    {false,
     "Label42",
     {"динамик ВЧ, последовательный резистор", "Tweeter, series resistor",
      "дынамік ВЧ, паслядоўны рэзістар"}},
    {false,
     "Label29",
     {"Загрузить кривую IEC/DIN", "Open curve IEC/DIN", "Загрузіць крывую IEC/DIN"}},
    {false,
     "Label34",
     {"Загрузить кривую Шум розовый", "Open curve Pink noise", "Загрузіць крывую Шум ружовы"}},
    {false,
     "Label35",
     {"Загрузить другую кривую...", "Open another curve...", "Загрузіць іншую крывую..."}},
    {false, "Shape7", {"Цвет столбцов, синий", "Bar colour, blue", "Колер слупкоў, сіні"}},
    {false,
     "Image1",
     {"Спектральное распределение мощности сигнала", "Spectral density of signal power",
      "Спектральнае размеркаванне магутнасці сігналу"}},
    {false, "Edit2", {"Имя кривой", "Curve name", "Назва крывой"}},
    {false, "ButCancel", {"Отмена", "Cancel", "Адмена"}},
    {true,
     "Edit1",
     {"Паспортные данные по IEC, Максимальная мощность, Вт", "Passport data, IEC, Max power, W",
      "Пашпартныя даныя па IEC, Максімальная магутнасць, Вт"}},
    {true,
     "Edit3",
     {"Паспортные данные по IEC, Частота среза ФВЧ, Гц",
      "Passport data, IEC, HP filter cut frequency, Hz",
      "Пашпартныя даныя па IEC, Частата зрэзу ФВЧ, Гц"}},
    {true,
     "Edit5",
     {"Реально допустимо, Максимальная мощность, Вт", "Real power, Max power, W",
      "Рэальна дапушчальна, Максімальная магутнасць, Вт"}},
    {true,
     "GroupBox1",
     {"Паспортные данные по IEC", "Passport data, IEC", "Пашпартныя даныя па IEC"}},
    {true,
     "ComboBox1",
     {"Реально допустимо, Порядок ФВЧ", "Real power, HP filter order",
      "Рэальна дапушчальна, Парадак ФВЧ"}},
};

// Each box is named by its row caption and its driver column, and the names
// follow the language; a switch back shows that nothing is left over.
TEST_F(AccessibilityTest, NamesComeFromRowAndColumnInEveryLanguage) {
    create();
    for (int lang : {1, 2, 0}) {
        language(lang);
        for (const NameCase& c : NameCases) {
            QWidget* w = control(c.iecTool, c.control);
            if (!w) continue;
            EXPECT_EQ(SpokenName(w).toStdString(), c.names[lang])
                << c.control << (c.iecTool ? " (IEC tool)" : "") << " in " << Languages[lang];
        }
    }
}

// No operable control is silent, none carries blanks or an empty part left
// by a blank caption, and, except for the lists' paper stand-ins, no two are
// spoken alike.
TEST_F(AccessibilityTest, EveryOperableControlHasItsOwnNonBlankNameInEveryLanguage) {
    create();
    const QList<QWidget*> controls = operableControls();
    ASSERT_GT(controls.size(), 60);
    for (int lang = 0; lang < 3; ++lang) {
        language(lang);
        QHash<QString, QString> spokenBy[2];  // per window
        for (QWidget* w : controls) {
            const QString what =
                w->objectName().isEmpty() && w->parentWidget()
                    ? w->parentWidget()->objectName() + "/" + w->metaObject()->className()
                    : w->objectName();
            const QString name = SpokenName(w);
            EXPECT_FALSE(name.trimmed().isEmpty())
                << what.toStdString() << " in " << Languages[lang];
            EXPECT_EQ(name, name.simplified()) << what.toStdString();
            EXPECT_FALSE(name.startsWith(",") || name.contains(", ,") || name.endsWith(","))
                << what.toStdString() << ": " << name.toStdString();
            const bool standIn =
                qobject_cast<QComboBox*>(w->parentWidget()) ||
                QRegularExpression("^Edit2[0-7]$").match(w->objectName()).hasMatch();
            if (standIn) continue;
            auto& seen = spokenBy[w->window() == main.get() ? 0 : 1];
            EXPECT_FALSE(seen.contains(name))
                << what.toStdString() << " and " << seen.value(name).toStdString() << " both say "
                << name.toStdString() << " in " << Languages[lang];
            seen.insert(name, what);
        }
    }
}

// The resistor labels say which resistor of which driver they show, then
// what the calculation put there; empty, they say only what they are.
TEST_F(AccessibilityTest, ResistorLabelsSpeakTheirDriverAndTheirValue) {
    create();
    language(1);
    box(12)->setText("90");
    box(14)->setText("92");
    results->ButCalcClick();
    ASSERT_FALSE(label("Label40")->text().isEmpty());
    EXPECT_EQ(SpokenName(label("Label40")).toStdString(),
              "Midrange, series resistor, " + label("Label40")->text().simplified().toStdString());
    EXPECT_EQ(SpokenName(label("Label43")).toStdString(),
              "Tweeter, parallel resistor, " + label("Label43")->text().simplified().toStdString());
    check("CheckBoxMid")->setChecked(false);
    results->ButCalcClick();
    EXPECT_TRUE(label("Label40")->text().isEmpty());
    EXPECT_EQ(SpokenName(label("Label40")).toStdString(), "Midrange, series resistor");
}

// The graph's description names the curve on it, whichever that is.
TEST_F(AccessibilityTest, GraphDescriptionNamesTheCurrentCurveAndHowToEditIt) {
    create();
    language(1);
    auto description = [this] {
        return QAccessible::queryAccessibleInterface(find<GraphImage>("Image1"))
            ->text(QAccessible::Description);
    };
    curves->CurveOpen(QString::fromUtf8("Рок"));
    EXPECT_TRUE(description().startsWith(QString::fromUtf8("Curve \"Рок\".")))
        << description().toStdString();
    EXPECT_TRUE(description().contains("mouse"));
    curves->CurveOpen(QStringLiteral("IEC/DIN"));
    language(2);
    EXPECT_TRUE(description().startsWith(QString::fromUtf8("Крывая \"IEC/DIN\".")))
        << description().toStdString();
}

// What a mouse click does on a preset, a colour square or the Kmax caption,
// an assistive tool does through the press action.
TEST_F(AccessibilityTest, PressActionDoesWhatTheClickDoes) {
    create();
    auto press = [](QWidget* w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        QAccessibleActionInterface* actions = iface ? iface->actionInterface() : nullptr;
        ASSERT_NE(actions, nullptr) << w->objectName().toStdString();
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
    };
    press(control(false, "Label32"));
    EXPECT_EQ(session->CurCurveName, QString::fromUtf8("Рок"));
    press(control(false, "Shape7"));
    EXPECT_EQ(curves->curveColor(), 0xFE0000u);
    box(28)->setText("50");
    box(29)->setText("25");
    results->ButCalcClick();
    ASSERT_FALSE(find<QListWidget>("ListBox1")->isVisible());
    press(label("Label27"));
    EXPECT_TRUE(find<QListWidget>("ListBox1")->isVisible());
}

// A filter list keeps its value and the way to open it under its new name.
TEST_F(AccessibilityTest, FilterListsSayTheirValueAndOpen) {
    create();
    QComboBox* list = combo(6);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::ComboBox);
    EXPECT_EQ(iface->text(QAccessible::Value), list->currentText());
    EXPECT_EQ(iface->text(QAccessible::Value).toStdString(), "Bessel");
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(list->view()->isVisible());
    list->hidePopup();
}

// Tab walks the visible controls in screen order and Shift+Tab walks back.
// A stop the user cannot see (hidden, or covered by another control) is
// left out here: keeping the focus off those is a matter of its own.
TEST_F(AccessibilityTest, TabFollowsTheScreen) {
    create();
    const QStringList expected = {
        "Edit9",     "Edit10",      "Edit11",    "Edit5",     "ComboBox5", "ComboBox7", "Edit28",
        "Edit29",    "CheckBoxMid", "Edit12",    "Edit13",    "CBMidEq",   "Edit1",     "ComboBox1",
        "ComboBox3", "Edit3",       "ComboBox2", "ComboBox4", "Edit14",    "Edit15",    "CBHighEq",
        "Edit6",     "ComboBox6",   "ComboBox8", "ButCalc",   "ButFType",  "Image1",    "Label29",
        "Label30",   "Label32",     "Label33",   "Label34",   "Label35"};
    auto seen = [this](QWidget* w) {
        if (!w->isVisible()) return false;
        const QPoint centre = w->mapTo(main->centralWidget(), w->rect().center());
        QWidget* top = main->centralWidget()->childAt(centre);
        return top == w || w->isAncestorOf(top);
    };
    auto focused = [] {
        QWidget* f = QApplication::focusWidget();
        if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
        return f;
    };
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        box(9)->setFocus(Qt::TabFocusReason);
        QStringList stops;
        for (int step = 0; step < 100; ++step) {
            QWidget* f = focused();
            ASSERT_NE(f, nullptr);
            if (step > 0 && f == box(9)) break;
            if (seen(f)) stops << f->objectName();
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QStringList want = expected;
        if (key == Qt::Key_Backtab) std::reverse(want.begin() + 1, want.end());
        EXPECT_EQ(stops.join(' ').toStdString(), want.join(' ').toStdString());
    }
}

}  // namespace
}  // namespace ampora::ui::testing
