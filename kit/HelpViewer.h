#pragma once
// The help viewer: the help file of the current language, opened at its
// contents (a list of sections beside the text).

#include <QDialog>

class QListWidget;
class QTextBrowser;

namespace ampora::ui {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent);
    // Loads the file; false when it is missing or unreadable.
    bool open(const QString& path);
    QListWidget* contents() const { return contents_; }
    QTextBrowser* text() const { return text_; }

private:
    QListWidget* contents_;
    QTextBrowser* text_;
};

// Opens the file in the viewer (one viewer per parent); false on failure.
// Goes to the dialogs of the run (kit/UserDialogs.h), which tests replace.
bool ShowHelp(QWidget* parent, const QString& path);

}  // namespace ampora::ui
