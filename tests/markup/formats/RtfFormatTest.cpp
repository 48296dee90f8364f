// The RTF format: balanced groups, escapes, Unicode escapes, fonts, levels
// and hyperlink fields.
#include <gtest/gtest.h>

#include "FormatCheckers.h"
#include "FormatTestSupport.h"

using format_test::Convert;
using format_test::RtfFault;

namespace {

std::string Rtf(std::string_view input, uint32_t options = 0, int32_t fontSize = 0)
{
    return Convert(RtfOutputFormat(), input, options, fontSize);
}

TEST(RtfFormat, IsOneBalancedDocumentForRandomPages)
{
    format_test::CheckRandomPages(RtfOutputFormat(), RtfFault, 500);
    // The check finds what it looks for.
    EXPECT_NE(RtfFault("{\\rtf1 {\\b x}"), "");
    EXPECT_NE(RtfFault("{\\rtf1 x}}"), "");
    EXPECT_NE(RtfFault("{\\rtf1 caf\xC3\xA9}"), "");
    EXPECT_EQ(RtfFault("{\\rtf1 \\{\\}\\\\ {\\b x}}\n"), "");
}

TEST(RtfFormat, EscapesBackslashAndBraces)
{
    EXPECT_NE(Rtf("a\\b{c}").find(" a\\\\b\\{c\\}\\par}"), std::string::npos) << Rtf("a\\b{c}");
}

TEST(RtfFormat, WritesUnicodeEscapesForTwoAndThreeByteCharacters)
{
    struct Case {
        const char* text;
        const char* rtf;
    };
    const Case cases[] = {
        {"caf\xC3\xA9", "caf{\\u233?}"},
        {"\xE2\x82\xAC", "{\\u8364?}"},
        {"\xE6\x97\xA5", "{\\u26085?}"},
        {"\xEE\x80\x80", "{\\u-8192?}"},  // U+E000: above 32767, written negative
        {"a\xF0\x9F\x98\x80z", "az"},       // four bytes: dropped
        {"a\xC3z\xA9", "az"},               // broken sequences: dropped
        {"a\x01z", "az"},                   // control characters: dropped
    };
    for (const Case& c : cases) {
        const std::string rtf = Rtf(c.text, OptNoFrame);
        EXPECT_EQ(rtf, std::string("{\\pard\\sa120\\f0\\fs22 ") + c.rtf + "\\par}\n") << c.text;
    }
}

TEST(RtfFormat, DeclaresThreeFontsAndSizesTextInHalfPoints)
{
    const std::string rtf = Rtf("= Head\nbody\n{{{\ncode\n}}}\n", 0, 12);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("{\\f0\\froman"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f1\\fswiss"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f2\\fmodern"), std::string::npos);
    EXPECT_NE(rtf.find("\\f1\\b\\fs36 Head\\par}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\f0\\fs24 body\\par}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\f2\\fs22\ncode\\line"), std::string::npos) << rtf;
}

TEST(RtfFormat, IndentsItemsByLevel)
{
    const std::string rtf = Rtf("* a\n** b\n", OptNoFrame);
    EXPECT_NE(rtf.find("\\li360\\fi-360\\f0\\fs22 \\bullet\\tab a"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\li720\\fi-360\\f0\\fs22 \\bullet\\tab \nb"), std::string::npos) << rtf;
    EXPECT_EQ(RtfFault("{" + rtf + "}"), "");
}

// Line ends in RTF mean nothing; the lines are joined for comparing.
std::string Unwrapped(std::string rtf)
{
    std::erase(rtf, '\n');
    return rtf;
}

TEST(RtfFormat, WritesLinksAsHyperlinkFields)
{
    EXPECT_EQ(Unwrapped(Rtf("[[http://x.org/a\"b|the {site}]]", OptNoFrame)),
              "{\\pard\\sa120\\f0\\fs22 {\\field{\\*\\fldinst{HYPERLINK \"http://x.org/a%22b\"}}"
              "{\\fldrslt{\\ul\\cf1 the \\{site\\}}}}\\par}");
}

// RTF ignores line ends, so lines are broken after a space, which stays.
TEST(RtfFormat, WrapsAfterSpaces)
{
    const std::string text = "aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg";
    const std::string rtf = Rtf(text, OptNoFrame);
    EXPECT_EQ(rtf, "{\\pard\\sa120\\f0\\fs22 aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd \n"
                   "eeeeeeeee fffffffff ggggggggg\\par}\n");
    EXPECT_EQ(Unwrapped(rtf), "{\\pard\\sa120\\f0\\fs22 " + text + "\\par}");
}

}  // namespace
