// The curve commands and the picker panel that Open, Save As and Delete use.

#include <QAction>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "app/Table.h"
#include "app/ui/Controls.h"
#include "app/ui/MainWindow.h"
#include "curves/CurveStore.h"
#include "curves/ui/CurveGridModel.h"
#include "i18n/Messages.h"

namespace ampora::ui {

namespace {
const QString IecDin = QStringLiteral("IEC/DIN");
}

void TF_Main::showPicker(bool show) {
    if (show) {
        gridModel_->refresh();
        const int row = table1_->recNo() - 1;
        if (row >= 0)
            DBGrid1->selectionModel()->setCurrentIndex(
                gridModel_->index(row, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        Panel2->raise();
        GroupBox4->raise();
    } else {
        Panel2->lower();
    }
}

void TF_Main::loadBandsFromCursor() {
    for (int i = 0; i < 31; ++i) {
        // A record that carries no value for a band has no level there.
        const int32_t level = table1_->fieldIsNull(i + 1) ? NoLevel : table1_->fieldInt(i + 1);
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
        ShowMessage(this, lang(MsgNoSavedCurves));
        return;
    }
    CurveMode = ModeOpen;
    MenuLanguage->menuAction()->setEnabled(false);
    if (name.isEmpty()) {
        Label25->setText(lang(CaptionOpen));
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
        ShowMessage(this, lang(MsgCurveNotFoundPre) + name + lang(MsgCurveNotFoundPost));
    }
}

bool TF_Main::IsCurveFilled() {
    for (int32_t level : BandLevel)
        if (level >= 1) return true;
    ShowMessage(this, lang(MsgNoDataToSave));
    return false;
}

void TF_Main::CmdCurveSaveAsClick() {
    if (!IsCurveFilled()) return;
    Label25->setText(lang(CaptionSaveAs));
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
    gridModel_->refresh();
}

void TF_Main::CmdCurveDeleteClick() {
    // With nothing stored there is nothing to choose from.
    if (table1_->recordCount() == 0) {
        ShowMessage(this, lang(MsgNoSavedCurves));
        return;
    }
    Label25->setText(lang(CaptionDelete));
    Label25->adjustSize();
    CurveMode = ModeDelete;
    Label25->show();
    CurCurveName = Q(table1_->fieldText(0));
    CurCurveRecNo = table1_->recNo();
    edit(2)->setText(CurCurveName);
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
            const QString name = edit(2)->text();
            if (name.isEmpty()) break;
            if (table1_->locate(0, S(name))) {
                table1_->edit();
            } else {
                table1_->insert();
                table1_->setField(0, S(name));
            }
            writeBandsToRecord(1);  // a band at -40 dB is stored as no level here
            table1_->post();
            break;
        }
        case ModeDelete:
            if (table1_->recordCount() > 0 && Q(table1_->fieldText(0)) == IecDin) {
                ShowMessage(this, lang(MsgCannotDeletePre) + IecDin + lang(MsgCannotDeletePost));
                ButSelectCurveCancelClick();
                return;
            }
            if (table1_->recordCount() > 0) table1_->remove();
            if (table1_->recordCount() > 0) {
                CurveOpen(IecDin);
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
