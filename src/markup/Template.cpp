// The template language: line ends, %{expression} values, %%{n}body%%
// repeats, %L marker strings, and the integer expressions they use.
#include <cstring>

#include "EngineInternal.h"

using namespace engine;

namespace {

// Expression operators by precedence (higher binds tighter).
int32_t Precedence(char op)
{
    switch (op) {
    case '|': return 1;
    case '&': return 2;
    case '=': case '!': case '<': case '>': return 3;
    case '+': case '-': return 4;
    case '*': case '/': return 5;
    default: return 0;
    }
}

// Applies op with 32-bit two's-complement wrapping; never undefined.
int32_t Apply(char op, int32_t a, int32_t b)
{
    const uint32_t ua = uint32_t(a), ub = uint32_t(b);
    switch (op) {
    case '|': return a != 0 ? a : b;
    case '&': return a != 0 ? b : 0;
    case '=': return a == b;
    case '!': return a != b;
    case '<': return a < b;
    case '>': return a > b;
    case '+': return int32_t(ua + ub);
    case '-': return int32_t(ua - ub);
    case '*': return int32_t(ua * ub);
    case '/':
        // Division by zero gives 0 (no built-in template divides by anything
        // but a constant); INT_MIN / -1 wraps to INT_MIN like the other
        // operators.
        if (b == 0)
            return 0;
        if (b == -1)
            return int32_t(0u - ua);
        return a / b;
    default: return 1;
    }
}

int32_t Variable(char c, RenderState* st)
{
    switch (c) {
    case 'i': st->templateReads |= TemplateReadI; return st->i;
    case 'l': st->templateReads |= TemplateReadL; return st->l;
    case 's': st->templateReads |= TemplateReadS; return st->s;
    case 'x': st->templateReads |= TemplateReadX; return st->x;
    default: break;
    }
    st->templateReads |= TemplateReadOther;
    switch (c) {
    case 'o': return st->position;
    case 'p': return st->outputLength;
    default: break;
    }
    const OutputFormat* format = st->format;
    if (format && format->VariableHook)
        return format->VariableHook(c, format->VariableHookData, format);
    return 0;
}

// Writes value in decimal with a leading '-' when negative.
int32_t WriteNumber(RenderState* st, int32_t value)
{
    if (st->outputLength + 12 > st->capacity)
        return MarkupNoRoom;
    char digits[12];
    int n = 0;
    uint32_t magnitude = value < 0 ? 0u - uint32_t(value) : uint32_t(value);
    do {
        digits[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        PutByte(st, '-');
    while (n > 0)
        PutByte(st, digits[--n]);
    return MarkupOk;
}

int32_t WriteMarkerString(RenderState* st)
{
    st->templateReads |= TemplateReadOther;
    if (st->outputLength + MaxBlockDepth > st->capacity)
        return MarkupNoRoom;
    int32_t n = 0;
    for (int32_t k = 0; k < st->depth; ++k) {
        char c = '|';
        switch (st->blockStack[k].kind) {
        case LevelKind::BulletLevel: c = '*'; break;
        case LevelKind::NumberLevel: c = '#'; break;
        case LevelKind::TermLevel: c = ';'; break;
        case LevelKind::DefinitionLevel: c = ':'; break;
        case LevelKind::IndentLevel: c = ':'; break;
        case LevelKind::DataCellLevel: c = '|'; break;
        case LevelKind::HeaderCellLevel: c = '|'; break;
        }
        st->markerString[n++] = c;
    }
    st->markerString[n] = '\0';
    for (int32_t k = 0; k < n; ++k)
        PutByte(st, st->markerString[k]);
    return MarkupOk;
}

// Writes the repeat directive whose expression is text[exprStart, exprEnd)
// and whose body is text[bodyStart, bodyEnd).
int32_t WriteRepeat(RenderState* st, const char* text, int32_t exprStart, int32_t exprEnd,
                    int32_t bodyStart, int32_t bodyEnd, char metaChar)
{
    int32_t count = EvalExpression(text + exprStart, exprEnd - exprStart, st);
    if (count > 100)
        count = 100;
    const int32_t start = st->outputLength;
    const int32_t column = st->column;
    const int32_t chars = st->outputChars;
    // The body is written once, so its directives run once, then copied.
    const int32_t result = WriteTemplate(text + bodyStart, bodyEnd - bodyStart, metaChar, st);
    if (result != MarkupOk)
        return result;
    const int32_t bodyLength = st->outputLength - start;
    const int32_t bodyChars = st->outputChars - chars;
    if (count <= 0) {
        if (st->outputLength > st->templatePeak)
            st->templatePeak = st->outputLength;
        st->outputLength = start;
        st->column = column;
        st->outputChars = chars;
        return MarkupOk;
    }
    if (int64_t(start) + int64_t(count) * bodyLength > st->capacity)
        return MarkupNoRoom;
    for (int32_t k = 1; k < count; ++k)
        std::memcpy(st->output + start + k * bodyLength, st->output + start, size_t(bodyLength));
    st->outputLength = start + count * bodyLength;
    st->outputChars = chars + count * bodyChars;
    st->column = column + count * bodyLength;
    return MarkupOk;
}

// Writes bytes that hold no line end or directive, each counted in column
// and outputChars; no room for all of them is a failure.
int32_t WriteLiteral(RenderState* st, const char* bytes, int32_t count)
{
    if (st->outputLength + count > st->capacity)
        return MarkupNoRoom;
    char* out = st->output + st->outputLength;
    int32_t chars = 0;
    for (int32_t k = 0; k < count; ++k) {
        out[k] = bytes[k];
        chars += CountsAsChar(uint8_t(bytes[k]));
    }
    st->outputLength += count;
    st->outputChars += chars;
    st->column += count;
    return MarkupOk;
}

int32_t Find(const char* text, int32_t from, int32_t length, char c)
{
    for (int32_t k = from; k < length; ++k)
        if (text[k] == c)
            return k;
    return -1;
}

}  // namespace

int32_t WriteTemplate(const char* text, int32_t length, char metaChar, RenderState* st)
{
    if (!text)
        return MarkupOk;
    int32_t k = 0;
    if (length < 0) {
        // Most templates hold no directive: write them up to the first meta
        // character, if any, without measuring them first.
        for (;;) {
            int32_t run = 0;
            while (text[k + run] != '\0' && text[k + run] != '\n' && text[k + run] != metaChar)
                ++run;
            if (run > 0 && WriteLiteral(st, text + k, run) != MarkupOk)
                return MarkupNoRoom;
            k += run;
            if (text[k] == '\0')
                return MarkupOk;
            if (text[k] == metaChar)
                break;
            if (PutLineEnd(st) != MarkupOk)
                return MarkupNoRoom;
            ++k;
        }
        length = k + int32_t(std::strlen(text + k));
    }
    while (k < length) {
        const char c = text[k];
        if (c == '\n') {
            if (PutLineEnd(st) != MarkupOk)
                return MarkupNoRoom;
            ++k;
            continue;
        }
        // A directive needs at least two more bytes after the meta character.
        if (c == metaChar && k + 2 < length) {
            const char next = text[k + 1];
            if (next == '{') {
                const int32_t close = Find(text, k + 2, length, '}');
                if (close < 0)
                    return MarkupOk;
                if (WriteNumber(st, EvalExpression(text + k + 2, close - k - 2, st)) != MarkupOk)
                    return MarkupNoRoom;
                k = close + 1;
                continue;
            }
            if (next == metaChar && text[k + 2] == '{') {
                const int32_t close = Find(text, k + 3, length, '}');
                if (close < 0)
                    return MarkupOk;
                int32_t bodyEnd = close + 1;
                while (bodyEnd + 1 < length && !(text[bodyEnd] == metaChar && text[bodyEnd + 1] == metaChar))
                    ++bodyEnd;
                int32_t after = bodyEnd + 2;
                if (bodyEnd + 1 >= length) {  // no closing pair: the body runs to the end
                    bodyEnd = length;
                    after = length;
                }
                const int32_t result = WriteRepeat(st, text, k + 3, close, close + 1, bodyEnd, metaChar);
                if (result != MarkupOk)
                    return result;
                k = after;
                continue;
            }
            if (next == 'L') {
                if (WriteMarkerString(st) != MarkupOk)
                    return MarkupNoRoom;
                k += 2;
                continue;
            }
        }
        if (PutByte(st, c) != MarkupOk)
            return MarkupNoRoom;
        ++k;
    }
    return MarkupOk;
}

namespace {

// Reads text once: plain bytes up to its end, perhaps with one final newline.
void LearnShape(TemplateShape* shape, const char* text, char metaChar)
{
    int32_t k = 0;
    int32_t chars = 0;
    while (text[k] != '\0' && text[k] != '\n' && text[k] != metaChar)
        chars += CountsAsChar(uint8_t(text[k++]));
    shape->text = text;
    shape->chars = chars;
    shape->lineEnd = text[k] == '\n' && metaChar != '\n' && text[k + 1] == '\0';
    shape->literal = text[k] == '\0' || shape->lineEnd ? k : -1;
}

uint32_t AddressHash(const char* text)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(text);
    return uint32_t((address >> 3) ^ (address >> 9));
}

bool MemoMatches(const TemplateMemo* memo, const char* text, const RenderState* st)
{
    const uint32_t reads = memo->reads;
    return memo->text == text && ((reads & TemplateReadI) == 0 || memo->values[0] == st->i) &&
           ((reads & TemplateReadL) == 0 || memo->values[1] == st->l) &&
           ((reads & TemplateReadS) == 0 || memo->values[2] == st->s) &&
           ((reads & TemplateReadX) == 0 || memo->values[3] == st->x);
}

// Writes a template with directives, remembering its output when that may
// be reused. The output is reused only where every room check of writing
// it again would pass: each check asks for at most 12 bytes beyond the
// output reached so far, and the output never reaches beyond templatePeak.
// Memos are found by template and level, so that the items of nested lists
// keep one each.
int32_t WriteRemembered(RenderState* st, const char* text)
{
    TemplateMemo* memo =
        &st->templateMemos[(AddressHash(text) + uint32_t(st->l) * 7) % TemplateMemoSlots];
    if (MemoMatches(memo, text, st) && st->outputLength + memo->room <= st->capacity) {
        const int32_t n = memo->length;
        char* out = st->output + st->outputLength;
        for (int32_t k = 0; k < n; ++k)
            out[k] = memo->bytes[k];
        st->outputLength += n;
        st->outputChars += memo->chars;
        st->column += n;
        return MarkupOk;
    }
    const int32_t start = st->outputLength;
    const int32_t chars = st->outputChars;
    const int32_t lineEnds = st->lineEndCount;
    st->templateReads = 0;
    st->templatePeak = start;
    const int32_t result = WriteTemplate(text, -1, char(st->metaChar), st);
    if (result != MarkupOk)
        return result;
    const int32_t length = st->outputLength - start;
    if ((st->templateReads & TemplateReadOther) != 0 || st->lineEndCount != lineEnds ||
        length > int32_t(sizeof memo->bytes))
        return MarkupOk;
    const int32_t peak = st->templatePeak > st->outputLength ? st->templatePeak : st->outputLength;
    std::memcpy(memo->bytes, st->output + start, size_t(length));
    memo->text = text;
    memo->length = length;
    memo->chars = st->outputChars - chars;
    memo->room = peak - start + 12;
    memo->reads = st->templateReads;
    memo->values[0] = st->i;
    memo->values[1] = st->l;
    memo->values[2] = st->s;
    memo->values[3] = st->x;
    return MarkupOk;
}

}  // namespace

int32_t engine::Put(RenderState* st, const char* text)
{
    if (!text)
        return MarkupOk;
    TemplateShape* shape = &st->templateShapes[AddressHash(text) % TemplateShapeSlots];
    if (shape->text != text)
        LearnShape(shape, text, char(st->metaChar));
    if (shape->literal < 0)
        return WriteRemembered(st, text);
    // As WriteTemplate writes such a template: the bytes, then the line end.
    const int32_t n = shape->literal;
    if (n > 0) {
        if (st->outputLength + n > st->capacity)
            return MarkupNoRoom;
        // Templates are short: a plain loop beats a call of memcpy.
        char* out = st->output + st->outputLength;
        for (int32_t k = 0; k < n; ++k)
            out[k] = text[k];
        st->outputLength += n;
        st->outputChars += shape->chars;
        st->column += n;
    }
    return shape->lineEnd ? PutLineEnd(st) : MarkupOk;
}

int32_t EvalExpression(const char* text, int32_t length, RenderState* st)
{
    // Operator precedence parsing with explicit stacks. More than 16
    // pending operators and parentheses make the expression malformed.
    constexpr int32_t MaxPending = 16;
    char operators[MaxPending];
    int32_t values[MaxPending + 2];
    int32_t operatorCount = 0;
    int32_t valueCount = 0;
    bool expectOperand = true;

    auto reduce = [&]() {
        const char op = operators[--operatorCount];
        const int32_t b = values[--valueCount];
        const int32_t a = values[valueCount - 1];
        values[valueCount - 1] = Apply(op, a, b);
    };

    int32_t k = 0;
    while (k < length) {
        const char c = text[k];
        if (c == ' ' || c == '\t') {
            ++k;
            continue;
        }
        if (expectOperand) {
            if (c >= '0' && c <= '9') {
                uint32_t value = 0;
                while (k < length && text[k] >= '0' && text[k] <= '9')
                    value = value * 10u + uint32_t(text[k++] - '0');
                if (valueCount >= MaxPending + 2)
                    return 1;
                values[valueCount++] = int32_t(value);
                expectOperand = false;
                continue;
            }
            if (c == 'i' || c == 'l' || c == 'o' || c == 'p' || c == 's' || c == 'x' ||
                (c >= 'A' && c <= 'Z')) {
                if (valueCount >= MaxPending + 2)
                    return 1;
                values[valueCount++] = Variable(c, st);
                expectOperand = false;
                ++k;
                continue;
            }
            if (c == '(') {
                if (operatorCount >= MaxPending)
                    return 1;
                operators[operatorCount++] = '(';
                ++k;
                continue;
            }
            return 1;
        }
        if (c == ')') {
            while (operatorCount > 0 && operators[operatorCount - 1] != '(')
                reduce();
            if (operatorCount == 0)
                return 1;
            --operatorCount;
            ++k;
            continue;
        }
        const int32_t precedence = Precedence(c);
        if (precedence == 0)
            return 1;
        while (operatorCount > 0 && operators[operatorCount - 1] != '(' &&
               Precedence(operators[operatorCount - 1]) >= precedence)
            reduce();
        if (operatorCount >= MaxPending)
            return 1;
        operators[operatorCount++] = c;
        expectOperand = true;
        ++k;
    }
    if (expectOperand)
        return 1;  // empty, or ending in an operator
    while (operatorCount > 0) {
        if (operators[operatorCount - 1] == '(')
            return 1;  // unclosed parenthesis
        reduce();
    }
    return values[0];
}
