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

// Bytes after which nothing but the next character can follow directly:
// letters, digits, UTF-8 and white space.
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
// part of an address: after a ':' that follows a scheme byte, and followed by
// a letter or digit (a stricter test than the reader's, so that whatever the
// output puts after the slashes, they read the same way again).
bool AddressSlashesAt(const char* input, int32_t length, int32_t at)
{
    return at >= 2 && at + 2 < length && input[at] == '/' && input[at + 1] == '/' &&
           input[at - 1] == ':' && IsSchemeByte(uint8_t(input[at - 2])) &&
           (IsAsciiAlnum(uint8_t(input[at + 2])) || uint8_t(input[at + 2]) >= 0x80);
}

bool OutputEndsWithSchemeColon(const RenderState* state, int32_t extra)
{
    const int32_t colon = state->outputLength - 1 - extra;
    return colon >= 1 && state->output[colon] == ':' &&
           IsSchemeByte(uint8_t(state->output[colon - 1]));
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
        return state->state == BlockState::InHeading || previous == '|';
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
        return !IsPlainByte(next) && !AddressSlashesAt(input, length, p + 1);
    }
    if (c == '/') {
        // The slashes of an address stay as they are.
        if (AddressSlashesAt(input, length, p) && OutputEndsWithSchemeColon(state, 0))
            return false;
        if (AddressSlashesAt(input, length, p - 1) && OutputEndsWithSchemeColon(state, 1) &&
            previous == '/')
            return false;
    }
    InlineKind kind;
    const bool doubled = DoubledMarkupKind(c, &kind);
    if (doubled || c == '[' || c == '{' || c == '<' || c == '\\') {
        // The character must not pair with the one before it, nor with
        // markup written after it.
        if (previous == c || !IsPlainByte(next))
            return true;
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

// True when the input line from index holds nothing but spaces and tabs
// before "}}}" and its end: written as it is, such a line would end the
// preformatted block (or lose a space) when read again.
bool ClosingBracesLine(const char* input, int32_t length, int32_t index)
{
    while (index < length && (input[index] == ' ' || input[index] == '\t'))
        ++index;
    if (index + 3 > length || input[index] != '}' || input[index + 1] != '}' ||
        input[index + 2] != '}')
        return false;
    index += 3;
    return index == length || input[index] == '\r' || input[index] == '\n';
}

// Preformatted lines are copied. A line that reads as "}}}" after spaces gets
// one more space at its start, which the reader drops again.
int32_t CreolePreWriter(const char* input, int32_t, int32_t* position, FormatData,
                        RenderState* state)
{
    const char c = input[*position];
    ++*position;
    if (state->column == 0 && AtOutputLineStart(state) &&
        ClosingBracesLine(state->input, state->inputLength, state->tokenStart) &&
        WriteRaw(state, " ", 1) != 0)
        return 1;
    return WriteRaw(state, &c, 1);
}

// True when output[index] lies inside a link target or image source: after
// an unescaped "[[" or "{{" with no '|' or closing pair since. Looks back a
// bounded distance; targets longer than that are not expected.
bool InsideTarget(const char* output, int32_t index)
{
    const int32_t limit = index > 2000 ? index - 2000 : 0;
    for (int32_t k = index - 1; k > limit; --k) {
        const char c = output[k];
        const bool escaped = output[k - 1] == '~';
        if (escaped)
            continue;
        if (c == '|')
            return false;
        if ((c == ']' || c == '}') && output[k - 1] == c)
            return false;
        if ((c == '[' || c == '{') && output[k - 1] == c)
            return true;
    }
    return false;
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
    .DefinitionBegin = ":",
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
    .VerbatimWriter = nullptr,
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
