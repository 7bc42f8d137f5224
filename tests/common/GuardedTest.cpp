#include "common/widgets/Guarded.h"
#include "common/Failure.h"
#include "common/MessageSink.h"
#include "common/widgets/ModalWindow.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(OnAccept, ClosesOnlyWhenTheHandlerCompletedAndAgreed)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    ModalWindow window;
    QPushButton ok(QStringLiteral("OK"), &window);
    int mode = 0; // 0: refuses, 1: fails, 2: agrees
    OnAccept(&ok, &window, [&] {
        if (mode == 1) throw Failure("Cannot write file 'x'");
        return mode == 2;
    });
    window.show();
    ok.click();
    EXPECT_TRUE(window.isVisible());
    mode = 1;
    ok.click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(sink.Last(), "Cannot write file 'x'.");
    mode = 2;
    ok.click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

class CountingWindow : public ModalWindow {
public:
    int shows = 0;
    bool fail = false;

protected:
    void FormShow() override
    {
        ++shows;
        if (fail) throw Failure("bad document");
    }
};

TEST(ModalWindow, EveryShowingReloadsAndAFailedLoadKeepsTheWindowOpen)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CountingWindow window;
    window.show();
    window.hide();
    window.fail = true;
    window.show();
    EXPECT_EQ(window.shows, 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(sink.Last(), "bad document.");
}

} // namespace
