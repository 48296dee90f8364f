#include "FormatSupport.h"

int32_t DecodeUtf8(const char* text, int32_t length, uint32_t* codePoint)
{
    if (length < 1)
        return 0;
    const auto byte = [text](int32_t k) { return uint8_t(text[k]); };
    const uint8_t lead = byte(0);
    int32_t size;
    uint32_t value;
    uint32_t minimum;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (length < size)
        return 0;
    for (int32_t k = 1; k < size; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return size;
}

int32_t Utf8SequenceAt(const char* input, int32_t inputLength, int32_t position,
                       uint32_t* codePoint)
{
    const int32_t size = DecodeUtf8(input + position, inputLength - position, codePoint);
    if (size > 0)
        return size;
    if ((uint8_t(input[position]) & 0xC0) != 0x80)
        return -1;
    // A continuation byte: find a lead byte up to three bytes back whose
    // sequence reaches this byte.
    for (int32_t back = 1; back <= 3 && position - back >= 0; ++back) {
        const uint8_t b = uint8_t(input[position - back]);
        if ((b & 0xC0) == 0x80)
            continue;
        uint32_t ignored;
        const int32_t leadSize =
            DecodeUtf8(input + position - back, inputLength - (position - back), &ignored);
        return leadSize > back ? 0 : -1;
    }
    return -1;
}

int32_t WriteRaw(RenderState* state, const char* bytes, int32_t length)
{
    // Without the meta character the bytes read as plain text in one go; a
    // directive needs two more bytes after the meta character, so a single
    // byte is always plain too.
    const char meta = char(state->metaChar);
    bool plain = true;
    for (int32_t k = 0; k < length && plain; ++k)
        plain = bytes[k] != meta;
    if (plain || length == 1)
        return WriteTemplate(bytes, length, meta, state) != 0 ? 1 : 0;
    for (int32_t k = 0; k < length; ++k)
        if (WriteTemplate(bytes + k, 1, meta, state) != 0)
            return 1;
    return 0;
}

int32_t WriteRawString(RenderState* state, const char* text)
{
    int32_t length = 0;
    while (text[length] != '\0')
        ++length;
    return WriteRaw(state, text, length);
}

char LastOutputByte(const RenderState* state)
{
    return state->outputLength > 0 ? state->output[state->outputLength - 1] : '\0';
}

bool AtOutputLineStart(const RenderState* state)
{
    for (int32_t k = state->outputLength - 1; k >= 0; --k) {
        const char c = state->output[k];
        if (c == '\r' || c == '\n')
            return true;
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

bool InTableCell(const RenderState* state)
{
    if (state->depth < 1)
        return false;
    const LevelKind top = state->blockStack[state->depth - 1].kind;
    return top == LevelKind::DataCellLevel || top == LevelKind::HeaderCellLevel;
}

bool InlineOpen(const RenderState* state, InlineKind kind)
{
    for (int32_t k = 0; k < state->inlineDepth; ++k)
        if (state->inlineStack[k] == kind)
            return true;
    return false;
}
