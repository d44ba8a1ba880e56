#pragma once
// The IEC tool: a tweeter's data-sheet maximum power (measured behind a
// second-order high-pass) turned into the power it can really take.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace ampora::ui {

class TF_IecGost : public QDialog {
    Q_OBJECT
public:
    explicit TF_IecGost(QWidget* parent);
    ~TF_IecGost() override;

    void setInputs(int power, int cutFreq, int realCutFreq, int realOrderIdx);
    QString powerText() const;
    QString cutText() const;
    QString realCutText() const;
    int realOrderIndex() const;

    void CalcPower();
    int RealOrderIdx = 1;

    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr;
    QLabel *Label1 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit7 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ComboBox1Exit();
    bool calculating_ = false;
    bool destroying_ = false;
};

}  // namespace ampora::ui
