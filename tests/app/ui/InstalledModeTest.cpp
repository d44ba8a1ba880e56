// An installed program: the texts and help come from a data folder it must
// not write, the curves live in the user's own folder, made on first start.

#include <QDirIterator>
#include <QFileInfo>
#include <map>

#include "i18n/Messages.h"
#include "store/ProgramFolders.h"
#include "tests/curves/ui/CurveWindowTest.h"

namespace ampora::ui::testing {
namespace {

class InstalledModeTest : public CurveWindowTest {
protected:
    void SetUp() override {
        CurveWindowTest::SetUp();
        // The fixture's program folder becomes the install's data folder.
        for (const char* help : {"ApHlpRus.hlp", "ApHlpEng.hlp", "ApHlpBel.hlp"})
            QFile::copy(QStringLiteral(AMPORA_SOURCE_DIR "/data/") + QString::fromUtf8(help),
                        folder + QString::fromUtf8(help));
        folders.mode = FolderMode::Installed;
        folders.program = folder.toStdString() + "bin/";
        folders.data = folder.toStdString();
        folders.user = userDir.path().toStdString() + "/.local/share/ampora/";
        dataBefore = listing(folder);
    }

    void start() {
        ASSERT_TRUE(PrepareUserFolder(folders));
        WindowTest::start(folders);
    }

    // Every file under a folder with its size and modification time.
    static std::map<QString, QString> listing(const QString& root) {
        std::map<QString, QString> out;
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo fi(it.next());
            out[fi.filePath()] = QString::number(fi.size()) + QLatin1Char(' ') +
                                 fi.lastModified().toString(Qt::ISODateWithMs);
        }
        return out;
    }
    QString user(const char* file) const { return Q(folders.user) + QString::fromUtf8(file); }

    QTemporaryDir userDir;
    ProgramFolders folders;
    std::map<QString, QString> dataBefore;
};

TEST_F(InstalledModeTest, CurvesLiveInTheUserFolderAndSurviveARestart) {
    start();
    EXPECT_FALSE(main->terminationRequested());
    EXPECT_EQ(records(), 5);
    EXPECT_TRUE(QFile::exists(user("Curves.cds")));
    EXPECT_TRUE(QFile::exists(user("Ctmp.cds")));
    EXPECT_EQ(main->languageSwitch().HelpFile().left(folder.size()), folder);
    EXPECT_EQ(session->programFolder(), Q(folders.program));

    trigger("CmdCurveNew");
    clickGraph(XOfBand(8), YOfDepth(9));
    trigger("CmdCurveSave");
    typeName(QString::fromUtf8("Джаз"));
    pressOk();
    const auto saved = stored(QString::fromUtf8("Джаз"));
    ASSERT_FALSE(saved.empty());
    closeMain();
    destroy();
    for (const QString& m : messages)
        for (const char* failed : MsgWriteBackFailed)
            EXPECT_FALSE(m.startsWith(QString::fromUtf8(failed))) << m.toStdString();
    EXPECT_FALSE(QFile::exists(user("Ctmp.cds")));

    start();
    EXPECT_EQ(records(), 6);
    EXPECT_EQ(stored(QString::fromUtf8("Джаз")), saved);
    closeMain();
    destroy();
    EXPECT_EQ(listing(folder), dataBefore) << "the data folder was written";
}

TEST_F(InstalledModeTest, DamagedCurveFileIsKeptAsideInTheUserFolder) {
    ASSERT_TRUE(PrepareUserFolder(folders));
    {
        QFile bad(user("Curves.cds"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("not a table");
    }
    start();
    EXPECT_EQ(records(), 5);
    const QStringList kept =
        QDir(Q(folders.user)).entryList({QStringLiteral("Curves.cds.damaged-*")}, QDir::Files);
    EXPECT_EQ(kept.size(), 1) << kept.join('|').toStdString();
    closeMain();
    destroy();
    EXPECT_EQ(listing(folder), dataBefore) << "the data folder was written";
}

}  // namespace
}  // namespace ampora::ui::testing
