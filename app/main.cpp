#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/CApplication.h"
#include "app/Globals.h"
#include "platform/System.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    const std::string folder = ApplicationFolder(argc > 0 ? argv[0] : "");
    exepath = QFileInfo(QString::fromStdString(folder)).absoluteFilePath().toStdString();
    // The standard card set is named "./cards.bmp" by default: relative paths mean the
    // application folder, wherever the game was started from.
    QDir::setCurrent(QString::fromStdString(exepath));

    CApplication app;
    QuitOnTerminationSignals(&app);
    app.Run();
    return 0;
}
