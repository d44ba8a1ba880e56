// Pictures of the plots, the per-band table copied for a spreadsheet, and
// where an export proposes to go.

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSettings>
#include <QTableWidget>
#include <QXmlStreamReader>

#include "calc/ui/BandBreakdownWindow.h"
#include "calc/ui/PowerHandlingWindow.h"
#include "calc/ui/PowerHandlingWiring.h"
#include "kit/FileChooser.h"
#include "kit/PictureExport.h"
#include "kit/UserConfig.h"
#include "tests/calc/ui/WorkedExampleFixture.h"

namespace ampora::ui::testing {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A PNG has twice the pixels of the picture; an SVG is one well-formed
// <svg> document at the picture's size.
void ExpectPicture(const QString& path, PictureFormat format, QSize size) {
    const QByteArray bytes = ReadAll(path);
    ASSERT_FALSE(bytes.isEmpty()) << path.toStdString();
    if (format == PictureFormat::Png) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(bytes, "PNG")) << path.toStdString();
        EXPECT_EQ(image.size(), size * PngScale);
        return;
    }
    QXmlStreamReader xml(bytes);
    QString first, viewBox;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && first.isEmpty()) {
            first = xml.name().toString();
            viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
        }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(first, "svg");
    EXPECT_EQ(viewBox, QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
}

TEST(PictureExportTest, PngAtTwiceTheSizeOrSvgByTheName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Picture picture{QSize(120, 50),
                          [](QPainter& p) {
                              p.fillRect(QRect(0, 0, 30, 50), Qt::red);
                              p.drawText(QRect(40, 0, 80, 50), Qt::AlignCenter, "Ω dB");
                          },
                          QStringLiteral("test")};
    const struct {
        const char* name;
        PictureFormat format;
    } rows[] = {{"plot.png", PictureFormat::Png},
                {"plot.svg", PictureFormat::Svg},
                {"PLOT.SVG", PictureFormat::Svg},
                {"plot.svg.png", PictureFormat::Png},
                {"plot", PictureFormat::Png}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromUtf8(row.name));
        EXPECT_EQ(PictureFormatOf(path), row.format);
        ASSERT_TRUE(WritePicture(path, picture).ok());
        ExpectPicture(path, row.format, picture.size);
    }
    // The red stripe is painted at twice its size.
    const QImage png(dir.filePath("plot.png"));
    EXPECT_EQ(QColor(png.pixel(59, 99)), QColor(Qt::red));
    EXPECT_EQ(QColor(png.pixel(61, 99)), QColor(Qt::white));
    // A folder in the way is a failure, not a picture.
    EXPECT_FALSE(WritePicture(dir.path(), picture).ok());
}

TEST(ExportPlaceTest, TheDesignsFolderElseTheLastExportFolderAndAFileName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString user = dir.filePath("user/"), designs = dir.filePath("designs"),
                  last = dir.filePath("last");
    for (const QString& f : {user, designs, last}) ASSERT_TRUE(QDir().mkpath(f));
    const QString design = designs + "/box.ampora";
    const struct {
        const char* row;
        QString designPath, keptFolder, name, expected;
    } rows[] = {
        {"DesignsFolder", design, last, "box", designs + "/box.pdf"},
        {"LastFolderWithoutDesign", "", last, "box", last + "/box.pdf"},
        {"DesignFolderGone", dir.filePath("gone/x.ampora"), last, "box", last + "/box.pdf"},
        {"SlashesMakeNoFolder", design, "", "IEC/DIN", designs + "/IEC_DIN.pdf"},
        {"CharactersNoFileNameHolds", design, "", "a\\b:c*d?\"e<f>|\tg",
         designs + "/a_b_c_d__e_f___g.pdf"},
        {"EmptyName", design, "", " ", designs + "/Ampora.pdf"},
        {"DotsAreNoName", design, "", "..", designs + "/Ampora.pdf"},
        {"LettersKept", design, "", "Рок 2", designs + "/Рок 2.pdf"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        QFile::remove(user + UserConfigFileName);
        if (!r.keptFolder.isEmpty()) KeepLastExportFolder(user, r.keptFolder);
        EXPECT_EQ(ExportStart({r.designPath, user}, r.name, ".pdf"), r.expected);
    }
}

class PicturesTest : public WorkedExampleTest {
protected:
    void SetUp() override {
        WorkedExampleTest::SetUp();
        userDialogs.onChooseFile = [this](FileChoice, const QString&, const QString& start) {
            starts << start;
            return answer;
        };
    }
    QString answer;
    QStringList starts;
};

// Each command writes the picture the chooser was given, in the format its
// name says; the folder chosen is where the next export starts.
TEST_F(PicturesTest, MenuCommandsWriteThroughTheChooser) {
    workedExample(0);
    command("CmdPowerPerBand")->trigger();
    const BandBreakdownWindow* perBand = FindBandBreakdown(*main);
    ASSERT_NE(perBand, nullptr);
    command("CmdPowerHandling")->trigger();
    const PowerHandlingWindow* handling = FindPowerHandling(*main);
    ASSERT_NE(handling, nullptr);
    const QSize graph = curves->graphPanel()->size(), plot = perBand->plot()->size(),
                limit = handling->plot()->size();
    const QString pictures = folder + "pictures/";
    ASSERT_TRUE(QDir().mkpath(pictures));
    const struct {
        const char* action;
        const char* file;
        QSize size;
        const char* proposed;
    } rows[] = {
        {"PopUpSavePicture", "graph.png", graph, "Flat.png"},
        {"CmdSpectrumPicture", "graph.svg", graph, "Flat.png"},
        {"BreakdownSavePicture", "band.png", plot, "Flat - Power per band.png"},
        {"CmdPerBandPicture", "band", plot, "Flat - Power per band.png"},
        {"LimitSavePicture", "limit.svg", limit, "What moves the limit.png"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        answer = pictures + row.file;
        starts.clear();
        QAction* action = main->findChild<QAction*>(row.action);
        ASSERT_NE(action, nullptr);
        action->trigger();
        ASSERT_EQ(starts.size(), 1);
        EXPECT_TRUE(starts[0].endsWith(QString::fromUtf8(row.proposed))) << starts[0].toStdString();
        const QString written = QFileInfo(answer).suffix().isEmpty() ? answer + ".png" : answer;
        ExpectPicture(written, PictureFormatOf(written), row.size);
        EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    }
    EXPECT_TRUE(starts[0].startsWith(pictures)) << "the last export's folder";
    // The graph's popup keeps its delivered items first.
    const QMenu* menu = main->findChild<QMenu*>("PopupMenu1");
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> popup = menu->actions();
    ASSERT_GE(popup.size(), 9);
    EXPECT_EQ(popup[5]->objectName(), "PopUpCurveDelete");
    EXPECT_TRUE(popup[6]->isSeparator());
    // Copy: the 2x image and the SVG on the clipboard.
    main->findChild<QAction*>("PopUpCopyPicture")->trigger();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(), graph * PngScale);
    EXPECT_TRUE(copied->data("image/svg+xml").contains("<svg"));
}

// Ctrl+A, Ctrl+C: tab-separated rows under their column headers.
TEST_F(PicturesTest, PerBandTableCopiesForASpreadsheet) {
    workedExample(2);
    command("CmdPowerPerBand")->trigger();
    BandBreakdownWindow* w = FindBandBreakdown(*main);
    ASSERT_NE(w, nullptr);
    QTableWidget* t = w->table();
    // The keys go to the focused table of the active window, as a user's do.
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    t->setFocus();
    const auto header = [t](int c) { return t->horizontalHeaderItem(c)->text(); };
    const auto cell = [t](int r, int c) { return t->item(r, c)->text(); };
    const int last = t->columnCount() - 1;
    const struct {
        const char* row;
        QList<QTableWidgetSelectionRange> select;
        QString expected;
    } rows[] = {
        {"OneCell", {{3, 2, 3, 2}}, header(2) + "\n" + cell(3, 2) + "\n"},
        {"Block",
         {{0, 0, 1, 1}},
         header(0) + "\t" + header(1) + "\n" + cell(0, 0) + "\t" + cell(0, 1) + "\n" + cell(1, 0) +
             "\t" + cell(1, 1) + "\n"},
        {"ApartCellsLeaveGaps",
         {{0, 0, 0, 0}, {2, last, 2, last}},
         header(0) + "\t" + header(last) + "\n" + cell(0, 0) + "\t\n\t" + cell(2, last) + "\n"},
    };
    ASSERT_EQ(header(last), "Tweeter Rp 13.7 Ω, W");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        t->clearSelection();
        for (const auto& range : row.select) t->setRangeSelected(range, true);
        QTest::keySequence(t, QKeySequence::Copy);
        EXPECT_EQ(QApplication::clipboard()->text(), row.expected);
    }
    t->clearSelection();
    QTest::keySequence(t, QKeySequence::SelectAll);
    EXPECT_EQ(t->selectedItems().size(), t->rowCount() * t->columnCount());
    QTest::keySequence(t, QKeySequence::Copy);
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + t->rowCount());
    EXPECT_TRUE(lines[0].startsWith("Frequency, Hz\tProgramme, dB\tBass, W"))
        << lines[0].toStdString();
    EXPECT_EQ(lines.last().split('\t').value(0), "Total");
}

}  // namespace
}  // namespace ampora::ui::testing
