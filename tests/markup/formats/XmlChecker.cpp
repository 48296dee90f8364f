#include "XmlChecker.h"

#include <cstdint>
#include <set>
#include <vector>

namespace format_test {

namespace {

class Checker {
public:
    explicit Checker(std::string_view text) : text_(text) {}

    std::string Run()
    {
        if (!Characters())
            return fault_;
        if (text_.substr(0, 5) == "<?xml") {
            const size_t end = text_.find("?>");
            if (end == std::string_view::npos)
                return Fail("unterminated declaration");
            at_ = end + 2;
        }
        SkipSpace();
        if (!Element())
            return fault_;
        SkipSpace();
        if (at_ != text_.size())
            return Fail("content after the root element");
        return {};
    }

private:
    std::string Fail(const std::string& what)
    {
        if (fault_.empty())
            fault_ = what + " at byte " + std::to_string(at_);
        return fault_;
    }

    // Records the fault at the current byte (or at the given one) and
    // returns false, for the checks below.
    bool Failed(const std::string& what)
    {
        Fail(what);
        return false;
    }
    bool FailedAt(size_t at, const std::string& what)
    {
        at_ = at;
        return Failed(what);
    }

    // Every byte sequence must be UTF-8 of an XML character: tab, LF, CR,
    // U+0020-U+D7FF, U+E000-U+FFFD, U+10000-U+10FFFF.
    bool Characters()
    {
        for (size_t k = 0; k < text_.size();) {
            const uint8_t lead = uint8_t(text_[k]);
            uint32_t value;
            size_t size;
            if (lead < 0x80)
                value = lead, size = 1;
            else if (lead >= 0xC2 && lead <= 0xDF)
                value = lead & 0x1F, size = 2;
            else if (lead >= 0xE0 && lead <= 0xEF)
                value = lead & 0x0F, size = 3;
            else if (lead >= 0xF0 && lead <= 0xF4)
                value = lead & 0x07, size = 4;
            else
                return FailedAt(k, "bad UTF-8 lead byte");
            if (k + size > text_.size())
                return FailedAt(k, "truncated UTF-8");
            for (size_t j = 1; j < size; ++j) {
                const uint8_t b = uint8_t(text_[k + j]);
                if ((b & 0xC0) != 0x80)
                    return FailedAt(k, "bad UTF-8 continuation");
                value = (value << 6) | (b & 0x3F);
            }
            const uint32_t minimum = size == 1 ? 0 : size == 2 ? 0x80 : size == 3 ? 0x800 : 0x10000;
            const bool allowed = value == 0x9 || value == 0xA || value == 0xD ||
                                 (value >= 0x20 && value <= 0xD7FF) ||
                                 (value >= 0xE000 && value <= 0xFFFD) ||
                                 (value >= 0x10000 && value <= 0x10FFFF);
            if (value < minimum || !allowed)
                return FailedAt(k, "character not allowed in XML");
            k += size;
        }
        return true;
    }

    bool More() const { return at_ < text_.size(); }
    char Peek() const { return More() ? text_[at_] : '\0'; }

    void SkipSpace()
    {
        while (More() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++at_;
    }

    static bool NameStart(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    }
    static bool NameChar(char c)
    {
        return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }

    bool Name(std::string* name)
    {
        if (!NameStart(Peek()))
            return Failed("name expected");
        const size_t start = at_;
        while (More() && NameChar(Peek()))
            ++at_;
        *name = std::string(text_.substr(start, at_ - start));
        return true;
    }

    // '&' has been seen: a predefined entity or a character reference.
    bool Reference()
    {
        const size_t end = text_.find(';', at_);
        if (end == std::string_view::npos || end - at_ > 10)
            return Failed("unterminated reference");
        const std::string_view ref = text_.substr(at_ + 1, end - at_ - 1);
        static const std::set<std::string_view> predefined = {"lt", "gt", "amp", "quot", "apos"};
        bool ok = predefined.count(ref) > 0;
        if (!ok && ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            uint32_t value = 0;
            ok = !digits.empty();
            for (char c : digits) {
                int d = c >= '0' && c <= '9' ? c - '0'
                        : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : -1;
                if (d < 0) {
                    ok = false;
                    break;
                }
                value = value * (hex ? 16 : 10) + uint32_t(d);
            }
            ok = ok && (value == 0x9 || value == 0xA || value == 0xD ||
                        (value >= 0x20 && value <= 0xD7FF) ||
                        (value >= 0xE000 && value <= 0xFFFD) ||
                        (value >= 0x10000 && value <= 0x10FFFF));
        }
        if (!ok)
            return Failed("bad reference");
        at_ = end + 1;
        return true;
    }

    bool AttributeValue()
    {
        const char quote = Peek();
        if (quote != '"' && quote != '\'')
            return Failed("quoted attribute value expected");
        ++at_;
        while (More() && Peek() != quote) {
            if (Peek() == '<')
                return Failed("'<' in an attribute value");
            if (Peek() == '&') {
                if (!Reference())
                    return false;
                continue;
            }
            ++at_;
        }
        if (!More())
            return Failed("unterminated attribute value");
        ++at_;
        return true;
    }

    bool Element()
    {
        struct Open {
            std::string name;
        };
        std::vector<Open> stack;
        do {
            // Character data up to the next tag.
            while (More() && Peek() != '<') {
                if (stack.empty())
                    return Failed("text outside the root element");
                if (Peek() == '&') {
                    if (!Reference())
                        return false;
                    continue;
                }
                if (Peek() == '>' && at_ >= 2 && text_.substr(at_ - 2, 3) == "]]>")
                    return Failed("']]>' in text");
                ++at_;
            }
            if (!More())
                return Failed("unclosed element " + (stack.empty() ? "" : stack.back().name));
            ++at_;  // '<'
            if (Peek() == '/') {
                ++at_;
                std::string name;
                if (!Name(&name))
                    return false;
                SkipSpace();
                if (Peek() != '>')
                    return Failed("'>' expected");
                ++at_;
                if (stack.empty() || stack.back().name != name)
                    return Failed("end tag " + name + " does not match");
                stack.pop_back();
                continue;
            }
            std::string name;
            if (!Name(&name))
                return false;
            std::set<std::string> attributes;
            for (;;) {
                const size_t before = at_;
                SkipSpace();
                if (Peek() == '>' || Peek() == '/')
                    break;
                if (at_ == before)
                    return Failed("space expected before an attribute");
                std::string attribute;
                if (!Name(&attribute))
                    return false;
                if (!attributes.insert(attribute).second)
                    return Failed("attribute " + attribute + " repeated");
                SkipSpace();
                if (Peek() != '=')
                    return Failed("'=' expected");
                ++at_;
                SkipSpace();
                if (!AttributeValue())
                    return false;
            }
            if (Peek() == '/') {
                ++at_;
                if (Peek() != '>')
                    return Failed("'>' expected");
                ++at_;
                if (stack.empty())
                    return true;
                continue;
            }
            ++at_;  // '>'
            stack.push_back({name});
        } while (!stack.empty());
        return true;
    }

    std::string_view text_;
    size_t at_ = 0;
    std::string fault_;
};

}  // namespace

std::string XmlFault(std::string_view document)
{
    return Checker(document).Run();
}

}  // namespace format_test
