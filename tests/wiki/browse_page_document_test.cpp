#include "wiki/PageDocument.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const char* const kHead =
    "<html><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"><head><title>"
    "=Topic=\r\n"
    "</title><style type=\"text/css\">h1{color: blue}ol ol {list-style-type: lower-alpha;}"
    "ol ol ol {list-style-type: lower-roman;}table {border-collapse: collapse;}"
    "table, td, th {border: 1px solid black;}td, th {text-align: left;}td, th {padding:5px;}"
    "</style></head><body>";

TEST(PageDocument, JoinsHeadBodyAndTailForOrdinaryPages)
{
    const QByteArray body = "<html>\r\n<body>\r\n<p>x</p>\r\n</body>\r\n</html>";
    EXPECT_EQ(BuildPageDocument(HeadingLine("Topic"), "24", body),
              QByteArray(kHead) + body + "</body></html>");
}

TEST(PageDocument, SpecialHeadersCarryTheLogoAndTheButton)
{
    EXPECT_EQ(SpecialHeader("1"), "<H1>Home</H1><IMG SRC=\"logo.jpg\" BORDER=\"0\" ALIGN=\"right\">");
    EXPECT_TRUE(SpecialHeader("2").startsWith(
        "<H1>Sandbox</H1><IMG SRC=\"logo.jpg\" BORDER=\"0\" ALIGN=\"right\"><p>This Sandbox is a "
        "place you may experiment"));
    EXPECT_TRUE(SpecialHeader("2").endsWith("= Please share your knowledge.</p><HR>"));
    EXPECT_EQ(SpecialHeader("3"),
              "<H1>What's New</H1><IMG SRC=\"logo.jpg\" BORDER=\"0\" ALIGN=\"right\"><p>This is an "
              "<b>automatic</b> log page,click the button below to create a new entry for "
              "Today.</p><p align=\"center\"><input type=\"button\" value=\" Add New Entry \" "
              "OnClick=\"display\"></p><HR>");
    for (const char* id : {"", "0", "4", "-1", "-2", "-3", "10"})
        EXPECT_TRUE(SpecialHeader(id).isEmpty()) << id;

    const QByteArray home = BuildPageDocument(HeadingLine("Home"), "1", "B");
    EXPECT_TRUE(home.endsWith("</style></head><body><H1>Home</H1><IMG SRC=\"logo.jpg\" "
                              "BORDER=\"0\" ALIGN=\"right\">B</body></html>"));
}

TEST(PageDocument, HeadingOnlyOnOrdinaryPages)
{
    EXPECT_EQ(PageMarkup("topic index", "7", "text"), "=topic index=\r\ntext");
    EXPECT_EQ(PageMarkup("Home", "1", "text"), "text");
    EXPECT_EQ(PageMarkup("Sandbox", "2", "text"), "text");
    EXPECT_EQ(PageMarkup("What's New", "3", "text"), "text");
    EXPECT_EQ(PageMarkup("Search results", "-1", "text"), "=Search results=\r\ntext");
}

TEST(PageDocument, DailyLogTitlesReadAsWhatsNewFor)
{
    EXPECT_EQ(HeadingLine("News$_1/17/2011"), "=What's New for 1/17/2011=\r\n");
    EXPECT_EQ(DisplayTitle("news$_1/17/2011"), "news$_1/17/2011");  // same case only
    EXPECT_EQ(DisplayTitle("News$_"), "What's New for ");
}

TEST(PageDocument, TitleIsUtf8InTheHead)
{
    const QByteArray doc = BuildPageDocument(HeadingLine(QString::fromUtf8("Café")), "9", "");
    EXPECT_TRUE(doc.contains("<title>=Caf\xc3\xa9=\r\n</title>"));
}

TEST(PageDocument, EveryLineBreakBecomesCrLf)
{
    EXPECT_EQ(ToCrLf("a\nb\rc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(ToCrLf("\n"), "\r\n");
    EXPECT_EQ(ToCrLf(""), "");
}

}  // namespace
}  // namespace quorvel
