// libFuzzer target of the markup engine. Converts arbitrary bytes under
// arbitrary options, font sizes, line ends, formats and buffer sizes, and
// aborts when a promise of RenderMarkup is broken:
//   - given room, every input converts with result 0;
//   - a buffer below the smallest workable size gives result 1 and nothing is
//     written past its end (canary bytes after the buffer are checked);
//   - every buffer from that size on gives the same output, NUL-terminated,
//     inside the buffer; the input is never changed;
//   - the growth loop, from its usual first size or a tiny one, gives the
//     same output;
//   - outputChars counts every byte below 0x80 and every lead byte of a two-
//     or three-byte UTF-8 sequence, except what the verbatim writer of link
//     targets and image sources counts its own way (the plain copy counts
//     every byte one).
//
// Input layout: bytes 0-2 options (little endian), byte 3 font size (signed),
// byte 4 format (low 4 bits) and line end (bits 4-5), bytes 5-6 the buffer
// choice, the rest the markup text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "markup/FormatTable.h"
#include "markup/GrowingConvert.h"
#include "markup/MarkupEngine.h"

namespace {

constexpr size_t kHeaderBytes = 7;
constexpr size_t kCanaryBytes = 64;
constexpr unsigned char kCanary = 0xA5;
const char* const kLineEnds[] = {"\n", "\r\n", "\r", "\n\r"};

struct Case {
    std::string_view text;
    uint32_t options;
    int32_t fontSize;
    const OutputFormat* format;  // null: the engine's default (text)
    const char* formatName;
    const char* lineEnd;
    uint16_t bufferChoice;
};

[[noreturn]] void Fail(const Case& c, int64_t bufferSize, const char* what)
{
    std::fprintf(stderr,
                 "BROKEN INVARIANT: %s\n  format %s, options 0x%x, font size %d, line end %s, "
                 "input %zu bytes, buffer %lld bytes\n",
                 what, c.formatName, c.options, c.fontSize,
                 c.lineEnd[0] == '\n' ? (c.lineEnd[1] ? "LF CR" : "LF")
                                      : (c.lineEnd[1] ? "CR LF" : "CR"),
                 c.text.size(), static_cast<long long>(bufferSize));
    std::abort();
}

// The count rule applied to output bytes.
bool CountsAsCharacter(unsigned char byte)
{
    return byte < 0x80 || (byte & 0xE0) == 0xC0 || (byte & 0xF0) == 0xE0;
}

int64_t CountCharacters(std::string_view bytes)
{
    int64_t count = 0;
    for (const char byte : bytes)
        count += CountsAsCharacter(static_cast<unsigned char>(byte));
    return count;
}

// Wraps a format's VerbatimWriter (or the engine's plain copy, when the
// format has none) and adds up how far its counting departs from the count
// rule: the plain copy counts every byte one, a format's own writer counts as
// it likes. Everything else the engine writes must follow the rule.
struct VerbatimCounter {
    VerbatimWriterFunction original;
    FormatData originalData;
    int64_t extra;
};

int32_t CountingVerbatimWriter(const char* text, int32_t length, RenderState* state,
                               FormatData data)
{
    auto* counter = const_cast<VerbatimCounter*>(static_cast<const VerbatimCounter*>(data));
    const int64_t charsBefore = state->outputChars;
    const int64_t ruleBefore = CountCharacters({state->output, size_t(state->outputLength)});
    const int32_t result = counter->original
                               ? counter->original(text, length, state, counter->originalData)
                               : WriteVerbatimBytes(text, length, state);
    if (result == 0) {
        const int64_t ruleAfter = CountCharacters({state->output, size_t(state->outputLength)});
        counter->extra += (state->outputChars - charsBefore) - (ruleAfter - ruleBefore);
    }
    return result;
}

// The reference conversion of a case.
struct Reference {
    std::string_view output;
    int32_t outputChars;
};

// One RenderMarkup call with a buffer of exactly bufferSize bytes followed by
// canary bytes. Checks what holds for every buffer size and, on result 0,
// that the output is the reference. Returns the result.
int32_t RunWithBuffer(const Case& c, const OutputFormat* format, int64_t bufferSize,
                      const Reference* reference, std::string_view* outputSeen = nullptr,
                      int32_t* charsSeen = nullptr, bool askChars = true)
{
    // Own heap copies, so that the sanitizer sees any read past the input.
    std::unique_ptr<char[]> input(new char[c.text.size() ? c.text.size() : 1]);
    std::memcpy(input.get(), c.text.data(), c.text.size());
    // Stale contents that differ from call to call: output that depends on
    // bytes the engine never wrote then differs between buffer sizes.
    static const unsigned char kFills[] = {0x00, 'a', 0xBE, ' ', '\n', '<'};
    std::unique_ptr<char[]> memory(new char[size_t(bufferSize) + kCanaryBytes]);
    std::memset(memory.get(), kFills[bufferSize % 6], size_t(bufferSize));
    std::memset(memory.get() + bufferSize, kCanary, kCanaryBytes);

    const char* output = nullptr;
    int32_t outputLength = -1, outputChars = -1;
    const int32_t result =
        RenderMarkup(input.get(), int32_t(c.text.size()), memory.get(), int32_t(bufferSize),
                     c.options, c.lineEnd, format, c.fontSize, &output, &outputLength,
                     askChars ? &outputChars : nullptr);

    for (size_t k = 0; k < kCanaryBytes; ++k)
        if (static_cast<unsigned char>(memory[size_t(bufferSize) + k]) != kCanary)
            Fail(c, bufferSize, "the engine wrote past the end of the buffer");
    if (std::memcmp(input.get(), c.text.data(), c.text.size()) != 0)
        Fail(c, bufferSize, "the engine changed its input");
    if (result != MarkupOk && result != MarkupNoRoom)
        Fail(c, bufferSize, "result other than 0 or 1");
    if (result != MarkupOk)
        return result;

    if (!output || outputLength < 0 || output < memory.get() ||
        output + outputLength + 1 > memory.get() + bufferSize)
        Fail(c, bufferSize, "output (with its NUL) does not lie inside the buffer");
    if (output[outputLength] != '\0')
        Fail(c, bufferSize, "no NUL after the output");
    const std::string_view text(output, size_t(outputLength));
    if (reference) {
        if (text != reference->output)
            Fail(c, bufferSize, "output differs from the growth loop's");
        if (askChars && outputChars != reference->outputChars)
            Fail(c, bufferSize, "outputChars differs from the growth loop's");
    }
    // The caller copies what it needs before the buffer goes.
    if (outputSeen) {
        char* copy = static_cast<char*>(std::malloc(text.size() + 1));
        std::memcpy(copy, text.data(), text.size());
        *outputSeen = {copy, text.size()};
    }
    if (charsSeen)
        *charsSeen = outputChars;
    return result;
}

void CheckCase(const Case& c)
{
    const int64_t n = int64_t(c.text.size());

    // Growth loop from its usual first size: the reference output.
    const GrowingConversion grown = GrowingConvert(c.text, c.options, c.lineEnd, c.format,
                                                   c.fontSize);
    if (grown.result != MarkupOk)
        Fail(c, grown.bufferSize, "the growth loop did not end with result 0");
    const Reference reference{grown.text(), grown.outputChars};
    const int64_t length = grown.outputLength;
    if (grown.output[length] != '\0')
        Fail(c, grown.bufferSize, "no NUL after the growth loop's output");

    // The count rule, with the verbatim targets counted by an instrumented
    // copy of the format that must convert to the same output.
    OutputFormat counted = c.format ? *c.format : *TextOutputFormat();
    VerbatimCounter counter{counted.VerbatimWriter, counted.VerbatimWriterData, 0};
    counted.VerbatimWriter = CountingVerbatimWriter;
    counted.VerbatimWriterData = &counter;
    std::string_view countedOutput;
    int32_t countedChars = 0;
    if (RunWithBuffer(c, &counted, grown.bufferSize, nullptr, &countedOutput, &countedChars) !=
        MarkupOk)
        Fail(c, grown.bufferSize, "result 1 where the growth loop's buffer sufficed");
    const bool sameOutput = countedOutput == reference.output;
    std::free(const_cast<char*>(countedOutput.data()));
    if (!sameOutput)
        Fail(c, grown.bufferSize, "counting the verbatim writer's bytes changed the output");
    if (countedChars != reference.outputChars)
        Fail(c, grown.bufferSize, "outputChars depends on the verbatim writer being wrapped");
    if (reference.outputChars != CountCharacters(reference.output) + counter.extra)
        Fail(c, grown.bufferSize, "outputChars breaks the count rule");

    // The smallest workable buffer: half of it must hold the input and the
    // output with its NUL and one spare byte; more may be needed while the
    // output is written. Found by bisection, the growth loop's size working.
    const int64_t lowest = 2 * std::max(n, length + 2);
    if (RunWithBuffer(c, c.format, lowest - 1, &reference) != MarkupNoRoom)
        Fail(c, lowest - 1, "result 0 with less than half the buffer for input or output");
    int64_t threshold = lowest;
    if (RunWithBuffer(c, c.format, lowest, &reference) != MarkupOk) {
        int64_t failing = lowest, working = grown.bufferSize;
        while (working - failing > 1) {
            const int64_t middle = failing + (working - failing) / 2;
            if (RunWithBuffer(c, c.format, middle, &reference) == MarkupOk)
                working = middle;
            else
                failing = middle;
        }
        threshold = working;
    }

    // The fuzzer's own buffer size: tiny, just below, at or above the
    // threshold, or anywhere; the result must follow the threshold. Half of
    // these calls leave out the optional character count.
    const uint32_t pick = c.bufferChoice & 0x3FFF;
    int64_t size = 0;
    switch (c.bufferChoice >> 14) {
    case 0: size = pick % 16; break;
    case 1: size = std::max<int64_t>(0, threshold - 1 - pick % (threshold > 0 ? threshold : 1)); break;
    case 2: size = threshold + pick % 256; break;
    default: size = pick; break;
    }
    const int32_t expected = size >= threshold ? MarkupOk : MarkupNoRoom;
    if (RunWithBuffer(c, c.format, size, &reference, nullptr, nullptr, (pick & 1) == 0) !=
        expected)
        Fail(c, size, expected == MarkupOk ? "result 1 above a buffer size that worked"
                                           : "result 0 below a buffer size that failed");

    // The growth loop from a tiny first buffer gives the same output.
    const GrowingConversion fromTiny = GrowingConvert(c.text, c.options, c.lineEnd, c.format,
                                                      c.fontSize, 1 + pick % 64);
    if (fromTiny.result != MarkupOk || fromTiny.text() != reference.output ||
        fromTiny.outputChars != reference.outputChars)
        Fail(c, fromTiny.bufferSize, "the growth loop from a tiny buffer differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    Case c;
    c.options = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16;
    c.fontSize = int8_t(data[3]);
    const size_t formatPick = (data[4] & 0x0F) % (MarkupFormatCount + 1);
    if (formatPick == MarkupFormatCount) {
        c.format = nullptr;
        c.formatName = "(null: default)";
    } else {
        c.format = MarkupFormatTable[formatPick].function();
        c.formatName = MarkupFormatTable[formatPick].name;
    }
    c.lineEnd = kLineEnds[(data[4] >> 4) & 3];
    c.bufferChoice = uint16_t(data[5] | data[6] << 8);
    c.text = {reinterpret_cast<const char*>(data + kHeaderBytes), size - kHeaderBytes};
    CheckCase(c);
    return 0;
}
