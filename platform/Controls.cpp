#include "platform/Controls.h"

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
    QWidget* w = Widget();
    QFont font = w->font();
    for (int stretch = 100; stretch >= 70 && w->sizeHint().width() > w->width(); stretch -= 3) {
        font.setStretch(stretch);
        w->setFont(font);
    }
}

void MatchLabelFonts(const std::vector<BControl*>& group) {
    int narrowest = 100;
    for (BControl* control : group)
        narrowest = std::min(narrowest, control->Widget()->font().stretch() == 0
                                            ? 100
                                            : control->Widget()->font().stretch());
    for (BControl* control : group) {
        QFont font = control->Widget()->font();
        font.setStretch(narrowest);
        control->Widget()->setFont(font);
    }
}

BButton::BButton(BRect f, const char* n, const char* l, BMessage* m, uint32 r, uint32 fl)
    : BControl(f, n, l, m, r, fl) {}

QWidget* BButton::Widget() {
    if (!widget) {
        auto* button = new QPushButton(QString::fromStdString(label));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, [this] { Invoke(); });
        widget = button;
    }
    return widget;
}

void BButton::Click() {
    static_cast<QPushButton*>(Widget())->click();
}

BCheckBox::BCheckBox(BRect f, const char* n, const char* l, BMessage* m, uint32 r, uint32 fl)
    : BControl(f, n, l, m, r, fl) {}

QWidget* BCheckBox::Widget() {
    if (!widget) {
        auto* box = new QCheckBox(QString::fromStdString(label));
        // clicked comes from the player only; SetValue does not post.
        QObject::connect(box, &QCheckBox::clicked, [this] { Invoke(); });
        widget = box;
    }
    return widget;
}

void BCheckBox::SetValue(int32 value) {
    static_cast<QCheckBox*>(Widget())->setChecked(value != B_CONTROL_OFF);
}

int32 BCheckBox::Value() const {
    return widget && static_cast<QCheckBox*>(widget)->isChecked() ? B_CONTROL_ON : B_CONTROL_OFF;
}

void BCheckBox::Click() {
    static_cast<QCheckBox*>(Widget())->click();
}

BBox::BBox(BRect f, const char* n, uint32 r, uint32 fl, border_style)
    : BView(f, n ? n : "", r, fl) {}

QWidget* BBox::Widget() {
    if (!widget)
        widget = new QGroupBox();
    return widget;
}

void BBox::SetLabel(const char* text) {
    static_cast<QGroupBox*>(Widget())->setTitle(QString::fromUtf8(text));
}

std::string BBox::Label() const {
    return widget ? static_cast<QGroupBox*>(widget)->title().toStdString() : std::string();
}
