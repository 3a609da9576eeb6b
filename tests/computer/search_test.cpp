#include <random>
#include <vector>

#include "tests/computer/computertest.h"

namespace {

// Both sides may castle both ways and pawns are about to promote, with captures.
class SharpPosition : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        SetUpBoard(game, "Ke1 Rh1 Ra1 Pb7 Pe4 Nc3 ke8 rh8 ra8 pg2 pd5 nf6");
        EXPECT_EQ("", PositionFault(game));
    }
};

TEST_F(SharpPosition, SearchesLeaveThePositionAsTheyFoundIt) {
    g_searchDepth = 2;
    const PositionState before = Saved(game);
    for (int side : {kWhite, kBlack}) {
        g_sideToMove = static_cast<int16_t>(side);
        const ScoredMove expert = game.Search(kRootAlpha, kRootBeta, -side, side, 1, {}, {});
        EXPECT_TRUE(before == Saved(game));
        const ScoredMove novice =
            game.SearchRootNovice(kRootAlpha, kRootBeta, -side, side, 1, {}, {});
        EXPECT_TRUE(before == Saved(game));
        EXPECT_TRUE(IsMove(expert));
        EXPECT_TRUE(IsMove(novice));
        EXPECT_EQ(side, g_sideToMove);
    }
    EXPECT_GT(game.m_trialMoves, 500u);
}

using Node = Intelligence::ExpertNode;

// The trials a node is given in order, and the first on which Accept answers
// false (-1: none does).
struct NodeCase {
    const char* name;
    int enough;
    std::vector<Intelligence::ExpertTrial> trials;
    int stopAt;
};

TEST(ExpertNode, StopsOnceACountedMoveLeavesTheBestAtItsLimit) {
    const NodeCase cases[] = {
        {"a counted move reaching the limit", 50, {{10, true}, {49, true}, {50, true}}, 2},
        {"a pruned move after a counted one", 50, {{10, true}, {60, false}}, 1},
        // The first counted move replaces the pruned best, which may fall.
        {"a pruned move before any counted", 50, {{80, false}, {10, true}, {20, true}}, -1},
        // Without a limit only the cut-off, alpha above beta, stops it.
        {"the root", Node::kNoLimit, {{900, false}, {kRootBeta, true}, {kRootBeta + 1, true}}, 2},
    };
    for (const NodeCase& c : cases) {
        Node node{kRootAlpha, kRootBeta, c.enough};
        int stoppedAt = -1;
        for (int i = 0; i < static_cast<int>(c.trials.size()) && stoppedAt < 0; ++i) {
            if (!node.Accept(0, i + 1, c.trials[i])) stoppedAt = i;
        }
        EXPECT_EQ(c.stopAt, stoppedAt) << c.name;
    }
}

TEST(ExpertNode, HandsItsRepliesTheValuesItCanUse) {
    Node node{30, 100, 300};
    EXPECT_EQ(Node::kNoLimit, node.Child(40, true).enough) << "nothing counted yet";
    ASSERT_TRUE(node.Accept(0, 1, {10, true}));
    const Node child = node.Child(40, true);
    EXPECT_EQ(-100, child.alpha);
    EXPECT_EQ(-30, child.beta);
    EXPECT_EQ(40 - 10, child.enough) << "beyond it the move changes neither alpha nor best";
    EXPECT_EQ(40 - 300, child.lower) << "from there the move reaches this node's limit";
    EXPECT_EQ(Node::kNoLimit, node.Child(40, false).enough);
    // Once a move is counted, a move scoring no more than lower and beta
    // changes nothing the parent uses; one above beta would cut it off.
    Node reply{-300, -260, Node::kNoLimit, -240};
    ASSERT_TRUE(reply.Accept(0, 1, {-300, true}));
    EXPECT_TRUE(reply.CannotChange(-270));
    EXPECT_FALSE(reply.CannotChange(-250));
}

// Random legal games with both capture lists kept as a game keeps them.
struct RandomGame {
    Intelligence engine{1};
    CaptureList captures[3];  // [side + 1]

    bool Play(std::mt19937& random, int plies) {
        g_sideToMove = kWhite;
        for (int ply = 0; ply < plies; ++ply) {
            const int side = g_sideToMove;
            const std::vector<LegalMove> legal = LegalMoves(engine, side);
            if (legal.empty()) return false;
            const LegalMove move = legal[random() % legal.size()];
            engine.MakeMove(move.from, move.to, 1);
            CaptureList& own = captures[SideIndex(side)];
            CaptureList& opponent = captures[SideIndex(-side)];
            engine.UpdateMoverCaptures(move.from, move.to, side, own, own);
            engine.UpdateOpponentCaptures(move.from, move.to, -side, opponent, opponent);
        }
        return engine.HasLegalMove() != kNoLegalMove;
    }

    ScoredMove Search(int skill, bool limits) {
        Intelligence copy(static_cast<const Chessgame&>(engine));
        copy.m_searchThreads = 1;
        copy.m_nodeLimits = limits;
        const int side = g_sideToMove;
        const CaptureList& own = captures[SideIndex(side)];
        const CaptureList& opponent = captures[SideIndex(-side)];
        const ScoredMove move =
            skill == kSearchKindNovice
                ? copy.SearchRootNovice(kRootAlpha, kRootBeta, -side, side, 1, own, opponent)
                : copy.Search(kRootAlpha, kRootBeta, -side, side, 1, own, opponent);
        trials[limits] += copy.m_trialMoves;
        return move;
    }

    uint64_t trials[2] = {};  // [limits]
};

TEST(NodeLimits, LeaveEveryDecisionAsItIsAndSpareWork) {
    std::mt19937 random(28);
    uint64_t trials[2] = {};
    for (int position = 0; position < 20;) {
        RandomGame game;
        if (!game.Play(random, 6 + static_cast<int>(random() % 40))) continue;
        ++position;
        for (int depth = 1; depth <= 3; ++depth) {
            g_searchDepth = depth;
            for (int skill : {kSearchKindNovice, kSearchKindExpert}) {
                EXPECT_EQ(game.Search(skill, false), game.Search(skill, true))
                    << position << " depth " << depth << " skill " << skill;
            }
        }
        trials[0] += game.trials[0];
        trials[1] += game.trials[1];
    }
    EXPECT_LT(trials[1], trials[0]);
}

// The search leaves unmade a last-ply move whose ceiling cannot beat what the
// node keeps, so a ceiling below a move's score would change decisions.
TEST(ScoreCeiling, NoMoveScoresAboveIt) {
    std::mt19937 random(8);
    for (int position = 0; position < 40;) {
        RandomGame game;
        if (!game.Play(random, static_cast<int>(random() % 60))) continue;
        ++position;
        Intelligence& engine = game.engine;
        const int rights = engine.CastlingRightsCeiling();
        for (int side : {kWhite, kBlack}) {
            for (const LegalMove& move : LegalMoves(engine, side)) {
                const int ceiling = engine.ScoreCeiling(move.from, move.to);
                PositionState before;
                engine.SavePosition(before);
                const int captured = engine.MakeMoveForSide(move.from, move.to, side, 0);
                EXPECT_LE(engine.ScorePlacement(move.from, move.to, captured, side), ceiling)
                    << position << ": " << move.from << "-" << move.to;
                // The rights' ceiling is read before the move and after it.
                EXPECT_LE(engine.CastlingRightsTerm(side), engine.CastlingRightsCeiling())
                    << position << ": " << move.from << "-" << move.to;
                EXPECT_LE(engine.CastlingRightsCeiling(), rights);
                engine.RestorePosition(before);
            }
        }
    }
}

using CaptureListTest = ComputerTest;

// White's list after Black's king went g7-g6, which gives White no capture:
// only the records that still stand remain, whatever moved since they were
// made.
TEST_F(CaptureListTest, KeepsOnlyTheRecordsThatStillStand) {
    SetUpBoard(game, "Kb1 Ra1 Rh8 Qd1 Pd4 Nc3 ra8 rh1 qd8 kg6 pe4");
    const CaptureList list = {
        {kRookValue, Sq("a1"), Sq("a8")},    // stands
        {kRookValue, Sq("h1"), Sq("h8")},    // attacker and target swapped colours
        {kQueenValue, Sq("d1"), Sq("d8")},   // a pawn came between
        {kBishopValue, Sq("c1"), Sq("g5")},  // the attacker left
        {kPawnValue, Sq("c3"), Sq("e4")},    // a knight needs no free line
    };
    CaptureList out;
    EXPECT_TRUE(game.UpdateOpponentCaptures(Sq("g7"), Sq("g6"), kWhite, list, out));
    EXPECT_EQ((CaptureList{list[0], list[4]}), out);
}

// Pawns come first at the Novice root: e4xd5 nets 150, the pawn less the
// bishop Black wins back after Nb5xc3 b2xc3, which is no winning capture;
// Ra1xa6, which nets 550, is.
TEST_F(ComputerTest, NoviceRootPlaysACaptureAtOnceOnlyIfItNetsAPawn) {
    SetUpBoard(game, "Kg1 Pe4 Pb2 Bc3 Ra1 kg8 pd5 nb5 na6");
    const CaptureList black = {{kBishopValue, Sq("b5"), Sq("c3")}};
    for (unsigned threads : {1U, 2U}) {
        game.m_searchThreads = threads;
        const ScoredMove move =
            game.SearchRootNovice(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, black);
        EXPECT_EQ(Sq("a1"), move.from) << threads;
        EXPECT_EQ(Sq("a6"), move.to) << threads;
    }
}

// Move Now before any root move is finished plays the first move the root
// would have tried, on one thread and on two.
TEST_F(ComputerTest, MoveNowBeforeAnyRootMoveIsFinishedPlaysTheFirstMove) {
    SearchControl control;
    control.RequestMoveNow();
    Intelligence player(kSeed);
    player.m_control = &control;
    g_searchDepth = 3;
    const struct {
        int skill;
        const char* from;
        const char* to;
    } cases[] = {{kSearchKindNovice, "h2", "h3"}, {kSearchKindExpert, "g1", "h3"}};
    for (const auto& c : cases) {
        for (unsigned threads : {1U, 2U}) {
            player.m_searchThreads = threads;
            const ScoredMove move =
                c.skill == kSearchKindNovice
                    ? player.SearchRootNovice(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, {})
                    : player.Search(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, {});
            EXPECT_EQ((ScoredMove{0, Sq(c.from), Sq(c.to)}), move) << c.skill << " " << threads;
        }
    }
}

}  // namespace
