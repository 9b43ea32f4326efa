// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of our standard card set: faces for the 52 cards and four backs, each in a 71 x 96 cell
// whose corners outside the rounded card are left in the key colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>

namespace cardart {

constexpr int kCellWidth = 71;
constexpr int kCellHeight = 96;
constexpr QRgb kKey = 0xff316394;  // red 49, green 99, blue 148

// The sets we draw: the standard one, with red hearts and diamonds and black clubs and spades;
// one with four suit colours (spades black, hearts red, diamonds blue, clubs green), chosen to
// stay apart for the common red-green colour-vision deficiencies; and the four colours with
// large corner indices, each rank and suit readable in the strip a covered card shows on a stack
// and on the pile.
enum class Style { kStandard, kFourColour, kLargeIndex };

// The colour of a suit's pips and indices, suit 1 to 4 (hearts, diamonds, clubs, spades).
QColor SuitColour(int suit, Style style = Style::kStandard);
// A suit's shape in a unit box centred on the origin, point up.
QPainterPath SuitShape(int suit);
// The outline and the paper of every card.
QColor OutlineColour();
QColor PaperColour();

// Each drawn at scale times the size of a cell, from the same shapes, so every scale is sharp.
// Suit 1 to 4 (hearts, diamonds, clubs, spades), number 1 to 13.
QImage Face(int suit, int number, Style style = Style::kStandard, int scale = 1);
// Back 1 to 4.
QImage Back(int back, int scale = 1);
// The whole set: 14 x 4 cells, faces in columns 1 to 13, backs in column 14.
QImage Sheet(Style style = Style::kStandard, int scale = 1);

}  // namespace cardart
