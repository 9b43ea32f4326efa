// Writes the standard card set, cards.bmp, to the path given.
#include <QGuiApplication>
#include <cstdio>

#include "CardArt.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cards OUTPUT.bmp\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QImage sheet = cardart::Sheet().convertToFormat(QImage::Format_RGB32);
    if (!sheet.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
        std::fprintf(stderr, "make_cards: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
