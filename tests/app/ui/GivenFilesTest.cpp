// Files dropped on the real window: a design opens, a spectrum is imported,
// whatever part of the window the file lands on.

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "app/ui/GivenFiles.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class GivenFilesTest : public WindowTest {
protected:
    // The worked example at 250 W, so that an opened design shows.
    QString writeDesign(const char* name) {
        QFile in(QStringLiteral(AMPORA_SOURCE_DIR "/docs/three-way.ampora"));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QByteArray text = in.readAll();
        text.replace("\"amplifierPowerW\": 100", "\"amplifierPowerW\": 250");
        QFile out(folder + QString::fromUtf8(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        return out.fileName();
    }
    // Drags data onto target and drops it there, as a file manager does;
    // false when the window refused the drag.
    bool drop(QWidget* target, const QMimeData& data) {
        const QPoint at(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QTest::qWait(20);  // the file is opened after the drop returns
        return dropped.isAccepted();
    }
};

TEST_F(GivenFilesTest, ADroppedDesignOpensAndASpectrumIsImported) {
    create();
    loadMenu("Eng");
    const QString spectrum =
        QStringLiteral(AMPORA_SOURCE_DIR "/tests/data/measurements/pink-noise-rta-1-24-octave.txt");
    const struct {
        const char* name;
        QString file;  // "" drags a text instead
        const char* target;
        bool accepted;
        const char* amplifier;  // Edit9 afterwards
        bool design;            // the file became the open design
        const char* curve;      // the curve's name afterwards starts so ("": none)
        int messages;
    } cases[] = {
        {"DesignOnTheWindow", writeDesign("a.ampora"), nullptr, true, "250", true, "Flat", 0},
        {"UnnamedDesignOnABox", writeDesign("design"), "Edit9", true, "250", true, "Flat", 0},
        {"SpectrumOnTheWindow", spectrum, nullptr, true, "100", false, "pink-noise", 0},
        {"SpectrumOnABox", spectrum, "Edit10", true, "100", false, "pink-noise", 0},
        {"MissingDesign", folder + "gone.ampora", nullptr, true, "100", false, "", 1},
        {"TextIsNoFile", {}, nullptr, false, "100", false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        box(9)->setText(QStringLiteral("100"));
        session->setDesignPath({});
        session->CurCurveName.clear();
        messages.clear();
        QMimeData data;
        if (c.file.isEmpty())
            data.setText(QStringLiteral("typed"));
        else
            data.setUrls({QUrl::fromLocalFile(c.file)});
        QWidget* target = c.target ? find(c.target) : main.get();
        EXPECT_EQ(drop(target, data), c.accepted);
        EXPECT_EQ(box(9)->text(), QString::fromUtf8(c.amplifier));
        EXPECT_EQ(session->designPath(), c.design ? c.file : QString());
        const QString curve = QString::fromUtf8(c.curve);
        EXPECT_EQ(session->CurCurveName.left(curve.size()), curve);
        ASSERT_EQ(messages.size(), c.messages) << messages.join('|').toStdString();
        for (const QString& m : messages) EXPECT_TRUE(m.contains(QStringLiteral("gone.ampora")));
    }
}

}  // namespace
}  // namespace ampora::ui::testing
