// The realistic corpus: one random document model, written block by block as
// Creole and as Markdown, so both texts say the same thing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Corpus.h"

namespace {

// splitmix64: small, fast and the same on every platform.
struct Rng {
    uint64_t state;
    uint64_t next()
    {
        uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    uint32_t below(uint32_t n) { return uint32_t(next() % n); }
    uint32_t between(uint32_t low, uint32_t high) { return low + below(high - low + 1); }
};

constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kWrapWidth = 72;

const char* const kWords[] = {
    "the", "of", "and", "to", "in", "is", "that", "for", "it", "as", "was", "with", "be", "by",
    "on", "not", "this", "are", "or", "from", "at", "which", "but", "have", "an", "they", "more",
    "one", "all", "when", "there", "can", "page", "wiki", "note", "edit", "link", "search",
    "history", "version", "backup", "table", "list", "heading", "paragraph", "markup", "text",
    "window", "button", "change", "keeps", "writes", "reads", "shows", "opens", "daily", "recent",
    "project", "meeting", "agenda", "minutes", "budget", "report", "draft", "review", "release",
    "schedule", "customer", "invoice", "contract", "garden", "recipe", "travel", "journal",
    "library", "reading", "music", "archive", "summary", "question", "answer", "decision",
    "reason", "detail", "example", "simple", "quick", "careful", "useful", "small", "large",
    "every", "never", "always", "before", "after", "during", "while", "because", "although",
    "perhaps", "likely", "probably", "morning", "evening", "weekend", "monday", "friday",
    "database", "folder", "file", "printer", "screen", "keyboard", "colour", "font", "style",
    "bold", "italic", "image", "picture", "photo", "address", "phone", "contact", "friend",
};
constexpr uint32_t kWordCount = sizeof(kWords) / sizeof(kWords[0]);

const char* const kCodeLines[] = {
    "for (int k = 0; k < count; ++k) total += values[k];",
    "if (name.empty() && !force) return false;",
    "SELECT WikiWord, UpdatedByDate FROM WikiPages WHERE wiki_id = ?;",
    "    print(\"<b>\" + title + \"</b>\")",
    "x = a * b + c / 2   # tabs\tand spaces",
    "{ \"key\": \"value\", \"list\": [1, 2, 3] }",
    "git log --oneline | head -20 > recent.txt",
    "    while (node != nullptr) node = node->next;",
    "**not bold** //not italic// [[not a link]]",
    "<html><body>&nbsp;</body></html>",
};
constexpr uint32_t kCodeLineCount = sizeof(kCodeLines) / sizeof(kCodeLines[0]);

std::string Capitalized(std::string word)
{
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
        word[0] = char(word[0] - 'a' + 'A');
    return word;
}

// One inline piece in both languages. breakAfter ends the line after it
// (a forced line break).
struct Token {
    std::string creole;
    std::string markdown;
    bool breakAfter = false;
};

// What a context allows: table cells avoid anything holding '|'.
enum class InlineContext { Prose, Cell };

class Generator {
public:
    explicit Generator(uint64_t seed) : rng_{seed} {}

    void Section()
    {
        Heading();
        const uint32_t blocks = rng_.between(2, 6);
        for (uint32_t b = 0; b < blocks; ++b) {
            const uint32_t r = rng_.below(100);
            if (r < 45)
                Paragraph();
            else if (r < 58)
                List(false);
            else if (r < 67)
                List(true);
            else if (r < 73)
                DefinitionList();
            else if (r < 82)
                Table();
            else if (r < 90)
                Preformatted();
            else if (r < 93)
                Rule();
            else
                Paragraph();
        }
    }

    RealisticCorpus corpus;

private:
    std::string Word() { return kWords[rng_.below(kWordCount)]; }

    std::string Words(uint32_t low, uint32_t high)
    {
        std::string text = Word();
        for (uint32_t n = rng_.between(low, high); n > 1; --n) {
            text += ' ';
            text += Word();
        }
        return text;
    }

    std::string WikiWord() { return Capitalized(Word()) + Capitalized(Word()); }

    Token InlineToken(InlineContext context)
    {
        const uint32_t r = rng_.below(1000);
        if (r < 30) {
            const std::string w = Words(1, 3);
            return {"**" + w + "**", "**" + w + "**"};
        }
        if (r < 60) {
            const std::string w = Words(1, 3);
            return {"//" + w + "//", "*" + w + "*"};
        }
        if (r < 70) {
            const std::string w = Words(1, 2);
            return {"**//" + w + "//**", "***" + w + "***"};
        }
        if (r < 85) {
            const std::string w = Word() + "_" + Word();
            return {"##" + w + "##", "`" + w + "`"};
        }
        if (r < 105) {
            const std::string page = WikiWord();
            return {"[[" + page + "]]", "[" + page + "](" + page + ")"};
        }
        if (context == InlineContext::Prose) {
            if (r < 120) {
                const std::string page = WikiWord(), text = Words(1, 3);
                return {"[[" + page + "|" + text + "]]", "[" + text + "](" + page + ")"};
            }
            if (r < 127) {
                const std::string url = "http://www.example.org/" + Word() + "/" + Word() + ".html";
                const std::string text = Words(1, 3);
                return {"[[" + url + "|" + text + "]]", "[" + text + "](" + url + ")"};
            }
            if (r < 133) {
                const std::string src = Word() + std::to_string(rng_.below(100)) + ".png";
                if (rng_.below(3) == 0)
                    return {"{{" + src + "}}", "![" + src + "](" + src + ")"};
                const std::string alt = Words(1, 3);
                return {"{{" + src + "|" + alt + "}}", "![" + alt + "](" + src + ")"};
            }
        }
        if (r < 138) {
            const std::string w = Word();
            return {"~**" + w + "~**", "\\*\\*" + w + "\\*\\*"};
        }
        if (r < 143) {
            const std::string url = "http://www.example.com/" + Word() + "/index.html";
            return {url, url};
        }
        if (r < 148) {
            const char* symbol = rng_.below(2) ? "<" : "&";
            return {symbol, symbol};
        }
        std::string w = Word();
        if (rng_.below(100) < 8)
            w += rng_.below(2) ? "," : ".";
        if (context == InlineContext::Prose && r < 153)
            return {w + "\\\\", w + "\\", true};
        return {w, w};
    }

    std::vector<Token> InlineRun(uint32_t low, uint32_t high, InlineContext context)
    {
        std::vector<Token> tokens;
        for (uint32_t n = rng_.between(low, high); n > 0; --n)
            tokens.push_back(InlineToken(context));
        tokens.back().breakAfter = false;  // a break at the end of a block means nothing
        if (tokens.back().creole.ends_with("\\\\")) {
            tokens.back().creole.resize(tokens.back().creole.size() - 2);
            tokens.back().markdown.resize(tokens.back().markdown.size() - 1);
        }
        return tokens;
    }

    // A Creole line that starts with one of these would open a list, a
    // heading, a table or a definition instead of continuing the text.
    static bool UnsafeCreoleLineStart(const std::string& token)
    {
        return token.empty() || std::string_view("*#=|;:<").find(token[0]) != std::string_view::npos;
    }

    // Writes tokens wrapped at kWrapWidth; continuation lines start with
    // contPrefix. Creole never breaks before a token that would read as block
    // markup at a line start.
    static void EmitWrapped(std::string& out, const std::vector<Token>& tokens, bool creole,
                            std::string_view firstPrefix, std::string_view contPrefix)
    {
        std::string line(firstPrefix);
        size_t prefixLength = firstPrefix.size();
        for (const Token& token : tokens) {
            const std::string& text = creole ? token.creole : token.markdown;
            const bool lineHasText = line.size() > prefixLength;
            if (lineHasText && line.size() + 1 + text.size() > kWrapWidth &&
                !(creole && UnsafeCreoleLineStart(text))) {
                out += line;
                out += kLineEnd;
                line = contPrefix;
                prefixLength = contPrefix.size();
            } else if (lineHasText) {
                line += ' ';
            }
            line += text;
            if (token.breakAfter) {
                out += line;
                out += kLineEnd;
                line = contPrefix;
                prefixLength = contPrefix.size();
            }
        }
        if (line.size() > prefixLength) {
            out += line;
            out += kLineEnd;
        }
    }

    void EndBlock()
    {
        corpus.creole += kLineEnd;
        corpus.markdown += kLineEnd;
    }

    void Heading()
    {
        const uint32_t r = rng_.below(100);
        const int level = r < 10 ? 1 : r < 65 ? 2 : 3;
        std::string title = Capitalized(Word());
        for (uint32_t n = rng_.between(1, 5); n > 0; --n) {
            title += ' ';
            title += Word();
        }
        const std::string marks(size_t(level), '=');
        corpus.creole += marks + " " + title + " " + marks;
        corpus.creole += kLineEnd;
        corpus.markdown += std::string(size_t(level), '#') + " " + title;
        corpus.markdown += kLineEnd;
        EndBlock();
    }

    void Paragraph()
    {
        const std::vector<Token> tokens = InlineRun(25, 110, InlineContext::Prose);
        EmitWrapped(corpus.creole, tokens, true, "", "");
        EmitWrapped(corpus.markdown, tokens, false, "", "");
        EndBlock();
    }

    void List(bool numbered)
    {
        int depth = 1;
        for (uint32_t n = rng_.between(3, 12); n > 0; --n) {
            const std::vector<Token> tokens = InlineRun(3, 28, InlineContext::Prose);
            const std::string creoleMarker(size_t(depth), numbered ? '#' : '*');
            const std::string mdIndent(size_t(depth - 1) * (numbered ? 3 : 2), ' ');
            const std::string mdMarker = mdIndent + (numbered ? "1. " : "- ");
            EmitWrapped(corpus.creole, tokens, true, creoleMarker + " ", "  ");
            EmitWrapped(corpus.markdown, tokens, false, mdMarker,
                        std::string(mdMarker.size(), ' '));
            depth = int(rng_.between(1, uint32_t(depth < 3 ? depth + 1 : 3)));
        }
        EndBlock();
    }

    // Markdown has no definition lists: each entry becomes a paragraph with
    // the term in bold and a forced break before the definition.
    void DefinitionList()
    {
        for (uint32_t n = rng_.between(2, 5); n > 0; --n) {
            const std::string term = Capitalized(Words(1, 3));
            const std::vector<Token> definition = InlineRun(5, 30, InlineContext::Prose);
            corpus.creole += "; " + term;
            corpus.creole += kLineEnd;
            EmitWrapped(corpus.creole, definition, true, ": ", "  ");
            corpus.markdown += "**" + term + "**\\";
            corpus.markdown += kLineEnd;
            EmitWrapped(corpus.markdown, definition, false, "", "");
            corpus.markdown += kLineEnd;
        }
        corpus.creole += kLineEnd;
    }

    void Table()
    {
        const uint32_t columns = rng_.between(3, 5);
        std::string creole, markdown = "|", separator = "|";
        for (uint32_t c = 0; c < columns; ++c) {
            const std::string title = Capitalized(Words(1, 2));
            creole += "|=" + title;
            markdown += " " + title + " |";
            separator += " --- |";
        }
        corpus.creole += creole + "|";
        corpus.creole += kLineEnd;
        corpus.markdown += markdown;
        corpus.markdown += kLineEnd;
        corpus.markdown += separator;
        corpus.markdown += kLineEnd;
        for (uint32_t row = rng_.between(3, 12); row > 0; --row) {
            creole.clear();
            markdown = "|";
            for (uint32_t c = 0; c < columns; ++c) {
                std::string creoleCell, markdownCell;
                for (const Token& token : InlineRun(1, 5, InlineContext::Cell)) {
                    creoleCell += (creoleCell.empty() ? "" : " ") + token.creole;
                    markdownCell += (markdownCell.empty() ? "" : " ") + token.markdown;
                }
                creole += "|" + creoleCell;
                markdown += " " + markdownCell + " |";
            }
            corpus.creole += creole + "|";
            corpus.creole += kLineEnd;
            corpus.markdown += markdown;
            corpus.markdown += kLineEnd;
        }
        EndBlock();
    }

    void Preformatted()
    {
        corpus.creole += "{{{";
        corpus.creole += kLineEnd;
        corpus.markdown += "```";
        corpus.markdown += kLineEnd;
        for (uint32_t n = rng_.between(3, 12); n > 0; --n) {
            const char* line = kCodeLines[rng_.below(kCodeLineCount)];
            for (std::string* out : {&corpus.creole, &corpus.markdown}) {
                *out += line;
                *out += kLineEnd;
            }
        }
        corpus.creole += "}}}";
        corpus.creole += kLineEnd;
        corpus.markdown += "```";
        corpus.markdown += kLineEnd;
        EndBlock();
    }

    void Rule()
    {
        corpus.creole += "----";
        corpus.creole += kLineEnd;
        corpus.markdown += "---";
        corpus.markdown += kLineEnd;
        EndBlock();
    }

    Rng rng_;
};

}  // namespace

RealisticCorpus GenerateRealisticCorpus(size_t targetBytes, uint64_t seed)
{
    Generator generator(seed);
    generator.corpus.creole.reserve(targetBytes + 4096);
    generator.corpus.markdown.reserve(targetBytes + 4096);
    while (generator.corpus.creole.size() < targetBytes)
        generator.Section();
    return std::move(generator.corpus);
}
