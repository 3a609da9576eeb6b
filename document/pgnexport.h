#pragma once

#include <string>

class CTesselDoc;

// The game of the document in standard PGN: the seven-tag roster with the
// given date ("YYYY.MM.DD"), the moves in SAN and the result.
std::string ExportPgn(const CTesselDoc& doc, const std::string& date);
