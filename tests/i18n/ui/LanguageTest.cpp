#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>

#include "i18n/TextTable.h"
#include "kit/Keyboard.h"
#include "tests/app/ui/Fixture.h"
#include "tests/i18n/ui/SettingsFile.h"

namespace ampora::ui::testing {
namespace {

// Every text a user can see on the three windows, keyed by window and
// control, so that two moments can be compared as a whole.
QMap<QString, QString> AllTexts(TF_Main* main) {
    QMap<QString, QString> out;
    auto key = [](const QObject* o, const char* what) {
        const QWidget* w = qobject_cast<const QWidget*>(o);
        const QString window = w ? w->window()->objectName() : QStringLiteral("F_Main");
        return window + QLatin1Char('/') + o->objectName() + QLatin1Char('.') + QLatin1String(what);
    };
    QList<QWidget*> windows = {main, main->iecWindow(), main->aboutWindow()};
    for (QWidget* w : windows) out[key(w, "title")] = w->windowTitle();
    for (QWidget* w : main->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty()) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) out[key(w, "text")] = l->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) out[key(w, "title")] = g->title();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) out[key(w, "text")] = b->text();
        if (!w->toolTip().isEmpty()) out[key(w, "hint")] = w->toolTip();
    }
    for (auto it = main->MenuItems.cbegin(); it != main->MenuItems.cend(); ++it)
        out[QStringLiteral("menu/") + it.key()] = WithoutMnemonic(it.value()->text());
    return out;
}

// The differences between two snapshots, one line each.
QStringList Changed(const QMap<QString, QString>& before, const QMap<QString, QString>& after) {
    QStringList lines;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (before.value(it.key()) != it.value())
            lines << it.key() + QStringLiteral(": \"") + before.value(it.key()) +
                         QStringLiteral("\" -> \"") + it.value() + QLatin1Char('"');
    return lines;
}

class LanguageTest : public WindowTest {
protected:
    QLabel* mainLabel(const char* name) const {
        return main->centralWidget()->findChild<QLabel*>(QString::fromUtf8(name));
    }
    QString caption(const char* window, const char* control) const {
        const QString w = QString::fromUtf8(window), c = QString::fromUtf8(control);
        if (w == "menu") return WithoutMnemonic(main->MenuItems.value(c)->text());
        if (w == "about") return about()->windowTitle();
        QWidget* owner = w == "iec" ? static_cast<QWidget*>(iec()) : main->centralWidget();
        for (QWidget* x : owner->findChildren<QWidget*>(c)) {
            if (x->window() != owner->window()) continue;
            if (auto* l = qobject_cast<QLabel*>(x)) return l->text();
            if (auto* g = qobject_cast<QGroupBox*>(x)) return g->title();
            if (auto* b = qobject_cast<QAbstractButton*>(x)) return b->text();
        }
        ADD_FAILURE() << "no control " << window << "/" << control;
        return {};
    }
    void expectLanguage(int index) {
        const char* names[] = {"CmdLangRus", "CmdLangEng", "CmdLangBel"};
        const char* files[] = {"ApHlpRus.hlp", "ApHlpEng.hlp", "ApHlpBel.hlp"};
        EXPECT_EQ(languageIndex(), index);
        EXPECT_EQ(checkedLanguage(), index);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(main->MenuItems.value(names[i])->isChecked(), i == index) << names[i];
        EXPECT_EQ(main->languageSwitch().HelpFile(), folder + QString::fromUtf8(files[index]));
    }
    void trigger(const char* command) {
        main->MenuItems.value(QString::fromUtf8(command))->trigger();
    }
};

// What the delivered table sets, one row per kind of addressing.
struct Caption {
    const char* window;  // "main", "menu", "iec", "about"
    const char* control;
    const char* text[3];  // Russian, English, Belarusian
};
const Caption Captions[] = {
    {"menu", "MenuFile", {"Файл", "File", "Файл"}},
    {"menu", "SubMenuCurve", {"Кривая", "Curve", "Крывая"}},
    {"menu", "CmdCurveNew", {"Создать", "New", "Стварыць"}},
    {"menu", "PopUpCurveNew", {"Создать", "New", "Стварыць"}},
    {"menu", "CmdCurveSaveAs", {"Сохранить как...", "Save As...", "Захаваць як..."}},
    {"menu", "PopUpCurveSaveAs", {"Сохранить как...", "Save As...", "Захаваць як..."}},
    {"menu", "PopUpCurveDelete", {"Удалить", "Delete", "Выдаліць"}},
    {"menu", "CmdFileExit", {"Выход", "Exit", "Выхад"}},
    {"menu",
     "CmdIecGost",
     {"IEC -> реальная мощность", "IEC -> real power", "IEC -> рэальная магутнасць"}},
    {"menu", "CmdLangRus", {"Русский", "Russian", "Руская"}},
    {"menu", "CmdLangEng", {"English", "English", "English"}},
    {"menu", "CmdLangBel", {"Белорусский", "Belarussian", "Беларуская"}},
    {"menu", "CmdHelpHelp", {"Помощь", "Contents", "Дапамога"}},
    {"menu", "CmdProjSaveAs", {"Сохранить как...", "Save As...", "Захаваць як..."}},
    {"main", "ButCalc", {"Счёт!", "Calc!", "Лік!"}},
    {"main", "ButFType", {"один для всех", "one for all", "адзін для ўсіх"}},
    {"main", "ButCancel", {"Отмена", "Cancel", "Адмена"}},
    {"main", "GroupBox1", {"   динамик НЧ   ", "   Bass   ", "   дынамік НЧ   "}},
    {"main", "GroupBox3", {"   динамик ВЧ   ", "   Tweeter   ", "   дынамік ВЧ   "}},
    {"main", "CheckBoxMid", {"динамик СЧ", "Midrange", "дынамік СЧ"}},
    {"main", "CBMidEq", {" ровнять  Z ", " equalize  Z ", " раўнаваць  Z "}},
    {"main", "CBHighEq", {" ровнять  Z ", " equalize  Z ", " раўнаваць  Z "}},
    {"main", "Label19", {"Уровень", "Level", "Узровень"}},
    {"main",
     "Label31",
     {"Спектральное распределение мощности сигнала", "Spectral density of signal power",
      "Спектральнае размеркаванне магутнасці сігналу"}},
    {"main", "Label35", {"Другая", "Other", "Іншая"}},
    {"main", "Label44", {"Общий SPL на 1 м, дБ", "Total SPL at 1 m, dB", "Агульны SPL на 1 м, дБ"}},
    {"main",
     "Label53",
     {"Нагрузка по мощности, Вт", "Power load, W", "Нагрузка па магутнасці, Вт"}},
    {"iec",
     "GroupBox1",
     {" Паспортные данные по IEC ", " Passport data, IEC ", " Пашпартныя даныя па IEC "}},
    {"iec", "GroupBox2", {" Реально допустимо ", " Real power ", " Рэальна дапушчальна "}},
    {"iec", "Label1", {"Максимальная мощность, Вт", "Max power, W", "Максімальная магутнасць, Вт"}},
    {"iec", "Label5", {"Порядок ФВЧ", "HP filter order", "Парадак ФВЧ"}},
    {"about", "", {" О программе", " About program", "Аб праграме"}},
};

TEST_F(LanguageTest, EachLanguageSetsEveryKindOfCaption) {
    create();
    const char* commands[] = {"CmdLangRus", "CmdLangEng", "CmdLangBel"};
    const char* calcHints[] = {"Выполнить расчёт", "Do calculations", "Выканаць разлік"};
    const char* typeHints[] = {"Тип и порядок как для НЧ", "Type & order like LF",
                               "Тып і парадак як для НЧ"};
    for (int lang : {0, 1, 2}) {
        SCOPED_TRACE(commands[lang]);
        trigger(commands[lang]);
        expectLanguage(lang);
        for (const Caption& c : Captions)
            EXPECT_EQ(caption(c.window, c.control), QString::fromUtf8(c.text[lang]))
                << c.window << "/" << c.control;
        EXPECT_EQ(button("ButCalc")->toolTip(), QString::fromUtf8(calcHints[lang]));
        EXPECT_EQ(button("ButFType")->toolTip(), QString::fromUtf8(typeHints[lang]));
    }
}

TEST_F(LanguageTest, RoundOfAllThreeRestoresEveryText) {
    create();
    trigger("CmdLangRus");
    const QMap<QString, QString> russian = AllTexts(main.get());
    trigger("CmdLangEng");
    expectLanguage(1);
    const QMap<QString, QString> english = AllTexts(main.get());
    EXPECT_GE(Changed(russian, english).size(), 50)
        << Changed(russian, english).join('\n').toStdString();
    trigger("CmdLangBel");
    expectLanguage(2);
    trigger("CmdLangRus");
    expectLanguage(0);
    const QMap<QString, QString> again = AllTexts(main.get());
    EXPECT_EQ(again.size(), russian.size());
    EXPECT_TRUE(Changed(russian, again).isEmpty())
        << Changed(russian, again).join('\n').toStdString();
}

TEST_F(LanguageTest, ControlsNoRowAddressesKeepTheirTexts) {
    create(false);
    const QMap<QString, QString> built = AllTexts(main.get());
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    for (const char* command : {"CmdLangRus", "CmdLangEng", "CmdLangBel"}) {
        SCOPED_TRACE(command);
        trigger(command);
        const QMap<QString, QString> now = AllTexts(main.get());
        for (const char* key :
             {"F_Main/F_Main.title", "F_IecGost/F_IecGost.title", "F_Main/Label25.text",
              "F_Main/Label29.text", "F_Main/Label23.text", "F_Main/Label26.text",
              "F_Main/Label27.text", "F_Main/ButCurveOK.text", "F_Main/Label1.text",
              "F_Main/Label18.text", "F_Main/GroupBox2.title", "menu/CmdFilePrint",
              "menu/CmdProNew"}) {
            ASSERT_TRUE(built.contains(key)) << key;
            EXPECT_EQ(now.value(key), built.value(key)) << key;
        }
    }
    EXPECT_EQ(main->windowTitle(), " Ampora");
    EXPECT_EQ(iec()->windowTitle(), "ReCalc Power");
}

TEST_F(LanguageTest, StartsInTheStoredLanguage) {
    struct Row {
        const char* name;
        std::optional<int32_t> code;
        int langIndex;
        const char* calc;
    };
    const Row rows[] = {{"code 0", 0, 0, "Счёт!"},   {"code 1", 1, 2, "Лік!"},
                        {"code 2", 2, 1, "Calc!"},   {"code 3", 3, 0, "Счёт!"},
                        {"code -1", -1, 0, "Счёт!"}, {"no settings", std::nullopt, 1, "Calc!"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QFile::remove(QString::fromStdString(CurvesPath(folder)));
        if (r.code) {
            SettingsValues v;
            v.languageCode = *r.code;
            WriteCurvesFile(folder, v);
        }
        create();
        expectLanguage(r.langIndex);
        EXPECT_EQ(button("ButCalc")->text(), QString::fromUtf8(r.calc));
        EXPECT_EQ(findIec<QLabel>("Label3")->text(),
                  QString::fromUtf8(r.langIndex == 0   ? "При условиях:"
                                    : r.langIndex == 1 ? "Conditions:"
                                                       : "Пры ўмовах:"));
        destroy();
    }
}

TEST_F(LanguageTest, CalculationSpeaksTheNewLanguage) {
    create();
    struct Row {
        const char* command;
        const char* midrange;
        const char* tweeter;
    };
    const Row rows[] = {
        {"CmdLangEng", "Sensitivity of midrange is too low", "Sensitivity of tweeter is too low"},
        {"CmdLangBel", "Адчувальнасць дынаміка СЧ недастатковая",
         "Адчувальнасць дынаміка ВЧ недастатковая"},
        {"CmdLangRus", "Чувствительность динамика СЧ недостаточна",
         "Чувствительность динамика ВЧ недостаточна"},
    };
    ASSERT_TRUE(main->isActiveWindow());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.command);
        trigger(r.command);
        box(12)->setText(QStringLiteral("70"));
        box(14)->setText(QStringLiteral("88"));
        messages.clear();
        results->ButCalcClick();
        EXPECT_EQ(messages.join('|').toStdString(), r.midrange);
        box(12)->setText(QStringLiteral("88"));
        box(14)->setText(QStringLiteral("70"));
        messages.clear();
        results->ButCalcClick();
        EXPECT_EQ(messages.join('|').toStdString(), r.tweeter);
    }
}

TEST_F(LanguageTest, LanguageCommandsDoNothingElse) {
    create();
    ASSERT_TRUE(main->isActiveWindow());
    ASSERT_FALSE(box(7)->text().isEmpty()) << "the start-up calculation ran";
    const QByteArray fileBefore = [&] {
        QFile f(QString::fromStdString(CurvesPath(folder)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    for (int no : {7, 4, 8, 19}) box(no)->setText(QStringLiteral("old"));
    box(9)->setText(QStringLiteral("abc"));  // a calculation would put 100 back
    const QString curve = session->CurCurveName;
    messages.clear();
    for (const char* command : {"CmdLangRus", "CmdLangBel", "CmdLangEng", "CmdLangEng"}) {
        SCOPED_TRACE(command);
        trigger(command);
        for (int no : {7, 4, 8, 19}) EXPECT_EQ(box(no)->text(), "old") << no;
        EXPECT_EQ(box(9)->text(), "abc");
        EXPECT_EQ(session->CurCurveName, curve);
        EXPECT_TRUE(messages.isEmpty());
    }
    QFile f(QString::fromStdString(CurvesPath(folder)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), fileBefore) << "nothing saved";
    // The same state does recalculate when asked to.
    results->ButCalcClick();
    EXPECT_EQ(box(9)->text(), "100");
    EXPECT_NE(box(7)->text(), "old");
}

// A text table of its own in the program folder, for rows the delivered one
// does not hold.
void WriteMenu(const QString& folder, const std::string& tsv) {
    std::unique_ptr<Table> t = MakeTextTable();
    t->createEmpty();
    WriteTextTable(*t, ParseTextRows(tsv));
    t->saveToFile((folder + QString::fromUtf8(MenuFileName)).toStdString());
}

TEST_F(LanguageTest, RowsThatAddressNothingChangeNothing) {
    // English captions only (the first start is English); the Russian and
    // Belarusian fields are left empty.
    WriteMenu(folder,
              "\"Ckb\"\t3\t\"F_Main\"\t-\t-\t-\t-\t-\t\"ckb three\"\t-\n"
              "\"Grb\"\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t\"grb main\"\t-\n"
              "\"GrB\"\t1\t\"F_IecGost\"\t-\t-\t-\t-\t-\t\"GrB iec\"\t-\n"
              "\"Lbl\"\t1\t\"F_Main\"\t-\t-\t-\t-\t-\t\"main label one\"\t-\n"
              "\"Lbl\"\t19\t\"F_IecGost\"\t-\t-\t-\t-\t-\t\"iec label 19\"\t-\n"
              "\"Mnu\"\t2\t\"F_Main\"\t10000\t-\t-\t-\t-\t\"menu two\"\t-\n"
              "\"Mnu\"\t1\t\"F_Main\"\t12345\t-\t-\t-\t-\t\"unlisted tag\"\t-\n"
              "\"Mnu\"\t1\t\"F_About\"\t10000\t-\t-\t-\t-\t\"menu about\"\t-\n"
              "\"Shp\"\t7\t\"F_Main\"\t-\t\"ГОСТ\"\t\"GOST\"\t\"ДАСТ\"\t-\t-\t-\n"
              "\"But\"\t4\t\"F_Main\"\t-\t\"h\"\t\"h\"\t\"h\"\t-\t\"button four\"\t-\n"
              "\"But\"\t3\t\"F_Main\"\t-\t\"h\"\t\"cancel hint\"\t\"h\"\t-\t\"Cancel\"\t-\n"
              "\"Frm\"\t1\t\"F_IecGost\"\t-\t-\t-\t-\t-\t\"iec title\"\t-\n");
    create(false);
    const QMap<QString, QString> built = AllTexts(main.get());
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    ASSERT_EQ(languageIndex(), 1);
    QMap<QString, QString> now = AllTexts(main.get());
    now.remove(QStringLiteral("F_Main/Label24.text"));  // the name of the curve opened at start
    // Only the cancel button's caption; its hint is not taken.
    EXPECT_EQ(Changed(built, now).join('\n').toStdString(),
              "F_Main/ButCancel.text: \"Отмена\" -> \"Cancel\"");
}

TEST_F(LanguageTest, LaterRowWinsAndOneRowSetsBothEqualiseBoxes) {
    WriteMenu(folder,
              "\"Lbl\"\t19\t\"F_Main\"\t-\t-\t-\t-\t-\t\"first\"\t-\n"
              "\"Ckb\"\t2\t\"F_Main\"\t-\t-\t-\t-\t-\t\"eq\"\t-\n"
              "\"Lbl\"\t19\t\"F_Main\"\t-\t-\t-\t-\t-\t\"second\"\t-\n"
              "\"Frm\"\t7\t\"F_About\"\t-\t-\t-\t-\t-\t\"about any number\"\t-\n"
              "\"Lbl\"\t3\t\"F_IecGost\"\t-\t-\t-\t-\t-\t\"iec three\"\t-\n"
              "\"Lbl\"\t2\t\"F_IecGost\"\t-\t-\t-\t-\t-\t\"iec two\"\t-\n"
              "\"Grb\"\t3\t\"F_IecGost\"\t-\t-\t-\t-\t-\t\"tool\"\t-\n");
    create();
    EXPECT_EQ(mainLabel("Label19")->text(), "second");
    EXPECT_EQ(check("CBMidEq")->text(), " eq ");
    EXPECT_EQ(check("CBHighEq")->text(), " eq ");
    EXPECT_EQ(about()->windowTitle(), "about any number");
    EXPECT_EQ(findIec<QLabel>("Label3")->text(), "iec three");
    EXPECT_EQ(findIec<QGroupBox>("GroupBox3")->title(), " tool ");
    // The IEC tool has no Label2; the main window's is not touched either.
    EXPECT_EQ(mainLabel("Label2")->text(), "-10");
    EXPECT_EQ(mainLabel("Label3")->text(), "-20");
}

}  // namespace
}  // namespace ampora::ui::testing
