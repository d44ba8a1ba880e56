// Design files through the File menu of the real window.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/ui/DesignCommands.h"
#include "calc/DesignFile.h"
#include "cli/Evaluate.h"
#include "curves/CurveStore.h"
#include "tests/DiskFaults.h"
#include "tests/app/ui/Fixture.h"

#include <sys/stat.h>

namespace ampora::ui::testing {
namespace {

class DesignCommandsTest : public WindowTest {
public:
    // The table of cases below drives the window through these.
    using WindowTest::check;
    using WindowTest::curves;
    using WindowTest::main;
    using WindowTest::pick;
    using WindowTest::session;
    using WindowTest::type;

    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(files.isValid());
        userDialogs.onChooseFile = [this](FileChoice kind, const QString&, const QString&) {
            ++dialogs;
            return kind == FileChoice::Save ? savePath : openPath;
        };
    }
    void start() {
        create();
        loadMenu("Eng");
        messages.clear();
    }
    // The windows of a program installed in another folder, as on another
    // machine: nothing remembered from the first.
    void restartElsewhere() {
        destroy();
        others.push_back(std::make_unique<QTemporaryDir>());
        folder = others.back()->path() + QLatin1Char('/');
        QFile::copy(QStringLiteral(AMPORA_MENU_CDS), folder + QStringLiteral("Menu.cds"));
        start();
    }
    void calc() { QTest::mouseClick(button("ButCalc"), Qt::LeftButton); }
    void saveAs(const QString& path) {
        savePath = path;
        main->designCommands().designActions()[2]->trigger();
    }
    void open(const QString& path) {
        openPath = path;
        main->designCommands().designActions()[0]->trigger();
    }
    QString file(const char* name) const { return files.path() + QLatin1Char('/') + name; }
    // What the user sees of the inputs and the results.
    QStringList screen() const {
        QStringList s;
        for (int no : {9, 10, 11, 12, 13, 14, 15, 5, 1, 3, 6, 28, 29, 30, 7, 4, 8, 16, 17, 18, 19})
            s << box(no)->text();
        for (int no = 1; no <= 8; ++no) s << combo(no)->currentText();
        for (QLabel* l : {label("Label40"), label("Label41"), label("Label42"), label("Label43"),
                          label("Label24")})
            s << l->text();
        for (QCheckBox* c : {check("CheckBoxMid"), check("CBMidEq"), check("CBHighEq")})
            s << (c->isChecked() ? "on" : "off");
        return s;
    }
    void workedExample() { typeWorkedExample(); }

    QTemporaryDir files;
    std::vector<std::unique_ptr<QTemporaryDir>> others;
    QString savePath, openPath;
    int dialogs = 0;
};

struct WindowCase {
    const char* name;
    std::function<void(DesignCommandsTest&)> setUp;
};

class DesignRoundTripInWindow : public DesignCommandsTest,
                                public ::testing::WithParamInterface<WindowCase> {};

TEST_P(DesignRoundTripInWindow, ReopenedInAFreshWindowGivesTheSameScreen) {
    start();
    workedExample();
    GetParam().setUp(*this);
    calc();
    const QStringList before = screen();
    const QStringList seen = messages;
    ASSERT_FALSE(before[14].isEmpty()) << "the case must calculate";

    saveAs(file("variant.ampora"));
    ASSERT_TRUE(QFile::exists(file("variant.ampora")));
    EXPECT_EQ(session->designPath(), file("variant.ampora"));

    // The command line gives the window's numbers for the same file.
    std::string args[] = {"ampora", "evaluate", "--format", "json",
                          file("variant.ampora").toStdString()};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data()};
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunEvaluate(5, argv, out, err), 0) << err.str();
    const nlohmann::json texts = nlohmann::json::parse(out.str())[0]["texts"];
    const char* keys[] = {"bassW",      "midrangeW", "tweeterW",  "midrangeRs",
                          "midrangeRp", "tweeterRs", "tweeterRp", "bassDb",
                          "midrangeDb", "tweeterDb", "totalDb"};
    QStringList window = {
        box(7)->text(),           box(4)->text(),           box(8)->text(),
        label("Label40")->text(), label("Label41")->text(), label("Label42")->text(),
        label("Label43")->text(), box(16)->text(),          box(17)->text(),
        box(18)->text(),          box(19)->text()};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(texts[keys[i]].get<std::string>(), window[i].toStdString()) << keys[i];
    restartElsewhere();
    ASSERT_NE(screen(), before);
    open(file("variant.ampora"));
    EXPECT_EQ(messages, seen);
    EXPECT_EQ(screen(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Window, DesignRoundTripInWindow,
    ::testing::Values(WindowCase{"WorkedExample", [](DesignCommandsTest&) {}},
                      WindowCase{"NoMidrange",
                                 [](DesignCommandsTest& t) {
                                     QTest::mouseClick(t.check("CheckBoxMid"), Qt::LeftButton);
                                     t.type(5, "320");
                                     t.type(6, "2000");
                                 }},
                      WindowCase{"LinkwitzOn",
                                 [](DesignCommandsTest& t) {
                                     t.type(28, "50");
                                     t.type(29, "25");
                                 }},
                      WindowCase{"EveryFilterType",
                                 [](DesignCommandsTest& t) {
                                     t.pick(5, 0);  // bass without a filter
                                     t.pick(1, 1);  // Bessel ...
                                     t.pick(3, 0);  // ... order 1
                                     t.pick(2, 3);  // Linkwitz ...
                                     t.pick(4, 1);  // ... order 4
                                     t.pick(8, 3);  // Butterworth order 4 for the tweeter
                                     t.type(12, "91.5");
                                     t.type(15, "6.3");
                                 }},
                      WindowCase{"DrawnCurve",
                                 [](DesignCommandsTest& t) {
                                     t.curves->CurveOpen(QString::fromUtf8("Рок"));
                                     t.session->BandLevel[3] = 12;
                                     t.curves->DrawGrid();
                                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignCommandsTest, StoredCurveIsSelectedOnlyWithTheSameLevels) {
    start();
    Design d;
    d.spectrumName = "Рок";
    for (const BuiltInCurve& c : BuiltInCurves)
        if (std::string(c.name) == d.spectrumName)
            std::copy(c.levels.begin(), c.levels.end(), d.spectrumLevels.begin());
    ASSERT_FALSE(WriteDesignFile(file("rock.ampora").toStdString(), d));
    d.spectrumLevels[10] = -7;
    ASSERT_FALSE(WriteDesignFile(file("my-rock.ampora").toStdString(), d));

    open(file("rock.ampora"));
    EXPECT_GE(session->CurCurveRecNo, 1);
    EXPECT_EQ(session->CurCurveName, QString::fromUtf8("Рок"));

    // Opened while the curve picker waits for a pick: the pick is cancelled,
    // so that its OK cannot replace the design's curve later.
    curves->CmdCurveOpenClick();
    ASSERT_FALSE(menuItem("MenuLanguage")->isEnabled());
    open(file("my-rock.ampora"));
    EXPECT_TRUE(menuItem("MenuLanguage")->isEnabled());
    EXPECT_EQ(main->centralWidget()->children().indexOf(find<QFrame>("Panel2")), 0);
    EXPECT_EQ(session->CurCurveRecNo, -1);  // unsaved, under the design's name
    EXPECT_EQ(session->CurCurveName, QString::fromUtf8("Рок"));
    EXPECT_EQ(label("Label24")->text(), QString::fromUtf8("( Рок )"));
    EXPECT_EQ(session->BandLevel[10], 33);
    EXPECT_FALSE(box(7)->text().isEmpty());  // calculated once
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(DesignCommandsTest, RefusedFileLeavesTheWindowAsItWas) {
    start();
    workedExample();
    calc();
    const QStringList before = screen();
    const struct {
        const char* content;
        const char* message;
    } cases[] = {
        {"{ not json", "The file is not a design: it is not JSON (byte 4)."},
        {R"({"format": "ampora-design", "version": 7})",
         "The design was written by a newer version of the program (format version 7); this "
         "version reads versions 1 and 2."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        QFile f(file("bad.ampora"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        messages.clear();
        open(file("bad.ampora"));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].toStdString(),
                  std::string("Design not opened: bad.ampora\n") + c.message);
        EXPECT_EQ(screen(), before);
        EXPECT_TRUE(session->designPath().isEmpty());
    }
    // Values out of range come from a well-formed design: Russian this time.
    Design d;
    d.spectrumName = "x";
    d.bass.impedanceOhm = 0;
    QFile f(file("zero.ampora"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(EncodeDesign(d)));
    f.close();
    loadMenu("Rus");
    messages.clear();
    open(file("zero.ampora"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QString::fromUtf8(
                  "Проект не открыт: zero.ampora\nbass.impedanceOhm должно быть больше нуля."));
    EXPECT_EQ(screen(), before);
}

TEST_F(DesignCommandsTest, SaveWritesToTheOpenedFileAndRefusesBadValues) {
    start();
    workedExample();
    calc();
    // Save without a file yet asks for one.
    savePath = file("first.ampora");
    main->designCommands().designActions()[1]->trigger();
    EXPECT_EQ(dialogs, 1);
    ASSERT_TRUE(QFile::exists(savePath));
    type(9, "50");
    main->designCommands().designActions()[1]->trigger();
    EXPECT_EQ(dialogs, 1);  // now straight to the same file
    EXPECT_EQ(ReadDesignFile(savePath.toStdString()).design->ampPowerW, 50);

    type(9, "0");
    messages.clear();
    main->designCommands().designActions()[1]->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              "Design not saved: first.ampora\namplifierPowerW must be greater than zero.");
    EXPECT_EQ(ReadDesignFile(savePath.toStdString()).design->ampPowerW, 50);  // kept whole

    // A name given without the extension gets it.
    type(9, "60");
    saveAs(file("second"));
    EXPECT_FALSE(QFile::exists(file("second")));
    ASSERT_TRUE(QFile::exists(file("second.ampora")));
    EXPECT_EQ(ReadDesignFile(file("second.ampora").toStdString()).design->ampPowerW, 60);
}

// Open and Save go through the one reader and writer: a pipe is refused at
// once, a number beyond a double is a refusal, a read-only design is kept.
TEST_F(DesignCommandsTest, OpenAndSaveRespectWhatLiesAtTheFilesPlace) {
    start();
    workedExample();
    calc();
    const QStringList before = screen();
    std::string big = EncodeDesign(session->design());
    big.insert(1, "\"note\": 1e309,");
    QFile f(file("big.ampora"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(big));
    f.close();
    const testutil::NamedPipe pipe(S(file("pipe.ampora")));
    ASSERT_TRUE(pipe.made());
    const struct {
        const char* name;
        const char* message;
    } opened[] = {
        {"pipe.ampora",
         "Cannot read the design file: It is not a regular file (a folder, pipe or device)"},
        {"big.ampora", "The file holds a number too large for the program: 1e309."}};
    for (const auto& o : opened) {
        messages.clear();
        open(file(o.name));
        EXPECT_EQ(messages,
                  QStringList{QString("Design not opened: ") + o.name + "\n" + o.message});
        EXPECT_EQ(screen(), before);
    }
    EXPECT_FALSE(pipe.waited());

    Design other = session->design();
    other.ampPowerW = 7;
    ASSERT_FALSE(WriteDesignFile(S(file("ro.ampora")), other));
    ::chmod(S(file("ro.ampora")).c_str(), 0444);
    messages.clear();
    saveAs(file("ro.ampora"));
    EXPECT_EQ(messages, QStringList{"Design not saved: ro.ampora\n"
                                    "Cannot write the design file: The file is read-only"});
    EXPECT_EQ(ReadDesignFile(S(file("ro.ampora"))).design->ampPowerW, 7);
}

TEST_F(DesignCommandsTest, MenuItemsSpeakTheCurrentLanguage) {
    start();
    const char* expected[3][3] = {{"Открыть проект…", "Сохранить проект", "Сохранить проект как…"},
                                  {"Open design…", "Save design", "Save design as…"},
                                  {"Адкрыць праект…", "Захаваць праект", "Захаваць праект як…"}};
    const char* languages[] = {"Rus", "Eng", "Bel"};
    for (int l = 0; l < 3; ++l) {
        loadMenu(languages[l]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(main->designCommands().designActions()[size_t(i)]->text(),
                      QString::fromUtf8(expected[l][i]));
            EXPECT_TRUE(main->designCommands().designActions()[size_t(i)]->isVisible());
        }
    }
    // Cancelling the dialog changes nothing.
    const QStringList before = screen();
    open(QString());
    saveAs(QString());
    EXPECT_EQ(screen(), before);
    EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
}  // namespace ampora::ui::testing
