#pragma once
// The spectrum graph's image: a fixed bitmap the graph code paints into,
// reporting the mouse in image pixels.

#include <QImage>
#include <QWidget>
#include <functional>

namespace ampora::ui {

class GraphImage : public QWidget {
public:
    GraphImage(QWidget* parent, int width, int height);
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    std::function<void(int x, int y)> onMouseMove;
    std::function<void()> onClick;
    std::function<void(Qt::MouseButton, int x, int y)> onMouseUp;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    bool leftPressed_ = false;
};

}  // namespace ampora::ui
