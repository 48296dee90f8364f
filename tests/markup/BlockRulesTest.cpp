// Block structure: paragraphs, headings, rules, preformatted blocks, lists,
// definition lists, indentation and tables, as HTML.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

using markup_test::Html;

namespace {

using markup_test::Case;

class BlockRules : public testing::TestWithParam<Case> {};

TEST_P(BlockRules, ConvertsToExpectedHtml)
{
    EXPECT_EQ(Html(GetParam().input), GetParam().html);
}

// Input                                        Expected HTML body
const Case blockCases[] = {
    // Paragraphs and blank lines
    {"",                                          ""},
    {"\r\n\r\n  \r\n",                            ""},
    {"Hello\r\nworld",                            "<p>Hello world</p>\n"},
    {"a\r\n\r\n\r\nb",                            "<p>a</p>\n<p>b</p>\n"},
    {"a\r\n   \r\nb",                             "<p>a</p>\n<p>b</p>\n"},
    {"a\nb\rc",                                   "<p>a b c</p>\n"},
    {"a\n\rb",                                    "<p>a</p>\n<p>b</p>\n"},
    {"  a   b \t c  ",                            "<p>a b c</p>\n"},
    // Headings
    {"== Title ==",                               "<h2>Title</h2>\n"},
    {"=a=b=",                                     "<h1>a=b</h1>\n"},
    {"=",                                         "<h1></h1>\n"},
    {"===== H5",                                  "<h4>H5</h4>\n"},
    {"== h **bold ** //it",                       "<h2>h <b>bold </b> <i>it</i></h2>\n"},
    {"= a  b =  \r\ntext",                        "<h1>a  b</h1>\n<p>text</p>\n"},
    {"= a == b",                                  "<h1>a == b</h1>\n"},
    {"para\r\n= H",                               "<p>para</p>\n<h1>H</h1>\n"},
    // Rules
    {"-----",                                     "<hr />\n"},
    {"----x",                                     "<hr />\n<p>x</p>\n"},
    {"a ---- b",                                  "<p>a ---- b</p>\n"},
    {"---",                                       "<p>---</p>\n"},
    {"a\r\n----\r\nb",                            "<p>a</p>\n<hr />\n<p>b</p>\n"},
    // Preformatted blocks
    {"{{{\r\nx\ty\tz\r\n}}}",                     "<pre>\nx   y   z\n</pre>\n"},
    {"{{{   \r\n<a>\r\n}}}",                      "<pre>\n&lt;a&gt;\n</pre>\n"},
    {"{{{\r\nx",                                  "<pre>\nx</pre>\n"},
    {"{{{\r\nx\r\n",                              "<pre>\nx\n</pre>\n"},
    {"{{{\n }}}\n  }}}\n}}}}\n}}}",               "<pre>\n}}}\n }}}\n}}}}\n</pre>\n"},
    {"{{{\n**a** [[b]]\n}}}after",                "<pre>\n**a** [[b]]\n</pre>\n<p>after</p>\n"},
    {"}}}",                                       "<p>}}}</p>\n"},
    {"para\r\n{{{\r\ncode\r\n}}}",                "<p>para</p>\n<pre>\ncode\n</pre>\n"},
    // Lists
    {"* a\r\n** b\r\n* c",
     "\n<ul>\n  <li>a\n<ul>\n    <li>b</li>\n</ul>\n</li>\n  <li>c</li>\n</ul>\n"},
    {"a\r\n* b",                                  "<p>a</p>\n\n<ul>\n  <li>b</li>\n</ul>\n"},
    {"* a\r\n# b",                                "\n<ul>\n  <li>a # b</li>\n</ul>\n"},
    {"* a\r\n## b",                               "\n<ul>\n  <li>a <tt> b</tt></li>\n</ul>\n"},
    {"* a\r\n\r\n* b",
     "\n<ul>\n  <li>a</li>\n</ul>\n\n<ul>\n  <li>b</li>\n</ul>\n"},
    {"*# x",
     "\n<ul>\n  <li>\n<ol>\n    <li>x</li>\n</ol>\n</li>\n</ul>\n"},
    {"*********** ten",                           "<p><b></b><b></b><b>* ten</b></p>\n"},
    {"# one\r\n# two",                            "\n<ol>\n  <li>one</li>\n  <li>two</li>\n</ol>\n"},
    {"* a\r\ncontinued",                          "\n<ul>\n  <li>a continued</li>\n</ul>\n"},
    {"** bold",                                   "<p><b> bold</b></p>\n"},
    {"* a\r\n** b\r\n*** c\r\nd",
     "\n<ul>\n  <li>a\n<ul>\n    <li>b\n<ul>\n      <li>c d</li>\n</ul>\n</li>\n</ul>\n</li>\n</ul>\n"},
    // Definition lists and indentation
    {"; term\r\n: def",                           "\n<dl>\n  <dt>term</dt>\n  <dd>def</dd>\n</dl>\n"},
    {"; term\r\n: def\r\n: def2",
     "\n<dl>\n  <dt>term</dt>\n  <dd>def</dd>\n  <dd>def2</dd>\n</dl>\n"},
    {"; t : d",                                   "\n<dl>\n  <dt>t </dt>\n  <dd>d</dd>\n</dl>\n"},
    {";t:d:e",                                    "\n<dl>\n  <dt>t</dt>\n  <dd>d:e</dd>\n</dl>\n"},
    {": a\r\n:: b\r\n: c",
     "<div style=\"margin-left:2em\">\n  <p>a<div style=\"margin-left:2em\">\n    <p>b</p>\n"
     "</div>\n</p>\n  <p>c</p>\n</div>\n"},
    {"para\r\n:: x",
     "<p>para</p>\n<div style=\"margin-left:2em\">\n  <p><div style=\"margin-left:2em\">\n"
     "    <p>x</p>\n</div>\n</p>\n</div>\n"},
    // A term that holds a nested list ends as a term; the item ";*" opens to
    // hold the deeper level ends as a definition.
    {";t\r\n;*x",
     "\n<dl>\n  <dt>t\n<ul>\n    <li>x</li>\n</ul>\n</dt>\n</dl>\n"},
    {";*x",
     "\n<dl>\n  <dd>\n<ul>\n    <li>x</li>\n</ul>\n</dd>\n</dl>\n"},
    {"; t : d\r\n;* x",
     "\n<dl>\n  <dt>t </dt>\n  <dd>d\n<ul>\n    <li>x</li>\n</ul>\n</dd>\n</dl>\n"},
    // Tables
    {"|",                                         "<table>\n<tr><td></td>\n</tr>\n</table>\n"},
    {"|=",                                        "<table>\n<tr><th></th>\n</tr>\n</table>\n"},
    {"|a|b|\r\n|c|d|",
     "<table>\n<tr><td>a</td>\n<td>b</td>\n</tr>\n<tr><td>c</td>\n<td>d</td>\n</tr>\n</table>\n"},
    {"||a||",
     "<table>\n<tr><td></td>\n<td>a</td>\n<td></td>\n</tr>\n</table>\n"},
    {"|=h|",                                      "<table>\n<tr><th>h</th>\n</tr>\n</table>\n"},
    {"| a | b |",                                 "<table>\n<tr><td>a</td>\n<td>b </td>\n</tr>\n</table>\n"},
    {"|a|  \r\ntext",                             "<table>\n<tr><td>a</td>\n</tr>\n</table>\n<p>text</p>\n"},
    {"|a|\r\n* x",                                "<table>\n<tr><td>a</td>\n</tr>\n</table>\n<p>* x</p>\n"},
    {"|a\r\n|b",
     "<table>\n<tr><td>a</td>\n</tr>\n<tr><td>b</td>\n</tr>\n</table>\n"},
    {"para\r\n|a|",                               "<p>para</p>\n<table>\n<tr><td>a</td>\n</tr>\n</table>\n"},
};

INSTANTIATE_TEST_SUITE_P(Html, BlockRules, testing::ValuesIn(blockCases));

}  // namespace
