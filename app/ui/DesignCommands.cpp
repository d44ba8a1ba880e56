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
#include "calc/Linkwitz.h"
#include "i18n/Messages.h"
#include "kit/Controls.h"
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
    retranslate();
    connect(&session_, &Session::languageChanged, this, [this] { retranslate(); });
}

void DesignCommands::retranslate() {
    const LangTexts* texts[] = {&CaptionDesignOpen, &CaptionDesignSave, &CaptionDesignSaveAs};
    for (size_t i = 0; i < actions_.size(); ++i) actions_[i]->setText(session_.text(*texts[i]));
}

void DesignCommands::CmdDesignOpenClick() {
    const QString path =
        AskDesignFile(main_, false, folder_, session_.text(CaptionDesignOpen).remove(QChar(0x2026)),
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
    // After a modal dialog the activation may still be on its way; it then
    // calculates by itself, and calculating here too would repeat a message.
    if (main_->isActiveWindow())
        session_.calculate();
    else
        main_->activateWindow();
    return true;
}

void DesignCommands::CmdDesignSaveClick() {
    if (session_.designPath().isEmpty()) return CmdDesignSaveAsClick();
    saveDesignTo(session_.designPath());
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
    if (saveDesignTo(path)) session_.setDesignPath(path);
}

bool DesignCommands::saveDesignTo(const QString& path) {
    session_.checkInputs();
    Design d = session_.design();
    // Store the Linkwitz frequencies as the calculation uses them, so that a
    // design never holds values that only the boxes would accept.
    const LinkwitzResult lw = ampora::CheckLinkwitz(d.linkwitzF1, d.linkwitzF2);
    d.linkwitzF1 = lw.active ? std::optional<int32_t>(lw.f1) : std::nullopt;
    d.linkwitzF2 = lw.active ? std::optional<int32_t>(lw.f2) : std::nullopt;
    // The file knows the two separators people use; any other locale's
    // separator is written as the point.
    if (d.decimalSeparator != ',') d.decimalSeparator = '.';
    if (const DesignProblem p = WriteDesignFile(QFile::encodeName(path).toStdString(), d)) {
        ShowMessage(main_, session_.text(MsgDesignNotSaved) + QFileInfo(path).fileName() +
                               QStringLiteral("\n") +
                               Q(DesignProblemText(p, TextIndex(session_.language()))));
        main_->activateWindow();
        return false;
    }
    return true;
}

}  // namespace ampora::ui
