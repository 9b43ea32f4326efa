// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt 6 window with a menu bar over a 701 x 501 image: what start-up is measured against.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QImage image(701, 501, QImage::Format_RGB32);
    image.fill(qRgb(0, 153, 0));
    QMainWindow window;
    window.setWindowTitle("Tarnwick");
    window.menuBar()->addMenu("Game")->addAction("Deal");
    window.menuBar()->addMenu("Help")->addAction("About");
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image));
    label->setFixedSize(701, 501);
    window.setCentralWidget(label);
    window.show();
    return app.exec();
}
