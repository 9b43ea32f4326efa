// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the application icon, drawn from our card art at each size rather than scaled from one
// picture: OUTDIR/<n>x<n>/apps/<name>.png for every hicolor size.
//   make_icons OUTDIR NAME
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "CardArt.h"

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256, 512};
constexpr double kCardAspect = double(cardart::kCellWidth) / cardart::kCellHeight;

// A card of the given suit's ace filling the rectangle: paper, outline, one large pip, and from
// 128 pixels up the corner letter.
void Card(QPainter& p, const QRectF& r, int suit, int size) {
    const double line = size < 48 ? 1.0 : size / 48.0;
    p.setPen(QPen(cardart::OutlineColour(), line));
    p.setBrush(cardart::PaperColour());
    const double radius = size <= 32 ? 1.5 : r.width() * 0.09;
    p.drawRoundedRect(r, radius, radius);
    p.save();
    p.translate(r.center());
    const double pip = r.width() * (size <= 16 ? 0.72 : 0.56);
    p.scale(pip, pip);
    p.setPen(Qt::NoPen);
    p.setBrush(cardart::SuitColour(suit));
    p.drawPath(cardart::SuitShape(suit));
    p.restore();
    if (size >= 128) {
        QFont font("DejaVu Sans");
        font.setBold(true);
        font.setPixelSize(int(r.height() * 0.14));
        p.setFont(font);
        p.setPen(cardart::SuitColour(suit));
        p.drawText(QRectF(r.left() + r.width() * 0.07, r.top() + r.height() * 0.04, r.width() * 0.3,
                          r.height() * 0.18),
                   Qt::AlignLeft | Qt::AlignTop, "A");
    }
}

QImage Icon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (size <= 32) {
        // Small sizes stay upright with edges on pixel boundaries, so they are sharp: one card at
        // 16 pixels, the ace of hearts peeping out behind the ace of spades at 32.
        const double h = size - 1, w = std::round(h * kCardAspect);
        if (size == 16) {
            Card(p, QRectF((size - w) / 2, 0.5, w - 1, h - 0.0), 4, size);
        } else {
            Card(p, QRectF(1.5, 0.5, w - 4, h - 4), 1, size);
            Card(p, QRectF(size - w + 2.5, 3.5, w - 4, h - 4), 4, size);
        }
        return icon;
    }
    // Larger sizes fan the two aces apart, so both pips show.
    const double h = size * 0.74, w = h * kCardAspect;
    const struct {
        int suit;
        double shift, angle;
    } fan[] = {{1, -0.15, -14}, {4, 0.15, 10}};
    for (auto card : fan) {
        p.save();
        p.translate(size * (0.5 + card.shift), size * 0.55);
        p.rotate(card.angle);
        Card(p, QRectF(-w / 2, -h / 2, w, h), card.suit, size);
        p.restore();
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icons OUTDIR NAME\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : kSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        QDir().mkpath(folder);
        const QString file = folder + "/" + QString::fromLocal8Bit(argv[2]) + ".png";
        if (!Icon(size).save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
