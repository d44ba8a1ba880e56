// Language switching: the text table applied to every addressed control.

#include "i18n/ui/LanguageSwitch.h"

#include <QAction>

#include "i18n/Messages.h"
#include "kit/Controls.h"
#include "kit/HelpViewer.h"
#include "session/Session.h"
#include "session/WindowTexts.h"

namespace ampora::ui {

namespace {
// By language, as Language orders them.
constexpr std::array<const char*, 3> HelpFiles = {"ApHlpRus.hlp", "ApHlpEng.hlp", "ApHlpBel.hlp"};
constexpr std::array<const char*, 3> LanguageItems = {"CmdLangRus", "CmdLangEng", "CmdLangBel"};
}  // namespace

LanguageSwitch::LanguageSwitch(Session& session, QWidget* window,
                               const QHash<QString, QAction*>& menuItems)
    : session_(session), window_(window), menuItems_(menuItems) {
    // No language while a curve command waits in the picker: its caption
    // was set in the language it opened with.
    connect(&session_, &Session::languageSwitchEnabledChanged, this, [this](bool enabled) {
        menuItems_.value(QStringLiteral("MenuLanguage"))->setEnabled(enabled);
    });
}

void LanguageSwitch::LoadMenu(Language language) {
    for (Language l : Languages)
        menuItems_.value(QString::fromUtf8(LanguageItems[size_t(TextIndex(l))]))
            ->setChecked(l == language);
    helpFile_ = session_.dataFolder() + QString::fromUtf8(HelpFiles[size_t(TextIndex(language))]);
    ApplyTexts(session_.textTable(), language, TextWindow::Main, window_, menuItems_);
    session_.setLanguage(language);
}

void LanguageSwitch::CmdHelpHelpClick() {
    if (!ShowHelp(window_, helpFile_)) ShowMessage(window_, QString::fromUtf8(MsgHelpFailed));
}

}  // namespace ampora::ui
