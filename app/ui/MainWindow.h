#pragma once
// The main window: spectrum graph on top, the driver inputs below, results in
// the driver columns. Its handlers are split over the subsystem folders:
//   app/ui/MainWindow.cpp         start-up, shut-down, the About box, settings
//   app/ui/MainLayout.cpp         the fixed layout of every control
//   curves/ui/GraphHandlers.cpp   the graph, its editing and printing
//   curves/ui/CurveCommands.cpp   New/Open/Save/Save As/Delete and the picker
//   inputs/ui/InputPanel.cpp      filter boxes, midrange switch, validation
//   calc/ui/Calculation.cpp       the calculation and the Linkwitz listing
//   i18n/ui/Language.cpp          language switching and help
//   app/ui/DesignCommands.cpp     design files: Open/Save/Save As of a Design
// A handler reads the controls, calls the core, writes the controls.

#include <QHash>
#include <QMainWindow>
#include <array>
#include <memory>

#include "store/ProgramFolders.h"
#include "store/Settings.h"
#include "calc/Design.h"
#include "calc/Evaluate.h"
#include "calc/Filters.h"
#include "calc/Linkwitz.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QStatusBar;
class QTableView;
class QWidget;

namespace ampora {
class Table;
}

namespace ampora::ui {

class GraphImage;
class CurveGridModel;
class PictureBox;
class TF_IecGost;
class TF_About;

enum CurveModes : uint8_t { ModeIdle = 0, ModeNew = 1, ModeOpen = 2, ModeSave = 4, ModeDelete = 5 };

class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    // exePath: the program folder with a trailing '/', where the curve file,
    // the text table and the help files live (a portable program).
    explicit TF_Main(const QString& exePath, QWidget* parent = nullptr);
    // The read-only files from folders.data, the user's curves in folders.user.
    explicit TF_Main(const ProgramFolders& folders, QWidget* parent = nullptr);
    ~TF_Main() override;

    // The other two windows, created after this one.
    void setWindows(TF_IecGost* iec, TF_About* about);
    TF_IecGost* iecWindow() const { return iec_; }
    TF_About* aboutWindow() const { return about_; }
    // Start-up found no usable text table: the program ends.
    bool terminationRequested() const { return terminationRequested_; }

    // --- shared state -----------------------------------------------------
    double GraphStepX = 0, GraphStep10dB = 0, GraphLeft = 0, GraphRight = 0, GraphTop = 0,
           GraphBottom = 0;
    std::array<int32_t, 31> BandX{};
    std::array<int32_t, 31> BandDepth{};
    std::array<int32_t, 31> BandLevel{};
    BandArray BandWeight{};
    BandArray FilterGain{};
    BandArray LfResponse{}, MfResponse{}, HfResponse{};
    std::array<int, LinkwitzBands> LinkwitzDb{};
    int32_t NearestBandIndex = 0;
    int32_t CurCurveRecNo = -1;
    QString CurCurveName;
    uint8_t CurveMode = ModeOpen;
    QString ExePath;
    QString DataFolder;  // Menu.cds, the help files (read only)
    QString UserFolder;  // Curves.cds, Ctmp.cds
    QString HelpFile;  // the help file of the current language
    int32_t LangIndex = 0;
    uint32_t CurveColor = DefaultCurveColor;
    // Until FormCreate reads the stored settings: their defaults.
    int32_t AmpPower = SettingsValues{}.ampPower;
    double LfSens = SettingsValues{}.lfSens, MfSens = SettingsValues{}.mfSens,
           HfSens = SettingsValues{}.hfSens, LfImp = SettingsValues{}.lfImp,
           MfImp = SettingsValues{}.mfImp, HfImp = SettingsValues{}.hfImp;
    int32_t LfCutFreq = SettingsValues{}.lfCutFreq, MfLowCutFreq = SettingsValues{}.mfLowCutFreq,
            MfHighCutFreq = SettingsValues{}.mfHighCutFreq, HfCutFreq = SettingsValues{}.hfCutFreq;
    SettingsValues Stored;  // the persisted-only values between reading and applying
    int32_t MouseX = 0, MouseY = 0, HoverBand = 0, HoverDepth = 0, HoverLevel = 0, HoverFreq = 0;
    std::array<int16_t, 8> ComboSavedIdx{};  // ComboBox1..ComboBox8

    ampora::Table* Table1() const { return table1_.get(); }
    const QImage& graphImage() const;

    // --- operations called across the program ------------------------------
    void IsCurvesFileStep();
    void DrawGrid();
    void LoadMenu(const QString& language);
    void CurveOpen(const QString& name);
    void ButCalcClick();
    void RewriteTables();
    void ClearLowBoxes();
    void CheckBoxes();
    bool CheckFreqInput();
    // The inputs as a design, read from the controls as the calculation
    // reads them (after CheckBoxes).
    Design CurrentDesign() const;
    bool IsCurveFilled();
    void ComboChange(QComboBox* typeBox, QComboBox* orderBox);

    // --- handlers -----------------------------------------------------------
    void FormShow();
    void FormActivate();
    void CmdFileExitClick();
    void CmdHelpAboutClick();
    void CmdIecGostClick();
    void CmdHelpHelpClick();
    void CmdLangRusClick() { LoadMenu(QStringLiteral("Rus")); }
    void CmdLangEngClick() { LoadMenu(QStringLiteral("Eng")); }
    void CmdLangBelClick() { LoadMenu(QStringLiteral("Bel")); }
    void CmdCurveNewClick();
    void CmdCurveOpenClick();
    void CmdCurveSaveClick();
    void CmdCurveSaveAsClick();
    void CmdCurveDeleteClick();
    void ButCurveOKClick();
    void ButSelectCurveCancelClick();
    void DBGrid1CellClick();
    void Image1MouseMove(int x, int y);
    void Image1Click();
    void Image1MouseUp(Qt::MouseButton button, int x, int y);
    void Image6Click();
    void ButFTypeClick();
    void CheckBoxMidClick();
    void Label27MouseUp(Qt::MouseButton button);
    void ListBox1Click();
    void TypeBoxChange(int typeBoxNo);   // ComboBox5Change, ComboBox1Change, ...
    void OrderBoxChange(int orderBoxNo); // ComboBox7Change, ComboBox3Change, ...
    void ComboBox5Change() { TypeBoxChange(5); }
    void ComboBox1Change() { TypeBoxChange(1); }
    void ComboBox2Change() { TypeBoxChange(2); }
    void ComboBox6Change() { TypeBoxChange(6); }
    void CmdDesignOpenClick();
    void CmdDesignSaveClick();
    void CmdDesignSaveAsClick();
    // Reads a design file and sets every control from it, then calculates;
    // a refused file leaves the window as it was and shows why.
    bool OpenDesign(const QString& path);
    void ApplyDesign(const Design& design);
    // The file that Save design writes to ("" until one was opened or saved).
    QString designPath() const { return designPath_; }
    // The File menu's design items: open, save, save as.
    const std::array<QAction*, 3>& designActions() const { return designActions_; }

    // The picker's grid, name box and buttons: out of reach while it is behind.
    std::array<QWidget*, 4> pickerControls() const;
    // Where the popup menu last opened (screen point), for tests.
    QPoint lastPopupPos() const { return lastPopupPos_; }
    // The language whose menu item carries the check mark; some messages
    // choose their language by it.
    int CheckedLanguage() const;  // 0 Russian, 1 English, 2 Belarusian
    // The centred position for the built-in size (halves to even).
    QPoint CentredPosition() const;

signals:
    // After LoadMenu: windows and menu items with texts of their own follow.
    void languageChanged();
    // After every calculation that got past the activation check: the design
    // it read, its evaluation, and the message it stopped with ("" when it
    // went through).
    void recalculated(const ampora::Design& design, const ampora::Evaluation& ev,
                      const QString& stopMessage);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void FormCreate();
    void shutDown();
    void showCalcMessage(const QString& text);
    void notifyRecalculated(const Design& design, const Evaluation& ev, bool finished);
    void showLinkwitz(const LinkwitzResult& r);
    void setFocusToCalc();
    // The two agree once the window is shown; before that only the language
    // menu's check mark is set, so start-up messages must choose by it.
    QString textByCheckedLanguage(const std::array<const char*, 3>& texts) const;
    QString textByLangIndex(const std::array<const char*, 3>& texts) const;
    void showPicker(bool show);
    void attachPickerGrid();  // the grid's model, once, when the picker first opens
    void loadBandsFromCursor();
    void buildDesignMenu();
    void retranslateDesignMenu();
    bool saveDesignTo(const QString& path);
    void writeBandsToRecord(int threshold);

public:
    // --- controls (objectName = member name) --------------------------------
    QWidget* client = nullptr;
    QFrame *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr;
    GraphImage* Image1 = nullptr;
    QLabel *Label19 = nullptr, *Label20 = nullptr, *Label21 = nullptr, *Label22 = nullptr,
           *Label24 = nullptr, *Label25 = nullptr, *Label27 = nullptr, *Label31 = nullptr;
    std::array<QFrame*, 6> Shp{};          // Shp1..Shp6
    std::array<QLabel*, 6> PresetLabels{}; // Label29, Label30, Label32..Label35
    std::array<QFrame*, 6> Shapes{};       // Shape5..Shape10
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr,
              *GroupBox4 = nullptr;
    QCheckBox *CheckBoxMid = nullptr, *CBMidEq = nullptr, *CBHighEq = nullptr;
    std::array<QComboBox*, 8> combos_{};   // ComboBox1..ComboBox8
    QComboBox* combo(int no) const { return combos_[size_t(no - 1)]; }
    std::array<QLineEdit*, 31> edits_{};   // Edit1..Edit30 (index = number; 0 unused)
    QLineEdit* edit(int no) const { return edits_[no]; }
    QLabel *Label40 = nullptr, *Label41 = nullptr, *Label42 = nullptr, *Label43 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton *ButCalc = nullptr, *ButFType = nullptr, *ButCurveOK = nullptr,
                *ButCancel = nullptr;
    PictureBox* Image6 = nullptr;
    std::array<PictureBox*, 4> Pictograms{};  // Image2..Image5
    QTableView* DBGrid1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* MenuLanguage = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QHash<QString, QAction*> MenuItems;  // every menu item and submenu by name

private:
    std::unique_ptr<ampora::Table> table1_, table2_, table3_;
    CurveGridModel* gridModel_ = nullptr;
    TF_IecGost* iec_ = nullptr;
    TF_About* about_ = nullptr;
    bool terminationRequested_ = false;
    QString keptCurveFile_;  // where start-up put an unusable curve file, "" if nowhere
    bool shown_ = false;
    bool settingsWritten_ = false;
    bool tablesClosed_ = false;
    bool skipNextActivation_ = false;
    bool inCalc_ = false;
    QPoint lastPopupPos_;
    QString designPath_, designFolder_;
    std::array<QAction*, 3> designActions_{};
};

}  // namespace ampora::ui
