#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "document/document.h"

class CTesselDoc;

// The file dialog's offer for File > Export PGN.
extern const QStringList kPgnFileFilters;
extern const QString kPgnFileSuffix;

// Today's date in the form PGN's Date tag takes, "YYYY.MM.DD".
std::string PgnDateToday();

// The name proposed for the export: the game file's name with ".pgn", or
// "Untitled.pgn" for a game never saved; for a game read from that very PGN
// file, a name beside it that no file has yet ("games-1.pgn").
QString ProposedPgnName(const CTesselDoc& doc);

// Writes the game as PGN, dated today, to the file.
FileResult WritePgnFile(const CTesselDoc& doc, const QString& path);

// quillon --export-pgn GAME [--game N]: prints the saved game, or the N-th
// game of a PGN file, as PGN on standard output, or on standard error why it
// cannot be read (or what of a game Quillon's rules end early is left out).
// Answers the process's exit code.
int PrintGameAsPgn(const QString& path, int gameNumber);
