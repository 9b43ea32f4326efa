// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt 6 window showing a 701 x 501 image: what start-up is measured against.
#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QImage image(701, 501, QImage::Format_RGB32);
    image.fill(qRgb(0, 153, 0));
    QLabel label;
    label.setWindowTitle("Tarnwick");
    label.setPixmap(QPixmap::fromImage(image));
    label.setFixedSize(701, 501);
    label.show();
    return app.exec();
}
