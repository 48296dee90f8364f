// The man format: a troff manual page for the man macros (.TH, .SH and .SS
// headings, .P paragraphs, .IP items, .TP terms, .RS/.RE nesting, .EX
// examples, \fB and \fI fonts). Every block starts with a line end, so text
// lines end only where the next block begins and no blank line is written.
#include "../MarkupEngine.h"
#include "FormatSupport.h"

namespace {

// Writes \[uXXXX] for a UTF-8 character, or '?' for bytes of no well-formed
// sequence and for the noncharacters U+FFFE and U+FFFF.
int32_t WriteTroffUnicode(const char* input, int32_t length, int32_t* position,
                          RenderState* state)
{
    uint32_t codePoint = 0;
    const int32_t size = Utf8SequenceAt(input, length, *position, &codePoint);
    *position += size > 0 ? size : 1;
    if (size == 0)
        return 0;  // written with its lead byte
    if (size < 0 || codePoint == 0xFFFE || codePoint == 0xFFFF)
        return WriteRaw(state, "?", 1);
    static const char kHex[] = "0123456789ABCDEF";
    char text[12] = {'\\', '[', 'u'};
    int32_t n = 3;
    const int32_t digits = codePoint > 0xFFFF ? (codePoint > 0xFFFFF ? 6 : 5) : 4;
    for (int32_t k = digits - 1; k >= 0; --k)
        text[n++] = kHex[(codePoint >> (4 * k)) & 15];
    text[n++] = ']';
    return WriteRaw(state, text, n);
}

// One character for troff: backslashes, minus signs and double quotes as
// escapes, control characters ('.' or '\'') guarded by \& where a line may
// start (at a line start or after a space, where wrapping may break), UTF-8
// as \[uXXXX].
int32_t WriteTroffCharacter(const char* input, int32_t length, int32_t* position,
                            RenderState* state)
{
    const uint8_t c = uint8_t(input[*position]);
    if (c >= 0x80)
        return WriteTroffUnicode(input, length, position, state);
    ++*position;
    switch (c) {
    case '\\': return WriteRawString(state, "\\e");
    case '-': return WriteRawString(state, "\\-");
    case '"': return WriteRawString(state, "\\(dq");
    case '.':
    case '\'':
        if (LastOutputByte(state) == ' ' || AtOutputLineStart(state))
            if (WriteRawString(state, "\\&") != 0)
                return 1;
        break;
    default:
        if (c < 0x20 || c == 0x7F)
            return 0;
        break;
    }
    const char byte = char(c);
    return WriteRaw(state, &byte, 1);
}

int32_t TroffCharWriter(const char* input, int32_t length, int32_t* position, FormatData,
                        RenderState* state)
{
    return WriteTroffCharacter(input, length, position, state);
}

// Link targets and image sources: as text, with line ends as spaces.
int32_t TroffTargetWriter(const char* text, int32_t length, RenderState* state, FormatData)
{
    int32_t position = 0;
    while (position < length) {
        int32_t result = 0;
        if (text[position] == '\r' || text[position] == '\n') {
            const bool crlf = text[position] == '\r' && position + 1 < length &&
                              text[position + 1] == '\n';
            position += crlf ? 2 : 1;
            result = WriteRaw(state, " ", 1);
        } else {
            result = WriteTroffCharacter(text, length, &position, state);
        }
        if (result != 0)
            return result;
    }
    return 0;
}

// Breaks at single spaces of running text. A heading, a term and a table row
// are one troff input line each and are never broken.
int32_t TroffBreakFinder(const char* output, int32_t length, int32_t index, FormatData,
                         RenderState* state)
{
    if (output[index] != ' ' || index == 0 || index + 1 >= length)
        return 0;
    if (output[index - 1] == ' ' || output[index + 1] == ' ')
        return 0;
    if (state->state == BlockState::InHeading || InTableCell(state))
        return 0;
    if (state->depth > 0 && state->blockStack[state->depth - 1].kind == LevelKind::TermLevel)
        return 0;
    return 1;
}

#define NESTED_BEGIN "%%{l>1}\n.RS%%"
#define NESTED_END "%%{l>1}\n.RE%%"

const OutputFormat manFormat = {
    .WordSeparator = " ",
    .WrapIndentStep = 0,
    .DefaultFontSize = 10,
    .MetaChar = '%',
    .DocumentBegin = ".\\\" Written by quorvel-markup from a Quorvel wiki page.\n"
                     ".TH PAGE 7 \"\" \"Quorvel\" \"Quorvel wiki page\"",
    .DocumentEnd = "\n",
    .MaxHeadingLevel = 4,
    .HeadingBegin = "\n%%{l=1}.SH \"%%%%{l>1}.SS \"%%%%{i>0}%{i}. %%",
    .HeadingEnd = "\"",
    .ParagraphBegin = "\n.P\n",
    .ParagraphEnd = nullptr,
    .LineBreak = "\\&\n.br\n",
    // An example ends with its last line end; "\c" keeps a last line without
    // one from being joined to ".EE".
    .PreBegin = "\n.P\n.EX\n",
    .PreEnd = "\\c\n.EE",
    .PreLineBegin = nullptr,
    .PreLineEnd = "\n",
    .NestListsInItems = 1,
    .BulletListBegin = NESTED_BEGIN,
    .BulletListEnd = NESTED_END,
    .BulletItemBegin = "\n.IP \\(bu 3\n",
    .BulletItemEnd = nullptr,
    .NumberListBegin = NESTED_BEGIN,
    .NumberListEnd = NESTED_END,
    .NumberItemBegin = "\n.IP %{i}. 4\n",
    .NumberItemEnd = nullptr,
    // A definition starts a text line with "\&", so that one without a term
    // before it (after another definition, or holding a nested list) still
    // has a line of its own in the list's paragraph.
    .DefListBegin = NESTED_BEGIN "\n.P",
    .DefListEnd = NESTED_END,
    .TermBegin = "\n.TP\n\\fB",
    .TermEnd = "\\fR",
    .MissingTerm = "\n.TP\n\\&",
    .DefinitionBegin = "\n\\&",
    .DefinitionEnd = nullptr,
    .IndentBegin = "\n.RS",
    .IndentEnd = "\n.RE",
    .IndentParBegin = "\n.P\n",
    .IndentParEnd = nullptr,
    // Rows are lines of no-fill text with the cells at tab stops.
    .TableBegin = "\n.P\n.nf\n.ta 16n 32n 48n 64n",
    .TableEnd = "\n.fi",
    .RowBegin = "\n",
    .RowEnd = nullptr,
    .HeaderCellBegin = "\\fB",
    .HeaderCellEnd = "\\fR\t",
    .CellBegin = nullptr,
    .CellEnd = "\t",
    .Rule = "\n.P\n\\l'\\n(.lu-\\n(.iu'",
    .BoldBegin = "\\fB",
    .BoldEnd = "\\fR",
    .ItalicBegin = "\\fI",
    .ItalicEnd = "\\fR",
    .UnderlineBegin = "\\fI",
    .UnderlineEnd = "\\fR",
    .SuperBegin = "\\s-2\\u",
    .SuperEnd = "\\d\\s+2",
    .SubBegin = "\\s-2\\d",
    .SubEnd = "\\u\\s+2",
    .MonoBegin = "\\f(CR",
    .MonoEnd = "\\fR",
    // Links read "text <target>", images "[text <source>]".
    .LinkBegin = "\\fI",
    .LinkEnd = ">",
    .LinkTextSep = "\\fR <",
    .LinkTargetAtEnd = 1,
    .ImageBegin = "[",
    .ImageEnd = ">]",
    .ImageAltSep = " <",
    .ImageTargetAtEnd = 1,
    .PlainImageText = 1,
    .VerbatimPrefixes = nullptr,
    .VerbatimWriter = TroffTargetWriter,
    .VerbatimWriterData = nullptr,
    .CharWriter = TroffCharWriter,
    .CharWriterData = nullptr,
    .PreCharWriter = TroffCharWriter,
    .PreCharWriterData = nullptr,
    .WrapColumn = 70,
    .BreakFinder = TroffBreakFinder,
    .BreakFinderData = nullptr,
    NO_NOTIFIERS_EXTENSIONS_OR_HOOKS,
};

}  // namespace

const OutputFormat* ManOutputFormat()
{
    return &manFormat;
}
