#include "dialogs/Prompter.h"
#include "dialogs/ScriptedPrompter.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(ScriptedPrompter, AnswersFromItsQueuesAndRecordsEveryRequest)
{
    ScriptedPrompter script;
    script.messageAnswers = {MessageButton::Yes};
    MessageBoxRequest box;
    box.caption = QStringLiteral("Caption");
    box.buttons = MessageButtons::YesNo;
    box.defaultButton = MessageButton::No;
    EXPECT_EQ(script.showMessage(box), MessageButton::Yes);
    // Queue empty: the box's default button.
    EXPECT_EQ(script.showMessage(box), MessageButton::No);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Caption"));

    QString value = QStringLiteral("start");
    script.inputAnswers = {QStringLiteral(" typed "), std::nullopt};
    EXPECT_TRUE(script.inputBox("Cap", "Prompt", value, 100));
    EXPECT_EQ(value, QStringLiteral(" typed "));
    EXPECT_FALSE(script.inputBox("Cap", "Prompt", value, 100));
    EXPECT_EQ(value, QStringLiteral(" typed "));
    EXPECT_FALSE(script.inputBox("Cap", "Prompt", value, 100));  // nothing queued: cancel
    ASSERT_EQ(script.inputs.size(), 3u);
    EXPECT_EQ(script.inputs[0].value, QStringLiteral("start"));
    EXPECT_EQ(script.inputs[0].maxLength, 100);

    script.folderAnswers = {QStringLiteral("/backups")};
    EXPECT_EQ(script.chooseFolder("Pick", "/start"), std::optional<QString>("/backups"));
    EXPECT_EQ(script.chooseFolder("Pick", "/start"), std::nullopt);
    EXPECT_EQ(script.folders[1].startFolder, QStringLiteral("/start"));

    QTextDocument document(QStringLiteral("page text"));
    PrintRange range;
    script.printAnswers = {true};
    EXPECT_TRUE(script.print({QStringLiteral("Home"), &document, &range}));
    EXPECT_FALSE(script.print({QStringLiteral("Home"), &document, nullptr}));
    EXPECT_EQ(script.prints[0].documentText, QStringLiteral("page text"));
    EXPECT_TRUE(script.prints[0].range.has_value());
    EXPECT_FALSE(script.prints[1].range.has_value());

    script.openAnswers = {kOpenFileNotFound};
    EXPECT_EQ(script.openTarget("manual.pdf").code, kOpenFileNotFound);
    EXPECT_TRUE(script.openTarget("http://x.org").succeeded());
    EXPECT_EQ(script.openedTargets, (std::vector<QString>{"manual.pdf", "http://x.org"}));
}

TEST(ScriptedPrompter, InputIsCutToTheEditBoxLimit)
{
    ScriptedPrompter script;
    QString value;
    script.inputAnswers = {QString(300, u'x'), QString(300, u'y')};
    EXPECT_TRUE(script.inputBox("C", "P", value, 100));
    EXPECT_EQ(value.size(), 100);
    EXPECT_TRUE(script.inputBox("C", "P", value, 300));
    EXPECT_EQ(value.size(), 255);
}

TEST(Prompter, InstalledPrompterReceivesEveryInteractionUntilRestored)
{
    ScriptedPrompter outer, inner;
    {
        ScopedPrompter useOuter(outer);
        EXPECT_EQ(&CurrentPrompter(), &outer);
        {
            ScopedPrompter useInner(inner);
            ShowMessage(MessageBoxRequest{});
            QString value;
            InputBox("C", "P", value, 10);
        }
        EXPECT_EQ(&CurrentPrompter(), &outer);
        ShowMessage(MessageBoxRequest{});
    }
    EXPECT_NE(&CurrentPrompter(), &outer);
    EXPECT_EQ(inner.messages.size(), 1u);
    EXPECT_EQ(inner.inputs.size(), 1u);
    EXPECT_EQ(outer.messages.size(), 1u);
    EXPECT_EQ(outer.inputs.size(), 0u);
}

}  // namespace
}  // namespace quorvel
