#pragma once
// Everything a window asks the user in a modal way or hands to the desktop:
// messages, the retry question, printing, the help viewer, the file dialogs.
// One object answers them for the whole run: Qt's dialogs in the program,
// a recording one in the tests, which must never block on a modal window.
// Handlers do not call it directly but through ShowMessage, AskRetry,
// PrintWindow, ShowHelp and ChooseFile, which add what every caller needs.

#include <QString>

class QWidget;

namespace ampora::ui {

enum class FileChoice { Open, Save };
// The answers to "save before going on?".
enum class SaveAnswer { Save, Discard, Cancel };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A modal message box with the text alone.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // After a failure: text says what failed, question what the user may do;
    // true for retryCaption, false for giveUpCaption.
    virtual bool askRetry(QWidget* parent, const QString& text, const QString& question,
                          const QString& retryCaption, const QString& giveUpCaption) = 0;
    // The print dialog: true when the user confirmed and the window's image
    // was sent to the printer.
    virtual bool print(QWidget* window) = 0;
    // The help file in the viewer (one viewer per parent); false when it
    // cannot be read.
    virtual bool help(QWidget* parent, const QString& path) = 0;
    // A file to read or to write; start is the folder, or the proposed file in
    // it; filter in QFileDialog's form. "" when the user cancelled.
    virtual QString chooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                               const QString& start, const QString& filter) = 0;
    // Unsaved work before it would be lost: question names it; the three
    // captions label the buttons (Save is the default, Esc cancels).
    virtual SaveAnswer askSave(QWidget* parent, const QString& question, const QString& saveCaption,
                               const QString& discardCaption, const QString& cancelCaption) = 0;
};

// Qt's standard dialogs and the program's help viewer.
class QtDialogs final : public UserDialogs {
public:
    void message(QWidget* parent, const QString& text) override;
    bool askRetry(QWidget* parent, const QString& text, const QString& question,
                  const QString& retryCaption, const QString& giveUpCaption) override;
    bool print(QWidget* window) override;
    bool help(QWidget* parent, const QString& path) override;
    QString chooseFile(QWidget* parent, FileChoice kind, const QString& caption,
                       const QString& start, const QString& filter) override;
    SaveAnswer askSave(QWidget* parent, const QString& question, const QString& saveCaption,
                       const QString& discardCaption, const QString& cancelCaption) override;
};

// For runs nobody watches (benchmarks, the crash child): every dialog is
// declined at once and a message goes nowhere; override what should be told.
class NoDialogs : public UserDialogs {
public:
    void message(QWidget*, const QString&) override {}
    bool askRetry(QWidget*, const QString&, const QString&, const QString&,
                  const QString&) override {
        return false;
    }
    bool print(QWidget*) override { return false; }
    bool help(QWidget*, const QString&) override { return false; }
    QString chooseFile(QWidget*, FileChoice, const QString&, const QString&,
                       const QString&) override {
        return {};
    }
    // Nobody to ask: the work goes as it went before anyone asked.
    SaveAnswer askSave(QWidget*, const QString&, const QString&, const QString&,
                       const QString&) override {
        return SaveAnswer::Discard;
    }
};

// The dialogs of this run: the ones in use (UseDialogs), else Qt's.
UserDialogs& Dialogs();

// Puts dialogs in use for its own lifetime; the ones before come back after.
class UseDialogs {
public:
    explicit UseDialogs(UserDialogs& dialogs);
    ~UseDialogs();
    UseDialogs(const UseDialogs&) = delete;
    UseDialogs& operator=(const UseDialogs&) = delete;

private:
    UserDialogs* previous_;
};

}  // namespace ampora::ui
