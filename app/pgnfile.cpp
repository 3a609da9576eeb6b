#include "app/pgnfile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "document/fileio.h"
#include "document/pgnexport.h"
#include "document/tesseldoc.h"

const QStringList kPgnFileFilters = {QStringLiteral("PGN Files (*.pgn)"),
                                     QStringLiteral("All Files (*.*)")};
const QString kPgnFileSuffix = QStringLiteral("pgn");

std::string PgnDateToday() {
    return QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString();
}

QString ProposedPgnName(const CTesselDoc& doc) {
    const QString baseName = QFileInfo(QString::fromStdString(doc.GetTitle())).completeBaseName();
    const QString pgnName = baseName + '.' + kPgnFileSuffix;
    if (doc.GetPathName().empty()) return pgnName;
    const QFileInfo gameFile(QString::fromStdString(doc.GetPathName()));
    const QDir dir = gameFile.dir();
    const QString beside = dir.filePath(pgnName);
    if (QFileInfo(beside) != gameFile) return beside;
    // The game was read from this very file, perhaps a database of many
    // games: one Yes would replace them all. A new name is proposed instead.
    for (int copy = 1;; ++copy) {
        const QString renamed =
            dir.filePath(QStringLiteral("%1-%2.%3").arg(baseName).arg(copy).arg(kPgnFileSuffix));
        if (!QFileInfo::exists(renamed)) return renamed;
    }
}

namespace {

FileResult WriteText(const std::string& text, const QString& path) {
    return ReplaceFileContents(path.toStdString(), std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

FileResult WritePgnFile(const CTesselDoc& doc, const QString& path) {
    return WriteText(ExportPgn(doc, PgnDateToday()), path);
}

int PrintGameAsPgn(const QString& path, int gameNumber) {
    CTesselDoc doc;
    const FileResult opened = doc.OnOpenDocument(path.toStdString(), [gameNumber](const auto&) {
        return std::optional<std::size_t>(gameNumber - 1);
    });
    if (!opened.ok) {
        std::fprintf(stderr, "%s\n", opened.message.c_str());
        return EXIT_FAILURE;
    }
    // Neither file records who played: the players are unknown.
    std::fputs(ExportPgn(doc, kUnknownPlayMode, PgnDateToday()).c_str(), stdout);
    if (!doc.m_importNote.empty()) std::fprintf(stderr, "%s\n", doc.m_importNote.c_str());
    return EXIT_SUCCESS;
}
