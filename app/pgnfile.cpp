#include "app/pgnfile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    const QString pgnName =
        QFileInfo(QString::fromStdString(doc.GetTitle())).completeBaseName() + '.' + kPgnFileSuffix;
    if (doc.GetPathName().empty()) return pgnName;
    return QFileInfo(QString::fromStdString(doc.GetPathName())).dir().filePath(pgnName);
}

FileResult WritePgnFile(const CTesselDoc& doc, const QString& path) {
    const std::string pgn = ExportPgn(doc, PgnDateToday());
    return ReplaceFileContents(path.toStdString(), std::vector<uint8_t>(pgn.begin(), pgn.end()));
}

int PrintGameAsPgn(const QString& path) {
    CTesselDoc doc;
    const FileResult opened = doc.OnOpenDocument(path.toStdString());
    if (!opened.ok) {
        std::fprintf(stderr, "%s\n", opened.message.c_str());
        return EXIT_FAILURE;
    }
    std::fputs(ExportPgn(doc, PgnDateToday()).c_str(), stdout);
    return EXIT_SUCCESS;
}
