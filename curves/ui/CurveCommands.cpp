// The curve commands and the picker panel that Open, Save As and Delete use.

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "store/Table.h"
#include "kit/Controls.h"
#include "app/ui/MainWindow.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurveGridModel.h"
#include "i18n/Messages.h"

namespace ampora::ui {

namespace {
const QString IecDin = QString::fromUtf8(IecDinName);

// The grid's highlighted row is the table's cursor; a reset of the model
// forgets it, so it is put back after every refresh.
void SelectCursorRow(QTableView* grid, CurveGridModel* model, const ampora::Table& table) {
    model->refresh();
    if (grid->model() != model) return;  // the picker has not been opened yet
    const int row = table.recNo() - 1;
    if (row >= 0)
        grid->selectionModel()->setCurrentIndex(
            model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
}  // namespace

std::array<QWidget*, 4> TF_Main::pickerControls() const {
    // The printer picture shares the panel but shows through beside the
    // driver columns while the picker is behind, so it stays usable.
    return {DBGrid1, edit(2), ButCurveOK, ButCancel};
}

void TF_Main::attachPickerGrid() {
    if (DBGrid1->model() == gridModel_) return;
    DBGrid1->setModel(gridModel_);
    DBGrid1->setColumnWidth(0, 150);
    for (int c = 1; c <= 31; ++c) DBGrid1->setColumnWidth(c, 36);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() + 1 != table1_->recNo()) {
                    try {
                        table1_->setRecNo(current.row() + 1);
                    } catch (const TableError&) {
                    }
                }
            });
}

void TF_Main::showPicker(bool show) {
    if (show) {
        for (QWidget* w : pickerControls()) w->setEnabled(true);
        attachPickerGrid();
        SelectCursorRow(DBGrid1, gridModel_, *table1_);
        Panel2->raise();
        GroupBox4->raise();
    } else {
        Panel2->lower();
        // Keys typed after the pick must not land in the name box or the grid
        // lying hidden behind the other controls.
        if (Panel2->isAncestorOf(QApplication::focusWidget())) setFocusToCalc();
        for (QWidget* w : pickerControls()) w->setEnabled(false);
    }
}

void TF_Main::loadBandsFromCursor() {
    for (int i = 0; i < 31; ++i) {
        // A record that carries no value for a band has no level there. Values
        // beyond the graph's range (only a foreign file holds them) are kept
        // to it, so that bars stay inside the plot and no arithmetic overflows.
        const int32_t level = table1_->fieldIsNull(i + 1)
                                  ? NoLevel
                                  : std::clamp(table1_->fieldInt(i + 1), NoLevel, int32_t{0});
        BandLevel[size_t(i)] = 40 + level;
        BandDepth[size_t(i)] = 40 - BandLevel[size_t(i)];
    }
}

void TF_Main::writeBandsToRecord(int threshold) {
    for (int i = 0; i < 31; ++i) {
        const int32_t level = BandLevel[size_t(i)];
        table1_->setField(i + 1, level >= threshold ? level - 40 : NoLevel);
    }
}

void TF_Main::CmdCurveNewClick() {
    BandDepth.fill(-1);
    BandLevel.fill(-41);
    CurCurveRecNo = -1;
    CurCurveName.clear();
    CurveMode = ModeNew;
    Label24->clear();
    DrawGrid();
    edit(7)->clear();
    edit(4)->clear();
    edit(8)->clear();
}

void TF_Main::CmdCurveOpenClick() { CurveOpen(QString()); }

void TF_Main::CurveOpen(const QString& name) {
    if (table1_->recordCount() == 0) {
        ShowMessage(this, textByCheckedLanguage(MsgNoSavedCurves));
        return;
    }
    CurveMode = ModeOpen;
    MenuLanguage->menuAction()->setEnabled(false);
    if (name.isEmpty()) {
        Label25->setText(textByCheckedLanguage(CaptionOpen));
        Label25->adjustSize();
        edit(2)->hide();
        showPicker(true);
        DBGrid1->setFocus();
        return;
    }
    if (table1_->locate(0, S(name))) {
        ButCurveOKClick();
    } else {
        MenuLanguage->menuAction()->setEnabled(true);
        ShowMessage(this, textByCheckedLanguage(MsgCurveNotFoundPre) + name + textByCheckedLanguage(MsgCurveNotFoundPost));
    }
}

bool TF_Main::IsCurveFilled() {
    for (int32_t level : BandLevel)
        if (level >= 1) return true;
    ShowMessage(this, textByCheckedLanguage(MsgNoDataToSave));
    return false;
}

void TF_Main::CmdCurveSaveAsClick() {
    if (!IsCurveFilled()) return;
    Label25->setText(textByCheckedLanguage(CaptionSaveAs));
    Label25->adjustSize();
    CurveMode = ModeSave;
    Label25->show();
    edit(2)->setText(CurCurveName);
    edit(2)->show();
    MenuLanguage->menuAction()->setEnabled(false);
    showPicker(true);
    edit(2)->setFocus();
}

void TF_Main::CmdCurveSaveClick() {
    if (!IsCurveFilled()) return;
    if (CurveMode == ModeNew || CurCurveRecNo < 1) {
        // Nothing to overwrite yet: ask for a name; OK writes it.
        CurveMode = ModeSave;
        Label25->show();
        edit(2)->setText(CurCurveName);
        edit(2)->show();
        showPicker(true);
        edit(2)->setFocus();
        return;
    }
    // A record of a foreign file may carry the settings record's name.
    if (CurCurveName == Q(SettingsRecordName)) {
        ShowMessage(this, textByCheckedLanguage(MsgReservedName));
        return;
    }
    if (table1_->recNo() != CurCurveRecNo) {
        try {
            table1_->setRecNo(CurCurveRecNo);
        } catch (const TableError&) {
            return;
        }
    }
    table1_->edit();
    writeBandsToRecord(0);  // a band at -40 dB stays -40 here
    table1_->post();
    SelectCursorRow(DBGrid1, gridModel_, *table1_);
}

void TF_Main::CmdCurveDeleteClick() {
    // With nothing stored there is nothing to choose from.
    if (table1_->recordCount() == 0) {
        ShowMessage(this, textByCheckedLanguage(MsgNoSavedCurves));
        return;
    }
    Label25->setText(textByCheckedLanguage(CaptionDelete));
    Label25->adjustSize();
    CurveMode = ModeDelete;
    Label25->show();
    // The current curve stays what it is until a record is really deleted:
    // taking the cursor's record as current here would leave an unsaved curve
    // bound to that record after Cancel, and the next Save would overwrite it.
    edit(2)->setText(Q(table1_->fieldText(0)));
    edit(2)->hide();
    MenuLanguage->menuAction()->setEnabled(false);
    showPicker(true);
    DBGrid1->setFocus();
    edit(4)->clear();
    edit(7)->clear();
    edit(8)->clear();
}

void TF_Main::DBGrid1CellClick() {
    if (table1_->recordCount() > 0) edit(2)->setText(Q(table1_->fieldText(0)));
}

void TF_Main::ButCurveOKClick() {
    MenuLanguage->menuAction()->setEnabled(true);
    switch (CurveMode) {
        case ModeOpen:
            if (table1_->recordCount() > 0) {
                CurCurveRecNo = table1_->recNo();
                CurCurveName = Q(table1_->fieldText(0));
                loadBandsFromCursor();
            }
            DrawGrid();
            break;
        case ModeSave: {
            // Without a name nothing is written, and the drawn curve must not
            // pass for the record the cursor happens to stand on: close the
            // picker as Cancel does.
            if (edit(2)->text().isEmpty()) {
                ButSelectCurveCancelClick();
                return;
            }
            // The name as it will be stored, so that a longer one finds the
            // record it would overwrite instead of adding a second of that name.
            const std::string name = TruncateUtf8(S(edit(2)->text()), CurveNameLength);
            // The next start would read such a curve as the settings and
            // delete it; the picker stays open for another name.
            if (name == SettingsRecordName) {
                ShowMessage(this, textByCheckedLanguage(MsgReservedName));
                MenuLanguage->menuAction()->setEnabled(false);
                edit(2)->setFocus();
                return;
            }
            if (table1_->locate(0, name)) {
                table1_->edit();
            } else {
                table1_->insert();
                table1_->setField(0, name);
            }
            writeBandsToRecord(1);  // a band at -40 dB is stored as no level here
            table1_->post();
            break;
        }
        case ModeDelete:
            if (table1_->recordCount() > 0 && Q(table1_->fieldText(0)) == IecDin) {
                ShowMessage(this, textByCheckedLanguage(MsgCannotDeletePre) + IecDin + textByCheckedLanguage(MsgCannotDeletePost));
                ButSelectCurveCancelClick();
                return;
            }
            if (table1_->recordCount() > 0) table1_->remove();
            if (table1_->recordCount() > 0) {
                CurveOpen(IecDin);
                // Its own OK has completed the pick; doing it again would only
                // repeat the calculation and any message it shows.
                if (CurveMode == ModeIdle) return;
                // No IEC/DIN to fall back on: the record the cursor moved to
                // becomes current below, so the graph shows its levels and not
                // those of the deleted curve.
                loadBandsFromCursor();
            } else {
                CurCurveRecNo = -1;
                CurCurveName.clear();
                BandLevel.fill(0);
                BandDepth.fill(41);
                DrawGrid();
            }
            break;
        default:
            break;
    }
    CurveMode = ModeIdle;
    const bool any = table1_->recordCount() > 0;
    CurCurveRecNo = any ? table1_->recNo() : -1;
    CurCurveName = any ? Q(table1_->fieldText(0)) : QString();
    Label24->setText(QStringLiteral("( ") + CurCurveName + QStringLiteral(" )"));
    Label24->adjustSize();
    edit(2)->clear();
    showPicker(false);
    gridModel_->refresh();
    DrawGrid();
    ClearLowBoxes();
}

void TF_Main::ButSelectCurveCancelClick() {
    MenuLanguage->menuAction()->setEnabled(true);
    showPicker(false);
    if (CurCurveRecNo >= 1 && CurveMode != ModeDelete) {
        try {
            table1_->setRecNo(CurCurveRecNo);
            CurCurveName = Q(table1_->fieldText(0));
        } catch (const TableError&) {
        }
    }
}

}  // namespace ampora::ui
