// The InlineStack: style toggles, inline no-wiki, links and images, and
// CloseInline, which every block end calls.
#include <cstring>

#include "EngineInternal.h"

namespace engine {

namespace {

const char* BeginTemplate(const OutputFormat* f, InlineKind kind)
{
    switch (kind) {
    case InlineKind::Bold: return f->BoldBegin;
    case InlineKind::Italic: return f->ItalicBegin;
    case InlineKind::Underline: return f->UnderlineBegin;
    case InlineKind::Superscript: return f->SuperBegin;
    case InlineKind::Subscript: return f->SubBegin;
    case InlineKind::Monospace: return f->MonoBegin;
    default: return nullptr;
    }
}

const char* EndTemplate(const OutputFormat* f, InlineKind kind)
{
    switch (kind) {
    case InlineKind::Bold: return f->BoldEnd;
    case InlineKind::Italic: return f->ItalicEnd;
    case InlineKind::Underline: return f->UnderlineEnd;
    case InlineKind::Superscript: return f->SuperEnd;
    case InlineKind::Subscript: return f->SubEnd;
    case InlineKind::Monospace: return f->MonoEnd;
    case InlineKind::Link: return f->LinkEnd;
    case InlineKind::Image: return f->ImageEnd;
    default: return nullptr;
    }
}

// The markup of an inline kind for InlineNotify; no-wiki is not announced.
const char* InlineMarkup(InlineKind kind)
{
    switch (kind) {
    case InlineKind::Bold: return "**";
    case InlineKind::Italic: return "//";
    case InlineKind::Underline: return "__";
    case InlineKind::Superscript: return "^^";
    case InlineKind::Subscript: return ",,";
    case InlineKind::Monospace: return "##";
    case InlineKind::Link: return "[[";
    case InlineKind::Image: return "{{";
    default: return nullptr;
    }
}

int32_t NotifyInline(RenderState* st, InlineKind kind, bool open)
{
    const char* markup = InlineMarkup(kind);
    if (!markup)
        return MarkupOk;
    return Notify(st, st->format->InlineNotify, -1, 0, open, false, markup);
}

bool OpenBelow(const RenderState* st, int32_t count, InlineKind kind)
{
    for (int32_t k = 0; k < count; ++k)
        if (st->inlineStack[k] == kind)
            return true;
    return false;
}

bool NoWikiAsMonospace(const RenderState* st, int32_t below)
{
    return (st->options & OptNoWikiAsMonospace) != 0 &&
           !OpenBelow(st, below, InlineKind::Monospace);
}

// Writes the link target or image source remembered last.
int32_t WriteTarget(RenderState* st)
{
    const OutputFormat* f = st->format;
    const char* text = st->input + st->verbatimStart;
    int32_t length = st->verbatimLength;
    for (const VerbatimPrefix* entry = f->VerbatimPrefixes;
         entry && entry->prefix && entry->prefix[0]; ++entry) {
        const int32_t prefixLength = int32_t(std::strlen(entry->prefix));
        if (prefixLength <= length && std::memcmp(text, entry->prefix, size_t(prefixLength)) == 0) {
            RETURN_IF_FAILED(PutWrap(st, entry->replacement));
            text += prefixLength;
            length -= prefixLength;
            break;
        }
    }
    if (f->VerbatimWriter)
        return f->VerbatimWriter(text, length, st, f->VerbatimWriterData);
    return WriteVerbatimBytes(text, length, st);
}

// Writes the end of the entry at index (the top of the stack) and removes it.
int32_t CloseEntry(RenderState* st, int32_t index)
{
    const OutputFormat* f = st->format;
    const InlineKind kind = st->inlineStack[index];
    RETURN_IF_FAILED(NotifyInline(st, kind, false));
    if (kind == InlineKind::NoWiki) {
        if (NoWikiAsMonospace(st, index))
            RETURN_IF_FAILED(Put(st, f->MonoEnd));
    } else if (kind == InlineKind::Link || kind == InlineKind::Image) {
        const bool link = kind == InlineKind::Link;
        const char* separator = link ? f->LinkTextSep : f->ImageAltSep;
        const int32_t atEnd = link ? f->LinkTargetAtEnd : f->ImageTargetAtEnd;
        if (atEnd == 1 && separator) {
            RETURN_IF_FAILED(PutWrap(st, separator));
            RETURN_IF_FAILED(WriteTarget(st));
        }
    }
    st->inlineDepth = index;
    return PutWrap(st, EndTemplate(f, kind));
}

int32_t Push(RenderState* st, InlineKind kind)
{
    const OutputFormat* f = st->format;
    const int32_t below = st->inlineDepth;
    st->inlineStack[st->inlineDepth++] = kind;
    RETURN_IF_FAILED(NotifyInline(st, kind, true));
    if (kind == InlineKind::NoWiki)
        return NoWikiAsMonospace(st, below) ? PutWrap(st, f->MonoBegin) : WrapLine(st, f);
    return PutWrap(st, BeginTemplate(f, kind));
}

// Delimiter searches of link and image targets, remembered between calls so
// that many unclosed "[[" read the text once.
enum SearchSlot { LinkCloseSlot, ImageCloseSlot, PipeSlot, LineBreakSlot };

bool SearchMatches(const RenderState* st, int32_t slot, int32_t k)
{
    const char* in = st->input;
    const int32_t n = st->inputLength;
    switch (slot) {
    case LinkCloseSlot: return in[k] == ']' && k + 1 < n && in[k + 1] == ']';
    case ImageCloseSlot: return in[k] == '}' && k + 1 < n && in[k + 1] == '}';
    case PipeSlot: return in[k] == '|';
    default: {
        // A line end that ends the text or is followed by another line end.
        if (!IsLineEndChar(in[k]))
            return false;
        const int32_t next = in[k] == '\r' && k + 1 < n && in[k + 1] == '\n' ? k + 2 : k + 1;
        return next >= n || IsLineEndChar(in[next]);
    }
    }
}

// The next index from k whose byte is c, or inputLength.
int32_t NextByte(const RenderState* st, int32_t k, char c)
{
    if (k >= st->inputLength)
        return st->inputLength;
    const void* found = std::memchr(st->input + k, c, size_t(st->inputLength - k));
    return found ? int32_t(static_cast<const char*>(found) - st->input) : st->inputLength;
}

int32_t SearchFrom(RenderState* st, int32_t slot, int32_t from)
{
    if (st->searchFrom[slot] >= 0 && st->searchFrom[slot] <= from && from <= st->searchFound[slot])
        return st->searchFound[slot];
    int32_t k = from;
    if (slot == PipeSlot) {
        k = NextByte(st, k, '|');
    } else if (slot != LineBreakSlot) {
        const char c = slot == LinkCloseSlot ? ']' : '}';
        while ((k = NextByte(st, k, c)) < st->inputLength && !SearchMatches(st, slot, k))
            ++k;
    }
    if (slot == LineBreakSlot) {
        // Visit line ends only: the next CR and the next LF, each found once.
        int32_t nextCR = NextByte(st, k, '\r');
        int32_t nextLF = NextByte(st, k, '\n');
        for (;;) {
            k = nextCR < nextLF ? nextCR : nextLF;
            if (k >= st->inputLength || SearchMatches(st, slot, k))
                break;
            if (k == nextCR)
                nextCR = NextByte(st, k + 1, '\r');
            else
                nextLF = NextByte(st, k + 1, '\n');
        }
    }
    st->searchFrom[slot] = from;
    st->searchFound[slot] = k;
    return k;
}

// The first line end from start that ends a paragraph, when there is one
// before limit; otherwise some index at or past limit. Targets are short:
// a short stretch is read directly, a long one through the remembered search.
int32_t ParagraphEndBefore(RenderState* st, int32_t start, int32_t limit)
{
    if (limit - start > 64)
        return SearchFrom(st, LineBreakSlot, start);
    for (int32_t k = start; k < limit; ++k)
        if (IsLineEndChar(st->input[k]) && SearchMatches(st, LineBreakSlot, k))
            return k;
    return limit;
}

}  // namespace

bool InlineOpen(const RenderState* st, InlineKind kind)
{
    return OpenBelow(st, st->inlineDepth, kind);
}

int32_t CloseInline(RenderState* st)
{
    while (st->inlineDepth > 0)
        RETURN_IF_FAILED(CloseEntry(st, st->inlineDepth - 1));
    return MarkupOk;
}

int32_t Toggle(RenderState* st, InlineKind kind)
{
    int32_t place = -1;
    for (int32_t k = 0; k < st->inlineDepth; ++k)
        if (st->inlineStack[k] == kind)
            place = k;
    if (place >= 0) {
        // Close down to the entry, then re-open what stood above it (links
        // and images are not re-opened).
        InlineKind above[MaxInlineDepth];
        const int32_t aboveCount = st->inlineDepth - place - 1;
        for (int32_t k = 0; k < aboveCount; ++k)
            above[k] = st->inlineStack[place + 1 + k];
        while (st->inlineDepth > place)
            RETURN_IF_FAILED(CloseEntry(st, st->inlineDepth - 1));
        for (int32_t k = 0; k < aboveCount; ++k) {
            if (above[k] == InlineKind::Link || above[k] == InlineKind::Image)
                continue;
            st->inlineStack[st->inlineDepth++] = above[k];
            RETURN_IF_FAILED(NotifyInline(st, above[k], true));
            if (above[k] != InlineKind::NoWiki)
                RETURN_IF_FAILED(Put(st, BeginTemplate(st->format, above[k])));
            RETURN_IF_FAILED(WrapLine(st, st->format));
        }
        return MarkupOk;
    }
    if (kind == InlineKind::Link || kind == InlineKind::Image)
        return MarkupOk;
    if (st->format->PlainImageText == 1 && InlineOpen(st, InlineKind::Image))
        return MarkupOk;  // the markup disappears from an image's text
    return Push(st, kind);
}

int32_t OpenLinkOrImage(RenderState* st, InlineKind kind)
{
    const OutputFormat* f = st->format;
    const bool link = kind == InlineKind::Link;
    if (InlineOpen(st, InlineKind::Image) || (link && InlineOpen(st, InlineKind::Link)))
        return MarkupOk;  // the "[[" or "{{" disappears

    SkipBlanks(st);
    const int32_t start = st->position;
    int32_t end = SearchFrom(st, link ? LinkCloseSlot : ImageCloseSlot, start);
    const int32_t pipe = SearchFrom(st, PipeSlot, start);
    const int32_t lineBreak = ParagraphEndBefore(st, start, pipe < end ? pipe : end);
    const bool atPipe = pipe < end && pipe <= lineBreak;
    if (pipe < end)
        end = pipe;
    if (lineBreak < end)
        end = lineBreak;

    int32_t targetEnd = end;
    while (targetEnd > start && (IsBlank(st->input[targetEnd - 1]) || IsLineEndChar(st->input[targetEnd - 1])))
        --targetEnd;
    if (targetEnd == start) {
        st->position = end;  // nothing is written or opened
        return MarkupOk;
    }
    st->verbatimStart = start;
    st->verbatimLength = targetEnd - start;

    RETURN_IF_FAILED(NotifyInline(st, kind, true));
    const char* separator = link ? f->LinkTextSep : f->ImageAltSep;
    if (separator) {
        RETURN_IF_FAILED(PutWrap(st, link ? f->LinkBegin : f->ImageBegin));
        if ((link ? f->LinkTargetAtEnd : f->ImageTargetAtEnd) != 1) {
            RETURN_IF_FAILED(WriteTarget(st));
            RETURN_IF_FAILED(PutWrap(st, separator));
        }
    }
    if (atPipe) {
        st->position = end + 1;
        SkipBlanks(st);
    } else {
        st->position = start;  // the target is read again as the text
    }
    st->inlineStack[st->inlineDepth++] = kind;
    return MarkupOk;
}

}  // namespace engine
