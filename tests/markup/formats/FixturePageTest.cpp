// One Sandbox-like page through every format, each output checked for the
// few facts that make it its format.
#include <gtest/gtest.h>

#include <functional>

#include "FormatCheckers.h"
#include "FormatTestSupport.h"
#include "XmlChecker.h"

using namespace format_test;

namespace {

bool Has(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

struct FormatFacts {
    const char* name;
    const OutputFormat* format;
    std::function<void(const std::string&)> check;
};

TEST(FixturePage, ConvertsToEveryFormat)
{
    const FormatFacts formats[] = {
        {"text", TextOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(out.rfind("   Sandbox\n\n", 0), 0u);
             EXPECT_TRUE(Has(out, "\n - First item\n    - Nested item with a WikiWord link\n"));
             EXPECT_TRUE(Has(out, "\nName\tValue \t\nalpha\t1 \t\n"));
             EXPECT_TRUE(Has(out, "\n----------\n"));
             EXPECT_TRUE(Has(out, "\nbold, italic, underline, super, sub and mono."));
         }},
        {"compact-text", CompactTextOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(out.rfind("   Sandbox\nThis Sandbox", 0), 0u);
             EXPECT_FALSE(Has(out, "\n\n"));
         }},
        {"xml", XmlOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(XmlFault(out), "");
             EXPECT_TRUE(Has(out, "<h l=\"1\">Sandbox</h>"));
             EXPECT_TRUE(Has(out, "<link target=\"http://www.example.com/a b?x=1&amp;y=&quot;2&quot;#top\">"));
             EXPECT_TRUE(Has(out, "<oli l=\"1\" i=\"2\">Two</oli>"));
         }},
        {"creole", CreoleOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(Normalised(UnwrappedHtml(out)), Normalised(UnwrappedHtml(kFixturePage)));
             EXPECT_TRUE(Has(out, "= Sandbox =\n"));
             EXPECT_TRUE(Has(out, "\n** Nested item with a [[WikiWord|WikiWord]] link\n"));
         }},
        {"rtf", RtfOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(RtfFault(out), "");
             EXPECT_EQ(out.rfind("{\\rtf1", 0), 0u);
             EXPECT_TRUE(Has(out, "{\\field{\\*\\fldinst{HYPERLINK \"http://www.example.com/a b?x=1&y=%222%22#top\"}}"));
             EXPECT_TRUE(Has(out, "caf{\\u233?}"));
         }},
        {"latex", LatexOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(LatexFault(out), "");
             for (const char* part : {"\\documentclass[11pt]{article}", "\\section*{Sandbox}",
                                      "\\begin{itemize}", "\\begin{enumerate}",
                                      "\\begin{description}", "\\begin{tabular}",
                                      "\\begin{verbatim}", "\\href{http://www.example.com/a\\%20b"})
                 EXPECT_TRUE(Has(out, part)) << part;
         }},
        {"man", ManOutputFormat(),
         [](const std::string& out) {
             EXPECT_EQ(ManFault(out), "");
             for (const char* part : {"\n.TH ", "\n.SH \"Sandbox\"", "\n.SS \"Emphasis\"", "\n.P\n",
                                      "\n.IP \\(bu 3\n", "\\&.dot", "\\&'quote"})
                 EXPECT_TRUE(Has(out, part)) << part;
         }},
        {"null", NullOutputFormat(), [](const std::string& out) { EXPECT_EQ(out, ""); }},
    };
    for (const FormatFacts& facts : formats) {
        SCOPED_TRACE(facts.name);
        const std::string out = Convert(facts.format, kFixturePage);
        facts.check(out);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << facts.name << " output:\n" << out;
            return;
        }
    }
}

}  // namespace
