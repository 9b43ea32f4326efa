// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Window.h"

#include "platform/QtSide.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/PixelOps.h"
#include "platform/System.h"
#include "platform/View.h"

class WindowWidget : public QWidget {
  public:
    explicit WindowWidget(BWindow* w) : owner(w) {}

  protected:
    bool event(QEvent* event) override {
        // A move to a screen of another density is taken up once no press or flight runs.
        if (event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
            || event->type() == QEvent::DevicePixelRatioChange
#endif
        )
            owner->PostMessage(B_SCREEN_CHANGED);
        return QWidget::event(event);
    }

    void changeEvent(QEvent* event) override {
        // The title bar Qt draws itself on a Wayland desktop offers to maximise every window;
        // ours keep their size, so the request is turned down rather than shown as granted.
        if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized))
            setWindowState(windowState() & ~Qt::WindowMaximized);
        QWidget::changeEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const uint32 code = key == Qt::Key_Escape                           ? uint32(B_ESCAPE)
                            : key == Qt::Key_Return || key == Qt::Key_Enter ? uint32(B_ENTER)
                                                                            : 0;
        if (code != 0 && event->modifiers() == Qt::NoModifier)
            for (const auto& [shortcut, message] : owner->shortcuts)
                if (shortcut == code) {
                    owner->PostMessage(message);
                    return;
                }
        QWidget::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        // Closing goes through the window's queue like any other request, so it is never
        // handled in the middle of a press or a card flight.
        event->ignore();
        owner->PostMessage(B_QUIT_REQUESTED);
    }

  private:
    BWindow* owner;
};

BWindow::BWindow(BRect windowFrame, const char* windowTitle, window_type windowType, uint32 flags,
                 uint32)
    : frame(windowFrame),
      title(windowTitle ? windowTitle : ""),
      type(windowType),
      widget(new WindowWidget(this)) {
    widget->setWindowTitle(QString::fromUtf8(title.c_str()));
    widget->move(int(frame.left), int(frame.top));
    // Every window keeps the size of its frame, so none offers to maximise.
    Qt::WindowFlags qtFlags = Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
    if (!(flags & B_NOT_CLOSABLE))
        qtFlags |= Qt::WindowCloseButtonHint;
    if (type != B_MODAL_WINDOW)
        qtFlags |= Qt::WindowMinimizeButtonHint;
    widget->setWindowFlags(qtFlags);
    deviceScale = DeviceScaleFor(widget->devicePixelRatioF());
    if (type == B_MODAL_WINDOW)
        widget->setWindowModality(Qt::ApplicationModal);
    Layout();
    if (be_app)
        be_app->AddWindow(this);
}

BWindow::~BWindow() {
    if (be_app)
        be_app->RemoveWindow(this);
    std::vector<BView*> owned = views;
    views.clear();
    for (BView* view : owned)
        delete view;
    delete widget;
}

bool BWindow::QuitRequested() {
    return true;
}

QWidget* QtSide::Widget(const BWindow& window) {
    return window.widget;
}

void QtSide::OverMainWindow(QWidget* dialog) {
    BWindow* main = be_app ? be_app->WindowAt(0) : nullptr;
    if (!main || main->widget == dialog)
        return;
    main->widget->winId();  // the native windows exist from here on
    dialog->winId();
    if (dialog->windowHandle() && main->widget->windowHandle())
        dialog->windowHandle()->setTransientParent(main->widget->windowHandle());
}

void BWindow::Layout() {
    // The window never changes size: its content is the frame's size, plus whatever the Qt menu
    // bar needs beyond the height its frame gave it.
    int shift = 0;
    for (BView* view : views) {
        if (auto* bar = dynamic_cast<BMenuBar*>(view)) {
            int wanted = QtSide::Widget(*bar)->sizeHint().height();
            shift = std::max(0, wanted - (bar->Frame().IntegerHeight() + 1));
            QtSide::Widget(*bar)->setGeometry(0, 0, frame.IntegerWidth() + 1, wanted);
        }
    }
    for (BView* view : views) {
        if (dynamic_cast<BMenuBar*>(view))
            continue;
        BRect f = view->Frame();
        QtSide::Widget(*view)->setGeometry(int(f.left), int(f.top) + (f.top > 0 ? shift : 0),
                                           f.IntegerWidth() + 1, f.IntegerHeight() + 1);
    }
    widget->setFixedSize(frame.IntegerWidth() + 1, frame.IntegerHeight() + 1 + shift);
}

void BWindow::AddShortcut(uint32 key, uint32, BMessage* message) {
    std::unique_ptr<BMessage> owned(message);
    if (owned)
        shortcuts.emplace_back(key, *owned);
}

void BWindow::AddChild(BView* view) {
    views.push_back(view);
    QtSide::Widget(*view)->setParent(widget);
    QtSide::Widget(*view)->show();
    view->SetWindowTree(this);
    Layout();
    if (!IsHidden())
        view->DrawTree();
}

bool BWindow::RemoveChild(BView* view) {
    auto it = std::find(views.begin(), views.end(), view);
    if (it == views.end())
        return false;
    views.erase(it);
    QtSide::Widget(*view)->setParent(nullptr);
    view->SetWindowTree(nullptr);
    return true;
}

BView* BWindow::FindView(const std::string& name) const {
    for (BView* view : views) {
        if (view->Name() == name)
            return view;
        if (BView* found = view->FindView(name))
            return found;
    }
    return nullptr;
}

BView* BWindow::ChildAt(int32 index) const {
    return index >= 0 && index < int32(views.size()) ? views[size_t(index)] : nullptr;
}

void BWindow::Show() {
    if (!IsHidden() || quitting)
        return;
    if (type == B_MODAL_WINDOW)
        FollowMainWindow();
    QtSide::OverMainWindow(widget);
    widget->show();
    // Showing is an expose: every view fills its frame buffer again.
    for (BView* view : views)
        view->DrawTree();
    // Large pages are asked for once the first window has had a second to appear.
    static bool largePagesAsked = false;
    if (!largePagesAsked) {
        largePagesAsked = true;
        QTimer::singleShot(1000, [] { pixelops::WantLargePages(); });
    }
}

void BWindow::FollowMainWindow() {
    // A dialog's frame was laid out for the main window at its own frame; wherever the main
    // window has been moved since, the dialog keeps the same place over it, on the screen.
    BWindow* main = be_app ? be_app->WindowAt(0) : nullptr;
    if (!main || main == this || main->IsHidden())
        return;
    // Both as Qt places windows: by the outer corner, as the constructor did.
    const QPoint shift =
        QtSide::Widget(*main)->pos() - QPoint(int(main->Frame().left), int(main->Frame().top));
    QRect place(int(frame.left) + shift.x(), int(frame.top) + shift.y(), widget->width(),
                widget->height());
    if (QScreen* screen = QtSide::Widget(*main)->screen()) {
        const QRect room = screen->availableGeometry();
        place.moveLeft(std::clamp(place.left(), room.left(),
                                  std::max(room.left(), room.right() - place.width())));
        place.moveTop(std::clamp(place.top(), room.top(),
                                 std::max(room.top(), room.bottom() - place.height())));
    }
    widget->move(place.topLeft());
}

void BWindow::Hide() {
    widget->hide();
}

bool BWindow::IsHidden() const {
    return !widget->isVisible();
}

void BWindow::Quit() {
    if (quitting)
        return;
    quitting = true;
    widget->hide();
    if (be_app)
        be_app->RemoveWindow(this);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this] { delete this; }, Qt::QueuedConnection);
}

void BWindow::DispatchMessage(BMessage* message) {
    if (quitting)
        return;  // closed: what was still queued for it is dropped
    if (message->what == B_QUIT_REQUESTED) {
        if (!quitting && QuitRequested())
            Quit();
        return;
    }
    if (message->what == B_SCREEN_CHANGED) {
        SetDeviceScale(DeviceScaleFor(widget->devicePixelRatioF()));
        return;
    }
    if (message->what == B_KEY_DOWN) {
        std::string bytes;
        int32 modifiers = 0;
        message->FindString("bytes", &bytes);
        message->FindInt32("modifiers", &modifiers);
        // The window's own keys come first; the rest go to the view that has the keyboard
        // focus, as they were pressed.
        if (bytes.size() == 1 && modifiers == 0)
            for (const auto& [key, shortcut] : shortcuts)
                if (key == uint32(uint8(bytes[0]))) {
                    PostMessage(shortcut);
                    return;
                }
        if (BView* view = KeyView(*message))
            view->DeliverKeyDown(bytes, uint32(modifiers));
        return;
    }
    MessageReceived(message);
}

BView* BWindow::KeyView(const BMessage& key) const {
    // The view the key was pressed in, while it is still in the window; else the first view
    // that takes the keys.
    const void* pressedIn = nullptr;
    key.FindPointer("view", &pressedIn);
    std::vector<BView*> tree = views;
    for (size_t i = 0; i < tree.size(); ++i) {
        if (tree[i] == pressedIn)
            return tree[i];
        for (int32 c = 0; BView* child = tree[i]->ChildAt(c); ++c)
            tree.push_back(child);
    }
    for (BView* view : views)
        if (view->IsFocus())
            return view;
    return nullptr;
}

void BWindow::SetDeviceScale(int32 scale) {
    if (scale == deviceScale || scale < 1)
        return;
    deviceScale = scale;
    for (BView* view : views)
        view->SetScaleTree(scale);
    if (!IsHidden())
        for (BView* view : views)
            view->DrawTree();
}
