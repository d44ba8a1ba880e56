#include "curves/ui/GraphImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace ampora::ui {

GraphImage::GraphImage(QWidget* parent, int width, int height)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    setMouseTracking(true);
}

void GraphImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
    // On screen only: the image itself goes to paper and into reports.
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void GraphImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (onMouseMove) onMouseMove(pos.x(), pos.y());
}

void GraphImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
}

void GraphImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    // A click is a left press and release over the image; it carries no
    // position of its own, the graph uses the last one it was moved to.
    const bool click = event->button() == Qt::LeftButton && leftPressed_ && rect().contains(pos);
    if (event->button() == Qt::LeftButton) leftPressed_ = false;
    if (onMouseUp) onMouseUp(event->button(), pos.x(), pos.y());
    if (click && onClick) onClick();
}

}  // namespace ampora::ui
