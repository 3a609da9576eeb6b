#include "app/recentgames.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

#include "view/viewsettings.h"

namespace {

const QString kArray = QStringLiteral("RecentGames");
const QString kPathKey = QStringLiteral("Path");
const QString kGameKey = QStringLiteral("Game");
const QString kGoneMessage =
    QStringLiteral("%1 cannot be found. It has been removed from the recent games.");

// One file is one entry whichever way its name was written.
QString NormalPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentGames::RecentGames() {
    QSettings store(kOrganisation, kApplication);
    const int count = store.beginReadArray(kArray);
    for (int i = 0; i < count && m_games.size() < kMaxGames; ++i) {
        store.setArrayIndex(i);
        const RecentGame game{store.value(kPathKey).toString(), store.value(kGameKey).toInt()};
        // A list edited by hand may hold what no open or save put there.
        if (!game.path.isEmpty() && game.gameNumber >= 0) m_games.push_back(game);
    }
    store.endArray();
}

void RecentGames::Add(const RecentGame& game) {
    const RecentGame entry{NormalPath(game.path), game.gameNumber};
    std::erase(m_games, entry);
    m_games.insert(m_games.begin(), entry);
    if (m_games.size() > kMaxGames) m_games.resize(kMaxGames);
    Remember();
}

RecentGames::Choice RecentGames::Choose(std::size_t index) {
    if (index >= m_games.size()) return {};
    const RecentGame game = m_games[index];
    if (QFileInfo(game.path).isFile()) return {game, {}};
    m_games.erase(m_games.begin() + static_cast<std::ptrdiff_t>(index));
    Remember();
    return {std::nullopt, kGoneMessage.arg(QDir::toNativeSeparators(game.path))};
}

QString RecentGames::MenuText(std::size_t index) const {
    const RecentGame& game = m_games.at(index);
    // A '&' in the name must show, not mark a shortcut.
    QString text = QStringLiteral("&%1 %2").arg(index + 1).arg(
        QFileInfo(game.path).fileName().replace('&', QStringLiteral("&&")));
    if (game.gameNumber > 0) text += QStringLiteral(", game %1").arg(game.gameNumber);
    return text;
}

void RecentGames::Remember() const {
    QSettings store(kOrganisation, kApplication);
    store.beginWriteArray(kArray, static_cast<int>(m_games.size()));
    for (std::size_t i = 0; i < m_games.size(); ++i) {
        store.setArrayIndex(static_cast<int>(i));
        store.setValue(kPathKey, m_games[i].path);
        store.setValue(kGameKey, m_games[i].gameNumber);
    }
    store.endArray();
}
