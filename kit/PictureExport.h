#pragma once
// Plots leaving the program: one picture, written as PNG at twice its size
// (sharp on high-density screens and in print) or as SVG, or put on the
// clipboard. Every plot window hands over a Picture and gets the same
// "Save as picture…" and "Copy" commands.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "kit/FileChooser.h"
#include "store/SafeFile.h"

class QAction;
class QMenu;
class QPainter;
class QWidget;

namespace ampora::ui {

// Its size in logical pixels and what paints it into (0, 0, size) on a
// white ground.
struct Picture {
    QSize size;
    std::function<void(QPainter&)> paint;
    QString title;  // kept in the SVG
};

// A widget as it shows itself, with its children.
Picture WidgetPicture(QWidget* widget, const QString& title);

enum class PictureFormat { Png, Svg };
// SVG for a name ending in .svg (any case), PNG otherwise.
PictureFormat PictureFormatOf(const QString& path);

// PNG pixels are PngScale times the logical size.
inline constexpr int PngScale = 2;
QImage PictureImage(const Picture& picture, int scale);
QByteArray PictureBytes(const Picture& picture, PictureFormat format);
// Through WriteFileSafely: a failure leaves any earlier file whole.
FileStatus WritePicture(const QString& path, const Picture& picture);
// The PNG image and the SVG, for whichever the pasting program takes.
void CopyPicture(const Picture& picture);

// The words of the commands in the caller's language.
struct PictureTexts {
    QString saveAs, filter, writeFailed;
    int language = 0;  // for the failure's text (FileStatusText)
};

// Asks for the file (PNG unless the name ends in .svg), writes it, says a
// failure. name is the proposed file name without its suffix.
void SavePictureAs(QWidget* parent, const Picture& picture, const QString& name,
                   const ExportPlace& place, const PictureTexts& texts);

// "Save as picture…" and "Copy" in plot's context menu, named
// <prefix>SavePicture and <prefix>CopyPicture. Copy puts picture() on the
// clipboard; the caller connects save and gives both their captions.
struct PictureActions {
    QAction* save;
    QAction* copy;
};
PictureActions AddPictureActions(QWidget* plot, const QString& prefix,
                                 std::function<Picture()> picture);

}  // namespace ampora::ui
