#pragma once

#include <QPixmap>
#include <QWidget>

// The image of a dragged piece, following the pointer over the view while
// the piece itself stays drawn on its square.
class DragImage : public QWidget {
    Q_OBJECT
public:
    explicit DragImage(QWidget* view);

    void Begin(const QPixmap& image, QPoint hotSpot);
    void Enter(QPoint point);
    void Move(QPoint point);
    void End();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_image;
    QPoint m_hotSpot;
};
