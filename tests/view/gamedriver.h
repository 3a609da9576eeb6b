#pragma once

#include <QByteArray>
#include <QEvent>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "tests/support/testgames.h"

class CTesselView;
class QWidget;

void SendMouse(QWidget& view, QEvent::Type type, QPoint point, Qt::MouseButtons buttons);
// Presses on one point and releases on the other, delivering the events at
// once so that nothing else runs in between.
void DragBetween(QWidget& view, QPoint start, QPoint end);
// The same between the centres of two squares of the view's board.
void Drag(CTesselView& view, const char* from, const char* to);
// A press and release on the same point.
void Click(QWidget& view, QPoint point);
void ClickSquare(CTesselView& view, int square);
// Drags each "e2e4" of the list in turn, waiting after each for the view.
bool PlayMoves(CTesselView& view, const QStringList& moves);
// Waits until the view has finished processing a move.
bool WaitIdle(CTesselView& view);

// The saved-game bytes of a list of moves such as {"e2e4", "e7e5"}.
QByteArray GameBytes(const QStringList& moves);
// A move list as such names.
QStringList MoveNames(const MoveList& moves);
bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
