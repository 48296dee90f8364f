// The XML format: a dump of the parse structure for inspecting the parser.
// One element per block, item and style, levels and item numbers as
// attributes, "[s]" for each word separator. The output is well-formed XML
// for any input: text and attribute values are escaped, bytes that XML does
// not allow (control characters, broken UTF-8, U+FFFE and U+FFFF) become
// U+FFFD, and every element the engine opens it also closes.
#include "../MarkupEngine.h"
#include "FormatSupport.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// Writes the character at *position as XML character data; inAttribute also
// turns tab, CR and LF into character references so that they survive
// attribute-value normalisation.
int32_t WriteXmlCharacter(const char* input, int32_t inputLength, int32_t* position,
                          RenderState* state, bool inAttribute)
{
    const uint8_t c = uint8_t(input[*position]);
    if (c >= 0x80) {
        uint32_t codePoint = 0;
        const int32_t size = Utf8SequenceAt(input, inputLength, *position, &codePoint);
        if (size == 0) {  // written with its lead byte
            ++*position;
            return 0;
        }
        if (size < 0 || codePoint == 0xFFFE || codePoint == 0xFFFF) {
            *position += size < 0 ? 1 : size;
            return WriteRawString(state, kReplacement);
        }
        const int32_t result = WriteRaw(state, input + *position, size);
        *position += size;
        return result;
    }
    ++*position;
    switch (c) {
    case '<': return WriteRawString(state, "&lt;");
    case '>': return WriteRawString(state, "&gt;");
    case '&': return WriteRawString(state, "&amp;");
    case '"': return WriteRawString(state, "&quot;");
    case '\t': return WriteRawString(state, inAttribute ? "&#9;" : "\t");
    case '\n': return WriteRawString(state, inAttribute ? "&#10;" : "&#10;");
    case '\r': return WriteRawString(state, "&#13;");
    default: break;
    }
    if (c < 0x20 || c == 0x7F)
        return WriteRawString(state, kReplacement);
    const char byte = char(c);
    return WriteRaw(state, &byte, 1);
}

int32_t XmlTextWriter(const char* input, int32_t inputLength, int32_t* position, FormatData,
                      RenderState* state)
{
    return WriteXmlCharacter(input, inputLength, position, state, false);
}

// Link targets and image sources become attribute values.
int32_t XmlAttributeWriter(const char* text, int32_t length, RenderState* state, FormatData)
{
    int32_t position = 0;
    while (position < length) {
        const int32_t result = WriteXmlCharacter(text, length, &position, state, true);
        if (result != 0)
            return result;
    }
    return 0;
}

const OutputFormat xmlFormat = {
    .WordSeparator = "[s]",
    .WrapIndentStep = 0,
    .DefaultFontSize = 10,
    .MetaChar = '%',
    .DocumentBegin = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc>\n",
    .DocumentEnd = "</doc>\n",
    .MaxHeadingLevel = 6,
    .HeadingBegin = "<h l=\"%{l}\"%%{i>0} i=\"%{i}\"%%>",
    .HeadingEnd = "</h>\n",
    .ParagraphBegin = "<p>",
    .ParagraphEnd = "</p>\n",
    .LineBreak = "<br/>",
    // Every line end of a preformatted block closes its line and opens the
    // next, so the lines stay balanced however often a line is begun.
    .PreBegin = "<pre>\n<preline>",
    .PreEnd = "</preline>\n</pre>\n",
    .PreLineBegin = nullptr,
    .PreLineEnd = "</preline>\n<preline>",
    .NestListsInItems = 1,
    .BulletListBegin = "<ul l=\"%{l}\">\n",
    .BulletListEnd = "</ul>\n",
    .BulletItemBegin = "<uli l=\"%{l}\">",
    .BulletItemEnd = "</uli>\n",
    .NumberListBegin = "<ol l=\"%{l}\">\n",
    .NumberListEnd = "</ol>\n",
    .NumberItemBegin = "<oli l=\"%{l}\" i=\"%{i}\">",
    .NumberItemEnd = "</oli>\n",
    .DefListBegin = "<dl l=\"%{l}\">\n",
    .DefListEnd = "</dl>\n",
    .TermBegin = "<dlt l=\"%{l}\">",
    .TermEnd = "</dlt>\n",
    .MissingTerm = nullptr,
    .DefinitionBegin = "<dld l=\"%{l}\">",
    .DefinitionEnd = "</dld>\n",
    .IndentBegin = "<indentsec l=\"%{l}\">\n",
    .IndentEnd = "</indentsec>\n",
    .IndentParBegin = "<indentpar l=\"%{l}\">",
    .IndentParEnd = "</indentpar>\n",
    .TableBegin = "<table>\n",
    .TableEnd = "</table>\n",
    .RowBegin = "<tr>",
    .RowEnd = "</tr>\n",
    .HeaderCellBegin = "<th>",
    .HeaderCellEnd = "</th>",
    .CellBegin = "<td>",
    .CellEnd = "</td>",
    .Rule = "<hr/>\n",
    .BoldBegin = "<bold>",
    .BoldEnd = "</bold>",
    .ItalicBegin = "<italic>",
    .ItalicEnd = "</italic>",
    .UnderlineBegin = "<underline>",
    .UnderlineEnd = "</underline>",
    .SuperBegin = "<super>",
    .SuperEnd = "</super>",
    .SubBegin = "<sub>",
    .SubEnd = "</sub>",
    .MonoBegin = "<mono>",
    .MonoEnd = "</mono>",
    .LinkBegin = "<link target=\"",
    .LinkEnd = "</link>",
    .LinkTextSep = "\">",
    .LinkTargetAtEnd = 0,
    .ImageBegin = "<image src=\"",
    .ImageEnd = "</image>",
    .ImageAltSep = "\">",
    .ImageTargetAtEnd = 0,
    .PlainImageText = 1,
    .VerbatimPrefixes = nullptr,
    .VerbatimWriter = XmlAttributeWriter,
    .VerbatimWriterData = nullptr,
    .CharWriter = XmlTextWriter,
    .CharWriterData = nullptr,
    .PreCharWriter = XmlTextWriter,
    .PreCharWriterData = nullptr,
    .WrapColumn = 0,
    .BreakFinder = nullptr,
    .BreakFinderData = nullptr,
    NO_NOTIFIERS_EXTENSIONS_OR_HOOKS,
};

}  // namespace

const OutputFormat* XmlOutputFormat()
{
    return &xmlFormat;
}
