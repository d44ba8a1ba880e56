#pragma once
// File → Open/Save/Save as design and Open recent: a design holds the inputs
// of one calculation; opening one sets every panel from it through the
// session and calculates. The window's title names the open design and marks
// it when Save would write something else than the file holds. The standard
// file dialog is replaceable by tests.

#include <QObject>
#include <QString>
#include <array>
#include <string>

class QAction;
class QMenu;
class QWidget;

namespace ampora::ui {

class Session;

class DesignCommands : public QObject {
    Q_OBJECT
public:
    // The three items go into file before the item before; they stay out of
    // the main window's MenuItems, which holds the items of the text table.
    DesignCommands(Session& session, QWidget* main, QMenu* file, QAction* before);

    void CmdDesignOpenClick();
    void CmdDesignSaveClick();
    void CmdDesignSaveAsClick();
    // Save design as the menu item does; false when nothing was written
    // (cancelled, or the write failed).
    bool saveDesign();
    // Reads a design file and sets every control from it, then calculates;
    // a refused file leaves the window as it was and shows why.
    bool OpenDesign(const QString& path);
    // The File menu's design items: open, save, save as.
    const std::array<QAction*, 3>& designActions() const { return actions_; }
    // File → Open recent: the files, newest first, then Clear.
    QMenu* recentMenu() const { return recent_; }
    // A design is open and something it holds changed since it was opened
    // or saved.
    bool designModified() const;

private:
    void retranslate();
    bool saveDesignTo(const QString& path);
    void fillRecentMenu();
    void remember(const QString& path);  // in the recent list
    void showTitle();

    Session& session_;
    QWidget* main_;
    std::array<QAction*, 3> actions_{};
    QMenu* recent_ = nullptr;
    QAction* clearRecent_ = nullptr;
    QString folder_;
    std::string saved_;  // the open design as its file holds it, encoded
};

// Asks for a design file to open (save false) or to write (save true),
// starting in folder; "" when the user cancelled. A file to write gets the
// design extension when it has none.
QString AskDesignFile(QWidget* parent, bool save, const QString& folder, const QString& caption,
                      const QString& filter);

}  // namespace ampora::ui
