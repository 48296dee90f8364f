// Helpers shared by the markup engine tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "markup/MarkupEngine.h"

namespace markup_test {

struct Rendered {
    int32_t result = -1;
    std::string text;
    int32_t chars = 0;
};

// Converts with a buffer large enough for anything the tests feed in.
inline Rendered Render(std::string_view input, uint32_t options = OptNoFrame,
                       const OutputFormat* format = HtmlOutputFormat(), const char* lineEnd = "\n",
                       int32_t fontSize = 0)
{
    std::vector<char> buffer(input.size() * 2 + 64 * input.size() + 4096);
    const char* output = nullptr;
    int32_t length = 0;
    Rendered rendered;
    rendered.result = RenderMarkup(input.data(), int32_t(input.size()), buffer.data(),
                                   int32_t(buffer.size()), options, lineEnd, format, fontSize,
                                   &output, &length, &rendered.chars);
    if (rendered.result == MarkupOk)
        rendered.text.assign(output, size_t(length));
    return rendered;
}

// One row of a table of cases: markup and the HTML body it gives.
struct Case {
    const char* input;
    const char* html;
};

inline void PrintTo(const Case& c, std::ostream* os)
{
    *os << '"' << c.input << '"';
}

// The HTML body of input (no frame, "\n" line ends).
inline std::string Html(std::string_view input, uint32_t options = 0)
{
    return Render(input, options | OptNoFrame).text;
}

}  // namespace markup_test
