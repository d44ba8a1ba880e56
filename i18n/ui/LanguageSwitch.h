#pragma once
// The Language menu and help: a switch sets every caption of the main window
// from the text table, the check mark of the language and the help file,
// then the session tells the other windows to follow.

#include <QHash>
#include <QObject>
#include <QString>

#include "i18n/Language.h"

class QAction;
class QWidget;

namespace ampora::ui {

class Session;

class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    // menuItems: the main window's menu items by name (the text table's).
    LanguageSwitch(Session& session, QWidget* window, const QHash<QString, QAction*>& menuItems);

    void LoadMenu(Language language);
    void CmdLangRusClick() { LoadMenu(Language::Russian); }
    void CmdLangEngClick() { LoadMenu(Language::English); }
    void CmdLangBelClick() { LoadMenu(Language::Belarusian); }
    void CmdHelpHelpClick();
    // The help file of the current language.
    const QString& HelpFile() const { return helpFile_; }

private:
    Session& session_;
    QWidget* window_;
    const QHash<QString, QAction*>& menuItems_;
    QString helpFile_;
};

}  // namespace ampora::ui
