// The input panel: filter type and order lists, the copy button, the midrange
// switch and the silent validation of every box.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "kit/Controls.h"
#include "app/ui/MainWindow.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"

namespace ampora::ui {

namespace {
int OrderBoxOf(int typeBoxNo) {
    switch (typeBoxNo) {
        case 5: return 7;
        case 1: return 3;
        case 2: return 4;
        default: return 8;
    }
}
}  // namespace

void TF_Main::ComboChange(QComboBox* typeBox, QComboBox* orderBox) {
    {
        const QSignalBlocker block(orderBox);
        orderBox->clear();
    }
    SetItemIndex(orderBox, -1);
    const int t = ItemIndex(typeBox);
    if (t == 0) return;  // no filter: no order either
    if (t == 1 || t == 2)
        orderBox->addItems({"1", "2", "3", "4"});
    else
        orderBox->addItems({"2", "4"});  // Linkwitz, or text that names no type
    // Order 2 either way.
    SetItemIndex(orderBox, orderBox->count() < 3 ? 0 : 1);
}

void TF_Main::TypeBoxChange(int typeBoxNo) {
    ComboChange(combo(typeBoxNo), combo(OrderBoxOf(typeBoxNo)));
    ClearLowBoxes();
}

void TF_Main::OrderBoxChange(int orderBoxNo) {
    const int idx = ItemIndex(combo(orderBoxNo));
    if (idx >= 0) ComboSavedIdx[size_t(orderBoxNo - 1)] = int16_t(idx);
    ClearLowBoxes();
}

void TF_Main::ClearLowBoxes() {
    edit(7)->clear();
    edit(4)->clear();
    edit(8)->clear();
    for (QLabel* l : {Label40, Label41, Label42, Label43}) l->clear();
    ButCalcClick();
}

void TF_Main::ButFTypeClick() {
    const int t = ItemIndex(combo(5));
    for (int no : {1, 2, 6}) SetItemIndex(combo(no), t);
    ComboBox1Change();
    ComboBox2Change();
    ComboBox6Change();
    setFocusToCalc();
    const int k = ItemIndex(combo(7));
    if (k == -1) return;
    for (int no : {3, 4, 8}) SetItemIndex(combo(no), k);
    ButCalcClick();
}

void TF_Main::CheckBoxMidClick() {
    ListBox1->hide();
    if (CheckBoxMid->isChecked()) {
        edit(5)->setText(edit(1)->text());
        edit(3)->setText(edit(6)->text());
    } else {
        edit(5)->setText(edit(6)->text());  // bass and tweeter share one crossover
    }
    GroupBox2->setVisible(CheckBoxMid->isChecked());
    setFocusToCalc();
}

void TF_Main::CheckBoxes() {
    const char sep = DecimalSeparator();
    if (auto v = ParseInt(S(edit(9)->text()))) {
        AmpPower = *v;
    } else {
        AmpPower = 100;
        edit(9)->setText(QStringLiteral("100"));
    }
    auto real = [&](int no, double& value, double fallback, const char* fallbackText) {
        if (auto v = ParseReal(S(edit(no)->text()), sep)) {
            value = *v;
        } else {
            value = fallback;
            edit(no)->setText(QString::fromUtf8(fallbackText));
        }
    };
    real(10, LfSens, 88, "88");
    real(12, MfSens, 88, "88");
    real(14, HfSens, 88, "88");
    real(11, LfImp, 4, "4");
    real(13, MfImp, 4, "4");
    real(15, HfImp, 4, "4");
    const struct { int no; double* value; } tenths[] = {
        {11, &LfImp}, {13, &MfImp}, {15, &HfImp}, {10, &LfSens}, {12, &MfSens}, {14, &HfSens}};
    for (const auto& t : tenths) {
        *t.value = RoundTenth(*t.value);
        edit(t.no)->setText(Q(FormatGeneral(*t.value, sep)));
    }
    auto whole = [&](int no, int32_t& value, int32_t fallback) {
        if (auto v = ParseInt(S(edit(no)->text()))) {
            value = *v;
        } else {
            value = fallback;
            edit(no)->setText(QString::number(fallback));
        }
    };
    whole(5, LfCutFreq, 320);
    whole(1, MfLowCutFreq, 320);
    whole(3, MfHighCutFreq, 3200);
    whole(6, HfCutFreq, 3200);
}

bool TF_Main::CheckFreqInput() {
    if (!ParseInt(S(edit(1)->text()))) {
        ShowMessage(this, textByCheckedLanguage(MsgLowCutWrong) + textByCheckedLanguage(MsgEnterNumber));
        edit(1)->setFocus();
        return false;
    }
    if (!ParseInt(S(edit(3)->text()))) {
        ShowMessage(this, textByCheckedLanguage(MsgHighCutWrong) + textByCheckedLanguage(MsgEnterNumber));
        edit(3)->setFocus();
        return false;
    }
    return true;
}

}  // namespace ampora::ui
