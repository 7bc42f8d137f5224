#include "app/TFZuzududadaeFirmWare.h"
#include "app/WindowSet.h"
#include "editors/canopen/widgets/TFInfopdo.h"
#include "editors/canopen/widgets/TFpdo.h"
#include "editors/canopen/widgets/TFsdo.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// The CANopen menu of the main window opens the three windows on the current project.
TEST(CanopenMenu, OpensTheSdoPdoAndStoredPdoWindows)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    TempDir app;
    TFZuzududadaeFirmWare main(app.Path());
    main.SetWindows(CreateWindows({main.Context(), main.OpenExcel(), &main}));
    main.show();
    std::vector<const QMetaObject*> opened;
    const auto open = [&](QAction* action) {
        WhileModal([&] { action->trigger(); },
                   [&](QWidget* modal) {
                       opened.push_back(modal->metaObject());
                       Button(modal, QStringLiteral("Cancel"))->click();
                   });
    };
    open(main.actSdo);
    open(main.actPdo);
    open(main.actInfoPdo);
    EXPECT_EQ(opened, (std::vector<const QMetaObject*>{&TFsdo::staticMetaObject, &TFpdo::staticMetaObject,
                                                       &TFInfopdo::staticMetaObject}));
    // The two windows with a document of their own report it missing in the project.
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"File XML not found", "File SDO XML not found",
                                                      "File PDO XML not found", "File SDOPDO XML not found"}));
}

} // namespace
