// Start-up, shut-down, activation, the windows made late, and the settings
// record filled from every panel.

#include "app/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>

#include "app/ui/AboutWindow.h"
#include "app/ui/Accessibility.h"
#include "app/ui/DesignCommands.h"
#include "app/ui/GivenFiles.h"
#include "app/ui/Shortcuts.h"
#include "calc/ui/ResultsPanel.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurvePanel.h"
#include "i18n/Messages.h"
#include "i18n/ui/LanguageSwitch.h"
#include "iec/ui/IecWindow.h"
#include "inputs/ui/InputPanel.h"
#include "kit/Controls.h"
#include "kit/UserConfig.h"
#include "kit/UserDialogs.h"
#include "session/Session.h"
#include "store/Table.h"

namespace ampora::ui {

namespace {

// The stored place is the outer corner, as pos() gives it at the end. Before
// the first showing the frame is unknown and Qt puts the client area there,
// so every start would creep up by the title bar. Once the window manager has
// framed the window (tried for two seconds; never without one), the frame is
// put at the place.
void PutFrameAt(QWidget* window, QPoint place) {
    auto* settle = new QTimer(window);
    settle->setInterval(25);
    QObject::connect(
        settle, &QTimer::timeout, window, [window, settle, place, tries = 0]() mutable {
            QWindow* w = window->windowHandle();
            const bool framed = w && !w->frameMargins().isNull();
            if (!framed && ++tries < 80) return;
            settle->stop();
            settle->deleteLater();
            if (!framed || w->framePosition() == place) return;
            const QMargins frame = w->frameMargins();
            window->setGeometry(QRect(place + QPoint(frame.left(), frame.top()), window->size()));
        });
    settle->start();
}

}  // namespace

TF_Main::TF_Main(const ProgramFolders& folders, QWidget* parent)
    : QMainWindow(parent), session_(std::make_unique<Session>(folders)) {
    setObjectName(QStringLiteral("F_Main"));
    setWindowTitle(QStringLiteral(" Ampora"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildLayout();
    buildMenus();
    connectMenus();
    // After the picker's own handler has finished.
    connect(curves_.get(), &CurvePanel::curveSaveEnded, this, [this](bool saved) {
        QTimer::singleShot(0, this, [this, saved] { resumeClosing(saved); });
    });
    SetScreenTabOrder(*this);
    InstallShortcuts(*this);
    // The names come from the captions, which the first showing sets in the
    // user's language.
    connect(session_.get(), &Session::languageChanged, this,
            [this] { UpdateAccessibleNames(*this, *session_); });
    AcceptFileDrops(*this);
    FormCreate();
}

TF_Main::~TF_Main() {
    curves_->detachGrid();
    // Hiding now, while this is still a whole TF_Main, delivers the focus-out
    // and deactivation events to handlers that can still use it; the base
    // class would deliver them to a half-destroyed window.
    hide();
    if (!tablesClosed_) {
        // Ended without the shut-down sequence (start-up refused to go on):
        // the curve file stays as it was, only the scratch file goes.
        session_->curveTable().setFileName({});
        try {
            session_->scratchTable().close();
        } catch (const TableError&) {}
        std::remove((session_->userFolder().toStdString() + ScratchFileName).c_str());
    }
    // The controls go while the panels and the session they call still exist.
    delete takeCentralWidget();
}

TF_IecGost* TF_Main::iecWindow() {
    if (!iec_) {
        iec_ = new TF_IecGost(*session_, this);
        // Before the first showing the tool keeps its built-in inputs, as
        // the main window's boxes do.
        if (shown_) iec_->takeSettings(session_->Stored);
        UpdateAccessibleNamesOfIecTool(*iec_);
        connect(session_.get(), &Session::languageChanged, iec_,
                [this] { UpdateAccessibleNamesOfIecTool(*iec_); });
    }
    return iec_;
}

TF_About* TF_Main::aboutWindow() {
    if (!about_) about_ = new TF_About(*session_, this);
    return about_;
}

QPoint TF_Main::CentredPosition() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // Outer size while the window still has its built-in size.
    QSize outer = frameGeometry().size();
    const QSize inner(749, 539 + menuBar()->sizeHint().height());
    if (outer.width() < inner.width() || outer.height() < inner.height()) outer = inner;
    const int left = int(std::nearbyint((s.width() - outer.width()) / 2.0)) + s.x();
    const int top = int(std::nearbyint((s.height() - outer.height()) / 2.0)) + s.y();
    return {left, top};
}

void TF_Main::FormCreate() {
    // The curve store first: the settings record in it gives the inputs.
    keptCurveFile_ = QDir::toNativeSeparators(session_->readSettings());
    curves_->refreshGrid();
    const SettingsValues& stored = session_->Stored;
    inputs_->takeSettings(stored);
    curves_->takeSettings(stored);

    // Without interface texts the program cannot go on.
    if (!session_->loadTexts()) {
        ShowMessage(this, session_->text(MsgMenuMissing));
        terminationRequested_ = true;
    }

    // No curve is current until FormShow opens the stored one.
    session_->CurCurveRecNo = -1;
    session_->CurCurveName.clear();
    session_->CurveMode = ModeOpen;
    results_->setFocusToCalc();
    // A position off every screen would hide the window: centre it instead.
    // The stored place (the outer top left) counts as on screen when the user
    // can still take hold of the window there: its top 20 px (the title bar
    // under a window manager, the menu bar without one), leaving out 40 px at
    // either side (749 px wide), lie within the height of a screen's available
    // area and partly within its width.
    SettingsValues& settings = session_->Stored;
    QPoint pos = CentredPosition();
    if (settings.winLeft && settings.winTop) {
        const QPoint place(*settings.winLeft, *settings.winTop);
        const QRect titleBar(place + QPoint(40, 0), QSize(749 - 2 * 40, 20));
        bool onScreen = false;
        for (const QScreen* s : QGuiApplication::screens()) {
            const QRect area = s->availableGeometry();
            if (area.top() <= titleBar.top() && titleBar.bottom() <= area.bottom() &&
                area.left() <= titleBar.right() && titleBar.left() <= area.right())
                onScreen = true;
        }
        if (onScreen) pos = place;
    }
    settings.winLeft = pos.x();
    settings.winTop = pos.y();
    move(pos);
}

void TF_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        PutFrameAt(this, pos());
        FormShow();
    }
}

void TF_Main::FormShow() {
    const SettingsValues& stored = session_->Stored;
    curves_->DrawGrid();
    language_->LoadMenu(LanguageOfSettingsCode(stored.languageCode));
    inputs_->showSettings(stored);
    if (iec_) iec_->takeSettings(stored);
    curves_->openStoredCurve(stored.savedCurveRecNo);
    if (!keptCurveFile_.isEmpty()) {
        // Once the window is on screen, so that the user sees which program
        // speaks and where the saved curves went.
        QTimer::singleShot(0, this, [this] {
            ShowMessage(this, session_->text(MsgCurveFileKeptPre) + keptCurveFile_ +
                                  session_->text(MsgCurveFileKeptPost));
            // Back from the modal box: the activation brings the calculation.
            activateWindow();
        });
    }
}

bool TF_Main::focusNextPrevChild(bool next) {
    // Qt's own walk stops at controls lying under others (the picker while it
    // is behind, everything else while it is in front): a key typed there
    // would act unseen.
    QWidget* start = focusWidget();
    if (!start) return QMainWindow::focusNextPrevChild(next);
    for (QWidget* w = start;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == start) return false;
        if (w->window() == this && TakesTabFocus(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void TF_Main::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TF_Main::FormActivate() { results_->calculateOnActivation(); }

void TF_Main::closeEvent(QCloseEvent* event) {
    if (!mayClose(false)) {
        event->ignore();
        return;
    }
    RewriteTables();
    shutDown();
    event->accept();
}

void TF_Main::CmdFileExitClick() {
    if (!mayClose(true)) return;
    RewriteTables();
    shutDown();
    QCoreApplication::quit();
}

bool TF_Main::mayClose(bool exiting) {
    if (!askBeforeClosing_ || tablesClosed_) return true;
    const Session& s = *session_;
    const auto ask = [&](const QString& question) {
        const SaveAnswer answer =
            Dialogs().askSave(this, question, s.text(CaptionAskSave), s.text(CaptionAskDiscard),
                              s.text(CaptionAskCancel));
        if (answer == SaveAnswer::Cancel) activateWindow();  // back from the modal box
        return answer;
    };
    if (designCommands_->designModified()) {
        const QString name = QFileInfo(s.designPath()).fileName();
        switch (ask(s.text(MsgSaveDesignChanges).arg(name))) {
            case SaveAnswer::Cancel: return false;
            case SaveAnswer::Save:
                if (!designCommands_->saveDesign()) return false;
                break;
            case SaveAnswer::Discard: break;
        }
    }
    if (curves_->curveUnsaved()) {
        const QString question = s.CurCurveName.isEmpty()
                                     ? s.text(MsgSaveNewCurve)
                                     : s.text(MsgSaveCurveChanges).arg(s.CurCurveName);
        switch (ask(question)) {
            case SaveAnswer::Cancel: return false;
            case SaveAnswer::Save:
                curves_->CmdCurveSaveClick();
                if (curves_->curveUnsaved()) {
                    // The picker asks for the name; its OK goes on closing,
                    // its Cancel keeps the program running.
                    if (s.CurveMode == ModeSave)
                        resumeAfterCurveSave_ = exiting ? Resume::Exit : Resume::Close;
                    return false;
                }
                break;
            case SaveAnswer::Discard: break;
        }
    }
    return true;
}

void TF_Main::resumeClosing(bool curveSaved) {
    const Resume resume = resumeAfterCurveSave_;
    resumeAfterCurveSave_ = Resume::No;
    if (!curveSaved || resume == Resume::No) return;
    // Everything was answered before the picker opened.
    askBeforeClosing_ = false;
    if (resume == Resume::Exit)
        CmdFileExitClick();
    else
        close();
}

bool TF_Main::event(QEvent* event) {
    // The non-modal windows, as each first appears: they keep the size the
    // user leaves them at.
    if (event->type() == QEvent::ChildPolished) {
        static constexpr struct {
            const char* window;
            const char* key;
        } kept[] = {{"F_PowerPerBand", "powerPerBand"},
                    {"F_PowerHandling", "powerHandling"},
                    {"HelpViewer", "helpViewer"}};
        QObject* child = static_cast<QChildEvent*>(event)->child();
        for (const auto& k : kept)
            if (child->isWidgetType() && child->objectName() == QLatin1String(k.window))
                KeepWindowSize(static_cast<QWidget*>(child), session_->userFolder(),
                               QLatin1String(k.key));
    }
    return QMainWindow::event(event);
}

void TF_Main::shutDown() {
    if (tablesClosed_) return;
    tablesClosed_ = true;
    // The session's work is only in memory: a failed write may be tried again
    // after the user has freed space or fixed the folder.
    Table& curves = session_->curveTable();
    const std::string path = curves.fileName();
    while (curves.modified() && !path.empty()) {
        try {
            curves.saveToFile(path);
        } catch (const TableError&) {
            const Session& s = *session_;
            if (AskRetry(this, s.text(MsgWriteBackFailed) + Q(path), s.text(MsgWriteBackQuestion),
                         s.text(CaptionTryAgain), s.text(CaptionEndWithoutSaving)))
                continue;
        }
        break;
    }
    curves.setFileName({});
    try {
        curves.close();
    } catch (const TableError&) {}
}

void TF_Main::CmdHelpAboutClick() {
    aboutWindow()->exec();
    activateWindow();
}

void TF_Main::CmdIecGostClick() {
    iecWindow()->exec();
    activateWindow();
}

void TF_Main::RewriteTables() {
    if (settingsWritten_) return;
    settingsWritten_ = true;
    SettingsValues& stored = session_->Stored;
    stored.languageCode = SettingsCode(session_->language());
    inputs_->storeSettings(stored);
    curves_->storeSettings(stored);
    // A tool never opened keeps what was read.
    if (iec_) iec_->storeSettings(stored);
    stored.winLeft = pos().x();
    stored.winTop = pos().y();
    session_->writeSettings();
    curves_->refreshGrid();
}

}  // namespace ampora::ui
