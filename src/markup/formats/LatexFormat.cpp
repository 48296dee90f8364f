// The LaTeX format: an article at s points for pdflatex. Headings become
// starred sections, lists itemize, enumerate and description environments,
// tables tabular environments, preformatted blocks verbatim environments and
// links \href commands. Text goes through the format's own escape table.
#include "../MarkupEngine.h"
#include "FormatSupport.h"

namespace {

// LaTeX's special characters in running text. Brackets are braced so that
// text right after \item or \\ is never taken for an optional argument.
const EscapeEntry latexEscapeTable[] = {
    {'\\', "\\textbackslash{}"},
    {'{', "\\{"},
    {'}', "\\}"},
    {'$', "\\$"},
    {'&', "\\&"},
    {'#', "\\#"},
    {'%', "\\%"},
    {'_', "\\_"},
    {'^', "\\textasciicircum{}"},
    {'~', "\\textasciitilde{}"},
    {'<', "\\textless{}"},
    {'>', "\\textgreater{}"},
    {'|', "\\textbar{}"},
    {'"', "\\textquotedbl{}"},
    {'[', "{[}"},
    {']', "{]}"},
    {'\0', nullptr},
};

// Characters beyond ASCII that pdflatex sets with the T1 encoding and the
// utf8 input encoding: Latin-1, Latin Extended-A and common punctuation.
bool LatexKnows(uint32_t codePoint)
{
    if (codePoint >= 0xA0 && codePoint <= 0x17F)
        return true;
    switch (codePoint) {
    case 0x2013: case 0x2014: case 0x2018: case 0x2019: case 0x201A: case 0x201C:
    case 0x201D: case 0x201E: case 0x2020: case 0x2021: case 0x2022: case 0x2026:
    case 0x2030: case 0x2039: case 0x203A: case 0x20AC:
        return true;
    default:
        return false;
    }
}

// Writes the UTF-8 character at *position when LaTeX can set it, else a '?'.
int32_t WriteLatexUtf8(const char* input, int32_t length, int32_t* position,
                       RenderState* state)
{
    uint32_t codePoint = 0;
    const int32_t size = Utf8SequenceAt(input, length, *position, &codePoint);
    const int32_t at = *position;
    *position += size > 0 ? size : 1;
    if (size == 0)
        return 0;  // written with its lead byte
    if (size < 0 || !LatexKnows(codePoint))
        return WriteRaw(state, "?", 1);
    return WriteRaw(state, input + at, size);
}

int32_t LatexCharWriter(const char* input, int32_t length, int32_t* position, FormatData data,
                        RenderState* state)
{
    const uint8_t c = uint8_t(input[*position]);
    if (c >= 0x80)
        return WriteLatexUtf8(input, length, position, state);
    if (c < 0x20 || c == 0x7F) {
        ++*position;
        return 0;
    }
    return EscapeWriter(input, length, position, data, state);
}

// Preformatted lines are copied into a verbatim environment, which ends at
// the first "\end{verbatim}": a backslash that would start one gets a space
// after it.
int32_t LatexVerbatimWriter(const char* input, int32_t length, int32_t* position, FormatData,
                            RenderState* state)
{
    const uint8_t c = uint8_t(input[*position]);
    if (c >= 0x80)
        return WriteLatexUtf8(input, length, position, state);
    ++*position;
    if (c < 0x20 || c == 0x7F)
        return 0;
    const char byte = char(c);
    if (WriteRaw(state, &byte, 1) != 0)
        return 1;
    static const char kEnd[] = "end{verbatim}";
    const int32_t rest = length - *position;
    if (c != '\\' || rest < int32_t(sizeof(kEnd)) - 1)
        return 0;
    for (int32_t k = 0; kEnd[k] != '\0'; ++k)
        if (input[*position + k] != kEnd[k])
            return 0;
    return WriteRaw(state, " ", 1);
}

// Link targets inside \href: URL characters stay, LaTeX's special ones are
// escaped the way hyperref reads them, everything else is percent-encoded.
int32_t LatexTargetWriter(const char* text, int32_t length, RenderState* state, FormatData)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (int32_t k = 0; k < length; ++k) {
        const uint8_t c = uint8_t(text[k]);
        int32_t result;
        if (c == '#' || c == '%' || c == '&' || c == '_') {
            const char escaped[2] = {'\\', char(c)};
            result = WriteRaw(state, escaped, 2);
        } else if (c > 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}' && c != '~' &&
                   c != '^' && c != '$' && c != '"') {
            const char byte = char(c);
            result = WriteRaw(state, &byte, 1);
        } else {
            const char encoded[4] = {'\\', '%', kHex[c >> 4], kHex[c & 15]};
            result = WriteRaw(state, encoded, 4);
        }
        if (result != 0)
            return result;
    }
    return 0;
}

// itemize and enumerate nest four deep; deeper levels are plain list
// environments (numbers are written as item labels at every depth).
#define LIST_BEGIN(name, label) \
    "%%{l<5}\\begin{" name "}%%%%{l>4}\\begin{list}{" label "}{}%%\n"
#define LIST_END(name) "%%{l<5}\\end{" name "}%%%%{l>4}\\end{list}%%\n%%{l=1}\n%%"

const OutputFormat latexFormat = {
    .WordSeparator = " ",
    .WrapIndentStep = 2,
    .DefaultFontSize = 11,
    .MetaChar = '%',
    // The standard class knows 10, 11 and 12 points; other sizes are set
    // with \fontsize. Lists may nest as deep as the engine's eight levels.
    .DocumentBegin =
        "\\documentclass%%{s=10|s=11|s=12}[%{s}pt]%%{article}\n"
        "\\usepackage[T1]{fontenc}\n"
        "\\usepackage[utf8]{inputenc}\n"
        "\\usepackage{textcomp}\n"
        "\\usepackage[hidelinks]{hyperref}\n"
        "\\setlength{\\parindent}{0pt}\n"
        "\\setlength{\\parskip}{0.6em}\n"
        "\\makeatletter\\def\\@toodeep{}\\makeatother\n"
        "\\begin{document}\n"
        "%%{(s=10|s=11|s=12)=0}\\fontsize{%{s}}{%{s*6/5}}\\selectfont\n%%",
    .DocumentEnd = "\\end{document}\n",
    .MaxHeadingLevel = 4,
    .HeadingBegin = "%%{l=1}\\section*{%%%%{l=2}\\subsection*{%%%%{l=3}\\subsubsection*{%%"
                    "%%{l>3}\\paragraph*{%%%%{i>0}%{i}. %%",
    .HeadingEnd = "}\n\n",
    .ParagraphBegin = nullptr,
    .ParagraphEnd = "\n\n",
    .LineBreak = "\\leavevmode\\\\{}",
    .PreBegin = "\\begin{verbatim}\n",
    .PreEnd = "\\end{verbatim}\n\n",
    .PreLineBegin = nullptr,
    .PreLineEnd = "\n",
    .NestListsInItems = 1,
    .BulletListBegin = "%%{l>1}\n%%" LIST_BEGIN("itemize", "\\textbullet"),
    .BulletListEnd = LIST_END("itemize"),
    .BulletItemBegin = "\\item ",
    .BulletItemEnd = "\n",
    .NumberListBegin = "%%{l>1}\n%%" LIST_BEGIN("enumerate", ""),
    .NumberListEnd = LIST_END("enumerate"),
    .NumberItemBegin = "\\item[%{i}.] ",
    .NumberItemEnd = "\n",
    .DefListBegin = "%%{l>1}\n%%\\begin{description}\n",
    .DefListEnd = "\\end{description}\n%%{l=1}\n%%",
    .TermBegin = "\\item[{",
    .TermEnd = "}]\\leavevmode\n",
    .MissingTerm = nullptr,
    .DefinitionBegin = "\\item[] ",
    .DefinitionEnd = "\n",
    .IndentBegin = "%%{l>1}\n%%\\begin{quote}\n",
    .IndentEnd = "\\end{quote}\n%%{l=1}\n%%",
    .IndentParBegin = nullptr,
    .IndentParEnd = "\\par\n",
    // The engine writes a row before it knows how many cells it has: the
    // column list leaves room for far more than any table uses.
    .TableBegin = "\\noindent\\begin{tabular}{*{64}{l}}\n",
    .TableEnd = "\\end{tabular}\n\n",
    .RowBegin = nullptr,
    .RowEnd = "\\\\\n",
    .HeaderCellBegin = "\\textbf{",
    .HeaderCellEnd = "} & ",
    .CellBegin = nullptr,
    .CellEnd = " & ",
    .Rule = "\\noindent\\rule{\\linewidth}{0.4pt}\n\n",
    .BoldBegin = "\\textbf{",
    .BoldEnd = "}",
    .ItalicBegin = "\\textit{",
    .ItalicEnd = "}",
    .UnderlineBegin = "\\underline{",
    .UnderlineEnd = "}",
    .SuperBegin = "\\textsuperscript{",
    .SuperEnd = "}",
    .SubBegin = "\\textsubscript{",
    .SubEnd = "}",
    .MonoBegin = "\\texttt{",
    .MonoEnd = "}",
    .LinkBegin = "\\href{",
    .LinkEnd = "}",
    .LinkTextSep = "}{",
    .LinkTargetAtEnd = 0,
    .ImageBegin = "\\fbox{\\href{",
    .ImageEnd = "}}",
    .ImageAltSep = "}{",
    .ImageTargetAtEnd = 0,
    .PlainImageText = 1,
    .VerbatimPrefixes = nullptr,
    .VerbatimWriter = LatexTargetWriter,
    .VerbatimWriterData = nullptr,
    .CharWriter = LatexCharWriter,
    .CharWriterData = latexEscapeTable,
    .PreCharWriter = LatexVerbatimWriter,
    .PreCharWriterData = nullptr,
    .WrapColumn = 70,
    .BreakFinder = nullptr,
    .BreakFinderData = nullptr,
    NO_NOTIFIERS_EXTENSIONS_OR_HOOKS,
};

}  // namespace

const OutputFormat* LatexOutputFormat()
{
    return &latexFormat;
}
