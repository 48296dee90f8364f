// Line wrapping at the format's WrapColumn.
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

using markup_test::Html;
using markup_test::Render;

namespace {

TEST(Wrapping, BreaksAtTheLastSpaceWhenTheColumnReachesSeventy)
{
    const std::string html =
        Html("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg hhhhhhhhh");
    const std::string first = "<p>aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff";
    EXPECT_EQ(first.size(), 62u);
    EXPECT_EQ(html, first + "\nggggggggg hhhhhhhhh</p>\n");
}

TEST(Wrapping, BreakUsesTheCallersLineEnd)
{
    const auto r = Render("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg",
                          OptNoFrame, HtmlOutputFormat(), "\r\n");
    EXPECT_EQ(r.text,
              "<p>aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff\r\nggggggggg</p>\r\n");
}

TEST(Wrapping, NeverBreaksASingleLongWord)
{
    const std::string word(150, 'w');
    EXPECT_EQ(Html(word), "<p>" + word + "</p>\n");
    EXPECT_EQ(Html("= " + word), "<h1>" + word + "</h1>\n");
}

TEST(Wrapping, ListItemContinuesAfterItsWrapIndent)
{
    const std::string html =
        Html("* aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg");
    EXPECT_EQ(html,
              "\n<ul>\n  <li>aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff\n"
              "  ggggggggg</li>\n</ul>\n");
}

// Breaking at the indentation that starts a line would only add a line of
// blanks, and would do so again after every further character.
TEST(Wrapping, NeverBreaksWhereOnlyBlanksPrecedeOnTheLine)
{
    const std::string word(80, 'x');
    EXPECT_EQ(Html("* " + word), "\n<ul>\n  <li>" + word + "</li>\n</ul>\n");
    EXPECT_EQ(Html("* a " + word), "\n<ul>\n  <li>a\n  " + word + "</li>\n</ul>\n");
    EXPECT_EQ(Html("|a " + word + "|"),
              "<table>\n<tr><td>a\n  " + word + "</td>\n</tr>\n</table>\n");
    // A heading of blanks wraps them once, then keeps the blank line whole.
    const std::string blanks(200, ' ');
    const std::string heading = Html("= h" + blanks + "x");
    EXPECT_EQ(heading, "<h1>h" + std::string(64, ' ') + "\n" + std::string(135, ' ') + "x</h1>\n");
}

TEST(Wrapping, SpaceInsideALinkTargetIsABreakPosition)
{
    // Target bytes do not count in the column: it reaches 70 with the "\">"
    // after the target, and the last space on the line is inside it.
    const std::string html =
        Html("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee ffffff [[My Page Name]]");
    EXPECT_EQ(html,
              "<p>aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee ffffff <a href=\"My Page\n"
              "Name\">My Page Name</a></p>\n");
}

TEST(Wrapping, LongLineOfManyWordsBreaksEveryLine)
{
    std::string input;
    for (int k = 0; k < 40; ++k)
        input += "word" + std::to_string(k) + " ";
    const std::string html = Html(input);
    size_t start = 0;
    int lines = 0;
    for (size_t end; (end = html.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_LE(end - start, 70u) << html.substr(start, end - start);
        ++lines;
    }
    EXPECT_GE(lines, 4);
    std::string rejoined = html;
    for (char& c : rejoined)
        if (c == '\n')
            c = ' ';
    EXPECT_EQ(rejoined, "<p>" + input.substr(0, input.size() - 1) + "</p> ");
}

// A BreakFinder that allows a break only after a '-', and one that mirrors
// the default (spaces and tabs, replacing the byte).
int32_t AfterDash(const char* output, int32_t, int32_t index, FormatData, RenderState*)
{
    return output[index] == '-' ? 2 : 0;
}

int32_t LikeDefault(const char* output, int32_t, int32_t index, FormatData, RenderState*)
{
    return output[index] == ' ' || output[index] == '\t' ? 1 : 0;
}

// Breaks at a space that is not followed by '*': its answer depends on the
// byte after the index.
int32_t SpaceNotBeforeStar(const char* output, int32_t length, int32_t index, FormatData,
                           RenderState*)
{
    return output[index] == ' ' && index + 1 < length && output[index + 1] != '*' ? 1 : 0;
}

TEST(Wrapping, BreakFinderDecidesWhereToBreak)
{
    OutputFormat format = *HtmlOutputFormat();
    format.BreakFinder = AfterDash;
    const auto r = Render("aaaa-bbbb cccc dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd",
                          OptNoFrame, &format);
    EXPECT_EQ(r.text,
              "<p>aaaa-\nbbbb cccc dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd</p>\n");
}

TEST(Wrapping, BreakFinderSeesTheByteAfterTheIndex)
{
    OutputFormat format = *HtmlOutputFormat();
    format.BreakFinder = SpaceNotBeforeStar;
    const auto r = Render("aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ~*gggggggg hh",
                          OptNoFrame, &format);
    EXPECT_EQ(r.text,
              "<p>aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee\nfffffffff *gggggggg hh</p>\n");
}

TEST(Wrapping, FinderMirroringTheDefaultGivesTheSameOutput)
{
    OutputFormat format = *HtmlOutputFormat();
    format.BreakFinder = LikeDefault;
    std::mt19937 random(7);
    const char alphabet[] = "ab cd\t*[]|\n=#:";
    for (int n = 0; n < 300; ++n) {
        std::string input;
        const int length = int(random() % 400);
        for (int k = 0; k < length; ++k)
            input += alphabet[random() % (sizeof alphabet - 1)];
        EXPECT_EQ(Render(input, OptNoFrame, &format).text, Html(input)) << input;
    }
}

// The reference: WrapLine as a plain backward scan over the current line.
int32_t NaiveWrap(RenderState* st, int32_t wrapColumn)
{
    if (st->column < wrapColumn)
        return 0;
    int32_t found = -1;
    for (int32_t k = st->outputLength - 1; k >= 0; --k) {
        const char b = st->output[k];
        if (b == '\r' || b == '\n')
            break;
        if (b == ' ' || b == '\t') {
            found = k;
            break;
        }
    }
    if (found < 0)
        return 0;
    int32_t before = found - 1;  // no break that leaves only blanks before it
    while (before >= 0 && (st->output[before] == ' ' || st->output[before] == '\t'))
        --before;
    if (before < 0 || st->output[before] == '\r' || st->output[before] == '\n')
        return 0;
    std::string out(st->output, size_t(st->outputLength));
    const std::string inserted = std::string(st->lineEnd) + std::string(size_t(st->wrapIndent), ' ');
    out.replace(size_t(found), 1, inserted);
    std::memcpy(st->output, out.data(), out.size());
    st->column = int32_t(out.size() - found - inserted.size()) + st->wrapIndent;
    st->outputLength = int32_t(out.size());
    return 0;
}

// Appends, shortenings and wraps in random order: the remembering WrapLine
// breaks exactly where reading the whole line back would.
TEST(Wrapping, RememberedBreaksMatchAFullBackwardScan)
{
    const OutputFormat* format = HtmlOutputFormat();
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        static char areaA[20000], areaB[20000];
        RenderState a, b;
        std::memset(&a, 0, sizeof a);
        a.output = areaA;
        a.capacity = sizeof areaA;
        a.lineEnd = round % 2 ? "\r\n" : "\n";
        a.lineEndLength = int32_t(std::strlen(a.lineEnd));
        a.wrapIndent = int32_t(random() % 5);
        ForgetBreaks(&a);
        b = a;
        b.output = areaB;
        for (int step = 0; step < 400; ++step) {
            const unsigned action = random() % 20;
            if (action == 0 && a.outputLength > 0) {
                const int32_t length = a.outputLength - int32_t(random() % 3);
                a.outputLength = b.outputLength = length < 0 ? 0 : length;
                ForgetBreaks(&a);
            } else {
                const char c = "xxxxxxxyz  \t\n"[random() % 13];
                for (RenderState* st : {&a, &b}) {
                    st->output[st->outputLength++] = c;
                    st->column = c == '\n' ? 0 : st->column + 1;
                }
            }
            ASSERT_EQ(WrapLine(&a, format), MarkupOk);
            NaiveWrap(&b, format->WrapColumn);
            ASSERT_EQ(std::string(a.output, size_t(a.outputLength)),
                      std::string(b.output, size_t(b.outputLength)))
                << "round " << round << " step " << step;
            ASSERT_EQ(a.column, b.column);
        }
    }
}

TEST(Wrapping, NoRoomForTheInsertedLineEndFails)
{
    RenderState st;
    std::memset(&st, 0, sizeof st);
    char area[80];
    std::memset(area, 'x', sizeof area);
    area[10] = ' ';
    st.output = area;
    st.outputLength = 72;
    st.capacity = 74;
    st.column = 72;
    st.lineEnd = "\r\n";
    st.lineEndLength = 2;
    st.wrapIndent = 2;
    ForgetBreaks(&st);
    EXPECT_EQ(WrapLine(&st, HtmlOutputFormat()), MarkupNoRoom);  // 72 - 1 + 4 > 74
    st.capacity = 75;
    EXPECT_EQ(WrapLine(&st, HtmlOutputFormat()), MarkupOk);
    EXPECT_EQ(st.outputLength, 75);
    EXPECT_EQ(std::string(area + 10, 4), "\r\n  ");
    EXPECT_EQ(st.column, 61 + 2);
}

}  // namespace
