// Plain text: the format RenderMarkup falls back to when it gets none.
// Headings are indented by 4 - level and numbered when numbering is on,
// blocks are separated by blank lines, items are indented by level with
// "- " or their number, table cells are separated by tabs and rules are ten
// dashes.
#include "../MarkupEngine.h"

namespace {

const OutputFormat textFormat = {
    .WordSeparator = " ",
    .WrapIndentStep = 3,
    .DefaultFontSize = 10,
    .MetaChar = '%',
    .DocumentBegin = nullptr,
    .DocumentEnd = nullptr,
    .MaxHeadingLevel = 4,
    .HeadingBegin = "%%{4-l} %%%%{i>0}%{i}. %%",
    .HeadingEnd = "\n\n",
    .ParagraphBegin = nullptr,
    .ParagraphEnd = "\n\n",
    .LineBreak = "\n",
    .PreBegin = nullptr,
    .PreEnd = "\n",
    .PreLineBegin = nullptr,
    .PreLineEnd = "\n",
    // Each item ends before a deeper list begins, so every item has a line
    // of its own.
    .NestListsInItems = 0,
    .BulletListBegin = nullptr,
    .BulletListEnd = "%%{l=1}\n%%",
    .BulletItemBegin = "%%{3*l-2} %%- ",
    .BulletItemEnd = "\n",
    .NumberListBegin = nullptr,
    .NumberListEnd = "%%{l=1}\n%%",
    .NumberItemBegin = "%%{3*l-3} %%%{i}. ",
    .NumberItemEnd = "\n",
    .DefListBegin = nullptr,
    .DefListEnd = "%%{l=1}\n%%",
    .TermBegin = "%%{3*l-3} %%",
    .TermEnd = "\n",
    .MissingTerm = nullptr,
    .DefinitionBegin = "%%{3*l} %%",
    .DefinitionEnd = "\n",
    .IndentBegin = nullptr,
    .IndentEnd = "%%{l=1}\n%%",
    .IndentParBegin = "%%{3*l} %%",
    .IndentParEnd = "\n",
    .TableBegin = nullptr,
    .TableEnd = "\n",
    .RowBegin = nullptr,
    .RowEnd = "\n",
    .HeaderCellBegin = nullptr,
    .HeaderCellEnd = "\t",
    .CellBegin = nullptr,
    .CellEnd = "\t",
    .Rule = "----------\n\n",
    .BoldBegin = nullptr,
    .BoldEnd = nullptr,
    .ItalicBegin = nullptr,
    .ItalicEnd = nullptr,
    .UnderlineBegin = nullptr,
    .UnderlineEnd = nullptr,
    .SuperBegin = nullptr,
    .SuperEnd = nullptr,
    .SubBegin = nullptr,
    .SubEnd = nullptr,
    .MonoBegin = nullptr,
    .MonoEnd = nullptr,
    // Without separators only a link's text and an image's alternative text
    // are written.
    .LinkBegin = nullptr,
    .LinkEnd = nullptr,
    .LinkTextSep = nullptr,
    .LinkTargetAtEnd = 0,
    .ImageBegin = nullptr,
    .ImageEnd = nullptr,
    .ImageAltSep = nullptr,
    .ImageTargetAtEnd = 0,
    .PlainImageText = 1,
    .VerbatimPrefixes = nullptr,
    .VerbatimWriter = nullptr,
    .VerbatimWriterData = nullptr,
    .CharWriter = nullptr,
    .CharWriterData = nullptr,
    .PreCharWriter = nullptr,
    .PreCharWriterData = nullptr,
    .WrapColumn = 70,
    .BreakFinder = nullptr,
    .BreakFinderData = nullptr,
    .CharNotify = nullptr,
    .CharNotifyData = nullptr,
    .BlockNotify = nullptr,
    .ItemNotify = nullptr,
    .InlineNotify = nullptr,
    .NotifyData = nullptr,
    .Extensions = nullptr,
    .TextHooks = nullptr,
    .VariableHook = nullptr,
    .VariableHookData = nullptr,
};

}  // namespace

const OutputFormat* TextOutputFormat()
{
    return &textFormat;
}
