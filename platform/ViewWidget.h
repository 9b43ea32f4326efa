// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widget of a view shown in a window: paints the view's frame buffer and turns Qt's mouse
// events into the view's MouseDown hook and sampled pointer state, and its keys into messages for
// the window's queue.
#pragma once

#include <QWidget>

#include "platform/Accessibility.h"

class BView;

class ViewWidget : public QWidget {
  public:
    explicit ViewWidget(BView* owner);
    // What a screen reader is told of the view beyond its name (platform/Accessibility.cpp).
    accessibility::State& Access() { return access; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    BView* owner;
    accessibility::State access;
};
