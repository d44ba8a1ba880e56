#pragma once
// A program folder of its own for every test, the three windows created as
// the program creates them, messages captured instead of shown.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/ui/AboutWindow.h"
#include "app/ui/Controls.h"
#include "app/ui/MainWindow.h"
#include "iec/ui/IecWindow.h"

namespace ampora::ui::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
        QFile::copy(QStringLiteral(AMPORA_MENU_CDS), folder + QStringLiteral("Menu.cds"));
        SetDecimalSeparator('.');
        SetMessageHook([this](const QString& text) { messages << text; });
        SetPrintHook([this](QWidget*) {
            ++prints;
            return true;
        });
    }
    void TearDown() override {
        destroy();
        SetMessageHook({});
        SetPrintHook({});
    }

    // Creates the windows as the program does; show() makes the main window
    // visible and active, which runs its first showing and a calculation.
    TF_Main* create(bool show = true) {
        main = std::make_unique<TF_Main>(folder);
        iec = new TF_IecGost(main.get());
        about = new TF_About(main.get());
        main->setWindows(iec, about);
        if (show) {
            main->show();
            main->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        }
        return main.get();
    }
    // Ends the program the way closing the window does.
    void closeMain() {
        if (main) main->close();
    }
    void destroy() { main.reset(); }

    template <class T>
    T* find(const char* name) const {
        T* w = main->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* box(int no) const { return main->edit(no); }
    // A user's pick in a drop-down list, which runs its change handler.
    void pick(int comboNo, int index) {
        QComboBox* c = main->combo(comboNo);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    void type(int editNo, const QString& text) {
        box(editNo)->setFocus();
        box(editNo)->clear();
        QTest::keyClicks(box(editNo), text);
    }
    // The inputs of the first worked example typed and picked as a user
    // would: three-way, Butterworth 2 everywhere, 8 ohm, both pads equalised.
    // The other examples differ only in the tweeter's cut and Linkwitz.
    void typeWorkedExample(const QString& tweeterCut = QStringLiteral("3200"),
                           const QString& f1 = {}, const QString& f2 = {}) {
        type(9, "100");
        type(10, "88");
        type(12, "90");
        type(14, "92");
        for (int no : {11, 13, 15}) type(no, "8");
        for (int no : {5, 1, 2, 6}) pick(no, 2);  // Butterworth, order list refilled at "2"
        type(5, "320");
        type(1, "320");
        type(3, "3200");
        type(6, tweeterCut);
        main->CBMidEq->setChecked(true);
        main->CBHighEq->setChecked(true);
        type(28, f1);
        type(29, f2);
    }

    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<TF_Main> main;
    TF_IecGost* iec = nullptr;
    TF_About* about = nullptr;
    QStringList messages;
    int prints = 0;
};

}  // namespace ampora::ui::testing
