// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FilePanel.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include "platform/Looper.h"
#include "platform/QtSide.h"
#include "platform/TestSeams.h"

BFilePanel::BFilePanel(file_panel_mode, BLooper* panelTarget, const std::string& folder, uint32,
                       bool, const BMessage* replyMessage, void*, bool, bool)
    : target(panelTarget), startFolder(folder), reply(replyMessage ? *replyMessage : BMessage()) {}

void BFilePanel::Show() {
    std::string scripted;
    if (testseams::AnswerFilePanel(startFolder, &scripted)) {
        if (!scripted.empty() && BLooper::IsAlive(target)) {
            BMessage answer = reply;
            answer.AddString("path", scripted);
            target->PostMessage(answer);
        }
        return;
    }
    QString folder = QString::fromStdString(startFolder);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    auto* dialog = new QFileDialog(nullptr, QStringLiteral("Open"), folder);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setModal(false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    BLooper* receiver = target;
    BMessage answer = reply;
    QObject::connect(dialog, &QFileDialog::fileSelected, [receiver, answer](const QString& file) {
        if (file.isEmpty() || !BLooper::IsAlive(receiver))
            return;
        BMessage message = answer;
        message.AddString("path",
                          QDir::cleanPath(QFileInfo(file).absoluteFilePath()).toStdString());
        receiver->PostMessage(message);
    });
    QtSide::OverMainWindow(dialog);
    dialog->show();
}
