#pragma once
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

inline namespace zz {

// A gateway editor's test: an empty project directory whose documents the window reads and
// writes, and the messages it shows.
class GatewayWindowTest : public ::testing::Test {
protected:
    GatewayWindowTest()
        : scope(sink)
    {
        context.ProjectDir = dir.Path();
        context.UpdateProjectFiles();
    }

    TempDir dir;
    ProjectContext context;
    RecordingSink sink;
    ScopedMessageSink scope;
};

} // namespace zz
