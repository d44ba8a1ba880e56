// Import spectrum… and Export curve… driven through File → Curve, with the
// file dialogs answered by the test.

#include <QFile>

#include "curves/MeasurementImport.h"
#include "kit/FileChooser.h"
#include "tests/DiskFaults.h"
#include "tests/curves/ui/CurveWindowTest.h"

#include <sys/stat.h>

namespace ampora::ui::testing {
namespace {

class MeasurementCommandsTest : public CurveWindowTest {
protected:
    void SetUp() override {
        CurveWindowTest::SetUp();
        userDialogs.onChooseFile = [this](FileChoice kind, const QString& caption,
                                          const QString& start) {
            dialogs << caption;
            lastKind = kind;
            lastStart = start;
            return answer;
        };
    }
    QAction* command(const char* name) const {
        QAction* a = main->findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(folder + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString sample(const char* name) const {
        return QStringLiteral(AMPORA_SOURCE_DIR "/tests/data/measurements/") +
               QString::fromUtf8(name);
    }
    // What the user sees of the window's state.
    struct Seen {
        std::vector<std::optional<int32_t>> levels;
        QString name, label24, bass, tweeter, total;
        int recNo;
        bool operator==(const Seen&) const = default;
    };
    Seen seen() const {
        return {shownLevels(),  session->CurCurveName, label("Label24")->text(), box(7)->text(),
                box(8)->text(), box(19)->text(),       session->CurCurveRecNo};
    }

    QString answer;
    QStringList dialogs;
    FileChoice lastKind = FileChoice::Open;
    QString lastStart;
};

TEST_F(MeasurementCommandsTest, ImportedSpectrumIsAnUnsavedCurveReadyForSave) {
    create();
    trigger("CmdLangEng");
    const Seen before = seen();
    answer = sample("programme-1-3-octave.csv");
    command("CmdCurveImport")->trigger();
    ASSERT_EQ(dialogs, QStringList{"Import spectrum…"});
    EXPECT_EQ(lastKind, FileChoice::Open);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();

    const std::vector<std::optional<int32_t>> expected = {
        NoLevel, -17, -11, -6,  -3,  -2,  0,   -1,  -2,  -4,  -4,  -4,  -5,  -6,  -7, -8,
        -8,      -9,  -10, -10, -12, -13, -14, -16, -18, -20, -23, -26, -32, -38, -40};
    EXPECT_EQ(shownLevels(), expected);
    EXPECT_EQ(session->CurCurveName, "programme-1-3-octave");
    EXPECT_EQ(label("Label24")->text(), "( programme-1-3-octave )");
    EXPECT_EQ(session->CurCurveRecNo, -1);
    EXPECT_EQ(shownMarker(), 5);
    EXPECT_EQ(records(), 5);
    // The calculation ran on the new curve.
    EXPECT_FALSE(box(7)->text().isEmpty());
    EXPECT_NE(seen().bass, before.bass);

    // Save asks for the name and proposes the file's.
    trigger("CmdCurveSave");
    EXPECT_TRUE(pickerShown());
    EXPECT_EQ(box(2)->text(), "programme-1-3-octave");
    pressOk();
    EXPECT_EQ(records(), 6);
    auto storedLevels = expected;
    storedLevels[0] = NoLevel;
    storedLevels[30] = NoLevel;  // this writer keeps no band at -40 dB
    EXPECT_EQ(stored("programme-1-3-octave"), storedLevels);
    EXPECT_EQ(session->CurCurveRecNo, rowOf("programme-1-3-octave") + 1);
}

TEST_F(MeasurementCommandsTest, ImportReplacesAPendingPick) {
    create();
    trigger("CmdCurveOpen");
    ASSERT_TRUE(pickerShown());
    answer = sample("pink-noise-rta-1-24-octave.txt");
    command("CmdCurveImport")->trigger();
    EXPECT_FALSE(pickerShown());
    EXPECT_TRUE(languageMenuEnabled());
    EXPECT_EQ(session->CurCurveName, "pink-noise-rta-1-24-octave");
    EXPECT_EQ(session->BandLevel[15], 37);
}

// Every kind of bad file: the message names the file and the problem in the
// interface language, and nothing the user sees changes.
TEST_F(MeasurementCommandsTest, BadFilesChangeNothingAndSayWhy) {
    struct Row {
        const char* file;
        QByteArray bytes;
        const char* english;
        const char* belarusian;
    } rows[] = {
        {"photo.png", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "This is not a text file.",
         "Гэта не тэкставы файл."},
        {"empty.txt", "", "The file is empty.", "Файл пусты."},
        {"letter.txt", "Dear colleague,\nno numbers here.\n",
         "The file holds no frequency/level pairs.", "У файле няма пар частата/узровень."},
        {"one.txt", "1000 -3\n", "The file holds only one point; at least two are needed.",
         "У файле толькі адна кропка, а патрэбныя хаця б дзве."},
        {"level.csv", "Hz;dB\n100;-3\n1000;-3x\n", "Line 3: the level is not a number.",
         "Радок 3: узровень не з'яўляецца лікам."},
        {"negative.txt", "100 -3\n-1000 -3\n", "Line 2: the frequency must be greater than zero.",
         "Радок 2: частата павінна быць большай за нуль."},
        {"woofer.zma", "10 7.2 -1\n20 8.5 10\n", "The file holds an impedance, not a spectrum.",
         "У файле імпеданс, а не спектр."},
        {"narrow.txt", "1000 -3\n1010 -4\n1020 -3\n",
         "The file covers no band even half way (a band is a third of an octave wide).",
         "Файл не пакрывае ніводную паласу хаця б напалову (паласа — трэць актавы)."},
        {"edited.csv", "# Ampora curve export\nFrequency (Hz),Level (dB)\n20,3\n",
         "Line 3: an exported curve needs the band centres (20 … 20480 Hz) in order, each with a "
         "whole level from -40 to 0 dB or none.",
         "Радок 3: у экспартаванай крывой патрэбныя цэнтры палос (20 … 20480 Гц) па парадку, у "
         "кожнай цэлы ўзровень ад -40 да 0 дБ або пуста."},
        {"nan.txt", "100 -3\n200 nan\n", "Line 2: the value is NaN or infinite.",
         "Радок 2: значэнне NaN або бясконцасць."},
        {"outside.txt", "5 -3\n30000 -6\n",
         "No frequency falls into the bands from 20 Hz to 20 kHz (18–23,000 Hz).",
         "Ніводная частата не трапляе ў паласы ад 20 Гц да 20 кГц (18–23 000 Гц)."},
        {"thirty.txt", QByteArray("-3\n").repeated(30),
         "A list of levels must hold 31 values; this one holds 30.",
         "Спіс узроўняў павінен мець 31 значэнне, а мае 30."},
        {"million.txt", QByteArray("1000 -3\n").repeated(1000000),
         "The file is too large for a spectrum (over 200,000 lines or 16 MB).",
         "Файл занадта вялікі для спектра (больш за 200 000 радкоў або 16 МБ)."},
        {"huge.txt", QByteArray(17 << 20, ' '),
         "The file is too large for a spectrum (over 200,000 lines or 16 MB).",
         "Файл занадта вялікі для спектра (больш за 200 000 радкоў або 16 МБ)."},
    };
    create();
    for (const char* language : {"CmdLangEng", "CmdLangBel"}) {
        trigger(language);
        const bool english = language == std::string_view("CmdLangEng");
        for (const Row& row : rows) {
            SCOPED_TRACE(row.file);
            answer = writeFile(QString::fromUtf8(row.file), row.bytes);
            const Seen before = seen();
            messages.clear();
            command("CmdCurveImport")->trigger();
            const QString prefix = english ? QStringLiteral("Spectrum not imported from the file ")
                                           : QStringLiteral("Спектр не загружаны з файла ");
            EXPECT_EQ(messages,
                      QStringList{prefix + QString::fromUtf8(row.file) + "\n" +
                                  QString::fromUtf8(english ? row.english : row.belarusian)});
            EXPECT_EQ(seen(), before);
        }
    }
    // A file that cannot be opened at all.
    answer = folder + "missing.txt";
    messages.clear();
    const Seen before = seen();
    command("CmdCurveImport")->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Не ўдалося прачытаць файл ")));
    EXPECT_EQ(seen(), before);
}

TEST_F(MeasurementCommandsTest, CancelledDialogChangesNothing) {
    create();
    const Seen before = seen();
    answer.clear();
    command("CmdCurveImport")->trigger();
    command("CmdCurveExport")->trigger();
    EXPECT_EQ(dialogs.size(), 2);
    EXPECT_EQ(seen(), before);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MeasurementCommandsTest, ExportWritesTheCurveOnTheGraph) {
    create();
    clickPreset(2);                        // Рок
    clickGraph(XOfBand(4), YOfDepth(12));  // an unsaved edit is exported too
    answer = folder + "rock";              // no extension typed
    command("CmdCurveExport")->trigger();
    EXPECT_EQ(lastKind, FileChoice::Save);
    EXPECT_TRUE(lastStart.endsWith(QString::fromUtf8("Рок.csv")));
    QFile f(folder + "rock.csv");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray csv = f.readAll();
    std::array<int32_t, 31> levels{};
    for (int i = 0; i < 31; ++i) levels[size_t(i)] = session->BandLevel[size_t(i)] - 40;
    EXPECT_EQ(levels[4], -12);
    EXPECT_EQ(csv.toStdString(), ExportCurveCsv(levels));
    EXPECT_TRUE(
        csv.startsWith("# Ampora curve export\nFrequency (Hz),Level (dB)\n20,-23\n25,-19\n"
                       "32,-14\n40,-9\n50,-12\n"));

    // Read back in, it is the same curve.
    answer = folder + "rock.csv";
    command("CmdCurveImport")->trigger();
    for (int i = 0; i < 31; ++i) EXPECT_EQ(session->BandLevel[size_t(i)] - 40, levels[size_t(i)]);
    EXPECT_EQ(session->CurCurveName, "rock");
}

TEST_F(MeasurementCommandsTest, NothingToExportAfterNew) {
    create();
    trigger("CmdLangEng");
    trigger("CmdCurveNew");
    answer = folder + "x.csv";
    command("CmdCurveExport")->trigger();
    EXPECT_TRUE(dialogs.isEmpty());
    EXPECT_EQ(messages, QStringList{"No data for save"});
    EXPECT_FALSE(QFile::exists(folder + "x.csv"));
}

TEST_F(MeasurementCommandsTest, ExportToAnUnwritablePlaceSaysSo) {
    create();
    trigger("CmdLangEng");
    answer = folder + "no-such-folder/x.csv";
    command("CmdCurveExport")->trigger();
    EXPECT_EQ(messages,
              QStringList{"Could not write the file " + answer + "\nNo such file or directory"});
}

// Import and export go through the one reader and writer: a pipe is refused
// at once, a read-only file is kept.
TEST_F(MeasurementCommandsTest, ImportAndExportRespectWhatLiesAtTheFilesPlace) {
    create();
    trigger("CmdLangEng");
    const Seen before = seen();
    const testutil::NamedPipe pipe(S(folder + "pipe.txt"));
    ASSERT_TRUE(pipe.made());
    answer = folder + "pipe.txt";
    command("CmdCurveImport")->trigger();
    EXPECT_EQ(messages, QStringList{"Could not read the file " + answer +
                                    "\nIt is not a regular file (a folder, pipe or device)"});
    EXPECT_FALSE(pipe.waited());
    EXPECT_EQ(seen(), before);

    answer = writeFile("old.csv", "old");
    ::chmod(S(answer).c_str(), 0444);
    messages.clear();
    command("CmdCurveExport")->trigger();
    EXPECT_EQ(messages,
              QStringList{"Could not write the file " + answer + "\nThe file is read-only"});
    QFile kept(answer);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");
}

TEST_F(MeasurementCommandsTest, CaptionsFollowTheLanguage) {
    create();
    const struct {
        const char* item;
        const char* import;
        const char* exportCurve;
    } rows[] = {{"CmdLangRus", "Импорт спектра…", "Экспорт кривой…"},
                {"CmdLangEng", "Import spectrum…", "Export curve…"},
                {"CmdLangBel", "Імпарт спектра…", "Экспарт крывой…"}};
    for (const auto& row : rows) {
        trigger(row.item);
        EXPECT_EQ(command("CmdCurveImport")->text(), QString::fromUtf8(row.import));
        EXPECT_EQ(command("CmdCurveExport")->text(), QString::fromUtf8(row.exportCurve));
    }
    // Both sit in File → Curve, after its own items.
    const QList<QAction*> items = main->MenuItems.value("SubMenuCurve")->menu()->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[items.size() - 2]->objectName(), "CmdCurveImport");
    EXPECT_EQ(items.last()->objectName(), "CmdCurveExport");
}

}  // namespace
}  // namespace ampora::ui::testing
