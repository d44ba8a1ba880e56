// The curve file through the real window when things go wrong: a name the
// settings record owns, a damaged file at start, a write-back that fails.

#include <QDir>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "tests/DiskFaults.h"
#include "tests/curves/ui/CurveWindowTest.h"

namespace ampora::ui::testing {
namespace {

namespace fs = std::filesystem;

class CurveFileTest : public CurveWindowTest {
protected:
    QString curvesPath() const { return folder + QString::fromUtf8(CurvesFileName); }
    QByteArray curveBytes() const {
        QFile f(curvesPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The names in the file on disk, the settings record left out.
    std::vector<std::string> namesOnDisk() const {
        auto t = MakeCurveTable();
        t->setFileName(curvesPath().toStdString());
        t->load();
        std::vector<std::string> out;
        for (int r = 0; r < t->recordCount(); ++r)
            if (*t->cellAt(r, 0).text != SettingsRecordName) out.push_back(*t->cellAt(r, 0).text);
        return out;
    }
    // A new curve of three bands saved under a name through the picker.
    void saveNewCurveAs(const QString& name) {
        trigger("CmdCurveNew");
        for (int band : {3, 10, 20}) session->BandLevel[size_t(band)] = 30;
        trigger("CmdCurveSaveAs");
        box(2)->clear();
        typeName(name);
        pressOk();
    }
    void onQuestion(std::function<bool(const QString&, const QString&)> answer) {
        userDialogs.onQuestion = [this, answer](const QString& text, const QString& question) {
            questions << text;
            return answer(text, question);
        };
    }
    QStringList questions;
};

TEST_F(CurveFileTest, TheSettingsRecordsNameIsRefused) {
    struct Row {
        const char* language;
        const char* name;
        const char* message;  // nullptr: saved
    };
    const Row rows[] = {
        {"Eng", "Settings",
         "The name \"Settings\" is reserved for the program's settings. Choose another name."},
        {"Rus", "Settings", "Имя «Settings» занято настройками программы. Выберите другое имя."},
        {"Bel", "Settings", "Імя «Settings» занята наладамі праграмы. Выберыце іншае імя."},
        {"Eng", "settings", nullptr},
        {"Eng", "Settings 2", nullptr},
    };
    create();
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.language) + " " + r.name);
        loadMenu(r.language);
        const int before = records();
        messages.clear();
        saveNewCurveAs(QString::fromUtf8(r.name));
        if (r.message) {
            EXPECT_EQ(messages, QStringList{QString::fromUtf8(r.message)});
            EXPECT_EQ(records(), before) << "nothing written";
            EXPECT_EQ(countNamed(QString::fromUtf8(r.name)), 0);
            EXPECT_TRUE(pickerShown()) << "another name can be chosen";
            EXPECT_FALSE(languageMenuEnabled());
            pressCancel();
        } else {
            EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
            EXPECT_EQ(countNamed(QString::fromUtf8(r.name)), 1);
        }
    }
    // The next start still has its settings and every saved curve.
    loadMenu("Bel");
    closeMain();
    destroy();
    create();
    EXPECT_TRUE(main->MenuItems.value("CmdLangBel")->isChecked());
    EXPECT_EQ(countNamed("settings"), 1);
    EXPECT_EQ(countNamed("Settings"), 0);
}

TEST_F(CurveFileTest, PlainSaveOfACurveNamedSettingsIsRefused) {
    // Only a file written elsewhere can hold more than the settings record
    // under that name; the third one survives the start as a curve.
    writeCurveFile({{"Settings", Flat(0)}, {"Settings", Flat(-1)}, {"Settings", Flat(-2)}});
    create();
    loadMenu("Eng");
    curves->CurveOpen("Settings");
    ASSERT_EQ(session->CurCurveName, "Settings");
    session->BandLevel[4] = 12;
    messages.clear();
    trigger("CmdCurveSave");
    EXPECT_EQ(messages, QStringList{"The name \"Settings\" is reserved for the program's settings. "
                                    "Choose another name."});
    EXPECT_EQ(stored("Settings"), Flat(-2));
}

TEST_F(CurveFileTest, AnUnusableCurveFileIsNamedOnceTheWindowIsShown) {
    struct Row {
        const char* name;
        std::function<void(const QString& path)> make;
    };
    const Row rows[] = {
        {"three changed bytes",
         [this](const QString& path) {
             std::vector<StoredCurve> many;
             for (int i = 0; i < 200; ++i) many.push_back({"c" + std::to_string(i), Flat(-i % 40)});
             writeCurveFile(many);
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             for (qint64 at : {qint64(100), f.size() / 2, f.size() - 7}) {
                 f.seek(at);
                 f.write("\xA5", 1);
             }
         }},
        {"not a database",
         [](const QString& path) { std::ofstream(path.toStdString()) << "hello"; }},
        {"a pipe",
         [](const QString& path) { ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0); }},
        {"a folder", [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        r.make(curvesPath());
        messages.clear();
        bool shownWhenTold = false;
        userDialogs.onMessage = [&](const QString& text) {
            messages << text;
            shownWhenTold = main && main->isVisible();
        };
        create();
        const QStringList kept =
            QDir(folder).entryList({"Curves.cds.damaged-*"}, QDir::AllEntries | QDir::System);
        ASSERT_EQ(kept.size(), 1) << kept.join("|").toStdString();
        const QString keptPath = QDir::toNativeSeparators(folder + kept[0]);
        EXPECT_EQ(messages, QStringList{"The curve file was damaged and has been kept as " +
                                        keptPath + ". Ampora started with the built-in curves."});
        EXPECT_TRUE(shownWhenTold);
        EXPECT_EQ(records(), 5);
        closeMain();
        destroy();
        // Told once: the next start finds the file it made.
        messages.clear();
        create();
        EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
        destroy();
        QFile::remove(curvesPath());
        const QString old = folder + kept[0];
        if (!QFile::remove(old)) QDir(old).removeRecursively();
        QFile::remove(old);
    }
}

TEST_F(CurveFileTest, AFailedWriteBackCanBeTriedAgain) {
    struct Row {
        const char* name;
        int failures;  // writes that fail before the fault is fixed
        bool retry;    // the user's answer
        bool saved;
    };
    const Row rows[] = {
        {"fails once, the user fixes it and tries again", 1, true, true},
        {"fails twice, then works", 2, true, true},
        {"the user ends without saving", 1, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        writeCurveFile({{"Mine", Flat(-3)}});
        create();
        loadMenu("Eng");
        saveNewCurveAs("Session");
        const QByteArray before = curveBytes();
        // Something that no file can replace stands at the file's place.
        ASSERT_TRUE(QFile::rename(curvesPath(), folder + "kept"));
        ASSERT_TRUE(QDir().mkdir(curvesPath()));
        int asked = 0;
        onQuestion([&](const QString& text, const QString& question) {
            EXPECT_EQ(text, "Could not save the curves and settings to the file " + curvesPath());
            EXPECT_EQ(question,
                      "Free some disk space or make the file and its folder writable, "
                      "then try again; or end without saving the changes of this session.");
            if (++asked == r.failures && r.retry) {
                QDir().rmdir(curvesPath());
                QFile::rename(folder + "kept", curvesPath());
            }
            return r.retry;
        });
        questions.clear();
        closeMain();
        destroy();
        EXPECT_EQ(asked, r.retry ? r.failures : 1);
        if (r.saved) {
            const auto names = namesOnDisk();
            EXPECT_NE(std::find(names.begin(), names.end(), "Session"), names.end());
            EXPECT_NE(std::find(names.begin(), names.end(), "Mine"), names.end());
        } else {
            QDir().rmdir(curvesPath());
            QFile::rename(folder + "kept", curvesPath());
            EXPECT_EQ(curveBytes(), before) << "the saved file is untouched";
        }
        userDialogs.onQuestion = nullptr;
        QFile::remove(curvesPath());
    }
}

// Faults of the disk during the write-back at the end: the user is told and
// what was saved before stays.
TEST_F(CurveFileTest, DiskFaultsAtTheEndAreToldAndLoseNothingSaved) {
    struct Row {
        const char* name;
        int kind;  // 0 read-only folder, 1 read-only file, 2 full file system
    };
    const Row rows[] = {
        {"read-only folder", 0}, {"read-only curve file", 1}, {"full file system", 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir own;
        folder = own.path() + QLatin1Char('/');
        std::unique_ptr<testutil::SmallFileSystem> small;
        if (r.kind == 2) {
            small = std::make_unique<testutil::SmallFileSystem>(own.path().toStdString(), 1 << 20);
            if (!small->skipReason().empty()) {
                std::cout << "full file system skipped: " << small->skipReason() << "\n";
                continue;
            }
        }
        QFile::copy(QStringLiteral(AMPORA_MENU_CDS), folder + "Menu.cds");
        std::vector<StoredCurve> mine;
        for (int i = 0; i < 300; ++i)
            mine.push_back({"Mine " + std::to_string(i), Flat(-(i % 40))});
        writeCurveFile(mine);
        const QByteArray before = curveBytes();
        std::unique_ptr<testutil::ReadOnlyFolder> readOnly;
        if (r.kind == 0) {
            readOnly = std::make_unique<testutil::ReadOnlyFolder>(own.path().toStdString());
            if (!readOnly->skipReason().empty()) {
                std::cout << "read-only folder skipped: " << readOnly->skipReason() << "\n";
                continue;
            }
        }
        if (r.kind == 1)
            fs::permissions(curvesPath().toStdString(),
                            fs::perms::owner_read | fs::perms::group_read);
        create();
        loadMenu("Eng");
        saveNewCurveAs("Session");
        if (r.kind == 2) {
            // Whatever room is left goes to another file.
            std::ofstream fill((folder + "filler").toStdString(), std::ios::binary);
            const std::string block(4096, 'x');
            while (fill.write(block.data(), std::streamsize(block.size())) && fill.flush()) {}
        }
        messages.clear();
        closeMain();
        destroy();
        EXPECT_EQ(messages, QStringList{"Could not save the curves and settings to the file " +
                                        curvesPath()});
        EXPECT_EQ(curveBytes(), before);
        const auto tmp = QDir(folder).entryList({"*.tmp-*"}, QDir::Files);
        EXPECT_TRUE(tmp.isEmpty()) << tmp.join("|").toStdString();
        if (r.kind == 1) {
            EXPECT_EQ(fs::status(curvesPath().toStdString()).permissions(),
                      fs::perms::owner_read | fs::perms::group_read);
        }
        if (readOnly) readOnly->release();
        QFile::remove(folder + "filler");
        // The next start has every curve saved before.
        messages.clear();
        create();
        EXPECT_EQ(records(), 300);
        EXPECT_EQ(countNamed("Mine 299"), 1);
        destroy();
        if (r.kind == 1) fs::permissions(curvesPath().toStdString(), fs::perms::owner_all);
    }
}

}  // namespace
}  // namespace ampora::ui::testing
