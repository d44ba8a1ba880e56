#include "kit/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ampora::ui {

QLabel* MakeLabel(QWidget* parent, const QString& name, int x, int y, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* MakeEdit(QWidget* parent, int no, int x, int y, int w, const QString& text,
                    bool readOnly) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QStringLiteral("Edit%1").arg(no));
    e->setGeometry(x, y, w, 21);
    e->setReadOnly(readOnly);
    if (readOnly) e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) return;
    QPainter p(this);
    p.drawPixmap((width() - pixmap_.width()) / 2, (height() - pixmap_.height()) / 2, pixmap_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick)
        onClick();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, radius_ > 0);
    p.setPen(QPen(pen_, 1));
    p.setBrush(brush_);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (radius_ > 0)
        p.drawRoundedRect(r, radius_, radius_);
    else
        p.drawRect(r);
}

void ShapeBox::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) onMouseUp(event->button());
}

double NiceStep(double range, double parts) {
    const double raw = range / parts;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * mag) return m * mag;
    return 10.0 * mag;
}

QPixmap PrinterPicture() {
    QPixmap pm(26, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 0.5, 11, 7));  // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(1.5, 6.5, 23, 9), 2, 2);  // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 12.5, 13, 7));  // printed sheet
    p.setPen(QColor(120, 120, 120));
    p.drawLine(QPointF(9, 15.5), QPointF(17, 15.5));
    p.drawLine(QPointF(9, 17.5), QPointF(15, 17.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QPointF(21, 9.5), 1.2, 1.2);
    return pm;
}

QPixmap FilterPictogram(int kind) {
    // Amplitude against frequency; the pass band is drawn in blue.
    QPixmap pm(34, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawLine(QPointF(1.5, 1), QPointF(1.5, 18.5));
    p.drawLine(QPointF(1.5, 18.5), QPointF(33, 18.5));
    QPainterPath path;
    const bool lowPass = (kind == 0 || kind == 2);
    if (lowPass) {
        path.moveTo(3, 4);
        path.lineTo(16, 4);
        path.cubicTo(22, 4, 24, 12, 31, 17);
    } else {
        path.moveTo(3, 17);
        path.cubicTo(10, 12, 12, 4, 18, 4);
        path.lineTo(32, 4);
    }
    p.setPen(QPen(QColor(0, 70, 200), 1.6));
    p.drawPath(path);
    return pm;
}

QPixmap SpeakerPicture() {
    QPixmap pm(169, 137);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A three-way cabinet seen from the front.
    p.setPen(QPen(QColor(70, 50, 30), 1.5));
    p.setBrush(QColor(150, 105, 65));
    p.drawRoundedRect(QRectF(52, 3, 66, 131), 4, 4);
    auto driver = [&](QPointF c, double r) {
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(QColor(50, 50, 50));
        p.drawEllipse(c, r, r);
        p.setBrush(QColor(95, 95, 100));
        p.drawEllipse(c, r * 0.78, r * 0.78);
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(c, r * 0.28, r * 0.28);
    };
    driver(QPointF(85, 20), 9);
    driver(QPointF(85, 50), 15);
    driver(QPointF(85, 100), 27);
    return pm;
}

}  // namespace ampora::ui
