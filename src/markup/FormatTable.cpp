#include "FormatTable.h"

#include <cstring>

#include "MarkupEngine.h"

// One row per implemented format.
const FormatTableEntry MarkupFormatTable[] = {
    {"html", HtmlOutputFormat},
    {"text", TextOutputFormat},
    {"compact-text", CompactTextOutputFormat},
    {"xml", XmlOutputFormat},
    {"creole", CreoleOutputFormat},
    {"rtf", RtfOutputFormat},
    {"latex", LatexOutputFormat},
    {"man", ManOutputFormat},
    {"null", NullOutputFormat},
};

const size_t MarkupFormatCount = sizeof(MarkupFormatTable) / sizeof(MarkupFormatTable[0]);

const OutputFormat* FindOutputFormat(const char* name)
{
    for (size_t k = 0; k < MarkupFormatCount; ++k)
        if (std::strcmp(MarkupFormatTable[k].name, name) == 0)
            return MarkupFormatTable[k].function();
    return nullptr;
}
