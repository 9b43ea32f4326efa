// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/View.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Looper.h"
#include "platform/Pacing.h"
#include "platform/PixelOps.h"
#include "platform/QtSide.h"
#include "platform/System.h"
#include "platform/TestSeams.h"
#include "platform/ViewWidget.h"
#include "platform/Window.h"

namespace {

// Headless platforms have no display to pace for; the tests' manual clock paces them anyway.
bool PacesSyncs() {
    int64_t manual = 0;
    if (testseams::ManualTime(&manual))
        return true;
    const QString platform = QGuiApplication::platformName();
    return !testseams::NoFrameWait() && platform != "offscreen" && platform != "minimal";
}

// The view whose press is being followed, while nothing new has reached its pointer since the
// last sample.
BView* pressedView = nullptr;
bool pointerNews = false;
// When the followed press's pointer was last looked at (its press, then each sample).
int64_t lastLook = 0;

int ScaleOf(const QImage& image) {
    return std::max(1, int(std::lround(image.devicePixelRatio())));
}

// The device pixels a rectangle of units covers at k pixels a unit.
BRect DeviceRect(BRect r, int k) {
    const float left = std::floor(r.left), top = std::floor(r.top);
    const float right = std::floor(r.right), bottom = std::floor(r.bottom);
    return BRect(left * k, top * k, (right + 1) * k - 1, (bottom + 1) * k - 1);
}

// The units that device pixels touch.
BRect UnitRect(BRect d, int k) {
    if (!d.IsValid())
        return d;
    return BRect(std::floor(d.left / k), std::floor(d.top / k), std::floor(d.right / k),
                 std::floor(d.bottom / k));
}

// Draws units of one image onto another at the given unit corner; a picture of another density
// is first resampled, smoothly, to the target's. Returns the units touched.
BRect DrawImage(const QImage& from, BRect units, QImage& target, float left, float top,
                drawing_mode mode) {
    const int kt = ScaleOf(target);
    const int ks = ScaleOf(from);
    const int x = int(std::floor(left)) * kt;
    const int y = int(std::floor(top)) * kt;
    if (ks == kt)
        return UnitRect(pixelops::Blit(from, DeviceRect(units, ks), target, x, y, mode), kt);
    const BRect d = DeviceRect(units, ks);
    const QImage part =
        from.copy(int(d.left), int(d.top), d.IntegerWidth() + 1, d.IntegerHeight() + 1)
            .scaled((units.IntegerWidth() + 1) * kt, (units.IntegerHeight() + 1) * kt,
                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    return UnitRect(
        pixelops::Blit(part, BRect(0, 0, part.width() - 1, part.height() - 1), target, x, y, mode),
        kt);
}

}  // namespace

bool BView::PressHeldStill() {
    return pressedView && !pointerNews;
}

bool BView::PressFollowed() {
    return pressedView != nullptr;
}

int64_t BView::LastPointerLook() {
    return lastLook;
}

BView::BView(BRect viewFrame, const char* viewName, uint32, uint32 viewFlags)
    : name(viewName ? viewName : ""),
      frame(viewFrame),
      flags(viewFlags),
      native(std::make_unique<Native>()) {}

BView::~BView() {
    std::vector<BView*> owned = children;
    children.clear();
    for (BView* child : owned)
        delete child;
    if (parent)
        parent->RemoveChild(this);
    delete native->widget;
}

void BView::Draw(BRect) {}

void BView::MouseDown(BPoint) {}

void BView::KeyDown(const char*, int32) {}

void BView::MakeFocus(bool focus) {
    QWidget* widget = QtSide::Widget(*this);
    widget->setFocusPolicy(focus ? Qt::StrongFocus : Qt::NoFocus);
    if (focus)
        widget->setFocus(Qt::OtherFocusReason);
    else
        widget->clearFocus();
}

bool BView::IsFocus() const {
    return native->widget && native->widget->focusPolicy() != Qt::NoFocus;
}

void BView::FocusChanged(bool) {}

namespace {

// The view's widget when it has one that speaks: a view in a window other than a control.
ViewWidget* Speaking(BView& view) {
    return view.Window() ? dynamic_cast<ViewWidget*>(QtSide::Widget(view)) : nullptr;
}

}  // namespace

void BView::SetAccessibleName(const std::string& text) {
    if (!window)
        return;
    QWidget* widget = QtSide::Widget(*this);
    const QString name = QString::fromStdString(text);
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

void BView::SetAccessibleParts(std::vector<AccessiblePart> parts, int32 focused) {
    if (ViewWidget* widget = Speaking(*this))
        accessibility::SetParts(widget, std::move(parts), focused);
}

void BView::SpeakAccessibleFocus() {
    if (ViewWidget* widget = Speaking(*this))
        accessibility::SpeakFocus(widget);
}

void BView::Announce(const std::string& text) {
    if (ViewWidget* widget = Speaking(*this))
        accessibility::Announce(widget, text);
}

void BView::SetAccessibleChoice(bool chosen) {
    if (ViewWidget* widget = Speaking(*this))
        accessibility::SetChoice(widget, chosen);
}

void BView::MakeWidget() {
    if (!native->widget) {
        native->widget = new ViewWidget(this);
        // A navigable view is reached with Tab.
        if (flags & B_NAVIGABLE)
            native->widget->setFocusPolicy(Qt::StrongFocus);
        native->widget->resize(frame.IntegerWidth() + 1, frame.IntegerHeight() + 1);
    }
}

void BView::PlaceWidget() {
    QtSide::Widget(*this)->setGeometry(int(frame.left), int(frame.top), frame.IntegerWidth() + 1,
                                       frame.IntegerHeight() + 1);
}

void BView::AddChild(BView* child) {
    children.push_back(child);
    child->parent = this;
    QtSide::Widget(*child)->setParent(QtSide::Widget(*this));
    child->PlaceWidget();
    QtSide::Widget(*child)->show();
    child->SetWindowTree(window);
    if (window && !window->IsHidden())
        child->DrawTree();
}

bool BView::RemoveChild(BView* child) {
    auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end())
        return false;
    children.erase(it);
    child->parent = nullptr;
    if (child->native->widget)
        child->native->widget->setParent(nullptr);
    child->SetWindowTree(nullptr);
    return true;
}

BView* BView::FindView(const std::string& viewName) {
    for (BView* child : children) {
        if (child->name == viewName)
            return child;
        if (BView* found = child->FindView(viewName))
            return found;
    }
    return nullptr;
}

void BView::SetWindowTree(BWindow* w) {
    window = w;
    if (w && HasFrameBuffer() && native->frameBuffer.isNull())
        ResetFrameBuffer();
    // A view made for another density draws at its window's from now on.
    if (w)
        ScaleChanged(w->DeviceScale());
    for (BView* child : children)
        child->SetWindowTree(w);
}

void BView::ResetFrameBuffer() {
    QImage& frameBuffer = native->frameBuffer;
    const QImage& viewPicture = native->viewPicture;
    const int k = window ? window->DeviceScale() : 1;
    frameBuffer =
        pixelops::NewImage((frame.IntegerWidth() + 1) * k, (frame.IntegerHeight() + 1) * k);
    frameBuffer.setDevicePixelRatio(k);
    pixelops::FillRect(frameBuffer, DeviceRect(Bounds(), k), viewColor);
    if (!viewPicture.isNull()) {
        const int kp = ScaleOf(viewPicture);
        const BRect tile(0, 0, viewPicture.width() / kp - 1, viewPicture.height() / kp - 1);
        for (int y = 0; y <= frame.IntegerHeight(); y += tile.IntegerHeight() + 1)
            for (int x = 0; x <= frame.IntegerWidth(); x += tile.IntegerWidth() + 1)
                DrawImage(viewPicture, tile, frameBuffer, float(x), float(y), B_OP_COPY);
    }
}

void BView::ScaleChanged(int32) {}

void BView::SetScaleTree(int32 scale) {
    if (window && HasFrameBuffer() && !bitmap)
        ResetFrameBuffer();
    ScaleChanged(scale);
    for (BView* child : children)
        child->SetScaleTree(scale);
}

void BView::DrawTree() {
    if (HasFrameBuffer() && QtSide::Target(*this)) {
        BLooper::HookScope scope;
        Draw(Bounds());
        Touched(Bounds());
    }
    for (BView* child : children)
        child->DrawTree();
}

void BView::SetViewColor(rgb_color c) {
    viewColor = c;
}

void BView::SetFont(const BFont* f, uint32) {
    font = *f;
}

QImage* QtSide::Target(BView& view) {
    if (view.bitmap)
        return &Image(*view.bitmap);
    if (view.window && view.HasFrameBuffer())
        return &view.native->frameBuffer;
    return nullptr;
}

void BView::Touched(BRect r) {
    QWidget* widget = native->widget;
    if (bitmap || !widget || !r.IsValid())
        return;
    // On a screen of a fractional ratio a unit's edge can fall inside a screen pixel: a unit
    // more all round repaints such pixels whole.
    const int margin =
        widget->devicePixelRatioF() == std::floor(widget->devicePixelRatioF()) ? 0 : 1;
    widget->update(int(r.left) - margin, int(r.top) - margin, r.IntegerWidth() + 1 + 2 * margin,
                   r.IntegerHeight() + 1 + 2 * margin);
}

void BView::StrokeRect(BRect r) {
    if (QImage* target = QtSide::Target(*this)) {
        // Each side a unit thick, however many device pixels that is.
        const int k = ScaleOf(*target);
        pixelops::StrokeRect(*target, DeviceRect(r, k), highColor, k);
        Touched(r);
    }
}

void BView::FillRect(BRect r) {
    if (QImage* target = QtSide::Target(*this)) {
        pixelops::FillRect(*target, DeviceRect(r, ScaleOf(*target)), highColor);
        Touched(r);
    }
}

void BView::DrawBitmap(const BBitmap* source, BPoint where) {
    if (!source)
        return;
    DrawBitmap(source, source->Bounds(),
               BRect(where.x, where.y, where.x + source->Bounds().Width(),
                     where.y + source->Bounds().Height()));
}

void BView::DrawBitmap(const BBitmap* source, BRect from, BRect to) {
    QImage* target = QtSide::Target(*this);
    if (!target || !source)
        return;
    // Copies are 1:1 in units: the smaller of the two rectangles decides the size.
    BRect clipped(from.left, from.top, from.left + std::min(from.Width(), to.Width()),
                  from.top + std::min(from.Height(), to.Height()));
    Touched(DrawImage(QtSide::Image(*source), clipped, *target, to.left, to.top, drawingMode));
}

void BView::DrawString(const char* text, BPoint baseline) {
    QImage* target = QtSide::Target(*this);
    if (!target)
        return;
    QPainter painter(target);
    QFont qfont("DejaVu Sans");
    qfont.setPixelSize(std::max(1, int(std::lround(font.Size()))));
    qfont.setBold(font.Face() == B_BOLD_FACE);
    painter.setFont(qfont);
    painter.setPen(QColor(highColor.red, highColor.green, highColor.blue, highColor.alpha));
    painter.drawText(QPointF(baseline.x, baseline.y), QString::fromUtf8(text));
    painter.end();
    Touched(Bounds());
}

void BView::Sync() {
    QWidget* widget = native->widget;
    if (bitmap || !window || !widget || !widget->isVisible())
        return;
    // Paints what has changed since the last paint and hands it to the display now.
    QCoreApplication::sendPostedEvents(widget->window(), QEvent::UpdateRequest);
    testseams::NotifySync(this);
    if (!PacesSyncs())
        return;
    const int64_t sinceLast = MonotonicMicroseconds() - lastSync;
    if (lastSync >= 0 && sinceLast < pacing::kSyncQuantumMicroseconds)
        WaitWithoutInput(pacing::kSyncQuantumMicroseconds - sinceLast);
    lastSync = MonotonicMicroseconds();
}

void BView::SetViewBitmap(const BBitmap* picture, uint32, uint32) {
    // A shared copy: the caller may release its bitmap while we still show this one.
    native->viewPicture = picture ? QtSide::Image(*picture) : QImage();
}

void BView::GetMouse(BPoint* location, uint32* buttons, bool) {
    if (testseams::NextMouseSample(location, buttons))
        return;
    // A click quicker than the first sample still counts: that sample reports the press, and
    // the release is news for the next.
    if (firstSampleOfPress) {
        firstSampleOfPress = false;
        if (mouseButtons == 0) {
            *location = pressPoint;
            *buttons = pressButtons;
            return;
        }
    }
    if (pressedView == this) {
        pointerNews = false;
        lastLook = MonotonicMicroseconds();
    }
    *location = mousePoint;
    *buttons = mouseButtons;
}

void BView::NoteMouse(BPoint where, uint32 buttons) {
    if (pressedView == this && (where != mousePoint || buttons != mouseButtons))
        pointerNews = true;
    mousePoint = where;
    mouseButtons = buttons;
}

void BView::DeliverMouseDown(BPoint where, uint32 buttons) {
    if (inMouseDown)
        return;
    NoteMouse(where, buttons);
    firstSampleOfPress = true;
    pressPoint = where;
    pressButtons = buttons;
    BMessage message(B_MOUSE_DOWN);
    message.AddInt32("buttons", int32(buttons));
    BLooper::HookScope scope;
    inMouseDown = true;
    BView* outerPress = pressedView;
    pressedView = this;
    pointerNews = true;  // the first sample always looks
    lastLook = MonotonicMicroseconds();
    BMessage* previous = window ? window->CurrentMessage() : nullptr;
    if (window)
        window->SetCurrentMessage(&message);
    MouseDown(where);
    if (window)
        window->SetCurrentMessage(previous);
    inMouseDown = false;
    pressedView = outerPress;
}

void BView::DeliverKeyDown(const std::string& bytes, uint32 modifiers) {
    BMessage message(B_KEY_DOWN);
    message.AddString("bytes", bytes);
    message.AddInt32("modifiers", int32(modifiers));
    BLooper::HookScope scope;
    BMessage* previous = window ? window->CurrentMessage() : nullptr;
    if (window)
        window->SetCurrentMessage(&message);
    KeyDown(bytes.c_str(), int32(bytes.size()));
    if (window)
        window->SetCurrentMessage(previous);
}
