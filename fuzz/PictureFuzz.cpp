// SPDX-License-Identifier: GPL-3.0-or-later
// Picture loading against any bytes, through the paths the game takes: decoding, then, for what
// decodes, keying it as a card set and building the table's background from it.
#include <fcntl.h>
#include <unistd.h>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/TestSeams.h"
#include "platform/Translation.h"
#include "view/CView.h"

namespace {

QTemporaryDir* folder = nullptr;
std::string picture;
CView* view = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    folder = new QTemporaryDir();
    picture = folder->filePath("picture").toStdString();
    testseams::ScriptAlerts();
    view = new CView(BRect(0, 0, 700, 500), "table");
    view->SetApplicationFolder(TARNWICK_APP_DIR);  // where the standard card set is
    view->SetBitmap("./cards.bmp", CView::kNoRedraw);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = open(picture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || write(fd, data, size) != ssize_t(size) || close(fd) != 0)
        std::abort();
    std::unique_ptr<BBitmap> decoded(BTranslationUtils::GetBitmapFile(picture.c_str()));
    if (!decoded)
        return 0;
    testseams::ScriptAlerts();  // a wrong-sized set is told and replaced by the standard one
    view->SetBitmap(picture.c_str(), CView::kNoRedraw);
    view->SetBackground(picture.c_str());
    return 0;
}
