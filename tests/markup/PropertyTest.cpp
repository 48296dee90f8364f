// Properties over many random and mutated pages: every text converts given
// room, any smaller buffer fails cleanly, any larger one gives the same
// output, and the growth loop agrees.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "markup/FormatTable.h"
#include "markup/GrowingConvert.h"

namespace {

constexpr char Canary = '\xC5';
constexpr size_t CanaryBytes = 32;

const char* const fragments[] = {
    "*", "**", "#", "##", ";", ":", "|", "|=", "=", "==", "----", "{{{", "}}}", "{{", "}}",
    "[[", "]]", "<<", ">>", "<<<", ">>>", "//", "__", "^^", ",,", "~", "\\\\", "\r\n", "\n",
    "\r", " ", "  ", "\t", "a", "word", "Page", "s1://x", "http://a/b", "<", ">", "&", "\"",
    "'", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80", "\xFF", "%", "%{l}", "x y z",
};

std::string RandomPage(std::mt19937& random)
{
    std::string page;
    const int pieces = int(random() % 60);
    for (int k = 0; k < pieces; ++k)
        page += fragments[random() % (sizeof fragments / sizeof fragments[0])];
    return page;
}

const char* const samplePages[] = {
    "= Title\r\n\r\nSome **bold** and //italic// text with a [[Link|link]] and {{img.png|pic}}.\r\n"
    "* one\r\n** two\r\n# three\r\n\r\n; term : definition\r\n: more\r\n\r\n|=h1|=h2|\r\n|a|b|\r\n"
    "{{{\r\ncode\there\r\n}}}\r\n----\r\n~escaped \\\\ break <<ext body>> end",
    "aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg hhhhhhhhh iiiii\r\n"
    "* aaaaaaaaa bbbbbbbbb ccccccccc ddddddddd eeeeeeeee fffffffff ggggggggg hhhhhhhhh",
    ": a\r\n:: b\r\n::: c\r\n; t\r\n;* x\r\n;; y\r\n|a|b\r\n|c\r\n== h //i ** j\r\nx",
};

// Cuts, copies and flips pieces of a sample page.
std::string MutatedPage(std::mt19937& random)
{
    std::string page = samplePages[random() % (sizeof samplePages / sizeof samplePages[0])];
    const int edits = 1 + int(random() % 8);
    for (int k = 0; k < edits && !page.empty(); ++k) {
        const size_t at = random() % page.size();
        switch (random() % 4) {
        case 0: page.erase(at, random() % 10); break;
        case 1: page.insert(at, fragments[random() % (sizeof fragments / sizeof fragments[0])]); break;
        case 2: page[at] = char(random() % 256); break;
        default: page.insert(at, page.substr(random() % page.size(), random() % 20)); break;
        }
    }
    return page;
}

struct Outcome {
    int32_t result;
    std::string text;
    int32_t chars;
};

Outcome ConvertIn(const std::string& input, int32_t size, uint32_t options,
                  const OutputFormat* format, const char* lineEnd, bool* canaryIntact)
{
    std::vector<char> memory(size_t(size) + CanaryBytes, Canary);
    const char* output = nullptr;
    int32_t length = 0;
    Outcome outcome;
    outcome.chars = 0;
    outcome.result = RenderMarkup(input.data(), int32_t(input.size()), memory.data(), size, options,
                                  lineEnd, format, int32_t(options % 13), &output, &length,
                                  &outcome.chars);
    if (outcome.result == MarkupOk)
        outcome.text.assign(output, size_t(length));
    *canaryIntact = true;
    for (size_t k = size_t(size); k < memory.size(); ++k)
        *canaryIntact = *canaryIntact && memory[k] == Canary;
    return outcome;
}

// Checks every property for one input and returns false on the first
// violation (with a message).
void CheckPage(const std::string& input, uint32_t options, const OutputFormat* format,
               const char* lineEnd, std::mt19937& random)
{
    bool intact = false;
    const GrowingConversion grown = GrowingConvert(input, options, lineEnd, format,
                                                   int32_t(options % 13));
    ASSERT_EQ(grown.result, MarkupOk) << testing::PrintToString(input);
    const std::string reference(grown.text());

    // The smallest buffer that succeeds: output + 2 bytes in the output half
    // is necessary, so search upwards from there.
    const int32_t lower = 2 * std::max<int32_t>(int32_t(input.size()), int32_t(reference.size()) + 2);
    int32_t smallest = -1;
    for (int32_t size = lower - 2; size < int32_t(grown.bufferSize) + 2; ++size) {
        const Outcome o = ConvertIn(input, size, options, format, lineEnd, &intact);
        ASSERT_TRUE(intact) << "wrote past a buffer of " << size;
        if (o.result == MarkupOk) {
            smallest = size;
            ASSERT_EQ(o.text, reference) << testing::PrintToString(input);
            ASSERT_EQ(o.chars, grown.outputChars);
            break;
        }
        ASSERT_EQ(o.result, MarkupNoRoom);
    }
    ASSERT_GT(smallest, 0) << testing::PrintToString(input);

    // Any smaller buffer fails without writing past its end.
    for (int k = 0; k < 3; ++k) {
        const int32_t size = int32_t(random() % uint32_t(smallest));
        const Outcome o = ConvertIn(input, size, options, format, lineEnd, &intact);
        ASSERT_EQ(o.result, MarkupNoRoom) << "buffer " << size << " of " << smallest;
        ASSERT_TRUE(intact) << "wrote past a buffer of " << size;
    }
    // Any larger buffer gives the same output.
    for (int k = 0; k < 2; ++k) {
        const int32_t size = smallest + 1 + int32_t(random() % 5000);
        const Outcome o = ConvertIn(input, size, options, format, lineEnd, &intact);
        ASSERT_EQ(o.result, MarkupOk);
        ASSERT_EQ(o.text, reference);
        ASSERT_TRUE(intact);
    }
}

uint32_t RandomOptions(std::mt19937& random)
{
    if (random() % 3 == 0)
        return 0;
    return uint32_t(random()) & 0x37FFFDu;
}

TEST(Properties, RandomPagesInHtml)
{
    std::mt19937 random(20261211);
    for (int n = 0; n < 1500; ++n) {
        const std::string page = RandomPage(random);
        CheckPage(page, RandomOptions(random), HtmlOutputFormat(), n % 2 ? "\r\n" : "\n", random);
        if (HasFatalFailure())
            return;
    }
}

TEST(Properties, MutatedPagesInHtml)
{
    std::mt19937 random(4242);
    for (int n = 0; n < 1500; ++n) {
        const std::string page = MutatedPage(random);
        CheckPage(page, RandomOptions(random), HtmlOutputFormat(), "\r\n", random);
        if (HasFatalFailure())
            return;
    }
}

TEST(Properties, RandomPagesInEveryFormat)
{
    std::mt19937 random(99);
    for (size_t f = 0; f < MarkupFormatCount; ++f) {
        const OutputFormat* format = MarkupFormatTable[f].function();
        for (int n = 0; n < 150; ++n) {
            const std::string page = n % 2 ? RandomPage(random) : MutatedPage(random);
            CheckPage(page, RandomOptions(random), format, "\n", random);
            if (HasFatalFailure())
                return;
        }
    }
}

}  // namespace
