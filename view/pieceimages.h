#pragma once

#include <QList>
#include <QPixmap>

// The twelve piece images in index order (White pawn, Black pawn, White
// knight, ... Black king), 40 x 40 view pixels, rendered at the given device
// pixel ratio so they stay sharp on high-density screens.
QList<QPixmap> LoadPieceImages(qreal devicePixelRatio);
