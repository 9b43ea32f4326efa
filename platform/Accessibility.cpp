// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include "platform/ViewWidget.h"

namespace accessibility {

namespace {

// One part of a view, or, after the parts, its notification. Qt's cache owns it; the view's
// interface deletes it with the view.
class PartFace : public QAccessibleInterface {
  public:
    PartFace(ViewWidget* widget, int index) : widget(widget), index(index) {}

    bool isValid() const override {
        return widget && index <= int(State().parts.size()) &&
               (!IsNotification() || State().speaks);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget ? widget->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return widget ? QAccessible::queryAccessibleInterface(widget.data()) : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid() || t != QAccessible::Name)
            return QString();
        return QString::fromStdString(IsNotification() ? State().news
                                                       : State().parts[size_t(index)].name);
    }
    QRect rect() const override {
        if (!isValid())
            return QRect();
        if (IsNotification())
            return QRect(widget->mapToGlobal(QPoint(0, 0)), QSize(1, 1));
        const BRect r = State().parts[size_t(index)].frame;
        return QRect(widget->mapToGlobal(QPoint(int(r.left), int(r.top))),
                     QSize(r.IntegerWidth() + 1, r.IntegerHeight() + 1));
    }
    QAccessible::Role role() const override {
        return IsNotification() ? QAccessible::Notification : QAccessible::ListItem;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        if (IsNotification()) {
            s.invisible = !State().newsShown;
            return s;
        }
        s.focusable = true;
        s.focused = index == State().focusPart && widget->hasFocus();
        return s;
    }

  private:
    const accessibility::State& State() const { return widget->Access(); }
    bool IsNotification() const { return index == int(State().parts.size()); }

    QPointer<ViewWidget> widget;
    int index;
};

// A view's widget: its parts and notification are its first children, then the widgets of the
// views added to it.
class ViewFace : public QAccessibleWidget {
  public:
    explicit ViewFace(ViewWidget* widget) : QAccessibleWidget(widget), view(widget) {}
    ~ViewFace() override {
        for (const Faces& faces : children)
            for (QAccessible::Id id : faces.ids)
                if (id != 0)
                    QAccessible::deleteAccessibleInterface(id);
    }

    QAccessible::Role role() const override {
        return view->Access().choice >= 0 ? QAccessible::RadioButton : QAccessibleWidget::role();
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (view->Access().choice >= 0) {
            s.checkable = true;
            s.checked = view->Access().choice == 1;
        }
        return s;
    }
    int childCount() const override { return Own() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0)
            return nullptr;
        if (index >= Own())
            return QAccessibleWidget::child(index - Own());
        if (children.size() <= size_t(index))
            children.resize(size_t(index) + 1);
        Faces& faces = children[size_t(index)];
        QAccessible::Id& id = faces.ids[faces.current];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new PartFace(view, index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (size_t i = 0; i < children.size() && int(i) < Own(); ++i)
            for (QAccessible::Id id : children[i].ids)
                if (id != 0 && QAccessible::accessibleInterface(id) == child)
                    return int(i);
        const int other = QAccessibleWidget::indexOfChild(child);
        return other < 0 ? -1 : Own() + other;
    }
    QAccessibleInterface* focusChild() const override {
        const int focused = view->Access().focusPart;
        return view->hasFocus() && focused >= 0 ? child(focused) : QAccessibleWidget::focusChild();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = view->mapFromGlobal(QPoint(x, y));
        const auto& parts = view->Access().parts;
        for (size_t i = 0; i < parts.size(); ++i)
            if (parts[i].frame.Contains(BPoint(float(at.x()), float(at.y()))))
                return child(int(i));
        return QAccessibleWidget::childAt(x, y);
    }

    // The part told of again is shown as the other of its two objects: a screen reader passes
    // over news of the object it already stands on. Both stay valid, so one a screen reader
    // still holds answers as the part.
    void Renew(int index) {
        if (size_t(index) < children.size())
            children[size_t(index)].current ^= 1;
    }

  private:
    int Own() const {
        const State& s = view->Access();
        return int(s.parts.size()) + (s.speaks ? 1 : 0);
    }

    struct Faces {
        QAccessible::Id ids[2] = {0, 0};
        int current = 0;
    };
    ViewWidget* view;
    mutable std::vector<Faces> children;
};

QAccessibleInterface* FaceFor(const QString&, QObject* object) {
    if (auto* widget = dynamic_cast<ViewWidget*>(object))
        return new ViewFace(widget);
    return nullptr;
}

// Events reach a screen reader only while one listens; none are made otherwise.
void Tell(ViewWidget* widget, QAccessible::Event type, int child) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, type);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void HideNews(ViewWidget* widget) {
    State& s = widget->Access();
    if (!s.newsShown)
        return;
    s.newsShown = false;
    Tell(widget, QAccessible::ObjectHide, int(s.parts.size()));
}

}  // namespace

void InstallFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(FaceFor);
        return true;
    }();
    (void)installed;
}

void SetParts(ViewWidget* widget, std::vector<BView::AccessiblePart> parts, int focused) {
    State& s = widget->Access();
    // The notification follows the parts: a different number of parts moves it. A view with
    // parts has news to tell.
    if (parts.size() != s.parts.size())
        HideNews(widget);
    s.parts = std::move(parts);
    s.focusPart = focused;
    s.speaks = true;
}

void SpeakFocus(ViewWidget* widget) {
    State& s = widget->Access();
    HideNews(widget);  // news of the last action is not read again as if it were new
    if (s.focusPart < 0)
        return;
    if (auto* face = dynamic_cast<ViewFace*>(QAccessible::queryAccessibleInterface(widget)))
        face->Renew(s.focusPart);
    Tell(widget, QAccessible::Focus, s.focusPart);
}

void Announce(ViewWidget* widget, const std::string& text) {
    State& s = widget->Access();
    HideNews(widget);
    s.speaks = true;
    s.news = text;
    s.newsShown = true;
    Tell(widget, QAccessible::ObjectShow, int(s.parts.size()));
}

void SetChoice(ViewWidget* widget, bool chosen) {
    State& s = widget->Access();
    const int choice = chosen ? 1 : 0;
    if (s.choice == choice)
        return;
    s.choice = choice;
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(widget, changed);
    QAccessible::updateAccessibility(&event);
}

void FocusEntered(ViewWidget* widget) {
    if (widget->Access().focusPart < 0)
        return;
    // Qt tells of the view itself after its focus-in; the part comes after that.
    QMetaObject::invokeMethod(
        widget,
        [widget] {
            if (widget->hasFocus() && widget->Access().focusPart >= 0)
                Tell(widget, QAccessible::Focus, widget->Access().focusPart);
        },
        Qt::QueuedConnection);
}

}  // namespace accessibility
