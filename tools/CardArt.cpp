// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardArt.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace cardart {

namespace {

const QColor kRed(196, 24, 36);
const QColor kBlack(24, 24, 28);
const QColor kOutline(70, 70, 78);
const QColor kGold(222, 172, 48);
const QColor kSkin(246, 214, 182);
const QColor kPaper(255, 255, 255);
// Four suit colours: each at least 7:1 against the paper, and at least 28 apart (CIE76) from
// every other also as protanopes and deuteranopes see them.
const QColor kFourHearts(160, 40, 0);
const QColor kFourDiamonds(45, 10, 240);
const QColor kFourClubs(20, 100, 75);

bool IsRed(int suit) {
    return suit == 1 || suit == 2;
}

// Suit shapes in a unit box centred on the origin, point up.
QPainterPath HeartShape() {
    QPainterPath p;
    p.moveTo(0, 0.46);
    p.cubicTo(-0.12, 0.30, -0.50, 0.08, -0.50, -0.17);
    p.cubicTo(-0.50, -0.42, -0.20, -0.52, 0, -0.28);
    p.cubicTo(0.20, -0.52, 0.50, -0.42, 0.50, -0.17);
    p.cubicTo(0.50, 0.08, 0.12, 0.30, 0, 0.46);
    return p;
}

QPainterPath DiamondShape() {
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.quadTo(0.16, -0.18, 0.38, 0);
    p.quadTo(0.16, 0.18, 0, 0.5);
    p.quadTo(-0.16, 0.18, -0.38, 0);
    p.quadTo(-0.16, -0.18, 0, -0.5);
    return p;
}

QPainterPath Stem() {
    QPainterPath p;
    p.moveTo(0, 0.05);
    p.quadTo(0.04, 0.38, 0.20, 0.50);
    p.lineTo(-0.20, 0.50);
    p.quadTo(-0.04, 0.38, 0, 0.05);
    return p;
}

QPainterPath SpadeShape() {
    QPainterPath p;
    p.moveTo(0, -0.50);
    p.cubicTo(-0.12, -0.32, -0.50, -0.12, -0.50, 0.10);
    p.cubicTo(-0.50, 0.33, -0.20, 0.40, 0, 0.20);
    p.cubicTo(0.20, 0.40, 0.50, 0.33, 0.50, 0.10);
    p.cubicTo(0.50, -0.12, 0.12, -0.32, 0, -0.50);
    return p.united(Stem());
}

QPainterPath ClubShape() {
    QPainterPath p;
    const double r = 0.22;
    p.addEllipse(QPointF(0, -0.26), r, r);
    p.addEllipse(QPointF(-0.25, 0.06), r, r);
    p.addEllipse(QPointF(0.25, 0.06), r, r);
    p.addEllipse(QPointF(0, 0.0), 0.12, 0.12);
    p.setFillRule(Qt::WindingFill);
    return p.simplified().united(Stem());
}

}  // namespace

QColor SuitColour(int suit, Style style) {
    if (style == Style::kStandard)
        return IsRed(suit) ? kRed : kBlack;
    switch (suit) {
        case 1:
            return kFourHearts;
        case 2:
            return kFourDiamonds;
        case 3:
            return kFourClubs;
        default:
            return kBlack;
    }
}
QColor OutlineColour() {
    return kOutline;
}
QColor PaperColour() {
    return kPaper;
}

QPainterPath SuitShape(int suit) {
    switch (suit) {
        case 1:
            return HeartShape();
        case 2:
            return DiamondShape();
        case 3:
            return ClubShape();
        default:
            return SpadeShape();
    }
}

namespace {

// A pip of the given height centred on (x, y); upside down in the lower half of a card.
void Pip(QPainter& p, int suit, Style style, double x, double y, double size, bool flipped) {
    p.save();
    p.translate(x, y);
    if (flipped)
        p.rotate(180);
    p.scale(size, size);
    p.setPen(Qt::NoPen);
    p.setBrush(SuitColour(suit, style));
    p.drawPath(SuitShape(suit));
    p.restore();
}

// A blank card: white with a thin dark rounded outline; the corners stay key-coloured. Drawn
// without antialiasing so that no pixel is a blend of the key colour and the card. At a larger
// scale the outline is as many pixels thick, drawn as an outer and an inner rounded area.
QImage BlankCard(int scale) {
    QImage card(kCellWidth * scale, kCellHeight * scale, QImage::Format_ARGB32);
    card.fill(kKey);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (scale == 1) {
        p.setPen(kOutline);
        p.setBrush(kPaper);
        p.drawRoundedRect(QRect(0, 0, kCellWidth - 1, kCellHeight - 1), 6, 6);
        return card;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRoundedRect(QRect(0, 0, card.width(), card.height()), 6.5 * scale, 6.5 * scale);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRect(scale, scale, card.width() - 2 * scale, card.height() - 2 * scale),
                      5.5 * scale, 5.5 * scale);
    return card;
}

const char* RankText(int number) {
    static const std::array<const char*, 14> ranks = {"",  "A", "2", "3",  "4", "5", "6",
                                                      "7", "8", "9", "10", "J", "Q", "K"};
    return ranks[size_t(number)];
}

// The rank's face: bold, with the two digits of "10" drawn closer together.
QFont RankFont(int number, int pixels, double tenSpacing) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(pixels);
    if (number == 10)
        font.setLetterSpacing(QFont::AbsoluteSpacing, tenSpacing);
    return font;
}

// Draws an index in the top-left corner and the same turned round at bottom-right.
template <typename Draw>
void InBothCorners(QPainter& p, Draw draw) {
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(kCellWidth - 1, kCellHeight - 1);
            p.rotate(180);
        }
        draw();
        p.restore();
    }
}

// The rank with a small pip below it.
void Index(QPainter& p, int suit, int number, Style style) {
    const QFont font = RankFont(number, 13, -1.6);
    InBothCorners(p, [&] {
        p.setFont(font);
        p.setPen(SuitColour(suit, style));
        p.drawText(QRectF(1, 3, 14, 14), Qt::AlignHCenter | Qt::AlignTop, RankText(number));
        Pip(p, suit, style, 8, 24, 9, false);
    });
}

// Large indices are made for the two strips a covered card shows: the top 15 rows on a stack and
// the left 15 columns on the pile's fan. The rank fills the square where they meet, narrowed
// where it is wide ("10") and lowered where it reaches below the line (J, Q); a pip beside it
// shows on a stack, and one below it on the pile.
void LargeIndex(QPainter& p, int suit, int number, Style style) {
    const QFont font = RankFont(number, 17, -2.2);
    const QString rank = RankText(number);
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(rank);
    const QRectF square(2, 1.5, 12, 12.5);  // columns 2 to 13, rows 2 to 13
    const double narrow = std::min(1.0, square.width() / ink.width());
    const double low = std::min(1.0, square.height() / ink.height());
    InBothCorners(p, [&] {
        p.setPen(SuitColour(suit, style));
        p.setFont(font);
        p.save();
        p.translate(square.center().x() - ink.width() * narrow / 2, square.bottom());
        p.scale(narrow, low);
        p.drawText(QPointF(-ink.left(), -ink.bottom()), rank);
        p.restore();
        Pip(p, suit, style, 23, 7.75, 12.5, false);
        Pip(p, suit, style, 8, 21.5, 9, false);
    });
}

// Pip positions for ace to ten, in card pixels. Pips below the middle are drawn upside down.
struct Spot {
    double x;
    double y;
};
constexpr double kL = 23, kC = 35.5, kR = 48;
constexpr double kTop = 19, kBottom = 77, kMid = 48;
constexpr double kUpper = 38.3, kLower = 57.7;  // rows of four

std::vector<Spot> Layout(int number) {
    switch (number) {
        case 2:
            return {{kC, kTop}, {kC, kBottom}};
        case 3:
            return {{kC, kTop}, {kC, kMid}, {kC, kBottom}};
        case 4:
            return {{kL, kTop}, {kR, kTop}, {kL, kBottom}, {kR, kBottom}};
        case 5:
            return {{kL, kTop}, {kR, kTop}, {kC, kMid}, {kL, kBottom}, {kR, kBottom}};
        case 6:
            return {{kL, kTop}, {kR, kTop}, {kL, kMid}, {kR, kMid}, {kL, kBottom}, {kR, kBottom}};
        case 7:
            return {{kL, kTop}, {kR, kTop},    {kC, 33.5},   {kL, kMid},
                    {kR, kMid}, {kL, kBottom}, {kR, kBottom}};
        case 8:
            return {{kL, kTop}, {kR, kTop}, {kC, 33.5},    {kL, kMid},
                    {kR, kMid}, {kC, 62.5}, {kL, kBottom}, {kR, kBottom}};
        case 9:
            return {{kL, kTop},   {kR, kTop},   {kL, kUpper},  {kR, kUpper}, {kC, kMid},
                    {kL, kLower}, {kR, kLower}, {kL, kBottom}, {kR, kBottom}};
        case 10:
            return {{kL, kTop},   {kR, kTop},   {kC, 28.7}, {kL, kUpper},  {kR, kUpper},
                    {kL, kLower}, {kR, kLower}, {kC, 67.3}, {kL, kBottom}, {kR, kBottom}};
        default:
            return {};
    }
}

void Pips(QPainter& p, int suit, int number, Style style) {
    if (number == 1) {
        // The ace: one large pip, with a fine ring round it.
        p.setPen(QPen(SuitColour(suit, style), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(kC, kMid), 19, 19);
        Pip(p, suit, style, kC, kMid, suit == 2 ? 30 : 26, false);
        return;
    }
    for (const Spot& s : Layout(number))
        Pip(p, suit, style, s.x, s.y, 13, s.y > kMid + 0.5);
}

// The upper half of a court figure inside the frame: head, headgear and robe, each rank its own.
void CourtHalf(QPainter& p, int suit, int number, Style style) {
    const QColor robe = SuitColour(suit, style);
    const QColor trim = IsRed(suit) ? QColor(40, 70, 150) : QColor(196, 24, 36);
    p.setPen(QPen(kOutline, 0.8));

    // Robe over the shoulders, with a gold collar and a band of the second colour.
    QPainterPath shoulders;
    shoulders.moveTo(17, 47.5);
    shoulders.cubicTo(17, 41, 23, 38, 29, 37.5);
    shoulders.lineTo(42, 37.5);
    shoulders.cubicTo(48, 38, 54, 41, 54, 47.5);
    shoulders.closeSubpath();
    p.setBrush(robe);
    p.drawPath(shoulders);
    p.setBrush(trim);
    p.drawRect(QRectF(32, 38, 7, 9.5));
    p.setBrush(kGold);
    p.drawEllipse(QRectF(28, 35.5, 15, 5));

    // Head.
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(29.5, 22, 12, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(33.2, 28.2), 0.9, 0.9);
    p.drawEllipse(QPointF(37.8, 28.2), 0.9, 0.9);
    p.setPen(QPen(QColor(170, 60, 60), 0.8));
    p.drawLine(QPointF(34.2, 32.6), QPointF(36.8, 32.6));
    p.setPen(QPen(kOutline, 0.8));

    if (number == 13) {
        // King: a three-pointed crown with jewels, and a beard.
        QPainterPath crown;
        crown.moveTo(29, 23.5);
        crown.lineTo(28, 14);
        crown.lineTo(32, 18.5);
        crown.lineTo(35.5, 12.5);
        crown.lineTo(39, 18.5);
        crown.lineTo(43, 14);
        crown.lineTo(42, 23.5);
        crown.closeSubpath();
        p.setBrush(kGold);
        p.drawPath(crown);
        p.setBrush(trim);
        p.drawEllipse(QPointF(35.5, 21), 1.4, 1.4);
        QPainterPath beard;
        beard.moveTo(30, 31);
        beard.cubicTo(30, 38, 34, 39.5, 35.5, 39.5);
        beard.cubicTo(37, 39.5, 41, 38, 41, 31);
        beard.cubicTo(38.5, 34.5, 32.5, 34.5, 30, 31);
        p.setBrush(QColor(150, 120, 90));
        p.drawPath(beard);
    } else if (number == 12) {
        // Queen: long hair, a small tiara and a rose.
        p.setBrush(QColor(196, 150, 70));
        QPainterPath hair;
        hair.moveTo(29.5, 30);
        hair.cubicTo(27, 22, 31, 19.5, 35.5, 19.5);
        hair.cubicTo(40, 19.5, 44, 22, 41.5, 30);
        hair.lineTo(43, 38);
        hair.lineTo(40, 37);
        hair.cubicTo(41, 30, 40, 24, 35.5, 24);
        hair.cubicTo(31, 24, 30, 30, 31, 37);
        hair.lineTo(28, 38);
        hair.closeSubpath();
        p.drawPath(hair);
        QPainterPath tiara;
        tiara.moveTo(30.5, 21);
        tiara.lineTo(33, 16.5);
        tiara.lineTo(35.5, 19);
        tiara.lineTo(38, 16.5);
        tiara.lineTo(40.5, 21);
        tiara.closeSubpath();
        p.setBrush(kGold);
        p.drawPath(tiara);
        p.setPen(QPen(QColor(40, 120, 50), 1.0));
        p.drawLine(QPointF(21, 46), QPointF(23.5, 37));
        p.setPen(QPen(kOutline, 0.6));
        p.setBrush(IsRed(suit) ? QColor(230, 80, 110) : QColor(200, 40, 60));
        p.drawEllipse(QPointF(23.8, 35.5), 2.6, 2.6);
    } else {
        // Jack: a brimmed cap with a long feather.
        p.setBrush(trim);
        QPainterPath cap;
        cap.moveTo(28, 24.5);
        cap.cubicTo(28, 15, 43, 15, 43, 24.5);
        cap.closeSubpath();
        p.drawPath(cap);
        p.setBrush(kGold);
        p.drawRect(QRectF(27.5, 23.2, 16, 2.2));
        QPainterPath feather;
        feather.moveTo(41, 19);
        feather.cubicTo(46, 12, 51, 13, 53, 15);
        feather.cubicTo(49, 15, 46, 17, 42.5, 21);
        feather.closeSubpath();
        p.setBrush(QColor(250, 250, 245));
        p.drawPath(feather);
        p.setBrush(QColor(140, 100, 60));
        p.drawRect(QRectF(26.5, 27, 3, 7));
        p.drawRect(QRectF(41.5, 27, 3, 7));
    }
}

void Court(QPainter& p, int suit, int number, Style style) {
    const QRectF frame(14.5, 12.5, 42, 71);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 244, 222));
    p.drawRect(frame);
    for (int half = 0; half < 2; ++half) {
        p.save();
        // Court cards read the same either way up: the lower half is the upper turned round.
        if (half == 1) {
            p.translate(71, 96);
            p.rotate(180);
        }
        p.setClipRect(QRectF(14.5, 12.5, 42, 35.5));
        CourtHalf(p, suit, number, style);
        p.setClipping(false);
        Pip(p, suit, style, 19.5, 18, 8, false);
        p.restore();
    }
    p.setPen(QPen(SuitColour(suit, style), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    p.setPen(QPen(kGold, 1.0));
    p.drawRect(frame.adjusted(2, 2, -2, -2));
    p.setPen(QPen(SuitColour(suit, style), 0.8));
    p.drawLine(QPointF(16.5, 48), QPointF(54.5, 48));
}

}  // namespace

QImage Face(int suit, int number, Style style, int scale) {
    QImage card = BlankCard(scale);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(scale, scale);
    // Keep everything inside the outline's inner area so the rounded edge stays clean.
    p.setClipRect(QRect(2, 2, kCellWidth - 4, kCellHeight - 4));
    p.save();
    if (style == Style::kLargeIndex) {
        // The picture shrinks a little round the centre to make room for the indices.
        p.translate(kC, kMid);
        p.scale(0.86, 0.86);
        p.translate(-kC, -kMid);
    }
    if (number >= 11)
        Court(p, suit, number, style);
    else
        Pips(p, suit, number, style);
    p.restore();
    if (style == Style::kLargeIndex)
        LargeIndex(p, suit, number, style);
    else
        Index(p, suit, number, style);
    return card;
}

QImage Back(int back, int scale) {
    QImage card = BlankCard(scale);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    const QRectF field(4.5, 4.5, kCellWidth - 10, kCellHeight - 10);
    QPainterPath clip;
    clip.addRoundedRect(field, 3, 3);
    p.setClipPath(clip);

    switch (back) {
        case 1: {  // navy with a fine lattice of light diamonds
            p.fillRect(field, QColor(28, 56, 132));
            p.setPen(QPen(QColor(150, 180, 235), 0.9));
            for (int i = -100; i < 120; i += 8) {
                p.drawLine(QPointF(i, 0), QPointF(i + 96, 96));
                p.drawLine(QPointF(i + 96, 0), QPointF(i, 96));
            }
            p.setBrush(QColor(28, 56, 132));
            p.setPen(QPen(QColor(230, 236, 250), 1.2));
            p.drawEllipse(QPointF(35.5, 48), 12, 12);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(230, 236, 250));
            p.translate(35.5, 48);
            for (int k = 0; k < 8; ++k) {
                p.rotate(45);
                p.drawEllipse(QPointF(0, -6.5), 1.8, 4);
            }
            break;
        }
        case 2: {  // crimson with diagonal bands and a gold edge
            p.fillRect(field, QColor(160, 24, 36));
            p.setPen(QPen(QColor(214, 84, 84), 2.0));
            for (int i = -100; i < 120; i += 7)
                p.drawLine(QPointF(i, 0), QPointF(i + 96, 96));
            p.setPen(QPen(kGold, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(field.adjusted(3, 3, -3, -3), 2, 2);
            p.setBrush(QColor(160, 24, 36));
            QPainterPath diamond;
            diamond.moveTo(35.5, 30);
            diamond.lineTo(50, 48);
            diamond.lineTo(35.5, 66);
            diamond.lineTo(21, 48);
            diamond.closeSubpath();
            p.drawPath(diamond);
            p.setBrush(kGold);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(35.5, 48), 4, 4);
            break;
        }
        case 3: {  // forest green with nested gold frames
            p.fillRect(field, QColor(22, 104, 60));
            p.setBrush(Qt::NoBrush);
            for (int k = 0; k < 6; ++k) {
                p.setPen(QPen(k % 2 ? QColor(120, 190, 130) : kGold, 1.1));
                p.drawRoundedRect(field.adjusted(3 + 5 * k, 3 + 5 * k, -3 - 5 * k, -3 - 5 * k), 3,
                                  3);
            }
            p.setPen(Qt::NoPen);
            p.setBrush(kGold);
            p.drawEllipse(QPointF(35.5, 48), 3, 10);
            break;
        }
        default: {  // plum with a grid of gold dots and a gold star
            p.fillRect(field, QColor(84, 38, 104));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(214, 170, 80));
            for (int y = 8; y < 92; y += 7)
                for (int x = 8 + (y / 7 % 2) * 3; x < 68; x += 7)
                    p.drawEllipse(QPointF(x, y), 1.1, 1.1);
            QPainterPath star;
            for (int k = 0; k < 10; ++k) {
                const double angle = k * M_PI / 5 - M_PI / 2;
                const double radius = k % 2 ? 5.5 : 13;
                const QPointF at(35.5 + radius * std::cos(angle), 48 + radius * std::sin(angle));
                k == 0 ? star.moveTo(at) : star.lineTo(at);
            }
            star.closeSubpath();
            p.setBrush(QColor(84, 38, 104));
            p.setPen(QPen(kGold, 1.4));
            p.drawPath(star);
            break;
        }
    }
    return card;
}

QImage Sheet(Style style, int scale) {
    const int w = kCellWidth * scale;
    const int h = kCellHeight * scale;
    QImage sheet(14 * w, 4 * h, QImage::Format_ARGB32);
    sheet.fill(kKey);
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int suit = 1; suit <= 4; ++suit) {
        for (int number = 1; number <= 13; ++number)
            p.drawImage((number - 1) * w, (suit - 1) * h, Face(suit, number, style, scale));
        p.drawImage(13 * w, (suit - 1) * h, Back(suit, scale));
    }
    return sheet;
}

}  // namespace cardart
