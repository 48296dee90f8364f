// The growing-buffer loop around RenderMarkup: allocates a working buffer,
// converts, and on result 1 (too small) grows the buffer by half and starts
// again. Lives beside the engine because it allocates; the engine does not.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "MarkupEngine.h"

struct GrowingConversion {
    int32_t result = MarkupOk;       // RenderMarkup's result of the last attempt
    std::unique_ptr<char[]> buffer;  // working buffer of the last attempt
    const char* output = nullptr;    // output inside buffer (result 0 only)
    int32_t outputLength = 0;        // bytes of output, untrimmed
    int32_t outputChars = 0;
    int32_t attempts = 0;            // calls of RenderMarkup
    int64_t bufferSize = 0;          // size of the last buffer

    std::string_view text() const { return {output ? output : "", size_t(outputLength)}; }
};

// Converts input with RenderMarkup. The first buffer has firstBufferSize
// bytes, or 2 * n + 1024 when firstBufferSize is 0 or less; each result 1
// grows it by half (integer division, at least 1 byte), any other result
// ends the loop. A
// buffer cannot grow beyond INT32_MAX bytes: the loop then ends with result 1.
GrowingConversion GrowingConvert(std::string_view input, uint32_t options, const char* lineEnd,
                                 const OutputFormat* format, int32_t fontSize,
                                 int64_t firstBufferSize = 0);
