#include "tests/view/gamedriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "view/boardgeometry.h"
#include "view/tesselview.h"

namespace {

void AppendInt16(QByteArray& bytes, int value) {
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

}  // namespace

void SendMouse(QWidget& view, QEvent::Type type, QPoint point, Qt::MouseButtons buttons) {
    QMouseEvent event(type, point, view.mapToGlobal(point), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
}

void DragBetween(QWidget& view, QPoint start, QPoint end) {
    SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, (start + end) / 2, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, end, Qt::NoButton);
}

void Drag(QWidget& view, const char* from, const char* to) {
    DragBetween(view, SquareCentre(Sq(from)), SquareCentre(Sq(to)));
}

void Click(QWidget& view, QPoint point) { DragBetween(view, point, point); }

bool PlayMoves(CTesselView& view, const QStringList& moves) {
    for (const QString& move : moves) {
        const QByteArray text = move.toLatin1();
        Drag(view, text.left(2).constData(), text.mid(2, 2).constData());
        if (!WaitIdle(view)) return false;
    }
    return true;
}

bool WaitIdle(CTesselView& view) {
    return QTest::qWaitFor([&view] { return !view.IsBusy(); }, 30000);
}

QByteArray GameBytes(const QStringList& moves) {
    QByteArray bytes;
    AppendInt16(bytes, int(moves.size()));
    for (const QString& move : moves) {
        const QByteArray text = move.toLatin1();
        AppendInt16(bytes, Sq(text.left(2).constData()));
        AppendInt16(bytes, Sq(text.mid(2, 2).constData()));
    }
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
