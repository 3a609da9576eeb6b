#include "view/viewsettings.h"

#include <QSettings>

const QString kOrganisation = QStringLiteral("Quillon");
const QString kApplication = QStringLiteral("Quillon");

namespace {

const QString kGroup = QStringLiteral("View");
const QString kMoveListKey = QStringLiteral("MoveList");
const QString kLegalMovesKey = QStringLiteral("LegalMoves");
const QString kLastMoveKey = QStringLiteral("LastMove");
const QString kFlipBoardKey = QStringLiteral("FlipBoard");
const QString kCoordinatesKey = QStringLiteral("Coordinates");
const QString kGameGroup = QStringLiteral("Game");
// In the PGN tag's form.
const QString kTimeControlKey = QStringLiteral("TimeControl");

}  // namespace

ViewSettings LoadViewSettings() {
    QSettings store(kOrganisation, kApplication);
    store.beginGroup(kGroup);
    const ViewSettings defaults;
    ViewSettings settings;
    settings.moveList = store.value(kMoveListKey, defaults.moveList).toBool();
    settings.legalMoves = store.value(kLegalMovesKey, defaults.legalMoves).toBool();
    settings.lastMove = store.value(kLastMoveKey, defaults.lastMove).toBool();
    settings.flipBoard = store.value(kFlipBoardKey, defaults.flipBoard).toBool();
    settings.coordinates = store.value(kCoordinatesKey, defaults.coordinates).toBool();
    return settings;
}

void SaveViewSettings(const ViewSettings& settings) {
    QSettings store(kOrganisation, kApplication);
    store.beginGroup(kGroup);
    store.setValue(kMoveListKey, settings.moveList);
    store.setValue(kLegalMovesKey, settings.legalMoves);
    store.setValue(kLastMoveKey, settings.lastMove);
    store.setValue(kFlipBoardKey, settings.flipBoard);
    store.setValue(kCoordinatesKey, settings.coordinates);
}

TimeControl LoadTimeControl() {
    QSettings store(kOrganisation, kApplication);
    store.beginGroup(kGameGroup);
    const QString text = store.value(kTimeControlKey).toString();
    return ParsePgnTimeControl(text.toStdString()).value_or(TimeControl{});
}

void SaveTimeControl(const TimeControl& control) {
    QSettings store(kOrganisation, kApplication);
    store.beginGroup(kGameGroup);
    store.setValue(kTimeControlKey, QString::fromStdString(PgnTimeControl(control)));
}
