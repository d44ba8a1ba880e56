// Design files from the File menu: a design holds the inputs of one
// calculation, so opening one sets the controls as a user would and
// calculates; nothing else of the window's state goes into the file.

#include "app/ui/DesignCommands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "calc/DesignFile.h"
#include "i18n/Messages.h"
#include "kit/Controls.h"
#include "kit/UserConfig.h"
#include "kit/UserDialogs.h"
#include "session/Session.h"

namespace ampora::ui {

QString AskDesignFile(QWidget* parent, bool save, const QString& folder, const QString& caption,
                      const QString& filter) {
    QString path = Dialogs().chooseFile(parent, save ? FileChoice::Save : FileChoice::Open, caption,
                                        folder, filter);
    if (save && !path.isEmpty() && !path.endsWith(QLatin1String(DesignFileExtension)))
        path += QLatin1String(DesignFileExtension);
    return path;
}

DesignCommands::DesignCommands(Session& session, QWidget* main, QMenu* file, QAction* before)
    : session_(session), main_(main), folder_(QDir::homePath()) {
    const char* names[] = {"CmdDesignOpen", "CmdDesignSave", "CmdDesignSaveAs"};
    void (DesignCommands::*handlers[])() = {&DesignCommands::CmdDesignOpenClick,
                                            &DesignCommands::CmdDesignSaveClick,
                                            &DesignCommands::CmdDesignSaveAsClick};
    for (size_t i = 0; i < actions_.size(); ++i) {
        auto* a = new QAction(file);
        a->setObjectName(QString::fromUtf8(names[i]));
        file->insertAction(before, a);
        connect(a, &QAction::triggered, this, [this, h = handlers[i]] { (this->*h)(); });
        actions_[i] = a;
    }
    // Between Open and Save, where desktop programs keep it.
    recent_ = new QMenu(file);
    recent_->setObjectName(QStringLiteral("MenuOpenRecent"));
    file->insertMenu(actions_[1], recent_)->setObjectName(QStringLiteral("CmdOpenRecent"));
    clearRecent_ = new QAction(recent_);
    clearRecent_->setObjectName(QStringLiteral("CmdClearRecent"));
    connect(clearRecent_, &QAction::triggered, this, [this] {
        WriteRecentFiles(*OpenUserConfig(session_.userFolder()), {});
        fillRecentMenu();
    });
    // Files may have gone since the menu was last filled.
    connect(file, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    fillRecentMenu();
    retranslate();
    connect(&session_, &Session::languageChanged, this, [this] { retranslate(); });
    connect(&session_, &Session::designEdited, this, [this] { showTitle(); });
}

bool DesignCommands::designModified() const {
    return !session_.designPath().isEmpty() && EncodeDesign(session_.designToSave()) != saved_;
}

void DesignCommands::showTitle() {
    const QString path = session_.designPath();
    if (path.isEmpty()) {
        main_->setWindowTitle(QStringLiteral(" Ampora"));
        main_->setWindowModified(false);
        return;
    }
    // "[*]" in a file name is text, not the place of the mark.
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    main_->setWindowTitle(name + QStringLiteral("[*] \u2013 Ampora"));
    main_->setWindowModified(designModified());
}

void DesignCommands::fillRecentMenu() {
    const QStringList files = ReadRecentFiles(*OpenUserConfig(session_.userFolder()));
    // The entry that was chosen may be the one running this.
    for (QAction* a : recent_->actions()) {
        recent_->removeAction(a);
        if (a != clearRecent_) a->deleteLater();
    }
    for (int i = 0; i < files.size(); ++i) {
        QString shown = QDir::toNativeSeparators(files[i]);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* a = new QAction(QStringLiteral("&%1  %2").arg(i + 1).arg(shown), recent_);
        a->setObjectName(QStringLiteral("CmdRecent%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, path = files[i]] {
            folder_ = QFileInfo(path).absolutePath();
            OpenDesign(path);
        });
        recent_->addAction(a);
    }
    recent_->addSeparator();
    recent_->addAction(clearRecent_);
    recent_->menuAction()->setEnabled(!files.isEmpty());
}

void DesignCommands::remember(const QString& path) {
    const std::unique_ptr<QSettings> config = OpenUserConfig(session_.userFolder());
    WriteRecentFiles(*config, RecentFilesWith(ReadRecentFiles(*config), path));
    fillRecentMenu();
}

void DesignCommands::retranslate() {
    const LangTexts* texts[] = {&CaptionDesignOpen, &CaptionDesignSave, &CaptionDesignSaveAs};
    for (size_t i = 0; i < actions_.size(); ++i) actions_[i]->setText(session_.text(*texts[i]));
    recent_->setTitle(session_.text(CaptionOpenRecent));
    clearRecent_->setText(session_.text(CaptionClearRecent));
}

void DesignCommands::CmdDesignOpenClick() {
    // A design given on the command line or dropped names the folder too.
    const QString open = session_.designPath();
    const QString start = open.isEmpty() ? folder_ : QFileInfo(open).absolutePath();
    const QString path =
        AskDesignFile(main_, false, start, session_.text(CaptionDesignOpen).remove(QChar(0x2026)),
                      session_.text(CaptionDesignFilter));
    main_->activateWindow();  // back from the modal dialog
    if (path.isEmpty()) return;
    folder_ = QFileInfo(path).absolutePath();
    OpenDesign(path);
}

bool DesignCommands::OpenDesign(const QString& path) {
    const DesignRead r = ReadDesignFile(QFile::encodeName(path).toStdString());
    if (!r.design) {
        ShowMessage(main_, session_.text(MsgDesignRefused) + QFileInfo(path).fileName() +
                               QStringLiteral("\n") +
                               Q(DesignProblemText(r.problem, TextIndex(session_.language()))));
        main_->activateWindow();
        return false;
    }
    session_.setDesignPath(path);
    // A curve command waiting in the picker would later take the design's
    // curve away again: it is cancelled as the Cancel button does.
    if (!session_.languageSwitchEnabled()) session_.cancelCurvePick();
    session_.openDesign(*r.design);
    // The boxes may show the file's values in their own form: compare with
    // what they hold now.
    saved_ = EncodeDesign(session_.designToSave());
    remember(path);
    showTitle();
    // After a modal dialog the activation may still be on its way; it then
    // calculates by itself, and calculating here too would repeat a message.
    if (main_->isActiveWindow())
        session_.calculate();
    else
        main_->activateWindow();
    return true;
}

void DesignCommands::CmdDesignSaveClick() { saveDesign(); }

bool DesignCommands::saveDesign() {
    if (session_.designPath().isEmpty()) {
        CmdDesignSaveAsClick();
        return !session_.designPath().isEmpty() && !designModified();
    }
    return saveDesignTo(session_.designPath());
}

void DesignCommands::CmdDesignSaveAsClick() {
    QString start = folder_;
    if (!session_.designPath().isEmpty()) start = session_.designPath();
    const QString path =
        AskDesignFile(main_, true, start, session_.text(CaptionDesignSaveAs).remove(QChar(0x2026)),
                      session_.text(CaptionDesignFilter));
    main_->activateWindow();
    if (path.isEmpty()) return;
    folder_ = QFileInfo(path).absolutePath();
    saveDesignTo(path);
}

bool DesignCommands::saveDesignTo(const QString& path) {
    session_.checkInputs();
    const Design d = session_.designToSave();
    if (const DesignProblem p = WriteDesignFile(QFile::encodeName(path).toStdString(), d)) {
        ShowMessage(main_, session_.text(MsgDesignNotSaved) + QFileInfo(path).fileName() +
                               QStringLiteral("\n") +
                               Q(DesignProblemText(p, TextIndex(session_.language()))));
        main_->activateWindow();
        return false;
    }
    saved_ = EncodeDesign(d);
    session_.setDesignPath(path);
    remember(path);
    showTitle();
    return true;
}

}  // namespace ampora::ui
