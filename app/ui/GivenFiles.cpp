#include "app/ui/GivenFiles.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/ui/DesignCommands.h"
#include "app/ui/MainWindow.h"
#include "calc/DesignFile.h"
#include "curves/ui/MeasurementCommands.h"

namespace ampora::ui {

namespace {

// The one local file a drag carries; "" for text, remote addresses and
// several files, which the window has no single place for.
QString DraggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}

class FileDrop final : public QObject {
public:
    explicit FileDrop(TF_Main& main) : QObject(&main), main_(main) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        // QDragEnterEvent and QDragMoveEvent are drop events too.
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DraggedFile(drop->mimeData());
        if (path.isEmpty()) return QObject::eventFilter(watched, event);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop) OpenGivenFileSoon(main_, path);
        return true;
    }

private:
    TF_Main& main_;
};

}  // namespace

bool OpenGivenFile(TF_Main& main, const QString& path) {
    // The design remembers its path for Save, wherever the program runs later.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (IsDesignFile(QFile::encodeName(absolute).toStdString()))
        return main.designCommands().OpenDesign(absolute);
    const bool imported = ImportSpectrumFile(main.curves(), absolute);
    main.activateWindow();  // back from a message box, or from the file manager
    return imported;
}

void OpenGivenFileSoon(TF_Main& main, const QString& path) {
    QTimer::singleShot(0, &main, [&main, path] { OpenGivenFile(main, path); });
}

void AcceptFileDrops(TF_Main& main) {
    auto* filter = new FileDrop(main);
    main.setAcceptDrops(true);
    main.installEventFilter(filter);
    // Boxes that take dropped text by themselves see the file first.
    for (QWidget* w : main.findChildren<QWidget*>())
        if (w->acceptDrops()) w->installEventFilter(filter);
}

}  // namespace ampora::ui
