#pragma once

#include <QDialog>

namespace ampora::ui {

class Session;

class TF_About : public QDialog {
    Q_OBJECT
public:
    // Over main, made when first opened, in the language chosen by then.
    TF_About(Session& session, QWidget* main);
    // Where the box goes: centred over the main window, halves to even, not
    // clamped to the screen.
    static QPoint CentredOver(const QRect& mainFrame, const QSize& aboutFrame);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void retranslate();

    Session& session_;
};

}  // namespace ampora::ui
