// Operations shared between the engine's source files. Not part of the
// public interface.
#pragma once

#include <cstdint>

#include "MarkupEngine.h"

// Returns a non-zero result code of call from the enclosing function.
#define RETURN_IF_FAILED(call)                 \
    do {                                       \
        const int32_t result_ = (call);        \
        if (result_ != MarkupOk)               \
            return result_;                    \
    } while (0)

namespace engine {

// --- Output primitives (Writer.cpp) ---------------------------------------

// True for bytes that count as one character: ASCII and lead bytes of two- and
// three-byte UTF-8 sequences.
inline bool CountsAsChar(uint8_t b)
{
    return b < 0x80 || (b >= 0xC0 && b < 0xF0);
}

// Writes one byte counted in column and outputChars; 1 when there is no room.
inline int32_t PutByte(RenderState* st, char b)
{
    if (st->outputLength >= st->capacity)
        return MarkupNoRoom;
    st->output[st->outputLength++] = b;
    ++st->column;
    st->outputChars += CountsAsChar(uint8_t(b));
    return MarkupOk;
}

// Writes the line-end string; column becomes wrapIndent.
int32_t PutLineEnd(RenderState* st);

// Writes a template of the current format (the field's value). Remembers
// in the state which templates are plain text, so that those are copied
// without reading them for directives again.
int32_t Put(RenderState* st, const char* text);

// Writes the text character at position through the CharWriter (or copies
// it), advancing position; calls CharNotify first.
int32_t WriteTextChar(RenderState* st);

// Writes the byte c as a text character of a preformatted block.
int32_t WritePreChar(RenderState* st, char c);

// Kinds of bytes in plainText (bit flags; 0: the byte ends a plain run).
constexpr uint8_t PlainAlways = 1;  // copied unchanged
constexpr uint8_t PlainAlone = 2;   // copied unless the next byte is the same
constexpr uint8_t PlainWord = PlainAlways | PlainAlone;
constexpr uint8_t PlainBlank = 4;   // space or tab: the one-byte WordSeparator
                                    // in running text before a word byte

// Fills plainText, preText and plainByRanges for the state's format and options.
void PreparePlainText(RenderState* st);

// Copies the run of plain text bytes at position, each followed by WrapLine,
// exactly as tokenizing them one by one would.
int32_t CopyPlainRun(RenderState* st);

// Copies the run of bytes at position in a line of a preformatted block
// that the format writes unchanged, exactly as their one-byte tokens would.
int32_t CopyPreRun(RenderState* st);

// Shortens the output to length bytes (column and outputChars follow).
void TruncateOutput(RenderState* st, int32_t length);

// Writes a template and then calls WrapLine.
int32_t PutWrap(RenderState* st, const char* text);

// Tells the format's notify function fn, if it has one, that a construct
// opens or closes. The offset is that of the token being handled, or of the
// reading position for closings that EndItem and EndAll write.
inline int32_t Notify(RenderState* st, NotifyFunction fn, int32_t l, int32_t i, bool open,
                      bool atPosition, const char* markup)
{
    if (!fn)
        return MarkupOk;
    const int32_t offset = (atPosition ? st->position : st->tokenStart) + st->inputBase;
    return fn(l, i, open ? 1 : 0, st->format->NotifyData, st, offset, markup);
}

// --- Tokenizer (Tokenizer.cpp) ---------------------------------------------

// Reads the next token at position and sets token, advancing position.
void NextToken(RenderState* st);

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsLineEndChar(char c) { return c == '\r' || c == '\n'; }

// Advances position past spaces and tabs.
void SkipBlanks(RenderState* st);

// True when only spaces and tabs follow from index up to a line end or the
// end of the text.
bool OnlyBlanksToLineEnd(const RenderState* st, int32_t index);

inline bool NoWikiOnTop(const RenderState* st)
{
    return st->inlineDepth > 0 && st->inlineStack[st->inlineDepth - 1] == InlineKind::NoWiki;
}

// --- Block structure (Blocks.cpp) -------------------------------------------

int32_t HandleBlockToken(RenderState* st);
int32_t EndItem(RenderState* st);
int32_t EndAll(RenderState* st);
int32_t OpenHeading(RenderState* st);
int32_t BeginParagraph(RenderState* st);
int32_t NotifyPreEnd(RenderState* st);
int32_t NotifyHeadingEnd(RenderState* st);

// --- Inline markup (Inline.cpp) ----------------------------------------------

int32_t Toggle(RenderState* st, InlineKind kind);
int32_t OpenLinkOrImage(RenderState* st, InlineKind kind);
int32_t CloseInline(RenderState* st);
bool InlineOpen(const RenderState* st, InlineKind kind);

// --- Extensions and text hooks (Extensions.cpp) -----------------------------

// Handles TokExt, TokExtBlock, TokExtRaw and TokExtRawBlock in any state.
int32_t HandleExtension(RenderState* st);

// Calls the format's text hooks at the current position.
int32_t RunTextHooks(RenderState* st);

// Makes output written from length m on the next text to read.
int32_t Splice(RenderState* st, int32_t m, int32_t columnAtMark, int32_t charsAtMark);

// Forgets every remembered look-ahead over the input (after a splice).
void ForgetInputSearches(RenderState* st);

}  // namespace engine
