#include "curves/ui/GraphPicture.h"

#include <QAction>
#include <QMenu>

#include "curves/ui/CurvePanel.h"
#include "i18n/Messages.h"
#include "kit/PictureExport.h"
#include "session/Session.h"

namespace ampora::ui {

namespace {

Picture GraphAsPicture(const CurvePanel& curves) {
    return WidgetPicture(curves.graphPanel(),
                         QStringLiteral("Ampora: ") + curves.session().CurCurveName);
}

void SaveGraphPicture(CurvePanel& curves) {
    const Session& s = curves.session();
    const PictureTexts texts{s.text(CaptionSavePicture), s.text(FilterPictureFiles),
                             s.text(MsgFileWriteFailed), TextIndex(s.language())};
    const QString name = s.CurCurveName.isEmpty() ? s.text(NameSpectrumPicture) : s.CurCurveName;
    SavePictureAs(curves.window(), GraphAsPicture(curves), name, {s.designPath(), s.userFolder()},
                  texts);
    curves.window()->activateWindow();
}

}  // namespace

void InstallGraphPicture(CurvePanel& curves, QMenu* popup, QMenu* exportMenu) {
    popup->addSeparator()->setObjectName(QStringLiteral("PopUpPictureBreak"));
    QAction* save = popup->addAction(QString());
    save->setObjectName(QStringLiteral("PopUpSavePicture"));
    QAction* copy = popup->addAction(QString());
    copy->setObjectName(QStringLiteral("PopUpCopyPicture"));
    QAction* exportItem = exportMenu->addAction(QString());
    exportItem->setObjectName(QStringLiteral("CmdSpectrumPicture"));
    for (QAction* a : {save, exportItem})
        QObject::connect(a, &QAction::triggered, &curves, [&curves] { SaveGraphPicture(curves); });
    QObject::connect(copy, &QAction::triggered, &curves,
                     [&curves] { CopyPicture(GraphAsPicture(curves)); });
    const auto retranslate = [&curves, save, copy, exportItem] {
        const Session& s = curves.session();
        save->setText(s.text(CaptionSavePicture));
        copy->setText(s.text(CaptionCopy));
        exportItem->setText(s.text(CaptionSpectrumPicture));
    };
    retranslate();
    QObject::connect(&curves.session(), &Session::languageChanged, &curves, retranslate);
}

}  // namespace ampora::ui
