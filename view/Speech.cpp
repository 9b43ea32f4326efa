// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CardName.h"
#include "view/CView.h"

using namespace table;

void CView::Report(const std::string& text) {
    report += (report.empty() ? "" : ". ") + text;
}

void CView::SpeakReport() {
    if (!report.empty())
        Announce(report);
    report.clear();
}

std::string CView::PlaceName(int32_t area) {
    const Place place = Place::FromArea(area);
    if (place.IsDeck())
        return "Deck";
    if (place.IsPile())
        return "Pile";
    if (place.IsPack())
        return "Pack " + std::to_string(place.index + 1);
    if (place.IsStack())
        return "Stack " + std::to_string(place.index + 1);
    return "";
}

std::string CView::DescribePlace(int32_t area, int32_t row) const {
    const Place place = Place::FromArea(area);
    const std::string name = PlaceName(area) + ": ";
    if (place.IsDeck()) {
        const int n = model.deck.GetNumCards();
        return n == 0 ? "Deck: empty" : "Deck: " + CountOf(n, "card");
    }
    if (place.IsPile() || place.IsPack()) {
        const CCard top = TopCard(model, place);
        return name + (top == CCard() ? "empty" : CardName(top));
    }
    if (!place.IsStack())
        return "";
    const int s = place.index;
    const int n = model.stackCount[s];
    if (n == 0)
        return name + "empty";
    if (model.faceDown[s][n - 1] == 1)
        return name + CountOf(n, "card") + " face down";
    if (row < 0 || row >= n || model.faceDown[s][row] == 1)
        row = n - 1;
    int down = 0;
    while (model.faceDown[s][down] == 1)
        ++down;
    std::string text = name + CardName(model.stacks[s][row]);
    if (row < n - 1)
        text += " with " + CountOf(n - 1 - row, "card") + " on it";
    if (down > 0)
        text += ", " + CountOf(down, "card") + " face down";
    return text;
}
