// The null format: runs the parser and writes nothing at all. Useful for
// measuring the parser alone and for checking that any input converts.
#include "../MarkupEngine.h"
#include "FormatSupport.h"

namespace {

// Consumes one text character without writing it.
int32_t SkipCharacter(const char*, int32_t, int32_t* position, FormatData, RenderState*)
{
    ++*position;
    return 0;
}

// Link targets and image sources are dropped like text.
int32_t SkipVerbatim(const char*, int32_t, RenderState*, FormatData)
{
    return 0;
}

// Every template is null and so writes nothing.
const OutputFormat nullFormat = {
    .WordSeparator = nullptr,
    .WrapIndentStep = 0,
    .DefaultFontSize = 10,
    .MetaChar = '%',
    .DocumentBegin = nullptr,
    .DocumentEnd = nullptr,
    .MaxHeadingLevel = 6,
    .HeadingBegin = nullptr,
    .HeadingEnd = nullptr,
    .ParagraphBegin = nullptr,
    .ParagraphEnd = nullptr,
    .LineBreak = nullptr,
    .PreBegin = nullptr,
    .PreEnd = nullptr,
    .PreLineBegin = nullptr,
    .PreLineEnd = nullptr,
    .NestListsInItems = 1,
    .BulletListBegin = nullptr,
    .BulletListEnd = nullptr,
    .BulletItemBegin = nullptr,
    .BulletItemEnd = nullptr,
    .NumberListBegin = nullptr,
    .NumberListEnd = nullptr,
    .NumberItemBegin = nullptr,
    .NumberItemEnd = nullptr,
    .DefListBegin = nullptr,
    .DefListEnd = nullptr,
    .TermBegin = nullptr,
    .TermEnd = nullptr,
    .MissingTerm = nullptr,
    .DefinitionBegin = nullptr,
    .DefinitionEnd = nullptr,
    .IndentBegin = nullptr,
    .IndentEnd = nullptr,
    .IndentParBegin = nullptr,
    .IndentParEnd = nullptr,
    .TableBegin = nullptr,
    .TableEnd = nullptr,
    .RowBegin = nullptr,
    .RowEnd = nullptr,
    .HeaderCellBegin = nullptr,
    .HeaderCellEnd = nullptr,
    .CellBegin = nullptr,
    .CellEnd = nullptr,
    .Rule = nullptr,
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
    .VerbatimWriter = SkipVerbatim,
    .VerbatimWriterData = nullptr,
    .CharWriter = SkipCharacter,
    .CharWriterData = nullptr,
    .PreCharWriter = SkipCharacter,
    .PreCharWriterData = nullptr,
    .WrapColumn = -1,
    .BreakFinder = nullptr,
    .BreakFinderData = nullptr,
    NO_NOTIFIERS_EXTENSIONS_OR_HOOKS,
};

}  // namespace

const OutputFormat* NullOutputFormat()
{
    return &nullFormat;
}
