// quorvel-markup, run as a separate process on files in a temporary folder.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "markup/FormatTable.h"
#include "markup/GrowingConvert.h"

namespace {

namespace fs = std::filesystem;

struct ProcessRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream data;
    data << file.rdbuf();
    return data.str();
}

void WriteFile(const fs::path& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class Converter : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("quorvel-converter-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the converter with args, feeding stdin from a file.
    ProcessRun Convert(const std::vector<std::string>& args, const std::string& stdinData = "")
    {
        WriteFile(dir / "stdin", stdinData);
        std::string command = Quote(QUORVEL_MARKUP_BINARY);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " < " + Quote((dir / "stdin").string()) + " > " + Quote((dir / "stdout").string()) +
                   " 2> " + Quote((dir / "stderr").string());
        const int status = std::system(command.c_str());
        ProcessRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFile(dir / "stdout");
        run.err = ReadFile(dir / "stderr");
        return run;
    }

    fs::path dir;
};

std::string Engine(const std::string& input, uint32_t options, const char* lineEnd,
                   const OutputFormat* format, int32_t fontSize)
{
    const GrowingConversion c = GrowingConvert(input, options, lineEnd, format, fontSize);
    EXPECT_EQ(c.result, MarkupOk);
    return std::string(c.text());
}

const char samplePage[] =
    "= Title\r\n* a **b**\r\n# c\r\n|x|y|\r\n{{{\r\npre\r\n}}}\r\n[[Link|text]] {{i.png}}\r\n";

TEST_F(Converter, ReadsStandardInputAndWritesUntrimmedHtml)
{
    const ProcessRun run = Convert({}, "Hello world");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "<html>\n<body>\n<p>Hello world</p>\n</body>\n</html>\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(Converter, ReadsAFileAndWritesAFile)
{
    WriteFile(dir / "page.txt", samplePage);
    const ProcessRun run = Convert({"-o", (dir / "page.html").string(), (dir / "page.txt").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(dir / "page.html"), Engine(samplePage, 0, "\n", HtmlOutputFormat(), 0));
}

TEST_F(Converter, PassesOptionsFontSizeLineEndAndFormat)
{
    struct Case {
        std::vector<std::string> args;
        uint32_t options;
        const char* lineEnd;
        const char* format;
        int32_t fontSize;
    };
    const Case cases[] = {
        {{"--crlf"}, 0, "\r\n", "html", 0},
        {{"--options", "0x1"}, OptNoFrame, "\n", "html", 0},
        {{"--options", "1"}, OptNoFrame, "\n", "html", 0},
        {{"--options", "0X200018"}, 0x200018, "\n", "html", 0},
        {{"--options", "24", "--font-size", "12"}, 24, "\n", "html", 12},
        {{"--font-size", "-3"}, 0, "\n", "html", -3},
        {{"--format", "text", "--crlf"}, 0, "\r\n", "text", 0},
        {{"--format", "html", "--format", "text"}, 0, "\n", "text", 0},
    };
    for (const Case& c : cases) {
        const ProcessRun run = Convert(c.args, samplePage);
        EXPECT_EQ(run.exitCode, 0) << c.args[0];
        EXPECT_EQ(run.out, Engine(samplePage, c.options, c.lineEnd, FindOutputFormat(c.format),
                                  c.fontSize))
            << testing::PrintToString(c.args);
    }
}

TEST_F(Converter, ListsEveryFormatItKnows)
{
    const ProcessRun run = Convert({"--list-formats"});
    EXPECT_EQ(run.exitCode, 0);
    std::string expected;
    for (size_t k = 0; k < MarkupFormatCount; ++k)
        expected += std::string(MarkupFormatTable[k].name) + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.out.find("html\n"), std::string::npos);
    EXPECT_NE(run.out.find("text\n"), std::string::npos);
    for (size_t k = 0; k < MarkupFormatCount; ++k) {
        const ProcessRun each = Convert({"--format", MarkupFormatTable[k].name}, samplePage);
        EXPECT_EQ(each.exitCode, 0) << MarkupFormatTable[k].name;
    }
}

TEST_F(Converter, HelpGoesToStandardOutput)
{
    const ProcessRun run = Convert({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: quorvel-markup [--format NAME] [--options N] [--font-size N] "
                            "[--crlf] [-o FILE] [FILE]\n", 0),
              0u);
    EXPECT_EQ(run.err, "");
}

TEST_F(Converter, UsageErrorsExitWithTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--format", "nope"}, "quorvel-markup: unknown format: nope\n"},
        {{"--format"}, "quorvel-markup: option --format needs a value\n"},
        {{"--options", "12x"}, "quorvel-markup: invalid --options value: 12x\n"},
        {{"--options", "-1"}, "quorvel-markup: invalid --options value: -1\n"},
        {{"--options", "0x100000000"}, "quorvel-markup: invalid --options value: 0x100000000\n"},
        {{"--font-size", "big"}, "quorvel-markup: invalid --font-size value: big\n"},
        {{"--font-size", "99999999999"}, "quorvel-markup: invalid --font-size value: 99999999999\n"},
        {{"--bogus"}, "quorvel-markup: unknown option: --bogus\n"},
        {{"a.txt", "b.txt"}, "quorvel-markup: more than one input file: b.txt\n"},
    };
    for (const Case& c : cases) {
        const ProcessRun run = Convert(c.args, "x");
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(std::string(c.message) + "usage: quorvel-markup", 0), 0u) << run.err;
    }
}

TEST_F(Converter, FileErrorsExitWithOneNamingTheFile)
{
    const std::string missing = (dir / "missing.txt").string();
    const ProcessRun unreadable = Convert({missing});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.err, "quorvel-markup: " + missing + ": No such file or directory\n");

    const std::string folder = dir.string();
    const ProcessRun isFolder = Convert({folder});
    EXPECT_EQ(isFolder.exitCode, 1);
    EXPECT_EQ(isFolder.err, "quorvel-markup: " + folder + ": Is a directory\n");

    const std::string unwritable = (dir / "no" / "such" / "out.html").string();
    const ProcessRun cannotWrite = Convert({"-o", unwritable}, "x");
    EXPECT_EQ(cannotWrite.exitCode, 1);
    EXPECT_EQ(cannotWrite.err, "quorvel-markup: " + unwritable + ": No such file or directory\n");
}

TEST_F(Converter, ConvertsBinaryInputByteForByte)
{
    std::string input;
    for (int k = 0; k < 256; ++k)
        input += char(k);
    input += "\r\n**b** \xC3\xA9";
    const ProcessRun run = Convert({"--options", "0x1"}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Engine(input, OptNoFrame, "\n", HtmlOutputFormat(), 0));
}

}  // namespace
