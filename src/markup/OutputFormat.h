// The record that drives all engine output, the function types a format may
// provide, and the writing helpers that format functions call.
#pragma once

#include <cstdint>

#include "RenderState.h"

// User-data word of format functions: usually the address of a table (the
// EscapeWriter takes its EscapeTable this way). A pointer, so that formats
// stay constant records without start-up code.
typedef const void* FormatData;

// Writes the text character at *position and advances *position past what it
// consumed. Returns 0 or a non-zero result code.
typedef int32_t (*CharWriterFunction)(const char* input, int32_t inputLength, int32_t* position,
                              FormatData data, RenderState* state);

// Writes a link target or image source. Returns 0 or a non-zero result code.
typedef int32_t (*VerbatimWriterFunction)(const char* text, int32_t length, RenderState* state,
                                  FormatData data);

// Decides whether WrapLine may break the output at index:
// 0 no break here, 1 break replacing this byte, 2 break after this byte.
typedef int32_t (*BreakFinderFunction)(const char* output, int32_t outputLength, int32_t index,
                               FormatData data, RenderState* state);

// Called before each text character with its offset in the caller's input.
// Returns 0 or a non-zero result code.
typedef int32_t (*CharNotifyFunction)(int32_t inputOffset, FormatData data, RenderState* state);

// Told when a block level, item or inline element opens (open = 1) or closes
// (open = 0). markup names the construct: "=", "*", "#", ";", ":", ";:", "|",
// "|=", "p", "----", "{{{", "**", "//", "__", "^^", ",,", "##", "[[", "{{".
// Returns 0 or a non-zero result code.
typedef int32_t (*NotifyFunction)(int32_t l, int32_t i, int32_t open, FormatData data,
                                  RenderState* state, int32_t inputOffset, const char* markup);

// Value of an upper-case template variable (A to Z).
typedef int32_t (*VariableHookFunction)(char variable, FormatData data, const OutputFormat* format);

// Handles one "<<name body>>" construct. Writes through WriteTemplate and the
// other helpers; returns 0 or a non-zero result code.
typedef int32_t (*ExtensionFunction)(const char* name, int32_t nameLength, const char* body,
                                     FormatData data, RenderState* state, int32_t bodyLength);

// May replace input text before it is tokenized: returns non-zero when it has
// consumed input (moving *position past it) and written replacement text.
typedef int32_t (*TextHookFunction)(const char* input, int32_t inputLength, int32_t* position,
                                    FormatData data, RenderState* state);

// One character and its replacement template; a table ends with a null
// replacement.
struct EscapeEntry {
    char character;
    const char* replacement;
};

// A link-target prefix and the template written in its place; a table ends
// with a null or empty prefix.
struct VerbatimPrefix {
    const char* prefix;
    const char* replacement;
};

// Flags of an ExtensionEntry.
enum ExtensionFlags : uint8_t {
    ExtPrefixName = 1,  // the entry's name may be a prefix of the written name
    ExtReread = 2,      // the function's output is read again as markup
    ExtBlock = 4,       // the extension is a block of its own
    ExtTriple = 8,      // the entry serves "<<<" (without it, "<<")
};

// One extension; a table ends with an entry whose name is null or empty.
struct ExtensionEntry {
    const char* name;
    uint8_t flags;
    ExtensionFunction function;
    FormatData data;
};

// One text hook; a list ends with an entry whose function is null.
struct TextHook {
    TextHookFunction function;
    FormatData data;
};

// Templates are NUL-terminated strings in the template language; a null
// template writes nothing. Null functions are not called.
struct OutputFormat {
    const char* WordSeparator;
    int32_t WrapIndentStep;
    int32_t DefaultFontSize;
    char MetaChar;
    const char* DocumentBegin;
    const char* DocumentEnd;
    int32_t MaxHeadingLevel;
    const char* HeadingBegin;
    const char* HeadingEnd;
    const char* ParagraphBegin;
    const char* ParagraphEnd;
    const char* LineBreak;
    const char* PreBegin;
    const char* PreEnd;
    const char* PreLineBegin;
    const char* PreLineEnd;
    int32_t NestListsInItems;
    const char* BulletListBegin;
    const char* BulletListEnd;
    const char* BulletItemBegin;
    const char* BulletItemEnd;
    const char* NumberListBegin;
    const char* NumberListEnd;
    const char* NumberItemBegin;
    const char* NumberItemEnd;
    const char* DefListBegin;
    const char* DefListEnd;
    const char* TermBegin;
    const char* TermEnd;
    const char* MissingTerm;
    const char* DefinitionBegin;
    const char* DefinitionEnd;
    const char* IndentBegin;
    const char* IndentEnd;
    const char* IndentParBegin;
    const char* IndentParEnd;
    const char* TableBegin;
    const char* TableEnd;
    const char* RowBegin;
    const char* RowEnd;
    const char* HeaderCellBegin;
    const char* HeaderCellEnd;
    const char* CellBegin;
    const char* CellEnd;
    const char* Rule;
    const char* BoldBegin;
    const char* BoldEnd;
    const char* ItalicBegin;
    const char* ItalicEnd;
    const char* UnderlineBegin;
    const char* UnderlineEnd;
    const char* SuperBegin;
    const char* SuperEnd;
    const char* SubBegin;
    const char* SubEnd;
    const char* MonoBegin;
    const char* MonoEnd;
    const char* LinkBegin;
    const char* LinkEnd;
    const char* LinkTextSep;
    int32_t LinkTargetAtEnd;
    const char* ImageBegin;
    const char* ImageEnd;
    const char* ImageAltSep;
    int32_t ImageTargetAtEnd;
    int32_t PlainImageText;
    const VerbatimPrefix* VerbatimPrefixes;
    VerbatimWriterFunction VerbatimWriter;
    FormatData VerbatimWriterData;
    CharWriterFunction CharWriter;
    FormatData CharWriterData;
    CharWriterFunction PreCharWriter;
    FormatData PreCharWriterData;
    int32_t WrapColumn;
    BreakFinderFunction BreakFinder;
    FormatData BreakFinderData;
    CharNotifyFunction CharNotify;
    FormatData CharNotifyData;
    NotifyFunction BlockNotify;
    NotifyFunction ItemNotify;
    NotifyFunction InlineNotify;
    FormatData NotifyData;
    const ExtensionEntry* Extensions;
    const TextHook* TextHooks;
    VariableHookFunction VariableHook;
    FormatData VariableHookData;
};

// Writes a template (length -1: up to its NUL) with the given meta character.
// A null template writes nothing. Returns 0, or 1 when the output area has no
// room (the output is then partly written).
int32_t WriteTemplate(const char* text, int32_t length, char metaChar, RenderState* state);

// Value of a template expression; 1 for a malformed one.
int32_t EvalExpression(const char* text, int32_t length, RenderState* state);

// CharWriter that replaces characters found in the EscapeTable given as data
// (a `const EscapeEntry*`) and writes all others as they
// are.
int32_t EscapeWriter(const char* input, int32_t inputLength, int32_t* position, FormatData data,
                     RenderState* state);

// VerbatimWriter that copies a link target or image source, replacing the
// characters found in the EscapeTable given as data by the replacement bytes
// (copied literally, not read as templates). Bytes count one each in
// outputChars and nothing in column, like an unescaped copy.
int32_t EscapeVerbatimWriter(const char* text, int32_t length, RenderState* state, FormatData data);

// Copies bytes unchanged, each counting one in outputChars and nothing in
// column (how link targets are copied without a VerbatimWriter).
// Returns 0, or 1 when they do not all fit.
int32_t WriteVerbatimBytes(const char* text, int32_t length, RenderState* state);

// Breaks the current output line when the column has reached the format's
// WrapColumn. Returns 0, or 1 when the inserted line end does not fit.
int32_t WrapLine(RenderState* state, const OutputFormat* format);

// Tells WrapLine that output it has already read was shortened or rewritten;
// a format function that does so must call it.
void ForgetBreaks(RenderState* state);

// '<' "&lt;", '>' "&gt;", '"' "&quot;", '&' "&amp;"; the apostrophe stays.
extern const EscapeEntry HtmlEscapeTable[];
