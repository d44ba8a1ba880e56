// The fixed layout of the main window: every control at its pixel place with
// its built-in (Russian) text. Captions that change with the language are
// replaced later from the text table.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include "kit/Controls.h"
#include "app/ui/MainWindow.h"
#include "kit/Widgets.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurveGridModel.h"
#include "curves/ui/GraphImage.h"

namespace ampora::ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, int x, int y, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* MakeEdit(QWidget* parent, int no, int x, int y, int w, const QString& text,
                    bool readOnly = false) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QStringLiteral("Edit%1").arg(no));
    e->setGeometry(x, y, w, 21);
    e->setReadOnly(readOnly);
    if (readOnly) e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

const QStringList FilterTypes = {QString::fromUtf8("———"), QStringLiteral("Bessel"),
                                 QStringLiteral("Butterworth"), QStringLiteral("Linkwitz")};
const QStringList FilterOrders = {"1", "2", "3", "4"};

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QRect& r, const QString& title) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(name);
    g->setGeometry(r);
    return g;
}

}  // namespace

void TF_Main::buildLayout() {
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(749, 539);
    setCentralWidget(client);

    // The picker panel comes first so that every other control lies over it
    // until a curve command brings it to the front.
    Panel2 = new QFrame(client);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(9, 6, 736, 515);
    Panel2->setAutoFillBackground(true);
    Label25 = MakeLabel(Panel2, "Label25", 21, 6, QString::fromUtf8("Имя кривой:"));
    {
        QFont f = Label25->font();
        f.setBold(true);
        f.setPixelSize(13);
        Label25->setFont(f);
        Label25->adjustSize();
    }
    DBGrid1 = new QTableView(Panel2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(0, 24, 417, 185);
    // The grid gets its model (and with it its 32 columns) when the picker
    // first opens: most runs never open it, and laying it out costs start-up.
    gridModel_ = new CurveGridModel(table1_.get(), DBGrid1);
    DBGrid1->horizontalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    DBGrid1->verticalHeader()->setFixedWidth(12);
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A curve is picked by its row; Tab goes on to the name box and buttons.
    DBGrid1->setTabKeyNavigation(false);
    edits_[2] = MakeEdit(Panel2, 2, 16, 216, 225, QString());
    ButCurveOK = new QPushButton(QStringLiteral("OK"), Panel2);
    ButCurveOK->setObjectName(QStringLiteral("ButCurveOK"));
    ButCurveOK->setGeometry(245, 216, 75, 23);
    ButCancel = new QPushButton(QString::fromUtf8("Отмена"), Panel2);
    ButCancel->setObjectName(QStringLiteral("ButCancel"));
    ButCancel->setGeometry(341, 216, 75, 23);
    GroupBox4 = MakeGroup(Panel2, "GroupBox4", QRect(680, 480, 49, 30), QString());
    GroupBox4->setFlat(true);
    Image6 = new PictureBox(GroupBox4);
    Image6->setObjectName(QStringLiteral("Image6"));
    Image6->setGeometry(0, 6, 49, 22);
    Image6->setPicture(PrinterPicture());
    Image6->setCursor(Qt::PointingHandCursor);

    // --- the graph panel ---------------------------------------------------
    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 6, 729, 265);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    {
        QPalette pal = Panel1->palette();
        pal.setColor(QPalette::Window, Qt::white);
        Panel1->setPalette(pal);
    }
    Image1 = new GraphImage(Panel1, 616, 249);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 616, 249);

    auto grey = [](QLabel* l) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
        l->setPalette(pal);
    };
    const char* dbTexts[] = {"0", "-10", "-20", "-30", "-40"};
    for (int i = 0; i < 5; ++i) {
        QLabel* l = MakeLabel(Panel1, QStringLiteral("Label%1").arg(i + 1), i == 0 ? 30 : 21,
                              38 + 36 * i, dbTexts[i]);
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        grey(l);
    }
    grey(MakeLabel(Panel1, "Label6", 25, 15, "dB"));
    const char* hzTexts[] = {"20", "40", "80", "160", "320", "640", "1к2", "2к5", "5к", "10к", "20к"};
    const int hzLefts[] = {50, 104, 158, 210, 264, 318, 372, 426, 480, 534, 582};
    for (int i = 0; i < 11; ++i)
        grey(MakeLabel(Panel1, QStringLiteral("Label%1").arg(i + 8), hzLefts[i], 212,
                       QString::fromUtf8(hzTexts[i])));
    grey(MakeLabel(Panel1, "Label7", 612, 212, "Hz"));
    Label19 = MakeLabel(Panel1, "Label19", 40, 228, QString::fromUtf8("Уровень"));
    Label20 = MakeLabel(Panel1, "Label20", 40, 240, QString::fromUtf8("Частота"));
    Label21 = MakeLabel(Panel1, "Label21", 105, 228, "=");
    Label22 = MakeLabel(Panel1, "Label22", 105, 240, "=");
    Label31 = MakeLabel(Panel1, "Label31", 104, 6,
                        QString::fromUtf8("Спектральное распределение мощности сигнала"));
    {
        QFont f = Label31->font();
        f.setBold(true);
        Label31->setFont(f);
        Label31->adjustSize();
    }
    Label24 = MakeLabel(Panel1, "Label24", 250, 228, QString());

    const int presetTops[] = {31, 55, 79, 103, 127, 151};
    const char* presetNames[] = {"Label29", "Label30", "Label32", "Label33", "Label34", "Label35"};
    const char* presetTexts[] = {PresetCurveNames[0], PresetCurveNames[1], PresetCurveNames[2],
                                 PresetCurveNames[3], PresetCurveNames[4], "Другая"};
    for (int i = 0; i < 6; ++i) {
        auto* marker = new ShapeBox(Panel1, Qt::white, Qt::black, 5);
        marker->setObjectName(QStringLiteral("Shp%1").arg(i + 1));
        marker->setGeometry(630, 30 + 24 * i, 90, 16);
        marker->hide();
        Shp[size_t(i)] = marker;
    }
    for (int i = 0; i < 6; ++i) {
        QLabel* l = MakeLabel(Panel1, presetNames[i], 645, presetTops[i],
                              QString::fromUtf8(presetTexts[i]));
        l->setCursor(Qt::PointingHandCursor);
        PresetLabels[size_t(i)] = l;
    }
    // Squares from left to right: Shape10, Shape9, Shape5, Shape7, Shape8, Shape6.
    const struct { int no; int left; uint32_t colour; } squares[] = {
        {5, 523, 0x0B7006}, {6, 595, 0x739BD8}, {7, 547, 0xFE0000},
        {8, 571, 0x41B171}, {9, 499, 0x818101}, {10, 475, 0x818181}};
    for (const auto& s : squares) {
        auto* sq = new ShapeBox(Panel1, ColorFromInt(s.colour), Qt::black, 0);
        sq->setObjectName(QStringLiteral("Shape%1").arg(s.no));
        sq->setGeometry(s.left, 240, 12, 12);
        sq->setCursor(Qt::PointingHandCursor);
        Shapes[size_t(s.no - 5)] = sq;
    }

    // --- the row captions --------------------------------------------------
    Panel3 = new QFrame(client);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(8, 276, 207, 237);
    const struct { const char* name; int top; const char* text; } rows[] = {
        {"Label36", 9, "Мощность усилителя, Вт"},
        {"Label37", 36, "Характ. чувствительность, дБ/Вт/м"},
        {"Label38", 57, "Номинальный импеданс, Ом"},
        {"Label50", 95, "Частота раздела, Гц"},
        {"Label51", 116, "Тип фильтра"},
        {"Label52", 137, "Порядок фильтра"},
        {"Label53", 172, "Нагрузка по мощности, Вт"},
        {"Label44", 216, "Общий SPL на 1 м, дБ"}};
    for (const auto& r : rows) MakeLabel(Panel3, r.name, 6, r.top, QString::fromUtf8(r.text));
    edits_[9] = MakeEdit(Panel3, 9, 165, 6, 36, "100");
    ButFType = new QPushButton(QString::fromUtf8("один для всех"), Panel3);
    ButFType->setObjectName(QStringLiteral("ButFType"));
    ButFType->setGeometry(112, 117, 89, 36);
    ButFType->setToolTip(QString::fromUtf8("Тип и порядок как для НЧ"));
    edits_[19] = MakeEdit(Panel3, 19, 155, 212, 46, QString(), true);
    const int lineTops[] = {31, 79, 160, 204};
    for (int i = 0; i < 4; ++i) {
        auto* line = new QFrame(Panel3);
        line->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setStyleSheet(QStringLiteral("color: #a0a0a0"));
        line->setGeometry(2, lineTops[i], 203, 1);
    }

    // --- the driver columns ------------------------------------------------
    GroupBox1 = MakeGroup(client, "GroupBox1", QRect(219, 285, 166, 198),
                          QString::fromUtf8("   динамик НЧ   "));
    GroupBox2 = MakeGroup(client, "GroupBox2", QRect(392, 285, 186, 198), QStringLiteral("   "));
    GroupBox3 = MakeGroup(client, "GroupBox3", QRect(586, 285, 153, 198),
                          QString::fromUtf8("   динамик ВЧ   "));

    auto makeCombo = [&](QWidget* parent, int no, int x, int y, const QStringList& items) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QStringLiteral("ComboBox%1").arg(no));
        MakeEditableList(c, items);
        c->setGeometry(x, y, 81, 21);
        combos_[size_t(no - 1)] = c;
        return c;
    };
    // The plain boxes under the filter lists stand in for them on paper.
    auto printCopy = [&](QWidget* parent, int no, int x, int y) {
        edits_[size_t(no)] = MakeEdit(parent, no, x, y, 81, QString());
        // Lying under its list, it must never catch typing meant for it.
        edits_[size_t(no)]->setFocusPolicy(Qt::NoFocus);
    };
    auto picture = [&](QWidget* parent, int no, int kind, int x, int y) {
        auto* p = new PictureBox(parent);
        p->setObjectName(QStringLiteral("Image%1").arg(no));
        p->setGeometry(x, y, 34, 20);
        p->setPicture(FilterPictogram(kind));
        Pictograms[size_t(no - 2)] = p;
    };

    // Bass.
    edits_[10] = MakeEdit(GroupBox1, 10, 12, 22, 42, "88");
    edits_[11] = MakeEdit(GroupBox1, 11, 12, 43, 42, "4");
    edits_[5] = MakeEdit(GroupBox1, 5, 12, 87, 81, "320");
    printCopy(GroupBox1, 20, 12, 108);
    printCopy(GroupBox1, 21, 12, 129);
    makeCombo(GroupBox1, 5, 12, 108, FilterTypes);
    makeCombo(GroupBox1, 7, 12, 129, FilterOrders);
    edits_[7] = MakeEdit(GroupBox1, 7, 17, 163, 42, QString(), true);
    MakeLabel(GroupBox1, "Label23", 64, 25, "F1, Hz");
    MakeLabel(GroupBox1, "Label26", 64, 46, "F2, Hz");
    Label27 = MakeLabel(GroupBox1, "Label27", 64, 67, "Kmax, dB");
    edits_[28] = MakeEdit(GroupBox1, 28, 116, 22, 40, QString());
    edits_[29] = MakeEdit(GroupBox1, 29, 116, 43, 40, QString());
    edits_[30] = MakeEdit(GroupBox1, 30, 116, 64, 40, QString(), true);
    picture(GroupBox1, 2, 0, 108, 118);

    // Midrange: two filters side by side, lower edge on the left.
    edits_[12] = MakeEdit(GroupBox2, 12, 12, 22, 42, "88");
    edits_[13] = MakeEdit(GroupBox2, 13, 12, 43, 42, "4");
    edits_[1] = MakeEdit(GroupBox2, 1, 12, 87, 81, "320");
    edits_[3] = MakeEdit(GroupBox2, 3, 93, 87, 81, "3200");
    printCopy(GroupBox2, 22, 12, 108);
    printCopy(GroupBox2, 23, 12, 129);
    printCopy(GroupBox2, 24, 93, 108);
    printCopy(GroupBox2, 25, 93, 129);
    makeCombo(GroupBox2, 1, 12, 108, FilterTypes);
    makeCombo(GroupBox2, 3, 12, 129, FilterOrders);
    makeCombo(GroupBox2, 2, 93, 108, FilterTypes);
    makeCombo(GroupBox2, 4, 93, 129, FilterOrders);
    edits_[4] = MakeEdit(GroupBox2, 4, 12, 163, 42, QString(), true);
    CBMidEq = new QCheckBox(QString::fromUtf8(" ровнять  Z "), GroupBox2);
    CBMidEq->setObjectName(QStringLiteral("CBMidEq"));
    CBMidEq->setGeometry(64, 22, 118, 19);
    CBMidEq->setChecked(true);
    Label40 = MakeLabel(GroupBox2, "Label40", 66, 46, QString());
    Label41 = MakeLabel(GroupBox2, "Label41", 66, 64, QString());
    picture(GroupBox2, 3, 1, 76, 164);
    picture(GroupBox2, 4, 2, 130, 164);

    // Tweeter.
    edits_[14] = MakeEdit(GroupBox3, 14, 12, 22, 42, "88");
    edits_[15] = MakeEdit(GroupBox3, 15, 12, 43, 42, "4");
    edits_[6] = MakeEdit(GroupBox3, 6, 12, 87, 81, "3200");
    printCopy(GroupBox3, 26, 12, 108);
    printCopy(GroupBox3, 27, 12, 129);
    makeCombo(GroupBox3, 6, 12, 108, FilterTypes);
    makeCombo(GroupBox3, 8, 12, 129, FilterOrders);
    edits_[8] = MakeEdit(GroupBox3, 8, 12, 163, 42, QString(), true);
    CBHighEq = new QCheckBox(QString::fromUtf8(" ровнять  Z "), GroupBox3);
    CBHighEq->setObjectName(QStringLiteral("CBHighEq"));
    CBHighEq->setGeometry(56, 22, 96, 19);
    CBHighEq->setChecked(true);
    Label42 = MakeLabel(GroupBox3, "Label42", 60, 46, QString());
    Label43 = MakeLabel(GroupBox3, "Label43", 60, 64, QString());
    picture(GroupBox3, 5, 3, 106, 118);

    CheckBoxMid = new QCheckBox(QString::fromUtf8("динамик СЧ"), client);
    CheckBoxMid->setObjectName(QStringLiteral("CheckBoxMid"));
    CheckBoxMid->setGeometry(410, 285, 110, 17);
    CheckBoxMid->setChecked(true);
    CheckBoxMid->setAutoFillBackground(true);

    ListBox1 = new QListWidget(client);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(398, 300, 174, 178);
    ListBox1->hide();

    ButCalc = new QPushButton(QString::fromUtf8("Счёт!"), client);
    ButCalc->setObjectName(QStringLiteral("ButCalc"));
    ButCalc->setGeometry(459, 492, 79, 21);
    ButCalc->setToolTip(QString::fromUtf8("Выполнить расчёт"));
    for (int i = 0; i < 3; ++i) {
        edits_[size_t(16 + i)] = MakeEdit(client, 16 + i, 600 + 44 * i, 491, 40, QString(), true);
        edits_[size_t(16 + i)]->hide();
    }

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 520, 749, 19);
    StatusBar1->setSizeGripEnabled(false);

    // Enter on a focused button clicks it, as Space does.
    for (QPushButton* b : {ButCalc, ButFType, ButCurveOK, ButCancel}) b->setAutoDefault(true);

    // The picker lies behind everything until a curve command needs it, and
    // out of reach of the keyboard while it does.
    Panel2->lower();
    for (QWidget* w : pickerControls()) w->setEnabled(false);
}

void TF_Main::buildMenus() {
    auto item = [&](QMenu* menu, const char* name, const char* text) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromUtf8(name));
        MenuItems.insert(a->objectName(), a);
        return a;
    };
    auto submenu = [&](QWidget* parentMenu, const char* name, const char* text) {
        auto* m = new QMenu(QString::fromUtf8(text), parentMenu);
        m->setObjectName(QString::fromUtf8(name));
        m->menuAction()->setObjectName(QString::fromUtf8(name));
        MenuItems.insert(m->objectName(), m->menuAction());
        if (auto* bar = qobject_cast<QMenuBar*>(parentMenu))
            bar->addMenu(m);
        else
            qobject_cast<QMenu*>(parentMenu)->addMenu(m);
        return m;
    };
    auto separator = [&](QMenu* menu, const char* name) {
        QAction* s = menu->addSeparator();
        s->setObjectName(QString::fromUtf8(name));
        MenuItems.insert(s->objectName(), s);
        return s;
    };

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = submenu(bar, "MenuFile", "Файл");
    QMenu* curve = submenu(file, "SubMenuCurve", "Кривая");
    item(curve, "CmdCurveNew", "Создать");
    item(curve, "CmdCurveOpen", "Загрузить");
    item(curve, "CmdCurveSave", "Сохранить");
    item(curve, "CmdCurveSaveAs", "Сохранить как...");
    separator(curve, "CmdCurveBreak1");
    item(curve, "CmdCurveDelete", "Удалить");
    QMenu* project = submenu(file, "SubMenuProject", "Проект");
    item(project, "CmdProNew", "Создать");
    item(project, "CmdProjOpen", "Загрузить");
    item(project, "CmdProjSave", "Сохранить");
    item(project, "CmdProjSaveAs", "Сохранить как...");
    project->menuAction()->setVisible(false);
    separator(file, "SubFileBreak1")->setVisible(false);
    item(file, "CmdFilePrint", "Печать")->setVisible(false);
    separator(file, "SubFileBreak2");
    item(file, "CmdFileExit", "Выход");
    QMenu* service = submenu(bar, "MenuService", "Сервис");
    item(service, "CmdIecGost", "IEC -> реальная мощность");
    MenuLanguage = submenu(bar, "MenuLanguage", "Язык");
    for (const char* name : {"CmdLangRus", "CmdLangBel", "CmdLangEng"}) {
        const char* text = name == std::string_view("CmdLangRus")   ? "Русский"
                           : name == std::string_view("CmdLangBel") ? "Беларускі"
                                                                    : "English";
        QAction* a = item(MenuLanguage, name, text);
        a->setCheckable(true);
        a->setChecked(name == std::string_view("CmdLangRus"));
    }
    QMenu* help = submenu(bar, "MenuHelp", "Справка");
    item(help, "CmdHelpHelp", "Помощь");
    separator(help, "MenuHelpBreak1");
    item(help, "CmdHelpAbout", "О программе");

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    item(PopupMenu1, "PopUpCurveNew", "Создать");
    item(PopupMenu1, "PopUpCurveOpen", "Загрузить");
    item(PopupMenu1, "PopUpCurveSave", "Сохранить");
    item(PopupMenu1, "PopUpCurveSaveAs", "Сохранить как...");
    separator(PopupMenu1, "PopUpCurveBreak1");
    item(PopupMenu1, "PopUpCurveDelete", "Удалить");
}

}  // namespace ampora::ui
