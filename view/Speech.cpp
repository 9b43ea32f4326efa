#include "game/CardName.h"
#include "view/CView.h"

using namespace table;

std::string CView::PlaceName(int32_t area) {
    if (area == kAreaDeck)
        return "Deck";
    if (area == kAreaPile)
        return "Pile";
    if (area >= kAreaPack0 && area < kAreaPack0 + kPacks)
        return "Pack " + std::to_string(area - kAreaPack0 + 1);
    if (area >= 0 && area < kStacks)
        return "Stack " + std::to_string(area + 1);
    return "";
}

std::string CView::DescribePlace(int32_t area, int32_t row) const {
    if (area == kAreaDeck) {
        const int n = model.deck.GetNumCards();
        return n == 0 ? "Deck: empty" : "Deck: " + CountOf(n, "card");
    }
    if (area == kAreaPile) {
        if (model.pile.GetNumCards() == 0)
            return "Pile: empty";
        return "Pile: " + CardName(model.pile.GetCard(0));
    }
    if (area >= kAreaPack0 && area < kAreaPack0 + kPacks) {
        const int p = area - kAreaPack0;
        const std::string name = PlaceName(area) + ": ";
        if (model.packCount[p] == 0)
            return name + "empty";
        return name + CardName(model.packs[p][model.packCount[p] - 1]);
    }
    if (area < 0 || area >= kStacks)
        return "";
    const int n = model.stackCount[area];
    const std::string name = PlaceName(area) + ": ";
    if (n == 0)
        return name + "empty";
    if (model.faceDown[area][n - 1] == 1)
        return name + CountOf(n, "card") + " face down";
    if (row < 0 || row >= n || model.faceDown[area][row] == 1)
        row = n - 1;
    int down = 0;
    while (model.faceDown[area][down] == 1)
        ++down;
    std::string text = name + CardName(model.stacks[area][row]);
    if (row < n - 1)
        text += " with " + CountOf(n - 1 - row, "card") + " on it";
    if (down > 0)
        text += ", " + CountOf(down, "card") + " face down";
    return text;
}
