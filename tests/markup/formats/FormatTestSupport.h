// Helpers of the export format tests: converting with any format, seeded
// random Creole pages, and the shared fixture page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "markup/GrowingConvert.h"
#include "markup/MarkupEngine.h"

namespace format_test {

// The output of a conversion with "\n" line ends; fails the calling test
// when the engine does not return 0.
std::string Convert(const OutputFormat* format, std::string_view input, uint32_t options = 0,
                    int32_t fontSize = 0);

// The HTML body (no frame) the wiki would show for input.
std::string Html(std::string_view input);

// splitmix64: small and the same on every platform.
struct Random {
    uint64_t state;
    uint64_t Next();
    uint32_t Below(uint32_t n) { return uint32_t(Next() % n); }
};

// What the random page generator may produce.
struct PageShape {
    bool controlBytes = false;  // control bytes, DEL and broken UTF-8
    bool nestedTerms = true;    // ';' and ':' inside marker runs of several levels
    bool finalLineEnd = false;  // the page always ends with a line end
    bool extensions = true;     // "<<" constructs
};

// A random Creole page of about `fragments` pieces: line-start markup of
// every block kind, inline markup, escapes, links, images, tables,
// preformatted blocks, UTF-8 and punctuation, mixed line ends. The same
// seed gives the same page.
std::string RandomPage(uint64_t seed, int fragments, const PageShape& shape);

// A page like the wiki's Sandbox: every kind of block and inline markup,
// LaTeX, RTF and troff special characters, UTF-8 text.
extern const char kFixturePage[];

}  // namespace format_test
