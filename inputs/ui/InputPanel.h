#pragma once
// The driver columns: the amplifier power, each driver's sensitivity and
// impedance, the four crossover filters (cut-off, type, order), the midrange
// switch, the equalisation switches and the Linkwitz frequencies. The one
// place that knows which box holds which input of the design and of the
// settings record, and what a box holds before the user types into it: the
// values of a new design.

#include <QObject>
#include <array>

#include "calc/Design.h"
#include "calc/Evaluate.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ampora {
struct SettingsValues;
}

namespace ampora::ui {

class Session;

class InputPanel : public QObject {
    Q_OBJECT
public:
    // Builds the row captions and the three columns on client.
    InputPanel(Session& session, QWidget* client);
    ~InputPanel() override;

    // Where the results panel puts its boxes: beside the row captions and in
    // the driver columns.
    QWidget* rowCaptions() const;
    QWidget* column(Driver driver) const;

    // Start-up: the stored inputs before the window shows, then into the
    // boxes when it first shows.
    void takeSettings(const SettingsValues& stored);
    void showSettings(const SettingsValues& stored);
    // The end: the boxes, checked, as the settings record keeps them.
    void storeSettings(SettingsValues& stored);

    // --- handlers
    void ComboBox5Change() { TypeBoxChange(BassLowPass); }
    void ComboBox1Change() { TypeBoxChange(MidHighPass); }
    void ComboBox2Change() { TypeBoxChange(MidLowPass); }
    void ComboBox6Change() { TypeBoxChange(TweeterHighPass); }
    void ButFTypeClick();
    void CheckBoxMidClick();
    // Every box that holds no number shows its default again, sensitivities
    // and impedances in tenths.
    void CheckBoxes();

private:
    // The filters, as the design names them.
    enum Filter : int { BassLowPass, MidHighPass, MidLowPass, TweeterHighPass };
    struct FilterBoxes {
        QLineEdit* cut = nullptr;
        QComboBox* type = nullptr;
        QComboBox* order = nullptr;
        QLineEdit* typeOnPaper = nullptr;  // the plain boxes standing in for the lists
        QLineEdit* orderOnPaper = nullptr;
        int16_t typeKept = 0, orderKept = 0;  // the item a list goes back to when left empty
        int16_t orderWithTypeKept = -1;       // the order shown beside typeKept
    };
    struct DriverBoxes {
        QLineEdit* sensitivity = nullptr;
        QLineEdit* impedance = nullptr;
    };

    void build(QWidget* client);
    void connectHandlers();
    void TypeBoxChange(Filter f);
    void OrderBoxChange(Filter f);
    // The order list offers the orders of the picked type, at order 2.
    void ComboChange(Filter f);
    // The order items of the type b shows, none selected.
    void FillOrders(FilterBoxes& b);
    static int DefaultOrderItem(const FilterBoxes& b);
    // The design as the boxes hold it, to the session after every change.
    // The design from the boxes, their numbers taken from numbers.
    Design designFromBoxes(const Design& numbers) const;
    // checked_ with the numbers as a check would take them from the boxes
    // now: what Save design writes, before the check has run.
    Design numbersAsChecked() const;
    void publish();
    void select(QComboBox* list, int index);
    void showDesign(const Design& d);
    void showCorrections(const Evaluation& ev);
    void showOnPaper(bool printing);
    std::array<QComboBox*, 8> lists() const;

    Session& session_;
    QFrame* rows_ = nullptr;
    std::array<QGroupBox*, 3> columns_{};
    QLineEdit* ampPower_ = nullptr;
    std::array<DriverBoxes, 3> drivers_{};
    std::array<FilterBoxes, 4> filters_{};
    QCheckBox* midrange_ = nullptr;
    QCheckBox* midEqualise_ = nullptr;
    QCheckBox* tweeterEqualise_ = nullptr;
    QLineEdit* linkwitzF1_ = nullptr;
    QLineEdit* linkwitzF2_ = nullptr;
    QPushButton* oneForAll_ = nullptr;
    // The numbers as the last check left them: a box still being typed into
    // does not count until the next calculation checks it.
    Design checked_;
};

}  // namespace ampora::ui
