// Opens each PGN file named through the document, as the window does, and
// writes beside it what Quillon makes of it: NAME.quillon.pgn with the game
// as Quillon writes it, NAME.refused with the message of a refusal, and
// NAME.note with the note of a game that Quillon's rules end early.
#include <fstream>
#include <iostream>
#include <string>

#include "document/pgnexport.h"
#include "document/tesseldoc.h"

namespace {

const std::string kDate = "2026.12.06";

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " PGN-FILE...\n";
        return 2;
    }
    CTesselDoc doc;
    doc.m_playMode = kPlayHumanVsHuman;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const FileResult result = doc.OnOpenDocument(path);
        const bool written = result.ok ? WriteFile(path + ".quillon.pgn", ExportPgn(doc, kDate)) &&
                                             (doc.m_importNote.empty() ||
                                              WriteFile(path + ".note", doc.m_importNote + "\n"))
                                       : WriteFile(path + ".refused", result.message + "\n");
        if (!written) {
            std::cerr << "cannot write beside " << path << "\n";
            return 1;
        }
    }
    return 0;
}
