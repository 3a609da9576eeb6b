// Feeds arbitrary bytes to the saved-game reader. A file is either refused
// without touching the game that was open, or accepted as a game that is
// written back byte for byte with the side to move following its length.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/archive.h"
#include "document/tesseldoc.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

CTesselDoc& FreshDocument() {
    static CTesselDoc* doc = [] {
        auto* created = new CTesselDoc;
        created->m_playMode = kPlayHumanVsHuman;
        return created;
    }();
    doc->OnNewDocument();
    return *doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTesselDoc& doc = FreshDocument();
    const std::vector<uint8_t> input(data, data + size);
    const auto startBoard = doc.m_pEngine->m_board;

    Archive loading = Archive::ForLoading(input);
    doc.Serialize(loading);
    if (loading.HasFormatError()) {
        Require(doc.m_moveCount == 0);
        Require(g_sideToMove == kWhite);
        Require(doc.m_pEngine->m_board == startBoard);
        return 0;
    }

    Archive storing = Archive::ForStoring();
    doc.Serialize(storing);
    Require(storing.Bytes() == input);
    Require(g_sideToMove == (doc.m_moveCount % 2 == 0 ? kWhite : kBlack));
    Require(doc.Published().sideToMove == g_sideToMove);
    Require(doc.m_gameOver == (doc.m_drawn || doc.m_matedSide != 0));
    return 0;
}
