#include "view/dragimage.h"

#include <QPainter>

DragImage::DragImage(QWidget* view) : QWidget(view) {
    // The view keeps receiving the mouse while the image moves under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void DragImage::Begin(const QPixmap& image, QPoint hotSpot) {
    m_image = image;
    m_hotSpot = hotSpot;
    resize(image.deviceIndependentSize().toSize());
}

void DragImage::Enter(QPoint point) {
    Move(point);
    raise();
    show();
}

void DragImage::Move(QPoint point) { move(point - m_hotSpot); }

void DragImage::End() {
    hide();
    m_image = QPixmap();
}

void DragImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_image);
}
