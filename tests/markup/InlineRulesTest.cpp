// Inline markup: styles, no-wiki text, escapes, forced breaks, links and
// images, as HTML.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

using markup_test::Html;

namespace {

using markup_test::Case;

class InlineRules : public testing::TestWithParam<Case> {};

TEST_P(InlineRules, ConvertsToExpectedHtml)
{
    EXPECT_EQ(Html(GetParam().input), GetParam().html);
}

// Input                                        Expected HTML body
const Case inlineCases[] = {
    // Styles
    {"**unclosed",                                "<p><b>unclosed</b></p>\n"},
    {"**a\r\n\r\nb**",                            "<p><b>a</b></p>\n<p>b<b></b></p>\n"},
    {"//it\r\nstill//",                           "<p><i>it still</i></p>\n"},
    {"**a**b**c**",                               "<p><b>a</b>b<b>c</b></p>\n"},
    {"__a ,,b^^c^^,,__",                          "<p><u>a <sub>b<sup>c</sup></sub></u></p>\n"},
    {"** a ** b **",                              "<p><b> a </b> b <b></b></p>\n"},
    {"**a //b** c//",                             "<p><b>a <i>b</i></b><i> c</i></p>\n"},
    {"x ##mono## y",                              "<p>x <tt>mono</tt> y</p>\n"},
    {"a\r\n**b**",                                "<p>a <b>b</b></p>\n"},
    // Escapes and no-wiki
    {"~**not bold~**",                            "<p>**not bold**</p>\n"},
    {"~~x",                                       "<p>~x</p>\n"},
    {"~ x",                                       "<p>~ x</p>\n"},
    {"a~",                                        "<p>a~</p>\n"},
    {"~[[x]]",                                    "<p>[[x]]</p>\n"},
    {"{{{a **b** ~c}}}",                          "<p>a **b** ~c</p>\n"},
    {"{{{x}}}}}",                                 "<p>x}}</p>\n"},
    {"{{{x",                                      "<p>x</p>\n"},
    {"a {{{x\r\n**y}}} z",                        "<p>a x **y z</p>\n"},
    {"a {{{ {{{ }}}",                             "<p>a  {{{ </p>\n"},
    // Addresses keep the "//" after their scheme
    {"s1://a/b//c",                               "<p>s1://a/b<i>c</i></p>\n"},
    {"x:// y",                                    "<p>x:<i> y</i></p>\n"},
    {"http://example.org",                        "<p>http://example.org</p>\n"},
    // Forced line breaks
    {"a\\\\ \\\\  b",                             "<p>a<br /><br />b</p>\n"},
    {"\\\\x",                                     "<p><br />x</p>\n"},
    // Escaping of text
    {"<a href='x'> & \"q\"",                      "<p>&lt;a href='x'&gt; &amp; &quot;q&quot;</p>\n"},
    {"caf\xC3\xA9",                               "<p>caf\xC3\xA9</p>\n"},
    // Links
    {"[[target|text]]",                           "<p><a href=\"target\">text</a></p>\n"},
    {"[[Page]]",                                  "<p><a href=\"Page\">Page</a></p>\n"},
    {"[[  target  |  text  ]]",                   "<p><a href=\"target\">text </a></p>\n"},
    {"[[a|b|c]]",                                 "<p><a href=\"a\">b|c</a></p>\n"},
    {"[[a|b",                                     "<p><a href=\"a\">b</a></p>\n"},
    {"[[a\r\nb|c]]",                              "<p><a href=\"a\r\nb\">c</a></p>\n"},
    {"[[a\r\n\r\nb]]",                            "<p><a href=\"a\">a</a></p>\n<p>b]]</p>\n"},
    {"[[a\n\nb|c]]",                               "<p><a href=\"a\">a</a></p>\n<p>b|c]]</p>\n"},
    {"[[a_long_target_that_runs_on_beyond_seventy_bytes_of_text_before_it_ends\n\nb]]",
     "<p><a\nhref=\"a_long_target_that_runs_on_beyond_seventy_bytes_of_text_before_it_ends\">a_long_target_that_runs_on_beyond_seventy_bytes_of_text_before_it_ends</a></p>\n<p>b]]</p>\n"},
    {"[[a [[b]] c]]",                             "<p><a href=\"a [[b\">a b</a> c]]</p>\n"},
    {"[[a|**b]] c**",                             "<p><a href=\"a\"><b>b</b></a><b> c</b></p>\n"},
    {"**b [[a|c** d]] e",                         "<p><b>b <a href=\"a\">c</a></b> d]] e</p>\n"},
    {"[[]]",                                      "<p>]]</p>\n"},
    {"x [[ ]] y",                                 "<p>x ]] y</p>\n"},
    {"]] stray }} stray",                         "<p>]] stray }} stray</p>\n"},
    {"[[Wiki **Word**]]",                         "<p><a href=\"Wiki **Word**\">Wiki <b>Word</b></a></p>\n"},
    {"a\r\n[[b]]",                                "<p>a <a href=\"b\">b</a></p>\n"},
    // Images
    {"{{src|alt}}",                               "<p><img src=\"src\" alt=\"alt\" /></p>\n"},
    {"{{src}}",                                   "<p><img src=\"src\" alt=\"src\" /></p>\n"},
    {"{{img.png|alt **x**}}",                     "<p><img src=\"img.png\" alt=\"alt x\" /></p>\n"},
    {"{{img.png|[[link]]}}",                      "<p><img src=\"img.png\" alt=\"link]]\" /></p>\n"},
    {"{{ img.png }}",                             "<p><img src=\"img.png\" alt=\"img.png \" /></p>\n"},
    {"[[a|{{img|alt}}]]",                         "<p><a href=\"a\"><img src=\"img\" alt=\"alt\" /></a></p>\n"},
    {"{{a|b}}}",                                  "<p><img src=\"a\" alt=\"b\" />}</p>\n"},
    {"{{a|{{b}}",                                 "<p><img src=\"a\" alt=\"{{b\" /></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Html, InlineRules, testing::ValuesIn(inlineCases));

// Link targets and image sources are escaped like text, so the attribute
// the viewer decodes is the target as written and cannot be cut short.
const Case attributeCases[] = {
    {"[[a\"onclick=\"x|t]]",                      "<p><a href=\"a&quot;onclick=&quot;x\">t</a></p>\n"},
    {"[[a\"><script>|t]]",                        "<p><a href=\"a&quot;&gt;&lt;script&gt;\">t</a></p>\n"},
    {"[[x?a=1&b=2]]",                             "<p><a href=\"x?a=1&amp;b=2\">x?a=1&amp;b=2</a></p>\n"},
    {"{{a\"b.png|alt}}",                          "<p><img src=\"a&quot;b.png\" alt=\"alt\" /></p>\n"},
    {"[[it's]]",                                  "<p><a href=\"it's\">it's</a></p>\n"},
};

INSTANTIATE_TEST_SUITE_P(EscapedAttributes, InlineRules, testing::ValuesIn(attributeCases));

TEST(InlineRules, EscapedTargetCountsOneCharacterPerWrittenByte)
{
    // A target is not text: its bytes count in outputChars one each, the
    // escaped quote as the six bytes of "&quot;".
    const auto plain = markup_test::Render("[[ab|t]]");
    const auto quoted = markup_test::Render("[[a\"|t]]");
    ASSERT_EQ(plain.result, MarkupOk);
    ASSERT_EQ(quoted.result, MarkupOk);
    EXPECT_EQ(quoted.chars - plain.chars, 5);
}

}  // namespace
