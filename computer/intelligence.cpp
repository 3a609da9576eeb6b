#include "computer/intelligence.h"

#include <ctime>

namespace {

constexpr int kSchema = 1;

CObject* CreateIntelligence() { return new Intelligence(); }

}  // namespace

const RuntimeClass Intelligence::kRuntimeClass{"Intelligence", kSchema, &CreateIntelligence};

namespace {

const bool kRegistered = RegisterRuntimeClass(Intelligence::kRuntimeClass);

}  // namespace

Intelligence::Intelligence() : Intelligence(static_cast<unsigned>(std::time(nullptr))) {}

Intelligence::Intelligence(unsigned seed) : m_outOfBook(false), m_book{} {
    g_sideToMove = kWhite;
    ShuffleBook(seed);
}

Intelligence::Intelligence(const Chessgame& position) : m_outOfBook(false), m_book{} {
    Chessgame::operator=(position);
}

const RuntimeClass* Intelligence::GetRuntimeClass() const { return &kRuntimeClass; }
