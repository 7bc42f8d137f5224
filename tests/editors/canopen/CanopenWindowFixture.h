#pragma once
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "editors/canopen/workbook/OpenExcel.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

inline namespace zz {

// A project directory, the shared workbook dialog, recorded messages and a scripted desktop
// for the CANopen window tests.
class CanopenWindowTest : public ::testing::Test {
protected:
    CanopenWindowTest()
    {
        context.ProjectDir = project.Path();
        context.UpdateProjectFiles();
        openExcel.InitialDir = project.Path();
    }

    // Answers the next workbook dialog with a CSV file written in a separate directory.
    std::string PickWorkbook(const std::string& name, const std::string& csv)
    {
        const std::string path = books.Write(name, csv);
        desktop.files.push_back(path);
        return path;
    }

    // A mouse click on a list item, as a person makes it.
    static void ClickItem(QListWidget* list, int row)
    {
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr) << "no item " << row;
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    static std::vector<std::string> Items(QListWidget* list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
        return items;
    }

    RecordingSink sink;
    ScopedMessageSink sinkScope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir project;
    TempDir books;
    ProjectContext context;
    OpenExcelDialog openExcel;
};

} // namespace zz
