// SPDX-License-Identifier: GPL-3.0-or-later
// The solver on small tables laid out by hand, every "won" replayed through the model.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include "game/Rules.h"
#include "game/Solver.h"
#include "tests/TableBuilder.h"

using namespace tables;

namespace {

const Options kThree{0, 1, 0, 0, 0};
const Options kFrozen{1, 1, 0, 0, 0};
const Options kOneFrozen{1, 1, 1, 0, 0};

// Replays a winning line through the model: every move legal, four full packs at the end.
void ExpectReplayWins(Table t, const Options& o, const SolveResult& r) {
    ASSERT_EQ(r.outcome, SolveResult::Outcome::kWon);
    for (const Move& m : r.moves)
        ASSERT_TRUE(Apply(t, o, m));
    EXPECT_TRUE(AllPacksComplete(t));
}

// The packs are frozen and full but for the hearts from the ten; the king of hearts lies on a
// stack, and the jack, queen and ten wait in the deck, jack on top. Turned one at a time, the
// ten goes home, and the deck turned over again brings the jack and then the queen. Turned three
// at a time, the ten goes home and then the jack and queen always come up together, the queen on
// the jack: nothing takes the queen (the black kings stay on their frozen packs), so the jack
// never shows. That is a loss.
TEST(Solver, TheDeckTurnedOverAgainWinsOneAtATimeAndThreeAtATimeIsProvenLost) {
    Table t = AllHomeBut({CCard(1, 10), CCard(1, 11), CCard(1, 12), CCard(1, 13)});
    PutOnStack(t, 0, CCard(1, 13));
    for (int n : {10, 12, 11})  // the last put on is the deck's top
        t.deck.PutCardOnTop(CCard(1, n));
    const SolveResult one = Solve(t, kOneFrozen);
    ExpectReplayWins(t, kOneFrozen, one);
    Table replay = t;
    bool turnedOver = false;
    for (const Move& m : one.moves) {
        turnedOver =
            turnedOver || (m.kind == Move::Kind::kTurnDeck && replay.deck.GetNumCards() == 0);
        Apply(replay, kOneFrozen, m);
    }
    EXPECT_TRUE(turnedOver) << "the pile went back to the deck on the way";
    EXPECT_EQ(Solve(t, kFrozen).outcome, SolveResult::Outcome::kLost);
}

// The hearts are out: the two face up over the ace, the rest face down under the three on
// another stack. Nothing takes the two but a black three, and both are on their packs: only by
// bringing cards back from the packs, a king to an empty stack and down, can a black three come
// out to take it. With the packs frozen that is no way, and the game is lost.
TEST(Solver, AWinThatNeedsCardsBackFromThePacksIsLostWithThePacksFrozen) {
    Table t = AllHomeBut({CCard(1, 1)});
    PutOnStack(t, 0, CCard(1, 1), 1);
    PutOnStack(t, 0, CCard(1, 2));
    for (int n = 13; n >= 4; --n)
        PutOnStack(t, 1, CCard(1, n), 1);
    PutOnStack(t, 1, CCard(1, 3));
    EXPECT_EQ(Solve(t, kFrozen).outcome, SolveResult::Outcome::kLost);
    const SolveResult free = Solve(t, kThree);
    ExpectReplayWins(t, kThree, free);
    bool fromAPack = false;
    for (const Move& m : free.moves)
        fromAPack = fromAPack || m.kind == Move::Kind::kPackToStack;
    EXPECT_TRUE(fromAPack);
}

// The king of spades comes back off its full pack onto an empty stack while no card can go on it
// yet: that is the only way to the queen of spades under it, the one black queen the jack of
// diamonds can go on (the queen of clubs is face down under the nine of diamonds, which waits for
// the eight, face down itself). The jack has to leave the pile for the queen of diamonds under it
// to come up and take the jack of clubs off the eight. With the packs frozen, the game is lost.
TEST(Solver, AKingComesBackOffItsPackForTheQueenUnderIt) {
    Table t = AllHomeBut({CCard(1, 12), CCard(1, 13), CCard(2, 7), CCard(3, 10)});
    PutOnStack(t, 0, CCard(2, 7), 1);
    PutOnStack(t, 0, CCard(3, 13));
    PutOnStack(t, 1, CCard(1, 13), 1);
    PutOnStack(t, 1, CCard(3, 12), 1);
    PutOnStack(t, 1, CCard(2, 9));
    PutOnStack(t, 2, CCard(2, 8), 1);
    PutOnStack(t, 2, CCard(3, 11));
    TurnOntoPile(t, {CCard(1, 12), CCard(2, 12), CCard(2, 11)}, 3);
    for (int n : {10, 13})  // the last put on is the deck's top
        t.deck.PutCardOnTop(CCard(2, n));
    t.deck.PutCardOnTop(CCard(3, 10));
    const SolveResult free = Solve(t, kThree);
    ExpectReplayWins(t, kThree, free);
    Table replay = t;
    bool kingBack = false;
    for (const Move& m : free.moves) {
        kingBack = kingBack ||
                   (m.kind == Move::Kind::kPackToStack && TopCard(replay, m.from) == CCard(4, 13));
        Apply(replay, kThree, m);
    }
    EXPECT_TRUE(kingBack);
    EXPECT_EQ(Solve(t, kFrozen).outcome, SolveResult::Outcome::kLost);
}

// The five of hearts, the deck's one card, can only go home: the black sixes are on a frozen
// pack and face down on a stack, under the five of spades. Only then can the six of hearts go
// home off the four of spades, face down, which the spades and then the hearts above them, on
// the other stack, wait for. Turned one at a time, a card goes home from the deck only when the
// next of its suit could follow: here the six, face up on a stack.
TEST(Solver, ACardFromTheDeckGoesHomeForTheNextOfItsSuitOnAStack) {
    Table t = AllHomeBut({CCard(1, 5), CCard(3, 4)});
    PutOnStack(t, 0, CCard(3, 4), 1);
    PutOnStack(t, 0, CCard(1, 6));
    for (int n = 13; n >= 7; --n)
        PutOnStack(t, 1, CCard(1, n), 1);
    for (int n = 13; n >= 5; --n)
        PutOnStack(t, 1, CCard(3, n), n > 5 ? 1 : 0);
    t.deck.PutCardOnTop(CCard(1, 5));
    for (const Options& o : {kOneFrozen, kFrozen})
        ExpectReplayWins(t, o, Solve(t, o));
}

// A table laid out by `lay` is lost before any table is searched; with one card moved
// (`moved`), it is won, and the win replays.
void ExpectLostAtOnceButWonWithOneCardMoved(Table (*lay)(bool moved), const Options& o = kThree) {
    for (bool moved : {false, true}) {
        const Table t = lay(moved);
        const SolveResult r = Solve(t, o);
        if (moved) {
            ExpectReplayWins(t, o, r);
        } else {
            EXPECT_EQ(r.outcome, SolveResult::Outcome::kLost);
            EXPECT_EQ(r.states, 0u);
        }
    }
}

// The three of spades lies face up on its ace and both red fours, all face down. It can go
// neither home (its ace is under it) nor onto a red four (both are under it), so it never leaves,
// and the game is lost before any table is searched. With one red four in the deck instead, the
// three has somewhere to go, and the game is won.
TEST(Solver, ACardThatCanNeverLeaveItsStackLosesAtOnce) {
    ExpectLostAtOnceButWonWithOneCardMoved([](bool fourInDeck) {
        Table t = AllHomeBut({CCard(3, 1), CCard(1, 4), CCard(2, 4)});
        PutOnStack(t, 0, CCard(1, 4), 1);
        if (!fourInDeck)
            PutOnStack(t, 0, CCard(2, 4), 1);
        PutOnStack(t, 0, CCard(3, 1), 1);
        PutOnStack(t, 0, CCard(3, 3));
        for (int n = 13; n >= 1; --n)
            for (int suit : {1, 2, 3})
                if (n != 3 || suit != 3)
                    if ((suit == 3 && n > 1) || n > 4 || (fourInDeck && suit == 2 && n == 4))
                        t.deck.PutCardOnTop(CCard(suit, n));
        return t;
    });
}

// Two cards that wait for each other: each black eight lies on a red nine face down, over the
// seven of the other black suit. An eight goes home only after its seven, under the other eight,
// and onto a red nine only once the other eight has left its own. Neither can leave first, so the
// game is lost before any table is searched, however the cards of the deck are laid out on the
// empty stacks. With the nine of diamonds in the deck instead, the clubs' eight can leave onto
// it, and the game is won.
TEST(Solver, CardsThatWaitForEachOtherLoseAtOnce) {
    ExpectLostAtOnceButWonWithOneCardMoved([](bool nineInDeck) {
        Table t = AllHomeBut({CCard(1, 9), CCard(2, 9), CCard(3, 7), CCard(4, 7)});
        PutOnStack(t, 0, CCard(3, 7), 1);
        PutOnStack(t, 0, CCard(1, 9), 1);
        PutOnStack(t, 0, CCard(4, 8));
        PutOnStack(t, 1, CCard(4, 7), 1);
        if (!nineInDeck)
            PutOnStack(t, 1, CCard(2, 9), 1);
        PutOnStack(t, 1, CCard(3, 8));
        for (int suit = 1; suit <= 4; ++suit)
            for (int n = suit <= 2 ? 10 : 9; n <= 13; ++n)
                t.deck.PutCardOnTop(CCard(suit, n));
        if (nineInDeck)
            t.deck.PutCardOnTop(CCard(2, 9));
        return t;
    });
}

// The packs are frozen; diamonds and spades are full, hearts home up to the two, clubs not begun.
// The four of hearts lies on the ace and five of clubs, face down; the three of hearts, with the
// two of clubs on it, alone on a stack; the four of clubs on its three, face down; the other clubs
// and hearts in the deck. Every card can leave its place: the three of hearts onto the four of
// clubs, with the two on it. But the four of hearts can only go home (both black fives are out of
// reach), after the three; the three only once the two has left it; and the two only home (the
// other red three is frozen on its pack), after its ace, under the four. None of them ever goes
// home, so the game is lost before any table is searched. With the ace in the deck instead, it is
// won.
TEST(Solver, ACardThatOnlyLeavesWithTheCardsOnItLosesAtOnce) {
    ExpectLostAtOnceButWonWithOneCardMoved(
        [](bool aceInDeck) {
            std::vector<CCard> away;
            for (int n = 1; n <= 13; ++n)
                away.push_back(CCard(3, n));
            for (int n = 3; n <= 13; ++n)
                away.push_back(CCard(1, n));
            Table t = AllHomeBut(away);
            PutOnStack(t, 0, CCard(3, 5), 1);
            if (!aceInDeck)
                PutOnStack(t, 0, CCard(3, 1), 1);
            PutOnStack(t, 0, CCard(1, 4));
            PutOnStack(t, 1, CCard(1, 3));
            PutOnStack(t, 1, CCard(3, 2));
            PutOnStack(t, 2, CCard(3, 3), 1);
            PutOnStack(t, 2, CCard(3, 4));
            for (int n = 13; n >= 6; --n)
                for (int suit : {1, 3})
                    t.deck.PutCardOnTop(CCard(suit, n));
            t.deck.PutCardOnTop(CCard(1, 5));
            if (aceInDeck)
                t.deck.PutCardOnTop(CCard(3, 1));
            return t;
        },
        kFrozen);
}

// The packs are frozen and full but for the hearts from the eight; the king lies on a stack, the
// rest in the deck: jack on top, then queen, eight, nine and ten. Turned three at a time, the
// eight comes up and goes home, which moves the nine and ten up the deck so that they come up and
// follow it; then the queen shows on the jack and never leaves it (the black kings stay on their
// packs), so the jack never shows. Nothing can take the jack out of the deck, so the game is lost
// before any table is searched. With the queen on top instead, the jack shows on it and is won.
// Turned one at a time, every card comes up, and either is won.
TEST(Solver, ACardTheDeckNeverBringsUpLosesAtOnce) {
    auto lay = [](bool queenOnTop) {
        Table t = AllHomeBut(
            {CCard(1, 8), CCard(1, 9), CCard(1, 10), CCard(1, 11), CCard(1, 12), CCard(1, 13)});
        PutOnStack(t, 0, CCard(1, 13));
        for (int n : {10, 9, 8})  // the last put on is the deck's top
            t.deck.PutCardOnTop(CCard(1, n));
        for (int n : queenOnTop ? std::array{11, 12} : std::array{12, 11})
            t.deck.PutCardOnTop(CCard(1, n));
        return t;
    };
    ExpectLostAtOnceButWonWithOneCardMoved(lay, kFrozen);
    ExpectReplayWins(lay(false), kOneFrozen, Solve(lay(false), kOneFrozen));
}

// The packs are frozen and full but for the hearts from the four: the ten to the king each lie
// alone on a stack, the rest in the deck, nine on top, then eight, four, seven, five and six.
// Turned three at a time, the four comes up and goes home; after that only the seven and the
// six ever come up, one card having left before them, and neither can go home before the five:
// the five would need one more card before it to leave, or the six after it. So the game is lost
// before any table is searched. With the five and the seven the other way round, it is won.
TEST(Solver, ACardTurningNeverBringsUpAfterOthersLeaveLosesAtOnce) {
    ExpectLostAtOnceButWonWithOneCardMoved(
        [](bool fiveSooner) {
            Table t = AllHomeBut({CCard(1, 4)});
            for (int n = 10; n <= 13; ++n)
                PutOnStack(t, n - 10, CCard(1, n));
            const int later = fiveSooner ? 7 : 5;
            const int sooner = fiveSooner ? 5 : 7;
            for (int n : {6, later, sooner, 4, 8, 9})  // the last put on is the deck's top
                t.deck.PutCardOnTop(CCard(1, n));
            return t;
        },
        kFrozen);
}

// Solves a table, then again with every step searched: when both decide, the answers are the same.
// Returns whether both decided.
bool AnswersAsEveryStepSearched(const Table& t, const Options& o, uint64_t states,
                                const std::string& which) {
    SolveBudget budget{states, 5.0};
    const SolveResult::Outcome some = Solve(t, o, budget).outcome;
    budget.everyStep = true;
    const SolveResult::Outcome every = Solve(t, o, budget).outcome;
    if (some == SolveResult::Outcome::kUnknown || every == SolveResult::Outcome::kUnknown)
        return false;
    EXPECT_EQ(some, every) << which;
    return true;
}

// Real deals: whatever the answer, a "won" replays, and every deal is decided quickly or
// reported unknown within its budget.
TEST(Solver, RealDealsWonReplayToFourFullPacks) {
    int won = 0;
    for (int second = 0; second < 4; ++second) {
        Table t = ShuffledTable(1700000000 + second);
        DealStacks(t);
        const SolveResult r = Solve(t, kThree, SolveBudget{10'000, 2.0});
        if (r.outcome == SolveResult::Outcome::kWon) {
            ExpectReplayWins(t, kThree, r);
            ++won;
        }
    }
    // Of these four, only the first is lost. Winning the third takes a stack emptied by moving all
    // its cards onto another, with a king put there next.
    EXPECT_EQ(won, 3);

    // The steps the search leaves out, or leaves for later, change no answer it gives.
    int decided = 0;
    for (const Options& o : {kThree, kFrozen, kOneFrozen, Options{0, 1, 1, 0, 0}})
        for (int second = 0; second < 12; ++second) {
            Table deal = ShuffledTable(1700000000 + second);
            DealStacks(deal);
            decided +=
                AnswersAsEveryStepSearched(deal, o, 40'000, "deal " + std::to_string(second));
        }
    EXPECT_GT(decided, 24);

    // Told to stop, a search ends at the first table it looks at, undecided.
    const std::atomic<bool> stop{true};
    Table t = ShuffledTable(1700000000);
    DealStacks(t);
    const SolveResult stopped = Solve(t, kThree, SolveBudget{10'000, 2.0, &stop});
    EXPECT_EQ(stopped.outcome, SolveResult::Outcome::kUnknown);
    EXPECT_LE(stopped.states, 1u);
}

// Small tables laid out at random: each suit home up to a random card, the rest dealt out on the
// stacks, each face down but for its top, then to the pile and the deck, with any options. The
// steps the search leaves out, or leaves for later, change no answer on any of them either.
TEST(Solver, SmallTablesAtRandomGetTheAnswerOfEveryStepSearched) {
    std::mt19937 random(1);  // the same numbers everywhere
    auto below = [&random](int n) { return int(random() % unsigned(n)); };
    int decided = 0;
    for (int i = 0; i < 1000; ++i) {
        std::vector<CCard> away;
        for (int suit = 1; suit <= 4; ++suit)
            for (int n = 14 - below(13); n <= 13; ++n)
                away.push_back(CCard(suit, n));
        for (size_t k = away.size(); k > 1; --k)
            std::swap(away[k - 1], away[size_t(below(int(k)))]);
        Table t = AllHomeBut(away);
        size_t next = 0;
        for (int st = below(table::kStacks); st >= 0 && next < away.size(); --st) {
            for (int down = below(5); down > 0 && next + 1 < away.size(); --down)
                PutOnStack(t, st, away[next++], 1);
            PutOnStack(t, st, away[next++]);
        }
        for (int pile = below(4); next < away.size(); --pile)
            (pile > 0 ? t.pile : t.deck).PutCardOnTop(away[next++]);
        t.fannedCount = t.pile.GetNumCards() > 0 ? 1 : 0;
        const Options o{below(2), 1, below(2), 0, 0};
        decided += AnswersAsEveryStepSearched(t, o, 20'000, "table " + std::to_string(i));
    }
    EXPECT_GT(decided, 900);
}

}  // namespace
