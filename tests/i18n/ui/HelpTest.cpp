#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>

#include "kit/HelpViewer.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

const char* const HelpFiles[] = {"ApHlpRus.hlp", "ApHlpEng.hlp", "ApHlpBel.hlp"};
const char* const LangCommands[] = {"CmdLangRus", "CmdLangEng", "CmdLangBel"};

QString Delivered(const char* file) {
    return QStringLiteral(AMPORA_SOURCE_DIR "/data/") + QString::fromUtf8(file);
}

QString ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

class HelpTest : public WindowTest {
protected:
    void copyHelp(const char* file) {
        ASSERT_TRUE(QFile::copy(Delivered(file), folder + QString::fromUtf8(file))) << file;
    }
    HelpViewer* viewer() const {
        return main->findChild<HelpViewer*>(QStringLiteral("HelpViewer"));
    }
    void trigger(const char* command) {
        main->MenuItems.value(QString::fromUtf8(command))->trigger();
    }
};

TEST_F(HelpTest, HelpCommandAsksForTheFileOfTheLanguage) {
    QStringList asked;
    userDialogs.onHelp = [&](const QString& path) {
        asked << path;
        return true;
    };
    create();
    for (int lang : {0, 1, 2, 0}) {
        SCOPED_TRACE(LangCommands[lang]);
        trigger(LangCommands[lang]);
        asked.clear();
        trigger("CmdHelpHelp");
        EXPECT_EQ(asked.join('|'), folder + QString::fromUtf8(HelpFiles[lang]));
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HelpTest, FailureGivesTheSameEnglishMessageInEveryLanguage) {
    userDialogs.onHelp = [](const QString&) { return false; };
    create();
    for (int lang : {0, 1, 2}) {
        SCOPED_TRACE(LangCommands[lang]);
        trigger(LangCommands[lang]);
        const QString helpFile = main->languageSwitch().HelpFile();
        for (int no : {7, 4, 8}) box(no)->setText(QStringLiteral("old"));
        messages.clear();
        trigger("CmdHelpHelp");
        EXPECT_EQ(messages.join('|').toStdString(), "Unable access to Help file.");
        EXPECT_EQ(languageIndex(), lang);
        EXPECT_EQ(checkedLanguage(), lang);
        EXPECT_EQ(main->languageSwitch().HelpFile(), helpFile);
        for (int no : {7, 4, 8}) EXPECT_EQ(box(no)->text(), "old") << no;
    }
}

TEST_F(HelpTest, ViewerOpensAPresentFileAtItsContents) {
    create();
    QSet<QString> titles;
    for (int lang : {0, 1, 2}) {
        SCOPED_TRACE(HelpFiles[lang]);
        copyHelp(HelpFiles[lang]);
        trigger(LangCommands[lang]);
        messages.clear();
        trigger("CmdHelpHelp");
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        HelpViewer* v = viewer();
        ASSERT_NE(v, nullptr);
        EXPECT_TRUE(v->isVisible());
        EXPECT_GE(v->contents()->count(), 8);
        EXPECT_FALSE(v->windowTitle().isEmpty());
        titles << v->windowTitle();
        EXPECT_FALSE(v->text()->toPlainText().trimmed().isEmpty());
        EXPECT_EQ(v->text()->verticalScrollBar()->value(), 0) << "opens at the top";
    }
    EXPECT_EQ(titles.size(), 3) << "each language has its own title";
    // One viewer serves every request.
    EXPECT_EQ(main->findChildren<HelpViewer*>().size(), 1);
}

TEST_F(HelpTest, ChoosingASectionShowsIt) {
    create();
    copyHelp("ApHlpEng.hlp");
    ASSERT_TRUE(ShowHelp(main.get(), folder + QStringLiteral("ApHlpEng.hlp")));
    HelpViewer* v = viewer();
    ASSERT_NE(v, nullptr);
    QTextBrowser* text = v->text();
    ASSERT_GT(text->verticalScrollBar()->maximum(), 0) << "the text is longer than the window";
    v->contents()->setCurrentRow(v->contents()->count() - 1);
    const int last = text->verticalScrollBar()->value();
    EXPECT_GT(last, 0);
    v->contents()->setCurrentRow(0);
    EXPECT_LT(text->verticalScrollBar()->value(), last);
}

TEST_F(HelpTest, MissingOrUnreadableFileFailsAndKeepsWhatWasShown) {
    create();
    copyHelp("ApHlpEng.hlp");
    ASSERT_TRUE(ShowHelp(main.get(), folder + QStringLiteral("ApHlpEng.hlp")));
    const int sections = viewer()->contents()->count();
    const QString shown = viewer()->text()->toPlainText();

    QFile empty(folder + QStringLiteral("empty.hlp"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("folder.hlp")));
    for (const char* name : {"missing.hlp", "empty.hlp", "folder.hlp", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ShowHelp(main.get(), folder + QString::fromUtf8(name)));
        EXPECT_EQ(viewer()->contents()->count(), sections);
        EXPECT_EQ(viewer()->text()->toPlainText(), shown);
    }
}

TEST_F(HelpTest, MissingFileThroughTheCommand) {
    create();  // no help file in the program folder
    for (int lang : {0, 1, 2}) {
        SCOPED_TRACE(LangCommands[lang]);
        trigger(LangCommands[lang]);
        messages.clear();
        trigger("CmdHelpHelp");
        EXPECT_EQ(messages.join('|').toStdString(), "Unable access to Help file.");
    }
    EXPECT_EQ(viewer(), nullptr) << "no window is left behind";
}

// The delivered files: one structure in three languages, and the topics a
// designer looks up.
TEST(HelpFiles, EveryLanguageCoversTheSameSections) {
    static const QRegularExpression section(QStringLiteral("<h2 id=\"([^\"]+)\""));
    QList<QStringList> ids;
    for (const char* file : HelpFiles) {
        SCOPED_TRACE(file);
        QFile f(Delivered(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const QString html = QString::fromUtf8(bytes);
        EXPECT_EQ(html.toUtf8(), bytes) << "valid UTF-8";
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch());
        QStringList found;
        for (auto it = section.globalMatch(html); it.hasNext();) found << it.next().captured(1);
        EXPECT_GE(found.size(), 8);
        EXPECT_EQ(QSet<QString>(found.begin(), found.end()).size(), found.size()) << "ids unique";
        ids << found;
    }
    ASSERT_EQ(ids.size(), 3);
    EXPECT_EQ(ids[0], ids[1]);
    EXPECT_EQ(ids[0], ids[2]);
}

TEST(HelpFiles, NameTheModelAndTheFiles) {
    for (const char* file : HelpFiles) {
        SCOPED_TRACE(file);
        const QString html = ReadAll(Delivered(file));
        ASSERT_FALSE(html.isEmpty());
        for (const char* term :
             {"94",           "1.06",       "0.2",      "10<sup>",  "Rs",           "Rp",
              "F1",           "F2",         "Kmax",     "IEC/DIN",  "Bessel",       "Butterworth",
              "Linkwitz",     "Curves.cds", "Ctmp.cds", "Menu.cds", "ApHlpRus.hlp", "ApHlpEng.hlp",
              "ApHlpBel.hlp", "Settings",   "21.63",    "SPL"})
            EXPECT_TRUE(html.contains(QString::fromUtf8(term))) << term;
    }
}

}  // namespace
}  // namespace ampora::ui::testing
