#include "FormatCheckers.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "FormatTestSupport.h"

namespace format_test {

// Empty when every group closes and the text is 7-bit without control
// characters other than line ends; else what is wrong.
std::string RtfFault(const std::string& rtf)
{
    int depth = 0;
    bool closed = false;  // the document group has ended
    for (size_t k = 0; k < rtf.size(); ++k) {
        const unsigned char c = uint8_t(rtf[k]);
        if (c >= 0x80 || (c < 0x20 && c != '\n'))
            return "byte " + std::to_string(c) + " at " + std::to_string(k);
        if (closed && c != '\n')
            return "text after the document group at " + std::to_string(k);
        if (c == '\\') {
            ++k;  // an escaped character, or the first letter of a control word
            continue;
        }
        if (c == '{')
            ++depth;
        if (c == '}' && --depth < 0)
            return "group closed twice at " + std::to_string(k);
        closed = closed || (c == '}' && depth == 0);
    }
    return depth == 0 ? "" : "unclosed groups: " + std::to_string(depth);
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

// Empty when every line that starts with a control character is one of the
// requests the format writes, and no blank line follows a text line outside
// an example (a blank line right after a request is an empty item or
// paragraph).
std::string ManFault(const std::string& page)
{
    static const std::set<std::string> requests = {".\\\"", ".TH", ".SH", ".SS", ".P", ".IP",
                                                   ".TP", ".RS", ".RE", ".EX", ".EE", ".nf",
                                                   ".fi", ".ta", ".br"};
    bool example = false;
    bool afterText = false;
    size_t start = 0;
    for (size_t end; (end = page.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = page.substr(start, end - start);
        if (line == ".EX" || line == ".EE") {
            example = line == ".EX";
            continue;
        }
        if (line.empty() && !example && afterText)
            return "blank line after text at byte " + std::to_string(start);
        afterText = !line.empty() && line[0] != '.';
        if (!line.empty() && (line[0] == '.' || line[0] == '\'') &&
            !requests.count(line.substr(0, line.find(' '))))
            return "unknown request: " + line;
    }
    return start == page.size() ? "" : "no final line end";
}

// The differences that Creole cannot express, taken out of both sides (each
// is shown by a test below). All are white space: spaces right after a
// forced break, the second of two word separators in a row, separators at
// the start or the end of a block's text or at the start of a link's or an
// image's text, and a paragraph with nothing in it. Preformatted blocks are
// compared as they are.
std::string Normalised(const std::string& html)
{
    static const char* const textStarts[] = {"<br />", "<p>", "<li>", "<dt>", "<dd>",
                                             "<td>", "<th>", " alt=\""};
    static const char* const textEnds[] = {"</p>", "</li>", "</dt>", "</dd>", "</h"};
    std::string out;
    bool inPre = false;
    for (size_t k = 0; k < html.size(); ++k) {
        if (html.compare(k, 5, "<pre>") == 0)
            inPre = true;
        else if (html.compare(k, 6, "</pre>") == 0)
            inPre = false;
        if (!inPre && html[k] == ' ') {
            bool drop = !out.empty() && out.back() == ' ';
            for (const char* start : textStarts)
                drop = drop || out.ends_with(start);
            const size_t heading = out.rfind("<h");
            const size_t link = out.rfind("<a href=\"");
            for (size_t tag : {heading, link})
                drop = drop || (tag != std::string::npos && out.back() == '>' &&
                                out.find('>', tag) == out.size() - 1);
            const size_t after = html.find_first_not_of(' ', k);
            for (const char* end : textEnds)
                drop = drop || html.compare(after, std::strlen(end), end) == 0;
            if (drop)
                continue;
        }
        out += html[k];
    }
    for (size_t empty; (empty = out.find("<p></p>\n")) != std::string::npos;)
        out.erase(empty, 8);
    return out;
}

// The HTML without line wrapping: where HTML lines break depends on spaces
// that the engine removes before cell ends only when they are still spaces.
std::string UnwrappedHtml(std::string_view input)
{
    static const OutputFormat unwrapped = [] {
        OutputFormat format = *HtmlOutputFormat();
        format.WrapColumn = 0;
        return format;
    }();
    return Convert(&unwrapped, input, OptNoFrame);
}

void CheckRandomPages(const OutputFormat* format, std::string (*fault)(const std::string&),
                      int count, std::initializer_list<uint32_t> optionSets)
{
    PageShape shape;
    shape.controlBytes = true;
    for (uint64_t seed = 1; seed <= uint64_t(count); ++seed) {
        const std::string page = RandomPage(seed, 10 + int(seed % 120), shape);
        const uint32_t options = optionSets.begin()[seed % optionSets.size()];
        const std::string output = Convert(format, page, options);
        ASSERT_EQ(fault(output), "") << "seed " << seed << ", options " << options
                                     << "\ninput: " << page << "\noutput: " << output;
    }
}

}  // namespace format_test
