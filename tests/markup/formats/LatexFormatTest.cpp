// The LaTeX format: an article whose environments and braces always balance,
// with LaTeX's special characters escaped through the format's own table.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FormatTestSupport.h"

using format_test::Convert;

namespace {

std::string Latex(std::string_view input, uint32_t options = 0, int32_t fontSize = 0)
{
    return Convert(LatexOutputFormat(), input, options, fontSize);
}

// Empty when \begin and \end pair up and braces balance outside verbatim
// blocks; else what is wrong.
std::string LatexFault(const std::string& tex)
{
    std::vector<std::string> environments;
    int braces = 0;
    for (size_t k = 0; k < tex.size(); ++k) {
        if (tex.compare(k, 16, "\\begin{verbatim}") == 0) {
            const size_t end = tex.find("\\end{verbatim}", k + 16);
            if (end == std::string::npos)
                return "unclosed verbatim";
            k = end + 13;
            continue;
        }
        const char c = tex[k];
        if (c == '\\') {
            for (const char* word : {"begin{", "end{"}) {
                if (tex.compare(k + 1, std::strlen(word), word) != 0)
                    continue;
                const size_t start = k + 1 + std::strlen(word);
                const std::string name = tex.substr(start, tex.find('}', start) - start);
                if (word[0] == 'b') {
                    environments.push_back(name);
                } else if (environments.empty() || environments.back() != name) {
                    return "\\end{" + name + "} does not match at " + std::to_string(k);
                } else {
                    environments.pop_back();
                }
            }
            ++k;  // the escaped character or the command's first letter
            continue;
        }
        if (c == '%')
            return "comment character at " + std::to_string(k);
        if (c == '{')
            ++braces;
        if (c == '}' && --braces < 0)
            return "brace closed twice at " + std::to_string(k);
    }
    if (braces != 0)
        return "unclosed braces: " + std::to_string(braces);
    return environments.empty() ? "" : "unclosed \\begin{" + environments.back() + "}";
}

TEST(LatexFormat, BalancesEnvironmentsAndBracesForRandomPages)
{
    format_test::PageShape shape;
    shape.controlBytes = true;
    for (uint64_t seed = 1; seed <= 500; ++seed) {
        const std::string page = format_test::RandomPage(seed, 10 + int(seed % 120), shape);
        const std::string tex = Latex(page);
        ASSERT_EQ(LatexFault(tex), "") << "seed " << seed << "\ninput: " << page << "\ntex: " << tex;
    }
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
