// The buffer contract of RenderMarkup and the growth loop beside it.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MarkupTestSupport.h"
#include "markup/GrowingConvert.h"

namespace {

constexpr char Canary = '\x5A';
constexpr size_t CanaryBytes = 64;

struct Attempt {
    int32_t result;
    std::string text;
    int32_t chars;
    bool canaryIntact;
};

// Converts into a buffer of exactly size bytes followed by canary bytes.
Attempt Convert(const std::string& input, int32_t size, uint32_t options = 0,
                const OutputFormat* format = HtmlOutputFormat(), const char* lineEnd = "\r\n")
{
    std::vector<char> memory(size_t(size) + CanaryBytes, Canary);
    const char* output = nullptr;
    int32_t length = -1;
    int32_t chars = -1;
    Attempt attempt;
    attempt.result = RenderMarkup(input.data(), int32_t(input.size()), memory.data(), size, options,
                                  lineEnd, format, 0, &output, &length, &chars);
    attempt.chars = chars;
    if (attempt.result == MarkupOk) {
        attempt.text.assign(output, size_t(length));
        EXPECT_EQ(output[length], '\0');
        EXPECT_GE(output, memory.data());
        EXPECT_LE(output + length, memory.data() + size);
    }
    attempt.canaryIntact = true;
    for (size_t k = size_t(size); k < memory.size(); ++k)
        attempt.canaryIntact = attempt.canaryIntact && memory[k] == Canary;
    return attempt;
}

TEST(Buffer, HelloWorldNeedsExactly112Bytes)
{
    const Attempt fits = Convert("Hello world", 112);
    ASSERT_EQ(fits.result, MarkupOk);
    EXPECT_EQ(fits.text, "<html>\r\n<body>\r\n<p>Hello world</p>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(fits.text.size(), 54u);
    EXPECT_EQ(fits.chars, 54);
    const Attempt tooSmall = Convert("Hello world", 111);
    EXPECT_EQ(tooSmall.result, MarkupNoRoom);
    EXPECT_TRUE(tooSmall.canaryIntact);
}

TEST(Buffer, InputLongerThanHalfFailsBeforeWriting)
{
    const std::string input(100, 'a');
    std::vector<char> memory(199, Canary);
    const char* output = nullptr;
    int32_t length = 0;
    EXPECT_EQ(RenderMarkup(input.data(), 100, memory.data(), 199, 0, "\n", HtmlOutputFormat(), 0,
                           &output, &length, nullptr),
              MarkupNoRoom);
    for (char c : memory)
        ASSERT_EQ(c, Canary);
}

TEST(Buffer, EmptyInputWritesTheFrame)
{
    const Attempt a = Convert("", 1024);
    ASSERT_EQ(a.result, MarkupOk);
    EXPECT_EQ(a.text, "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(Convert("", 0).result, MarkupNoRoom);
    EXPECT_EQ(Convert("", 1).result, MarkupNoRoom);
}

TEST(Buffer, InputIsNotChangedAndNeedNotOutliveTheCall)
{
    std::string input = "**a** [[b|c]]";
    const std::string copy = input;
    const Attempt a = Convert(input, 4096);
    ASSERT_EQ(a.result, MarkupOk);
    EXPECT_EQ(input, copy);
}

TEST(Buffer, NullFormatMeansText)
{
    const Attempt a = Convert("= T\r\nbody", 1024, 0, nullptr, "\n");
    ASSERT_EQ(a.result, MarkupOk);
    EXPECT_EQ(a.text, "   T\n\nbody\n\n");
}

TEST(Buffer, OutputCharsCountsUtf8Characters)
{
    // é (2 bytes) and € (3 bytes) count one each; 𝄞 (4 bytes) counts nothing.
    const Attempt a = Convert("\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E", 1024, OptNoFrame, HtmlOutputFormat(), "\n");
    ASSERT_EQ(a.result, MarkupOk);
    EXPECT_EQ(a.text, "<p>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</p>\n");
    EXPECT_EQ(a.chars, 3 + 2 + 5);
}

TEST(Growth, StartsAtTwiceTheInputPlus1024AndGrowsByHalf)
{
    const std::string small = "Hello";
    const GrowingConversion once = GrowingConvert(small, 0, "\r\n", HtmlOutputFormat(), 0);
    ASSERT_EQ(once.result, MarkupOk);
    EXPECT_EQ(once.attempts, 1);
    EXPECT_EQ(once.bufferSize, 2 * 5 + 1024);

    // "* x" lines produce more output than 2 * n + 1024 holds.
    std::string big;
    for (int k = 0; k < 2000; ++k)
        big += "* x\r\n";
    const GrowingConversion grown = GrowingConvert(big, 0, "\r\n", HtmlOutputFormat(), 0);
    ASSERT_EQ(grown.result, MarkupOk);
    EXPECT_GT(grown.attempts, 1);
    int64_t size = 2 * int64_t(big.size()) + 1024;
    for (int k = 1; k < grown.attempts; ++k)
        size += size / 2;
    EXPECT_EQ(grown.bufferSize, size);
    const Attempt direct = Convert(big, int32_t(size));
    ASSERT_EQ(direct.result, MarkupOk);
    EXPECT_EQ(grown.text(), direct.text);
    EXPECT_EQ(grown.outputChars, direct.chars);
}

TEST(Growth, AnyFirstSizeGivesTheSameOutput)
{
    const std::string input = "= T\r\n* a **b**\r\n|c|d|\r\n{{{\r\npre\r\n}}}\r\n[[x|y]]";
    const GrowingConversion reference = GrowingConvert(input, 0, "\n", HtmlOutputFormat(), 0);
    ASSERT_EQ(reference.result, MarkupOk);
    for (int64_t first : {1, 2, 7, 50, 100, 333, 1000, 100000}) {
        const GrowingConversion c = GrowingConvert(input, 0, "\n", HtmlOutputFormat(), 0, first);
        ASSERT_EQ(c.result, MarkupOk) << first;
        EXPECT_EQ(c.text(), reference.text()) << first;
    }
}

int32_t FailingWriter(const char*, int32_t, int32_t* position, FormatData, RenderState*)
{
    ++*position;
    return 42;
}

TEST(Growth, OtherResultsEndTheLoop)
{
    OutputFormat format = *HtmlOutputFormat();
    format.CharWriter = FailingWriter;
    const GrowingConversion c = GrowingConvert("text", 0, "\n", &format, 0);
    EXPECT_EQ(c.result, 42);
    EXPECT_EQ(c.attempts, 1);
    EXPECT_EQ(c.output, nullptr);
}

}  // namespace

namespace {

// A long word at the end of the text brings the column past the wrap column
// just as the text ends: nothing after the input may be read, whatever the
// buffer held before.
TEST(Buffer, StaleBytesAfterTheInputAreNeverRead)
{
    const std::string word(100, 'w');
    for (const std::string& input : {word, "* " + word, "= " + word, "a " + word}) {
        const std::string expected = markup_test::Html(input);
        for (const char stale : {'\0', 'x', ' ', '*', '\n'}) {
            std::vector<char> buffer(input.size() * 2 + 1024, stale);
            const char* output = nullptr;
            int32_t length = 0;
            ASSERT_EQ(RenderMarkup(input.data(), int32_t(input.size()), buffer.data(),
                                   int32_t(buffer.size()), OptNoFrame, "\n", HtmlOutputFormat(), 0,
                                   &output, &length, nullptr),
                      MarkupOk);
            EXPECT_EQ(std::string(output, size_t(length)), expected) << int(stale) << input;
        }
    }
}

}  // namespace
