// The converter's table of formats: every built-in format, by the name the
// converter's --format option takes.
#include <gtest/gtest.h>

#include <string>

#include "markup/FormatTable.h"
#include "markup/MarkupEngine.h"

namespace {

TEST(FormatTable, ListsTheNineBuiltInFormats)
{
    const struct {
        const char* name;
        const OutputFormat* format;
    } expected[] = {
        {"html", HtmlOutputFormat()},     {"text", TextOutputFormat()},
        {"compact-text", CompactTextOutputFormat()}, {"xml", XmlOutputFormat()},
        {"creole", CreoleOutputFormat()}, {"rtf", RtfOutputFormat()},
        {"latex", LatexOutputFormat()},   {"man", ManOutputFormat()},
        {"null", NullOutputFormat()},
    };
    ASSERT_EQ(MarkupFormatCount, 9u);
    for (const auto& entry : expected) {
        EXPECT_EQ(FindOutputFormat(entry.name), entry.format) << entry.name;
        EXPECT_NE(entry.format, nullptr) << entry.name;
    }
    for (size_t k = 0; k < MarkupFormatCount; ++k)
        for (size_t j = k + 1; j < MarkupFormatCount; ++j)
            EXPECT_NE(MarkupFormatTable[k].function(), MarkupFormatTable[j].function())
                << MarkupFormatTable[k].name << " and " << MarkupFormatTable[j].name;
    EXPECT_EQ(FindOutputFormat("pdf"), nullptr);
}

}  // namespace
