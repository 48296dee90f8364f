// TextOutputFormat, the plain-text format RenderMarkup falls back to.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

namespace {

struct Case {
    uint32_t options;
    const char* input;
    const char* text;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '"' << c.input << '"';
}

class TextFormat : public testing::TestWithParam<Case> {};

TEST_P(TextFormat, WritesPlainText)
{
    const auto r = markup_test::Render(GetParam().input, GetParam().options, nullptr);
    ASSERT_EQ(r.result, MarkupOk);
    EXPECT_EQ(r.text, GetParam().text);
}

// Options          Input                                   Plain text
const Case textCases[] = {
    {0, "",                                                 ""},
    {0, "= One\r\n== Two\r\n=== Three\r\n==== Four",        "   One\n\n  Two\n\n Three\n\nFour\n\n"},
    {OptNumberLevel1 | OptNumberLevel2, "= A\r\n== B\r\n= C", "   1. A\n\n  1. B\n\n   2. C\n\n"},
    {0, "para one\r\nstill\r\n\r\npara two",                "para one still\n\npara two\n\n"},
    {0, "**bold** //it// ##mono## [[Target|link]] {{i.png|pic}}", "bold it mono link pic\n\n"},
    {0, "[[Page]]",                                         "Page\n\n"},
    {0, "* a\r\n* b\r\n** c\r\n* d",                        " - a\n - b\n    - c\n - d\n\n"},
    {0, "# a\r\n# b\r\n## c\r\n# d",                        "1. a\n2. b\n   1. c\n3. d\n\n"},
    {0, "; term\r\n: definition",                           "term\n   definition\n\n"},
    {0, ": indented",                                       "   indented\n\n"},
    {0, "|a|b|\r\n|c|d|",                                   "a\tb\t\nc\td\t\n\n"},
    {0, "----",                                             "----------\n\n"},
    {0, "{{{\r\nx\ty\r\n}}}",                               "x   y\n\n"},
    {0, "a\\\\b",                                           "a\nb\n\n"},
    {0, "<&>",                                              "<&>\n\n"},
};

INSTANTIATE_TEST_SUITE_P(Fallback, TextFormat, testing::ValuesIn(textCases));

TEST(TextFormatRecord, NumbersOfTheFormat)
{
    const OutputFormat* f = TextOutputFormat();
    EXPECT_EQ(f->WrapColumn, 70);
    EXPECT_EQ(f->WrapIndentStep, 3);
    EXPECT_EQ(f->DefaultFontSize, 10);
}

TEST(TextFormatRecord, WrapsItemsWithTheirIndent)
{
    const auto r = markup_test::Render(
        "* aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg hhhhhhhhh", 0,
        nullptr);
    EXPECT_EQ(r.text,
              " - aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff\n"
              "   ggggggggg hhhhhhhhh\n\n");
}

}  // namespace
