// The curve commands and the picker panel that Open, Save As and Delete use.

#include <QApplication>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "curves/CurveStore.h"
#include "curves/ui/CurveGridModel.h"
#include "curves/ui/CurvePanel.h"
#include "i18n/Messages.h"
#include "kit/Controls.h"
#include "session/Session.h"
#include "store/Table.h"

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

std::array<QWidget*, 4> CurvePanel::pickerControls() const {
    // The printer picture shares the panel but shows through beside the
    // driver columns while the picker is behind, so it stays usable.
    return {grid_, nameBox_, ok_, cancel_};
}

void CurvePanel::attachPickerGrid() {
    if (grid_->model() == gridModel_) return;
    grid_->setModel(gridModel_);
    grid_->setColumnWidth(0, 150);
    for (int c = 1; c <= 31; ++c) grid_->setColumnWidth(c, 36);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                Table& table = session_.curveTable();
                if (current.isValid() && current.row() + 1 != table.recNo()) {
                    try {
                        table.setRecNo(current.row() + 1);
                    } catch (const TableError&) {}
                }
            });
}

void CurvePanel::showPicker(bool show) {
    if (show) {
        for (QWidget* w : pickerControls()) w->setEnabled(true);
        attachPickerGrid();
        SelectCursorRow(grid_, gridModel_, session_.curveTable());
        picker_->raise();
        printerBox_->raise();
    } else {
        picker_->lower();
        // Keys typed after the pick must not land in the name box or the grid
        // lying hidden behind the other controls.
        if (picker_->isAncestorOf(QApplication::focusWidget())) session_.focusCalc();
        for (QWidget* w : pickerControls()) w->setEnabled(false);
    }
}

void CurvePanel::loadBandsFromCursor() {
    Table& table = session_.curveTable();
    for (int i = 0; i < 31; ++i) {
        // A record that carries no value for a band has no level there. Values
        // beyond the graph's range (only a foreign file holds them) are kept
        // to it, so that bars stay inside the plot and no arithmetic overflows.
        const int32_t level = table.fieldIsNull(i + 1)
                                  ? NoLevel
                                  : std::clamp(table.fieldInt(i + 1), NoLevel, int32_t{0});
        session_.BandLevel[size_t(i)] = 40 + level;
        bandDepth_[size_t(i)] = 40 - session_.BandLevel[size_t(i)];
    }
}

void CurvePanel::writeBandsToRecord(int threshold) {
    Table& table = session_.curveTable();
    for (int i = 0; i < 31; ++i) {
        const int32_t level = session_.BandLevel[size_t(i)];
        table.setField(i + 1, level >= threshold ? level - 40 : NoLevel);
    }
}

void CurvePanel::CmdCurveNewClick() {
    bandDepth_.fill(-1);
    session_.BandLevel.fill(-41);
    edited_ = false;  // the user threw the curve away
    session_.CurCurveRecNo = -1;
    session_.CurCurveName.clear();
    session_.CurveMode = ModeNew;
    curveName_->clear();
    DrawGrid();
    session_.clearPowers();
}

void CurvePanel::CmdCurveOpenClick() { CurveOpen(QString()); }

void CurvePanel::CurveOpen(const QString& name) {
    Table& table = session_.curveTable();
    if (table.recordCount() == 0) {
        ShowMessage(window(), session_.text(MsgNoSavedCurves));
        return;
    }
    session_.CurveMode = ModeOpen;
    session_.setLanguageSwitchEnabled(false);
    if (name.isEmpty()) {
        pickerCaption_->setText(session_.text(CaptionOpen));
        pickerCaption_->adjustSize();
        nameBox_->hide();
        showPicker(true);
        grid_->setFocus();
        return;
    }
    if (table.locate(0, S(name))) {
        ButCurveOKClick();
    } else {
        session_.setLanguageSwitchEnabled(true);
        ShowMessage(window(), session_.text(MsgCurveNotFoundPre) + name +
                                  session_.text(MsgCurveNotFoundPost));
    }
}

bool CurvePanel::curveUnsaved() const {
    return edited_ && std::any_of(session_.BandLevel.begin(), session_.BandLevel.end(),
                                  [](int32_t level) { return level >= 1; });
}

bool CurvePanel::IsCurveFilled() {
    for (int32_t level : session_.BandLevel)
        if (level >= 1) return true;
    ShowMessage(window(), session_.text(MsgNoDataToSave));
    return false;
}

void CurvePanel::CmdCurveSaveAsClick() {
    if (!IsCurveFilled()) return;
    pickerCaption_->setText(session_.text(CaptionSaveAs));
    pickerCaption_->adjustSize();
    session_.CurveMode = ModeSave;
    pickerCaption_->show();
    nameBox_->setText(session_.CurCurveName);
    nameBox_->show();
    session_.setLanguageSwitchEnabled(false);
    showPicker(true);
    nameBox_->setFocus();
}

void CurvePanel::CmdCurveSaveClick() {
    Table& table = session_.curveTable();
    if (!IsCurveFilled()) return;
    if (session_.CurveMode == ModeNew || session_.CurCurveRecNo < 1) {
        // Nothing to overwrite yet: ask for a name; OK writes it.
        session_.CurveMode = ModeSave;
        pickerCaption_->show();
        nameBox_->setText(session_.CurCurveName);
        nameBox_->show();
        showPicker(true);
        nameBox_->setFocus();
        return;
    }
    // A record of a foreign file may carry the settings record's name.
    if (session_.CurCurveName == Q(SettingsRecordName)) {
        ShowMessage(window(), session_.text(MsgReservedName));
        return;
    }
    if (table.recNo() != session_.CurCurveRecNo) {
        try {
            table.setRecNo(session_.CurCurveRecNo);
        } catch (const TableError&) {
            return;
        }
    }
    table.edit();
    writeBandsToRecord(0);  // a band at -40 dB stays -40 here
    table.post();
    edited_ = false;
    SelectCursorRow(grid_, gridModel_, session_.curveTable());
}

void CurvePanel::CmdCurveDeleteClick() {
    Table& table = session_.curveTable();
    // With nothing stored there is nothing to choose from.
    if (table.recordCount() == 0) {
        ShowMessage(window(), session_.text(MsgNoSavedCurves));
        return;
    }
    pickerCaption_->setText(session_.text(CaptionDelete));
    pickerCaption_->adjustSize();
    session_.CurveMode = ModeDelete;
    pickerCaption_->show();
    // The current curve stays what it is until a record is really deleted:
    // taking the cursor's record as current here would leave an unsaved curve
    // bound to that record after Cancel, and the next Save would overwrite it.
    nameBox_->setText(Q(table.fieldText(0)));
    nameBox_->hide();
    session_.setLanguageSwitchEnabled(false);
    showPicker(true);
    grid_->setFocus();
    session_.clearPowers();
}

void CurvePanel::DBGrid1CellClick() {
    Table& table = session_.curveTable();
    if (table.recordCount() > 0) nameBox_->setText(Q(table.fieldText(0)));
}

void CurvePanel::ButCurveOKClick() {
    Table& table = session_.curveTable();
    const uint8_t mode = session_.CurveMode;
    session_.setLanguageSwitchEnabled(true);
    switch (session_.CurveMode) {
        case ModeOpen:
            if (table.recordCount() > 0) {
                session_.CurCurveRecNo = table.recNo();
                session_.CurCurveName = Q(table.fieldText(0));
                loadBandsFromCursor();
            }
            DrawGrid();
            break;
        case ModeSave: {
            // Without a name nothing is written, and the drawn curve must not
            // pass for the record the cursor happens to stand on: close the
            // picker as Cancel does.
            if (nameBox_->text().isEmpty()) {
                ButSelectCurveCancelClick();
                return;
            }
            // The name as it will be stored, so that a longer one finds the
            // record it would overwrite instead of adding a second of that name.
            const std::string name = TruncateUtf8(S(nameBox_->text()), CurveNameLength);
            // The next start would read such a curve as the settings and
            // delete it; the picker stays open for another name.
            if (name == SettingsRecordName) {
                ShowMessage(window(), session_.text(MsgReservedName));
                session_.setLanguageSwitchEnabled(false);
                nameBox_->setFocus();
                return;
            }
            if (table.locate(0, name)) {
                table.edit();
            } else {
                table.insert();
                table.setField(0, name);
            }
            writeBandsToRecord(1);  // a band at -40 dB is stored as no level here
            table.post();
            break;
        }
        case ModeDelete:
            if (table.recordCount() > 0 && Q(table.fieldText(0)) == IecDin) {
                ShowMessage(window(), session_.text(MsgCannotDeletePre) + IecDin +
                                          session_.text(MsgCannotDeletePost));
                ButSelectCurveCancelClick();
                return;
            }
            if (table.recordCount() > 0) table.remove();
            if (table.recordCount() > 0) {
                CurveOpen(IecDin);
                // Its own OK has completed the pick; doing it again would only
                // repeat the calculation and any message it shows.
                if (session_.CurveMode == ModeIdle) return;
                // No IEC/DIN to fall back on: the record the cursor moved to
                // becomes current below, so the graph shows its levels and not
                // those of the deleted curve.
                loadBandsFromCursor();
            } else {
                session_.CurCurveRecNo = -1;
                session_.CurCurveName.clear();
                session_.BandLevel.fill(0);
                bandDepth_.fill(41);
                DrawGrid();
            }
            break;
        default: break;
    }
    session_.CurveMode = ModeIdle;
    const bool any = table.recordCount() > 0;
    session_.CurCurveRecNo = any ? table.recNo() : -1;
    session_.CurCurveName = any ? Q(table.fieldText(0)) : QString();
    showCurveName();
    nameBox_->clear();
    showPicker(false);
    gridModel_->refresh();
    // Whatever the pick did, the graph now shows a curve of the store.
    edited_ = false;
    DrawGrid();
    if (mode == ModeSave) emit curveSaveEnded(true);
    session_.clearResultsAndCalculate();
}

void CurvePanel::ButSelectCurveCancelClick() {
    Table& table = session_.curveTable();
    session_.setLanguageSwitchEnabled(true);
    showPicker(false);
    if (session_.CurCurveRecNo >= 1 && session_.CurveMode != ModeDelete) {
        try {
            table.setRecNo(session_.CurCurveRecNo);
            session_.CurCurveName = Q(table.fieldText(0));
        } catch (const TableError&) {}
    }
    if (session_.CurveMode == ModeSave) emit curveSaveEnded(false);
}

void CurvePanel::showCurveName() {
    curveName_->setText(QStringLiteral("( ") + session_.CurCurveName + QStringLiteral(" )"));
    curveName_->adjustSize();
}

void CurvePanel::showDesignCurve(const Design& d) {
    // The graph keeps no difference between the levels below its floor.
    const auto shown = [](int32_t level) { return level < -40 ? NoBandLevel : level; };
    // The stored curve of that name when it holds the same levels; otherwise
    // the design's own spectrum as an unsaved curve, which Save can store.
    Table& table = session_.curveTable();
    bool stored = false;
    if (!d.spectrumName.empty() && table.locate(0, d.spectrumName)) {
        stored = true;
        for (int i = 0; i < 31 && stored; ++i) {
            const int32_t level = table.fieldIsNull(i + 1)
                                      ? NoBandLevel
                                      : std::clamp(table.fieldInt(i + 1), NoLevel, int32_t{0});
            stored = shown(level) == shown(d.spectrumLevels[size_t(i)]);
        }
    }
    if (stored) {
        session_.CurCurveRecNo = table.recNo();
        loadBandsFromCursor();
    } else {
        session_.CurCurveRecNo = -1;
        std::array<int32_t, 31> levels{};
        for (size_t i = 0; i < levels.size(); ++i) levels[i] = shown(d.spectrumLevels[i]);
        setBandsFromLevels(levels);
    }
    session_.CurCurveName = Q(d.spectrumName);
    session_.CurveMode = ModeIdle;
    edited_ = false;
    if (session_.CurCurveName.isEmpty()) {
        curveName_->clear();
        curveName_->adjustSize();
    } else {
        showCurveName();
    }
    DrawGrid();
}

}  // namespace ampora::ui
