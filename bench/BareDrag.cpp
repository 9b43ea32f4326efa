// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt 6 window that repaints a card-sized rectangle wherever the pointer moves while a button
// is held: the least a Qt widget pays to show a drag, what the game's drag is measured against.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

class Table : public QWidget {
  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(0, 153, 0));
        painter.fillRect(card, Qt::white);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QRect old = card;
        card.moveTo(event->position().toPoint() - QPoint(35, 48));
        repaint(QRegion(old) | QRegion(card));
    }

  private:
    QRect card{600, 250, 71, 96};
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Table table;
    table.setWindowTitle("Tarnwick");
    table.setFixedSize(701, 501);
    table.show();
    return app.exec();
}
