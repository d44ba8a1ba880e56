// Files dropped on the real window: a design opens, a spectrum is imported,
// whatever part of the window the file lands on.

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/ui/DesignCommands.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class GivenFilesTest : public WindowTest {
protected:
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
    const QString design = QStringLiteral(AMPORA_SOURCE_DIR "/docs/three-way.ampora");
    const struct {
        const char* name;
        QString file;  // "" drags a text instead
        const char* target;
        bool accepted;
        const char* linkwitzF1;  // Edit28 afterwards: the design's 50 or the start's ""
        const char* curve;       // the curve's name afterwards starts so ("": none)
        int messages;
    } cases[] = {
        {"DesignOnTheWindow", design, nullptr, true, "50", "Flat", 0},
        {"SpectrumOnABox",
         QStringLiteral(AMPORA_SOURCE_DIR
                        "/tests/data/measurements/pink-noise-rta-1-24-octave.txt"),
         "Edit10", true, "", "pink-noise", 0},
        {"MissingDesign", folder + "gone.ampora", nullptr, true, "", "", 1},
        {"TextIsNoFile", {}, nullptr, false, "", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        box(28)->clear();
        session->setDesignPath({});
        session->CurCurveName.clear();
        messages.clear();
        // File managers offer the path as text too, which a box would take.
        QMimeData data;
        data.setText(c.file.isEmpty() ? QStringLiteral("typed") : c.file);
        if (!c.file.isEmpty()) data.setUrls({QUrl::fromLocalFile(c.file)});
        EXPECT_EQ(drop(c.target ? find(c.target) : main.get(), data), c.accepted);
        EXPECT_EQ(box(28)->text(), QString::fromUtf8(c.linkwitzF1));
        EXPECT_EQ(session->designPath(), c.file == design ? design : QString());
        const QString curve = QString::fromUtf8(c.curve);
        EXPECT_EQ(session->CurCurveName.left(curve.size()), curve);
        ASSERT_EQ(messages.size(), c.messages) << messages.join('|').toStdString();
        for (const QString& m : messages) EXPECT_TRUE(m.contains(QStringLiteral("gone.ampora")));
    }
    // File → Open design then starts where the dropped design lies.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(design)});
    ASSERT_TRUE(drop(main.get(), data));
    QString start;
    userDialogs.onChooseFile = [&](FileChoice, const QString&, const QString& folder) {
        return start = folder, QString();
    };
    main->designCommands().designActions()[0]->trigger();
    EXPECT_EQ(start, QFileInfo(design).absolutePath());
}

}  // namespace
}  // namespace ampora::ui::testing
