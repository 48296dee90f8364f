// "<<" extensions, text hooks, and the splice that hands their output back
// to the tokenizer.
#include <cstring>

#include "EngineInternal.h"

namespace engine {

namespace {

const ExtensionEntry* FindExtension(const RenderState* st, bool triple, const char* name,
                                    int32_t length)
{
    const ExtensionEntry* entry = st->format->Extensions;
    if (!entry || length == 0)
        return nullptr;
    for (; entry->name && entry->name[0]; ++entry) {
        if (((entry->flags & ExtTriple) != 0) != triple)
            continue;
        const int32_t entryLength = int32_t(std::strlen(entry->name));
        if (entryLength > length || std::memcmp(entry->name, name, size_t(entryLength)) != 0)
            continue;
        if (entryLength == length || (entry->flags & ExtPrefixName) != 0)
            return entry;
    }
    return nullptr;
}

bool MarkerAt(const RenderState* st, int32_t k, int32_t markerLength)
{
    if (k + markerLength > st->inputLength)
        return false;
    for (int32_t j = 0; j < markerLength; ++j)
        if (st->input[k + j] != '>')
            return false;
    return true;
}

// Index of the closing marker from bodyStart, or inputLength.
int32_t FindClose(const RenderState* st, int32_t bodyStart, int32_t markerLength, bool block)
{
    const char* in = st->input;
    const int32_t n = st->inputLength;
    for (int32_t k = bodyStart; k < n; ++k) {
        if (block) {
            // Only a marker line closes a block body.
            if (k > 0 && IsLineEndChar(in[k - 1]) && MarkerAt(st, k, markerLength) &&
                OnlyBlanksToLineEnd(st, k + markerLength))
                return k;
        } else if (MarkerAt(st, k, markerLength)) {
            return k;
        }
    }
    return n;
}

}  // namespace

int32_t HandleExtension(RenderState* st)
{
    const TokenKind token = st->token;
    const bool triple = token == TokenKind::TokExtRaw || token == TokenKind::TokExtRawBlock;
    const bool block = token == TokenKind::TokExtBlock || token == TokenKind::TokExtRawBlock;
    const char* in = st->input;
    const int32_t n = st->inputLength;

    SkipBlanks(st);
    const int32_t nameStart = st->position;
    int32_t p = nameStart;
    while (p < n && !IsBlank(in[p]) && !IsLineEndChar(in[p]) && in[p] != '>')
        ++p;
    const int32_t nameLength = p - nameStart;
    const ExtensionEntry* entry = FindExtension(st, triple, in + nameStart, nameLength);
    const bool blockEntry = entry && (entry->flags & ExtBlock) != 0;

    switch (st->state) {
    case BlockState::BlockStart:
        if (entry && !blockEntry) {
            RETURN_IF_FAILED(BeginParagraph(st));
            st->state = BlockState::InText;
        }
        break;
    case BlockState::LineStart:
        if (blockEntry) {
            RETURN_IF_FAILED(CloseInline(st));
            RETURN_IF_FAILED(EndAll(st));
            st->state = BlockState::BlockStart;
        } else {
            RETURN_IF_FAILED(Put(st, st->format->WordSeparator));
            st->state = BlockState::InText;
        }
        break;
    case BlockState::InText:
        if (blockEntry) {
            RETURN_IF_FAILED(CloseInline(st));
            RETURN_IF_FAILED(EndAll(st));
            st->state = BlockState::BlockStart;
        }
        break;
    default:
        break;
    }

    st->position = p;
    SkipBlanks(st);
    if (st->position < n && in[st->position] == '\r')
        ++st->position;
    if (st->position < n && in[st->position] == '\n')
        ++st->position;
    const int32_t bodyStart = st->position;
    const int32_t markerLength = triple ? 3 : 2;
    const int32_t close = FindClose(st, bodyStart, markerLength, block);
    int32_t bodyEnd = close;
    st->position = close < n ? close + markerLength : n;
    if (bodyEnd > bodyStart && in[bodyEnd - 1] == '\n')
        --bodyEnd;
    if (bodyEnd > bodyStart && in[bodyEnd - 1] == '\r')
        --bodyEnd;

    if (!entry)
        return MarkupOk;  // the construct disappears
    const int32_t mark = st->outputLength;
    const int32_t column = st->column;
    const int32_t chars = st->outputChars;
    RETURN_IF_FAILED(entry->function(in + nameStart, nameLength, in + bodyStart, entry->data, st,
                                     bodyEnd - bodyStart));
    st->extensionReread = (entry->flags & ExtReread) != 0 ? 1 : 0;
    if (st->extensionReread)
        return Splice(st, mark, column, chars);
    return MarkupOk;
}

int32_t RunTextHooks(RenderState* st)
{
    if (st->state == BlockState::InPre || st->state == BlockState::PreLineStart ||
        st->position < st->hookResume || (st->options & OptNoExtensions) != 0 ||
        !st->format->TextHooks)
        return MarkupOk;
    for (const TextHook* hook = st->format->TextHooks; hook->function; ++hook) {
        const int32_t mark = st->outputLength;
        const int32_t column = st->column;
        const int32_t chars = st->outputChars;
        if (hook->function(st->input, st->inputLength, &st->position, hook->data, st) != 0) {
            st->hookResume = st->outputLength;
            return Splice(st, mark, column, chars);
        }
    }
    return MarkupOk;
}

void ForgetInputSearches(RenderState* st)
{
    for (int32_t k = 0; k < 4; ++k) {
        st->searchFrom[k] = -1;
        st->searchFound[k] = -1;
    }
    st->headingPlainEnd = 0;
}

// The output written from m on, followed by the unread input, becomes the
// text to read; the output keeps its first m bytes in the other half of the
// buffer.
int32_t Splice(RenderState* st, int32_t m, int32_t columnAtMark, int32_t charsAtMark)
{
    const int32_t unread = st->inputLength - st->position;
    if (st->capacity < st->outputLength + unread || st->capacity < m)
        return MarkupNoRoom;
    std::memcpy(st->output + st->outputLength, st->input + st->position, size_t(unread));
    char* const oldOutput = st->output;
    char* const newOutput = oldOutput == st->buffer ? st->buffer + st->half : st->buffer;
    std::memcpy(newOutput, oldOutput, size_t(m));
    st->inputBase += st->position - st->outputLength;
    st->input = oldOutput;
    st->inputLength = st->outputLength + unread;
    st->position = m;
    st->output = newOutput;
    st->outputLength = m;
    st->column = columnAtMark;
    st->outputChars = charsAtMark;
    st->spliceMark = m;
    // Targets read before the splice lie in text that is gone.
    st->verbatimLength = 0;
    ForgetBreaks(st);
    ForgetInputSearches(st);
    return MarkupOk;
}

}  // namespace engine
