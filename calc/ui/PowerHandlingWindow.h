#pragma once
// Service → "Power handling": per driver what it receives against what it
// can take, the driver that limits the loudspeaker, the amplifier power and
// SPL at that limit, what the pad resistors then burn, the amplifier the
// programme's peaks need, a target SPL, and how the limit moves with the
// tweeter's crossover frequency.
//
// The window knows nothing of the main window: it is handed each calculation
// and the language, and hands back the ratings the user types (see
// calc/ui/PowerHandlingWiring for who does that).

#include <QString>
#include <QWidget>
#include <array>
#include <optional>

#include "calc/PowerHandling.h"
#include "calc/ui/PowerHandlingPlot.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace ampora::ui {

class PowerHandlingWindow : public QWidget {
    Q_OBJECT
public:
    explicit PowerHandlingWindow(QWidget* parent);

    // The result of one calculation; stopMessage non-empty when it stopped.
    // While the window is hidden it only keeps them and catches up when shown.
    void recalculated(const Design& design, const Evaluation& ev, const QString& stopMessage);
    // 0 Russian, 1 English, 2 Belarusian.
    void setLanguage(int language);
    // Into the boxes, without ratingsEdited.
    void setRatings(const PowerRatings& ratings);
    // What the boxes hold now; a box without a usable number gives nothing.
    PowerRatings ratings() const { return ratings_; }

    // What is on show, for tests.
    const PowerHandling& figures() const { return figures_; }
    QLabel* stopLine() const { return stopLine_; }
    QLineEdit* ratingBox(int driver) const { return rows_[size_t(driver)].rating; }
    QComboBox* kindBox() const { return kind_; }
    QLineEdit* iecCutBox() const { return iecCut_; }
    QLineEdit* crestBox() const { return crest_; }
    QLineEdit* targetBox() const { return target_; }
    LimitPlot* plot() const { return plot_; }
    // The texts of a driver's row: name, receives, permissible, load, headroom, mark.
    QStringList rowTexts(int driver) const;
    bool rowShown(int driver) const;
    QLabel* loadLabel(int driver) const { return rows_[size_t(driver)].load; }
    // "name: value" of the maxima, the sine rating and the target, and each
    // resistor line, as shown.
    QStringList summaryTexts() const;
    QStringList resistorTexts() const;

signals:
    void ratingsEdited(const ampora::PowerRatings& ratings);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct DriverRow {
        QLabel *name = nullptr, *receives = nullptr, *kindText = nullptr, *permissible = nullptr,
               *load = nullptr, *headroom = nullptr, *mark = nullptr;
        QLineEdit* rating = nullptr;
    };
    struct Figure {
        QLabel *caption = nullptr, *value = nullptr;
    };
    void build();
    void edited();
    void refresh();
    void retranslate();
    void fillResistors(const PowerHandling& ph, bool shown);

    int language_ = 1;
    PowerRatings ratings_;
    PermissiblePowers permissible_{};
    Design design_;
    Evaluation ev_;
    QString stop_;
    bool have_ = false;  // a calculation has arrived
    bool stale_ = true;  // what is on show is older than what is kept
    PowerHandling figures_;

    QLabel* stopLine_ = nullptr;
    std::array<QLabel*, 7> headers_{};
    std::array<DriverRow, DriverCount> rows_{};
    QComboBox* kind_ = nullptr;
    QLineEdit* iecCut_ = nullptr;
    Figure limiting_, maxAmp_, maxSpl_, sine_, targetAmp_;
    QLabel* noRatings_ = nullptr;
    QLabel* padsTitle_ = nullptr;
    std::array<QLabel*, 5> padHeaders_{};
    std::array<std::array<QLabel*, 5>, 4> padCells_{};
    QLabel* padNote_ = nullptr;
    QLabel *crestCaption_ = nullptr, *targetCaption_ = nullptr;
    QLineEdit *crest_ = nullptr, *target_ = nullptr;
    QLabel* plotTitle_ = nullptr;
    LimitPlot* plot_ = nullptr;
};

}  // namespace ampora::ui
