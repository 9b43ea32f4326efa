#include "platform/ViewWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/QtSide.h"
#include "platform/View.h"
#include "platform/Window.h"

namespace {

uint32 ButtonsOf(Qt::MouseButtons buttons) {
    uint32 result = 0;
    if (buttons & Qt::LeftButton)
        result |= B_PRIMARY_MOUSE_BUTTON;
    if (buttons & Qt::RightButton)
        result |= B_SECONDARY_MOUSE_BUTTON;
    if (buttons & Qt::MiddleButton)
        result |= B_TERTIARY_MOUSE_BUTTON;
    return result;
}

BPoint PointOf(QMouseEvent* event) {
    return BPoint(float(event->position().x()), float(event->position().y()));
}

// The bytes of the keys a view is given; "" for any other key, which is left to Qt.
std::string BytesOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return std::string(1, char(B_LEFT_ARROW));
        case Qt::Key_Right:
            return std::string(1, char(B_RIGHT_ARROW));
        case Qt::Key_Up:
            return std::string(1, char(B_UP_ARROW));
        case Qt::Key_Down:
            return std::string(1, char(B_DOWN_ARROW));
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return std::string(1, char(B_ENTER));
        case Qt::Key_Space:
            return std::string(1, char(B_SPACE));
        case Qt::Key_Escape:
            return std::string(1, char(B_ESCAPE));
        default:
            return "";
    }
}

}  // namespace

ViewWidget::ViewWidget(BView* view) : owner(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void ViewWidget::paintEvent(QPaintEvent* event) {
    if (!owner->HasFrameBuffer())
        return;
    // Everything drawn on a view is opaque, so the buffer is shown as RGB32: Qt then copies the
    // changed area straight to the screen instead of converting the whole buffer's alpha first.
    const QImage& buffer = QtSide::FrameBuffer(*owner);
    QImage opaque(buffer.constBits(), buffer.width(), buffer.height(), buffer.bytesPerLine(),
                  QImage::Format_RGB32);
    QPainter painter(this);
    const QRect area = event->rect();
    if (buffer.devicePixelRatio() == 1 && devicePixelRatioF() == 1) {
        painter.drawImage(area, opaque, area);
        return;
    }
    // The buffer holds whole device pixels a unit: shown 1:1 when the screen's ratio is the same,
    // smoothly reduced when it is fractional. The whole buffer is drawn, clipped to the area, so
    // each screen pixel comes out the same whichever area repaints it.
    opaque.setDevicePixelRatio(buffer.devicePixelRatio());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QPointF(0, 0), opaque);
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    const uint32 buttons = ButtonsOf(event->buttons());
    owner->NoteMouse(PointOf(event), buttons);
    // A second button during a press only changes what the sampling sees.
    if (owner->IsInMouseDown())
        return;
    owner->DeliverMouseDown(PointOf(event), buttons);
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    owner->NoteMouse(PointOf(event), ButtonsOf(event->buttons()));
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    owner->NoteMouse(PointOf(event), ButtonsOf(event->buttons()));
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
    const std::string bytes = BytesOf(event->key());
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // Keys with Ctrl, Alt or Meta belong to the menus.
    BWindow* window = owner->Window();
    if (bytes.empty() || !window || (mods & ~Qt::ShiftModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    BMessage message(B_KEY_DOWN);
    message.AddString("bytes", bytes);
    message.AddInt32("modifiers", (mods & Qt::ShiftModifier) ? int32(B_SHIFT_KEY) : 0);
    window->PostMessage(message);
    event->accept();
}
