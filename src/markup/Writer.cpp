// Writing output: line ends, text characters, escaping, verbatim copies and
// line wrapping.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "EngineInternal.h"

using namespace engine;

const EscapeEntry HtmlEscapeTable[] = {
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'"', "&quot;"},
    {'&', "&amp;"},
    {'\0', nullptr},
};

namespace engine {

int32_t PutLineEnd(RenderState* st)
{
    const int32_t n = st->lineEndLength;
    if (st->outputLength + (n - 1) + st->wrapIndent >= st->capacity)
        return MarkupNoRoom;
    for (int32_t k = 0; k < n; ++k) {
        const char c = st->lineEnd[k];
        st->output[st->outputLength++] = c;
        st->outputChars += CountsAsChar(uint8_t(c));
    }
    st->column = st->wrapIndent;
    ++st->lineEndCount;
    return MarkupOk;
}

int32_t WriteTextChar(RenderState* st)
{
    const OutputFormat* format = st->format;
    if (format->CharNotify) {
        const int32_t result = format->CharNotify(st->position + st->inputBase,
                                                  format->CharNotifyData, st);
        if (result != MarkupOk)
            return result;
    }
    if (format->CharWriter) {
        const int32_t before = st->position;
        const int32_t result = format->CharWriter(st->input, st->inputLength, &st->position,
                                                  format->CharWriterData, st);
        if (st->position <= before)  // a writer must consume; never loop
            st->position = before + 1;
        return result;
    }
    return PutByte(st, st->input[st->position++]);
}

int32_t WritePreChar(RenderState* st, char c)
{
    const OutputFormat* format = st->format;
    if (format->PreCharWriter) {
        int32_t position = 0;
        return format->PreCharWriter(&c, 1, &position, format->PreCharWriterData, st);
    }
    return PutByte(st, c);
}

namespace {

// Bytes that CopyPlainRun reads one by one: controls, the space and ASCII
// punctuation. Every byte that may start a token, or that a format escapes,
// is one of them for all built-in formats; when a format escapes any other
// byte, PreparePlainText turns the sixteen-byte checks off.
inline bool MayNeedCheck(uint8_t b)
{
    return b <= 0x2F || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x60) ||
           (b >= 0x7B && b <= 0x7F);
}

#if defined(__SSE2__)

// Lanes of v holding a byte from lo to hi (unsigned).
inline __m128i InRange(__m128i v, uint8_t lo, uint8_t hi)
{
    const __m128i shifted = _mm_sub_epi8(v, _mm_set1_epi8(char(lo)));
    return _mm_cmpeq_epi8(_mm_min_epu8(shifted, _mm_set1_epi8(char(hi - lo))), shifted);
}

// Copies the sixteen bytes at from to out and returns how many of them, from
// the first and no more than atMost, are certainly plain text copied unchanged:
// bytes outside MayNeedCheck, and (when spacesCopied) single spaces before
// such a byte. The caller treats the byte after them one by one. from[16]
// must be readable. Adds the characters among the plain bytes to *chars.
inline int32_t CopySixteen(const char* from, char* out, int32_t atMost, bool spacesCopied,
                           int32_t* chars)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
    const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(0x2F)), v);
    const __m128i checked = _mm_or_si128(_mm_or_si128(low, InRange(v, 0x3A, 0x40)),
                                         _mm_or_si128(InRange(v, 0x5B, 0x60), InRange(v, 0x7B, 0x7F)));
    const uint32_t needCheck = uint32_t(_mm_movemask_epi8(checked)) |
                               (MayNeedCheck(uint8_t(from[16])) ? 0x10000u : 0u);
    const uint32_t spaces = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))));
    const uint32_t stops = (needCheck & ~spaces & 0xFFFFu) |
                           (spacesCopied ? spaces & (needCheck >> 1) : spaces);
    int32_t n = stops ? __builtin_ctz(stops) : 16;
    if (n > atMost)
        n = atMost;
    const uint32_t taken = (1u << n) - 1;
    if ((uint32_t(_mm_movemask_epi8(v)) & taken) == 0) {
        *chars += n;
    } else {
        // Continuation bytes and lead bytes of four-byte sequences do not count.
        const __m128i notCounted = _mm_or_si128(InRange(v, 0x80, 0xBF), InRange(v, 0xF0, 0xFF));
        *chars += n - __builtin_popcount(uint32_t(_mm_movemask_epi8(notCounted)) & taken);
    }
    return n;
}

#endif

void PreparePreText(RenderState* st)
{
    std::memset(st->preText, 0, sizeof st->preText);
    const OutputFormat* f = st->format;
    if (f->CharNotify || (f->PreCharWriter && f->PreCharWriter != EscapeWriter))
        return;
    std::memset(st->preText, 1, sizeof st->preText);
    // Tabs are expanded, line ends are tokens of their own.
    st->preText[uint8_t('\t')] = 0;
    st->preText[uint8_t('\r')] = 0;
    st->preText[uint8_t('\n')] = 0;
    if (f->PreCharWriter == EscapeWriter)
        for (const EscapeEntry* entry = static_cast<const EscapeEntry*>(f->PreCharWriterData);
             entry && entry->replacement; ++entry)
            st->preText[uint8_t(entry->character)] = 0;
}

}  // namespace

void PreparePlainText(RenderState* st)
{
    PreparePreText(st);
    std::memset(st->plainText, 0, sizeof st->plainText);
    const OutputFormat* f = st->format;
    const bool hooks = f->TextHooks && (st->options & OptNoExtensions) == 0;
    if (hooks || f->CharNotify || (f->CharWriter && f->CharWriter != EscapeWriter))
        return;
    for (int b = 0; b < 256; ++b)
        st->plainText[b] = PlainAlways;
    // Bytes that start a token in running text or in a heading only when
    // the next byte is the same ("**", "{{", "\\\\" ...) are plain alone.
    for (const char* c = "*/_^,#{}\\[]"; *c; ++c)
        st->plainText[uint8_t(*c)] = PlainAlone;
    // Everything else that may start a token there.
    for (const char* c = " \t\r\n~<:|="; *c; ++c)
        st->plainText[uint8_t(*c)] = 0;
    if (f->CharWriter == EscapeWriter)
        for (const EscapeEntry* entry = static_cast<const EscapeEntry*>(f->CharWriterData);
             entry && entry->replacement; ++entry)
            st->plainText[uint8_t(entry->character)] = 0;
    const char* separator = f->WordSeparator;
    if (separator && separator[0] && !separator[1] && separator[0] != '\n' &&
        separator[0] != char(st->metaChar)) {
        st->separatorByte = separator[0];
        // A blank's token writes the separator whatever the escape table says.
        st->plainText[uint8_t(' ')] = PlainBlank;
        st->plainText[uint8_t('\t')] = PlainBlank;
    }
    st->plainByRanges = 1;
    for (int b = 0; b < 256; ++b)
        if (!MayNeedCheck(uint8_t(b)) && st->plainText[b] != PlainAlways)
            st->plainByRanges = 0;
}

namespace {

// True when WrapLine has judged the whole current output line and found no
// break position it would take (none, or one with only blanks before it, as
// in a list item's indentation), and no blank ends the line: then it finds
// none after any further plain bytes that are not blanks either (without a
// BreakFinder only blanks are break positions), and calling it once after a
// stretch of them leaves the same output and state as calling it after each.
bool NoBreakOnLine(const RenderState* st)
{
    const int32_t candidate = st->breakCandidate;
    const bool none = candidate < 0 ||
                      st->blankUntil == (st->breakAnswer == 1 ? candidate : candidate + 1);
    return none && !st->format->BreakFinder && st->breakScanned == st->outputLength &&
           st->outputLength > 0 && !IsBlank(st->output[st->outputLength - 1]);
}

}  // namespace

int32_t CopyPlainRun(RenderState* st)
{
    const char* in = st->input;
    const uint8_t* plain = st->plainText;
    const int32_t wrapColumn = st->format->WrapColumn;
    if (!(plain[uint8_t('a')] & PlainAlways))
        return MarkupOk;  // no plain text for this format
    // A single space or tab between two words of running text becomes the
    // one-byte WordSeparator inside the run: the blank's token would write
    // exactly that byte, so "word word word" is copied in one go.
    const uint32_t blanks = st->state == BlockState::InText ? 1 : 0;
    const char separator = st->separatorByte;
    const bool byRanges = st->plainByRanges != 0;
    for (;;) {
        // Copy up to where the column reaches the wrap column (where WrapLine
        // must look at the line) or the run ends.
        const int32_t remaining = st->inputLength - st->position;
        int32_t limit = remaining;
        bool stretch = false;
        if (wrapColumn > 0 && wrapColumn - st->column < limit) {
            if (st->column >= wrapColumn && NoBreakOnLine(st))
                stretch = true;  // WrapLine once after the run, see NoBreakOnLine
            else
                limit = wrapColumn - st->column > 1 ? wrapColumn - st->column : 1;
        }
        const uint32_t runBlanks = stretch ? 0 : blanks;
        const bool spacesCopied = runBlanks && separator == ' ';
        if (limit > remaining)
            limit = remaining;
        // Each byte's step of the conversion loop checks room first.
        const int32_t room = st->capacity - 1 - st->outputLength;
        const char* from = in + st->position;
        char* out = st->output + st->outputLength;
        // Bytes below stop have room and a next byte without checks of
        // their own.
        int32_t stop = limit < room - 1 ? limit : room - 1;
        if (stop > remaining - 1)
            stop = remaining - 1;
        // Sixteen bytes are read and written at a time up to vectorEnd; only
        // those below stop are taken.
        const int32_t vectorEnd = (room < remaining ? room : remaining) - 17;
        int32_t count = 0;
        int32_t chars = 0;
        for (;;) {
            // Whether a byte is copied is worked out without a branch per
            // kind: words end every few bytes and would mispredict.
            while (count < stop) {
#if defined(__SSE2__)
                // Markup-dense text gives short runs: sixteen bytes are
                // checked only from a byte that needs no check of its own.
                if (byRanges && count <= vectorEnd && !MayNeedCheck(uint8_t(from[count]))) {
                    const int32_t copied =
                        CopySixteen(from + count, out + count, stop - count, spacesCopied, &chars);
                    count += copied;
                    if (copied == 16 || count >= stop)
                        continue;
                }
#endif
                const uint32_t b = uint8_t(from[count]);
                const uint32_t next = uint8_t(from[count + 1]);
                const uint32_t kind = plain[b];
                const uint32_t nextKind = plain[next];
                const uint32_t alone = (kind >> 1) & uint32_t(next != b);
                const uint32_t blank = (kind >> 2) & runBlanks & (nextKind | nextKind >> 1);
                if (((kind | alone | blank) & 1) == 0)
                    break;
                const char written = (kind & PlainBlank) ? separator : char(b);
                out[count++] = written;
                chars += CountsAsChar(uint8_t(written));
            }
            if (count >= limit)
                break;
            // The byte where that stopped, by the same rules with checks.
            const uint8_t b = uint8_t(from[count]);
            const uint8_t kind = plain[b];
            const bool last = count + 1 >= remaining;
            const uint8_t next = last ? 0 : uint8_t(from[count + 1]);
            const bool copied = (kind & PlainAlways) ||
                                ((kind & PlainAlone) && (last || next != b)) ||
                                (runBlanks && (kind & PlainBlank) && !last &&
                                 (plain[next] & PlainWord));
            if (!copied)
                break;
            if (count >= room - 1)
                return MarkupNoRoom;
            const char written = (kind & PlainBlank) ? separator : char(b);
            out[count++] = written;
            chars += CountsAsChar(uint8_t(written));
        }
        st->outputLength += count;
        st->outputChars += chars;
        st->column += count;
        st->position += count;
        if (count > 0 && (count == limit || stretch)) {
            if (wrapColumn > 0 && st->column >= wrapColumn) {
                const int32_t result = WrapLine(st, st->format);
                if (result != MarkupOk)
                    return result;
            }
            if (count == limit)
                continue;
        }
        // The run ended at a byte that is not plain. Spaces and tabs between
        // words of running text are handled here as their token would be:
        // one WordSeparator unless a line end or the end of the text follows.
        if (st->state != BlockState::InText || st->position >= st->inputLength ||
            !IsBlank(in[st->position]))
            return MarkupOk;
        if (st->outputLength + 2 >= st->capacity)
            return MarkupNoRoom;
        int32_t p = st->position + 1;
        while (p < st->inputLength && IsBlank(in[p]))
            ++p;
        st->position = p;
        if (p >= st->inputLength || IsLineEndChar(in[p]))
            return MarkupOk;
        if (st->separatorByte) {
            // The room check above leaves room for this byte.
            st->output[st->outputLength++] = st->separatorByte;
            ++st->column;
            st->outputChars += CountsAsChar(uint8_t(st->separatorByte));
        } else if (Put(st, st->format->WordSeparator) != MarkupOk) {
            return MarkupNoRoom;
        }
        if (wrapColumn > 0 && st->column >= wrapColumn) {
            const int32_t result = WrapLine(st, st->format);
            if (result != MarkupOk)
                return result;
        }
    }
}

int32_t CopyPreRun(RenderState* st)
{
    const char* in = st->input;
    const uint8_t* copied = st->preText;
    // Each byte's step of the conversion loop needs three bytes of room.
    const int32_t last = st->capacity - 3;
    int32_t position = st->position;
    int32_t length = st->outputLength;
    int32_t chars = st->outputChars;
    char* out = st->output;
    while (position < st->inputLength && copied[uint8_t(in[position])]) {
        if (length > last)
            break;
        const char b = in[position++];
        out[length++] = b;
        chars += CountsAsChar(uint8_t(b));
    }
    st->column += length - st->outputLength;
    st->outputLength = length;
    st->outputChars = chars;
    st->position = position;
    return MarkupOk;
}

void TruncateOutput(RenderState* st, int32_t length)
{
    for (int32_t k = length; k < st->outputLength; ++k)
        st->outputChars -= CountsAsChar(uint8_t(st->output[k]));
    st->column -= st->outputLength - length;
    if (st->column < 0)
        st->column = 0;
    st->outputLength = length;
    ForgetBreaks(st);
}

int32_t PutWrap(RenderState* st, const char* text)
{
    const int32_t result = Put(st, text);
    if (result != MarkupOk)
        return result;
    const int32_t wrapColumn = st->format->WrapColumn;
    return wrapColumn > 0 && st->column >= wrapColumn ? WrapLine(st, st->format) : MarkupOk;
}

}  // namespace engine

int32_t EscapeWriter(const char* input, int32_t inputLength, int32_t* position, FormatData data,
                     RenderState* st)
{
    (void)inputLength;
    const char c = input[*position];
    ++*position;
    for (const EscapeEntry* entry = static_cast<const EscapeEntry*>(data);
         entry && entry->replacement; ++entry)
        if (entry->character == c)
            return WriteTemplate(entry->replacement, -1, char(st->metaChar), st) == MarkupOk
                       ? MarkupOk
                       : MarkupNoRoom;
    if (c == '\n')
        return PutLineEnd(st);
    return PutByte(st, c);
}

int32_t WriteVerbatimBytes(const char* text, int32_t length, RenderState* st)
{
    if (length <= 0)
        return MarkupOk;
    if (st->outputLength + length > st->capacity)
        return MarkupNoRoom;
    std::memcpy(st->output + st->outputLength, text, size_t(length));
    st->outputLength += length;
    st->outputChars += length;
    return MarkupOk;
}

int32_t EscapeVerbatimWriter(const char* text, int32_t length, RenderState* st, FormatData data)
{
    uint8_t escaped[256 / 8] = {};
    for (const EscapeEntry* entry = static_cast<const EscapeEntry*>(data);
         entry && entry->replacement; ++entry)
        escaped[uint8_t(entry->character) / 8] |= uint8_t(1u << (uint8_t(entry->character) % 8));
    int32_t start = 0;  // first byte not yet copied
    for (int32_t k = 0; k < length; ++k) {
        const uint8_t b = uint8_t(text[k]);
        if ((escaped[b / 8] & (1u << (b % 8))) == 0)
            continue;
        for (const EscapeEntry* entry = static_cast<const EscapeEntry*>(data);
             entry && entry->replacement; ++entry) {
            if (entry->character != text[k])
                continue;
            if (WriteVerbatimBytes(text + start, k - start, st) != MarkupOk ||
                WriteVerbatimBytes(entry->replacement, int32_t(std::strlen(entry->replacement)),
                                   st) != MarkupOk)
                return MarkupNoRoom;
            start = k + 1;
            break;
        }
    }
    return WriteVerbatimBytes(text + start, length - start, st);
}

void ForgetBreaks(RenderState* st)
{
    st->breakScanned = -1;
    st->breakCandidate = -1;
    st->breakAnswer = 0;
    st->blankUntil = -1;
}

namespace {

int32_t AskBreak(RenderState* st, const OutputFormat* format, int32_t index)
{
    if (format->BreakFinder)
        return format->BreakFinder(st->output, st->outputLength, index, format->BreakFinderData,
                                   st);
    const char b = st->output[index];
    return b == ' ' || b == '\t' ? 1 : 0;
}

// True when the current output line holds only spaces and tabs before end.
// Remembers how far that is known, so that a long run of blanks is read once.
bool OnlyBlanksBefore(RenderState* st, int32_t end)
{
    const int32_t known = st->blankUntil >= 0 && st->blankUntil <= end ? st->blankUntil : -1;
    for (int32_t j = end - 1; j >= 0 && j >= known; --j) {
        const char b = st->output[j];
        if (b == '\r' || b == '\n')
            break;
        if (b != ' ' && b != '\t')
            return false;
    }
    st->blankUntil = end;
    return true;
}

}  // namespace

// The break is the last position on the current output line where the
// BreakFinder (or, without one, a space or tab) allows it. Rather than reading
// the whole line back on every call, the last break position among bytes that
// earlier calls have already judged is remembered; only bytes written since
// (and the one byte before them, whose answer may depend on its successor)
// are asked again. The result is the same as reading the line backwards.
int32_t WrapLine(RenderState* st, const OutputFormat* format)
{
    if (format->WrapColumn <= 0 || st->column < format->WrapColumn)
        return MarkupOk;
    const int32_t length = st->outputLength;
    const bool remembered = st->breakScanned >= 0 && st->breakScanned <= length;
    const int32_t lowest = remembered && st->breakScanned > 0 ? st->breakScanned - 1 : 0;

    int32_t found = -1, foundAnswer = 0;
    int32_t settled = -1, settledAnswer = 0;
    bool lineStartSeen = false;
    for (int32_t k = length - 1; k >= lowest; --k) {
        const char b = st->output[k];
        if (b == '\r' || b == '\n') {
            lineStartSeen = true;
            break;
        }
        const int32_t answer = AskBreak(st, format, k);
        if (answer == 0)
            continue;
        if (found < 0) {
            found = k;
            foundAnswer = answer;
        }
        if (k < length - 1) {
            settled = k;
            settledAnswer = answer;
            break;
        }
    }
    if (settled < 0 && !lineStartSeen && remembered) {
        settled = st->breakCandidate;
        settledAnswer = st->breakAnswer;
    }
    if (found < 0) {
        found = settled;
        foundAnswer = settledAnswer;
    }
    st->breakScanned = length;
    st->breakCandidate = settled;
    st->breakAnswer = settledAnswer;
    if (found < 0)
        return MarkupOk;
    // A break that leaves only blanks before it on the line (the indentation
    // of an item, or that a break inserted) shortens nothing: it would only
    // add a line of blanks, again after every further character.
    if (OnlyBlanksBefore(st, foundAnswer == 1 ? found : found + 1))
        return MarkupOk;

    const int32_t removed = foundAnswer == 1 ? 1 : 0;
    const int32_t at = foundAnswer == 1 ? found : found + 1;
    const int32_t inserted = st->lineEndLength + st->wrapIndent;
    const int32_t tail = length - at - removed;
    if (int64_t(length) - removed + inserted > st->capacity)
        return MarkupNoRoom;
    std::memmove(st->output + at + inserted, st->output + at + removed, size_t(tail));
    std::memcpy(st->output + at, st->lineEnd, size_t(st->lineEndLength));
    std::memset(st->output + at + st->lineEndLength, ' ', size_t(st->wrapIndent));
    st->outputLength = length - removed + inserted;
    st->outputChars += inserted - removed;
    st->column = tail + st->wrapIndent;
    ForgetBreaks(st);
    return MarkupOk;
}
