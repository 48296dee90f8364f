#include "wiki/LinkTargets.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct ClassCase {
    const char* target;
    bool webAddress;
    bool wikiWord;
};

TEST(LinkTargets, ClassifiesTargets)
{
    const ClassCase cases[] = {
        {"Manual.PDF", false, false},         // extension test ignores case
        {"Report.docx", false, false},        // ".doc" is contained
        {"welcome.company", true, false},     // contains ".com"
        {"HTTP-guide", false, true},          // "http" prefix is case-sensitive
        {"http://example.org/x", true, false},
        {"httpd notes", true, false},         // begins with "http"
        {"www.example", true, false},
        {"WWW.example", false, true},
        {"docs/index.html", true, false},     // ".htm" anywhere
        {"Topic Index", false, true},
        {"archive.zip", false, true},         // other extensions are WikiWords
        {"#section", false, true},
        {"movie.MOV", false, false},
        {"Sheet.XLSX", false, false},
        {"notes.Txt", false, false},
        {"shortcut.lnk", false, false},
        {"", false, true},
    };
    for (const ClassCase& c : cases) {
        const QString target = QString::fromUtf8(c.target);
        EXPECT_EQ(IsWebAddress(target), c.webAddress) << c.target;
        EXPECT_EQ(LinkIsWikiWord(target), c.wikiWord) << c.target;
    }
}

TEST(LinkTargets, UnwrapsLineEndsWithTheirIndentation)
{
    const struct {
        const char* wrapped;
        const char* unwrapped;
    } cases[] = {
        {"My Page\r\n  Name", "My Page Name"},
        {"My\nName", "My Name"},
        {"My\rName", "My Name"},
        {"A\r\n\tB\r\n    C", "A B C"},
        {"Two  spaces\r\n  kept", "Two  spaces kept"},
        {"No wrap here", "No wrap here"},
        {"Trailing\r\n", "Trailing "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnwrapLinkTarget(QString::fromUtf8(c.wrapped)), QString::fromUtf8(c.unwrapped))
            << c.wrapped;
}

}  // namespace
}  // namespace quorvel
