#pragma once
// A program folder of its own for every test, the main window started as the
// program starts it, messages captured instead of shown, every other modal
// window answered by the test. Tests reach the
// controls by the names the text table uses, and the panels through their
// interfaces.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/ui/AboutWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Startup.h"
#include "calc/ui/ResultsPanel.h"
#include "curves/ui/CurvePanel.h"
#include "i18n/ui/LanguageSwitch.h"
#include "iec/ui/IecWindow.h"
#include "inputs/ui/InputPanel.h"
#include "kit/Controls.h"
#include "kit/UserDialogs.h"
#include "session/Session.h"
#include "session/WindowTexts.h"
#include "store/ProgramFolders.h"

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
    std::function<QString(FileChoice kind, const QString& caption, const QString& start)>
        onChooseFile;
    // Without one, unsaved work is discarded as before anyone asked.
    std::function<SaveAnswer(const QString& question)> onSaveQuestion;

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
    SaveAnswer askSave(QWidget*, const QString& question, const QString&, const QString&,
                       const QString&) override {
        return onSaveQuestion ? onSaveQuestion(question) : SaveAnswer::Discard;
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

    // Starts the program in the test's folder as the program starts;
    // shown, the window is active, which runs its first showing and a
    // calculation.
    TF_Main* create(bool show = true) {
        return start(ProgramFolders::Portable(folder.toStdString()), show);
    }
    TF_Main* start(const ProgramFolders& folders, bool show = true) {
        main = StartMainWindow(folders, show ? Start::Shown : Start::Hidden);
        if (show && !main->terminationRequested()) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        }
        session = &main->session();
        curves = &main->curves();
        inputs = &main->inputs();
        results = &main->results();
        return main.get();
    }
    // Ends the program the way closing the window does.
    void closeMain() {
        if (main) main->close();
    }
    void destroy() {
        main.reset();
        session = nullptr;
        curves = nullptr;
        inputs = nullptr;
        results = nullptr;
    }

    // The windows made when first needed; asking for one makes it.
    TF_IecGost* iec() const { return main->iecWindow(); }
    TF_About* about() const { return main->aboutWindow(); }

    // A control of the main window (not of a window inside it) by name.
    template <class T = QWidget>
    T* find(const char* name) const {
        T* w = dynamic_cast<T*>(OwnControl(main.get(), QString::fromUtf8(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <class T = QWidget>
    T* findIec(const char* name) const {
        T* w = dynamic_cast<T*>(OwnControl(iec(), QString::fromUtf8(name)));
        EXPECT_NE(w, nullptr) << name << " of the IEC tool";
        return w;
    }
    QLabel* label(const char* name) const { return find<QLabel>(name); }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QGroupBox* group(const char* name) const { return find<QGroupBox>(name); }
    QLineEdit* iecBox(int no) const {
        return findIec<QLineEdit>(("Edit" + std::to_string(no)).c_str());
    }
    QComboBox* iecOrder() const { return findIec<QComboBox>("ComboBox1"); }
    QLineEdit* box(int no) const { return find<QLineEdit>(("Edit" + std::to_string(no)).c_str()); }
    QComboBox* combo(int no) const {
        return find<QComboBox>(("ComboBox" + std::to_string(no)).c_str());
    }
    QAction* menuItem(const char* name) const {
        return main->MenuItems.value(QString::fromUtf8(name));
    }

    void loadMenu(const char* language) {
        main->languageSwitch().LoadMenu(*LanguageOfTag(language));
    }
    // The language whose menu item carries the check mark, as Language counts.
    int checkedLanguage() const {
        const char* items[] = {"CmdLangRus", "CmdLangEng", "CmdLangBel"};
        for (int i = 0; i < 3; ++i)
            if (menuItem(items[i])->isChecked()) return i;
        return -1;
    }
    int languageIndex() const { return TextIndex(session->language()); }

    // A user's pick in a drop-down list, which runs its change handler.
    void pick(int comboNo, int index) {
        QComboBox* c = combo(comboNo);
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
        check("CBMidEq")->setChecked(true);
        check("CBHighEq")->setChecked(true);
        type(28, f1);
        type(29, f2);
    }
    // A flat curve of that name on the graph, with no record behind it.
    void flatCurve(const QString& name = QStringLiteral("Flat")) {
        session->BandLevel.fill(40);
        session->CurCurveName = name;
        curves->DrawGrid();
    }

    TestDialogs userDialogs;
    UseDialogs useDialogs{userDialogs};
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<TF_Main> main;
    Session* session = nullptr;
    CurvePanel* curves = nullptr;
    InputPanel* inputs = nullptr;
    ResultsPanel* results = nullptr;
    QStringList messages;
    int prints = 0;
};

}  // namespace ampora::ui::testing
