// The open design in the title, the question before unsaved work is lost,
// and the recent designs kept between runs.

#include <QMenu>
#include <QSettings>
#include <QWindow>
#include <functional>

#include "app/ui/DesignCommands.h"
#include "calc/DesignFile.h"
#include "curves/ui/GraphImage.h"
#include "kit/UserConfig.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class UnsavedWorkTest : public WindowTest {
public:
    // The tables of cases below drive the window through these.
    using WindowTest::check;
    using WindowTest::curves;
    using WindowTest::main;
    using WindowTest::pick;
    using WindowTest::session;
    using WindowTest::type;

    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(files.isValid());
        userDialogs.onChooseFile = [this](FileChoice, const QString&, const QString&) {
            return chosen;
        };
        userDialogs.onSaveQuestion = [this](const QString& question) {
            questions << question;
            return answer;
        };
    }
    void start() {
        create();
        loadMenu("Eng");
    }
    // A program folder of its own: nothing remembered from the row before.
    void startElsewhere() {
        others.push_back(std::make_unique<QTemporaryDir>());
        folder = others.back()->path() + QLatin1Char('/');
        QFile::copy(QStringLiteral(AMPORA_MENU_CDS), folder + QStringLiteral("Menu.cds"));
        start();
    }
    QString file(const QString& name) const { return files.path() + QLatin1Char('/') + name; }
    void saveAs(const QString& path) {
        chosen = path;
        main->designCommands().designActions()[2]->trigger();
    }
    void save() { main->designCommands().designActions()[1]->trigger(); }
    void draw() {
        // A move to where the pointer already is sends no event.
        QTest::mouseMove(find<GraphImage>("Image1"), QPoint(301, 100));
        QTest::mouseMove(find<GraphImage>("Image1"), QPoint(300, 100));
        QTest::mouseClick(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(300, 100));
    }
    QString title() const { return main->windowHandle()->title(); }
    QStringList recentEntries() const {
        QStringList shown;
        for (QAction* a : main->designCommands().recentMenu()->actions())
            if (!a->isSeparator() && a->objectName() != "CmdClearRecent") shown << a->text();
        return shown;
    }

    QTemporaryDir files;
    std::vector<std::unique_ptr<QTemporaryDir>> others;
    QString chosen;
    SaveAnswer answer = SaveAnswer::Cancel;
    QStringList questions;
};

TEST_F(UnsavedWorkTest, TitleMarksWhatSaveWouldChange) {
    const struct {
        const char* name;
        std::function<void(UnsavedWorkTest&)> act;
        const char* title;
    } rows[] = {
        {"as saved", [](auto&) {}, "three-way.ampora \u2013 Ampora"},
        {"power typed", [](auto& t) { t.type(9, "150"); }, "three-way.ampora* \u2013 Ampora"},
        {"typed back",
         [](auto& t) {
             t.type(9, "150");
             t.type(9, "100");
         },
         "three-way.ampora \u2013 Ampora"},
        {"filter picked", [](auto& t) { t.pick(5, 2); }, "three-way.ampora* \u2013 Ampora"},
        {"curve drawn", [](auto& t) { t.draw(); }, "three-way.ampora* \u2013 Ampora"},
        {"rating given",
         [](auto& t) {
             PowerRatings r;
             r.drivers[0] = DriverRating{120, {}};
             t.session->setPowerRatings(r);
         },
         "three-way.ampora* \u2013 Ampora"},
        {"changed and saved",
         [](auto& t) {
             t.type(9, "150");
             t.save();
         },
         "three-way.ampora \u2013 Ampora"},
        {"saved as another",
         [](auto& t) {
             t.type(9, "150");
             t.saveAs(t.file("two-way"));
         },
         "two-way.ampora \u2013 Ampora"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startElsewhere();
        EXPECT_EQ(title(), " Ampora");
        saveAs(file("three-way.ampora"));
        row.act(*this);
        EXPECT_EQ(title(), QString::fromUtf8(row.title));
        destroy();
    }
}

TEST_F(UnsavedWorkTest, ClosingAsksExactlyAboutUnsavedWork) {
    const struct {
        const char* name;
        std::function<void(UnsavedWorkTest&)> act;
        SaveAnswer answer;
        const char* question;  // "" when none is asked
        bool closed;
    } rows[] = {
        {"nothing changed", [](auto& t) { t.saveAs(t.file("a.ampora")); }, SaveAnswer::Cancel, "",
         true},
        {"no design open", [](auto& t) { t.type(9, "150"); }, SaveAnswer::Cancel, "", true},
        {"design changed, cancel",
         [](auto& t) {
             t.saveAs(t.file("a.ampora"));
             t.type(9, "150");
         },
         SaveAnswer::Cancel, "Save changes to a.ampora?", false},
        {"design changed, discard",
         [](auto& t) {
             t.saveAs(t.file("a.ampora"));
             t.type(9, "150");
         },
         SaveAnswer::Discard, "Save changes to a.ampora?", true},
        {"design changed, save",
         [](auto& t) {
             t.saveAs(t.file("a.ampora"));
             t.type(9, "150");
         },
         SaveAnswer::Save, "Save changes to a.ampora?", true},
        {"curve drawn, cancel",
         [](auto& t) {
             t.curves->CmdCurveNewClick();
             t.draw();
         },
         SaveAnswer::Cancel, "Save the drawn curve?", false},
        {"curve imported, cancel",
         [](auto& t) {
             std::array<int32_t, 31> levels{};
             levels.fill(-10);
             t.curves->showImportedCurve("measured", levels);
         },
         SaveAnswer::Cancel, "Save the curve \"measured\"?", false},
        {"stored curve opened", [](auto& t) { t.curves->CurveOpen("IEC/DIN"); }, SaveAnswer::Cancel,
         "", true},
        {"ended by a signal",
         [](auto& t) {
             t.saveAs(t.file("a.ampora"));
             t.type(9, "150");
             t.curves->CmdCurveNewClick();
             t.draw();
             t.main->endWithoutQuestions();
         },
         SaveAnswer::Cancel, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startElsewhere();
        row.act(*this);
        questions.clear();
        answer = row.answer;
        closeMain();
        EXPECT_EQ(questions.join('|'), QString::fromUtf8(row.question));
        EXPECT_EQ(main->isHidden(), row.closed);
        if (row.answer == SaveAnswer::Save) {
            const DesignRead saved = ReadDesignFile(file("a.ampora").toStdString());
            ASSERT_TRUE(saved.design);
            EXPECT_EQ(saved.design->ampPowerW, 150);
        }
        destroy();
    }
}

TEST_F(UnsavedWorkTest, SavingACurveByItsNameGoesOnClosingAndItsCancelStopsIt) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        start();
        curves->CmdCurveNewClick();
        draw();
        answer = SaveAnswer::Save;
        closeMain();
        ASSERT_FALSE(main->isHidden());  // the picker asks for the name
        find<QLineEdit>("Edit2")->setText("drawn");
        button(ok ? "ButCurveOK" : "ButCancel")->click();
        QTest::qWait(20);
        EXPECT_EQ(main->isHidden(), ok);
        EXPECT_EQ(curves->curveUnsaved(), !ok);
        destroy();
    }
}

TEST_F(UnsavedWorkTest, RecentDesignsSurviveARestart) {
    start();
    for (int i = 1; i <= 10; ++i) saveAs(file(QStringLiteral("d%1.ampora").arg(i)));
    saveAs(file("d4.ampora"));  // again: first, and only once
    ASSERT_TRUE(QFile::remove(file("d9.ampora")));
    closeMain();
    destroy();

    start();
    QStringList expected;
    for (int i : {4, 10, 8, 7, 6, 5, 3})
        expected << QDir::toNativeSeparators(file(QStringLiteral("d%1.ampora").arg(i)));
    QStringList shown = recentEntries();
    for (int i = 0; i < shown.size(); ++i)
        shown[i].remove(QStringLiteral("&%1  ").arg(i + 1));  // numbered in order
    EXPECT_EQ(shown, expected);

    main->designCommands().recentMenu()->actions()[2]->trigger();  // d8
    EXPECT_EQ(session->designPath(), file("d8.ampora"));
    EXPECT_EQ(recentEntries()[0].section("  ", 1), expected[2]);

    main->findChild<QAction*>("CmdClearRecent")->trigger();
    EXPECT_TRUE(recentEntries().isEmpty());
    EXPECT_FALSE(main->designCommands().recentMenu()->menuAction()->isEnabled());
    closeMain();
    destroy();
    start();
    EXPECT_TRUE(recentEntries().isEmpty());
}

TEST_F(UnsavedWorkTest, PerBandWindowKeepsItsSize) {
    start();
    QAction* command = main->findChild<QAction*>("CmdPowerPerBand");
    command->trigger();
    auto* window = main->findChild<QWidget*>("F_PowerPerBand");
    ASSERT_NE(window, nullptr);
    window->resize(640, 500);
    window->close();
    closeMain();
    destroy();
    start();
    main->findChild<QAction*>("CmdPowerPerBand")->trigger();
    EXPECT_EQ(main->findChild<QWidget*>("F_PowerPerBand")->size(), QSize(640, 500));
}

}  // namespace
}  // namespace ampora::ui::testing
