// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Alert.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "platform/Looper.h"
#include "platform/QtSide.h"
#include "platform/TestSeams.h"

BAlert::BAlert(const char* alertTitle, const char* alertText, const char* button0,
               const char* button1, const char* button2, button_width, alert_type alertType)
    : title(alertTitle), text(alertText), type(alertType) {
    for (const char* label : {button0, button1, button2})
        if (label)
            buttons.emplace_back(label);
}

namespace {
std::vector<QMessageBox*> openBoxes;
bool dismissed = false;
}  // namespace

void DismissAlerts() {
    dismissed = true;
    for (QMessageBox* box : openBoxes)
        box->reject();
}

int32 BAlert::Go() {
    int32 scripted = 0;
    if (testseams::AnswerAlert(title, text, buttons, &scripted))
        return scripted;
    if (dismissed)
        return 0;

    BLooper::HookScope scope;  // no queued message is handled while the alert is up
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setIcon(type == B_WARNING_ALERT ? QMessageBox::Warning : QMessageBox::Information);
    std::vector<QAbstractButton*> made;
    for (const std::string& label : buttons)
        made.push_back(box.addButton(QString::fromStdString(label), QMessageBox::AcceptRole));
    if (!made.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(made.front()));
        // Escape and the close box answer as the first, the gentlest answer.
        box.setEscapeButton(made.front());
    }
    QtSide::OverMainWindow(&box);
    openBoxes.push_back(&box);
    box.exec();
    openBoxes.erase(std::find(openBoxes.begin(), openBoxes.end(), &box));
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return int32(i);
    return 0;  // closed without a button: the first, the gentlest answer
}
