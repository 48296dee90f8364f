// The LaTeX format: an article whose environments and braces always balance,
// with LaTeX's special characters escaped through the format's own table.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FormatCheckers.h"
#include "FormatTestSupport.h"

using format_test::Convert;
using format_test::LatexFault;

namespace {

std::string Latex(std::string_view input, uint32_t options = 0, int32_t fontSize = 0)
{
    return Convert(LatexOutputFormat(), input, options, fontSize);
}

TEST(LatexFormat, BalancesEnvironmentsAndBracesForRandomPages)
{
    format_test::CheckRandomPages(LatexOutputFormat(), LatexFault, 500);
    EXPECT_NE(LatexFault("\\begin{itemize}\\end{enumerate}"), "");
    EXPECT_NE(LatexFault("\\textbf{x"), "");
    EXPECT_NE(LatexFault("100% x"), "");
    EXPECT_EQ(LatexFault("\\begin{verbatim}\n{ %\n\\end{verbatim}\n\\{\\%"), "");
}

TEST(LatexFormat, EscapesSpecialCharactersThroughItsTable)
{
    EXPECT_EQ(Latex("a # $ % & _ { } ~~ ^ \\ < > | \" [x]", OptNoFrame),
              "a \\# \\$ \\% \\& \\_ \\{ \\} \\textasciitilde{} \\textasciicircum{}\n"
              "\\textbackslash{} \\textless{} \\textgreater{} \\textbar{}\n"
              "\\textquotedbl{} {[}x{]}\n\n");
    // Characters that pdflatex sets stay; others become '?'; control bytes go.
    EXPECT_EQ(Latex("caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5 \xF0\x9F\x98\x80 \xC3 a\x01z", OptNoFrame),
              "caf\xC3\xA9 \xE2\x82\xAC ? ? ? az\n\n");
}

TEST(LatexFormat, WritesAnArticleAtTheFontSize)
{
    const std::string tex = Latex("x");
    EXPECT_EQ(tex.rfind("\\documentclass[11pt]{article}\n", 0), 0u) << tex;
    EXPECT_NE(tex.find("\\begin{document}\nx\n\n\\end{document}\n"), std::string::npos) << tex;
    EXPECT_EQ(Latex("x", 0, 12).rfind("\\documentclass[12pt]{article}\n", 0), 0u);
    const std::string large = Latex("x", 0, 14);
    EXPECT_EQ(large.rfind("\\documentclass{article}\n", 0), 0u) << large;
    EXPECT_NE(large.find("\\begin{document}\n\\fontsize{14}{16}\\selectfont\n"), std::string::npos)
        << large;
}

TEST(LatexFormat, WritesSectionsListsTablesVerbatimAndLinks)
{
    EXPECT_EQ(Latex("= A\n== B\n=== C\n==== D\n", OptNoFrame | OptNumberLevel1),
              "\\section*{1. A}\n\n\\subsection*{B}\n\n\\subsubsection*{C}\n\n\\paragraph*{D}\n\n");
    EXPECT_EQ(Latex("* a\n** b\n\n# c\n", OptNoFrame),
              "\\begin{itemize}\n\\item a\n\\begin{itemize}\n\\item b\n\\end{itemize}\n\n"
              "\\end{itemize}\n\n"
              "\\begin{enumerate}\n\\item[1.] c\n\\end{enumerate}\n\n");
    EXPECT_EQ(Latex("; t: d\n", OptNoFrame),
              "\\begin{description}\n\\item[{t}]\\leavevmode\n\\item[] d\n\\end{description}\n\n");
    EXPECT_EQ(Latex("|=h|c|\n", OptNoFrame),
              "\\noindent\\begin{tabular}{*{64}{l}}\n\\textbf{h} & c & \\\\\n\\end{tabular}\n\n");
    EXPECT_EQ(Latex("[[http://x.org/a b#c%d|t]]", OptNoFrame),
              "\\href{http://x.org/a\\%20b\\#c\\%d}{t}\n\n");
}

// The verbatim environment ends at the first "\end{verbatim}": one inside
// the block gets a space after its backslash.
TEST(LatexFormat, KeepsVerbatimBlocksOpenToTheirEnd)
{
    EXPECT_EQ(Latex("{{{\n{ % \\end{verbatim} }\n}}}\n", OptNoFrame),
              "\\begin{verbatim}\n{ % \\ end{verbatim} }\n\\end{verbatim}\n\n");
}

// itemize and enumerate nest four deep; deeper levels are list
// environments, and the preamble lets lists nest as deep as the engine's
// eight levels.
TEST(LatexFormat, NestsListsEightDeep)
{
    const std::string tex = Latex("* a\n** b\n*** c\n**** d\n***** e\n****** f\n", OptNoFrame);
    EXPECT_NE(tex.find("\\begin{list}{\\textbullet}{}\n\\item e"), std::string::npos) << tex;
    EXPECT_EQ(LatexFault(tex), "");
    EXPECT_NE(Latex("x").find("\\def\\@toodeep{}"), std::string::npos);
}

}  // namespace
