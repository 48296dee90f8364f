// The engine's shortcuts for plain text and plain templates must write what
// the general path writes: blanks between words, wrapping, and templates
// learnt during one conversion.
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

using namespace markup_test;

namespace {

class BlanksBetweenWords : public testing::TestWithParam<Case> {};

TEST_P(BlanksBetweenWords, GiveOneSeparator)
{
    EXPECT_EQ(Html(GetParam().input), GetParam().html);
}

INSTANTIATE_TEST_SUITE_P(
    FastPath, BlanksBetweenWords,
    testing::Values(Case{"a b c", "<p>a b c</p>\n"}, Case{"a\tb", "<p>a b</p>\n"},
                    Case{"a  \t b", "<p>a b</p>\n"}, Case{"a b ", "<p>a b</p>\n"},
                    Case{"a b \r\nc", "<p>a b c</p>\n"}, Case{"a *b", "<p>a *b</p>\n"},
                    Case{"a **b**", "<p>a <b>b</b></p>\n"}, Case{"a ,b ,,c", "<p>a ,b <sub>c</sub></p>\n"},
                    Case{"a <b", "<p>a &lt;b</p>\n"}, Case{"a ~b", "<p>a b</p>\n"},
                    Case{"\xC3\xA9 \xE2\x82\xAC", "<p>\xC3\xA9 \xE2\x82\xAC</p>\n"}));

// A CharNotify that does nothing turns the plain-text copy off: every byte
// then goes through the tokenizer one by one.
int32_t IgnoreChar(int32_t, FormatData, RenderState*)
{
    return MarkupOk;
}

std::string WrapHeavyPage(std::mt19937& random)
{
    static const char* const starts[] = {"", "* ", "## ", "; ", ": ", "|", "== "};
    static const char* const blanks[] = {" ", " ", " ", "\t", "  ", " \t"};
    static const char* const specials[] = {"*", "**", "//", ",", "&", "\xC3\xA9", "\xF0\x9F\x98\x80", "[[P|t]]", "~x"};
    std::string page;
    for (int line = 0; line < 6; ++line) {
        page += starts[random() % (sizeof starts / sizeof starts[0])];
        const int words = int(random() % 40);
        for (int w = 0; w < words; ++w) {
            const int length = 1 + int(random() % (random() % 5 == 0 ? 80 : 12));
            for (int c = 0; c < length; ++c)
                page += random() % 20 == 0 ? specials[random() % (sizeof specials / sizeof specials[0])]
                                           : std::string(1, char('a' + random() % 26));
            page += blanks[random() % (sizeof blanks / sizeof blanks[0])];
        }
        page += random() % 3 == 0 ? "\r\n\r\n" : "\r\n";
    }
    return page;
}

// Converts pages from makePage with each format as it is and with a
// CharNotify that does nothing (which turns every shortcut off): output,
// character count and, for every twentieth page, the result at each buffer
// size near the smallest must agree.
void ExpectShortcutsChangeNothing(std::string (*makePage)(std::mt19937&), unsigned seed,
                                  int pages, std::initializer_list<const OutputFormat*> formats)
{
    for (const OutputFormat* base : formats) {
        OutputFormat slow = *base;
        slow.CharNotify = IgnoreChar;
        std::mt19937 random(seed);
        for (int n = 0; n < pages; ++n) {
            const std::string page = makePage(random);
            const Rendered fast = Render(page, 0, base, "\r\n");
            const Rendered general = Render(page, 0, &slow, "\r\n");
            ASSERT_EQ(fast.result, MarkupOk);
            ASSERT_EQ(fast.text, general.text) << testing::PrintToString(page);
            ASSERT_EQ(fast.chars, general.chars);
            if (n % 20 != 0)
                continue;
            for (int32_t size = 2 * int32_t(page.size()); size < 2 * int32_t(fast.text.size()) + 8;
                 ++size) {
                std::vector<char> a(static_cast<size_t>(size)), b(static_cast<size_t>(size));
                const char* out = nullptr;
                int32_t length = 0;
                const int32_t fastResult = RenderMarkup(page.data(), int32_t(page.size()), a.data(),
                                                        size, 0, "\r\n", base, 0, &out, &length, nullptr);
                const int32_t slowResult = RenderMarkup(page.data(), int32_t(page.size()), b.data(),
                                                        size, 0, "\r\n", &slow, 0, &out, &length, nullptr);
                ASSERT_EQ(fastResult, slowResult) << size << " " << testing::PrintToString(page);
            }
        }
    }
}

TEST(FastPath, PlainTextCopyWrapsWhereTheTokenizerWould)
{
    ExpectShortcutsChangeNothing(WrapHeavyPage, 7, 300,
                                 {HtmlOutputFormat(), TextOutputFormat(), ManOutputFormat()});
}

std::string PreformattedPage(std::mt19937& random)
{
    static const char* const pieces[] = {"int x", " ", "  ", "\t", "<b>", "&amp;", "\"q\"", "}}}",
                                         " }}}", "}", "**no**", "\xC3\xA9", "\xF0\x9F\x98\x80", "~"};
    std::string page = random() % 2 ? "text\r\n" : "";
    for (int block = 0; block < 3; ++block) {
        page += "{{{\r\n";
        const int lines = int(random() % 6);
        for (int line = 0; line < lines; ++line) {
            const int count = int(random() % 12);
            for (int k = 0; k < count; ++k)
                page += pieces[random() % (sizeof pieces / sizeof pieces[0])];
            page += random() % 4 ? "\r\n" : "\n";
        }
        page += random() % 5 ? "}}}\r\n" : "";
    }
    return page;
}

// A text hook that never replaces anything: running text then goes through
// the tokenizer, while preformatted lines (where hooks are not called) are
// still copied in runs.
int32_t NeverReplaces(const char*, int32_t, int32_t*, FormatData, RenderState*)
{
    return 0;
}

TEST(FastPath, PreformattedLinesAreCopiedAsTheirTokensWouldWriteThem)
{
    static const TextHook hooks[] = {{NeverReplaces, nullptr}, {nullptr, nullptr}};
    static OutputFormat hooked = *HtmlOutputFormat();
    hooked.TextHooks = hooks;
    ExpectShortcutsChangeNothing(PreformattedPage, 11, 200,
                                 {HtmlOutputFormat(), TextOutputFormat(), &hooked});
}

TEST(FastPath, SeparatorOtherThanABlankIsWrittenForEachRunOfBlanks)
{
    OutputFormat format = *HtmlOutputFormat();
    format.WordSeparator = "_";
    EXPECT_EQ(Render("a b\tc  d", OptNoFrame, &format).text, "<p>a_b_c_d</p>\n");
}

TEST(FastPath, BlanksBetweenWordsAreNotEscaped)
{
    static const EscapeEntry escapes[] = {{' ', "&#32;"}, {'<', "&lt;"}, {'\0', nullptr}};
    OutputFormat format = *HtmlOutputFormat();
    format.CharWriterData = escapes;
    EXPECT_EQ(Render("a b\tc <", OptNoFrame, &format).text, "<p>a b c &lt;</p>\n");
}

TEST(FastPath, TemplatesAreReadAgainInEveryConversion)
{
    // The engine remembers templates only within one call: a template that
    // changes between calls is written as it stands.
    static char bold[8];
    OutputFormat format = *HtmlOutputFormat();
    format.BoldBegin = bold;
    std::strcpy(bold, "<b>");
    EXPECT_EQ(Render("**x** **y**", OptNoFrame, &format).text, "<p><b>x</b> <b>y</b></p>\n");
    std::strcpy(bold, "<B>\n");
    EXPECT_EQ(Render("**x** **y**", OptNoFrame, &format).text, "<p><B>\nx</b> <B>\ny</b></p>\n");
    std::strcpy(bold, "<%{l}>");
    EXPECT_EQ(Render("**x**", OptNoFrame, &format).text, "<p><0>x</b></p>\n");
}

// Counts its calls, so that every use of a template reading it differs.
int32_t CountingVariable(char, FormatData data, const OutputFormat*)
{
    return ++*static_cast<int32_t*>(const_cast<void*>(data));
}

TEST(FastPath, RememberedTemplatesFollowTheVariablesTheyRead)
{
    // Templates with directives are written once and their output reused
    // while the variables they read keep their values.
    OutputFormat format = *HtmlOutputFormat();
    format.BulletItemBegin = "<li l=%{l} s=%{s}>";
    EXPECT_EQ(Render("* a\n** b\n* c\n** d\n*** e\n** f", OptNoFrame, &format).text,
              "\n<ul>\n<li l=1 s=0>a\n<ul>\n<li l=2 s=0>b</li>\n</ul>\n</li>\n"
              "<li l=1 s=0>c\n<ul>\n<li l=2 s=0>d\n<ul>\n<li l=3 s=0>e</li>\n</ul>\n</li>\n"
              "<li l=2 s=0>f</li>\n</ul>\n</li>\n</ul>\n");
    EXPECT_EQ(Render("* a\n* b", OptNoFrame, &format, "\n", 9).text,
              "\n<ul>\n<li l=1 s=9>a</li>\n<li l=1 s=9>b</li>\n</ul>\n");

    // The reading position and a format's own variables change between uses.
    int32_t calls = 0;
    format.VariableHook = CountingVariable;
    format.VariableHookData = &calls;
    format.ParagraphBegin = "<p n=%{N} at=%{o}>";
    EXPECT_EQ(Render("a\n\nb\n\nc", OptNoFrame, &format).text,
              "<p n=1 at=1>a</p>\n<p n=2 at=4>b</p>\n<p n=3 at=7>c</p>\n");
}

TEST(FastPath, RememberedTemplateNeedsTheRoomItsFirstWritingNeeded)
{
    // A guard whose body is written and taken back out asks for room for
    // the body each time: near the end of the buffer a remembered template
    // must fail exactly where writing it again would.
    const std::string input = "a\n\nb\n\nc\n\nd";
    const Rendered whole = Render(input, OptNoFrame);
    ASSERT_EQ(whole.result, MarkupOk);
    int32_t smallest = -1;
    for (int32_t size = 0; size < 400; ++size) {
        std::vector<char> buffer(size_t(size) + 1, '\xC5');
        const char* output = nullptr;
        int32_t length = 0;
        const int32_t result = RenderMarkup(input.data(), int32_t(input.size()), buffer.data(), size,
                                            OptNoFrame, "\n", HtmlOutputFormat(), 0, &output,
                                            &length, nullptr);
        ASSERT_EQ(buffer[size_t(size)], '\xC5');
        if (result == MarkupOk) {
            EXPECT_EQ(std::string(output, size_t(length)), whole.text) << size;
            if (smallest < 0)
                smallest = size;
        } else {
            ASSERT_EQ(result, MarkupNoRoom);
            ASSERT_LT(smallest, 0) << "a larger buffer failed after a smaller one worked";
        }
    }
    // The last paragraph's guard: after 3 paragraphs of 9 bytes and "<p", its
    // body's 18 bytes up to the font size, then 12 bytes of room for the
    // number: 27 + 2 + 18 + 12 = 59 bytes of output half.
    EXPECT_EQ(smallest, 2 * 59);
}

TEST(FastPath, SmallestBufferIsUnchanged)
{
    // Every smaller buffer fails cleanly without writing past its end.
    const std::string input = "word";
    const Rendered whole = Render(input, OptNoFrame);
    ASSERT_EQ(whole.text, "<p>word</p>\n");
    int32_t smallest = -1;
    for (int32_t size = 0; size < 200 && smallest < 0; ++size) {
        std::vector<char> buffer(size_t(size) + 1, '\xC5');
        const char* output = nullptr;
        int32_t length = 0;
        const int32_t result = RenderMarkup(input.data(), int32_t(input.size()), buffer.data(), size,
                                            OptNoFrame, "\n", HtmlOutputFormat(), 0, &output,
                                            &length, nullptr);
        EXPECT_EQ(buffer[size_t(size)], '\xC5');
        if (result == MarkupOk) {
            smallest = size;
            EXPECT_EQ(std::string(output, size_t(length)), whole.text);
        } else {
            EXPECT_EQ(result, MarkupNoRoom);
        }
    }
    // The paragraph's "%%{s>0} style=..." guard is written before it is
    // dropped, so the output half needs room for it (32 bytes); the engine
    // before the shortcuts needed exactly this buffer too.
    EXPECT_EQ(smallest, 64);
}

}  // namespace
