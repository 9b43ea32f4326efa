// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's accessibility switched on as when a screen reader listens, and what a screen reader is
// told, in order: "focus" and the words of the object the focus comes to, "news" and the words
// of a notification shown.
#pragma once

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QCoreApplication>
#include <string>
#include <vector>

namespace testing_support {

class ScreenReader {
  public:
    ScreenReader() {
        before = QAccessible::installUpdateHandler(Listen);
        Bridge()->setActive(true);
        // What the window's showing tells comes first.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        Told().clear();
    }
    ~ScreenReader() {
        Bridge()->setActive(false);
        QAccessible::installUpdateHandler(before);
    }

    // What was told since the last call.
    std::vector<std::string> Heard() {
        std::vector<std::string> heard;
        heard.swap(Told());
        return heard;
    }

  private:
    static std::vector<std::string>& Told() {
        static std::vector<std::string> told;
        return told;
    }
    static void Listen(QAccessibleEvent* event) {
        QAccessibleInterface* face = event->accessibleInterface();
        if (!face)
            return;
        const std::string words = face->text(QAccessible::Name).toStdString();
        if (event->type() == QAccessible::Focus)
            Told().push_back("focus " + words);
        else if (event->type() == QAccessible::ObjectShow &&
                 face->role() == QAccessible::Notification)
            Told().push_back("news " + words);
    }
    static QPlatformAccessibility* Bridge() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }

    QAccessible::UpdateHandler before = nullptr;
};

}  // namespace testing_support
