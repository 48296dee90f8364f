#include "GrowingConvert.h"

#include <climits>

GrowingConversion GrowingConvert(std::string_view input, uint32_t options, const char* lineEnd,
                                 const OutputFormat* format, int32_t fontSize,
                                 int64_t firstBufferSize)
{
    GrowingConversion conversion;
    if (input.size() > size_t(INT32_MAX)) {
        conversion.result = MarkupNoRoom;
        return conversion;
    }
    const int32_t length = int32_t(input.size());
    int64_t size = firstBufferSize > 0 ? firstBufferSize : 2 * int64_t(length) + 1024;
    if (size > INT32_MAX)
        size = INT32_MAX;
    for (;;) {
        // The old buffer goes first: every attempt starts from the beginning,
        // so nothing needs to be carried over, and the peak stays one buffer.
        conversion.buffer.reset();
        // Left uninitialised: the engine writes before it reads, and untouched
        // pages of a large buffer then cost no memory.
        conversion.buffer = std::make_unique_for_overwrite<char[]>(size_t(size));
        conversion.bufferSize = size;
        ++conversion.attempts;
        const char* output = nullptr;
        int32_t outputLength = 0;
        int32_t outputChars = 0;
        conversion.result = RenderMarkup(input.data(), length, conversion.buffer.get(),
                                         int32_t(size), options, lineEnd, format, fontSize,
                                         &output, &outputLength, &outputChars);
        if (conversion.result == MarkupOk) {
            conversion.output = output;
            conversion.outputLength = outputLength;
            conversion.outputChars = outputChars;
            return conversion;
        }
        if (conversion.result != MarkupNoRoom || size >= INT32_MAX)
            return conversion;
        // By half; at least one byte, so that tiny first sizes still grow.
        size += size / 2 > 0 ? size / 2 : 1;
        if (size > INT32_MAX)
            size = INT32_MAX;
    }
}
