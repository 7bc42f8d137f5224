// zuzududada: the gateway configuration tool.
#include "app/TFZuzududadaeFirmWare.h"
#include "app/WindowSet.h"
#include "common/AppDirectory.h"
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
                 "  --app-dir DIR  use DIR as the application directory (its MASTER, PROJECTS and\n"
                 "                 Zuzududada_TRVX.ini) instead of the program's directory, or of\n"
                 "                 ~/.local/share/zuzududada for an installed program\n";
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

    std::string firstStartNote;
    appDir = ResolveAppDirectory(appDir, firstStartNote);
    TFZuzududadaeFirmWare mainWindow(appDir);
    mainWindow.SetWindowFactory([&mainWindow] {
        return CreateWindows({mainWindow.Context(), mainWindow.OpenExcel(), &mainWindow});
    });
    mainWindow.show();
    // The note comes over the main window, once the event loop runs.
    if (!firstStartNote.empty())
        QMetaObject::invokeMethod(
            &mainWindow, [firstStartNote] { Messages().Notice(firstStartNote); }, Qt::QueuedConnection);
    return application.exec();
}
