// The markup engine: converts Creole text into output text through an
// OutputFormat. No allocation, no exceptions, no global state: all memory is
// the caller's buffer and a RenderState on the stack.
#pragma once

#include <cstdint>

#include "OutputFormat.h"

// Result codes of RenderMarkup. Any other non-zero value is the result of a
// format function (writer, notifier, extension), passed through unchanged.
constexpr int32_t MarkupOk = 0;
constexpr int32_t MarkupNoRoom = 1;    // the buffer is too small
constexpr int32_t MarkupBadToken = 3;  // a state met a token it cannot take

enum MarkupOptions : uint32_t {
    OptNoFrame = 0x1,              // DocumentBegin and DocumentEnd are not written
    OptNoLevel1Headings = 0x4,     // a single '=' gives level 2
    OptNumberLevel1 = 0x8,         // level-1 headings get their number in i
    OptNumberLevel2 = 0x10,        // level-2 headings get their number in i
    OptNoDefinitionLists = 0x20,   // ';' at a line start is text
    OptNoIndent = 0x40,            // ':' runs at a line start are text
    OptLineParagraphs = 0x80,      // text at a continuation line starts a new paragraph
    OptNoEscape = 0x100,           // '~' is text
    OptNoRules = 0x200,            // "----" is text
    OptNoLinks = 0x400,            // "[[" and "]]" are text
    OptNoImages = 0x800,           // "{{" and "}}" are text
    OptNoTables = 0x1000,          // '|' is text
    OptNoUnderline = 0x2000,       // "__" is text
    OptNoMonospace = 0x4000,       // "##" is no style
    OptNoSuperSub = 0x8000,        // "^^" and ",," are text
    OptNoBold = 0x10000,           // "**" is no style
    OptNoItalic = 0x20000,         // "//" is text
    OptNoExtensions = 0x40000,     // "<<" is text and text hooks are not called
    OptNoWikiAsMonospace = 0x100000,  // inline no-wiki is wrapped in MonoBegin/MonoEnd
    OptHeadingAnchors = 0x200000,  // template variable x is 1
};

// Converts inputLength bytes of markup. The input is copied into the first
// half of buffer and the output written into the other half (or, after a
// splice, the first). On result 0, *output points at the NUL-terminated output
// inside buffer, *outputLength holds its length in bytes and, when outputChars
// is not null, *outputChars its character count. format null means
// TextOutputFormat(); fontSize below 1 means the format's DefaultFontSize.
// lineEnd is written wherever a template holds a newline.
int32_t RenderMarkup(const char* input, int32_t inputLength, char* buffer, int32_t bufferSize,
                     uint32_t options, const char* lineEnd, const OutputFormat* format,
                     int32_t fontSize, const char** output, int32_t* outputLength,
                     int32_t* outputChars);

// The built-in formats. Each returns the address of a read-only record.
const OutputFormat* HtmlOutputFormat();
const OutputFormat* TextOutputFormat();
const OutputFormat* CompactTextOutputFormat();
const OutputFormat* XmlOutputFormat();
const OutputFormat* NullOutputFormat();
const OutputFormat* CreoleOutputFormat();
const OutputFormat* RtfOutputFormat();
const OutputFormat* LatexOutputFormat();
const OutputFormat* ManOutputFormat();
