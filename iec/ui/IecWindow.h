#pragma once
// The IEC tool: a tweeter's data-sheet maximum power (measured behind a
// second-order high-pass) turned into the power it can really take.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace ampora {
struct SettingsValues;
}

namespace ampora::ui {

class Session;

class TF_IecGost : public QDialog {
    Q_OBJECT
public:
    // Made when first opened, with the captions of the language chosen by then.
    TF_IecGost(Session& session, QWidget* parent);
    ~TF_IecGost() override;

    // The stored inputs, once the main window has shown; at the end the
    // inputs as the settings record keeps them (the tool keeps its boxes
    // numeric, whatever else they hold is not stored).
    void takeSettings(const SettingsValues& stored);
    void storeSettings(SettingsValues& stored) const;

    void CalcPower();
    int RealOrderIdx() const { return realOrderIdx_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void retranslate();
    void ComboBox1Exit();

    Session& session_;
    QGroupBox* tool_ = nullptr;       // GroupBox3, around everything
    QLineEdit* power_ = nullptr;      // Edit1: the data-sheet power
    QLineEdit* cut_ = nullptr;        // Edit3: the cut-off it was measured with
    QLineEdit* result_ = nullptr;     // Edit5: the real permissible power
    QLineEdit* realCut_ = nullptr;    // Edit7
    QComboBox* realOrder_ = nullptr;  // ComboBox1
    int realOrderIdx_ = 1;
    bool calculating_ = false;
    bool destroying_ = false;
};

}  // namespace ampora::ui
