#include "wiki/LinkMessages.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(LinkMessages, MissingPageQuestion)
{
    const MessageBoxRequest box = MissingPageQuestion("Nowhere Page");
    EXPECT_EQ(box.caption, "New WikiWord");
    EXPECT_EQ(box.text,
              "WikiWord \"Nowhere Page\" does not exist.\r\n\r\nDo you wish to create a new page?");
    EXPECT_EQ(box.kind, MessageKind::Confirmation);
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.effectiveDefault(), MessageButton::No);
    EXPECT_EQ(box.effectiveCancel(), MessageButton::No);
    EXPECT_EQ(box.countdownSeconds, 0);
}

TEST(LinkMessages, OpenFailureReasons)
{
    const struct {
        int code;
        const char* reason;
    } cases[] = {
        {2, "file not found"},
        {3, "path not found"},
        {5, "access denied"},
        {8, "not enough memory"},
        {26, "sharing violation"},
        {27, "filename association incomplete or invalid"},
        {28, "DDE request timed out"},
        {29, "DDE transaction failed"},
        {30, "DDE busy"},
        {31, "no application associated with the given filename extension"},
        {32, "dynamic-link library not found"},
        {0, "unspecified, code: 0"},
        {4, "unspecified, code: 4"},
        {-1, "unspecified, code: -1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OpenFailureReason(c.code), QString::fromLatin1(c.reason)) << c.code;
}

TEST(LinkMessages, OpenFailureBox)
{
    const MessageBoxRequest box = OpenFailureMessage(2);
    EXPECT_EQ(box.caption, "Unable to open file");
    EXPECT_EQ(box.text,
              "Error message: file not found\r\n\r\nPlease check the link in the wiki source.");
    EXPECT_EQ(box.kind, MessageKind::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.effectiveDefault(), MessageButton::Ok);
    EXPECT_EQ(box.countdownSeconds, 10);
}

}  // namespace
}  // namespace quorvel
