#pragma once
// The main window, the composition root of the window layer: it builds the
// menus, places the panels at their fixed positions, and runs start-up,
// activation and shut-down. The panels do the work and share their state
// through the session (session/Session.h):
//   curves/ui/CurvePanel     the spectrum graph, the curve picker and commands
//   inputs/ui/InputPanel     the driver columns: every input of the design
//   calc/ui/ResultsPanel     "Calc!", the results, the Linkwitz listing
//   i18n/ui/LanguageSwitch   the Language menu and help
//   app/ui/DesignCommands    design files; app/ui/ReportWriter the reports
// The IEC tool, the About box and the per-band window are made when first
// opened.

#include <QHash>
#include <QMainWindow>
#include <memory>

#include "store/ProgramFolders.h"

class QAction;
class QMenu;
class QStatusBar;

namespace ampora::ui {

class CurvePanel;
class DesignCommands;
class InputPanel;
class LanguageSwitch;
class ResultsPanel;
class Session;
class TF_About;
class TF_IecGost;

class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    // The read-only files from folders.data, the user's curves in folders.user.
    explicit TF_Main(const ProgramFolders& folders, QWidget* parent = nullptr);
    ~TF_Main() override;

    // Start-up found no usable text table: the program ends.
    bool terminationRequested() const { return terminationRequested_; }

    Session& session() const { return *session_; }
    CurvePanel& curves() const { return *curves_; }
    InputPanel& inputs() const { return *inputs_; }
    ResultsPanel& results() const { return *results_; }
    LanguageSwitch& languageSwitch() const { return *language_; }
    DesignCommands& designCommands() const { return *designCommands_; }
    // The windows nobody sees at start, made when first asked for.
    TF_IecGost* iecWindow();
    TF_About* aboutWindow();

    // Every menu item and submenu of the text table, by name.
    QHash<QString, QAction*> MenuItems;

    // --- handlers
    void FormShow();
    void FormActivate();
    void CmdFileExitClick();
    void CmdHelpAboutClick();
    void CmdIecGostClick();
    // Fills the settings record from every panel and writes it (once).
    void RewriteTables();
    // The program ends by a signal: closing asks nothing.
    void endWithoutQuestions() { askBeforeClosing_ = false; }

    // Where the popup menu last opened (screen point), for tests.
    QPoint lastPopupPos() const { return lastPopupPos_; }
    // The centred position for the built-in size (halves to even).
    QPoint CentredPosition() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    void buildPictureMenu(QMenu* file);  // File → Export picture
    void connectMenus();
    void FormCreate();
    void shutDown();
    // Asks about a changed design and an unsaved curve; false when the
    // program is to go on (cancelled, a save failed, or a curve's name is
    // still being asked for: then closing resumes once it is saved).
    bool mayClose(bool exiting);
    // The picker opened by mayClose closed.
    void resumeClosing(bool curveSaved);

    // Destroyed in reverse: the panels before the session they use.
    std::unique_ptr<Session> session_;
    std::unique_ptr<CurvePanel> curves_;
    std::unique_ptr<InputPanel> inputs_;
    std::unique_ptr<ResultsPanel> results_;
    std::unique_ptr<LanguageSwitch> language_;
    std::unique_ptr<DesignCommands> designCommands_;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    TF_IecGost* iec_ = nullptr;
    TF_About* about_ = nullptr;
    bool terminationRequested_ = false;
    QString keptCurveFile_;  // where start-up put an unusable curve file, "" if nowhere
    bool shown_ = false;
    bool settingsWritten_ = false;
    bool tablesClosed_ = false;
    QPoint lastPopupPos_;
    bool askBeforeClosing_ = true;
    enum class Resume { No, Close, Exit } resumeAfterCurveSave_ = Resume::No;
};

}  // namespace ampora::ui
