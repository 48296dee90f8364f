// The XML format: the parse structure as well-formed XML for any input.
#include <gtest/gtest.h>

#include "FormatCheckers.h"
#include "FormatTestSupport.h"
#include "XmlChecker.h"

using format_test::Convert;
using format_test::XmlFault;

namespace {

std::string Xml(std::string_view input, uint32_t options = 0)
{
    return Convert(XmlOutputFormat(), input, options);
}

// The checker must find faults, or the property below proves nothing.
TEST(XmlChecker, RejectsMalformedDocuments)
{
    const char* const bad[] = {
        "<doc>",
        "<doc></dic>",
        "<doc><a><b></a></b></doc>",
        "<doc a=\"1\" a=\"2\"></doc>",
        "<doc a=\"<\"></doc>",
        "<doc>&nbsp;</doc>",
        "<doc>a & b</doc>",
        "<doc>\x01</doc>",
        "<doc>&#1;</doc>",
        "<doc>\xC3</doc>",
        "<doc>\xED\xA0\x80</doc>",
        "<doc>\xEF\xBF\xBE</doc>",
        "<doc></doc><doc></doc>",
        "text<doc></doc>",
        "<doc a=1></doc>",
    };
    for (const char* document : bad)
        EXPECT_NE(XmlFault(document), "") << document;
    EXPECT_EQ(XmlFault("<?xml version=\"1.0\"?>\n<doc a=\"&lt;&#10;\"><b/>caf\xC3\xA9 &amp;</doc>\n"),
              "");
}

TEST(XmlFormat, WritesTheParseStructureWithLevelsAndNumbers)
{
    EXPECT_EQ(Xml("= Title\n* a b\n** c\n\n# one\n# two\n"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc>\n"
              "<h l=\"1\">Title</h>\n"
              "<ul l=\"1\">\n<uli l=\"1\">a[s]b<ul l=\"2\">\n<uli l=\"2\">c</uli>\n</ul>\n</uli>\n</ul>\n"
              "<ol l=\"1\">\n<oli l=\"1\" i=\"1\">one</oli>\n<oli l=\"1\" i=\"2\">two</oli>\n</ol>\n"
              "</doc>\n");
    EXPECT_EQ(Xml("; t : d\n: e\n", OptNoFrame),
              "<dl l=\"1\">\n<dlt l=\"1\">t[s]</dlt>\n<dld l=\"1\">d</dld>\n<dld l=\"1\">e</dld>\n"
              "</dl>\n");
    EXPECT_EQ(Xml(": a\n:: b\n", OptNoFrame),
              "<indentsec l=\"1\">\n<indentpar l=\"1\">a<indentsec l=\"2\">\n"
              "<indentpar l=\"2\">b</indentpar>\n</indentsec>\n</indentpar>\n</indentsec>\n");
    EXPECT_EQ(Xml("|=h|c|\n----\n", OptNoFrame),
              "<table>\n<tr><th>h</th><td>c</td></tr>\n</table>\n<hr/>\n");
    EXPECT_EQ(Xml("**b //i** u// __x__ ^^s^^,,t,,##m##\\\\z", OptNoFrame),
              "<p><bold>b[s]<italic>i</italic></bold><italic>[s]u</italic>[s]"
              "<underline>x</underline>[s]<super>s</super><sub>t</sub><mono>m</mono><br/>z</p>\n");
    EXPECT_EQ(Xml("= A\n== B\n", OptNoFrame | OptNumberLevel1 | OptNumberLevel2),
              "<h l=\"1\" i=\"1\">A</h>\n<h l=\"2\" i=\"1\">B</h>\n");
}

TEST(XmlFormat, WritesEachPreformattedLineAsAnElement)
{
    EXPECT_EQ(Xml("{{{\na <b>\n\n}}}\n", OptNoFrame),
              "<pre>\n<preline>a &lt;b&gt;</preline>\n<preline></preline>\n<preline></preline>\n"
              "</pre>\n");
    // An unclosed block without a final line end ends with its last line.
    EXPECT_EQ(Xml("{{{\nx", OptNoFrame), "<pre>\n<preline>x</preline>\n</pre>\n");
}

TEST(XmlFormat, EscapesTextAndAttributeValues)
{
    EXPECT_EQ(Xml("a<b>&\"c'", OptNoFrame), "<p>a&lt;b&gt;&amp;&quot;c'</p>\n");
    EXPECT_EQ(Xml("[[x\"<&>\ny|t]] {{s\"rc|alt}}", OptNoFrame),
              "<p><link target=\"x&quot;&lt;&amp;&gt;&#10;y\">t</link>[s]"
              "<image src=\"s&quot;rc\">alt</image></p>\n");
}

TEST(XmlFormat, ReplacesBytesThatXmlDoesNotAllow)
{
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Xml("a\x01" "b\x7F" "c", OptNoFrame),
              "<p>a" + replacement + "b" + replacement + "c</p>\n");
    EXPECT_EQ(Xml(std::string("x\0y", 3), OptNoFrame), "<p>x" + replacement + "y</p>\n");
    // Broken or forbidden UTF-8: a lone lead byte, a lone continuation byte,
    // a surrogate, U+FFFE. Well-formed characters of every length pass.
    EXPECT_EQ(Xml("\xC3 \xA9 \xED\xA0\x80 \xEF\xBF\xBE", OptNoFrame),
              "<p>" + replacement + "[s]" + replacement + "[s]" + replacement + replacement +
                  replacement + "[s]" + replacement + "</p>\n");
    EXPECT_EQ(Xml("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", OptNoFrame),
              "<p>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80</p>\n");
    EXPECT_EQ(Xml("{{{\n\xC3\xA9\xC3\n}}}", OptNoFrame),
              "<pre>\n<preline>\xC3\xA9" + replacement + "</preline>\n<preline></preline>\n</pre>\n");
}

std::string XmlFaultOf(const std::string& xml)
{
    return XmlFault(xml);
}

// Any input, with or without the options that change the structure, gives a
// document the checker accepts.
TEST(XmlFormat, IsWellFormedForRandomPages)
{
    format_test::CheckRandomPages(XmlOutputFormat(), XmlFaultOf, 600,
                                  {0, OptNoWikiAsMonospace, OptNumberLevel1 | OptNumberLevel2,
                                   OptLineParagraphs, OptNoTables | OptNoEscape});
}

}  // namespace

namespace {

// A term whose item holds a nested list must be closed as a term, not with
// DefinitionEnd (which would close <dlt> with </dld>).
TEST(XmlFormat, TermHoldingAListIsClosedAsATerm)
{
    const std::string xml = Xml(";t\n;*x\n");
    EXPECT_EQ(XmlFault(xml), "") << xml;
}

}  // namespace
