// SPDX-License-Identifier: GPL-3.0-or-later
// The table view: shows one game and plays it. Each press, key and automatic move asks the game
// (game/Moves.h) to make the move, then draws it and flies its cards; the table, the undo history
// and the options are values of game/. Its members live in view/, one file for each concern.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/CCard.h"
#include "game/Moves.h"
#include "game/Options.h"
#include "game/PackOfCards.h"
#include "game/Place.h"
#include "game/UndoHistory.h"
#include "platform/Bitmap.h"
#include "platform/View.h"
#include "view/HintSearch.h"
#include "view/Limits.h"
#include "view/TableGeometry.h"
#include "view/TableListener.h"

class CView : public BView {
  public:
    // The longest card-set path and background name that are accepted.
    static constexpr size_t kCardSetPathMax = limits::kCardSetPathMax;
    static constexpr size_t kBackgroundNameMax = limits::kBackgroundNameMax;
    // The standard card set, relative to the application folder.
    static constexpr const char* kStandardCardSetName = "./cards.bmp";

    CView(BRect frame, const char* name);
    ~CView() override;

    // Who hears of undo becoming possible and of a won game; none by default.
    void SetListener(TableListener* listener) { this->listener = listener; }

    // Hooks.
    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    // Every image of the table is made anew at the new density and drawn.
    void ScaleChanged(int32 scale) override;
    // Device pixels a unit of the table's images.
    int32_t DeviceScale() const { return deviceScale; }

    // The table and its history, for reading; and a table laid out elsewhere (a test's or a
    // benchmark's) put in place of the game's, drawn by the caller.
    const Table& Model() const { return model; }
    const UndoHistory& History() const { return history; }
    void LayOut(const Table& t) { model = t; }

    // Options and dealing (view/Dealing.cpp). SetFlags and GetFlags carry the four flags in
    // their fixed order; the options value carries them with the card back.
    Options GetOptions() const { return options; }
    void SetOptions(const Options& o);
    void SetFlags(int32_t freeze, int32_t autoComplete, int32_t one, int32_t redeals);
    void GetFlags(int32_t& freeze, int32_t& autoComplete, int32_t& one, int32_t& redeals) const;
    void Deal();
    void NewDeal();

    // Hit testing (view/HitTest.cpp).
    void WhichClicked(int32_t x, int32_t y, int32_t& area, int32_t& row) const;

    // Play by mouse (view/Mouse.cpp) and by the secondary button (view/PlayToPacks.cpp).
    int32_t DoFirstMouse(int32_t x, int32_t y);
    void MovedCursor(BPoint point);
    void Drop(int32_t x, int32_t y);
    void DoRight(int32_t x, int32_t y);
    // What a primary press on a place does before anything is dragged: turns the deck or a
    // face-down top card over, or finds that the cards there may be lifted, or nothing.
    enum class PressResult { kNothing, kTurned, kMayLift };
    PressResult PressOn(int32_t area, int32_t row);
    // Whether cards headed by this one, count of them, may be put down at a place.
    bool DropFits(int32_t area, CCard head, int32_t count) const;
    // The secondary button on a place's card; returns where the card went, or -1.
    int32_t DoRightAt(int32_t area, int32_t row);

    // Play by keyboard (view/Keyboard.cpp). Puts the focus frame and any lifted cards back on
    // screen over a table just redrawn.
    void RefreshKeyboard();
    // A place of the table in words, for a screen reader (view/Speech.cpp): its name ("Stack
    // 4"), and its name with what it shows.
    static std::string PlaceName(int32_t area);
    std::string DescribePlace(int32_t area, int32_t row) const;
    // What came of the press, key or command under way, for a screen reader: the words wait
    // until it ends (SpeakReport), so they come after its place, and are spoken once, those of
    // one action together.
    void Report(const std::string& text);
    void SpeakReport();
    // A press, key or command has ended: its result is spoken, and the hint's search starts on
    // the table it left.
    void FinishAction();

    // Automatic moves (view/Flight.cpp, view/EndOfGame.cpp).
    // Takes the cards at a place into the hand: a stack's cards from the row up, the pile's or a
    // pack's top card. Composes their picture, redraws the place off screen without them and
    // leaves handX, handY where the picture lies now, over the place they were taken from.
    void LiftHand(int32_t area, int32_t row);
    void ComposeHandImage();
    void ShowHand(int32_t x, int32_t y);
    void ReturnCardsToStack(int32_t destination);
    // Whether the game may finish by itself now: autocomplete is on and nothing is left hidden.
    bool CompletionTestHolds() const;
    void AutoComplete();
    // After a move: a won game ends; one that can finish by itself is finished, then ends.
    void FinishIfDone();
    void EndOfGame();

    // Undo history (view/Undo.cpp).
    void UpdateUndo();
    void DoUndo();

    // Drawing (view/TableDrawing.cpp). A place's update redraws the off-screen table and, unless
    // told otherwise, puts the result on the screen.
    static constexpr int32_t kToScreen = 0;
    static constexpr int32_t kOffscreenOnly = 1;
    void UpdateStack(int32_t stack, int32_t offscreenOnly);
    void UpdatePacks(int32_t offscreenOnly);
    void UpdatePile(int32_t pack, int32_t offscreenOnly);
    void UpdateBackground();
    void UpdateAll(int32_t offscreenOnly);
    void RedrawBits(int32_t newX, int32_t newY, int32_t oldX, int32_t oldY);

    // The card set (view/CardSet.cpp). The standard set lies in the application folder.
    void SetApplicationFolder(const std::string& folder) { applicationFolder = folder; }
    static constexpr int32_t kRedraw = 0;
    static constexpr int32_t kNoRedraw = 1;
    void SetBitmap(const char* path, int32_t noRedraw);
    BRect GetCardBitmap(int32_t suit, int32_t number) const;
    BRect GetCardBitmap(CCard card) const;
    BRect GetCardBack(int32_t back) const;
    // The back by its index, 0 to 3; GetBack answers 1 to 4.
    void SetBack(int32_t index);
    int32_t GetBack() const { return options.back + 1; }
    const char* GetBit() const { return cardSetPath.c_str(); }
    BBitmap* GetBitmap() const { return cardImage.get(); }

    // Backgrounds (view/Background.cpp).
    void SetBackground(const char* name);
    const char* GetBackground() const { return backgroundName.c_str(); }
    void UpdateBitmap();
    BBitmap* BuildBackground(const char* name);
    void ShadeBitmap(const BBitmap* source, float factor);

    // Images, for drawing and for reading back.
    BBitmap* OffscreenImage() const { return offscreenImage.get(); }
    BBitmap* DragImage() const { return dragImage.get(); }
    BBitmap* BackgroundImage() const { return backgroundImage.get(); }
    BBitmap* ShadedImage() const { return shadedImage.get(); }

    // What the press in progress does: nothing yet, a drag, or a secondary click.
    enum : int32_t { kMouseIdle = -1, kMouseDragging = 1, kMouseSecondary = -2 };
    int32_t MouseState() const { return mouseState; }
    // Where the hand's picture lies now.
    int32_t HandX() const { return handX; }
    int32_t HandY() const { return handY; }
    // The keyboard's place (area and row as WhichClicked gives them; row -1 off the stacks and
    // on an empty stack), whether its frame shows, and where the cards it lifted come from.
    struct KeyboardMarks {
        int32_t focusArea;
        int32_t focusRow;
        bool focusShown;
        int32_t liftArea;
        int32_t liftRow;
    };
    KeyboardMarks Keyboard() const {
        return {focus.ToArea(), focusRow, focusShown, lifted.ToArea(), liftRow};
    }

  private:
    // The cards on the table, the hand's among them; the tables before the last moves; the
    // player's options.
    Table model;
    UndoHistory history;
    Options options;

    int32_t mouseState = kMouseIdle;
    int32_t handX = 0;
    int32_t handY = 0;
    int32_t grabX = 0;
    int32_t grabY = 0;

    // Cards lifted by the keyboard stay in the model, raised on screen only, until they are put
    // down.
    Place focus = Place::Deck();
    int32_t focusRow = -1;
    bool focusShown = false;
    Place lifted;
    int32_t liftRow = -1;

    // The press itself, from the first sample to the release.
    void PlayPress(BPoint where);
    // In the tests (view/TestChecks.cpp), after every press, key, undo and flight step:
    // a table that kept every rule still does, with as many cards, and at rest with the hand
    // empty. BeginTestCheck notes, as a press, key or undo begins, whether the table keeps the
    // rules (one laid out by hand may not) and how many cards it holds; EndTestCheck checks the
    // table at rest as it ends.
    void BeginTestCheck();
    void EndTestCheck();
    void TestCheckTable(bool atRest) const;
    struct {
        bool sound = false;
        int cards = 0;
    } testCheckBase;
    // The keyboard's steps (view/Keyboard.cpp).
    void PlayKey(char key, bool shift);
    void MoveFocus(char key);
    void KeepFocusOnTable();
    void ActOnFocus();
    void PutDownAtFocus();
    void SendOnward();
    // H: the first move of a winning line, shown as the keyboard shows a move (view/Hint.cpp).
    void ShowHint();
    void SayHowFarBack(const std::vector<SolveResult::Outcome>& known);
    void EraseKeyboardMarks();
    // The card a press at a place would take first (the no-card value where there is none).
    CCard CardAt(Place place, int32_t row) const;
    // The lifted cards in words: "eight of spades with two cards on it".
    std::string LiftedWords() const;
    void ShowLifted(bool keepHandOut);
    // Takes the cards of a place into a table's hand and draws the place off screen without
    // them, the hand's picture composed and placed over where they were.
    void LiftInto(Table& t, Place from, int32_t row);
    void ComposeHandImage(const Table& t);
    void DrawHandAt(int32_t count, int32_t x, int32_t y);
    // The off-screen table's drawing of a stack, the deck and pile, a pack, from a table.
    void PaintStack(const Table& t, int32_t stack);
    void PaintDeckAndPile(const Table& t);
    void PaintPack(const Table& t, int32_t pack);
    void RedrawPlace(Place place);
    // The thirteen places as a screen reader's objects, the frame's among them.
    void TellPlaces();
    BRect FocusRect() const;
    BRect LiftRect() const;
    // Takes the cards at a place into the hand under the pointer at (x, y) and starts the drag.
    void PickUp(int32_t area, int32_t row, int32_t x, int32_t y);
    // Draws a card's face, or a back, 1:1 with its transparent corners.
    void DrawCard(BView* view, BRect source, int32_t x, int32_t y);
    void DrawFace(BView* view, CCard card, int32_t x, int32_t y);
    void DrawBack(BView* view, int32_t x, int32_t y);
    void DrawEmptyPlace(BView* view, BRect place);
    // Whether a pixel (bytes blue, green, red, alpha) has the key colour, red 49, green 99, blue
    // 148: the corners outside a card's rounded outline, which show what lies beneath.
    static bool IsKeyColour(const uint8* pixel) {
        return pixel[0] == kKeyColour.blue && pixel[1] == kKeyColour.green &&
               pixel[2] == kKeyColour.red;
    }
    static constexpr rgb_color kKeyColour{49, 99, 148, 0};
    // Copies a rectangle of the off-screen table to the screen.
    void CopyToScreen(BRect r);
    BBitmap* LoadCardSet(const std::string& path) const;
    std::string StandardCardSetPath() const;

    int32_t deviceScale = 1;
    std::unique_ptr<BBitmap> offscreenImage;
    BView* offscreenView = nullptr;
    std::unique_ptr<BBitmap> dragImage;
    BView* dragView = nullptr;
    std::unique_ptr<BBitmap> cardImage;
    std::string cardSetPath;
    std::string applicationFolder = ".";
    std::unique_ptr<BBitmap> backgroundImage;
    std::unique_ptr<BBitmap> shadedImage;
    std::string backgroundName;
    TableListener* listener = nullptr;
    std::string report;
    HintSearch hintSearch;
    // The table when the keyboard lifted its cards, and what the keyboard has drawn on screen.
    Table liftedFrom;
    BRect frameDrawn;
    BRect liftDrawn;
};
