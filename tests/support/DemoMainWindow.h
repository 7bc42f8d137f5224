#pragma once
#include "app/TFZuzududadaeFirmWare.h"
#include "app/WindowSet.h"
#include "common/Desktop.h"
#include "common/MessageSink.h"
#include "support/ScriptedDesktop.h"
#include "support/TempDir.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <memory>
#include <string>

inline namespace zz {

// The main window over a copy of the demo project's gateway documents, opened as the
// application opens it, with the messages recorded and the desktop scripted. The test binary
// defines ZZ_DEMO_PROJECT_DIR.
class DemoMainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteDemoProject();
        OpenMainWindow();
    }

    // The five gateway documents of the demo and a settings file that opens the project.
    void WriteDemoProject()
    {
        for (const char* file :
             {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
            app.Write(std::string("PROJECTS/Demo/") + file, ReadAll(std::string(ZZ_DEMO_PROJECT_DIR) + "/" + file));
        app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=/Demo\r\n");
    }
    void OpenMainWindow()
    {
        main = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
        main->SetWindows(CreateWindows({main->Context(), main->OpenExcel(), main.get()}));
        main->show();
    }
    // The menu entry of that text (without its accelerator mark), in any menu.
    QAction* MenuEntry(const QString& text)
    {
        for (QAction* menu : main->menuBar()->actions())
            if (menu->menu())
                for (QAction* action : menu->menu()->actions())
                    if (action->text().remove('&') == text) return action;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        return nullptr;
    }
    // A document of the project as it is on disk now.
    std::string Document(const char* name) { return ReadAll(app.File(std::string("PROJECTS/Demo/") + name)); }

    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir app;
    std::unique_ptr<TFZuzududadaeFirmWare> main;
};

} // namespace zz
