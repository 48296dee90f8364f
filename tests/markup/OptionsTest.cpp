// Every MarkupOptions bit, and the font size and heading variables.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

using markup_test::Html;
using markup_test::Render;

namespace {

struct Case {
    uint32_t options;
    const char* input;
    const char* html;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << "0x" << std::hex << c.options << " \"" << c.input << '"';
}

class Options : public testing::TestWithParam<Case> {};

TEST_P(Options, ChangeTheOutputAsDocumented)
{
    EXPECT_EQ(Html(GetParam().input, GetParam().options), GetParam().html);
}

// Options                  Input                     Expected HTML body
const Case optionCases[] = {
    {OptNoLevel1Headings,     "= a\r\n=== b",           "<h2>a</h2>\n<h3>b</h3>\n"},
    {OptNumberLevel1 | OptNumberLevel2, "= A\r\n== B\r\n== B2\r\n= C\r\n== D",
     "<h1>1. A</h1>\n<h2>1. B</h2>\n<h2>2. B2</h2>\n<h1>2. C</h1>\n<h2>1. D</h2>\n"},
    {OptNumberLevel2,         "= A\r\n== B\r\n=== C",   "<h1>A</h1>\n<h2>1. B</h2>\n<h3>C</h3>\n"},
    {OptNumberLevel1 | OptNoLevel1Headings, "= A\r\n= B", "<h2>A</h2>\n<h2>B</h2>\n"},
    {OptNoDefinitionLists,    "; a : b",                "<p>; a : b</p>\n"},
    {OptNoIndent,             ": a",                    "<p>: a</p>\n"},
    {OptLineParagraphs,       "a\r\nb",                 "<p>a</p>\n<p>b</p>\n"},
    {OptLineParagraphs,       "* a\r\nb",               "\n<ul>\n  <li>a</li>\n</ul>\n<p>b</p>\n"},
    {OptNoEscape,             "~**a**",                 "<p>~<b>a</b></p>\n"},
    {OptNoRules,              "----",                   "<p>----</p>\n"},
    {OptNoLinks,              "[[a]]",                  "<p>[[a]]</p>\n"},
    {OptNoImages,             "{{a}}",                  "<p>{{a}}</p>\n"},
    {OptNoTables,             "|a|b|",                  "<p>|a|b|</p>\n"},
    {OptNoUnderline,          "__a__",                  "<p>__a__</p>\n"},
    {OptNoMonospace,          "x ##a##",                "<p>x ##a##</p>\n"},
    {OptNoMonospace,          "## a",                   "\n<ol>\n  <li>\n<ol>\n    <li>a</li>\n</ol>\n</li>\n</ol>\n"},
    {OptNoSuperSub,           "^^a^^ ,,b,,",            "<p>^^a^^ ,,b,,</p>\n"},
    {OptNoBold,               "x **a**",                "<p>x **a**</p>\n"},
    {OptNoBold,               "** a",                   "\n<ul>\n  <li>\n<ul>\n    <li>a</li>\n</ul>\n</li>\n</ul>\n"},
    {OptNoBold,               "**",                     "\n<ul>\n  <li>\n<ul>\n    <li></li>\n</ul>\n</li>\n</ul>\n"},
    {OptNoItalic,             "//a//",                  "<p>//a//</p>\n"},
    {OptNoExtensions,         "<<x>>",                  "<p>&lt;&lt;x&gt;&gt;</p>\n"},
    {OptNoWikiAsMonospace,    "{{{x}}}",                "<p><tt>x</tt></p>\n"},
    {OptNoWikiAsMonospace,    "##m {{{y}}} m##",        "<p><tt>m y m</tt></p>\n"},
    {OptNoWikiAsMonospace,    "a {{{x",                 "<p>a <tt>x</tt></p>\n"},
    {OptHeadingAnchors,       "== T",                   "<h2 id=\"h2\">T</h2>\n"},
    {OptHeadingAnchors,       "x\r\n= T",               "<p>x</p>\n<h1 id=\"h4\">T</h1>\n"},
    // Bits without meaning change nothing
    {0x2 | 0x80000 | 0x400000 | 0x80000000u, "== a **b**", "<h2>a <b>b</b></h2>\n"},
};

INSTANTIATE_TEST_SUITE_P(Bits, Options, testing::ValuesIn(optionCases));

TEST(Options, NoFrameDropsDocumentBeginAndEnd)
{
    EXPECT_EQ(Render("x", 0).text, "<html>\n<body>\n<p>x</p>\n</body>\n</html>\n");
    EXPECT_EQ(Render("x", OptNoFrame).text, "<p>x</p>\n");
    EXPECT_EQ(Render("", 0, HtmlOutputFormat(), "\r\n").text,
              "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
}

TEST(FontSize, StylesEveryBlockWhenAboveZero)
{
    const auto r = Render("= H\r\np\r\n* i\r\n|c|", OptNoFrame, HtmlOutputFormat(), "\n", 10);
    EXPECT_EQ(r.text,
              "<h1 style=\"font-size:30pt\">H</h1>\n<p style=\"font-size:10pt\">p</p>\n"
              "\n<ul>\n  <li style=\"font-size:10pt\">i</li>\n</ul>\n"
              "<table>\n<tr><td style=\"font-size:10pt\">c</td>\n</tr>\n</table>\n");
    const auto heading = [](const char* input) {
        return Render(input, OptNoFrame, HtmlOutputFormat(), "\n", 8).text;
    };
    EXPECT_EQ(heading("== h"), "<h2 style=\"font-size:16pt\">h</h2>\n");
    EXPECT_EQ(heading("=== h"), "<h3 style=\"font-size:12pt\">h</h3>\n");
    EXPECT_EQ(heading("==== h"), "<h4 style=\"font-size:10pt\">h</h4>\n");
}

TEST(FontSize, BelowOneMeansTheFormatsDefault)
{
    EXPECT_EQ(Render("p", OptNoFrame, HtmlOutputFormat(), "\n", -5).text, "<p>p</p>\n");
    EXPECT_EQ(Render("{{{\nx\n}}}", OptNoFrame, HtmlOutputFormat(), "\n", 9).text,
              "<pre style=\"font-size:9pt\">\nx\n</pre>\n");
}

}  // namespace
