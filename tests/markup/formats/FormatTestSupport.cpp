#include "FormatTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace format_test {

std::string Convert(const OutputFormat* format, std::string_view input, uint32_t options,
                    int32_t fontSize)
{
    const GrowingConversion conversion = GrowingConvert(input, options, "\n", format, fontSize);
    EXPECT_EQ(conversion.result, MarkupOk) << "input: " << input;
    return std::string(conversion.text());
}

std::string Html(std::string_view input)
{
    return Convert(HtmlOutputFormat(), input, OptNoFrame);
}

uint64_t Random::Next()
{
    uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

namespace {

const char* const kLineStarts[] = {
    "= ", "== ", "=== ", "===== ", "=", "* ", "** ", "*** ", "# ", "## ", "*# ", "#* ",
    "**", "##", "; ", ": ", ":: ", "|", "|= ", "| ", "||", "----", "-----x", "{{{\n",
    "}}}\n", " }}}\n", "  }}}\n", "}}}}", "<<x\n", "<<<y z\n", ">>\n", " ", "\t",
};
const char* const kNestedTermStarts[] = {";* ", "*; ", "*;: ", "*: ", ";; ", "#:: ", ";:"};
const char* const kInline[] = {
    "alpha", "beta", "gamma", "x", "Page", "caf\xC3\xA9", "\xE2\x82\xAC", "\xE6\x97\xA5",
    "\xF0\x9F\x98\x80", " ", " ", " ", "  ", "\t", "**", "//", "__", "^^", ",,", "##",
    "[[", "]]", "|", "{{", "}}", "{{{", "}}}", "~", "~*", "~~", "~ ", "\\\\", "\\\\x", "\\x",
    ":", "://", "http://example.com/a_b?c=1&d=2#e", "a:", "s1://b", "file:///c",
    "=", " ==", "-", "----", "<", "<<", "<<x>>", ">>", ">", "&", "\"", "'", "*", "#", "/",
    "_", "^", ",", "[", "]", "{", "}", ";", ":", "!", "?", ".", "%", "$", "\\", "`",
    "[[Page]]", "[[a b|c]]", "{{img.png|alt}}", "{{img.png}}", "[[x|{{i|a}}]]",
};
const char* const kControl[] = {
    "" /* a NUL byte */, "\x01", "\x1F", "\x7F", "\xC3", "\xA9", "\xEF\xBF\xBE",
    "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC0\xAF", "\xE2\x82",
};
const char* const kLineEnds[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\n"};

template <size_t N>
const char* Pick(Random& random, const char* const (&table)[N])
{
    return table[random.Below(uint32_t(N))];
}

}  // namespace

std::string RandomPage(uint64_t seed, int fragments, const PageShape& shape)
{
    Random random{seed};
    std::string page;
    bool lineStart = true;
    for (int k = 0; k < fragments; ++k) {
        const uint32_t roll = random.Below(100);
        if (roll < 14) {
            page += Pick(random, kLineEnds);
            lineStart = true;
            continue;
        }
        if (lineStart && roll < 40) {
            if (shape.nestedTerms && random.Below(6) == 0)
                page += Pick(random, kNestedTermStarts);
            else {
                const char* fragment = Pick(random, kLineStarts);
                if (!shape.extensions && fragment[0] == '<')
                    fragment = "x";
                page += fragment;
            }
        } else if (shape.controlBytes && roll < 45) {
            const char* bytes = Pick(random, kControl);
            if (bytes[0] == '\0')
                page.push_back('\0');
            else
                page += bytes;
        } else {
            const char* fragment = Pick(random, kInline);
            if (!shape.extensions && fragment[0] == '<' && fragment[1] == '<')
                fragment = "<";
            page += fragment;
        }
        lineStart = !page.empty() && (page.back() == '\n' || page.back() == '\r');
    }
    if (shape.finalLineEnd && !lineStart)
        page += "\r\n";
    if (!shape.extensions)
        for (size_t at; (at = page.find("<<")) != std::string::npos;)
            page[at + 1] = 'x';
    if (!shape.nestedTerms) {
        // A ';' next to another marker character could open a term level
        // inside a marker run of several levels: it becomes '*'.
        const auto marker = [](char c) { return c == '*' || c == '#' || c == ';' || c == ':'; };
        for (size_t k = 0; k < page.size(); ++k)
            if (page[k] == ';' && ((k > 0 && marker(page[k - 1])) ||
                                   (k + 1 < page.size() && marker(page[k + 1]))))
                page[k] = '*';
    }
    return page;
}

const char kFixturePage[] =
    "= Sandbox\n"
    "This Sandbox is a place you may experiment with **wiki** mark up text. Edit\n"
    "this page to see how to type things; then save it.\n"
    "\n"
    "== Emphasis\n"
    "**bold**, //italic//, __underline__, ^^super^^, ,,sub,, and ##mono##.\n"
    "Specials: 100% & $5 # {braces} \\backslash ~~tilde \"quotes\" <angle> a_b x^2.\n"
    "UTF-8: caf\xC3\xA9 \xE2\x82\xAC and a four-byte \xF0\x9F\x98\x80 one.\n"
    "Forced\\\\break and an escaped ~**not bold~**.\n"
    ".dot and 'quote at line starts\n"
    "----\n"
    "* First item\n"
    "** Nested item with a [[WikiWord]] link\n"
    "* Second item\n"
    "\n"
    "# One\n"
    "# Two\n"
    "\n"
    "; Term\n"
    ": Its definition\n"
    "\n"
    ": Indented paragraph\n"
    "\n"
    "{{{\n"
    "code { \\end{verbatim} } here\n"
    "}}}\n"
    "|= Name |= Value |\n"
    "| alpha | 1 |\n"
    "\n"
    "[[http://www.example.com/a b?x=1&y=\"2\"#top|a web address]] and {{logo.jpg|the logo}}.\n";

}  // namespace format_test
