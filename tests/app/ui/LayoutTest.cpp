// Every control of the fixed layouts at its place with its built-in text.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include "i18n/TextTable.h"
#include "store/Table.h"
#include "tests/app/ui/Fixture.h"
#include <QTimer>

namespace ampora::ui::testing {
namespace {

struct Place {
    const char* name;
    int x, y, w, h;  // w, h = -1 where the control sizes itself to its text
    const char* text;
    bool visible;
};

QString TextOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return QString();
}

const Place MainPlaces[] = {
    {"Panel1", 8, 6, 729, 265, "", true},
    {"Image1", 8, 8, 616, 249, "", true},
    {"Label1", 30, 38, -1, -1, "0", true},
    {"Label2", 21, 74, -1, -1, "-10", true},
    {"Label3", 21, 110, -1, -1, "-20", true},
    {"Label4", 21, 146, -1, -1, "-30", true},
    {"Label5", 21, 182, -1, -1, "-40", true},
    {"Label6", 25, 15, -1, -1, "dB", true},
    {"Label8", 50, 212, -1, -1, "20", true},
    {"Label9", 104, 212, -1, -1, "40", true},
    {"Label10", 158, 212, -1, -1, "80", true},
    {"Label11", 210, 212, -1, -1, "160", true},
    {"Label12", 264, 212, -1, -1, "320", true},
    {"Label13", 318, 212, -1, -1, "640", true},
    {"Label14", 372, 212, -1, -1, "1к2", true},
    {"Label15", 426, 212, -1, -1, "2к5", true},
    {"Label16", 480, 212, -1, -1, "5к", true},
    {"Label17", 534, 212, -1, -1, "10к", true},
    {"Label18", 582, 212, -1, -1, "20к", true},
    {"Label7", 612, 212, -1, -1, "Hz", true},
    {"Label19", 40, 228, -1, -1, "Уровень", true},
    {"Label20", 40, 240, -1, -1, "Частота", true},
    {"Label21", 105, 228, -1, -1, "=", true},
    {"Label22", 105, 240, -1, -1, "=", true},
    {"Label31", 104, 6, -1, -1, "Спектральное распределение мощности сигнала", true},
    {"Shp1", 630, 30, 90, 16, "", false},
    {"Shp2", 630, 54, 90, 16, "", false},
    {"Shp3", 630, 78, 90, 16, "", false},
    {"Shp4", 630, 102, 90, 16, "", false},
    {"Shp5", 630, 126, 90, 16, "", false},
    {"Shp6", 630, 150, 90, 16, "", false},
    {"Label29", 645, 31, -1, -1, "IEC/DIN", true},
    {"Label30", 645, 55, -1, -1, "Классика", true},
    {"Label32", 645, 79, -1, -1, "Рок", true},
    {"Label33", 645, 103, -1, -1, "Шум белый", true},
    {"Label34", 645, 127, -1, -1, "Шум розовый", true},
    {"Label35", 645, 151, -1, -1, "Другая", true},
    {"Shape10", 475, 240, 12, 12, "", true},
    {"Shape9", 499, 240, 12, 12, "", true},
    {"Shape5", 523, 240, 12, 12, "", true},
    {"Shape7", 547, 240, 12, 12, "", true},
    {"Shape8", 571, 240, 12, 12, "", true},
    {"Shape6", 595, 240, 12, 12, "", true},
    {"Panel3", 8, 276, 207, 237, "", true},
    {"Label36", 6, 9, -1, -1, "Мощность усилителя, Вт", true},
    {"Label37", 6, 36, -1, -1, "Характ. чувствительность, дБ/Вт/м", true},
    {"Label38", 6, 57, -1, -1, "Номинальный импеданс, Ом", true},
    {"Label50", 6, 95, -1, -1, "Частота раздела, Гц", true},
    {"Label51", 6, 116, -1, -1, "Тип фильтра", true},
    {"Label52", 6, 137, -1, -1, "Порядок фильтра", true},
    {"Label53", 6, 172, -1, -1, "Нагрузка по мощности, Вт", true},
    {"Label44", 6, 216, -1, -1, "Общий SPL на 1 м, дБ", true},
    {"Edit9", 165, 6, 36, 21, "100", true},
    {"ButFType", 112, 117, 89, 36, "один для всех", true},
    {"GroupBox1", 219, 285, 166, 198, "   динамик НЧ   ", true},
    {"GroupBox2", 392, 285, 186, 198, "   ", true},
    {"GroupBox3", 586, 285, 153, 198, "   динамик ВЧ   ", true},
    {"CheckBoxMid", 410, 285, -1, -1, "динамик СЧ", true},
    {"Edit10", 12, 22, 42, 21, "88", true},
    {"Edit11", 12, 43, 42, 21, "4", true},
    {"Edit5", 12, 87, 81, 21, "320", true},
    {"ComboBox5", 12, 108, 81, 21, "Bessel", true},
    {"ComboBox7", 12, 129, 81, 21, "2", true},
    {"Edit7", 17, 163, 42, 21, "", true},
    {"Edit12", 12, 22, 42, 21, "88", true},
    {"Edit13", 12, 43, 42, 21, "4", true},
    {"Edit1", 12, 87, 81, 21, "320", true},
    {"Edit3", 93, 87, 81, 21, "3200", true},
    {"ComboBox1", 12, 108, 81, 21, "Bessel", true},
    {"ComboBox2", 93, 108, 81, 21, "Bessel", true},
    {"ComboBox3", 12, 129, 81, 21, "2", true},
    {"ComboBox4", 93, 129, 81, 21, "2", true},
    {"Edit4", 12, 163, 42, 21, "", true},
    {"Edit14", 12, 22, 42, 21, "88", true},
    {"Edit15", 12, 43, 42, 21, "4", true},
    {"Edit6", 12, 87, 81, 21, "3200", true},
    {"ComboBox6", 12, 108, 81, 21, "Bessel", true},
    {"ComboBox8", 12, 129, 81, 21, "2", true},
    {"Edit8", 12, 163, 42, 21, "", true},
    {"Edit20", 12, 108, 81, 21, "", true},
    {"Edit21", 12, 129, 81, 21, "", true},
    {"Edit22", 12, 108, 81, 21, "", true},
    {"Edit23", 12, 129, 81, 21, "", true},
    {"Edit24", 93, 108, 81, 21, "", true},
    {"Edit25", 93, 129, 81, 21, "", true},
    {"Edit26", 12, 108, 81, 21, "", true},
    {"Edit27", 12, 129, 81, 21, "", true},
    {"CBMidEq", -1, -1, -1, -1, " ровнять  Z ", true},
    {"CBHighEq", -1, -1, -1, -1, " ровнять  Z ", true},
    {"ListBox1", -1, -1, -1, -1, "", false},
    {"ButCalc", 459, 492, 79, 21, "Счёт!", true},
    {"Edit16", -1, 491, -1, 21, "", false},
    {"Edit17", -1, 491, -1, 21, "", false},
    {"Edit18", -1, 491, -1, 21, "", false},
    {"Panel2", 9, 6, 736, 515, "", true},
    {"Label25", 21, 6, -1, -1, "Имя кривой:", true},
    {"DBGrid1", 0, 24, 417, 185, "", true},
    {"Edit2", 16, 216, 225, 21, "", true},
    {"ButCurveOK", 245, 216, 75, 23, "OK", true},
    {"ButCancel", 341, 216, 75, 23, "Отмена", true},
    {"GroupBox4", 680, 480, 49, 30, "", true},
    {"Image6", 0, 6, 49, 22, "", true},
    {"StatusBar1", 0, 520, 749, 19, "", true},
};

void CheckPlaces(QWidget* window, const Place* begin, const Place* end) {
    for (const Place* p = begin; p != end; ++p) {
        SCOPED_TRACE(p->name);
        auto* w = window->findChild<QWidget*>(QString::fromUtf8(p->name));
        ASSERT_NE(w, nullptr);
        const QRect g = w->geometry();
        if (p->x >= 0) {
            EXPECT_EQ(g.x(), p->x);
        }
        if (p->y >= 0) {
            EXPECT_EQ(g.y(), p->y);
        }
        if (p->w >= 0) {
            EXPECT_EQ(g.width(), p->w);
        }
        if (p->h >= 0) {
            EXPECT_EQ(g.height(), p->h);
        }
        EXPECT_EQ(TextOf(w), QString::fromUtf8(p->text));
        EXPECT_EQ(w->isVisibleTo(window), p->visible);
    }
}

using LayoutTest = WindowTest;

TEST_F(LayoutTest, MainWindowAtDesignTime) {
    create(false);
    EXPECT_EQ(main->windowTitle(), " Ampora");
    EXPECT_EQ(main->centralWidget()->size(), QSize(749, 539));
    CheckPlaces(main.get(), std::begin(MainPlaces), std::end(MainPlaces));
    EXPECT_EQ(button("ButCalc")->toolTip(), "Выполнить расчёт");
    EXPECT_EQ(button("ButFType")->toolTip(), "Тип и порядок как для НЧ");
    for (int no : {7, 4, 8, 16, 17, 18, 19, 30}) EXPECT_TRUE(box(no)->isReadOnly()) << no;
    for (int no : {9, 10, 5, 1, 3, 6, 28, 29}) EXPECT_FALSE(box(no)->isReadOnly()) << no;
    EXPECT_TRUE(check("CheckBoxMid")->isChecked());
    EXPECT_TRUE(check("CBMidEq")->isChecked());
    EXPECT_TRUE(check("CBHighEq")->isChecked());
    // The picker lies behind everything but its print button.
    const QList<QObject*> order = main->centralWidget()->children();
    EXPECT_EQ(order.indexOf(find<QFrame>("Panel2")), 0);
    for (int no : {5, 1, 2, 6}) EXPECT_EQ(combo(no)->count(), 4) << no;
    EXPECT_EQ(combo(5)->itemText(0), QString::fromUtf8("———"));
    EXPECT_EQ(combo(5)->itemText(3), "Linkwitz");
}

TEST_F(LayoutTest, MenusAtDesignTime) {
    create(false);
    const struct {
        const char* name;
        const char* text;
        bool visible;
    } items[] = {
        {"MenuFile", "Файл", true},
        {"SubMenuCurve", "Кривая", true},
        {"CmdCurveNew", "Создать", true},
        {"CmdCurveOpen", "Загрузить", true},
        {"CmdCurveSave", "Сохранить", true},
        {"CmdCurveSaveAs", "Сохранить как...", true},
        {"CmdCurveDelete", "Удалить", true},
        {"SubMenuProject", "Проект", false},
        {"CmdFilePrint", "Печать", false},
        {"SubFileBreak1", "", false},
        {"CmdFileExit", "Выход", true},
        {"MenuService", "Сервис", true},
        {"CmdIecGost", "IEC -> реальная мощность", true},
        {"MenuLanguage", "Язык", true},
        {"CmdLangRus", "Русский", true},
        {"CmdLangBel", "Беларускі", true},
        {"CmdLangEng", "English", true},
        {"MenuHelp", "Справка", true},
        {"CmdHelpHelp", "Помощь", true},
        {"CmdHelpAbout", "О программе", true},
        {"PopUpCurveNew", "Создать", true},
        {"PopUpCurveOpen", "Загрузить", true},
        {"PopUpCurveSave", "Сохранить", true},
        {"PopUpCurveSaveAs", "Сохранить как...", true},
        {"PopUpCurveDelete", "Удалить", true},
    };
    for (const auto& i : items) {
        SCOPED_TRACE(i.name);
        QAction* a = main->MenuItems.value(QString::fromUtf8(i.name));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(i.text));
        EXPECT_EQ(a->isVisible(), i.visible);
    }
    EXPECT_TRUE(main->MenuItems.value("CmdLangRus")->isChecked());
    EXPECT_FALSE(main->MenuItems.value("CmdLangEng")->isChecked());
    EXPECT_FALSE(main->MenuItems.value("CmdLangBel")->isChecked());
}

TEST_F(LayoutTest, IecAndAboutWindows) {
    create(false);
    EXPECT_EQ(iec()->windowTitle(), "ReCalc Power");
    EXPECT_EQ(iec()->size(), QSize(567, 284));
    const Place iecPlaces[] = {
        {"GroupBox3", 16, 24, 537, 201,
         " Расчёт реально допустимой мощности ВЧ головки по паспортным данным ( IEC ) ", true},
        {"Label1", 12, 57, -1, -1, "Максимальная мощность, Вт", true},
        {"Label3", 12, 104, -1, -1, "При условиях:", true},
        {"Label4", 44, 129, -1, -1, "частота среза ФВЧ, Гц", true},
        {"Label5", 44, 150, -1, -1, "порядок ФВЧ", true},
        {"GroupBox1", 177, 24, 169, 161, " Паспортные данные по IEC ", true},
        {"GroupBox2", 354, 24, 169, 161, " Реально допустимо ", true},
        {"Edit1", -1, 27, -1, 21, "100", true},
        {"Edit3", -1, 99, -1, 21, "3000", true},
        {"Edit4", -1, 120, -1, 21, "2", true},
        {"Edit5", -1, 27, -1, 21, "", true},
        {"Edit7", -1, 99, -1, 21, "3000", false},
        {"ComboBox1", -1, 120, -1, 21, "", false},
    };
    CheckPlaces(iec(), std::begin(iecPlaces), std::end(iecPlaces));
    EXPECT_TRUE(iecBox(4)->isReadOnly());
    EXPECT_TRUE(iecBox(5)->isReadOnly());
    EXPECT_EQ(about()->windowTitle(), " О программе");
    EXPECT_EQ(about()->size(), QSize(405, 194));
}

TEST_F(LayoutTest, EveryCaptionFitsItsPlaceInEveryLanguage) {
    create();
    for (const char* language : {"Rus", "Eng", "Bel"}) {
        SCOPED_TRACE(language);
        loadMenu(language);
        // Row captions end before the box or button on their row.
        const struct {
            const char* name;
            int limit;
        } rows[] = {{"Label36", 165}, {"Label37", 207}, {"Label38", 207}, {"Label50", 207},
                    {"Label51", 112}, {"Label52", 112}, {"Label53", 207}, {"Label44", 155}};
        for (const auto& r : rows) {
            auto* l = find<QLabel>(r.name);
            EXPECT_LE(l->x() + l->sizeHint().width(), r.limit) << r.name;
        }
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 button("ButCalc"), button("ButFType"), button("ButCancel"), check("CBMidEq"),
                 check("CBHighEq"), check("CheckBoxMid")}) {
            // Text plus the check indicator or the button's margins.
            const int extra = qobject_cast<QCheckBox*>(b) ? 20 : 8;
            EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()) + extra, b->width())
                << b->objectName().toStdString();
        }
        for (QGroupBox* g :
             {group("GroupBox1"), group("GroupBox3"), findIec<QGroupBox>("GroupBox1"),
              findIec<QGroupBox>("GroupBox2"), findIec<QGroupBox>("GroupBox3")}) {
            EXPECT_LE(QFontMetrics(g->font()).horizontalAdvance(g->title()) + 16, g->width())
                << g->objectName().toStdString();
        }
        for (QLabel* l :
             {findIec<QLabel>("Label1"), findIec<QLabel>("Label4"), findIec<QLabel>("Label5")})
            EXPECT_LE(l->x() + l->sizeHint().width(), findIec<QGroupBox>("GroupBox1")->x())
                << l->objectName().toStdString();
        // The preset captions stay inside the graph panel.
        for (const char* preset :
             {"Label29", "Label30", "Label32", "Label33", "Label34", "Label35"})
            for (QLabel* l : {label(preset)})
                EXPECT_LE(l->x() + l->sizeHint().width(), find<QFrame>("Panel1")->width());
    }
}

TEST_F(LayoutTest, AboutBoxIsCentredOverTheMainWindowUnclamped) {
    const struct {
        QRect main;
        QSize about;
        QPoint expected;
    } cases[] = {
        {QRect(100, 50, 755, 583), QSize(411, 220), QPoint(272, 232)},
        // 344 / 2 = 172 exactly; an odd difference rounds half to even.
        {QRect(0, 0, 756, 583), QSize(411, 220), QPoint(172, 182)},
        {QRect(0, 0, 757, 585), QSize(411, 220), QPoint(173, 182)},
        // Partly off the screen stays off the screen.
        {QRect(-700, -500, 755, 583), QSize(411, 220), QPoint(-528, -318)},
    };
    for (const auto& c : cases) EXPECT_EQ(TF_About::CentredOver(c.main, c.about), c.expected);

    create();
    QTimer::singleShot(50, about(), [this] {
        EXPECT_EQ(about()->pos(),
                  TF_About::CentredOver(main->frameGeometry(), about()->frameGeometry().size()));
        about()->reject();
    });
    main->MenuItems.value("CmdHelpAbout")->trigger();
    EXPECT_FALSE(about()->isVisible());
}

TEST_F(LayoutTest, ReturningFromTheAboutBoxRecalculates) {
    create();
    box(7)->clear();
    QTimer::singleShot(50, about(), [this] { about()->reject(); });
    main->MenuItems.value("CmdHelpAbout")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QCoreApplication::processEvents();
    EXPECT_FALSE(box(7)->text().isEmpty());
}

TEST_F(LayoutTest, EmptyTextTableEndsTheProgramWithTheRussianMessage) {
    // A normal run leaves curves and a settings record behind.
    create();
    loadMenu("Eng");
    closeMain();
    destroy();
    auto bytes = [&] {
        QFile f(folder + "Curves.cds");
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };
    const QByteArray before = bytes();
    {
        Table menu(TextTableFields());
        menu.createEmpty();
        menu.saveToFile((folder + "Menu.cds").toStdString());
    }
    messages.clear();
    create(false);
    EXPECT_TRUE(main->terminationRequested());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Отсутствует или повреждён файл меню");
    destroy();
    EXPECT_EQ(bytes(), before);  // the settings record it took out is not lost
    EXPECT_FALSE(QFile::exists(folder + "Ctmp.cds"));
}

TEST_F(LayoutTest, MissingOrDamagedTextTableEndsTheProgram) {
    for (const bool damaged : {false, true}) {
        QFile::remove(folder + "Menu.cds");
        if (damaged) {
            QFile f(folder + "Menu.cds");
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("not a table at all");
        }
        messages.clear();
        create(false);
        EXPECT_TRUE(main->terminationRequested());
        EXPECT_EQ(messages, QStringList{"Отсутствует или повреждён файл меню"});
        main.reset();
    }
}

}  // namespace
}  // namespace ampora::ui::testing
