// The template language: values, repeats, marker strings, line ends, room
// checks, and the expression evaluator.
#include <climits>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "markup/MarkupEngine.h"

namespace {

// A RenderState over a fixed output area, as the engine sets it up.
struct TemplateFixture {
    char area[512];
    RenderState st;

    explicit TemplateFixture(int32_t capacity = 512, const char* lineEnd = "\n")
    {
        std::memset(&st, 0, sizeof st);
        st.output = area;
        st.capacity = capacity;
        st.lineEnd = lineEnd;
        st.lineEndLength = int32_t(std::strlen(lineEnd));
        st.format = HtmlOutputFormat();
        st.metaChar = '%';
        ForgetBreaks(&st);
    }

    std::string Write(const char* text, int32_t* result = nullptr)
    {
        const int32_t r = WriteTemplate(text, -1, '%', &st);
        if (result)
            *result = r;
        return std::string(area, size_t(st.outputLength));
    }
};

struct TemplateCase {
    const char* text;
    int32_t l;
    int32_t s;
    const char* output;
};

void PrintTo(const TemplateCase& c, std::ostream* os)
{
    *os << '"' << c.text << "\" l=" << c.l << " s=" << c.s;
}

class Templates : public testing::TestWithParam<TemplateCase> {};

TEST_P(Templates, WriteExpectedText)
{
    TemplateFixture f;
    f.st.l = GetParam().l;
    f.st.s = GetParam().s;
    int32_t result = -1;
    EXPECT_EQ(f.Write(GetParam().text, &result), GetParam().output);
    EXPECT_EQ(result, MarkupOk);
}

// Template                         l   s   Output
const TemplateCase templateCases[] = {
    {"%%{0}x%%",                    0,  0,  ""},
    {"%%{1-4}x%%",                  0,  0,  ""},
    {"%%{-3}x%%",                   0,  0,  "x"},
    {"%%{2*l} %%<li>",              2,  0,  "    <li>"},
    {"a%%{3}%{l}%%b",               7,  0,  "a777b"},
    {"%{7-10}",                     0,  0,  "-3"},
    {"%{5/2}",                      0,  0,  "2"},
    {"%{2+3*4}",                    0,  0,  "14"},
    {"%{(2+3)*2}",                  0,  0,  "10"},
    {"%{2*(3+4)-4}",                0,  0,  "10"},
    {"%{(2+3)}",                    0,  0,  "5"},
    {"%{l=1&7|9}",                  1,  0,  "7"},
    {"%{l=1&7|9}",                  2,  0,  "9"},
    {"%{q}",                        0,  0,  "1"},
    {"100%",                        0,  0,  "100%"},
    {"%L",                          0,  0,  "%L"},
    {"%{",                          0,  0,  "%{"},
    {"a%{1+2",                      0,  0,  "a"},
    {"a%%{1}b",                     0,  0,  "ab"},
    {"a%%{2}b",                     0,  0,  "abb"},
    {"a%%{1+}b%%c",                 0,  0,  "abc"},
    {"%x%",                         0,  0,  "%x%"},
    {"<p%%{s>0} style=\"font-size:%{s}pt\"%%>", 0, 0, "<p>"},
    {"<p%%{s>0} style=\"font-size:%{s}pt\"%%>", 0, 12, "<p style=\"font-size:12pt\">"},
    {"%{l=1&3*s|l=2&2*s|l=3&3*s/2|5*s/4}", 1, 10, "30"},
    {"%{l=1&3*s|l=2&2*s|l=3&3*s/2|5*s/4}", 2, 10, "20"},
    {"%{l=1&3*s|l=2&2*s|l=3&3*s/2|5*s/4}", 3, 10, "15"},
    {"%{l=1&3*s|l=2&2*s|l=3&3*s/2|5*s/4}", 4, 10, "12"},
    {"%{l=1&3*s|l=2&2*s|l=3&3*s/2|5*s/4}", 1, 0,  "0"},
};

INSTANTIATE_TEST_SUITE_P(Language, Templates, testing::ValuesIn(templateCases));

TEST(Templates, RepeatCapsAtOneHundredCopies)
{
    TemplateFixture f;
    EXPECT_EQ(f.Write("%%{250}-%%"), std::string(100, '-'));
    EXPECT_EQ(f.st.column, 100);
}

TEST(Templates, NewlineWritesLineEndAndSetsColumnToWrapIndent)
{
    TemplateFixture f(512, "\r\n");
    f.st.wrapIndent = 4;
    EXPECT_EQ(f.Write("ab\ncd"), "ab\r\ncd");
    EXPECT_EQ(f.st.column, 6);  // wrapIndent + 2, though no indentation is written
    EXPECT_EQ(f.st.outputChars, 6);
}

TEST(Templates, MarkerStringListsTheOpenLevels)
{
    TemplateFixture f;
    f.st.depth = 3;
    f.st.blockStack[0].kind = LevelKind::BulletLevel;
    f.st.blockStack[1].kind = LevelKind::NumberLevel;
    f.st.blockStack[2].kind = LevelKind::DefinitionLevel;
    EXPECT_EQ(f.Write("[%L ]"), "[*#: ]");
    EXPECT_STREQ(f.st.markerString, "*#:");
}

TEST(Templates, NullTemplateWritesNothing)
{
    TemplateFixture f;
    EXPECT_EQ(WriteTemplate(nullptr, -1, '%', &f.st), MarkupOk);
    EXPECT_EQ(f.st.outputLength, 0);
}

TEST(Templates, OtherMetaCharacter)
{
    TemplateFixture f;
    f.st.l = 3;
    EXPECT_EQ(WriteTemplate("%$%{l}$", -1, '$', &f.st), MarkupOk);
    EXPECT_EQ(std::string(f.area, size_t(f.st.outputLength)), "%$%{l}$");
    f.st.outputLength = 0;
    EXPECT_EQ(WriteTemplate("$${l}x$$", -1, '$', &f.st), MarkupOk);
    EXPECT_EQ(std::string(f.area, size_t(f.st.outputLength)), "xxx");
}

// Room is checked before each byte, 12 bytes before a number and the whole
// repeated body before it is copied.
TEST(Templates, ReportNoRoomWithoutWritingPastCapacity)
{
    struct RoomCase {
        const char* text;
        int32_t capacity;
        int32_t result;
    };
    const RoomCase cases[] = {
        {"abc", 3, MarkupOk},      {"abcd", 3, MarkupNoRoom},  {"%{1}", 12, MarkupOk},
        {"%{1}", 11, MarkupNoRoom}, {"%%{5}ab%%", 10, MarkupOk}, {"%%{5}ab%%", 9, MarkupNoRoom},
        {"x%L ", 9, MarkupOk},      {"x%L ", 8, MarkupNoRoom},
    };
    for (const RoomCase& c : cases) {
        TemplateFixture f(c.capacity);
        std::memset(f.area, '#', sizeof f.area);
        int32_t result = -1;
        f.Write(c.text, &result);
        EXPECT_EQ(result, c.result) << c.text << " in " << c.capacity << ": " << f.st.outputLength;
        EXPECT_LE(f.st.outputLength, c.capacity) << c.text;
        for (size_t k = size_t(c.capacity); k < sizeof f.area; ++k)
            ASSERT_EQ(f.area[k], '#') << c.text << " wrote past capacity at " << k;
    }
}

// A line end needs outputLength + (line-end bytes - 1) + wrapIndent below
// the capacity, though the indentation itself is not written.
TEST(Templates, LineEndNeedsRoomForWrapIndent)
{
    for (const int32_t capacity : {4, 5}) {
        TemplateFixture f(capacity, "\r\n");
        f.st.wrapIndent = 3;
        int32_t result = -1;
        f.Write("\n", &result);
        EXPECT_EQ(result, capacity == 5 ? MarkupOk : MarkupNoRoom) << capacity;
    }
}

struct ExpressionCase {
    const char* text;
    int32_t value;
};

void PrintTo(const ExpressionCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class Expressions : public testing::TestWithParam<ExpressionCase> {};

TEST_P(Expressions, Evaluate)
{
    TemplateFixture f;
    f.st.i = 4;
    f.st.l = 2;
    f.st.s = 10;
    f.st.x = 1;
    f.st.position = 33;
    f.st.outputLength = 21;
    const char* text = GetParam().text;
    EXPECT_EQ(EvalExpression(text, int32_t(std::strlen(text)), &f.st), GetParam().value);
}

// Expression                        Value      (i=4 l=2 s=10 x=1 o=33 p=21)
const ExpressionCase expressionCases[] = {
    {"i+l*s",                        24},
    {" ( i + l ) * s ",              60},
    {"o-p",                          12},
    {"x",                            1},
    {"7/2",                          3},
    {"0-7/2",                        -3},
    {"(0-7)/2",                      -3},
    {"3<4",                          1},
    {"4<3",                          0},
    {"4>3",                          1},
    {"3=3",                          1},
    {"3!3",                          0},
    {"3!4",                          1},
    {"0|5",                          5},
    {"2|5",                          2},
    {"0&5",                          0},
    {"2&5",                          5},
    {"1+2=3&9|8",                    9},
    {"10-3-2",                       5},
    {"100/10/5",                     2},
    {"A",                            0},
    // Malformed expressions are worth 1
    {"",                             1},
    {"   ",                          1},
    {"1+",                           1},
    {"-1",                           1},
    {"q",                            1},
    {"2 3",                          1},
    {"(1+2",                         1},
    {"1+2)",                         1},
    {"1 $ 2",                        1},
    {"((((((((((((((((1))))))))))))))))", 1},
    {"(((((((((((((((1)))))))))))))))",   1},
    {"1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1", 20},
    // Division by zero gives 0; arithmetic wraps as 32-bit two's complement
    {"5/0",                          0},
    {"0/0",                          0},
    {"5/(3-3)",                      0},
    {"2147483647+1",                 INT_MIN},
    {"0-2147483647-1",               INT_MIN},
    {"(0-2147483647-1)/(0-1)",       INT_MIN},
    {"(0-2147483647-1)-1",           INT_MAX},
    {"65536*65536",                  0},
    {"65537*65537",                  131073},
    {"4294967296",                   0},
    {"2147483648",                   INT_MIN},
};

INSTANTIATE_TEST_SUITE_P(Values, Expressions, testing::ValuesIn(expressionCases));

int32_t HookValue(char c, FormatData, const OutputFormat*)
{
    return c == 'W' ? 640 : -1;
}

TEST(Expressions, UpperCaseVariablesComeFromTheVariableHook)
{
    OutputFormat format = *HtmlOutputFormat();
    format.VariableHook = HookValue;
    TemplateFixture f;
    f.st.format = &format;
    EXPECT_EQ(EvalExpression("W/2", 3, &f.st), 320);
    EXPECT_EQ(EvalExpression("Z", 1, &f.st), -1);
}

}  // namespace
