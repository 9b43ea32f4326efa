// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ViewWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <cstring>

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
        case Qt::Key_H:
            return "h";
        default:
            return "";
    }
}

// Copies the region of a buffer with the screen's own density into the image the painter paints
// on (the window's backing store), row by row. Much cheaper than a painter's copy, which hands
// every area of more than a few dozen rows to other threads and waits for them. False, with nothing
// copied, when that is not an opaque 32-bit image at the buffer's density or the painter does more
// than scale and move.
bool CopyToWindowImage(QPainter& painter, const QImage& buffer, const QRegion& region) {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return false;
    auto* target = static_cast<QImage*>(device);
    const QTransform to = painter.deviceTransform();
    if ((target->format() != QImage::Format_RGB32 &&
         target->format() != QImage::Format_ARGB32_Premultiplied) ||
        target->devicePixelRatio() != buffer.devicePixelRatio() ||
        to.type() > QTransform::TxScale || to.m11() != buffer.devicePixelRatio() ||
        to.m22() != buffer.devicePixelRatio())
        return false;
    const int k = int(buffer.devicePixelRatio());
    const bool withAlpha = target->format() == QImage::Format_ARGB32_Premultiplied;
    uchar* const bits = target->bits();
    const qsizetype stride = target->bytesPerLine();
    for (const QRect& r : region) {
        const QRect from =
            QRect(r.x() * k, r.y() * k, r.width() * k, r.height() * k).intersected(buffer.rect());
        const QRect into = to.mapRect(QRectF(from.x() / double(k), from.y() / double(k),
                                             from.width() / double(k), from.height() / double(k)))
                               .toAlignedRect();
        if (from.isEmpty() || !target->rect().contains(into) || into.size() != from.size())
            return false;
        for (int y = 0; y < from.height(); ++y) {
            auto* out = reinterpret_cast<QRgb*>(bits + (into.y() + y) * stride) + into.x();
            const auto* in =
                reinterpret_cast<const QRgb*>(buffer.constScanLine(from.y() + y)) + from.x();
            std::memcpy(out, in, size_t(4 * from.width()));
            // An image with alpha shows opaque whatever a copied key-coloured pixel brought.
            if (withAlpha)
                for (int x = 0; x < from.width(); ++x)
                    out[x] |= 0xff000000u;
        }
    }
    return true;
}

}  // namespace

ViewWidget::ViewWidget(BView* view) : owner(view) {
    accessibility::InstallFactory();
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
    // The alias is drawn with explicit rectangles or a scale: giving it the buffer's ratio would
    // copy the whole buffer at every paint.
    const qreal k = buffer.devicePixelRatio();
    if (k == devicePixelRatioF()) {
        // The buffer holds as many device pixels a unit as the screen: copied 1:1, straight into
        // the window's own image where the toolkit paints into one.
        if (CopyToWindowImage(painter, buffer, event->region()))
            return;
        painter.drawImage(QRectF(area), opaque,
                          QRectF(area.x() * k, area.y() * k, area.width() * k, area.height() * k));
        return;
    }
    // A fractional ratio (or a screen change not yet taken up): the buffer is smoothly reduced.
    // The whole buffer is drawn, clipped to the area, so each screen pixel comes out the same
    // whichever area repaints it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.scale(1 / k, 1 / k);
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
    message.AddPointer("view", owner);
    window->PostMessage(message);
    event->accept();
}

void ViewWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    owner->FocusChanged(true);
    accessibility::FocusEntered(this);
}

void ViewWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    owner->FocusChanged(false);
}
