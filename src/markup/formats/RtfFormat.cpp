// The RTF format: a document for word processors. Three fonts (Times New
// Roman for text, Arial for headings, Courier New for code), spacing and
// indentation by level, links as HYPERLINK fields, characters outside ASCII
// as \uN? escapes. Every group the templates open they also close, and the
// engine closes inline elements in the order it opened them, so the groups
// of the output are always balanced.
#include "../MarkupEngine.h"
#include "FormatSupport.h"

namespace {

// Writes {\uN?} for a two- or three-byte UTF-8 character (N as a signed
// 16-bit number, the form RTF readers expect; the group keeps readers that
// skip too much after the '?' fallback from eating the next letters);
// four-byte characters and bytes of no well-formed sequence are dropped.
int32_t WriteRtfUnicode(const char* input, int32_t length, int32_t* position,
                        RenderState* state)
{
    uint32_t codePoint = 0;
    const int32_t size = Utf8SequenceAt(input, length, *position, &codePoint);
    *position += size > 0 ? size : 1;
    if (size < 2 || size > 3)
        return 0;
    const int32_t value = codePoint > 0x7FFF ? int32_t(codePoint) - 0x10000 : int32_t(codePoint);
    char text[16];
    int32_t n = 0;
    text[n++] = '{';
    text[n++] = '\\';
    text[n++] = 'u';
    int32_t digits = value < 0 ? -value : value;
    if (value < 0)
        text[n++] = '-';
    char reversed[8];
    int32_t r = 0;
    do {
        reversed[r++] = char('0' + digits % 10);
        digits /= 10;
    } while (digits > 0);
    while (r > 0)
        text[n++] = reversed[--r];
    text[n++] = '?';
    text[n++] = '}';
    return WriteRaw(state, text, n);
}

// Text characters: backslash and braces escaped, control bytes dropped,
// everything beyond ASCII as a Unicode escape.
int32_t RtfCharWriter(const char* input, int32_t length, int32_t* position, FormatData,
                      RenderState* state)
{
    const uint8_t c = uint8_t(input[*position]);
    if (c >= 0x80)
        return WriteRtfUnicode(input, length, position, state);
    ++*position;
    if (c == '\\' || c == '{' || c == '}') {
        const char escaped[2] = {'\\', char(c)};
        return WriteRaw(state, escaped, 2);
    }
    if (c < 0x20 || c == 0x7F)
        return 0;
    const char byte = char(c);
    return WriteRaw(state, &byte, 1);
}

// Link targets inside the field instruction: as text, with '"' (which would
// end the quoted target) and line ends written as URL escapes.
int32_t RtfTargetWriter(const char* text, int32_t length, RenderState* state, FormatData)
{
    int32_t position = 0;
    while (position < length) {
        const char c = text[position];
        int32_t result;
        if (c == '"') {
            ++position;
            result = WriteRaw(state, "%22", 3);
        } else if (c == '\r' || c == '\n') {
            ++position;
            result = 0;
        } else {
            result = RtfCharWriter(text, length, &position, nullptr, state);
        }
        if (result != 0)
            return result;
    }
    return 0;
}

// Wraps after a space: RTF ignores line ends, so the space must stay.
int32_t RtfBreakFinder(const char* output, int32_t, int32_t index, FormatData, RenderState*)
{
    return output[index] == ' ' ? 2 : 0;
}

// Body text is font 0 at s points (RTF sizes count half points); list items
// and indented paragraphs move in by a quarter inch per level.
#define RTF_TEXT "\\f0\\fs%{2*s} "
#define RTF_ITEM "{\\pard\\sa60\\li%{360*l}\\fi-360" RTF_TEXT
// A nested list closes the paragraph of the item holding it and leaves a
// group open, closed by that item's end, whose own paragraph is a tiny one.
#define RTF_NESTED_LIST "%%{l>1}\\par}{\\pard\\sa0\\sl-20\\slmult0\\fs2 %%"

const OutputFormat rtfFormat = {
    .WordSeparator = " ",
    .WrapIndentStep = 0,
    .DefaultFontSize = 11,
    .MetaChar = '%',
    .DocumentBegin = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
                     "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                     "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\fmodern\\fcharset0 Courier New;}}\n"
                     "{\\colortbl;\\red0\\green0\\blue255;}\n",
    .DocumentEnd = "}\n",
    .MaxHeadingLevel = 4,
    .HeadingBegin = "{\\pard\\keepn\\sb240\\sa120\\f1\\b\\fs%{l=1&3*s|l=2&5*s/2|l=3&2*s+4|2*s} "
                    "%%{i>0}%{i}. %%",
    .HeadingEnd = "\\par}\n",
    .ParagraphBegin = "{\\pard\\sa120" RTF_TEXT,
    .ParagraphEnd = "\\par}\n",
    .LineBreak = "\\line ",
    .PreBegin = "{\\pard\\sa0\\f2\\fs%{2*s-2}\n",
    .PreEnd = "\\sa120\\par}\n",
    .PreLineBegin = nullptr,
    .PreLineEnd = "\\line\n",
    .NestListsInItems = 1,
    .BulletListBegin = RTF_NESTED_LIST,
    .BulletListEnd = nullptr,
    .BulletItemBegin = RTF_ITEM "\\bullet\\tab ",
    .BulletItemEnd = "\\par}\n",
    .NumberListBegin = RTF_NESTED_LIST,
    .NumberListEnd = nullptr,
    .NumberItemBegin = RTF_ITEM "%{i}.\\tab ",
    .NumberItemEnd = "\\par}\n",
    .DefListBegin = RTF_NESTED_LIST,
    .DefListEnd = nullptr,
    .TermBegin = "{\\pard\\sa0\\keepn\\li%{360*l-360}" RTF_TEXT "\\b ",
    .TermEnd = "\\par}\n",
    .MissingTerm = nullptr,
    .DefinitionBegin = "{\\pard\\sa60\\li%{360*l}" RTF_TEXT,
    .DefinitionEnd = "\\par}\n",
    .IndentBegin = RTF_NESTED_LIST,
    .IndentEnd = nullptr,
    .IndentParBegin = "{\\pard\\sa120\\li%{360*l}" RTF_TEXT,
    .IndentParEnd = "\\par}\n",
    // Rows are paragraphs with the cells at tab stops: the engine writes a
    // row before it knows how many cells it has.
    .TableBegin = nullptr,
    .TableEnd = "{\\pard\\sa60\\par}\n",
    .RowBegin = "{\\pard\\sa0\\tx2160\\tx4320\\tx6480\\tx8640" RTF_TEXT,
    .RowEnd = "\\par}\n",
    .HeaderCellBegin = "{\\b ",
    .HeaderCellEnd = "}\\tab ",
    .CellBegin = nullptr,
    .CellEnd = "\\tab ",
    .Rule = "{\\pard\\sa120\\brdrb\\brdrs\\brdrw10\\brsp20\\fs4\\par}\n",
    .BoldBegin = "{\\b ",
    .BoldEnd = "}",
    .ItalicBegin = "{\\i ",
    .ItalicEnd = "}",
    .UnderlineBegin = "{\\ul ",
    .UnderlineEnd = "}",
    .SuperBegin = "{\\super ",
    .SuperEnd = "}",
    .SubBegin = "{\\sub ",
    .SubEnd = "}",
    .MonoBegin = "{\\f2 ",
    .MonoEnd = "}",
    .LinkBegin = "{\\field{\\*\\fldinst{HYPERLINK \"",
    .LinkEnd = "}}}",
    .LinkTextSep = "\"}}{\\fldrslt{\\ul\\cf1 ",
    .LinkTargetAtEnd = 0,
    .ImageBegin = "{\\i [",
    .ImageEnd = "]}",
    .ImageAltSep = ": ",
    .ImageTargetAtEnd = 0,
    .PlainImageText = 1,
    .VerbatimPrefixes = nullptr,
    .VerbatimWriter = RtfTargetWriter,
    .VerbatimWriterData = nullptr,
    .CharWriter = RtfCharWriter,
    .CharWriterData = nullptr,
    .PreCharWriter = RtfCharWriter,
    .PreCharWriterData = nullptr,
    .WrapColumn = 70,
    .BreakFinder = RtfBreakFinder,
    .BreakFinderData = nullptr,
    NO_NOTIFIERS_EXTENSIONS_OR_HOOKS,
};

}  // namespace

const OutputFormat* RtfOutputFormat()
{
    return &rtfFormat;
}
