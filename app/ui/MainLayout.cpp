// The main window's frame: the panels at their fixed places, the status bar,
// the menus and what each menu item runs. Each panel builds its own
// controls with their built-in (Russian) texts; captions that change with the
// language are replaced later from the text table.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <string_view>

#include "app/ui/DesignCommands.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ReportWriter.h"
#include "calc/ui/BandBreakdownWindow.h"
#include "calc/ui/PowerHandlingWiring.h"
#include "calc/ui/ResultsPanel.h"
#include "curves/ui/CurvePanel.h"
#include "curves/ui/GraphPicture.h"
#include "curves/ui/MeasurementCommands.h"
#include "i18n/Messages.h"
#include "i18n/ui/LanguageSwitch.h"
#include "inputs/ui/InputPanel.h"
#include "session/Session.h"

namespace ampora::ui {

void TF_Main::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(749, 539);
    setCentralWidget(client);

    // In this order, which is the stacking order: the picker (with the graph
    // panel) lies under everything until a curve command brings it to the
    // front, and the Linkwitz listing over the midrange column.
    curves_ = std::make_unique<CurvePanel>(*session_, client);
    inputs_ = std::make_unique<InputPanel>(*session_, client);
    results_ = std::make_unique<ResultsPanel>(
        *session_, client, inputs_->rowCaptions(),
        std::array<QWidget*, DriverCount>{inputs_->column(Bass), inputs_->column(Mid),
                                          inputs_->column(Tweeter)});

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 520, 749, 19);
    StatusBar1->setSizeGripEnabled(false);
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
    QMenu* language = submenu(bar, "MenuLanguage", "Язык");
    for (const char* name : {"CmdLangRus", "CmdLangBel", "CmdLangEng"}) {
        const char* text = name == std::string_view("CmdLangRus")   ? "Русский"
                           : name == std::string_view("CmdLangBel") ? "Беларускі"
                                                                    : "English";
        QAction* a = item(language, name, text);
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

    language_ = std::make_unique<LanguageSwitch>(*session_, this, MenuItems);
    // The commands of later features stay out of MenuItems (the text table's).
    designCommands_ = std::make_unique<DesignCommands>(
        *session_, this, file, MenuItems.value(QStringLiteral("SubMenuProject")));
    InstallMeasurementCommands(*curves_, curve);
    InstallBandBreakdown(*session_, this, service);
    InstallPowerHandling(*session_, this, service);
    InstallReportCommand(*session_, this, file, MenuItems.value(QStringLiteral("SubFileBreak2")));
    buildPictureMenu(file);
}

void TF_Main::buildPictureMenu(QMenu* file) {
    // File → Export picture: each plot as PNG or SVG; the graph's popup menu
    // gets its commands after the delivered items.
    auto* pictures = new QMenu(file);
    pictures->setObjectName(QStringLiteral("MenuExportPicture"));
    pictures->menuAction()->setObjectName(QStringLiteral("MenuExportPicture"));
    file->insertMenu(MenuItems.value(QStringLiteral("SubFileBreak2")), pictures);
    InstallGraphPicture(*curves_, PopupMenu1, pictures);
    InstallBandPlotPicture(*session_, this, pictures);
    const auto retranslate = [this, pictures] {
        pictures->setTitle(session_->text(CaptionExportPicture));
    };
    retranslate();
    connect(session_.get(), &Session::languageChanged, pictures, retranslate);
}

void TF_Main::connectMenus() {
    const auto onMenu = [this](const QString& name, auto* receiver, auto handler) {
        connect(MenuItems.value(name), &QAction::triggered, receiver,
                [receiver, handler] { (receiver->*handler)(); });
    };
    // Each curve command is in the File menu and in the graph's popup menu.
    CurvePanel* curves = curves_.get();
    const struct {
        const char* command;
        void (CurvePanel::*handler)();
    } curveCommands[] = {{"CurveNew", &CurvePanel::CmdCurveNewClick},
                         {"CurveOpen", &CurvePanel::CmdCurveOpenClick},
                         {"CurveSave", &CurvePanel::CmdCurveSaveClick},
                         {"CurveSaveAs", &CurvePanel::CmdCurveSaveAsClick},
                         {"CurveDelete", &CurvePanel::CmdCurveDeleteClick}};
    for (const char* prefix : {"Cmd", "PopUp"})
        for (const auto& c : curveCommands)
            onMenu(QString::fromUtf8(prefix) + QString::fromUtf8(c.command), curves, c.handler);
    onMenu(QStringLiteral("CmdFileExit"), this, &TF_Main::CmdFileExitClick);
    onMenu(QStringLiteral("CmdIecGost"), this, &TF_Main::CmdIecGostClick);
    LanguageSwitch* language = language_.get();
    onMenu(QStringLiteral("CmdLangRus"), language, &LanguageSwitch::CmdLangRusClick);
    onMenu(QStringLiteral("CmdLangEng"), language, &LanguageSwitch::CmdLangEngClick);
    onMenu(QStringLiteral("CmdLangBel"), language, &LanguageSwitch::CmdLangBelClick);
    onMenu(QStringLiteral("CmdHelpHelp"), language, &LanguageSwitch::CmdHelpHelpClick);
    onMenu(QStringLiteral("CmdHelpAbout"), this, &TF_Main::CmdHelpAboutClick);
    connect(curves, &CurvePanel::popupMenuRequested, this, [this](const QPoint& at) {
        lastPopupPos_ = at;
        PopupMenu1->popup(at);
    });
}

}  // namespace ampora::ui
