// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the about picture, Quenmoor.jpg: a moor at dusk with a tarn, standing stones and
// heather, 250 x 170 pixels, the part of the about window left of its blue panel.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 170;

// A fixed sequence, so the picture is the same at every build.
class Dice {
  public:
    double Next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state >> 11) / double(1ULL << 53);
    }
    double Between(double a, double b) { return a + (b - a) * Next(); }

  private:
    unsigned long long state = 0x5eed;
};

// A ridge line: gentle waves around a base height, filled down to the bottom of the picture.
QPainterPath Ridge(double base, double amplitude, double phase, double wavelength) {
    QPainterPath path;
    path.moveTo(0, kHeight);
    for (int x = 0; x <= kWidth; x += 2) {
        const double y = base + amplitude * std::sin((x + phase) / wavelength) +
                         amplitude * 0.45 * std::sin((x * 2.3 + phase * 1.7) / wavelength);
        path.lineTo(x, y);
    }
    path.lineTo(kWidth, kHeight);
    path.closeSubpath();
    return path;
}

void Sky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0.0, QColor(46, 54, 112));
    sky.setColorAt(0.45, QColor(120, 96, 150));
    sky.setColorAt(0.8, QColor(232, 150, 128));
    sky.setColorAt(1.0, QColor(250, 204, 150));
    p.fillRect(0, 0, kWidth, 110, sky);

    QRadialGradient glow(QPointF(178, 92), 60);
    glow.setColorAt(0.0, QColor(255, 240, 190, 230));
    glow.setColorAt(0.2, QColor(255, 220, 160, 140));
    glow.setColorAt(1.0, QColor(255, 200, 150, 0));
    p.fillRect(0, 0, kWidth, 110, glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 246, 214));
    p.drawEllipse(QPointF(178, 92), 9, 9);

    // Long thin clouds catching the last light.
    Dice dice;
    for (int i = 0; i < 9; ++i) {
        const double y = dice.Between(14, 70);
        const double x = dice.Between(-30, 230);
        const double w = dice.Between(40, 110);
        const int alpha = int(dice.Between(50, 110));
        p.setBrush(y < 40 ? QColor(170, 150, 190, alpha) : QColor(250, 170, 160, alpha));
        p.drawEllipse(QRectF(x, y, w, dice.Between(3, 7)));
    }
}

void Hills(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 104, 150));
    p.drawPath(Ridge(92, 5, 10, 23));
    p.setBrush(QColor(92, 80, 116));
    p.drawPath(Ridge(99, 6, 70, 31));
    p.setBrush(QColor(74, 70, 78));
    p.drawPath(Ridge(108, 4, 140, 19));
}

void Tarn(QPainter& p) {
    // The small lake mirrors the sky's warm band.
    QLinearGradient water(0, 112, 0, 128);
    water.setColorAt(0.0, QColor(236, 170, 140));
    water.setColorAt(1.0, QColor(110, 96, 150));
    p.setBrush(water);
    p.setPen(QPen(QColor(60, 56, 50), 1));
    p.drawEllipse(QRectF(96, 112, 120, 14));
    p.setPen(QPen(QColor(255, 236, 200, 160), 1));
    p.drawLine(QPointF(160, 116), QPointF(190, 116));
    p.drawLine(QPointF(168, 119), QPointF(184, 119));
}

void Moor(QPainter& p) {
    QLinearGradient ground(0, 105, 0, kHeight);
    ground.setColorAt(0.0, QColor(86, 74, 60));
    ground.setColorAt(0.5, QColor(104, 76, 82));
    ground.setColorAt(1.0, QColor(66, 50, 44));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    QPainterPath land = Ridge(114, 3, 40, 40);
    p.drawPath(land);
    Tarn(p);

    // Heather and dry grass: many small strokes, denser and larger towards the front.
    Dice dice;
    for (int i = 0; i < 2600; ++i) {
        const double y = 118 + std::pow(dice.Next(), 0.7) * (kHeight - 118);
        const double x = dice.Between(0, kWidth);
        if (x > 94 && x < 218 && y > 111 && y < 127)
            continue;  // the water
        const double depth = (y - 118) / (kHeight - 118);
        const double size = 0.6 + depth * 2.2;
        const double pick = dice.Next();
        QColor colour = pick < 0.45  ? QColor(150, 84, 150)
                        : pick < 0.7 ? QColor(186, 120, 170)
                        : pick < 0.9 ? QColor(150, 136, 80)
                                     : QColor(70, 96, 60);
        colour.setAlpha(int(140 + 100 * depth));
        p.setPen(QPen(colour, size * 0.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + dice.Between(-1, 1) * size, y - size * 1.6));
    }

    // A path winding up towards the stones.
    QPainterPath path;
    path.moveTo(70, kHeight);
    path.cubicTo(96, 158, 52, 146, 78, 134);
    path.cubicTo(90, 128, 70, 124, 58, 119);
    p.setPen(QPen(QColor(196, 170, 130, 200), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Stones(QPainter& p) {
    struct Stone {
        double x, base, w, h, lean;
    };
    const Stone stones[] = {{28, 121, 7, 17, -1.0},
                            {41, 120, 5, 12, 0.6},
                            {51, 121, 8, 20, 0.3},
                            {64, 120, 4, 9, -0.4}};
    for (const Stone& s : stones) {
        QPainterPath stone;
        stone.moveTo(s.x, s.base);
        stone.lineTo(s.x + s.lean, s.base - s.h);
        stone.quadTo(s.x + s.w / 2 + s.lean, s.base - s.h - 2, s.x + s.w + s.lean,
                     s.base - s.h + 1);
        stone.lineTo(s.x + s.w, s.base);
        stone.closeSubpath();
        QLinearGradient light(s.x, 0, s.x + s.w, 0);
        light.setColorAt(0.0, QColor(70, 66, 74));
        light.setColorAt(1.0, QColor(150, 134, 140));  // lit from the setting sun
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawPath(stone);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_moor OUTPUT.jpg\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    // The picture, and beside it the same painted at two and three times the size (NAME@2x.jpg,
    // NAME@3x.jpg) for high-density screens.
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (int scale = 1; scale <= 3; ++scale) {
        QImage picture(kWidth * scale, kHeight * scale, QImage::Format_RGB32);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(scale, scale);
        Sky(p);
        Hills(p);
        Moor(p);
        Stones(p);
        p.end();
        QString name = path;
        if (scale > 1)
            name.insert(name.lastIndexOf('.'), QString("@%1x").arg(scale));
        if (!picture.save(name, "JPG", 92)) {
            std::fprintf(stderr, "make_moor: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
