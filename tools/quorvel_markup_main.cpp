// quorvel-markup: converts Creole markup from a file or standard input with
// one of the engine's output formats and writes the engine's output as it is.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "markup/FormatTable.h"
#include "markup/GrowingConvert.h"

namespace {

const char Usage[] =
    "usage: quorvel-markup [--format NAME] [--options N] [--font-size N] [--crlf] [-o FILE] [FILE]\n"
    "       quorvel-markup --list-formats\n"
    "       quorvel-markup --help\n"
    "Converts Creole markup read from FILE (or standard input) and writes the result\n"
    "to standard output (or FILE given with -o).\n"
    "  --format NAME    output format (default html; see --list-formats)\n"
    "  --options N      markup option bits, decimal or 0x-hexadecimal (default 0)\n"
    "  --font-size N    font size; 0 or less uses the format's own (default 0)\n"
    "  --crlf           end lines with CR LF instead of LF\n"
    "  -o FILE          write to FILE instead of standard output\n"
    "  --list-formats   list the output formats and exit\n"
    "  --help           show this help and exit\n";

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "quorvel-markup: %s\n%s", message.c_str(), Usage);
    return 2;
}

// Parses a whole decimal or 0x-hexadecimal number into [min, max].
bool ParseNumber(const char* text, long long min, long long max, long long* value)
{
    if (!text || !*text)
        return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    if (!*digits || *digits == '+' || (hex && *digits == '-'))
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(digits, &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || parsed < min || parsed > max)
        return false;
    *value = parsed;
    return true;
}

bool ReadAll(std::FILE* file, std::string* data)
{
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data->append(chunk, got);
    return !std::ferror(file);
}

int FileError(const char* name)
{
    std::fprintf(stderr, "quorvel-markup: %s: %s\n", name, std::strerror(errno));
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* formatName = "html";
    long long options = 0;
    long long fontSize = 0;
    const char* lineEnd = "\n";
    const char* outputName = nullptr;
    const char* inputName = nullptr;

    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        const bool hasValue = k + 1 < argc;
        if (arg == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (arg == "--list-formats") {
            for (size_t f = 0; f < MarkupFormatCount; ++f)
                std::printf("%s\n", MarkupFormatTable[f].name);
            return 0;
        }
        if (arg == "--crlf") {
            lineEnd = "\r\n";
        } else if (arg == "--format" || arg == "--options" || arg == "--font-size" || arg == "-o") {
            if (!hasValue)
                return UsageError("option " + arg + " needs a value");
            const char* value = argv[++k];
            if (arg == "--format") {
                formatName = value;
            } else if (arg == "--options") {
                if (!ParseNumber(value, 0, UINT32_MAX, &options))
                    return UsageError(std::string("invalid --options value: ") + value);
            } else if (arg == "--font-size") {
                if (!ParseNumber(value, INT32_MIN, INT32_MAX, &fontSize))
                    return UsageError(std::string("invalid --font-size value: ") + value);
            } else {
                outputName = value;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option: " + arg);
        } else if (inputName) {
            return UsageError("more than one input file: " + arg);
        } else {
            inputName = argv[k];
        }
    }

    const OutputFormat* format = FindOutputFormat(formatName);
    if (!format)
        return UsageError(std::string("unknown format: ") + formatName);

    std::string input;
    if (inputName) {
        std::FILE* file = std::fopen(inputName, "rb");
        if (!file)
            return FileError(inputName);
        const bool ok = ReadAll(file, &input);
        const int savedErrno = errno;
        std::fclose(file);
        errno = savedErrno;
        if (!ok)
            return FileError(inputName);
    } else if (!ReadAll(stdin, &input)) {
        return FileError("standard input");
    }

    const GrowingConversion conversion = GrowingConvert(
        input, uint32_t(options), lineEnd, format, int32_t(fontSize));
    if (conversion.result != MarkupOk) {
        std::fprintf(stderr, "quorvel-markup: conversion failed with result %d\n",
                     int(conversion.result));
        return 1;
    }

    const std::string_view text = conversion.text();
    std::FILE* out = stdout;
    if (outputName) {
        out = std::fopen(outputName, "wb");
        if (!out)
            return FileError(outputName);
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const int writeErrno = errno;
    const bool closed = outputName ? std::fclose(out) == 0 : std::fflush(out) == 0;
    if (!written || !closed) {
        if (!written)
            errno = writeErrno;
        return FileError(outputName ? outputName : "standard output");
    }
    return 0;
}
