// The BlockState machine: paragraphs, headings, rules, preformatted blocks,
// lists, definition lists, indentation and tables, and the templates written
// for each transition.
#include "EngineInternal.h"

namespace engine {

namespace {

const OutputFormat* Format(const RenderState* st)
{
    return st->format;
}

BlockLevel& Top(RenderState* st)
{
    return st->blockStack[st->depth - 1];
}

bool IsCell(LevelKind kind)
{
    return kind == LevelKind::DataCellLevel || kind == LevelKind::HeaderCellLevel;
}

bool TopIsCell(RenderState* st)
{
    return st->depth > 0 && IsCell(Top(st).kind);
}

LevelKind KindOfMarker(char marker)
{
    switch (marker) {
    case '*': return LevelKind::BulletLevel;
    case '#': return LevelKind::NumberLevel;
    case ';': return LevelKind::TermLevel;
    default: return LevelKind::IndentLevel;
    }
}

// The markup a level or an item stands for, as notify functions get it.
const char* LevelMarkup(LevelKind kind)
{
    switch (kind) {
    case LevelKind::BulletLevel: return "*";
    case LevelKind::NumberLevel: return "#";
    case LevelKind::TermLevel:
    case LevelKind::DefinitionLevel: return ";";
    case LevelKind::IndentLevel: return ":";
    default: return "|";
    }
}

const char* ItemMarkup(LevelKind kind)
{
    switch (kind) {
    case LevelKind::DefinitionLevel: return ";:";
    case LevelKind::HeaderCellLevel: return "|=";
    default: return LevelMarkup(kind);
    }
}

int32_t NotifyItem(RenderState* st, bool open, bool atPosition, const char* markup)
{
    return Notify(st, st->format->ItemNotify, st->l, st->i, open, atPosition, markup);
}

// Writes an item's begin template, announcing the item first.
int32_t OpenItem(RenderState* st, const char* text, LevelKind kind)
{
    RETURN_IF_FAILED(NotifyItem(st, true, false, ItemMarkup(kind)));
    return Put(st, text);
}

int32_t Push(RenderState* st, LevelKind kind)
{
    st->blockStack[st->depth].kind = kind;
    st->blockStack[st->depth].itemNumber = kind == LevelKind::NumberLevel ? 1 : 0;
    st->blockStack[st->depth].termItem = 0;
    ++st->depth;
    return Notify(st, st->format->BlockNotify, st->depth, 0, true, false, LevelMarkup(kind));
}

const char* ListBegin(const OutputFormat* f, LevelKind kind)
{
    switch (kind) {
    case LevelKind::BulletLevel: return f->BulletListBegin;
    case LevelKind::NumberLevel: return f->NumberListBegin;
    case LevelKind::TermLevel:
    case LevelKind::DefinitionLevel: return f->DefListBegin;
    case LevelKind::IndentLevel: return f->IndentBegin;
    default: return f->TableBegin;
    }
}

const char* ListEnd(const OutputFormat* f, LevelKind kind)
{
    switch (kind) {
    case LevelKind::BulletLevel: return f->BulletListEnd;
    case LevelKind::NumberLevel: return f->NumberListEnd;
    case LevelKind::TermLevel:
    case LevelKind::DefinitionLevel: return f->DefListEnd;
    case LevelKind::IndentLevel: return f->IndentEnd;
    default: return f->TableEnd;
    }
}

// The item begin written for the newest level of a marker line.
const char* ItemBegin(const OutputFormat* f, LevelKind kind)
{
    switch (kind) {
    case LevelKind::BulletLevel: return f->BulletItemBegin;
    case LevelKind::NumberLevel: return f->NumberItemBegin;
    case LevelKind::TermLevel: return f->TermBegin;
    case LevelKind::DefinitionLevel: return f->DefinitionBegin;
    case LevelKind::IndentLevel: return f->IndentParBegin;
    default: return nullptr;
    }
}

// The item begin written for a level that holds a deeper one.
const char* HolderItemBegin(const OutputFormat* f, LevelKind kind)
{
    return kind == LevelKind::TermLevel ? f->DefinitionBegin : ItemBegin(f, kind);
}

// Ends the item of the (new) top, which held the level just closed. A
// numbered item counts as ended, so the next item gets the next number. A
// term level's item ends as it began: TermEnd for a term (";t" then ";*x"),
// DefinitionEnd for the item that ";*" opens to hold the deeper level.
int32_t ParentItemEnd(RenderState* st, bool wrap)
{
    const OutputFormat* f = Format(st);
    BlockLevel& top = Top(st);
    st->l = st->depth;
    st->i = top.itemNumber;
    const char* text = nullptr;
    RETURN_IF_FAILED(NotifyItem(st, false, true, ItemMarkup(top.kind)));
    switch (top.kind) {
    case LevelKind::BulletLevel: text = f->BulletItemEnd; break;
    case LevelKind::NumberLevel:
        text = f->NumberItemEnd;
        ++top.itemNumber;
        break;
    case LevelKind::TermLevel: text = top.termItem ? f->TermEnd : f->DefinitionEnd; break;
    case LevelKind::DefinitionLevel: text = f->DefinitionEnd; break;
    case LevelKind::IndentLevel: text = f->IndentParEnd; break;
    default: break;
    }
    return wrap ? PutWrap(st, text) : Put(st, text);
}

// Closes the top level (its list end) and, in formats that nest lists in
// items, the item that held it.
int32_t CloseLevel(RenderState* st, bool wrap)
{
    st->l = st->depth;
    st->i = Top(st).itemNumber;
    RETURN_IF_FAILED(Notify(st, Format(st)->BlockNotify, st->l, st->i, false, true,
                            LevelMarkup(Top(st).kind)));
    const char* end = ListEnd(Format(st), Top(st).kind);
    RETURN_IF_FAILED(wrap ? PutWrap(st, end) : Put(st, end));
    --st->depth;
    if (st->depth > 0 && Format(st)->NestListsInItems == 1)
        return ParentItemEnd(st, wrap);
    return MarkupOk;
}

// Writes the characters of the last TokText token, WrapLine after each when
// wrap is set.
int32_t WriteTextToken(RenderState* st, bool wrap)
{
    const int32_t end = st->position;
    st->position = st->textStart;
    do {
        RETURN_IF_FAILED(WriteTextChar(st));
        if (wrap)
            RETURN_IF_FAILED(WrapLine(st, Format(st)));
    } while (st->position < end);
    // The plain text after it would come as one-byte tokens that do the same.
    return wrap ? CopyPlainRun(st) : MarkupOk;
}

// Spaces and tabs, then one CR, then one LF.
void SkipRestOfLine(RenderState* st)
{
    SkipBlanks(st);
    if (st->position < st->inputLength && st->input[st->position] == '\r')
        ++st->position;
    if (st->position < st->inputLength && st->input[st->position] == '\n')
        ++st->position;
}

bool NextIsLineEndOrEnd(const RenderState* st)
{
    return st->position >= st->inputLength || IsLineEndChar(st->input[st->position]);
}

int32_t InlineTokenAction(RenderState* st)
{
    switch (st->token) {
    case TokenKind::TokStyle: return Toggle(st, st->styleKind);
    case TokenKind::TokLinkOpen: return OpenLinkOrImage(st, InlineKind::Link);
    case TokenKind::TokLinkClose: return Toggle(st, InlineKind::Link);
    case TokenKind::TokImageOpen: return OpenLinkOrImage(st, InlineKind::Image);
    case TokenKind::TokImageClose: return Toggle(st, InlineKind::Image);
    default: return MarkupBadToken;
    }
}

// TokMarkers at a block start: opens every level of the run.
int32_t OpenLevels(RenderState* st)
{
    const OutputFormat* f = Format(st);
    const int32_t n = st->markerCount;
    const char* markers = st->input + st->tokenStart;
    for (int32_t k = 1; k <= n; ++k) {
        const LevelKind kind = KindOfMarker(markers[k - 1]);
        RETURN_IF_FAILED(Push(st, kind));
        st->l = k;
        RETURN_IF_FAILED(Put(st, ListBegin(f, kind)));
        if (k < n)
            RETURN_IF_FAILED(OpenItem(st, HolderItemBegin(f, kind), kind));
    }
    SkipBlanks(st);
    st->wrapIndent = n * f->WrapIndentStep;
    st->l = n;
    st->i = Top(st).itemNumber;
    Top(st).termItem = Top(st).kind == LevelKind::TermLevel;
    RETURN_IF_FAILED(OpenItem(st, ItemBegin(f, Top(st).kind), Top(st).kind));
    st->l = st->i = 0;
    return MarkupOk;
}

// TokMarkers at a line start inside a block: moves to the run's levels.
int32_t ChangeLevels(RenderState* st)
{
    const OutputFormat* f = Format(st);
    const int32_t n = st->markerCount;
    const char* markers = st->input + st->tokenStart;
    RETURN_IF_FAILED(CloseInline(st));
    if (st->depth == 0 || f->NestListsInItems == 0 || n <= st->depth)
        RETURN_IF_FAILED(EndItem(st));
    while (st->depth > n)
        RETURN_IF_FAILED(CloseLevel(st, false));
    bool first = true;
    while (st->depth < n) {
        const LevelKind kind = KindOfMarker(markers[st->depth]);
        st->i = 0;
        // A parent opened in this step has no open item yet; its item begin
        // is written at the parent's level, as when the run opens at a
        // block start.
        if (f->NestListsInItems == 1 && !first) {
            st->l = st->depth;
            Top(st).termItem = 0;
            RETURN_IF_FAILED(OpenItem(st, HolderItemBegin(f, Top(st).kind), Top(st).kind));
        }
        RETURN_IF_FAILED(Push(st, kind));
        st->l = st->depth;
        RETURN_IF_FAILED(Put(st, ListBegin(f, kind)));
        first = false;
    }
    st->wrapIndent = st->depth * f->WrapIndentStep;
    SkipBlanks(st);
    if (Top(st).kind == LevelKind::DefinitionLevel)
        Top(st).kind = LevelKind::TermLevel;  // a ';' line after a definition: new term
    st->l = st->depth;
    st->i = Top(st).itemNumber;
    Top(st).termItem = Top(st).kind == LevelKind::TermLevel;
    RETURN_IF_FAILED(OpenItem(st, ItemBegin(f, Top(st).kind), Top(st).kind));
    st->l = st->i = 0;
    return MarkupOk;
}

// TokDefine at a line start: a definition of the term level n.
int32_t DefineAtLineStart(RenderState* st)
{
    const OutputFormat* f = Format(st);
    const int32_t n = st->markerCount;
    RETURN_IF_FAILED(CloseInline(st));
    RETURN_IF_FAILED(EndItem(st));
    while (st->depth > n)
        RETURN_IF_FAILED(CloseLevel(st, false));
    st->l = st->depth;
    if (st->depth > 0 && Top(st).kind != LevelKind::TermLevel)
        RETURN_IF_FAILED(PutWrap(st, f->MissingTerm));
    SkipBlanks(st);
    RETURN_IF_FAILED(OpenItem(st, f->DefinitionBegin, LevelKind::DefinitionLevel));
    RETURN_IF_FAILED(WrapLine(st, f));
    if (st->depth > 0)
        Top(st).kind = LevelKind::DefinitionLevel;
    st->l = 0;
    return MarkupOk;
}

// ':' inside a term: the term ends and its definition begins.
int32_t DefineInText(RenderState* st)
{
    st->l = st->depth;
    RETURN_IF_FAILED(CloseInline(st));
    RETURN_IF_FAILED(EndItem(st));
    RETURN_IF_FAILED(OpenItem(st, Format(st)->DefinitionBegin, LevelKind::DefinitionLevel));
    RETURN_IF_FAILED(WrapLine(st, Format(st)));
    Top(st).kind = LevelKind::DefinitionLevel;
    st->l = 0;
    return MarkupOk;
}

const char* CellBegin(const OutputFormat* f, TokenKind token)
{
    return token == TokenKind::TokHeaderCell ? f->HeaderCellBegin : f->CellBegin;
}

LevelKind CellKind(TokenKind token)
{
    return token == TokenKind::TokHeaderCell ? LevelKind::HeaderCellLevel : LevelKind::DataCellLevel;
}

int32_t TableAtBlockStart(RenderState* st)
{
    const OutputFormat* f = Format(st);
    RETURN_IF_FAILED(Push(st, CellKind(st->token)));
    st->wrapIndent = f->WrapIndentStep;
    st->l = 0;
    RETURN_IF_FAILED(Put(st, f->TableBegin));
    RETURN_IF_FAILED(Put(st, f->RowBegin));
    return OpenItem(st, CellBegin(f, st->token), CellKind(st->token));
}

int32_t TableAtLineStart(RenderState* st)
{
    const OutputFormat* f = Format(st);
    RETURN_IF_FAILED(CloseInline(st));
    if (TopIsCell(st)) {
        RETURN_IF_FAILED(EndItem(st));
    } else {
        RETURN_IF_FAILED(EndAll(st));
        st->l = 0;
        RETURN_IF_FAILED(Put(st, f->TableBegin));
        RETURN_IF_FAILED(Push(st, CellKind(st->token)));
    }
    Top(st).kind = CellKind(st->token);
    st->wrapIndent = st->depth * f->WrapIndentStep;
    st->l = st->depth - 1;
    RETURN_IF_FAILED(Put(st, f->RowBegin));
    RETURN_IF_FAILED(OpenItem(st, CellBegin(f, st->token), CellKind(st->token)));
    RETURN_IF_FAILED(WrapLine(st, f));
    st->l = 0;
    return MarkupOk;
}

// A '|' inside a row: spaces before it are dropped, the cell ends and the
// next begins.
int32_t NextCell(RenderState* st)
{
    const OutputFormat* f = Format(st);
    int32_t length = st->outputLength;
    while (length > 0 && st->output[length - 1] == ' ')
        --length;
    if (length < st->outputLength)
        TruncateOutput(st, length);
    st->l = st->depth;
    RETURN_IF_FAILED(CloseInline(st));
    const bool header = Top(st).kind == LevelKind::HeaderCellLevel;
    RETURN_IF_FAILED(NotifyItem(st, false, false, ItemMarkup(Top(st).kind)));
    RETURN_IF_FAILED(PutWrap(st, header ? f->HeaderCellEnd : f->CellEnd));
    RETURN_IF_FAILED(OpenItem(st, CellBegin(f, st->token), CellKind(st->token)));
    RETURN_IF_FAILED(WrapLine(st, f));
    Top(st).kind = CellKind(st->token);
    st->l = 0;
    return MarkupOk;
}

int32_t OpenPre(RenderState* st, bool wrap)
{
    RETURN_IF_FAILED(NotifyItem(st, true, false, "{{{"));
    RETURN_IF_FAILED(Put(st, Format(st)->PreBegin));
    RETURN_IF_FAILED(Put(st, Format(st)->PreLineBegin));
    if (wrap)
        RETURN_IF_FAILED(WrapLine(st, Format(st)));
    st->wrapIndent = 0;
    SkipRestOfLine(st);
    st->state = BlockState::PreLineStart;
    return MarkupOk;
}

int32_t CloseHeading(RenderState* st)
{
    if (st->token == TokenKind::TokHeading)
        SkipBlanks(st);
    st->l = st->headingLevel;
    RETURN_IF_FAILED(CloseInline(st));
    RETURN_IF_FAILED(NotifyHeadingEnd(st));
    RETURN_IF_FAILED(PutWrap(st, Format(st)->HeadingEnd));
    st->l = 0;
    st->state = BlockState::BlockStart;
    return MarkupOk;
}

int32_t OnBlockStart(RenderState* st)
{
    const OutputFormat* f = Format(st);
    switch (st->token) {
    case TokenKind::TokSpace:
    case TokenKind::TokTab:
    case TokenKind::TokLineEnd:
        return MarkupOk;
    case TokenKind::TokText:
        RETURN_IF_FAILED(BeginParagraph(st));
        st->state = BlockState::InText;
        return WriteTextToken(st, true);
    case TokenKind::TokBreak:
        RETURN_IF_FAILED(BeginParagraph(st));
        st->state = BlockState::InText;
        return Put(st, f->LineBreak);
    case TokenKind::TokStyle:
    case TokenKind::TokLinkOpen:
    case TokenKind::TokImageOpen:
        RETURN_IF_FAILED(BeginParagraph(st));
        st->state = BlockState::InText;
        return InlineTokenAction(st);
    case TokenKind::TokHeading:
        st->state = BlockState::InHeading;
        return OpenHeading(st);
    case TokenKind::TokMarkers:
        st->state = BlockState::InText;
        return OpenLevels(st);
    case TokenKind::TokCell:
    case TokenKind::TokHeaderCell:
        st->state = BlockState::InText;
        return TableAtBlockStart(st);
    case TokenKind::TokRule:
        RETURN_IF_FAILED(NotifyItem(st, true, false, "----"));
        RETURN_IF_FAILED(NotifyItem(st, false, false, "----"));
        RETURN_IF_FAILED(Put(st, f->Rule));
        st->wrapIndent = 0;
        return MarkupOk;
    case TokenKind::TokPre:
        return OpenPre(st, false);
    default:
        return MarkupBadToken;
    }
}

int32_t OnInText(RenderState* st)
{
    const OutputFormat* f = Format(st);
    switch (st->token) {
    case TokenKind::TokText:
        return WriteTextToken(st, true);
    case TokenKind::TokSpace:
    case TokenKind::TokTab:
        SkipBlanks(st);
        if (NextIsLineEndOrEnd(st))
            return MarkupOk;
        RETURN_IF_FAILED(PutWrap(st, f->WordSeparator));
        return CopyPlainRun(st);  // the next word, as its one-byte tokens would
    case TokenKind::TokLineEnd:
        st->state = BlockState::LineStart;
        return MarkupOk;
    case TokenKind::TokBreak:
        return PutWrap(st, f->LineBreak);
    case TokenKind::TokDefine:
        return DefineInText(st);
    case TokenKind::TokCell:
    case TokenKind::TokHeaderCell:
        return NextCell(st);
    default:
        return MarkupBadToken;
    }
}

int32_t OnLineStart(RenderState* st)
{
    const OutputFormat* f = Format(st);
    switch (st->token) {
    case TokenKind::TokSpace:
    case TokenKind::TokTab:
        return MarkupOk;
    case TokenKind::TokText:
        if ((st->options & OptLineParagraphs) != 0 || TopIsCell(st)) {
            RETURN_IF_FAILED(CloseInline(st));
            RETURN_IF_FAILED(EndAll(st));
            RETURN_IF_FAILED(BeginParagraph(st));
        } else {
            RETURN_IF_FAILED(Put(st, f->WordSeparator));
        }
        st->state = BlockState::InText;
        RETURN_IF_FAILED(WrapLine(st, f));
        return WriteTextToken(st, false);
    case TokenKind::TokLineEnd:
        RETURN_IF_FAILED(CloseInline(st));
        st->state = BlockState::BlockStart;
        return EndAll(st);
    case TokenKind::TokBreak:
        return PutWrap(st, f->LineBreak);
    case TokenKind::TokHeading:
        RETURN_IF_FAILED(CloseInline(st));
        RETURN_IF_FAILED(EndAll(st));
        st->state = BlockState::InHeading;
        return OpenHeading(st);
    case TokenKind::TokMarkers:
        st->state = BlockState::InText;
        return ChangeLevels(st);
    case TokenKind::TokDefine:
        st->state = BlockState::InText;
        return DefineAtLineStart(st);
    case TokenKind::TokCell:
    case TokenKind::TokHeaderCell:
        st->state = BlockState::InText;
        return TableAtLineStart(st);
    case TokenKind::TokRule:
        RETURN_IF_FAILED(CloseInline(st));
        RETURN_IF_FAILED(EndAll(st));
        RETURN_IF_FAILED(NotifyItem(st, true, false, "----"));
        RETURN_IF_FAILED(NotifyItem(st, false, false, "----"));
        RETURN_IF_FAILED(PutWrap(st, f->Rule));
        st->wrapIndent = 0;
        st->state = BlockState::BlockStart;
        return MarkupOk;
    case TokenKind::TokPre:
        RETURN_IF_FAILED(CloseInline(st));
        RETURN_IF_FAILED(EndAll(st));
        return OpenPre(st, true);
    case TokenKind::TokStyle:
    case TokenKind::TokLinkClose:
    case TokenKind::TokImageClose:
        RETURN_IF_FAILED(PutWrap(st, f->WordSeparator));
        st->state = BlockState::InText;
        return InlineTokenAction(st);
    case TokenKind::TokLinkOpen:
    case TokenKind::TokImageOpen:
        RETURN_IF_FAILED(Put(st, f->WordSeparator));
        st->state = BlockState::InText;
        return InlineTokenAction(st);
    default:
        return MarkupBadToken;
    }
}

int32_t OnInHeading(RenderState* st)
{
    const OutputFormat* f = Format(st);
    switch (st->token) {
    case TokenKind::TokText:
        return WriteTextToken(st, true);
    case TokenKind::TokSpace:
    case TokenKind::TokTab:
        if (NextIsLineEndOrEnd(st))
            return MarkupOk;
        return PutWrap(st, f->WordSeparator);
    case TokenKind::TokBreak:
        return PutWrap(st, f->LineBreak);
    case TokenKind::TokLineEnd:
    case TokenKind::TokHeading:
        return CloseHeading(st);
    default:
        return MarkupBadToken;
    }
}

int32_t OnInPre(RenderState* st)
{
    const OutputFormat* f = Format(st);
    switch (st->token) {
    case TokenKind::TokText: {
        const int32_t end = st->position;
        st->position = st->textStart;
        if (f->CharNotify)
            RETURN_IF_FAILED(f->CharNotify(st->position + st->inputBase, f->CharNotifyData, st));
        if (!f->PreCharWriter) {
            RETURN_IF_FAILED(PutByte(st, st->input[st->position++]));
        } else {
            RETURN_IF_FAILED(f->PreCharWriter(st->input, st->inputLength, &st->position,
                                              f->PreCharWriterData, st));
            if (st->position < end)
                st->position = end;
        }
        return CopyPreRun(st);
    }
    case TokenKind::TokSpace:
        RETURN_IF_FAILED(WritePreChar(st, ' '));
        return CopyPreRun(st);
    case TokenKind::TokTab:
        // Spaces up to the next multiple of 4 (at most 4, should a writer
        // not move the column).
        for (int32_t k = 0; k < 4; ++k) {
            RETURN_IF_FAILED(WritePreChar(st, ' '));
            if (st->column % 4 == 0)
                break;
        }
        return MarkupOk;
    case TokenKind::TokLineEnd:
        st->state = BlockState::PreLineStart;
        return Put(st, f->PreLineEnd);
    default:
        return MarkupBadToken;
    }
}

// " }}}" (spaces, then "}}}" ending the line) inside a preformatted block.
bool SpacesBeforeClosingBraces(const RenderState* st)
{
    int32_t p = st->tokenStart;
    while (p < st->inputLength && st->input[p] == ' ')
        ++p;
    if (p + 3 > st->inputLength || st->input[p] != '}' || st->input[p + 1] != '}' ||
        st->input[p + 2] != '}')
        return false;
    p += 3;
    return p >= st->inputLength || IsLineEndChar(st->input[p]);
}

int32_t OnPreLineStart(RenderState* st)
{
    const OutputFormat* f = Format(st);
    if (st->token == TokenKind::TokPre) {
        st->state = BlockState::BlockStart;
        RETURN_IF_FAILED(NotifyPreEnd(st));
        return Put(st, f->PreEnd);
    }
    RETURN_IF_FAILED(Put(st, f->PreLineBegin));
    st->state = BlockState::InPre;
    if (st->token == TokenKind::TokSpace && SpacesBeforeClosingBraces(st))
        return MarkupOk;  // the space keeps "}}}" from ending the block
    return OnInPre(st);
}

}  // namespace

int32_t NotifyPreEnd(RenderState* st)
{
    return NotifyItem(st, false, false, "{{{");
}

int32_t NotifyHeadingEnd(RenderState* st)
{
    return NotifyItem(st, false, false, "=");
}

int32_t BeginParagraph(RenderState* st)
{
    RETURN_IF_FAILED(NotifyItem(st, true, false, "p"));
    RETURN_IF_FAILED(Put(st, Format(st)->ParagraphBegin));
    st->wrapIndent = 0;
    return MarkupOk;
}

int32_t OpenHeading(RenderState* st)
{
    const int32_t level = st->headingLevel;
    if (level == 1) {
        ++st->headingCounters[0];
        st->headingCounters[1] = 0;
    } else if (level == 2) {
        ++st->headingCounters[1];
    }
    st->l = level;
    st->i = 0;
    if (level == 1 && (st->options & OptNumberLevel1) != 0)
        st->i = st->headingCounters[0];
    else if (level == 2 && (st->options & OptNumberLevel2) != 0)
        st->i = st->headingCounters[1];
    RETURN_IF_FAILED(NotifyItem(st, true, false, "="));
    RETURN_IF_FAILED(Put(st, Format(st)->HeadingBegin));
    st->l = st->i = 0;
    st->wrapIndent = 0;
    st->headingPlainEnd = 0;
    SkipBlanks(st);
    return MarkupOk;
}

int32_t EndItem(RenderState* st)
{
    const OutputFormat* f = Format(st);
    const int32_t savedL = st->l;
    const int32_t savedI = st->i < 0 ? 0 : st->i;
    int32_t result = MarkupOk;
    if (st->depth == 0) {
        result = NotifyItem(st, false, true, "p");
        if (result == MarkupOk)
            result = PutWrap(st, f->ParagraphEnd);
    } else {
        BlockLevel& top = Top(st);
        st->l = st->depth;
        st->i = top.itemNumber;
        result = NotifyItem(st, false, true, ItemMarkup(top.kind));
        switch (result == MarkupOk ? int(top.kind) : -1) {
        case -1: break;
        case int(LevelKind::BulletLevel): result = PutWrap(st, f->BulletItemEnd); break;
        case int(LevelKind::NumberLevel):
            ++top.itemNumber;
            result = PutWrap(st, f->NumberItemEnd);
            break;
        case int(LevelKind::TermLevel): result = PutWrap(st, f->TermEnd); break;
        case int(LevelKind::DefinitionLevel): result = PutWrap(st, f->DefinitionEnd); break;
        case int(LevelKind::IndentLevel): result = PutWrap(st, f->IndentParEnd); break;
        case int(LevelKind::DataCellLevel):
        case int(LevelKind::HeaderCellLevel):
            result = PutWrap(st, top.kind == LevelKind::HeaderCellLevel ? f->HeaderCellEnd : f->CellEnd);
            if (result == MarkupOk)
                result = PutWrap(st, f->RowEnd);
            break;
        }
    }
    st->l = savedL;
    st->i = savedI;
    return result;
}

int32_t EndAll(RenderState* st)
{
    const int32_t savedL = st->l;
    const int32_t savedI = st->i < 0 ? 0 : st->i;
    int32_t result = EndItem(st);
    while (result == MarkupOk && st->depth > 0)
        result = CloseLevel(st, true);
    st->l = savedL;
    st->i = savedI;
    return result;
}

int32_t HandleBlockToken(RenderState* st)
{
    // Extensions are handled alike in every state that has them (the
    // tokenizer gives none inside preformatted blocks).
    switch (st->token) {
    case TokenKind::TokExt:
    case TokenKind::TokExtBlock:
    case TokenKind::TokExtRaw:
    case TokenKind::TokExtRawBlock:
        return HandleExtension(st);
    default:
        break;
    }
    // Inside running text and headings inline tokens go to the inline stack.
    if (st->state == BlockState::InText || st->state == BlockState::InHeading) {
        switch (st->token) {
        case TokenKind::TokStyle:
        case TokenKind::TokLinkOpen:
        case TokenKind::TokLinkClose:
        case TokenKind::TokImageOpen:
        case TokenKind::TokImageClose:
            return InlineTokenAction(st);
        default:
            break;
        }
    }
    switch (st->state) {
    case BlockState::BlockStart: return OnBlockStart(st);
    case BlockState::InText: return OnInText(st);
    case BlockState::LineStart: return OnLineStart(st);
    case BlockState::InHeading: return OnInHeading(st);
    case BlockState::PreLineStart: return OnPreLineStart(st);
    case BlockState::InPre: return OnInPre(st);
    }
    return MarkupBadToken;
}

}  // namespace engine
