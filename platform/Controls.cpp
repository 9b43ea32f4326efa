// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Controls.h"

#include "platform/QtSide.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <algorithm>

#include "platform/Window.h"

BControl::BControl(BRect controlFrame, const char* controlName, const char* controlLabel,
                   BMessage* controlMessage, uint32 resizingMode, uint32 flags)
    : BView(controlFrame, controlName, resizingMode, flags),
      label(controlLabel ? controlLabel : ""),
      message(controlMessage ? *controlMessage : BMessage()) {
    delete controlMessage;
}

BControl::~BControl() = default;

void BControl::Invoke() {
    if (Window())
        Window()->PostMessage(message);
}

void BControl::PlaceWidget() {
    BView::PlaceWidget();
    QWidget* w = QtSide::Widget(*this);
    QFont font = w->font();
    for (int stretch = 100; stretch >= 70 && w->sizeHint().width() > w->width(); stretch -= 3) {
        font.setStretch(stretch);
        w->setFont(font);
    }
}

void MatchLabelFonts(const std::vector<BControl*>& group) {
    int narrowest = 100;
    for (BControl* control : group)
        narrowest = std::min(narrowest, QtSide::Widget(*control)->font().stretch() == 0
                                            ? 100
                                            : QtSide::Widget(*control)->font().stretch());
    for (BControl* control : group) {
        QFont font = QtSide::Widget(*control)->font();
        font.setStretch(narrowest);
        QtSide::Widget(*control)->setFont(font);
    }
}

BButton::BButton(BRect f, const char* n, const char* l, BMessage* m, uint32 r, uint32 fl)
    : BControl(f, n, l, m, r, fl) {}

void BButton::MakeWidget() {
    if (!native->widget) {
        auto* button = new QPushButton(QString::fromStdString(label));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, [this] { Invoke(); });
        native->widget = button;
    }
}

void BButton::Click() {
    static_cast<QPushButton*>(QtSide::Widget(*this))->click();
}

BCheckBox::BCheckBox(BRect f, const char* n, const char* l, BMessage* m, uint32 r, uint32 fl)
    : BControl(f, n, l, m, r, fl) {}

void BCheckBox::MakeWidget() {
    if (!native->widget) {
        auto* box = new QCheckBox(QString::fromStdString(label));
        // clicked comes from the player only; SetValue does not post.
        QObject::connect(box, &QCheckBox::clicked, [this] { Invoke(); });
        native->widget = box;
    }
}

void BCheckBox::SetValue(int32 value) {
    static_cast<QCheckBox*>(QtSide::Widget(*this))->setChecked(value != B_CONTROL_OFF);
}

int32 BCheckBox::Value() const {
    return native->widget && static_cast<QCheckBox*>(native->widget)->isChecked() ? B_CONTROL_ON
                                                                                  : B_CONTROL_OFF;
}

void BCheckBox::Click() {
    static_cast<QCheckBox*>(QtSide::Widget(*this))->click();
}

BBox::BBox(BRect f, const char* n, uint32 r, uint32 fl, border_style)
    : BView(f, n ? n : "", r, fl) {}

void BBox::MakeWidget() {
    if (!native->widget)
        native->widget = new QGroupBox();
}

void BBox::SetLabel(const char* text) {
    static_cast<QGroupBox*>(QtSide::Widget(*this))->setTitle(QString::fromUtf8(text));
}

std::string BBox::Label() const {
    return native->widget ? static_cast<QGroupBox*>(native->widget)->title().toStdString()
                          : std::string();
}
