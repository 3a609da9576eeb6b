#include "tests/view/gamedriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "view/boardwidget.h"
#include "view/tesselview.h"

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

void Drag(CTesselView& view, const char* from, const char* to) {
    DragBetween(view.Board(), view.CellRect(Sq(from)).center(), view.CellRect(Sq(to)).center());
}

void Click(QWidget& view, QPoint point) { DragBetween(view, point, point); }

void ClickSquare(CTesselView& view, int square) {
    Click(view.Board(), view.CellRect(square).center());
}

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
    MoveList list;
    for (const QString& move : moves) {
        const QByteArray text = move.toLatin1();
        list.emplace_back(Sq(text.left(2).constData()), Sq(text.mid(2, 2).constData()));
    }
    return QByteArray::fromStdString(QlnBytes(list));
}

QStringList MoveNames(const MoveList& moves) {
    QStringList names;
    for (const auto& [from, to] : moves) {
        names << QString::fromStdString(SquareName(from) + SquareName(to));
    }
    return names;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
