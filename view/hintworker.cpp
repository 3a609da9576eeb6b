#include "view/hintworker.h"

namespace {

constexpr int kCheckOwnership = 1;
constexpr int kFirstPly = 1;
// How often the result is looked for while the search runs.
constexpr int kPollMs = 20;

std::optional<MoveEntry> FirstLegalMove(Chessgame& position, int side) {
    for (int from = 0; from < kSquareCount; ++from) {
        for (int to = 0; to < kSquareCount; ++to) {
            if (position.IsMoveLegal(from, to, side, kCheckOwnership)) {
                return MoveEntry{static_cast<int16_t>(from), static_cast<int16_t>(to)};
            }
        }
    }
    return std::nullopt;
}

}  // namespace

HintWorker::HintWorker(ResultHandler handler) : m_handler(std::move(handler)) {
    m_poll.setInterval(kPollMs);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { CollectResult(); });
}

HintWorker::~HintWorker() { Stop(); }

void HintWorker::Stop() {
    if (!m_thread.joinable()) return;
    m_poll.stop();
    m_control.RequestAbort();
    m_thread.join();
    m_finished.store(false, std::memory_order_relaxed);
    m_result.reset();
}

void HintWorker::Start(const Intelligence& position, int side, int searchKind) {
    m_engine.emplace(position);
    m_engine->m_control = &m_control;
    m_control.Reset();
    m_result.reset();
    m_finished.store(false, std::memory_order_relaxed);
    m_thread = std::thread(&HintWorker::Run, this, side, searchKind);
    m_poll.start();
}

void HintWorker::CollectResult() {
    if (!m_finished.load(std::memory_order_acquire)) return;
    m_poll.stop();
    m_thread.join();
    m_handler(m_result);
}

// The hint is for the human: his captures are the engine's human list. The
// search's choice is checked by the rules, since its generation can miss
// check evasions.
void HintWorker::Run(int side, int searchKind) {
    Intelligence& engine = *m_engine;
    const CaptureList& own = engine.m_humanCaptures;
    const CaptureList& opponent = engine.m_computerCaptures;
    const ScoredMove move =
        searchKind == kSearchKindNovice
            ? engine.SearchRootNovice(kRootAlpha, kRootBeta, -side, side, kFirstPly, own, opponent)
            : engine.Search(kRootAlpha, kRootBeta, -side, side, kFirstPly, own, opponent);
    if (IsMove(move) && engine.IsMoveLegal(move.from, move.to, side, kCheckOwnership)) {
        m_result = MoveEntry{static_cast<int16_t>(move.from), static_cast<int16_t>(move.to)};
    } else {
        m_result = FirstLegalMove(engine, side);
    }
    m_finished.store(true, std::memory_order_release);
}
