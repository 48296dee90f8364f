// The state of one conversion. Lives on the caller's stack for one call of
// RenderMarkup; format functions receive it to write output and to read the
// template variables.
#pragma once

#include <cstdint>

struct OutputFormat;

// Where the reader stands in the block structure.
enum class BlockState : int32_t {
    BlockStart,    // at a line start, no block open (initial state)
    InText,        // running text of a paragraph, item, term, definition, cell
    LineStart,     // after one line end inside such a text block
    InHeading,     // inside heading text
    PreLineStart,  // at the start of a line of a preformatted block
    InPre,         // inside a line of a preformatted block
};

// Tokens returned by the tokenizer.
enum class TokenKind : int32_t {
    TokNone,
    TokSpace,
    TokTab,
    TokLineEnd,
    TokHeading,
    TokBreak,
    TokMarkers,
    TokDefine,
    TokCell,
    TokHeaderCell,
    TokRule,
    TokPre,
    TokExt,
    TokExtBlock,
    TokExtRaw,
    TokExtRawBlock,
    TokText,
    TokStyle,
    TokLinkOpen,
    TokLinkClose,
    TokImageOpen,
    TokImageClose,
    TokEndOfText,  // the tokenizer found that the text ends here (last '|' of a row)
};

// Kinds of BlockStack levels.
enum class LevelKind : int32_t {
    BulletLevel,
    NumberLevel,
    TermLevel,
    DefinitionLevel,
    IndentLevel,
    DataCellLevel,
    HeaderCellLevel,
};

// Kinds of InlineStack entries.
enum class InlineKind : int32_t {
    Bold,
    Italic,
    Underline,
    Superscript,
    Subscript,
    Monospace,
    NoWiki,
    Link,
    Image,
};

constexpr int32_t MaxBlockDepth = 8;
constexpr int32_t MaxInlineDepth = 9;

struct BlockLevel {
    LevelKind kind;
    int32_t itemNumber;  // number of the open item of a NumberLevel, else 0
    int32_t termItem;    // 1 when the open item of a TermLevel began as a term (TermBegin)
};

// What Put has learnt about one template of the format.
struct TemplateShape {
    const char* text;  // the template, or null: slot unused
    int32_t literal;   // bytes before its end or a final newline; -1: it holds
                       // directives or other newlines
    int32_t chars;     // characters among those bytes
    int32_t lineEnd;   // 1 when a final newline follows them
};

constexpr int32_t TemplateShapeSlots = 64;

// What a template with directives wrote last time, when its output depends
// only on the variables i, l, s and x and holds no line end.
struct TemplateMemo {
    const char* text;    // the template, or null: slot unused
    int32_t length;      // bytes in bytes
    uint32_t reads;      // the variables it read (TemplateRead* bits)
    int32_t values[4];   // their values then: i, l, s, x
    int32_t chars;       // characters among the bytes
    int32_t room;        // room beyond the output's end it may ask for
    char bytes[48];
};

constexpr int32_t TemplateMemoSlots = 16;

// Bits of RenderState::templateReads.
constexpr uint32_t TemplateReadI = 1;
constexpr uint32_t TemplateReadL = 2;
constexpr uint32_t TemplateReadS = 4;
constexpr uint32_t TemplateReadX = 8;
constexpr uint32_t TemplateReadOther = 16;  // o, p, a format's variable, %L

struct RenderState {
    char* output;           // output area
    int32_t outputLength;   // bytes written so far
    int32_t outputChars;    // characters written (UTF-8 lead bytes of 1-3 byte sequences)
    char* input;            // text being read
    int32_t position;       // index of the next byte to read
    int32_t inputBase;      // added to position to give the caller's input offset
    int32_t inputLength;    // bytes in input
    int32_t capacity;       // size of the output area
    int32_t wrapIndent;     // spaces written after a line that WrapLine breaks
    int32_t column;         // bytes written since the last line end
    BlockLevel blockStack[MaxBlockDepth];
    int32_t depth;          // BlockStack levels in use
    const OutputFormat* format;
    const char* lineEnd;    // caller's line end, one or two characters
    uint8_t metaChar;       // the format's template meta character
    uint32_t options;       // MarkupOptions
    int32_t s;              // template variable s: font size
    int32_t l;              // template variable l: level
    int32_t i;              // template variable i: item or heading number
    int32_t verbatimStart;  // last link target or image source scanned
    int32_t verbatimLength;
    int32_t x;              // template variable x: heading-anchor flag
    InlineKind inlineStack[MaxInlineDepth];
    int32_t headingLevel;
    int32_t markerCount;
    InlineKind styleKind;
    int32_t inlineDepth;
    int32_t headingCounters[2];
    TokenKind token;
    BlockState state;
    int32_t extensionReread;
    int32_t hookResume;
    int32_t tokenStart;
    int32_t spliceMark;

    // Engine bookkeeping beyond the record above.
    char* buffer;           // the caller's buffer; each half may hold input or output
    int32_t half;           // half the buffer size
    int32_t lineEndLength;  // bytes in lineEnd
    char markerString[MaxBlockDepth + 1];  // text of the %L directive
    int32_t textStart;      // first byte of the last TokText (after '~', the escaped byte)

    // Bytes that are plain text in running text and that the format writes
    // unchanged, so that runs of them are copied without the tokenizer (the
    // Plain* kinds of EngineInternal.h); all 0 when the format has text
    // hooks, a CharNotify or its own writer.
    uint8_t plainText[256];
    char separatorByte;     // the WordSeparator when it is one plain byte, else 0
    // Bytes of a line of a preformatted block that the format writes
    // unchanged (1), so that runs of them are copied without the tokenizer;
    // all 0 when the format has a CharNotify or a writer of its own there.
    uint8_t preText[256];
    // 1 when every byte outside ASCII punctuation, controls and the space is
    // copied unchanged, so that sixteen bytes at a time can be checked by
    // byte ranges alone (see CopyPlainRun).
    uint8_t plainByRanges;

    // What WrapLine remembers of the current output line, so that it reads
    // every output byte a bounded number of times. Code that shortens or
    // rewrites the output must call ForgetBreaks (see EngineInternal.h).
    int32_t breakScanned;    // output length at the last scan, or -1: unknown
    int32_t breakCandidate;  // last settled break index on the line, or -1
    int32_t breakAnswer;     // its answer (1 or 2)
    int32_t blankUntil;      // the current line holds only blanks before this index, or -1

    // Templates of the format seen so far, by address (the format's
    // templates do not change during a conversion).
    TemplateShape templateShapes[TemplateShapeSlots];
    TemplateMemo templateMemos[TemplateMemoSlots];

    // What the template being written has depended on, so that Put can tell
    // whether its output may be reused: the variables read (TemplateRead*
    // bits), the longest output reached (a repeat that writes its body and
    // takes it back out reaches beyond its end) and the line ends written.
    uint32_t templateReads;
    int32_t templatePeak;
    int32_t lineEndCount;

    // A heading's look-ahead for its closing '=' run failed for every
    // position below this one (reset when a heading opens).
    int32_t headingPlainEnd;

    // Remembered searches of link and image targets: the search for
    // delimiter k started at searchFrom[k] found it first at searchFound[k]
    // (inputLength when absent).
    int32_t searchFrom[4];
    int32_t searchFound[4];
};
