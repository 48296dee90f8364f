// "<<" extensions, text hooks and the splice.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MarkupTestSupport.h"

using markup_test::Html;
using markup_test::Render;

namespace {

using markup_test::Case;

class DroppedExtensions : public testing::TestWithParam<Case> {};

TEST_P(DroppedExtensions, VanishFromHtml)
{
    EXPECT_EQ(Html(GetParam().input), GetParam().html);
}

// Input                                        Expected HTML body
const Case droppedCases[] = {
    {"a <<x y>> b",                               "<p>a  b</p>\n"},
    {"a <<x>>b",                                  "<p>a b</p>\n"},
    {"<<\r\nbody\r\nmore\r\n>>\r\ntext",          "<p>text</p>\n"},
    {"<<\r\nbody >> still\r\n>> more\r\n>>\r\ntext", "<p>text</p>\n"},
    {"<<<x>>> b",                                 "<p>b</p>\n"},
    {"a <<unclosed",                              "<p>a </p>\n"},
    {"a <<unclosed\r\n\r\nnever read",            "<p>a </p>\n"},
    {"<<",                                        "<p>&lt;&lt;</p>\n"},
    {"a <<",                                      "<p>a &lt;&lt;</p>\n"},
    {"a <b",                                      "<p>a &lt;b</p>\n"},
    {"para\r\n<<x>> more",                        "<p>para  more</p>\n"},
    {"== h <<x>> i",                              "<h2>h  i</h2>\n"},
    {"<<< a >> b >>> c",                          "<p>c</p>\n"},
    {"{{{\r\n<<x>>\r\n}}}",                       "<pre>\n&lt;&lt;x&gt;&gt;\n</pre>\n"},
    {"a {{{<<x>>}}}",                             "<p>a &lt;&lt;x&gt;&gt;</p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Html, DroppedExtensions, testing::ValuesIn(droppedCases));

// Extension functions of a test format: "<<upper body>>" writes its body in
// capitals, "<<bold body>>" writes **body** to be read again as markup,
// "<<box ...>>" is a block, and "<<fail>>" returns result code 77.
std::string calls;

int32_t Upper(const char* name, int32_t nameLength, const char* body, FormatData,
              RenderState* st, int32_t bodyLength)
{
    calls += std::string(name, size_t(nameLength)) + "(" + std::string(body, size_t(bodyLength)) + ")";
    std::string text(body, size_t(bodyLength));
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return WriteTemplate(text.c_str(), int32_t(text.size()), '%', st);
}

int32_t Reread(const char*, int32_t, const char* body, FormatData, RenderState* st,
               int32_t bodyLength)
{
    const std::string text = "**" + std::string(body, size_t(bodyLength)) + "**";
    return WriteTemplate(text.c_str(), int32_t(text.size()), '%', st);
}

int32_t Box(const char*, int32_t, const char* body, FormatData, RenderState* st, int32_t bodyLength)
{
    const std::string text = "[box:" + std::string(body, size_t(bodyLength)) + "]\n";
    return WriteTemplate(text.c_str(), int32_t(text.size()), '%', st);
}

int32_t Fail(const char*, int32_t, const char*, FormatData, RenderState*, int32_t)
{
    return 77;
}

const ExtensionEntry testExtensions[] = {
    {"upper", 0, Upper, nullptr},
    {"bold", ExtReread, Reread, nullptr},
    {"box", ExtBlock, Box, nullptr},
    {"pre", ExtPrefixName, Upper, nullptr},
    {"raw", ExtTriple, Upper, nullptr},
    {"fail", 0, Fail, nullptr},
    {"", 0, nullptr, nullptr},
};

OutputFormat ExtensionFormat()
{
    OutputFormat format = *HtmlOutputFormat();
    format.Extensions = testExtensions;
    return format;
}

std::string WithExtensions(const char* input)
{
    const OutputFormat format = ExtensionFormat();
    return Render(input, OptNoFrame, &format).text;
}

class Extensions : public testing::TestWithParam<Case> {};

TEST_P(Extensions, CallTheirFunctions)
{
    EXPECT_EQ(WithExtensions(GetParam().input), GetParam().html);
}

// Input                                        Expected HTML body
const Case extensionCases[] = {
    {"a <<upper xy>> b",                          "<p>a XY b</p>\n"},
    {"<<upper xy>> b",                            "<p>XY b</p>\n"},
    {"a <<bold x //y//>> b",                      "<p>a <b>x <i>y</i></b> b</p>\n"},
    {"a\r\n<<box\r\nin\r\n>>\r\nb",               "<p>a</p>\n[box:in]\n<p>b</p>\n"},
    {"<<box\r\nin\r\n>>",                         "[box:in]\n"},
    {"<<prefixed z>>",                            "<p>Z</p>\n"},
    {"<<raw q>>",                                 ""},
    {"<<<raw q>>>",                               "<p>Q</p>\n"},
    {"<<<upper q>>>",                             ""},
    {"<<unknown q>>",                             ""},
    {"<<upper\r\nline\r\n>>",                     "<p>LINE</p>\n"},
};

INSTANTIATE_TEST_SUITE_P(Table, Extensions, testing::ValuesIn(extensionCases));

TEST(Extensions, FunctionReceivesNameAndBodyWithoutItsLastLineEnd)
{
    calls.clear();
    WithExtensions("<<upper a b\r\n>>");
    EXPECT_EQ(calls, "upper(a b)");
}

TEST(Extensions, FunctionResultEndsTheConversion)
{
    const OutputFormat format = ExtensionFormat();
    EXPECT_EQ(Render("x <<fail>> y", OptNoFrame, &format).result, 77);
}

TEST(Extensions, OptionMakesThemText)
{
    const OutputFormat format = ExtensionFormat();
    EXPECT_EQ(Render("<<upper x>>", OptNoFrame | OptNoExtensions, &format).text,
              "<p>&lt;&lt;upper x&gt;&gt;</p>\n");
}

// A text hook replacing "$name" by "**NAME**", which is then read as markup.
int32_t DollarHook(const char* input, int32_t inputLength, int32_t* position, FormatData data,
                   RenderState* st)
{
    if (input[*position] != '$')
        return 0;
    int32_t end = *position + 1;
    while (end < inputLength && input[end] >= 'a' && input[end] <= 'z')
        ++end;
    std::string text = "**";
    for (int32_t k = *position + 1; k < end; ++k)
        text += char(input[k] - 'a' + 'A');
    text += "**";
    if (data)
        *static_cast<std::vector<int32_t>*>(const_cast<void*>(data)) = {*position + st->inputBase};
    *position = end;
    return WriteTemplate(text.c_str(), int32_t(text.size()), '%', st) == MarkupOk ? 1 : 0;
}

TEST(TextHooks, ReplacementIsReadAsMarkup)
{
    const TextHook hooks[] = {{DollarHook, nullptr}, {nullptr, nullptr}};
    OutputFormat format = *HtmlOutputFormat();
    format.TextHooks = hooks;
    EXPECT_EQ(Render("a $bc d $e", OptNoFrame, &format).text,
              "<p>a <b>BC</b> d <b>E</b></p>\n");
    EXPECT_EQ(Render("{{{\r\n$x\r\n}}}", OptNoFrame, &format).text, "<pre>\n$x\n</pre>\n");
    EXPECT_EQ(Render("a $bc", OptNoFrame | OptNoExtensions, &format).text, "<p>a $bc</p>\n");
}

TEST(TextHooks, InputBaseKeepsOffsetsOfTheCallersInput)
{
    std::vector<int32_t> offsets;
    const TextHook hooks[] = {{DollarHook, &offsets}, {nullptr, nullptr}};
    OutputFormat format = *HtmlOutputFormat();
    format.TextHooks = hooks;
    std::string input = "ab $cd ef $gh";
    Render(input, OptNoFrame, &format);
    EXPECT_EQ(offsets, std::vector<int32_t>{10});  // the last hook call, in caller offsets
}

TEST(TextHooks, SpliceThatDoesNotFitAsksForMoreRoom)
{
    const TextHook hooks[] = {{DollarHook, nullptr}, {nullptr, nullptr}};
    OutputFormat format = *HtmlOutputFormat();
    format.TextHooks = hooks;
    const std::string input = "$abc $def $ghi";
    std::vector<char> buffer;
    int32_t smallest = -1;
    std::string reference;
    for (int32_t size = 28; size < 400; ++size) {
        buffer.assign(size_t(size) + 16, '\x7E');
        const char* out = nullptr;
        int32_t length = 0;
        const int32_t result = RenderMarkup(input.data(), int32_t(input.size()), buffer.data(), size,
                                            OptNoFrame, "\n", &format, 0, &out, &length, nullptr);
        for (int k = 0; k < 16; ++k)
            ASSERT_EQ(buffer[size_t(size) + size_t(k)], '\x7E') << size;
        if (result == MarkupOk) {
            if (smallest < 0) {
                smallest = size;
                reference.assign(out, size_t(length));
            }
            EXPECT_EQ(std::string(out, size_t(length)), reference) << size;
        } else {
            EXPECT_EQ(result, MarkupNoRoom);
            EXPECT_LT(smallest, 0) << "a larger buffer failed: " << size;
        }
    }
    EXPECT_EQ(reference, "<p><b>ABC</b> <b>DEF</b> <b>GHI</b></p>\n");
}

}  // namespace
