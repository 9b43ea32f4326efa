// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's side of the platform classes: the Qt objects behind bitmaps, views, windows,
// menus and loopers. For the platform's own files and for tests only; the folders above see the
// classes alone and build without Qt.
#pragma once

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QObject>
#include <QWidget>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/Looper.h"
#include "platform/Menus.h"
#include "platform/View.h"
#include "platform/Window.h"

struct BBitmap::Pixels {
    QImage image;
};

struct BView::Native {
    QWidget* widget = nullptr;
    // What a view in a window shows: its retained frame buffer, and the picture behind it.
    QImage frameBuffer;
    QImage viewPicture;
};

struct BMenuItem::Native {
    QAction* action = nullptr;
};

struct BMenu::Native {
    QMenu* menu = nullptr;
};

struct BLooper::Context : QObject {};

struct QtSide {
    static QImage& Image(BBitmap& bitmap) { return bitmap.pixels->image; }
    static const QImage& Image(const BBitmap& bitmap) { return bitmap.pixels->image; }
    // A bitmap of a decoded picture, converted to the 32-bit layout when needed.
    static std::unique_ptr<BBitmap> FromPicture(QImage picture);

    static QWidget* Widget(BView& view) {
        view.MakeWidget();
        return view.native->widget;
    }
    static QWidget*& WidgetSlot(BView& view) { return view.native->widget; }
    static const QImage& FrameBuffer(const BView& view) { return view.native->frameBuffer; }
    // Where a view's drawing goes: its bitmap, its frame buffer in a window, or nowhere.
    static QImage* Target(BView& view);

    static QWidget* Widget(const BWindow& window);
    // Makes a top-level widget transient for the program's main window (its first), so the
    // desktop keeps it over that window and places it there; nothing when there is none.
    static void OverMainWindow(QWidget* dialog);
    static QAction* Action(const BMenuItem& item) { return item.native->action; }
    static void AttachTo(BMenuItem& item, QMenu* menu, BMenu* owner);
    static QMenu* Menu(const BMenu& menu) { return menu.native->menu; }
    static QObject* Context(const BLooper& looper) { return looper.context.get(); }
};
