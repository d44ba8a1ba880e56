// Design files from the File menu: a design holds the inputs of one
// calculation, so opening one sets the controls as a user would and
// calculates; nothing else of the window's state goes into the file.

#include "app/ui/DesignCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

#include "store/Table.h"
#include "kit/Controls.h"
#include "kit/UserDialogs.h"
#include "app/ui/MainWindow.h"
#include "calc/DesignFile.h"
#include "calc/Linkwitz.h"
#include "curves/CurveStore.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"

namespace ampora::ui {

namespace {

// The graph keeps no difference between the levels below its floor.
int32_t Shown(int32_t level) { return level < -40 ? NoBandLevel : level; }

}  // namespace

QString AskDesignFile(QWidget* parent, bool save, const QString& folder, const QString& caption,
                      const QString& filter) {
    QString path = Dialogs().chooseFile(parent, save ? FileChoice::Save : FileChoice::Open, caption,
                                        folder, filter);
    if (save && !path.isEmpty() && !path.endsWith(QLatin1String(DesignFileExtension)))
        path += QLatin1String(DesignFileExtension);
    return path;
}

void TF_Main::buildDesignMenu() {
    QMenu* file = MenuItems.value(QStringLiteral("MenuFile"))->menu();
    QAction* before = MenuItems.value(QStringLiteral("SubMenuProject"));
    const char* names[] = {"CmdDesignOpen", "CmdDesignSave", "CmdDesignSaveAs"};
    void (TF_Main::*handlers[])() = {&TF_Main::CmdDesignOpenClick, &TF_Main::CmdDesignSaveClick,
                                     &TF_Main::CmdDesignSaveAsClick};
    for (size_t i = 0; i < designActions_.size(); ++i) {
        // Kept out of MenuItems: that map holds the items of the text table.
        auto* a = new QAction(file);
        a->setObjectName(QString::fromUtf8(names[i]));
        file->insertAction(before, a);
        connect(a, &QAction::triggered, this, [this, h = handlers[i]] { (this->*h)(); });
        designActions_[i] = a;
    }
    designFolder_ = QDir::homePath();
    retranslateDesignMenu();
}

void TF_Main::retranslateDesignMenu() {
    const LangTexts* texts[] = {&CaptionDesignOpen, &CaptionDesignSave, &CaptionDesignSaveAs};
    for (size_t i = 0; i < designActions_.size(); ++i)
        if (designActions_[i]) designActions_[i]->setText(textByLangIndex(*texts[i]));
}

void TF_Main::CmdDesignOpenClick() {
    const QString path =
        AskDesignFile(this, false, designFolder_, textByLangIndex(CaptionDesignOpen).remove(QChar(0x2026)),
                      textByLangIndex(CaptionDesignFilter));
    activateWindow();  // back from the modal dialog
    if (path.isEmpty()) return;
    designFolder_ = QFileInfo(path).absolutePath();
    OpenDesign(path);
}

bool TF_Main::OpenDesign(const QString& path) {
    const DesignRead r = ReadDesignFile(path.toStdString());
    if (!r.design) {
        ShowMessage(this, textByLangIndex(MsgDesignRefused) + QFileInfo(path).fileName() +
                              QStringLiteral("\n") + Q(DesignProblemText(r.problem, LangIndex)));
        activateWindow();
        return false;
    }
    designPath_ = path;
    // A curve command waiting in the picker would later take the design's
    // curve away again: it is cancelled as the Cancel button does.
    if (!MenuLanguage->menuAction()->isEnabled()) ButSelectCurveCancelClick();
    ApplyDesign(*r.design);
    // After a modal dialog the activation may still be on its way; it then
    // calculates by itself, and calculating here too would repeat a message.
    if (isActiveWindow())
        ButCalcClick();
    else
        activateWindow();
    return true;
}

void TF_Main::ApplyDesign(const Design& d) {
    // The midrange switch first: its click handler copies cut-off boxes.
    CheckBoxMid->setChecked(d.midOn);
    const char sep = DecimalSeparator();
    edit(9)->setText(QString::number(d.ampPowerW));
    const std::pair<int, double> reals[] = {
        {10, d.bass.sensitivityDb}, {12, d.mid.sensitivityDb}, {14, d.tweeter.sensitivityDb},
        {11, d.bass.impedanceOhm},  {13, d.mid.impedanceOhm},  {15, d.tweeter.impedanceOhm}};
    for (const auto& [no, v] : reals) edit(no)->setText(Q(FormatGeneral(v, sep)));
    const struct {
        int typeBox, orderBox, cutBox;
        const FilterChoice* f;
    } filters[] = {{5, 7, 5, &d.bassLowPass},
                   {1, 3, 1, &d.midHighPass},
                   {2, 4, 3, &d.midLowPass},
                   {6, 8, 6, &d.tweeterHighPass}};
    for (const auto& f : filters) {
        SetItemIndex(combo(f.typeBox), static_cast<int>(f.f->type));
        ComboChange(combo(f.typeBox), combo(f.orderBox));
        if (f.f->type != FilterType::None) SetItemIndex(combo(f.orderBox), OrderItemIndex(*f.f));
        const int idx = ItemIndex(combo(f.orderBox));
        if (idx >= 0) ComboSavedIdx[size_t(f.orderBox - 1)] = int16_t(idx);
        ComboSavedIdx[size_t(f.typeBox - 1)] = int16_t(static_cast<int>(f.f->type));
        edit(f.cutBox)->setText(QString::number(f.f->cutHz));
    }
    CBMidEq->setChecked(d.midEqualise);
    CBHighEq->setChecked(d.tweeterEqualise);
    edit(28)->setText(d.linkwitzF1 ? QString::number(*d.linkwitzF1) : QString());
    edit(29)->setText(d.linkwitzF2 ? QString::number(*d.linkwitzF2) : QString());
    edit(30)->clear();
    for (int no : {7, 4, 8, 16, 17, 18, 19}) edit(no)->clear();
    for (QLabel* l : {Label40, Label41, Label42, Label43}) l->clear();

    // The stored curve of that name when it holds the same levels; otherwise
    // the design's own spectrum as an unsaved curve, which Save can store.
    bool stored = false;
    if (!d.spectrumName.empty() && table1_->locate(0, d.spectrumName)) {
        stored = true;
        for (int i = 0; i < 31 && stored; ++i) {
            const int32_t level = table1_->fieldIsNull(i + 1)
                                      ? NoBandLevel
                                      : std::clamp(table1_->fieldInt(i + 1), NoLevel, int32_t{0});
            stored = Shown(level) == Shown(d.spectrumLevels[size_t(i)]);
        }
    }
    if (stored) {
        CurCurveRecNo = table1_->recNo();
        loadBandsFromCursor();
    } else {
        CurCurveRecNo = -1;
        for (int i = 0; i < 31; ++i) {
            BandLevel[size_t(i)] = 40 + Shown(d.spectrumLevels[size_t(i)]);
            BandDepth[size_t(i)] = 40 - BandLevel[size_t(i)];
        }
    }
    CurCurveName = Q(d.spectrumName);
    CurveMode = ModeIdle;
    Label24->setText(CurCurveName.isEmpty()
                         ? QString()
                         : QStringLiteral("( ") + CurCurveName + QStringLiteral(" )"));
    Label24->adjustSize();
    DrawGrid();
}

void TF_Main::CmdDesignSaveClick() {
    if (designPath_.isEmpty()) return CmdDesignSaveAsClick();
    saveDesignTo(designPath_);
}

void TF_Main::CmdDesignSaveAsClick() {
    QString start = designFolder_;
    if (!designPath_.isEmpty()) start = designPath_;
    const QString path =
        AskDesignFile(this, true, start, textByLangIndex(CaptionDesignSaveAs).remove(QChar(0x2026)),
                      textByLangIndex(CaptionDesignFilter));
    activateWindow();
    if (path.isEmpty()) return;
    designFolder_ = QFileInfo(path).absolutePath();
    if (saveDesignTo(path)) designPath_ = path;
}

bool TF_Main::saveDesignTo(const QString& path) {
    CheckBoxes();
    Design d = CurrentDesign();
    // Store the Linkwitz frequencies as the calculation uses them, so that a
    // design never holds values that only the boxes would accept.
    const LinkwitzResult lw = ampora::CheckLinkwitz(d.linkwitzF1, d.linkwitzF2);
    d.linkwitzF1 = lw.active ? std::optional<int32_t>(lw.f1) : std::nullopt;
    d.linkwitzF2 = lw.active ? std::optional<int32_t>(lw.f2) : std::nullopt;
    // The file knows the two separators people use; any other locale's
    // separator is written as the point.
    if (d.decimalSeparator != ',') d.decimalSeparator = '.';
    if (const DesignProblem p = WriteDesignFile(path.toStdString(), d)) {
        ShowMessage(this, textByLangIndex(MsgDesignNotSaved) + QFileInfo(path).fileName() +
                              QStringLiteral("\n") + Q(DesignProblemText(p, LangIndex)));
        activateWindow();
        return false;
    }
    return true;
}

}  // namespace ampora::ui
