#pragma once
// The spectrum graph and the curve picker behind it: drawing and editing the
// current curve, the preset curves, the bar colour, the curve commands
// (New, Open, Save, Save As, Delete) and printing the window. Its member
// functions are split by room:
//   curves/ui/CurvePanel.cpp     the layout, the wiring, the settings
//   curves/ui/GraphHandlers.cpp  the graph, its editing and printing
//   curves/ui/CurveCommands.cpp  the curve commands and the picker
// The current curve itself lives in the session.

#include <QObject>
#include <QPoint>
#include <array>

#include "calc/Design.h"

class QFrame;
class QGroupBox;
class QImage;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace ampora {
struct SettingsValues;
}

namespace ampora::ui {

class CurveGridModel;
class GraphImage;
class PictureBox;
class Session;

class CurvePanel : public QObject {
    Q_OBJECT
public:
    // Builds the picker and the graph panel on client, the picker first so
    // that everything else lies over it.
    CurvePanel(Session& session, QWidget* client);
    ~CurvePanel() override;

    Session& session() const { return session_; }
    QWidget* window() const;  // the main window, parent of messages and dialogs

    // Start-up and the end: the bar colour and which curve was open.
    void takeSettings(const SettingsValues& stored);
    void openStoredCurve(int32_t recNo);
    void storeSettings(SettingsValues& stored) const;
    // The curve table changed under the picker's grid; detach before the
    // table goes.
    void refreshGrid();
    void detachGrid();

    // --- the graph
    void DrawGrid();
    void Image1MouseMove(int x, int y);
    void Image1Click();
    void Image1MouseUp(Qt::MouseButton button, int x, int y);
    void Image6Click();  // prints the window
    uint32_t curveColor() const { return curveColor_; }
    const QImage& graphImage() const;
    // The graph with its scales and captions, as a picture leaves the program.
    QWidget* graphPanel() const;
    const std::array<int32_t, 31>& bandDepth() const { return bandDepth_; }
    // A curve with no record behind it (a measured spectrum): Save asks for
    // its name, proposing this one.
    void showImportedCurve(const QString& name, const std::array<int32_t, 31>& levelsDb);

    // --- the curve commands and the picker
    void CurveOpen(const QString& name);
    void CmdCurveNewClick();
    void CmdCurveOpenClick();
    void CmdCurveSaveClick();
    void CmdCurveSaveAsClick();
    void CmdCurveDeleteClick();
    void ButCurveOKClick();
    void ButSelectCurveCancelClick();
    void DBGrid1CellClick();
    bool IsCurveFilled();
    // A drawn or imported curve is on the graph that the curve store does not
    // hold as it is (a design's own curve belongs to the design).
    bool curveUnsaved() const;
    // The picker's grid, name box and buttons: out of reach while it is behind.
    std::array<QWidget*, 4> pickerControls() const;

signals:
    // A right click on the graph asks for the curve menu at this screen point.
    void popupMenuRequested(const QPoint& at);
    // The picker that asked for a curve's name closed: saved or cancelled.
    void curveSaveEnded(bool saved);

private:
    void buildPicker(QWidget* client);
    void buildGraph(QWidget* client);
    void connectHandlers();
    void showPicker(bool show);
    void attachPickerGrid();  // the grid's model, once, when the picker first opens
    void loadBandsFromCursor();
    void writeBandsToRecord(int threshold);
    void setBandsFromLevels(const std::array<int32_t, 31>& levelsDb);
    void showCurveName();  // beside the graph, between brackets
    void showDesignCurve(const Design& d);

    Session& session_;
    // The picker.
    QFrame* picker_ = nullptr;         // Panel2
    QLabel* pickerCaption_ = nullptr;  // Label25
    QTableView* grid_ = nullptr;       // DBGrid1
    CurveGridModel* gridModel_ = nullptr;
    QLineEdit* nameBox_ = nullptr;     // Edit2
    QPushButton* ok_ = nullptr;        // ButCurveOK
    QPushButton* cancel_ = nullptr;    // ButCancel
    QGroupBox* printerBox_ = nullptr;  // GroupBox4
    PictureBox* printer_ = nullptr;    // Image6
    // The graph.
    GraphImage* graph_ = nullptr;       // Image1
    QLabel* levelReadout_ = nullptr;    // Label21
    QLabel* freqReadout_ = nullptr;     // Label22
    QLabel* curveName_ = nullptr;       // Label24
    std::array<QFrame*, 6> markers_{};  // Shp1..Shp6
    std::array<QLabel*, 6> presets_{};  // Label29, Label30, Label32..Label35
    // The plot's pixel grid: 18 px per band, 36 px per 10 dB, and its margins.
    static constexpr double GraphStepX = 18, GraphStep10dB = 36, GraphLeft = 30, GraphTop = 15,
                            GraphRight = 9, GraphBottom = 45;
    std::array<int32_t, 31> bandX_{};
    std::array<int32_t, 31> bandDepth_{};
    int32_t mouseX_ = 0, mouseY_ = 0, hoverBand_ = 0, hoverDepth_ = 0;
    uint32_t curveColor_;
    bool edited_ = false;  // drawn or imported since the store last had it
};

}  // namespace ampora::ui
