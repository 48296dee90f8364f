// Inputs built to defeat naive scanning: each family repeats one shape until
// the text has exactly the requested size. Every one of them must convert in
// time proportional to its length.
#include <string>
#include <string_view>
#include <vector>

#include "Corpus.h"

namespace {

// Repeats unit (lines ending in CR LF every lineUnits units) after head until
// targetBytes, then cuts the text to exactly that size.
std::string Repeat(std::string_view head, std::string_view unit, size_t lineUnits,
                   size_t targetBytes)
{
    std::string text(head);
    text.reserve(targetBytes + unit.size() + 2);
    for (size_t n = 1; text.size() < targetBytes; ++n) {
        text += unit;
        if (lineUnits > 0 && n % lineUnits == 0)
            text += "\r\n";
    }
    text.resize(targetBytes);
    return text;
}

// One paragraph line without a single space: the line wrapper never finds a
// break, however often it looks.
std::string LongLine(size_t targetBytes)
{
    return Repeat("", "abcdefghijklmnopqrstuvwxyz0123456789", 0, targetBytes);
}

// The same word inside a list item: the line wrapper could only break at
// the item's indentation, which shortens nothing.
std::string LongWordInItem(size_t targetBytes)
{
    return Repeat("* ", "abcdefghijklmnopqrstuvwxyz0123456789", 0, targetBytes);
}

// A heading whose text is one huge run of blanks that is not followed by a
// closing '=' run: each blank may look ahead for one.
std::string HeadingBlanks(size_t targetBytes)
{
    const std::string_view head = "== Heading", tail = " tail";
    std::string text(head);
    text.append(targetBytes - head.size() - tail.size(), ' ');
    text += tail;
    return text;
}

// Thousands of "[[" that never close, in one paragraph without blank lines.
// Each link opens right after a bold toggle that closes again behind it and so
// ends the link; its target stops at the '|', but a search for the "]]" that
// would close it finds none before the end of the text. (Without the '|' the
// target itself would run to the end of the text, and the output, holding one
// such target per "[[", would grow with the square of the input.)
std::string UnclosedLinks(size_t targetBytes)
{
    return Repeat("Links ", "**[[Page|text** a ", 4, targetBytes);
}

// Bold and italic toggles interleaved, so closing one re-opens the other.
std::string AlternatingToggles(size_t targetBytes)
{
    return Repeat("Toggles ", "**//**//**//**// ", 4, targetBytes);
}

// An inline no-wiki opened early and never closed: every later line of the
// paragraph, full of markup, is plain text.
std::string UnclosedNoWiki(size_t targetBytes)
{
    return Repeat("Start {{{ verbatim\r\n",
                  "**not bold** //not italic// [[NoLink]] {{no.png}} ~x <<ext>> |c| & < > text\r\n",
                  0, targetBytes);
}

// A table of 100-byte rows: 10,000 rows per megabyte.
std::string LongTable(size_t targetBytes)
{
    std::string text = "|=Name|=Value|=Link|=Note|\r\n";
    text.reserve(targetBytes + 128);
    for (unsigned row = 0; text.size() < targetBytes; ++row) {
        std::string line = "|Row " + std::to_string(row) + " name|**bold** value|[[Page" +
                           std::to_string(row % 1000) + "]]|//italic// note";
        while (line.size() < 97)
            line += " x";
        line.resize(97);
        text += line + "|\r\n";
    }
    text.resize(targetBytes);
    return text;
}

}  // namespace

const std::vector<PathologicalFamily>& PathologicalFamilies()
{
    static const std::vector<PathologicalFamily> families = {
        {"long line without spaces", LongLine},
        {"heading + run of blanks", HeadingBlanks},
        {"unclosed [[ (many)", UnclosedLinks},
        {"alternating **// toggles", AlternatingToggles},
        {"unclosed {{{ over lines", UnclosedNoWiki},
        {"table, 10,000 rows/MB", LongTable},
        {"long word in a list item", LongWordInItem},
    };
    return families;
}
