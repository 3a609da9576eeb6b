#pragma once

#include <QByteArray>
#include <QEvent>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "tests/support/squarenames.h"

class CTesselView;
class QWidget;

void SendMouse(QWidget& view, QEvent::Type type, QPoint point, Qt::MouseButtons buttons);
// Presses on one square and releases on the other, delivering the events at
// once so that nothing else runs in between.
void Drag(QWidget& view, const char* from, const char* to);
// Drags each "e2e4" of the list in turn, waiting after each for the view.
bool PlayMoves(CTesselView& view, const QStringList& moves);
// Waits until the view has finished processing a move.
bool WaitIdle(CTesselView& view);

// The saved-game bytes of a list of moves such as {"e2e4", "e7e5"}.
QByteArray GameBytes(const QStringList& moves);
bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
