// The Creole format: the page written back as normalised Creole. Converting
// the output to HTML gives the HTML of the original text; the character
// writer puts '~' before every character that would otherwise be read as
// markup, and lines are wrapped only where a line end reads as a space.
#include "../MarkupEngine.h"
#include "FormatSupport.h"

namespace {

bool IsAsciiAlnum(uint8_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Bytes before a ':' that make a following "//" part of an address ("s1://").
bool IsSchemeByte(uint8_t c)
{
    return IsAsciiAlnum(c) || c == '+' || c == '-' || c == '.';
}

// Bytes that never start markup (letters, digits, UTF-8) or white space:
// after such a byte no markup can follow a character without a separator.
bool IsPlainByte(uint8_t c)
{
    return IsAsciiAlnum(c) || c >= 0x80 || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The inline kind whose markup is this character doubled, if any.
bool DoubledMarkupKind(char c, InlineKind* kind)
{
    switch (c) {
    case '*': *kind = InlineKind::Bold; return true;
    case '/': *kind = InlineKind::Italic; return true;
    case '_': *kind = InlineKind::Underline; return true;
    case '^': *kind = InlineKind::Superscript; return true;
    case ',': *kind = InlineKind::Subscript; return true;
    case '#': *kind = InlineKind::Monospace; return true;
    case ']': *kind = InlineKind::Link; return true;
    case '}': *kind = InlineKind::Image; return true;
    default: return false;
    }
}

// True when output[k] is not escaped: an even number of '~' stands before it.
bool UnescapedAt(const char* output, int32_t k)
{
    int32_t tildes = 0;
    while (--k >= 0 && output[k] == '~')
        ++tildes;
    return tildes % 2 == 0;
}

// Characters that start block markup when they are the first on a line.
bool IsLineStartMarkup(char c)
{
    switch (c) {
    case '*': case '#': case '=': case '-': case '|': case ';': case ':':
    case '{': case '<': case '\\':
        return true;
    default:
        return false;
    }
}

// True when input[at] and input[at + 1] are "//" that the reader takes as
// part of an address (after a ':' that follows a scheme byte, before a byte
// that is no white space), and what follows them is sure to be written as
// something other than white space, so that the copy reads the same way.
// Markup that may vanish (an extension, no-wiki and its end, a link inside
// a link, styles inside an image, a heading's closing run) does not count.
bool AddressSlashesAt(const char* input, int32_t length, int32_t at, const RenderState* state)
{
    if (at < 2 || at + 2 >= length || input[at] != '/' || input[at + 1] != '/' ||
        input[at - 1] != ':' || !IsSchemeByte(uint8_t(input[at - 2])))
        return false;
    const uint8_t after = uint8_t(input[at + 2]);
    if (IsAsciiAlnum(after) || after >= 0x80)
        return true;
    if (InlineOpen(state, InlineKind::Image))
        return false;
    switch (after) {
    case ' ': case '\t': case '\r': case '\n': case '<': case '{': case '}': case '[':
    case '=':
        return false;
    default:
        return true;
    }
}

bool OutputEndsWithSchemeColon(const RenderState* state, int32_t extra)
{
    const int32_t colon = state->outputLength - 1 - extra;
    return colon >= 1 && state->output[colon] == ':' &&
           IsSchemeByte(uint8_t(state->output[colon - 1]));
}

// True when the last byte written is c as a character of its own, not
// escaped by a '~' before it (itself not escaped).
bool EndsWithUnescaped(const RenderState* state, char c)
{
    const int32_t k = state->outputLength - 1;
    return k >= 0 && state->output[k] == c && UnescapedAt(state->output, k);
}

// Decides whether the text character input[p] needs a '~' before it.
bool NeedsEscape(const char* input, int32_t length, int32_t p, const RenderState* state)
{
    const char c = input[p];
    const char previous = LastOutputByte(state);
    const uint8_t next = p + 1 < length ? uint8_t(input[p + 1]) : uint8_t(' ');
    if (c == '~' || c == '|')
        return true;
    if (AtOutputLineStart(state) && IsLineStartMarkup(c))
        return true;
    if (c == '=')  // a closing run in a heading, a header cell after '|'
        return state->state == BlockState::InHeading || EndsWithUnescaped(state, '|');
    if (c == ':') {
        const bool term = state->depth > 0 &&
                          state->blockStack[state->depth - 1].kind == LevelKind::TermLevel;
        if (term)
            return true;  // would end the term
        // "x:" followed by italic markup would turn that markup into an
        // address, unless the original was an address as well.
        if (!IsSchemeByte(uint8_t(previous)))
            return false;
        if (InlineOpen(state, InlineKind::Italic))
            return true;
        // Italic markup next, or markup that may vanish before it.
        const bool slashesMayFollow = next == '/' || next == '<' || next == '{' || next == '[';
        return slashesMayFollow && !AddressSlashesAt(input, length, p + 1, state);
    }
    if (c == '/') {
        // The slashes of an address stay as they are.
        if (AddressSlashesAt(input, length, p, state) && OutputEndsWithSchemeColon(state, 0))
            return false;
        if (AddressSlashesAt(input, length, p - 1, state) && OutputEndsWithSchemeColon(state, 1) &&
            previous == '/')
            return false;
    }
    InlineKind kind;
    const bool doubled = DoubledMarkupKind(c, &kind);
    if (doubled || c == '[' || c == '{' || c == '<' || c == '\\') {
        // The character must not pair with the one before it, nor with
        // markup written after it (a forced break at the next line's start
        // follows a backslash without a separator).
        if (EndsWithUnescaped(state, c) || !IsPlainByte(next))
            return true;
        if (c == '\\') {
            int32_t k = p + 1;
            while (k < length && (input[k] == ' ' || input[k] == '\t'))
                ++k;
            if (k < length && (input[k] == '\r' || input[k] == '\n'))
                return true;
        }
        return doubled && InlineOpen(state, kind);
    }
    return false;
}

int32_t CreoleCharWriter(const char* input, int32_t length, int32_t* position, FormatData,
                         RenderState* state)
{
    const int32_t p = *position;
    ++*position;
    if (uint8_t(input[p]) < 0x80 && NeedsEscape(input, length, p, state)) {
        const char escaped[2] = {'~', input[p]};
        return WriteRaw(state, escaped, 2);
    }
    return WriteRaw(state, input + p, 1);
}

// True when the current output line holds nothing but spaces (a tab at its
// start keeps "}}}" from ending a preformatted block).
bool OnlySpacesOnLine(const RenderState* state)
{
    for (int32_t k = state->outputLength - 1; k >= 0; --k) {
        const char c = state->output[k];
        if (c == '\r' || c == '\n')
            return true;
        if (c != ' ')
            return false;
    }
    return true;
}

// True when input[index] starts "}}}" that ends its line.
bool ClosingBracesAt(const char* input, int32_t length, int32_t index)
{
    if (index + 3 > length || input[index] != '}' || input[index + 1] != '}' ||
        input[index + 2] != '}')
        return false;
    index += 3;
    return index == length || input[index] == '\r' || input[index] == '\n';
}

// Preformatted lines are copied. A tab stays a tab (the reader expands it
// where it stands then, so it comes out as wide as in the original), and the
// column moves on to the tab stop so that the engine writes no more spaces
// for it. A line that holds only spaces before "}}}" would end the block (or
// lose a space) when read again: it gets one more space before the braces,
// which the reader drops again. After a tab no space is dropped. The last
// line of a block left open by the end of the text gets a line end, so that
// the block's end can follow on a line of its own.
int32_t CreolePreWriter(const char* input, int32_t length, int32_t* position, FormatData,
                        RenderState* state)
{
    const int32_t p = *position;
    ++*position;
    int32_t result;
    if (state->token == TokenKind::TokTab) {
        const int32_t stop = (state->column / 4 + 1) * 4;
        result = WriteRaw(state, "\t", 1);
        state->column = stop;
    } else if (input[p] == '}' && OnlySpacesOnLine(state) && ClosingBracesAt(input, length, p)) {
        result = WriteRaw(state, " }", 2);
    } else {
        result = WriteRaw(state, input + p, 1);
    }
    // A block left open by the end of the text ends there without a line
    // end; "}}}" needs a line of its own.
    const bool textEnds = input == state->input ? *position >= length
                                                : state->position >= state->inputLength;
    if (result == 0 && textEnds)
        result = WriteRaw(state, "\n", 1);
    return result;
}

// True when output[index] lies inside a link target or image source. Reads
// the output from the start of the block (targets never span a blank line),
// as the reader would: outside targets a '~' escapes the next byte and an
// unescaped "[[" or "{{" starts a target; a target ends at the first '|' or
// at its closing pair, whatever it holds. Looks back a bounded distance.
bool InsideTarget(const char* output, int32_t index)
{
    const int32_t limit = index > 4000 ? index - 4000 : 0;
    int32_t start = limit;
    for (int32_t k = index - 1; k > limit; --k) {
        if (output[k] != '\n' && output[k] != '\r')
            continue;
        int32_t before = k - 1;  // the byte before this line end (CR LF is one)
        if (output[k] == '\n' && output[before] == '\r')
            --before;
        if (before >= limit && (output[before] == '\n' || output[before] == '\r')) {
            start = k + 1;
            break;
        }
        k = before + 1;
    }
    char close = '\0';  // the closing bracket of the open target, if any
    for (int32_t k = start; k < index; ++k) {
        const char c = output[k];
        if (close != '\0') {
            if (c == '|') {
                close = '\0';
            } else if (c == close && output[k + 1] == close) {
                close = '\0';
                ++k;
            }
        } else if (c == '~') {
            ++k;
        } else if ((c == '[' || c == '{') && output[k + 1] == c) {
            close = c == '[' ? ']' : '}';
            ++k;
        }
    }
    return close != '\0';
}

// Link targets and image sources are copied. A source that starts with '{'
// gets a space before it, which the reader skips: "{{" and the brace would
// read as "{{{".
int32_t CreoleTargetWriter(const char* text, int32_t length, RenderState* state, FormatData)
{
    if (length > 0 && text[0] == '{' && WriteVerbatimBytes(" ", 1, state) != 0)
        return 1;
    return WriteVerbatimBytes(text, length, state);
}

// Breaks only at a single space whose next byte does not start block markup
// on a new line, and never in a heading, a table or a link target.
int32_t CreoleBreakFinder(const char* output, int32_t length, int32_t index, FormatData,
                          RenderState* state)
{
    if (output[index] != ' ' || index + 1 >= length || index == 0)
        return 0;
    if (state->state == BlockState::InHeading || InTableCell(state))
        return 0;
    const char next = output[index + 1];
    const char previous = output[index - 1];
    if (next == ' ' || previous == ' ' || previous == '\r' || previous == '\n')
        return 0;
    if (IsLineStartMarkup(next))
        return 0;
    return InsideTarget(output, index) ? 0 : 1;
}

const OutputFormat creoleFormat = {
    .WordSeparator = " ",
    .WrapIndentStep = 2,
    .DefaultFontSize = 10,
    .MetaChar = '%',
    .DocumentBegin = nullptr,
    .DocumentEnd = nullptr,
    .MaxHeadingLevel = 6,
    .HeadingBegin = "%%{l}=%% ",
    .HeadingEnd = " %%{l}=%%\n\n",
    .ParagraphBegin = nullptr,
    .ParagraphEnd = "\n\n",
    .LineBreak = "\\\\",
    .PreBegin = "{{{\n",
    .PreEnd = "}}}\n\n",
    .PreLineBegin = nullptr,
    .PreLineEnd = "\n",
    // Every item starts on a line of its own with the markers of all its
    // levels; a level that holds a deeper one gets an item line without text,
    // which reads back as the same nesting.
    .NestListsInItems = 1,
    .BulletListBegin = nullptr,
    .BulletListEnd = "%%{l=1}\n\n%%",
    .BulletItemBegin = "\n%L ",
    .BulletItemEnd = nullptr,
    .NumberListBegin = nullptr,
    .NumberListEnd = "%%{l=1}\n\n%%",
    .NumberItemBegin = "\n%L ",
    .NumberItemEnd = nullptr,
    .DefListBegin = nullptr,
    .DefListEnd = "%%{l=1}\n\n%%",
    .TermBegin = "\n%L ",
    .TermEnd = nullptr,
    .MissingTerm = "\n",
    .DefinitionBegin = ": ",
    .DefinitionEnd = nullptr,
    .IndentBegin = nullptr,
    .IndentEnd = "%%{l=1}\n\n%%",
    .IndentParBegin = "\n%L ",
    .IndentParEnd = nullptr,
    .TableBegin = nullptr,
    .TableEnd = "\n",
    .RowBegin = nullptr,
    .RowEnd = "|\n",
    .HeaderCellBegin = "|=",
    .HeaderCellEnd = nullptr,
    .CellBegin = "|",
    .CellEnd = nullptr,
    .Rule = "----\n\n",
    .BoldBegin = "**",
    .BoldEnd = "**",
    .ItalicBegin = "//",
    .ItalicEnd = "//",
    .UnderlineBegin = "__",
    .UnderlineEnd = "__",
    .SuperBegin = "^^",
    .SuperEnd = "^^",
    .SubBegin = ",,",
    .SubEnd = ",,",
    .MonoBegin = "##",
    .MonoEnd = "##",
    .LinkBegin = "[[",
    .LinkEnd = "]]",
    .LinkTextSep = "|",
    .LinkTargetAtEnd = 0,
    .ImageBegin = "{{",
    .ImageEnd = "}}",
    .ImageAltSep = "|",
    .ImageTargetAtEnd = 0,
    .PlainImageText = 1,
    .VerbatimPrefixes = nullptr,
    .VerbatimWriter = CreoleTargetWriter,
    .VerbatimWriterData = nullptr,
    .CharWriter = CreoleCharWriter,
    .CharWriterData = nullptr,
    .PreCharWriter = CreolePreWriter,
    .PreCharWriterData = nullptr,
    .WrapColumn = 70,
    .BreakFinder = CreoleBreakFinder,
    .BreakFinderData = nullptr,
    NO_NOTIFIERS_EXTENSIONS_OR_HOOKS,
};

}  // namespace

const OutputFormat* CreoleOutputFormat()
{
    return &creoleFormat;
}
