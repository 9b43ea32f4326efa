// SPDX-License-Identifier: GPL-3.0-or-later
// Menus on Qt's menu bar. Choosing an item, or its Ctrl shortcut, posts the item's message to the
// window that holds the menu bar; a disabled item does neither.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Message.h"
#include "platform/View.h"

class BMenu;

enum menu_layout { B_ITEMS_IN_ROW = 0, B_ITEMS_IN_COLUMN = 1 };

class BMenuItem {
  public:
    BMenuItem(const char* label, BMessage* message, char shortcut = 0, uint32 modifiers = 0);
    virtual ~BMenuItem();
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    const std::string& Label() const { return label; }
    uint32 Command() const { return message.what; }
    // Chooses the item as a click would (ignored when disabled).
    void Invoke();

  private:
    friend struct QtSide;  // the toolkit's side of the class (platform/QtSide.h)
    struct Native;
    std::string label;
    BMessage message;
    char shortcut;
    std::unique_ptr<Native> native;
    BMenu* menu = nullptr;
    bool enabled = true;
};

class BSeparatorItem : public BMenuItem {
  public:
    BSeparatorItem() : BMenuItem("", nullptr) {}
};

class BMenu {
  public:
    BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
    ~BMenu();
    bool AddItem(BMenuItem* item);
    bool AddSeparatorItem();
    BMenuItem* FindItem(const std::string& label) const;
    int32 CountItems() const { return int32(items.size()); }
    BMenuItem* ItemAt(int32 index) const;
    const std::string& Name() const { return name; }
    void SetOwnerView(BView* view) { owner = view; }
    BView* OwnerView() const { return owner; }

  private:
    friend struct QtSide;
    struct Native;
    std::string name;
    std::unique_ptr<Native> native;
    std::vector<BMenuItem*> items;
    BView* owner = nullptr;
};

class BMenuBar : public BView {
  public:
    BMenuBar(BRect frame, const char* name,
             uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
             menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
    ~BMenuBar() override;
    bool AddItem(BMenu* menu);
    int32 CountItems() const { return int32(menus.size()); }
    BMenu* SubmenuAt(int32 index) const;
    bool HasFrameBuffer() const override { return false; }

  private:
    void MakeWidget() override;
    std::vector<BMenu*> menus;
};
