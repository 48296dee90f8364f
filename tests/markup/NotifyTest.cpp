// The notify functions of a format: openings and closings of blocks, items
// and inline elements, with their levels, numbers, offsets and markup.
#include <string>

#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

namespace {

std::string events;

int32_t Record(const char* who, int32_t l, int32_t i, int32_t open, int32_t offset,
               const char* markup)
{
    events += std::string(who) + (open ? "+" : "-") + markup + "(" + std::to_string(l) + "," +
              std::to_string(i) + ")@" + std::to_string(offset) + " ";
    return MarkupOk;
}

int32_t BlockEvent(int32_t l, int32_t i, int32_t open, FormatData, RenderState*, int32_t offset,
                   const char* markup)
{
    return Record("B", l, i, open, offset, markup);
}

int32_t ItemEvent(int32_t l, int32_t i, int32_t open, FormatData, RenderState*, int32_t offset,
                  const char* markup)
{
    return Record("I", l, i, open, offset, markup);
}

int32_t InlineEvent(int32_t l, int32_t i, int32_t open, FormatData, RenderState*, int32_t offset,
                    const char* markup)
{
    return Record("S", l, i, open, offset, markup);
}

int32_t Refuse(int32_t, int32_t, int32_t, FormatData, RenderState*, int32_t, const char* markup)
{
    return std::string(markup) == "[[" ? 55 : MarkupOk;
}

std::string Events(const char* input)
{
    OutputFormat format = *HtmlOutputFormat();
    format.BlockNotify = BlockEvent;
    format.ItemNotify = ItemEvent;
    format.InlineNotify = InlineEvent;
    events.clear();
    const auto r = markup_test::Render(input, OptNoFrame, &format);
    EXPECT_EQ(r.result, MarkupOk);
    EXPECT_EQ(r.text, markup_test::Html(input)) << "notifying must not change the output";
    return events;
}

TEST(Notify, ParagraphAndStyles)
{
    EXPECT_EQ(Events("a **b** [[c]]"),
              "I+p(0,0)@0 S+**(-1,0)@2 S-**(-1,0)@5 S+[[(-1,0)@8 S-[[(-1,0)@11 I-p(0,0)@13 ");
}

TEST(Notify, HeadingRuleAndPreformattedBlock)
{
    EXPECT_EQ(Events("== H\n----\n{{{\nx\n}}}"),
              "I+=(2,0)@0 I-=(2,0)@4 I+----(0,0)@5 I-----(0,0)@5 I+{{{(0,0)@10 I-{{{(0,0)@16 ");
}

TEST(Notify, ListLevelsAndItems)
{
    EXPECT_EQ(Events("# a\n## b\n# c"),
              "B+#(1,0)@0 I+#(1,1)@0 B+#(2,0)@4 I+#(2,1)@4 I-#(2,1)@10 B-#(2,2)@10 "
              "I-#(1,1)@10 I+#(1,2)@9 I-#(1,2)@12 B-#(1,3)@12 ");
}

TEST(Notify, DefinitionsAndTables)
{
    EXPECT_EQ(Events("; t : d\n|x|=y"),
              "B+;(1,0)@0 I+;(1,0)@0 I-;(1,0)@6 I+;:(1,0)@4 I-;:(1,0)@9 B-;(1,0)@9 "
              "B+|(1,0)@8 I+|(0,0)@8 I-|(1,0)@10 I+|=(1,0)@10 I-|=(1,0)@13 B-|(1,0)@13 ");
}

TEST(Notify, ResultCodeEndsTheConversion)
{
    OutputFormat format = *HtmlOutputFormat();
    format.InlineNotify = Refuse;
    EXPECT_EQ(markup_test::Render("a **b** [[c]]", OptNoFrame, &format).result, 55);
}

}  // namespace
