#include "app/ErrorHandler.h"
#include "dialogs/ScriptedPrompter.h"
#include "store/StoreError.h"

#include <QAction>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ErrorHandler, UncaughtErrorEndsTheActionAndIsShownInAnErrorBox)
{
    ScriptedPrompter prompter;
    ScopedPrompter use(prompter);
    bool finished = false;
    EXPECT_FALSE(RunGuarded([&] {
        throw SqliteError(1, "no such table: WikiPages");
        finished = true;
    }));
    EXPECT_FALSE(finished);
    EXPECT_TRUE(RunGuarded([] {}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("Quorvel"));
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("SQLite Error 1 - no such table: WikiPages"));
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(prompter.messages[0].countdownSeconds, 0);
}

// A receiver whose handler fails the first time it runs.
class FailingOnce : public QObject {
public:
    void Handle()
    {
        if (++calls == 1)
            throw FileError("Cannot create file \"x\". Permission denied");
    }
    int calls = 0;
};

TEST(ErrorHandler, GuardedHandlerKeepsTheProgramRunning)
{
    ScriptedPrompter prompter;
    ScopedPrompter use(prompter);
    QAction action;
    FailingOnce receiver;
    ConnectGuarded(&action, &QAction::triggered, &receiver, &FailingOnce::Handle);
    action.trigger();
    action.trigger();
    EXPECT_EQ(receiver.calls, 2);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              QStringLiteral("Cannot create file \"x\". Permission denied"));
}

}  // namespace
}  // namespace quorvel
