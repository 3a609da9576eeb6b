// The recent-games list: its order and bound, its memory between runs, and a
// file that has gone.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/recentgames.h"

class RecentGamesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void keepsTheNewestEightOnceEach();
    void dropsAGoneFileWhenChosen();

private:
    QString MakeFile(const QString& name) const;

    QTemporaryDir m_dir;
    QTemporaryDir m_settingsDir;
};

void RecentGamesTest::initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
}

QString RecentGamesTest::MakeFile(const QString& name) const {
    QFile file(m_dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    return file.fileName();
}

void RecentGamesTest::keepsTheNewestEightOnceEach() {
    RecentGames recent;
    for (int i = 0; i < 9; ++i) recent.Add({MakeFile(QStringLiteral("g%1.qln").arg(i)), 0});
    // The same file by another name, and two games of one PGN file.
    recent.Add({m_dir.path() + QStringLiteral("/./g3.qln"), 0});
    const QString pgn = MakeFile(QStringLiteral("a&b.pgn"));
    recent.Add({pgn, 2});
    recent.Add({pgn, 3});

    const std::vector<RecentGame> expected = {
        {pgn, 3},
        {pgn, 2},
        {m_dir.filePath(QStringLiteral("g3.qln")), 0},
        {m_dir.filePath(QStringLiteral("g8.qln")), 0},
        {m_dir.filePath(QStringLiteral("g7.qln")), 0},
        {m_dir.filePath(QStringLiteral("g6.qln")), 0},
        {m_dir.filePath(QStringLiteral("g5.qln")), 0},
        {m_dir.filePath(QStringLiteral("g4.qln")), 0},
    };
    QVERIFY(recent.Games() == expected);
    QVERIFY(RecentGames().Games() == expected);
    QCOMPARE(recent.MenuText(0), QStringLiteral("&1 a&&b.pgn, game 3"));
    QCOMPARE(recent.MenuText(2), QStringLiteral("&3 g3.qln"));
}

void RecentGamesTest::dropsAGoneFileWhenChosen() {
    RecentGames recent;
    const QString kept = MakeFile(QStringLiteral("kept.qln"));
    const QString gone = MakeFile(QStringLiteral("gone.qln"));
    recent.Add({kept, 0});
    recent.Add({gone, 0});
    QVERIFY(QFile::remove(gone));

    const RecentGames::Choice choice = recent.Choose(0);
    QVERIFY(!choice.game);
    QVERIFY(choice.message.contains(QStringLiteral("gone.qln")));
    QCOMPARE(RecentGames().Games().front().path, kept);
    QCOMPARE(recent.Choose(0).game->path, kept);
}

QTEST_GUILESS_MAIN(RecentGamesTest)
#include "tst_recentgames.moc"
