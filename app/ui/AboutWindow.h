#pragma once

#include <QDialog>

class QLabel;

namespace ampora::ui {

class TF_Main;

class TF_About : public QDialog {
    Q_OBJECT
public:
    explicit TF_About(TF_Main* main);
    // Where the box goes: centred over the main window, halves to even, not
    // clamped to the screen.
    static QPoint CentredOver(const QRect& mainFrame, const QSize& aboutFrame);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TF_Main* main_;
};

}  // namespace ampora::ui
