// NextToken: splits the input into block and inline tokens. What a byte
// means depends on the BlockState, the BlockStack and the InlineStack.
#include "EngineInternal.h"

namespace engine {

namespace {

bool IsAddressChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '+' || c == '-' || c == '.';
}

bool Has(const RenderState* st, uint32_t option)
{
    return (st->options & option) != 0;
}

bool At(const RenderState* st, int32_t index, char c)
{
    return index < st->inputLength && st->input[index] == c;
}

void SetToken(RenderState* st, TokenKind kind, int32_t end)
{
    st->token = kind;
    st->position = end;
}

void SetText(RenderState* st, int32_t start, int32_t end)
{
    st->token = TokenKind::TokText;
    st->textStart = start;
    st->position = end;
}

LevelKind OutermostKind(const RenderState* st)
{
    return st->blockStack[0].kind;
}

LevelKind TopKind(const RenderState* st)
{
    return st->blockStack[st->depth - 1].kind;
}

bool IsTermOrDefinition(LevelKind kind)
{
    return kind == LevelKind::TermLevel || kind == LevelKind::DefinitionLevel;
}

bool IsCell(LevelKind kind)
{
    return kind == LevelKind::DataCellLevel || kind == LevelKind::HeaderCellLevel;
}

// A list-marker run starting at p (see the block rules): each marker
// standing for an open level must match that level's kind.
void MarkerRun(RenderState* st, int32_t p)
{
    const char* in = st->input;
    int32_t count = 0;
    char last = 0;
    while (p < st->inputLength) {
        const char b = in[p];
        if (!(b == '*' || b == '#' || b == ';' || (b == ':' && count < st->depth)))
            break;
        if (count < st->depth) {
            const LevelKind kind = st->blockStack[count].kind;
            const bool matches = (b == '*' && kind == LevelKind::BulletLevel) ||
                                 (b == '#' && kind == LevelKind::NumberLevel) ||
                                 ((b == ';' || b == ':') && IsTermOrDefinition(kind));
            if (!matches)
                break;
        }
        ++count;
        last = b;
        ++p;
    }
    st->markerCount = count < MaxBlockDepth ? count : MaxBlockDepth;
    SetToken(st, last == ':' ? TokenKind::TokDefine : TokenKind::TokMarkers, p);
}

// "<<" or "<<<" at p with at least one byte after the two '<'.
bool ExtensionToken(RenderState* st, int32_t p, bool mayBeBlock)
{
    if (Has(st, OptNoExtensions) || !At(st, p + 1, '<') || p + 2 >= st->inputLength)
        return false;
    const bool raw = st->input[p + 2] == '<';
    const int32_t end = p + (raw ? 3 : 2);
    const bool block = mayBeBlock && OnlyBlanksToLineEnd(st, end);
    if (raw)
        SetToken(st, block ? TokenKind::TokExtRawBlock : TokenKind::TokExtRaw, end);
    else
        SetToken(st, block ? TokenKind::TokExtBlock : TokenKind::TokExt, end);
    return true;
}

// "}}}" at p that closes a no-wiki: in a longer run of '}' only the last
// three close.
bool ClosesNoWiki(const RenderState* st, int32_t p)
{
    return At(st, p + 1, '}') && At(st, p + 2, '}') && !At(st, p + 3, '}');
}

// Block markup at a line start. Returns false when there is none.
bool LineStartToken(RenderState* st, int32_t p)
{
    const char* in = st->input;
    const int32_t n = st->inputLength;
    const char c = in[p];

    if (c == '{' && At(st, p + 1, '{') && At(st, p + 2, '{') && OnlyBlanksToLineEnd(st, p + 3)) {
        SetToken(st, TokenKind::TokPre, p + 3);
        return true;
    }
    if (NoWikiOnTop(st))
        return false;

    switch (c) {
    case '=': {
        int32_t end = p;
        while (end < n && in[end] == '=')
            ++end;
        int32_t level = end - p;
        if (level == 1 && Has(st, OptNoLevel1Headings))
            level = 2;
        const int32_t maxLevel = st->format->MaxHeadingLevel;
        if (maxLevel >= 1 && level > maxLevel)
            level = maxLevel;
        st->headingLevel = level;
        SetToken(st, TokenKind::TokHeading, end);
        return true;
    }
    case '-': {
        if (Has(st, OptNoRules))
            return false;
        int32_t end = p;
        while (end < n && in[end] == '-')
            ++end;
        if (end - p < 4)
            return false;
        SetToken(st, TokenKind::TokRule, end);
        return true;
    }
    case '|': {
        if (Has(st, OptNoTables))
            return false;
        const bool header = At(st, p + 1, '=');
        st->position = p + (header ? 2 : 1);
        SkipBlanks(st);
        st->token = header ? TokenKind::TokHeaderCell : TokenKind::TokCell;
        return true;
    }
    case '<':
        return ExtensionToken(st, p, true);
    case ';':
        if (Has(st, OptNoDefinitionLists) ||
            (st->depth > 0 && !IsTermOrDefinition(OutermostKind(st))))
            return false;
        MarkerRun(st, p);
        return true;
    case ':': {
        if (st->depth > 0 && IsTermOrDefinition(OutermostKind(st))) {
            MarkerRun(st, p);
            return true;
        }
        if ((st->depth > 0 && OutermostKind(st) != LevelKind::IndentLevel) || Has(st, OptNoIndent))
            return false;
        int32_t end = p;
        while (end < n && in[end] == ':')
            ++end;
        st->markerCount = end - p < MaxBlockDepth ? end - p : MaxBlockDepth;
        SetToken(st, TokenKind::TokMarkers, end);
        return true;
    }
    case '*':
    case '#': {
        const bool star = c == '*';
        const LevelKind own = star ? LevelKind::BulletLevel : LevelKind::NumberLevel;
        const uint32_t styleOff = star ? OptNoBold : OptNoMonospace;
        const bool doubled = At(st, p + 1, c);
        if (st->depth >= 1 && OutermostKind(st) != own)
            return false;  // a style (doubled) or text
        if (st->depth >= 2 && doubled && !Has(st, styleOff) && st->blockStack[1].kind != own)
            return false;
        if (!doubled || (st->depth >= 1 && p + 2 < n)) {
            MarkerRun(st, p);
            return true;
        }
        if (Has(st, styleOff)) {
            MarkerRun(st, p);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

// Inline markup at p. Returns false when there is none.
bool InlineToken(RenderState* st, int32_t p)
{
    const char* in = st->input;
    const int32_t n = st->inputLength;
    const char c = in[p];

    if (NoWikiOnTop(st)) {
        if (c == '}' && ClosesNoWiki(st, p)) {
            st->styleKind = InlineKind::NoWiki;
            SetToken(st, TokenKind::TokStyle, p + 3);
            return true;
        }
        return false;
    }

    auto style = [&](InlineKind kind, uint32_t off) {
        if (!At(st, p + 1, c) || Has(st, off))
            return false;
        st->styleKind = kind;
        SetToken(st, TokenKind::TokStyle, p + 2);
        return true;
    };

    switch (c) {
    case '*':
        return style(InlineKind::Bold, OptNoBold);
    case '/':
        if (!At(st, p + 1, '/') || Has(st, OptNoItalic))
            return false;
        // The "//" after an address scheme ("s1://a") stays text.
        if (p >= 2 && in[p - 1] == ':' && IsAddressChar(in[p - 2]) && p + 2 < n &&
            !IsBlank(in[p + 2]) && !IsLineEndChar(in[p + 2])) {
            SetText(st, p, p + 2);
            return true;
        }
        return style(InlineKind::Italic, OptNoItalic);
    case '_':
        return style(InlineKind::Underline, OptNoUnderline);
    case '^':
        return style(InlineKind::Superscript, OptNoSuperSub);
    case ',':
        return style(InlineKind::Subscript, OptNoSuperSub);
    case '#':
        return style(InlineKind::Monospace, OptNoMonospace);
    case '{':
        if (At(st, p + 1, '{') && At(st, p + 2, '{')) {
            st->styleKind = InlineKind::NoWiki;
            SetToken(st, TokenKind::TokStyle, p + 3);
            return true;
        }
        if (At(st, p + 1, '{') && !Has(st, OptNoImages) && !InlineOpen(st, InlineKind::Image)) {
            SetToken(st, TokenKind::TokImageOpen, p + 2);
            return true;
        }
        return false;
    case '}':
        if (At(st, p + 1, '}') && !Has(st, OptNoImages) && InlineOpen(st, InlineKind::Image)) {
            SetToken(st, TokenKind::TokImageClose, p + 2);
            return true;
        }
        return false;
    case '~':
        if (Has(st, OptNoEscape) || p + 1 >= n || IsBlank(in[p + 1]) || IsLineEndChar(in[p + 1]))
            return false;
        SetText(st, p + 1, p + 2);
        return true;
    case '\\':
        if (!At(st, p + 1, '\\'))
            return false;
        st->position = p + 2;
        SkipBlanks(st);
        st->token = TokenKind::TokBreak;
        return true;
    case '[':
        if (!At(st, p + 1, '[') || Has(st, OptNoLinks))
            return false;
        SetToken(st, TokenKind::TokLinkOpen, p + 2);
        return true;
    case ']':
        if (!At(st, p + 1, ']') || Has(st, OptNoLinks) || !InlineOpen(st, InlineKind::Link))
            return false;
        SetToken(st, TokenKind::TokLinkClose, p + 2);
        return true;
    case '<':
        return ExtensionToken(st, p, false);
    default:
        return false;
    }
}

// In a heading: is there a closing '=' run at p, or after the blanks at p?
// Failed look-aheads are remembered so that a long run of blanks or '='
// is read only once.
bool HeadingCloses(RenderState* st, int32_t p)
{
    if (p < st->headingPlainEnd)
        return false;
    const char* in = st->input;
    const int32_t n = st->inputLength;
    int32_t q = p;
    while (q < n && IsBlank(in[q]))
        ++q;
    if (q >= n || in[q] != '=') {
        st->headingPlainEnd = q;
        return false;
    }
    int32_t runEnd = q;
    while (runEnd < n && in[runEnd] == '=')
        ++runEnd;
    if (OnlyBlanksToLineEnd(st, runEnd)) {
        st->position = runEnd;
        return true;
    }
    st->headingPlainEnd = runEnd;
    return false;
}

void PreToken(RenderState* st, int32_t p)
{
    const char c = st->input[p];
    if (c == ' ')
        SetToken(st, TokenKind::TokSpace, p + 1);
    else if (c == '\t')
        SetToken(st, TokenKind::TokTab, p + 1);
    else if (c == '\r')
        SetToken(st, TokenKind::TokLineEnd, At(st, p + 1, '\n') ? p + 2 : p + 1);
    else if (c == '\n')
        SetToken(st, TokenKind::TokLineEnd, p + 1);
    else
        SetText(st, p, p + 1);
}

}  // namespace

void SkipBlanks(RenderState* st)
{
    while (st->position < st->inputLength && IsBlank(st->input[st->position]))
        ++st->position;
}

bool OnlyBlanksToLineEnd(const RenderState* st, int32_t index)
{
    while (index < st->inputLength && IsBlank(st->input[index]))
        ++index;
    return index >= st->inputLength || IsLineEndChar(st->input[index]);
}

void NextToken(RenderState* st)
{
    const int32_t p = st->position;
    if (p >= st->inputLength) {
        st->token = TokenKind::TokEndOfText;
        return;
    }
    const char* in = st->input;
    const char c = in[p];

    switch (st->state) {
    case BlockState::PreLineStart:
        if (c == '}' && ClosesNoWiki(st, p)) {
            SetToken(st, TokenKind::TokPre, p + 3);
            return;
        }
        PreToken(st, p);
        return;
    case BlockState::InPre:
        PreToken(st, p);
        return;
    case BlockState::InHeading:
        if ((c == '=' || IsBlank(c)) && HeadingCloses(st, p)) {
            st->token = TokenKind::TokHeading;
            return;
        }
        break;
    default:
        break;
    }

    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        PreToken(st, p);
        return;
    }

    switch (st->state) {
    case BlockState::BlockStart:
    case BlockState::LineStart:
        if (LineStartToken(st, p))
            return;
        break;
    case BlockState::InText:
        if (c == ':' && st->depth > 0 && TopKind(st) == LevelKind::TermLevel && !NoWikiOnTop(st)) {
            st->position = p + 1;
            SkipBlanks(st);
            st->token = TokenKind::TokDefine;
            return;
        }
        if (c == '|' && st->depth > 0 && IsCell(TopKind(st))) {
            const bool header = At(st, p + 1, '=');
            st->position = p + (header ? 2 : 1);
            SkipBlanks(st);
            const int32_t q = st->position;
            if (q >= st->inputLength) {
                st->token = TokenKind::TokEndOfText;
            } else if (IsLineEndChar(in[q])) {
                // The last '|' of a row takes its line end with it.
                SetToken(st, TokenKind::TokLineEnd, in[q] == '\r' && At(st, q + 1, '\n') ? q + 2 : q + 1);
            } else {
                st->token = header ? TokenKind::TokHeaderCell : TokenKind::TokCell;
            }
            return;
        }
        break;
    default:
        break;
    }

    if (InlineToken(st, p))
        return;
    SetText(st, p, p + 1);
}

}  // namespace engine
