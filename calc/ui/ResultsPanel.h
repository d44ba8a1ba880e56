#pragma once
// The results in the driver columns: each driver's power and level, the pad
// resistors with their powers, the total level, and the Linkwitz listing;
// "Calc!" and the calculation behind it.

#include <QObject>
#include <array>

#include "calc/Evaluate.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace ampora::ui {

class Session;

class ResultsPanel : public QObject {
    Q_OBJECT
public:
    // The boxes go beside the row captions (rows) and into the driver
    // columns; the listing, the button and the hidden level boxes onto client.
    ResultsPanel(Session& session, QWidget* client, QWidget* rows,
                 const std::array<QWidget*, DriverCount>& columns);
    ~ResultsPanel() override;

    // --- handlers
    // Reads the design, evaluates it and shows the results; every stop
    // leaves the previous results and says why.
    void ButCalcClick();
    void ClearLowBoxes();  // the results no longer fit the inputs: anew
    void Label27MouseUp(Qt::MouseButton button);
    void ListBox1Click();
    // The window became active: calculate, unless the activation only came
    // back from closing the calculation's own message.
    void calculateOnActivation();
    void setFocusToCalc();

    // The band of the last grid lookup of any calculation (kept when one
    // finds none).
    int32_t nearestBandIndex() const { return nearestBandIndex_; }

private:
    void build(QWidget* client, QWidget* rows, const std::array<QWidget*, DriverCount>& columns);
    void connectHandlers();
    void showCalcMessage(const QString& text);
    void showLinkwitz(const LinkwitzResult& r);
    void clearResults();

    Session& session_;
    QPushButton* calc_ = nullptr;
    std::array<QLineEdit*, DriverCount> power_{};  // Edit7, Edit4, Edit8
    std::array<QLineEdit*, DriverCount> level_{};  // Edit16..Edit18, hidden
    QLineEdit* totalLevel_ = nullptr;              // Edit19
    // Series and parallel resistor of the midrange and of the tweeter.
    std::array<QLabel*, 4> pads_{};   // Label40..Label43
    QLabel* kmaxCaption_ = nullptr;   // Label27
    QLineEdit* kmax_ = nullptr;       // Edit30
    QListWidget* listing_ = nullptr;  // ListBox1
    int32_t nearestBandIndex_ = 0;
    bool inCalc_ = false;
    bool skipNextActivation_ = false;
};

}  // namespace ampora::ui
