// Start-up, shut-down, activation, the About box and the settings record.

#include "app/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <cmath>
#include <cstdio>

#include "store/Table.h"
#include "app/ui/AboutWindow.h"
#include "app/ui/Accessibility.h"
#include "kit/Controls.h"
#include "app/ui/ReportWriter.h"
#include "kit/Widgets.h"
#include "calc/ui/BandBreakdownWindow.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurveGridModel.h"
#include "curves/ui/GraphImage.h"
#include "curves/ui/MeasurementCommands.h"
#include "i18n/ui/LangText.h"
#include "i18n/Messages.h"
#include "i18n/TextTable.h"
#include "iec/ui/IecWindow.h"
#include "inputs/Numbers.h"

namespace ampora::ui {

TF_Main::TF_Main(const QString& exePath, QWidget* parent)
    : TF_Main(ProgramFolders::Portable(exePath.toStdString()), parent) {}

TF_Main::TF_Main(const ProgramFolders& folders, QWidget* parent)
    : QMainWindow(parent),
      ExePath(Q(folders.program)),
      DataFolder(Q(folders.data)),
      UserFolder(Q(folders.user)),
      table1_(MakeCurveTable()),
      table2_(MakeScratchTable()),
      table3_(MakeTextTable()) {
    setObjectName(QStringLiteral("F_Main"));
    setWindowTitle(QStringLiteral(" Ampora"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildLayout();
    buildMenus();
    buildDesignMenu();
    connectHandlers();
    InstallMeasurementCommands(*this);
    InstallBandBreakdown(*this);
    InstallReportCommand(*this);
    SetScreenTabOrder(*this);
    UpdateAccessibleNames(*this);
    FormCreate();
}

TF_Main::~TF_Main() {
    // The widgets outlive the tables (they go with the base class): the grid
    // must not read the curve table after it is gone.
    DBGrid1->setModel(nullptr);
    // Hiding now, while this is still a whole TF_Main, delivers the focus-out
    // and deactivation events to handlers that can still use it; the base
    // class would deliver them to a half-destroyed window.
    hide();
    if (!tablesClosed_) {
        // Ended without the shut-down sequence (start-up refused to go on):
        // the curve file stays as it was, only the scratch file goes.
        table1_->setFileName({});
        try {
            table2_->close();
        } catch (const TableError&) {
        }
        std::remove((UserFolder.toStdString() + ScratchFileName).c_str());
    }
}

void TF_Main::setWindows(TF_IecGost* iec, TF_About* about) {
    iec_ = iec;
    about_ = about;
}

const QImage& TF_Main::graphImage() const { return Image1->image(); }

QString TF_Main::textByCheckedLanguage(const std::array<const char*, 3>& texts) const {
    return LangText(texts, CheckedLanguage());
}

QString TF_Main::textByLangIndex(const std::array<const char*, 3>& texts) const {
    return LangText(texts, LangIndex);
}

int TF_Main::CheckedLanguage() const {
    if (MenuItems.value("CmdLangRus")->isChecked()) return 0;
    if (MenuItems.value("CmdLangEng")->isChecked()) return 1;
    return 2;
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

void TF_Main::setFocusToCalc() {
    // Before the window is first shown every child reads as invisible; what
    // counts is whether the program hid the button.
    if (!ButCalc->isHidden())
        ButCalc->setFocus();
    else
        edit(9)->setFocus();
}

void TF_Main::IsCurvesFileStep() {
    const CurveStoreReport report = IsCurvesFile(*table1_, *table2_, UserFolder.toStdString(), Stored);
    keptCurveFile_ = QDir::toNativeSeparators(Q(report.keptDamagedAs));
    gridModel_->refresh();
}

void TF_Main::FormCreate() {
    // The curve store first: the settings record in it gives the inputs.
    IsCurvesFileStep();
    AmpPower = Stored.ampPower;
    LfSens = Stored.lfSens;
    MfSens = Stored.mfSens;
    HfSens = Stored.hfSens;
    LfImp = Stored.lfImp;
    MfImp = Stored.mfImp;
    HfImp = Stored.hfImp;
    LfCutFreq = Stored.lfCutFreq;
    MfLowCutFreq = Stored.mfLowCutFreq;
    MfHighCutFreq = Stored.mfHighCutFreq;
    HfCutFreq = Stored.hfCutFreq;
    CurveColor = Stored.curveColor;

    // Without interface texts the program cannot go on.
    table3_->setFileName((DataFolder + QString::fromUtf8(MenuFileName)).toStdString());
    try {
        table3_->load();
    } catch (const TableError&) {
        table3_->createEmpty();
    }
    if (table3_->recordCount() == 0) {
        ShowMessage(this, textByCheckedLanguage(MsgMenuMissing));
        terminationRequested_ = true;
    }

    // The plot's pixel grid: 18 px per band, 36 px per 10 dB, and its margins.
    GraphStepX = 18;
    GraphStep10dB = 36;
    GraphLeft = 30;
    GraphTop = 15;
    GraphRight = 9;
    GraphBottom = 45;
    // No curve is current until FormShow opens the stored one.
    CurCurveRecNo = -1;
    CurCurveName.clear();
    CurveMode = ModeOpen;
    for (int i = 0; i < 31; ++i) {
        BandDepth[size_t(i)] = -1;
        BandX[size_t(i)] = int32_t(std::nearbyint((i + 1) * GraphStepX + GraphLeft));
    }
    // Bessel, order 2 everywhere, silently.
    for (QComboBox* c : combos_) SetItemIndex(c, 1);
    setFocusToCalc();
    // A position off every screen would hide the window: centre it instead.
    // The stored place counts as on screen when the user can still take hold
    // of the window there: some of the band 10..160 px below its top edge
    // (title bar, menu and the top of the graph), leaving out 40 px at either
    // side (749 px wide), lies in a screen's available area.
    QPoint pos = CentredPosition();
    if (Stored.winLeft && Stored.winTop) {
        const QPoint stored(*Stored.winLeft, *Stored.winTop);
        const QRect grip(stored + QPoint(40, 10), QSize(749 - 2 * 40, 150));
        bool onScreen = false;
        for (const QScreen* s : QGuiApplication::screens())
            if (s->availableGeometry().intersects(grip)) onScreen = true;
        if (onScreen) pos = stored;
    }
    Stored.winLeft = pos.x();
    Stored.winTop = pos.y();
    move(pos);
}

void TF_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TF_Main::FormShow() {
    DrawGrid();
    LoadMenu(Stored.languageCode == 1   ? QStringLiteral("Bel")
             : Stored.languageCode == 2 ? QStringLiteral("Eng")
                                        : QStringLiteral("Rus"));
    edit(5)->setText(QString::number(LfCutFreq));
    edit(1)->setText(QString::number(MfLowCutFreq));
    edit(3)->setText(QString::number(MfHighCutFreq));
    edit(6)->setText(QString::number(HfCutFreq));
    edit(9)->setText(QString::number(AmpPower));
    const char sep = DecimalSeparator();
    edit(10)->setText(Q(FormatGeneral(LfSens, sep)));
    edit(12)->setText(Q(FormatGeneral(MfSens, sep)));
    edit(14)->setText(Q(FormatGeneral(HfSens, sep)));
    edit(11)->setText(Q(FormatGeneral(LfImp, sep)));
    edit(13)->setText(Q(FormatGeneral(MfImp, sep)));
    edit(15)->setText(Q(FormatGeneral(HfImp, sep)));
    SetItemIndex(combo(5), Stored.lfTypeIdx);
    SetItemIndex(combo(1), Stored.mfLowTypeIdx);
    SetItemIndex(combo(2), Stored.mfHighTypeIdx);
    SetItemIndex(combo(6), Stored.hfTypeIdx);
    ComboBox5Change();
    ComboBox1Change();
    ComboBox2Change();
    ComboBox6Change();
    SetItemIndex(combo(7), Stored.lfOrderIdx);
    SetItemIndex(combo(3), Stored.mfLowOrderIdx);
    SetItemIndex(combo(4), Stored.mfHighOrderIdx);
    SetItemIndex(combo(8), Stored.hfOrderIdx);
    CheckBoxMid->setChecked(Stored.midOn == 1);  // runs CheckBoxMidClick on a change
    if (iec_)
        iec_->setInputs(Stored.iecPower, Stored.iecCutFreq, Stored.realCutFreq,
                        Stored.realOrderIdx);
    try {
        table1_->setRecNo(Stored.savedCurveRecNo);
    } catch (const TableError&) {
        // An unreachable number: the table stays on its first record.
    }
    CurveOpen(table1_->recordCount() > 0 ? Q(table1_->fieldText(0)) : QString());
    if (!keptCurveFile_.isEmpty()) {
        // Once the window is on screen, so that the user sees which program
        // speaks and where the saved curves went.
        QTimer::singleShot(0, this, [this] {
            ShowMessage(this, textByCheckedLanguage(MsgCurveFileKeptPre) + keptCurveFile_ + textByCheckedLanguage(MsgCurveFileKeptPost));
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

void TF_Main::FormActivate() {
    // Closing a message that the calculation itself showed brings the window
    // back; recalculating then would show the same message again forever.
    if (skipNextActivation_) {
        skipNextActivation_ = false;
        return;
    }
    ButCalcClick();
}

void TF_Main::showCalcMessage(const QString& text) {
    ShowMessage(this, text);
    // Not every platform gives the activation back after a modal box.
    skipNextActivation_ = !isActiveWindow();
    if (skipNextActivation_) activateWindow();
}

void TF_Main::notifyRecalculated(const Design& design, const Evaluation& ev, bool finished) {
    QString stop;
    if (!finished) {
        // The midrange frequency check runs between the level matching and
        // the curve check and is not part of the evaluation.
        if (ev.pads.stop == CalcStop::None && !ParseInt(S(edit(1)->text())))
            stop = textByCheckedLanguage(MsgLowCutWrong);
        else if (ev.pads.stop == CalcStop::None && !ParseInt(S(edit(3)->text())))
            stop = textByCheckedLanguage(MsgHighCutWrong);
        else
            stop = Q(StopMessage(ev.stop, LangIndex));
    }
    emit recalculated(design, ev, stop);
}

void TF_Main::closeEvent(QCloseEvent* event) {
    RewriteTables();
    shutDown();
    event->accept();
}

void TF_Main::CmdFileExitClick() {
    RewriteTables();
    shutDown();
    QCoreApplication::quit();
}

void TF_Main::shutDown() {
    if (tablesClosed_) return;
    tablesClosed_ = true;
    // The session's work is only in memory: a failed write may be tried again
    // after the user has freed space or fixed the folder.
    const std::string path = table1_->fileName();
    while (table1_->modified() && !path.empty()) {
        try {
            table1_->saveToFile(path);
        } catch (const TableError&) {
            if (AskRetry(this, textByCheckedLanguage(MsgWriteBackFailed) + Q(path), textByCheckedLanguage(MsgWriteBackQuestion),
                         textByCheckedLanguage(CaptionTryAgain), textByCheckedLanguage(CaptionEndWithoutSaving)))
                continue;
        }
        break;
    }
    table1_->setFileName({});
    try {
        table1_->close();
    } catch (const TableError&) {
    }
}

void TF_Main::CmdHelpAboutClick() {
    if (!about_) return;
    about_->exec();
    activateWindow();
}

void TF_Main::CmdIecGostClick() {
    if (!iec_) return;
    iec_->exec();
    activateWindow();
}

void TF_Main::RewriteTables() {
    if (settingsWritten_) return;
    settingsWritten_ = true;
    Stored.languageCode = MenuItems.value("CmdLangBel")->isChecked()   ? 1
                          : MenuItems.value("CmdLangEng")->isChecked() ? 2
                                                                       : 0;
    CheckBoxes();
    // What a box that holds no number stores.
    const SettingsValues defaults;
    auto whole = [](QLineEdit* e, int32_t fallback) {
        return ParseInt(S(e->text())).value_or(fallback);
    };
    Stored.lfCutFreq = whole(edit(5), defaults.lfCutFreq);
    Stored.mfLowCutFreq = whole(edit(1), defaults.mfLowCutFreq);
    Stored.mfHighCutFreq = whole(edit(3), defaults.mfHighCutFreq);
    Stored.hfCutFreq = whole(edit(6), defaults.hfCutFreq);
    Stored.lfTypeIdx = ItemIndex(combo(5));
    Stored.mfLowTypeIdx = ItemIndex(combo(1));
    Stored.mfHighTypeIdx = ItemIndex(combo(2));
    Stored.hfTypeIdx = ItemIndex(combo(6));
    Stored.lfOrderIdx = ItemIndex(combo(7));
    Stored.mfLowOrderIdx = ItemIndex(combo(3));
    Stored.mfHighOrderIdx = ItemIndex(combo(4));
    Stored.hfOrderIdx = ItemIndex(combo(8));
    Stored.midOn = CheckBoxMid->isChecked() ? 1 : 0;
    Stored.savedCurveRecNo = table1_->recNo();
    if (iec_) {
        // The tool keeps its boxes numeric; whatever else they hold is not stored.
        Stored.iecPower = ParseInt(S(iec_->powerText())).value_or(defaults.iecPower);
        Stored.iecCutFreq = ParseInt(S(iec_->cutText())).value_or(defaults.iecCutFreq);
        Stored.realCutFreq = ParseInt(S(iec_->realCutText())).value_or(defaults.realCutFreq);
        Stored.realOrderIdx = iec_->realOrderIndex();
    }
    Stored.ampPower = whole(edit(9), defaults.ampPower);
    const char sep = DecimalSeparator();
    auto real = [sep](QLineEdit* e, double fallback) {
        return ParseReal(S(e->text()), sep).value_or(fallback);
    };
    Stored.lfSens = real(edit(10), defaults.lfSens);
    Stored.mfSens = real(edit(12), defaults.mfSens);
    Stored.hfSens = real(edit(14), defaults.hfSens);
    Stored.lfImp = real(edit(11), defaults.lfImp);
    Stored.mfImp = real(edit(13), defaults.mfImp);
    Stored.hfImp = real(edit(15), defaults.hfImp);
    Stored.curveColor = CurveColor;
    Stored.winLeft = pos().x();
    Stored.winTop = pos().y();
    RewriteCurveTables(*table1_, *table2_, Stored);
    gridModel_->refresh();
}

void TF_Main::connectHandlers() {
    auto onMenu = [this](const char* name, void (TF_Main::*handler)()) {
        connect(MenuItems.value(QString::fromUtf8(name)), &QAction::triggered, this,
                [this, handler] { (this->*handler)(); });
    };
    onMenu("CmdCurveNew", &TF_Main::CmdCurveNewClick);
    onMenu("CmdCurveOpen", &TF_Main::CmdCurveOpenClick);
    onMenu("CmdCurveSave", &TF_Main::CmdCurveSaveClick);
    onMenu("CmdCurveSaveAs", &TF_Main::CmdCurveSaveAsClick);
    onMenu("CmdCurveDelete", &TF_Main::CmdCurveDeleteClick);
    onMenu("PopUpCurveNew", &TF_Main::CmdCurveNewClick);
    onMenu("PopUpCurveOpen", &TF_Main::CmdCurveOpenClick);
    onMenu("PopUpCurveSave", &TF_Main::CmdCurveSaveClick);
    onMenu("PopUpCurveSaveAs", &TF_Main::CmdCurveSaveAsClick);
    onMenu("PopUpCurveDelete", &TF_Main::CmdCurveDeleteClick);
    onMenu("CmdFileExit", &TF_Main::CmdFileExitClick);
    onMenu("CmdIecGost", &TF_Main::CmdIecGostClick);
    onMenu("CmdLangRus", &TF_Main::CmdLangRusClick);
    onMenu("CmdLangEng", &TF_Main::CmdLangEngClick);
    onMenu("CmdLangBel", &TF_Main::CmdLangBelClick);
    onMenu("CmdHelpHelp", &TF_Main::CmdHelpHelpClick);
    onMenu("CmdHelpAbout", &TF_Main::CmdHelpAboutClick);
    connect(ButCalc, &QPushButton::clicked, this, [this] { ButCalcClick(); });
    connect(ButFType, &QPushButton::clicked, this, [this] { ButFTypeClick(); });
    connect(CheckBoxMid, &QCheckBox::toggled, this, [this] { CheckBoxMidClick(); });
    connect(ButCurveOK, &QPushButton::clicked, this, [this] { ButCurveOKClick(); });
    connect(ButCancel, &QPushButton::clicked, this, [this] { ButSelectCurveCancelClick(); });
    connect(edit(2), &QLineEdit::returnPressed, this, [this] { ButCurveOKClick(); });
    connect(DBGrid1, &QTableView::clicked, this, [this] { DBGrid1CellClick(); });
    auto pickerKeys = [this](QObject* target, bool enterIsOk) {
        OnEvent(target, QEvent::KeyPress, [this, target, enterIsOk](QEvent* e) {
            // Only while the picker is in front.
            if (!static_cast<QWidget*>(target)->isEnabled()) return false;
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (enterIsOk && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                ButCurveOKClick();
                return true;
            }
            if (key == Qt::Key_Escape) {
                ButSelectCurveCancelClick();
                return true;
            }
            return false;
        });
    };
    pickerKeys(DBGrid1, true);
    pickerKeys(edit(2), false);

    // Filter boxes: type boxes 5, 1, 2, 6 own the order boxes 7, 3, 4, 8.
    for (int no : {5, 1, 2, 6}) {
        QComboBox* c = combo(no);
        connect(c, &QComboBox::activated, this, [this, no] { TypeBoxChange(no); });
        connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, no] { TypeBoxChange(no); });
        OnFocusMove(c, QEvent::FocusIn, [this, no] {
            const int idx = ItemIndex(combo(no));
            if (idx >= 0) ComboSavedIdx[size_t(no - 1)] = int16_t(idx);
        });
    }
    for (int no : {7, 3, 4, 8}) {
        QComboBox* c = combo(no);
        connect(c, &QComboBox::activated, this, [this, no] { OrderBoxChange(no); });
        connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, no] { OrderBoxChange(no); });
    }
    for (int no = 1; no <= 8; ++no) {
        OnFocusMove(combo(no), QEvent::FocusOut, [this, no] {
            if (ItemIndex(combo(no)) < 0) SetItemIndex(combo(no), ComboSavedIdx[size_t(no - 1)]);
        });
    }
    // Enter released in any input box recalculates; leaving one does nothing.
    for (int no : {9, 10, 11, 12, 13, 14, 15, 5, 1, 3, 6, 28, 29, 20, 21, 22, 23, 24, 25, 26, 27}) {
        OnEnterReleased(edit(no), [this] { ButCalcClick(); });
    }
    for (ShapeBox* sq : {static_cast<ShapeBox*>(Shapes[0]), static_cast<ShapeBox*>(Shapes[1]),
                         static_cast<ShapeBox*>(Shapes[2]), static_cast<ShapeBox*>(Shapes[3]),
                         static_cast<ShapeBox*>(Shapes[4]), static_cast<ShapeBox*>(Shapes[5])}) {
        sq->onMouseUp = [this, sq](Qt::MouseButton) {
            CurveColor = IntFromColor(sq->brush());
            DrawGrid();
        };
    }
    Image1->onMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
    Image1->onClick = [this] { Image1Click(); };
    Image1->onMouseUp = [this](Qt::MouseButton b, int x, int y) { Image1MouseUp(b, x, y); };
    Image6->onClick = [this] { Image6Click(); };
    for (int i = 0; i < 6; ++i) {
        const QString name = i < 5 ? QString::fromUtf8(PresetCurveNames[size_t(i)]) : QString();
        OnEvent(PresetLabels[size_t(i)], QEvent::MouseButtonRelease, [this, i, name](QEvent*) {
            if (i < 5)
                CurveOpen(name);  // Shp1MouseUp .. Shp5MouseUp
            else
                CmdCurveOpenClick();  // Shp6MouseUp
            return true;
        });
    }
    OnEvent(Label27, QEvent::MouseButtonRelease, [this](QEvent* e) {
        Label27MouseUp(static_cast<QMouseEvent*>(e)->button());
        return true;
    });
    OnEvent(ListBox1->viewport(), QEvent::MouseButtonRelease, [this](QEvent* e) {
        const auto button = static_cast<QMouseEvent*>(e)->button();
        if (button == Qt::LeftButton)
            ListBox1Click();
        else
            Label27MouseUp(button);
        return false;
    });
}

}  // namespace ampora::ui
