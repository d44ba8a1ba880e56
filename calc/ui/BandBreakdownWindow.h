#pragma once
// Service → "Power per band": a window beside the main window that shows,
// after every calculation, which bands each driver's and each pad resistor's
// power comes from, as stacked bars and as a table.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

#include "calc/BandBreakdown.h"
#include "kit/PictureExport.h"

class QAction;
class QLabel;
class QMenu;
class QPainter;
class QRectF;
class QTableWidget;

namespace ampora::ui {

class Session;

// The words of the plot and the table in one interface language.
struct BreakdownTexts {
    QString title, frequency, level, watts, total, stopped;
    std::array<QString, DriverCount> drivers;  // bass, midrange, tweeter
    char decimalSep = '.';
    static BreakdownTexts For(int language, char decimalSep);
    QString sinkName(Sink s) const;  // "Tweeter", "Tweeter Rs"
    // A table column's name: a pad resistor with its resistance ("Tweeter Rs 3 Ω").
    QString columnName(const BandBreakdown& b, Sink s) const;
};

// Per band the drivers' powers as stacked bars over a band axis labelled
// like the spectrum graph, watts upwards, a legend on top. hoverBand (or -1)
// is drawn highlighted. Used by the window and by the report.
void PaintBandPlot(QPainter& p, const QRectF& area, const BandBreakdown& b, const BreakdownTexts& t,
                   int hoverBand = -1);
// The band under x in a plot painted into area; -1 outside the bands.
int BandAtX(const QRectF& area, double x);
// What hovering a band shows: its frequency and each driver's power.
QString BandSummary(const BandBreakdown& b, const BreakdownTexts& t, int band);

class BandPowerPlot : public QWidget {
public:
    explicit BandPowerPlot(QWidget* parent);
    void setData(const BandBreakdown& b, const BreakdownTexts& t);
    int hoverBand() const { return hover_; }
    // What the plot shows, without the hover highlight.
    Picture picture() const;
    QSize sizeHint() const override { return {720, 260}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;

private:
    BandBreakdown data_;
    BreakdownTexts texts_;
    int hover_ = -1;
};

// Follows every calculation while it is shown; a hidden window only keeps
// the last result and catches up when it is shown again.
class BandBreakdownWindow : public QWidget {
public:
    BandBreakdownWindow(const Session& session, QWidget* main);
    // The result of one calculation; stopMessage non-empty when it stopped.
    void show(const Design& design, const Evaluation& ev, const QString& stopMessage);
    void retranslate();

    QLabel* stopLine() const { return stopLine_; }
    BandPowerPlot* plot() const { return plot_; }
    QTableWidget* table() const { return table_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void refresh();
    // Columns at least as wide as their longest header word, the rest of the
    // width shared out; the header as high as its wrapped captions.
    void fitColumns();
    void savePicture();
    void fill();
    // Sets a cell's text, keeping the cell: a recalculation changes only texts.
    void setCell(int row, int col, const QString& text);

    const Session& session_;
    QLabel* stopLine_;
    BandPowerPlot* plot_;
    QTableWidget* table_;
    Design design_;
    Evaluation ev_;
    BandBreakdown data_;
    QString stop_;
    QStringList headers_;
    QAction* savePicture_;
    QAction* copyPicture_;
    QAction* copyCells_;
    QAction* selectAll_;
    bool newResult_ = false;  // design_ and ev_ are not yet in data_
    bool stale_ = true;       // the controls do not yet show data_ in the current language
};

// Adds "Power per band" to the service menu (action CmdPowerPerBand, kept
// out of the main window's MenuItems) and makes the window follow every
// calculation. The window is created over main when first opened.
void InstallBandBreakdown(const Session& session, QWidget* main, QMenu* service);
// The window, if it has been opened.
BandBreakdownWindow* FindBandBreakdown(const QWidget& main);
// File → Export picture → "Power per band…" (CmdPerBandPicture): the open
// window's plot, else the plot of the design on screen at its usual size.
void InstallBandPlotPicture(const Session& session, QWidget* main, QMenu* exportMenu);

}  // namespace ampora::ui
