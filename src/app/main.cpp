// zuzududada: the gateway configuration tool.
#include "app/TFZuzududadaeFirmWare.h"
#include "app/WindowSet.h"
#include "common/MessageSink.h"
#include "common/widgets/QtDesktop.h"
#include "common/widgets/QtMessageSink.h"

#include <QApplication>
#include <cstring>
#include <iostream>

namespace {

void PrintUsage()
{
    std::cout << "Usage: zuzududada [--app-dir DIR]\n"
                 "  --app-dir DIR  use DIR instead of the program's directory as the application\n"
                 "                 directory (its MASTER, PROJECTS and Zuzududada_TRVX.ini)\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::string appDir;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--app-dir") && i + 1 < argc) {
            appDir = argv[++i];
        } else if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            PrintUsage();
            return 0;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
    QtMessageSink messages;
    ScopedMessageSink messageScope(messages);
    QtDesktop desktop;
    ScopedDesktop desktopScope(desktop);

    if (appDir.empty()) appDir = QCoreApplication::applicationDirPath().toStdString();
    TFZuzududadaeFirmWare mainWindow(appDir);
    mainWindow.SetWindows(CreateWindows({mainWindow.Context(), mainWindow.OpenExcel(), &mainWindow}));
    mainWindow.show();
    return application.exec();
}
