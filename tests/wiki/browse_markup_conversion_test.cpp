// The window's conversion call: trimming, failures and the null format.
#include "markup/MarkupEngine.h"
#include "wiki/MarkupConversion.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(MarkupConversion, EmptyTextGivesTheTrimmedDocumentFrame)
{
    QByteArray html = "stale";
    EXPECT_EQ(ConvertMarkup("", HtmlOutputFormat(), html), 0);
    EXPECT_EQ(html, "<html>\r\n<body>\r\n</body>\r\n</html>");
}

TEST(MarkupConversion, ConvertsWithCrLfAndTrimsOnlyTheEnd)
{
    QByteArray html;
    EXPECT_EQ(ConvertMarkup("=Title=\r\nSome **bold** text\r\n\r\n\r\n", HtmlOutputFormat(), html),
              0);
    EXPECT_TRUE(html.startsWith("<html>\r\n<body>\r\n"));
    EXPECT_TRUE(html.contains("<b>bold</b>"));
    EXPECT_TRUE(html.contains("\r\n"));
    EXPECT_TRUE(html.endsWith("</html>"));
}

TEST(MarkupConversion, GrowsTheBufferForOutputHeavyText)
{
    // Every other character becomes an entity: the output outgrows the
    // first buffer (2 n + 1024, half of it for the output).
    const QByteArray text = QByteArray("x<").repeated(10000);
    QByteArray html;
    EXPECT_EQ(ConvertMarkup(text, HtmlOutputFormat(), html), 0);
    EXPECT_EQ(html.count("x&lt;"), 10000);
}

// A character writer that fails with its own result code.
int32_t FailingWriter(const char*, int32_t, int32_t*, FormatData, RenderState*)
{
    return 7;
}

TEST(MarkupConversion, FailureLeavesTheResultEmpty)
{
    OutputFormat failing = *HtmlOutputFormat();
    failing.CharWriter = &FailingWriter;
    QByteArray html = "previous";
    EXPECT_EQ(ConvertMarkup("text", &failing, html), 7);
    EXPECT_TRUE(html.isEmpty());
}

TEST(MarkupConversion, NullFormatIsAnAssertionFailure)
{
    QByteArray html = "previous";
    EXPECT_THROW(ConvertMarkup("text", nullptr, html), AssertionFailure);
    EXPECT_TRUE(html.isEmpty());
    try {
        ConvertMarkup("text", nullptr, html);
    } catch (const AssertionFailure& e) {
        EXPECT_STREQ(e.what(), "Assertion failure");
    }
}

}  // namespace
}  // namespace quorvel
