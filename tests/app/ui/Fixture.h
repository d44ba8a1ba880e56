#pragma once
// A program folder of its own for every test, the three windows created as
// the program creates them, messages captured instead of shown, every other
// modal window answered by the test.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "app/ui/AboutWindow.h"
#include "kit/Controls.h"
#include "kit/UserDialogs.h"
#include "app/ui/MainWindow.h"
#include "iec/ui/IecWindow.h"

namespace ampora::ui::testing {

// The dialogs of a test run: each goes to the test's function. Without one,
// a question is given up and its text counts as a message, a file dialog is
// cancelled, and help opens the real viewer (it is not modal).
class TestDialogs final : public UserDialogs {
public:
    std::function<void(const QString& text)> onMessage;
    std::function<bool(const QString& text, const QString& question)> onQuestion;
    std::function<bool(QWidget* window)> onPrint;
    std::function<bool(const QString& path)> onHelp;
    std::function<QString(FileChoice kind, const QString& caption, const QString& start)> onChooseFile;

    void message(QWidget*, const QString& text) override {
        if (onMessage) onMessage(text);
    }
    bool askRetry(QWidget*, const QString& text, const QString& question, const QString&,
                  const QString&) override {
        if (onQuestion) return onQuestion(text, question);
        message(nullptr, text);
        return false;
    }
    bool print(QWidget* window) override { return onPrint && onPrint(window); }
    bool help(QWidget* parent, const QString& path) override {
        return onHelp ? onHelp(path) : QtDialogs().help(parent, path);
    }
    QString chooseFile(QWidget*, FileChoice kind, const QString& caption, const QString& start,
                       const QString&) override {
        return onChooseFile ? onChooseFile(kind, caption, start) : QString();
    }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
        QFile::copy(QStringLiteral(AMPORA_MENU_CDS), folder + QStringLiteral("Menu.cds"));
        SetDecimalSeparator('.');
        userDialogs.onMessage = [this](const QString& text) { messages << text; };
        userDialogs.onPrint = [this](QWidget*) {
            ++prints;
            return true;
        };
    }
    void TearDown() override { destroy(); }

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

    TestDialogs userDialogs;
    UseDialogs useDialogs{userDialogs};
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<TF_Main> main;
    TF_IecGost* iec = nullptr;
    TF_About* about = nullptr;
    QStringList messages;
    int prints = 0;
};

}  // namespace ampora::ui::testing
