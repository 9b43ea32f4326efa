// SPDX-License-Identifier: GPL-3.0-or-later
// Random play through the real mouse handling: presses, drags and secondary clicks anywhere, with
// the odd undo, checking after every press that the table is a legal one and on screen as it is
// off screen. TARNWICK_SOAK_GAMES asks for more games than the default.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>

#include "TestSupport.h"
#include "app/MessageCodes.h"
#include "game/Rules.h"

using namespace testing_support;

namespace {

class Soak : public TableFixture {
  protected:
    void ExpectLegalTable(const std::string& what) {
        ASSERT_EQ(TableFault(view->Model()), "") << what << "\n" << Layout();
        ASSERT_EQ(view->Model().handCount, 0) << what;
        ASSERT_EQ(view->MouseState(), CView::kMouseIdle) << what;
        ASSERT_TRUE(Screen() == Offscreen()) << what << "\n" << Layout();
    }

    // A point on a card that can be taken, or anywhere now and then.
    BPoint SomeCard(std::mt19937& rng) {
        switch (rng() % 4) {
            case 0:
                return BPoint(105 + 15 * std::max(0, view->Model().fannedCount - 1) + 10, 40);
            case 1:
                return BPoint(280 + 80 * (rng() % 4), 40);
            case 2: {
                const int s = int(rng() % 7);
                const int n = view->Model().stackCount[s];
                const int r = n == 0 ? 0 : int(rng() % n);
                return BPoint(30 + 96 * s, 130 + 15 * r + (r == n - 1 ? int(rng() % 80) : 0));
            }
            default:
                return BPoint(rng() % 701, rng() % 501);
        }
    }
    BPoint SomePlace(std::mt19937& rng) {
        if (rng() % 3 == 0)
            return BPoint(280 + 80 * (rng() % 4), 30 + rng() % 70);
        if (rng() % 10 == 0)
            return BPoint(rng() % 701, rng() % 501);
        const int s = int(rng() % 7);
        return BPoint(10 + 96 * s + rng() % 100,
                      126 + 15 * view->Model().stackCount[s] + rng() % 60);
    }
};

TEST_F(Soak, RandomPlayKeepsEveryCardAndEveryRule) {
    const char* asked = std::getenv("TARNWICK_SOAK_GAMES");
    const int games = asked ? std::atoi(asked) : 8;
    const int pressesPerGame = 300;
    std::mt19937 rng(20261206);
    int wins = 0;
    for (int game = 0; game < games; ++game) {
        testseams::FixClock(1700000000 + game);
        testseams::ScriptAlerts({0});
        window->PostMessage(MSG_DEAL);
        BLooper::DispatchAllPending();
        view->SetFlags(rng() % 2, rng() % 4 != 0, rng() % 2, 0);
        for (int press = 0; press < pressesPerGame; ++press) {
            const int action = int(rng() % 100);
            std::string what;
            if (action < 25) {
                what = "deck";
                Click(60, 60, 1 + int(rng() % 2));
            } else if (action < 65) {
                const BPoint from = SomeCard(rng), to = SomePlace(rng);
                what = "drag";
                Drag({from, BPoint((from.x + to.x) / 2, (from.y + to.y) / 2), to});
            } else if (action < 85) {
                what = "secondary";
                const BPoint at = SomeCard(rng);
                RightClick(int(at.x), int(at.y));
            } else if (action < 95) {
                what = "odd buttons";
                std::vector<testseams::MouseSample> samples;
                for (int i = 0; i < 1 + int(rng() % 4); ++i)
                    samples.push_back({SomePlace(rng), uint32(rng() % 5)});
                testseams::Press(view, 1 + rng() % 4, samples);
            } else {
                what = "undo";
                window->PostMessage(MSG_UNDO);
            }
            if (!testseams::Alerts().empty()) {
                ++wins;
                testseams::ScriptAlerts({0});
            }
            BLooper::DispatchAllPending();
            ExpectLegalTable(what + " in game " + std::to_string(game));
            if (HasFatalFailure())
                return;
        }
    }
    RecordProperty("wins", wins);
}

// How the planner plays a move: with the mouse or with the keys, each through its real paths.
class Hands {
  public:
    virtual ~Hands() = default;
    virtual void TurnDeck() = 0;
    virtual void TurnOver(int stack) = 0;        // the face-down top card
    virtual void Onward(int area, int row) = 0;  // the secondary button's move
    virtual void Move(int area, int row, int stack) = 0;
};

class MouseHands : public Hands {
  public:
    explicit MouseHands(CView* v) : view(v) {}
    void TurnDeck() override { Click(60, 60); }
    void TurnOver(int s) override {
        Click(table::StackX(s) + 30, table::StackCardY(view->Model().stackCount[s] - 1) + 40);
    }
    void Onward(int area, int row) override {
        const BPoint at = On(area, row);
        testseams::Press(view, 2, {{at, 2}});
    }
    void Move(int area, int row, int stack) override {
        const int n = view->Model().stackCount[stack];
        const int toY = n == 0 ? table::kStackY + 30 : table::StackCardY(n - 1) + 40;
        testseams::Press(view, 1,
                         {{On(area, row), 1}, {BPoint(table::StackX(stack) + 30, toY), 1}});
    }

  private:
    BPoint On(int area, int row) const {
        if (area == table::kAreaPile)
            return BPoint(table::PileCardX(std::max(0, view->Model().fannedCount - 1)) + 10, 40);
        if (area >= table::kAreaPack0)
            return BPoint(table::PackX(area - table::kAreaPack0) + 30, 50);
        return BPoint(table::StackX(area) + 10, table::StackCardY(row) + 5);
    }
    void Click(int x, int y) { testseams::Press(view, 1, {{BPoint(x, y), 1}}); }

    CView* view;
};

// Arrow keys to the place, then Space, Enter or Shift+Enter; every key through the window's
// queue and followed by the caller's check.
class KeyHands : public Hands {
  public:
    KeyHands(CView* v, std::function<void(int, bool)> k) : view(v), key(std::move(k)) {}
    void TurnDeck() override { FocusOn(table::kAreaDeck, -1), key(Qt::Key_Space, false); }
    void TurnOver(int s) override {
        FocusOn(s, view->Model().stackCount[s] - 1), key(Qt::Key_Space, false);
    }
    void Onward(int area, int row) override { FocusOn(area, row), key(Qt::Key_Return, true); }
    void Move(int area, int row, int stack) override {
        FocusOn(area, row);
        key(Qt::Key_Space, false);
        FocusOn(stack, view->Model().stackCount[stack] - 1);
        key(Qt::Key_Return, false);
    }

  private:
    static int TopIndex(int area) {
        return area == table::kAreaDeck ? 0 : area - table::kAreaPile + 1;
    }
    void FocusOn(int area, int row) {
        if (!view->Keyboard().focusShown)
            key(Qt::Key_Up, false);
        const bool toStack = area >= 0 && area < table::kStacks;
        for (int keys = 0; keys < 60; ++keys) {
            const int a = view->Keyboard().focusArea;
            const bool onStack = a >= 0 && a < table::kStacks;
            if (!toStack && !onStack && a == area)
                return;
            if (toStack && a == area && view->Keyboard().focusRow == row)
                return;
            if (!toStack)
                key(onStack                        ? Qt::Key_Up
                    : TopIndex(a) < TopIndex(area) ? Qt::Key_Right
                                                   : Qt::Key_Left,
                    false);
            else if (!onStack)
                key(Qt::Key_Down, false);
            else if (a != area)
                key(a < area ? Qt::Key_Right : Qt::Key_Left, false);
            else
                key(view->Keyboard().focusRow > row ? Qt::Key_Up : Qt::Key_Down, false);
        }
        ADD_FAILURE() << "the focus never reached " << area << ", " << row;
    }

    CView* view;
    std::function<void(int, bool)> key;
};

// A player with a plan, through the same input paths: cards to the packs first, then face-down
// cards turned, runs moved to uncover cards, the pile played, and the deck turned only when
// nothing else helps. Random presses are mixed in. A third of the games at least must reach
// autocomplete and the end-of-game alert, so those paths are soaked as well; the table is
// checked after every press and at every step of every flight.
class Planner {
  public:
    Planner(BWindow* w, CView* v, Hands& h) : window(w), view(v), hands(h) {}

    // Makes one purposeful move; false when nothing helps any more.
    bool Move() {
        seen.insert(Key());
        if (auto move = Greedy(view->Model())) {
            move();
            idleTurns = 0;
            return true;
        }
        const Table& t = view->Model();
        if (idleTurns <= 2 * (t.deck.GetNumCards() + t.pile.GetNumCards()) + 2) {
            ++idleTurns;  // the deck, until it has gone round twice with nothing else to do
            hands.TurnDeck();
            return true;
        }
        if (Search()) {
            idleTurns = 0;
            return true;
        }
        return false;
    }

  private:
    using Action = std::function<void()>;

    // The first of: a card to its pack (secondary button), a face-down card turned, a run moved
    // off face-down cards, the pile's card to a stack. None when greedy play has nothing.
    Action Greedy(const Table& t) {
        for (int s = 0; s < table::kStacks; ++s) {
            const int n = t.stackCount[s];
            if (n > 0 && t.faceDown[s][n - 1] == 0 && PackFor(t, t.stacks[s][n - 1]) >= 0)
                return [=, this] { hands.Onward(s, n - 1); };
        }
        if (t.pile.GetNumCards() > 0 && PackFor(t, t.pile.GetCard(0)) >= 0)
            return [=, this] { hands.Onward(table::kAreaPile, -1); };
        for (int s = 0; s < table::kStacks; ++s) {
            const int n = t.stackCount[s];
            if (n > 0 && t.faceDown[s][n - 1] == 1)
                return [=, this] { hands.TurnOver(s); };
        }
        for (int s = 0; s < table::kStacks; ++s) {
            const int f = FirstFaceUp(t, s);
            if (f == 0 || f >= t.stackCount[s])
                continue;
            const int to = StackFor(t, t.stacks[s][f], s);
            if (to >= 0)
                return [=, this] { hands.Move(s, f, to); };
        }
        if (t.pile.GetNumCards() > 0) {
            const int to = StackFor(t, t.pile.GetCard(0), -1);
            if (to >= 0)
                return [=, this] { hands.Move(table::kAreaPile, -1, to); };
        }
        return nullptr;
    }

    // Where greedy play stalls: tries each other legal move (part of a run to another stack, a
    // pack's card back to a stack) and keeps the first after which greedy play or the deck has
    // something to do; every other is taken back with Undo.
    bool Search() {
        const Table start = view->Model();
        std::vector<Action> tries;
        for (int s = 0; s < table::kStacks; ++s)
            for (int r = FirstFaceUp(start, s); r < start.stackCount[s]; ++r)
                for (int to = 0; to < table::kStacks; ++to)
                    if (to != s && CanDropOnStack(start, to, start.stacks[s][r]) &&
                        !(r == 0 && start.stackCount[to] == 0))
                        tries.push_back([=, this] { hands.Move(s, r, to); });
        for (int p = 0; p < table::kPacks; ++p)
            if (start.packCount[p] > 0)
                for (int to = 0; to < table::kStacks; ++to)
                    if (CanDropOnStack(start, to, start.packs[p][start.packCount[p] - 1]))
                        tries.push_back([=, this] { hands.Move(table::kAreaPack0 + p, -1, to); });
        for (const Action& attempt : tries) {
            const std::string before = Key();
            attempt();
            BLooper::DispatchAllPending();
            if (Key() == before)
                continue;  // refused: nothing to take back
            if (!seen.count(Key()) && (Greedy(view->Model()) || DeckCanPlay(view->Model())))
                return true;
            window->PostMessage(MSG_UNDO);
            BLooper::DispatchAllPending();
        }
        return false;
    }

    static bool DeckCanPlay(const Table& t) {
        auto playable = [&t](CCard c) { return PackFor(t, c) >= 0 || StackFor(t, c, -1) >= 0; };
        for (int i = 0; i < t.deck.GetNumCards(); ++i)
            if (playable(t.deck.GetCard(i)))
                return true;
        for (int i = 0; i < t.pile.GetNumCards(); ++i)
            if (playable(t.pile.GetCard(i)))
                return true;
        return false;
    }
    static int FirstFaceUp(const Table& t, int s) {
        int f = 0;
        while (f < t.stackCount[s] && t.faceDown[s][f] == 1)
            ++f;
        return f;
    }
    std::string Key() const {
        const Table& t = view->Model();
        std::string key;
        auto add = [&key](CCard c) { key += char(c.GetSuit() * 16 + c.GetNumber()); };
        for (int i = 0; i < t.deck.GetNumCards(); ++i)
            add(t.deck.GetCard(i));
        key += '|';
        for (int i = 0; i < t.pile.GetNumCards(); ++i)
            add(t.pile.GetCard(i));
        for (int s = 0; s < table::kStacks; ++s) {
            key += '|';
            for (int r = 0; r < t.stackCount[s]; ++r)
                add(t.stacks[s][r]), key += char('0' + t.faceDown[s][r]);
        }
        for (int p = 0; p < table::kPacks; ++p)
            key += char('a' + t.packCount[p]);
        return key;
    }
    BWindow* window;
    CView* view;
    Hands& hands;
    int idleTurns = 0;
    std::set<std::string> seen;
};

TEST_F(Soak, PurposefulPlayReachesTheEndAndKeepsEveryRule) {
    const char* asked = std::getenv("TARNWICK_SOAK_GAMES");
    const int games = asked ? std::max(3, std::atoi(asked)) : 9;
    std::mt19937 rng(7);
    int ended = 0;
    std::string flightFault;
    testseams::ObserveSync([&](BView*) {
        const std::string fault = TableFault(view->Model());
        if (!fault.empty() && flightFault.empty())
            flightFault = fault + "\n" + Layout();
    });
    for (int game = 0; game < games; ++game) {
        testseams::FixClock(1800000000 + game);
        window->PostMessage(MSG_DEAL);
        BLooper::DispatchAllPending();
        view->SetFlags(0, 1, 1, 0);    // one card at a time, autocomplete on
        testseams::ScriptAlerts({0});  // "Sure thing": the window deals again
        MouseHands mouse(view);
        Planner planner(window, view, mouse);
        bool over = false;
        for (int press = 0; press < 2000 && !over; ++press) {
            std::string what = "a planned move";
            if (rng() % 10 == 0) {
                what = "a stray drag";
                const BPoint from = SomeCard(rng), to = SomePlace(rng);
                Drag({from, to});
            } else if (!planner.Move()) {
                break;  // stuck: the next deal
            }
            BLooper::DispatchAllPending();
            over = !testseams::Alerts().empty();
            if (!over)
                ExpectLegalTable(what + " in game " + std::to_string(game));
            ASSERT_EQ(flightFault, "") << "in flight, game " << game;
            if (HasFatalFailure())
                return;
        }
        if (over) {
            ++ended;
            EXPECT_EQ(testseams::Alerts()[0].text,
                      "Well done, you have completed Tarnwick. Deal again?");
        }
    }
    testseams::ObserveSync(nullptr);
    RecordProperty("ended", ended);
    std::printf("planned play: %d of %d games reached autocomplete and the end\n", ended, games);
    EXPECT_GE(ended * 3, games) << ended << " of " << games << " games reached the end";
}

}  // namespace

namespace {

// The same planned games by keys alone, with stray keys mixed in; the table is checked after
// every key.
TEST_F(Soak, PlayByKeysAloneReachesTheEnd) {
    const char* asked = std::getenv("TARNWICK_SOAK_GAMES");
    const int games = asked ? std::max(3, std::atoi(asked)) : 6;
    std::mt19937 rng(13);
    int ended = 0;
    int keys = 0;
    bool over = false;
    std::string what;
    auto key = [&](int qtKey, bool shift) {
        Key(qtKey, shift);
        ++keys;
        over = over || !testseams::Alerts().empty();
        if (!over) {
            ASSERT_EQ(TableFault(view->Model()), "") << what << "\n" << Layout();
            ASSERT_EQ(view->Model().handCount, 0) << what;
        }
    };
    constexpr int kStray[] = {Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Up,    Qt::Key_Down,
                              Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape};
    for (int game = 0; game < games; ++game) {
        testseams::FixClock(1800000000 + game);
        window->PostMessage(MSG_DEAL);
        BLooper::DispatchAllPending();
        view->SetFlags(0, 1, 1, 0);
        testseams::ScriptAlerts({0});
        KeyHands hands(view, key);
        Planner planner(window, view, hands);
        over = false;
        for (int move = 0; move < 2000 && !over; ++move) {
            what = "game " + std::to_string(game) + ", move " + std::to_string(move);
            if (rng() % 10 == 0) {
                for (int i = 0; i < 3; ++i)
                    key(kStray[rng() % 7], rng() % 4 == 0);
                key(Qt::Key_Escape, false);
            } else if (!planner.Move()) {
                break;
            }
            if (HasFatalFailure())
                return;
        }
        ended += over ? 1 : 0;
    }
    std::printf("play by keys: %d of %d games reached the end in %d keys\n", ended, games, keys);
    EXPECT_GE(ended * 3, games) << ended << " of " << games << " games reached the end";
}

}  // namespace
