// The man format: a troff page for the man macros.
#include <gtest/gtest.h>

#include <set>

#include "FormatCheckers.h"
#include "FormatTestSupport.h"

using format_test::Convert;
using format_test::ManFault;

namespace {

std::string Man(std::string_view input, uint32_t options = 0)
{
    return Convert(ManOutputFormat(), input, options);
}

TEST(ManFormat, WritesOnlyItsOwnRequestsForRandomPages)
{
    format_test::CheckRandomPages(ManOutputFormat(), ManFault, 500);
    EXPECT_NE(ManFault(".TH X 7\n.xx\n"), "");
    EXPECT_NE(ManFault(".TH X 7\ntext\n\ntext\n"), "");
    EXPECT_EQ(ManFault(".TH X 7\n.EX\n\n.EE\n\\&.x\n"), "");
}

TEST(ManFormat, WritesTitleHeadingsParagraphsAndItems)
{
    EXPECT_EQ(Man("= Name\n== Sub\ntext **b** //i//\n* a\n\n# b\n\n; t: d\n"),
              ".\\\" Written by quorvel-markup from a Quorvel wiki page.\n"
              ".TH PAGE 7 \"\" \"Quorvel\" \"Quorvel wiki page\"\n"
              ".SH \"Name\"\n.SS \"Sub\"\n.P\ntext \\fBb\\fR \\fIi\\fR\n"
              ".IP \\(bu 3\na\n.IP 1. 4\nb\n.P\n.TP\n\\fBt\\fR\n\\&d\n");
}

TEST(ManFormat, GuardsControlCharactersAndEscapes)
{
    // '.' and '\'' where a line may start (at its start, or after a space
    // where wrapping may break) get \&; backslashes, minus signs and
    // quotes are escapes; UTF-8 becomes \[uXXXX].
    EXPECT_EQ(Man(".a 'b c.d \\ - \"q\" caf\xC3\xA9 \xF0\x9F\x98\x80", OptNoFrame),
              "\n.P\n\\&.a \\&'b c.d \\e \\- \\(dqq\\(dq caf\\[u00E9] \\[u1F600]");
    EXPECT_EQ(Man("{{{\n.x\n}}}\n", OptNoFrame), "\n.P\n.EX\n\\&.x\n\\c\n.EE");
}

TEST(ManFormat, NestsListsWithRelativeIndents)
{
    EXPECT_EQ(Man("* a\n** b\n* c\n", OptNoFrame),
              "\n.IP \\(bu 3\na\n.RS\n.IP \\(bu 3\nb\n.RE\n.IP \\(bu 3\nc");
}

}  // namespace
