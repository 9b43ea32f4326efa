// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/QtSide.h"
#include "platform/Window.h"

BMenuItem::BMenuItem(const char* itemLabel, BMessage* itemMessage, char key, uint32)
    : label(itemLabel ? itemLabel : ""),
      message(itemMessage ? *itemMessage : BMessage()),
      shortcut(key),
      native(std::make_unique<Native>()) {
    delete itemMessage;  // the item owns its message, as the caller handed it over
}

BMenuItem::~BMenuItem() = default;

void QtSide::AttachTo(BMenuItem& item, QMenu* qmenu, BMenu* owner) {
    item.menu = owner;
    QAction*& action = item.native->action;
    if (item.label.empty()) {
        action = qmenu->addSeparator();
        return;
    }
    action = qmenu->addAction(QString::fromStdString(item.label));
    if (item.shortcut)
        action->setShortcut(
            QKeySequence(Qt::CTRL | Qt::Key(QChar(item.shortcut).toUpper().unicode())));
    action->setEnabled(item.enabled);
    BMenuItem* chosen = &item;
    QObject::connect(action, &QAction::triggered, [chosen] { chosen->Invoke(); });
}

void BMenuItem::SetEnabled(bool on) {
    enabled = on;
    if (native->action)
        native->action->setEnabled(on);
}

bool BMenuItem::IsEnabled() const {
    return enabled;
}

void BMenuItem::Invoke() {
    if (!enabled || !menu || !menu->OwnerView())
        return;
    if (BWindow* window = menu->OwnerView()->Window())
        window->PostMessage(message);
}

BMenu::BMenu(const char* menuName, menu_layout)
    : name(menuName), native(std::make_unique<Native>()) {
    native->menu = new QMenu();
    native->menu->setTitle(QString::fromStdString(name));
}

BMenu::~BMenu() {
    for (BMenuItem* item : items)
        delete item;
    delete native->menu;
}

bool BMenu::AddItem(BMenuItem* item) {
    items.push_back(item);
    QtSide::AttachTo(*item, native->menu, this);
    return true;
}

bool BMenu::AddSeparatorItem() {
    return AddItem(new BSeparatorItem());
}

BMenuItem* BMenu::FindItem(const std::string& label) const {
    for (BMenuItem* item : items)
        if (item->Label() == label)
            return item;
    return nullptr;
}

BMenuItem* BMenu::ItemAt(int32 index) const {
    return index >= 0 && index < int32(items.size()) ? items[size_t(index)] : nullptr;
}

BMenuBar::BMenuBar(BRect barFrame, const char* barName, uint32 resizingMode, menu_layout, bool)
    : BView(barFrame, barName, resizingMode, 0) {}

BMenuBar::~BMenuBar() {
    // The QMenuBar holds the menus' QMenus only as actions; the menus are ours.
    for (BMenu* menu : menus)
        delete menu;
}

void BMenuBar::MakeWidget() {
    if (!native->widget)
        native->widget = new QMenuBar();
}

bool BMenuBar::AddItem(BMenu* menu) {
    menus.push_back(menu);
    menu->SetOwnerView(this);
    static_cast<QMenuBar*>(QtSide::Widget(*this))->addMenu(QtSide::Menu(*menu));
    return true;
}

BMenu* BMenuBar::SubmenuAt(int32 index) const {
    return index >= 0 && index < int32(menus.size()) ? menus[size_t(index)] : nullptr;
}
