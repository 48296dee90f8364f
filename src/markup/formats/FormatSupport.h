// Small helpers shared by the export formats' writer functions: UTF-8
// decoding, writing raw bytes, and looking at the output written so far.
#pragma once

#include <cstdint>

#include "../OutputFormat.h"

// Length of the UTF-8 sequence that starts at text[0] (1 to 4), or 0 when the
// bytes there are no well-formed sequence (overlong forms, surrogates and
// values above U+10FFFF are not well-formed). *codePoint receives its value.
int32_t DecodeUtf8(const char* text, int32_t length, uint32_t* codePoint);

// Where the byte at input[position] belongs when it is 0x80 or above:
// returns the length of the well-formed sequence that starts there (and its
// value in *codePoint), 0 when it continues a well-formed sequence that
// starts before it (its lead byte has been written already), or -1 when it
// belongs to no well-formed sequence.
int32_t Utf8SequenceAt(const char* input, int32_t inputLength, int32_t position,
                       uint32_t* codePoint);

// Writes length bytes as they are (no template directives, a newline byte
// still becomes the line end). Returns 0, or 1 when they do not fit.
int32_t WriteRaw(RenderState* state, const char* bytes, int32_t length);

// Writes a NUL-terminated string as WriteRaw does.
int32_t WriteRawString(RenderState* state, const char* text);

// The last byte written, or 0 when nothing has been written yet.
char LastOutputByte(const RenderState* state);

// True when the current output line holds nothing but spaces and tabs.
bool AtOutputLineStart(const RenderState* state);

// True when the innermost block level is a table cell.
bool InTableCell(const RenderState* state);

// True when an inline element of that kind is open.
bool InlineOpen(const RenderState* state, InlineKind kind);

// The last fields of an export format's record: none of them watches the
// conversion, extends the markup or supplies template variables.
#define NO_NOTIFIERS_EXTENSIONS_OR_HOOKS                                                  \
    .CharNotify = nullptr, .CharNotifyData = nullptr, .BlockNotify = nullptr,              \
    .ItemNotify = nullptr, .InlineNotify = nullptr, .NotifyData = nullptr,                 \
    .Extensions = nullptr, .TextHooks = nullptr, .VariableHook = nullptr,                  \
    .VariableHookData = nullptr
