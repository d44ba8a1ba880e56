// Reports from File → "Export report…" and from `ampora report`, read back
// the way their readers read them: PDF through pdftotext, CSV as text.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "kit/FileChooser.h"
#include "app/ui/ReportWriter.h"
#include "calc/DesignFile.h"
#include "tests/calc/ui/WorkedExampleFixture.h"

namespace ampora::ui::testing {
namespace {

class ReportTest : public WorkedExampleTest {
protected:
    void SetUp() override {
        WorkedExampleTest::SetUp();
        userDialogs.onChooseFile = [this](FileChoice, const QString& caption,
                                          const QString& start) {
            captions << caption;
            suggested = start;
            return answer;
        };
    }
    void exportReport(const QString& path) {
        answer = path;
        command("CmdExportReport")->trigger();
    }
    static QString Run(const QString& program, const QStringList& args, int* status = nullptr,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
        if (status) *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // The PDF's text with runs of blanks as one, as a reader would search it.
    static QString PdfText(const QString& path) {
        return Run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).simplified();
    }
    static QString ReadText(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromUtf8(f.readAll());
    }
    // The totals row of a report CSV, without its share cells.
    static QStringList CsvTotals(const QString& csv) {
        const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QStringList header = lines.value(2).split(','), total = lines.last().split(','), out;
        for (int c = 2; c < total.size(); ++c)
            if (header.value(c).endsWith("_w")) out << total[c];
        return out;
    }
    // Everything the user reads off the main window's results.
    QStringList windowNumbers() const {
        QStringList out = windowTotals();
        for (int no : {16, 18, 19}) out << box(no)->text();
        if (main->CheckBoxMid->isChecked()) out << box(17)->text();
        return out;
    }

    QString answer, suggested;
    QStringList captions;
};

TEST_F(ReportTest, PdfHoldsTheWindowsNumbersAndTheLanguagesCaptions) {
    const struct {
        const char* lang;
        QStringList captions;
    } languages[] = {
        {"Eng", {"Inputs", "Results", "Power per band", "Amplifier power, W", "Total SPL at 1 m, dB",
                 "Frequency, Hz", "Total"}},
        {"Rus", {"Исходные данные", "Результаты", "Мощность по полосам", "Мощность усилителя, Вт",
                 "Общий SPL на 1 м, дБ", "Частота, Гц", "Всего"}},
        {"Bel", {"Зыходныя даныя", "Вынікі", "Магутнасць па палосах",
                 "Магутнасць узмацняльніка, Вт", "Агульны SPL на 1 м, дБ", "Частата, Гц", "Усяго"}},
    };
    for (int example = 0; example < 3; ++example) {
        main->LoadMenu("Eng");
        workedExample(example);
        ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
        const QStringList numbers = windowNumbers();
        for (const auto& language : languages) {
            SCOPED_TRACE(std::to_string(example) + language.lang);
            main->LoadMenu(language.lang);
            const QString path = folder + QStringLiteral("report-%1-%2.pdf").arg(example).arg(language.lang);
            exportReport(path);
            ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
            const QString text = PdfText(path);
            ASSERT_FALSE(text.isEmpty());
            EXPECT_TRUE(text.startsWith("Ampora: Flat")) << text.left(80).toStdString();
            for (const QString& caption : language.captions)
                EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
            for (const QString& n : numbers)
                EXPECT_TRUE(text.contains(QLatin1Char(' ') + n + QLatin1Char(' '))) << n.toStdString();
            for (const QLabel* l : {main->Label40, main->Label41, main->Label42, main->Label43})
                EXPECT_TRUE(text.contains(l->text().simplified())) << l->text().toStdString();
        }
    }
    const QString info = Run(QStringLiteral("pdfinfo"), {folder + "report-0-Eng.pdf"});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("595 x 842 pts (A4)")) << info.toStdString();
    const QString fonts = Run(QStringLiteral("pdffonts"), {folder + "report-0-Eng.pdf"});
    const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(rows.isEmpty()) << fonts.toStdString();
    for (const QString& row : rows)
        EXPECT_EQ(row.simplified().split(' ').value(4), "yes") << "embedded: " << row.toStdString();
    EXPECT_EQ(captions.first(), "Export report…");
    EXPECT_TRUE(suggested.endsWith("/Flat.pdf")) << suggested.toStdString();
}

TEST_F(ReportTest, CsvTotalsEqualTheWindowsTexts) {
    for (int example = 0; example < 3; ++example) {
        SCOPED_TRACE(example);
        workedExample(example);
        const QString path = folder + QStringLiteral("r%1.csv").arg(example);
        exportReport(path);
        ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
        const QString csv = ReadText(path);
        EXPECT_TRUE(csv.startsWith("file,status,message,spectrum,bass_w,"));
        EXPECT_EQ(CsvTotals(csv), windowTotals());
        EXPECT_TRUE(csv.contains("\r\nband_hz,level_db,bass_w,bass_pct,"));
    }
}

TEST_F(ReportTest, AStoppedCalculationIsReportedAsSuch) {
    workedExample(0);
    type(14, "80");
    calc();
    ASSERT_EQ(messages.size(), 1);
    messages.clear();
    exportReport(folder + "weak.pdf");
    EXPECT_TRUE(messages.isEmpty());
    const QString text = PdfText(folder + "weak.pdf");
    EXPECT_TRUE(text.contains("Calculation stopped: Sensitivity of tweeter is too low"));
    EXPECT_FALSE(text.contains("Total SPL at 1 m, dB"));
}

TEST_F(ReportTest, UnwritablePlaceSaysSoAndLeavesNothing) {
    workedExample(0);
    for (const char* name : {"no-such-folder/r.pdf", "no-such-folder/r.csv"}) {
        messages.clear();
        exportReport(folder + QString::fromUtf8(name));
        EXPECT_EQ(messages, QStringList{"Could not write the file " + folder + QString::fromUtf8(name)});
    }
}

// `ampora report` on a design file written from the same inputs: no display,
// no platform named, the same numbers as the window.
TEST_F(ReportTest, CommandLineGivesTheWindowsNumbers) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const QString program = QStringLiteral(AMPORA_EXECUTABLE);
    for (int example = 0; example < 3; ++example) {
        SCOPED_TRACE(example);
        workedExample(example);
        const QString design = folder + QStringLiteral("speaker%1.ampora").arg(example);
        ASSERT_FALSE(WriteDesignFile(S(design), main->CurrentDesign()));
        int status = -1;
        Run(program, {"report", design, "-o", folder + "cli.csv"}, &status, env);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(CsvTotals(ReadText(folder + "cli.csv")), windowTotals());
        Run(program, {"report", "--language", "rus", design, "-o", folder + "cli.pdf"}, &status, env);
        EXPECT_EQ(status, 0);
        const QString text = PdfText(folder + "cli.pdf");
        EXPECT_TRUE(text.startsWith(QStringLiteral("Ampora: speaker%1").arg(example)));
        EXPECT_TRUE(text.contains("Исходные данные"));
        for (const QString& n : windowNumbers())
            EXPECT_TRUE(text.contains(QLatin1Char(' ') + n + QLatin1Char(' '))) << n.toStdString();
    }
    // Exit status: 1 for a design that stops (its report is still written),
    // 2 for a file that is refused or options that are wrong.
    workedExample(0);
    type(14, "80");
    calc();
    ASSERT_FALSE(WriteDesignFile(S(folder + "weak.ampora"), main->CurrentDesign()));
    QFile bad(folder + "bad.ampora");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{");
    bad.close();
    const struct {
        QStringList args;
        int status;
        bool written;
    } rows[] = {{{"report", folder + "weak.ampora", "-o", folder + "w.csv"}, 1, true},
                {{"report", folder + "bad.ampora", "-o", folder + "b.csv"}, 2, false},
                {{"report", folder + "speaker0.ampora"}, 2, false},
                {{"report", folder + "speaker0.ampora", "-o", folder + "x.txt"}, 2, false},
                {{"report", folder + "speaker0.ampora", "-o", folder + "nowhere/x.pdf"}, 2, false},
                {{"report", folder + "speaker0.ampora", "-o", folder + "nowhere/x.csv"}, 2, false}};
    for (const auto& row : rows) {
        int status = -1;
        Run(program, row.args, &status, env);
        EXPECT_EQ(status, row.status) << row.args.join(' ').toStdString();
        if (row.args.size() == 4) {
            EXPECT_EQ(QFile::exists(row.args[3]), row.written) << row.args.join(' ').toStdString();
        }
    }
}

}  // namespace
}  // namespace ampora::ui::testing
