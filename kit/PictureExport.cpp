#include "kit/PictureExport.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>
#include <cerrno>

#include "kit/Controls.h"

namespace ampora::ui {

Picture WidgetPicture(QWidget* widget, const QString& title) {
    return {widget->size(),
            [widget](QPainter& p) {
                widget->render(&p, QPoint(), QRegion(),
                               QWidget::DrawWindowBackground | QWidget::DrawChildren);
            },
            title};
}

PictureFormat PictureFormatOf(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0
               ? PictureFormat::Svg
               : PictureFormat::Png;
}

QImage PictureImage(const Picture& picture, int scale) {
    QImage image(picture.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    picture.paint(p);
    p.end();
    return image;
}

QByteArray PictureBytes(const Picture& picture, PictureFormat format) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (format == PictureFormat::Png) {
        if (!PictureImage(picture, PngScale).save(&out, "PNG")) return {};
        return out.data();
    }
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(picture.size);
    svg.setViewBox(QRect(QPoint(), picture.size));
    svg.setTitle(picture.title);
    QPainter p;
    if (!p.begin(&svg)) return {};
    p.fillRect(QRect(QPoint(), picture.size), Qt::white);
    picture.paint(p);
    if (!p.end()) return {};
    return out.data();
}

FileStatus WritePicture(const QString& path, const Picture& picture) {
    const QByteArray bytes = PictureBytes(picture, PictureFormatOf(path));
    if (bytes.isEmpty()) return {FileFault::System, EIO};
    return WriteFileSafely(QFile::encodeName(path).toStdString(),
                           std::string_view(bytes.constData(), size_t(bytes.size())));
}

void CopyPicture(const Picture& picture) {
    auto* data = new QMimeData;
    data->setImageData(PictureImage(picture, PngScale));
    data->setData(QStringLiteral("image/svg+xml"), PictureBytes(picture, PictureFormat::Svg));
    QApplication::clipboard()->setMimeData(data);
}

void SavePictureAs(QWidget* parent, const Picture& picture, const QString& name,
                   const ExportPlace& place, const PictureTexts& texts) {
    QString path =
        ChooseExportFile(parent, place, texts.saveAs, name, QStringLiteral(".png"), texts.filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    const FileStatus s = WritePicture(path, picture);
    if (!s.ok())
        ShowMessage(parent, texts.writeFailed + path + QLatin1Char('\n') +
                                Q(FileStatusText(s, texts.language)));
}

PictureActions AddPictureActions(QWidget* plot, const QString& prefix,
                                 std::function<Picture()> picture) {
    const PictureActions actions{new QAction(plot), new QAction(plot)};
    actions.save->setObjectName(prefix + QStringLiteral("SavePicture"));
    actions.copy->setObjectName(prefix + QStringLiteral("CopyPicture"));
    plot->addAction(actions.save);
    plot->addAction(actions.copy);
    plot->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(actions.copy, &QAction::triggered, plot,
                     [picture = std::move(picture)] { CopyPicture(picture()); });
    return actions;
}

}  // namespace ampora::ui
