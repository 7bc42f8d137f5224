#include "common/MessageSink.h"
#include "common/ErrorBoundary.h"
#include "common/Failure.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorBoundary, ShowsAnUnhandledFailureWithAFullStopAndGoesOn)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_FALSE(RunGuarded([] { throw Failure("'abc' is not a valid integer value"); }));
    EXPECT_FALSE(RunGuarded([] { throw Failure("Already ends."); }));
    EXPECT_TRUE(RunGuarded([] {}));
    ASSERT_EQ(sink.All().size(), 2u);
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::ApplicationError);
    EXPECT_EQ(sink.All()[0].text, "'abc' is not a valid integer value.");
    EXPECT_EQ(sink.All()[1].text, "Already ends.");
}

TEST(MessageSink, RecorderAnswersQuestionsFromItsScriptThenNo)
{
    RecordingSink sink;
    sink.ScriptAnswers({true, false});
    EXPECT_TRUE(sink.Ask("Alert", "Bank Not Found.To insert Equally?"));
    EXPECT_FALSE(sink.Ask("Alert", "again"));
    EXPECT_FALSE(sink.Ask("Alert", "no script left"));
    EXPECT_EQ(sink.All()[0].caption, "Alert");
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::Question);
}

TEST(MessageSink, ScopedSinkPutsThePreviousOneBack)
{
    RecordingSink outer, inner;
    ScopedMessageSink a(outer);
    {
        ScopedMessageSink b(inner);
        Messages().Notice("inner");
    }
    Messages().Error("outer");
    EXPECT_EQ(inner.Texts(), std::vector<std::string>{"inner"});
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"outer"});
    EXPECT_EQ(outer.All()[0].kind, RecordingSink::Kind::Error);
}

} // namespace
