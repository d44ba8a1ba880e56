#pragma once
// Small widgets the windows are built from.

#include <QFrame>
#include <QPixmap>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace ampora::ui {

// A label at its place, sized to its text.
QLabel* MakeLabel(QWidget* parent, const QString& name, int x, int y, const QString& text);
// An edit box one line high (21 px). A read-only box shows a result: the
// mouse may select in it, Tab passes it by.
QLineEdit* MakeEdit(QWidget* parent, int no, int x, int y, int w, const QString& text,
                    bool readOnly = false);

// A picture shown centred; a left click runs onClick.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent) : QWidget(parent) {}
    void setPicture(const QPixmap& pixmap) {
        pixmap_ = pixmap;
        update();
    }
    const QPixmap& picture() const { return pixmap_; }
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
};

// A filled shape with a thin outline: plain or rounded rectangle.
class ShapeBox : public QFrame {
public:
    ShapeBox(QWidget* parent, QColor brush, QColor pen, int radius)
        : QFrame(parent), brush_(brush), pen_(pen), radius_(radius) {}
    QColor brush() const { return brush_; }
    std::function<void(Qt::MouseButton)> onMouseUp;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor brush_, pen_;
    int radius_;
};

// Colours are kept as 0x00BBGGRR integers.
inline QColor ColorFromInt(uint32_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}
inline uint32_t IntFromColor(const QColor& c) {
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// The pictures the program draws for itself.
// A plot's tick step for a range cut into about `parts`: 1, 2 or 5 times a
// power of ten.
double NiceStep(double range, double parts);

QPixmap PrinterPicture();
QPixmap FilterPictogram(int kind);  // 0 low-pass, 1 high-pass edge, 2 low-pass edge, 3 high-pass
QPixmap SpeakerPicture();

}  // namespace ampora::ui
