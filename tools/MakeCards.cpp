// SPDX-License-Identifier: GPL-3.0-or-later
// Writes our card sets into the folder given, each at one, two and three times the size of a
// cell: cards.bmp (the standard set), cards-four-colour.bmp and cards-large-index.bmp, and beside
// each its @2x and @3x sheets.
#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "CardArt.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cards OUTPUT_FOLDER\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const struct {
        const char* name;
        cardart::Style style;
    } sets[] = {{"cards", cardart::Style::kStandard},
                {"cards-four-colour", cardart::Style::kFourColour},
                {"cards-large-index", cardart::Style::kLargeIndex}};
    for (const auto& set : sets) {
        for (int scale = 1; scale <= 3; ++scale) {
            const std::string path = std::string(argv[1]) + "/" + set.name +
                                     (scale == 1 ? "" : "@" + std::to_string(scale) + "x") + ".bmp";
            QImage sheet = cardart::Sheet(set.style, scale).convertToFormat(QImage::Format_RGB32);
            if (!sheet.save(QString::fromStdString(path), "BMP")) {
                std::fprintf(stderr, "make_cards: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
