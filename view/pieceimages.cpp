#include "view/pieceimages.h"

#include <QPainter>
#include <QSvgRenderer>
#include <array>

#include "engine/piecetable.h"
#include "view/boardgeometry.h"

// Outside any namespace, as the resource initialiser requires.
static void InitPieceResources() { Q_INIT_RESOURCE(quillon); }

namespace {

constexpr std::array<const char*, 2> kColourNames = {"white", "black"};

QPixmap RenderPiece(const QString& resource, qreal devicePixelRatio) {
    const int pixels = qRound(kPieceImageSize * devicePixelRatio);
    QPixmap image(pixels, pixels);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

}  // namespace

QList<QPixmap> LoadPieceImages(qreal devicePixelRatio) {
    InitPieceResources();
    QList<QPixmap> images;
    for (const PieceKind& kind : kPieceKinds) {
        const QString name = QString::fromLatin1(kind.name.data(), kind.name.size());
        for (const char* colour : kColourNames) {
            const QString resource = QStringLiteral(":/pieces/%1-%2.svg").arg(colour, name);
            images.append(RenderPiece(resource, devicePixelRatio));
        }
    }
    return images;
}
