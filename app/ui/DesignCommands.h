#pragma once
// File → Open/Save/Save as design: a design holds the inputs of one
// calculation; opening one sets every panel from it through the session and
// calculates. The standard file dialog is replaceable by tests.

#include <QObject>
#include <QString>
#include <array>

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
    // Reads a design file and sets every control from it, then calculates;
    // a refused file leaves the window as it was and shows why.
    bool OpenDesign(const QString& path);
    // The File menu's design items: open, save, save as.
    const std::array<QAction*, 3>& designActions() const { return actions_; }

private:
    void retranslate();
    bool saveDesignTo(const QString& path);

    Session& session_;
    QWidget* main_;
    std::array<QAction*, 3> actions_{};
    QString folder_;
};

// Asks for a design file to open (save false) or to write (save true),
// starting in folder; "" when the user cancelled. A file to write gets the
// design extension when it has none.
QString AskDesignFile(QWidget* parent, bool save, const QString& folder, const QString& caption,
                      const QString& filter);

}  // namespace ampora::ui
