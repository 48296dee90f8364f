// Plain and compact text, as the conversion without a format writes them.
#include <gtest/gtest.h>

#include <vector>

#include "FormatTestSupport.h"

using format_test::Convert;

namespace {

std::string Text(std::string_view input, uint32_t options = 0)
{
    return Convert(TextOutputFormat(), input, options);
}

std::string Compact(std::string_view input, uint32_t options = 0)
{
    return Convert(CompactTextOutputFormat(), input, options);
}

TEST(TextFormat, IndentsHeadingsByFourMinusTheirLevelAndNumbersThem)
{
    EXPECT_EQ(Text("= A\n== B\n=== C\n==== D\n"), "   A\n\n  B\n\n C\n\nD\n\n");
    EXPECT_EQ(Text("= A\n== B\n== C\n= D\n", OptNumberLevel1 | OptNumberLevel2),
              "   1. A\n\n  1. B\n\n  2. C\n\n   2. D\n\n");
}

TEST(TextFormat, IndentsNestedItemsByLevelWithDashOrNumber)
{
    EXPECT_EQ(Text("* a\n** b\n*** c\n* d\n"), " - a\n    - b\n       - c\n - d\n\n");
    EXPECT_EQ(Text("# one\n## two\n## three\n# four\n"),
              "1. one\n   1. two\n   2. three\n2. four\n\n");
    EXPECT_EQ(Text("; term: definition\n: indented\n"), "term\n   definition\n   indented\n\n");
}

TEST(TextFormat, SeparatesTableCellsByTabsAndBlocksByBlankLines)
{
    EXPECT_EQ(Text("|=h|=i|\n|a|b c|\n"), "h\ti\t\na\tb c\t\n\n");
    EXPECT_EQ(Text("one\ntwo\n\nthree\n----\n{{{\ncode\n}}}\n"),
              "one two\n\nthree\n\n----------\n\ncode\n\n");
    // Styles, links and images leave their text only.
    EXPECT_EQ(Text("**b** //i// [[Page|link text]] {{pic.png|picture}}"),
              "b i link text picture\n\n");
}

TEST(TextFormat, WrapsAtSeventyAndIndentsContinuationsByLevel)
{
    EXPECT_EQ(Text("* aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg"),
              " - aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff\n"
              "   ggggggggg\n\n");
    EXPECT_EQ(TextOutputFormat()->WrapColumn, 70);
    EXPECT_EQ(TextOutputFormat()->WrapIndentStep, 3);
    EXPECT_EQ(TextOutputFormat()->DefaultFontSize, 10);
}

TEST(TextFormat, IsWhatTheConversionUsesWithoutAFormat)
{
    const std::string page = format_test::kFixturePage;
    std::vector<char> buffer(page.size() * 4 + 4096);
    const char* output = nullptr;
    int32_t length = 0;
    ASSERT_EQ(RenderMarkup(page.data(), int32_t(page.size()), buffer.data(), int32_t(buffer.size()),
                           0, "\n", nullptr, 0, &output, &length, nullptr),
              MarkupOk);
    EXPECT_EQ(std::string(output, size_t(length)), Text(page));
}

// Compact text is the same text without the blank lines between blocks
// (a preformatted block left open at the end of the text without a final
// line end leaves its last line without one).
TEST(CompactTextFormat, IsTextWithoutBlankLines)
{
    EXPECT_EQ(Compact("= A\npara one\n\npara two\n* a\n** b\n\n|a|b|\n----\n{{{\ncode\n}}}\nend\n"),
              "   A\npara one\npara two\n - a\n    - b\na\tb\t\n----------\ncode\nend\n");
    format_test::PageShape shape;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        const std::string page = format_test::RandomPage(seed, 40, shape);
        std::string text = Text(page);
        for (size_t blank; (blank = text.find("\n\n")) != std::string::npos;)
            text.erase(blank, 1);
        std::string compact = Compact(page);
        for (size_t blank; (blank = compact.find("\n\n")) != std::string::npos;)
            compact.erase(blank, 1);
        if (!text.empty() && text.back() == '\n' && !compact.ends_with('\n'))
            text.pop_back();
        ASSERT_EQ(compact, text) << "seed " << seed << "\ninput: " << page;
    }
}

}  // namespace
