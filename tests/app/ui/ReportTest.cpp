// Reports from File → "Export report…" and from `ampora report`, read back
// the way their readers read them: PDF through pdftotext, CSV as text.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "app/ui/DesignCommands.h"
#include "app/ui/ReportWriter.h"
#include "calc/DesignFile.h"
#include "kit/FileChooser.h"
#include "tests/DiskFaults.h"
#include "tests/calc/ui/WorkedExampleFixture.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iostream>

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
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                       QString* err = nullptr) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
        if (status) *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        if (err) *err = QString::fromUtf8(p.readAllStandardError());
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
        if (check("CheckBoxMid")->isChecked()) out << box(17)->text();
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
        {"Eng",
         {"Inputs", "Results", "Power per band", "Amplifier power, W", "Total SPL at 1 m, dB",
          "Frequency, Hz", "Total"}},
        {"Rus",
         {"Исходные данные", "Результаты", "Мощность по полосам", "Мощность усилителя, Вт",
          "Общий SPL на 1 м, дБ", "Частота, Гц", "Всего"}},
        {"Bel",
         {"Зыходныя даныя", "Вынікі", "Магутнасць па палосах", "Магутнасць узмацняльніка, Вт",
          "Агульны SPL на 1 м, дБ", "Частата, Гц", "Усяго"}},
    };
    for (int example = 0; example < 3; ++example) {
        loadMenu("Eng");
        workedExample(example);
        ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
        const QStringList numbers = windowNumbers();
        for (const auto& language : languages) {
            SCOPED_TRACE(std::to_string(example) + language.lang);
            loadMenu(language.lang);
            const QString path =
                folder + QStringLiteral("report-%1-%2.pdf").arg(example).arg(language.lang);
            exportReport(path);
            ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
            const QString text = PdfText(path);
            ASSERT_FALSE(text.isEmpty());
            EXPECT_TRUE(text.startsWith("Ampora: Flat")) << text.left(80).toStdString();
            for (const QString& caption : language.captions)
                EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
            for (const QString& n : numbers)
                EXPECT_TRUE(text.contains(QLatin1Char(' ') + n + QLatin1Char(' ')))
                    << n.toStdString();
            // The window's resistor labels, the resistance with its unit.
            for (const QLabel* l :
                 {label("Label40"), label("Label41"), label("Label42"), label("Label43")}) {
                QString pad = l->text().simplified();
                pad.insert(pad.indexOf(' '), QStringLiteral(" Ω"));
                EXPECT_TRUE(text.contains(pad)) << pad.toStdString();
            }
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
        EXPECT_EQ(messages, QStringList{"Could not write the file " + folder +
                                        QString::fromUtf8(name) + "\nNo such file or directory"});
    }
}

// The window's report goes through the one writer: it never replaces the
// design it reports on (a report over "x.ampora" would be a PDF), nor a
// read-only file.
TEST_F(ReportTest, ExportNeverReplacesItsDesignOrAReadOnlyFile) {
    workedExample(0);
    const QString design = folder + "speaker.ampora";
    ASSERT_FALSE(WriteDesignFile(S(design), session->design()));
    ASSERT_TRUE(main->designCommands().OpenDesign(design));
    const QByteArray kept = ReadText(design).toUtf8();
    QFile readOnly(folder + "old.csv");
    ASSERT_TRUE(readOnly.open(QIODevice::WriteOnly));
    readOnly.write("old");
    readOnly.close();
    ::chmod(S(readOnly.fileName()).c_str(), 0444);
    const struct {
        QString path;
        const char* reason;
        QByteArray contents;
    } rows[] = {{design, "It is the design file being read", kept},
                {readOnly.fileName(), "The file is read-only", "old"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path.toStdString());
        messages.clear();
        exportReport(r.path);
        EXPECT_EQ(messages, QStringList{"Could not write the file " + r.path + "\n" + r.reason});
        EXPECT_EQ(ReadText(r.path).toUtf8(), r.contents);
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
        ASSERT_FALSE(WriteDesignFile(S(design), session->design()));
        int status = -1;
        Run(program, {"report", design, "-o", folder + "cli.csv"}, &status, env);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(CsvTotals(ReadText(folder + "cli.csv")), windowTotals());
        Run(program, {"report", "--language", "rus", design, "-o", folder + "cli.pdf"}, &status,
            env);
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
    ASSERT_FALSE(WriteDesignFile(S(folder + "weak.ampora"), session->design()));
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

// `ampora report` never destroys its design, whatever the output leads to,
// nor the file it fails to replace, and never waits for a pipe: one line on
// the error stream, status 2.
TEST_F(ReportTest, CommandLineRefusesOutputsThatWouldDestroySomething) {
    namespace fs = std::filesystem;
    workedExample(0);
    const std::string design = S(folder + "design.csv");  // a design may have any name
    ASSERT_FALSE(WriteDesignFile(design, session->design()));
    ASSERT_FALSE(WriteDesignFile(S(folder + "design.ampora"), session->design()));
    const std::string kept = S(ReadText(QString::fromStdString(design)));
    fs::create_symlink(design, S(folder + "link.pdf"));
    fs::create_hard_link(design, S(folder + "hard.csv"));
    QFile readOnly(folder + "old.csv");
    ASSERT_TRUE(readOnly.open(QIODevice::WriteOnly));
    readOnly.write("old");
    readOnly.close();
    ::chmod(S(readOnly.fileName()).c_str(), 0444);
    // A report over a file on a full disk.
    fs::create_directories(S(folder + "disk"));
    testutil::SmallFileSystem disk(S(folder + "disk"), 64 * 1024);
    if (disk.skipReason().empty()) {
        std::ofstream(S(folder + "disk/old.csv")) << "old";
        std::ofstream filler(S(folder + "disk/filler"));
        while (filler << std::string(4096, 'x') << std::flush) {}
    } else {
        std::cout << "[  SKIPPED ] the full disk: " << disk.skipReason() << "\n";
    }
    const struct {
        const char* input;
        const char* output;
        const char* reason;
    } rows[] = {
        {"design.ampora", "pipe.csv", "It is not a regular file (a folder, pipe or device)"},
        {"design.ampora", "disk/old.csv", "The disk is full"},
        {"pipe.ampora", "new.csv", nullptr},
        {"design.ampora", "design.ampora", "It is the design file being read"},
        {"design.csv", "design.csv", "It is the design file being read"},
        {"design.csv", "link.pdf", "It is the design file being read"},
        {"design.csv", "hard.csv", "It is the design file being read"},
        {"design.ampora", "old.csv", "The file is read-only"}};
    // Made last: a program that waited for one would be let go only after
    // its patience, and the time would show.
    const testutil::NamedPipe outPipe(S(folder + "pipe.csv")), inPipe(S(folder + "pipe.ampora"));
    ASSERT_TRUE(outPipe.made() && inPipe.made());
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.input) + " -> " + r.output);
        if (!disk.skipReason().empty() && std::string_view(r.output).starts_with("disk/")) continue;
        int status = -1;
        QString err;
        QElapsedTimer timer;
        timer.start();
        Run(QStringLiteral(AMPORA_EXECUTABLE),
            {"report", folder + r.input, "-o", folder + r.output}, &status,
            QProcessEnvironment::systemEnvironment(), &err);
        EXPECT_LT(timer.elapsed(), 1000 * testutil::NamedPipe::patience.count());
        EXPECT_EQ(status, 2);
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        if (r.reason) {
            EXPECT_EQ(err,
                      "Could not write the file " + folder + r.output + ": " + r.reason + "\n");
        }
        EXPECT_EQ(S(ReadText(QString::fromStdString(design))), kept);
    }
    EXPECT_TRUE(fs::is_fifo(outPipe.path()));
    EXPECT_TRUE(fs::is_symlink(S(folder + "link.pdf")));
    EXPECT_EQ(S(ReadText(readOnly.fileName())), "old");
    EXPECT_FALSE(QFile::exists(folder + "new.csv"));
    EXPECT_TRUE(ReadDesignFile(S(folder + "design.ampora")).design);
    if (disk.skipReason().empty()) {
        EXPECT_EQ(S(ReadText(folder + "disk/old.csv")), "old");
        EXPECT_EQ(QDir(folder + "disk").entryList(QDir::Files).size(), 2)
            << "old.csv and the filler only";
    }
}

// The README's rated example: a page of its own in the PDF and a part of its
// own in the CSV, with the figures worked out by hand in
// tests/calc/PowerHandlingTest.cpp.
TEST_F(ReportTest, PowerHandlingOfTheRatedExample) {
    const QString program = QStringLiteral(AMPORA_EXECUTABLE);
    const QString design = QStringLiteral(AMPORA_SOURCE_DIR "/docs/three-way-rated.ampora");
    int status = -1;
    Run(program, {"report", design, "-o", folder + "rated.pdf"}, &status);
    ASSERT_EQ(status, 0);
    // Read as laid out, so that a table row reads as one line.
    const QString text =
        Run(QStringLiteral("pdftotext"), {"-layout", folder + "rated.pdf", QStringLiteral("-")})
            .simplified();
    for (const char* piece :
         {"Power handling", "Bass 58.7 100 in the driver 100 58.7 2.3 ◄ limit",
          "Midrange 14.3 40 in the driver 40 35.7 4.5",
          "Tweeter 7.5 80 IEC data sheet 2000 Hz 22.94 32.6 4.9", "Limiting driver: Bass",
          "Maximum amplifier power, W: 170.5", "Maximum SPL at 1 m, dB: 110.3",
          "Amplifier sine rating for the peaks, W: 1351.1",
          "Amplifier power needed, W: 158.4 (within the maximum)", "Tweeter Rs 3 7 11.9 25",
          "this design: 3200 Hz, 110.3 dB"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(piece))) << piece << "\n" << text.toStdString();
    const QString info = Run(QStringLiteral("pdfinfo"), {folder + "rated.pdf"});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\n"))) << info.toStdString();

    Run(program, {"report", design, "-o", folder + "rated.csv"}, &status);
    ASSERT_EQ(status, 0);
    const QString csv = ReadText(folder + "rated.csv");
    for (const char* piece : {"\r\nbass,58.7,100,in_driver,,100,58.7,2.3,yes\r\n",
                              "\r\ntweeter,7.5,80,iec_data_sheet,2000,22.94,32.6,4.9,\r\n",
                              "\r\nbass,170.5,110.3,12,1351.1,110,158.4,yes\r\n",
                              "\r\ntweeter_rs,3,7,11.9,25\r\n", "\r\n3225,110.3,bass\r\n"})
        EXPECT_TRUE(csv.contains(QString::fromUtf8(piece))) << piece;
}

}  // namespace
}  // namespace ampora::ui::testing
