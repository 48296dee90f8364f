// The engine's entry: sets up the RenderState over the caller's buffer and
// runs the tokenizer and the state machine over the input.
#include <cstring>

#include "EngineInternal.h"

using namespace engine;

namespace {

// Ends whatever is open when the text ends.
int32_t FinishByState(RenderState* st)
{
    switch (st->state) {
    case BlockState::InText:
    case BlockState::LineStart: {
        const int32_t result = CloseInline(st);
        return result != MarkupOk ? result : EndAll(st);
    }
    case BlockState::InHeading: {
        const int32_t result = CloseInline(st);
        if (result != MarkupOk)
            return result;
        st->l = st->headingLevel;
        const int32_t notified = NotifyHeadingEnd(st);
        return notified != MarkupOk ? notified : Put(st, st->format->HeadingEnd);
    }
    case BlockState::InPre:
    case BlockState::PreLineStart: {
        // An unclosed block ends with the text.
        const int32_t notified = NotifyPreEnd(st);
        return notified != MarkupOk ? notified : Put(st, st->format->PreEnd);
    }
    case BlockState::BlockStart:
        break;
    }
    return MarkupOk;
}

}  // namespace

int32_t RenderMarkup(const char* input, int32_t inputLength, char* buffer, int32_t bufferSize,
                     uint32_t options, const char* lineEnd, const OutputFormat* format,
                     int32_t fontSize, const char** output, int32_t* outputLength,
                     int32_t* outputChars)
{
    if (!format)
        format = TextOutputFormat();
    if (!lineEnd)
        lineEnd = "\n";
    if (inputLength < 0 || (inputLength > 0 && !input))
        inputLength = 0;
    const int32_t half = bufferSize > 0 && buffer ? bufferSize / 2 : 0;
    if (inputLength > half)
        return MarkupNoRoom;

    RenderState st;
    std::memset(&st, 0, sizeof st);
    st.format = format;
    st.lineEnd = lineEnd;
    st.lineEndLength = int32_t(std::strlen(lineEnd));
    st.metaChar = uint8_t(format->MetaChar);
    st.options = options;
    st.s = fontSize < 1 ? format->DefaultFontSize : fontSize;
    st.x = (options & OptHeadingAnchors) != 0 ? 1 : 0;
    st.buffer = buffer;
    st.half = half;
    if (inputLength > 0)
        std::memcpy(buffer, input, size_t(inputLength));
    st.input = buffer;
    st.inputLength = inputLength;
    st.output = buffer + half;
    st.capacity = half;
    st.state = BlockState::BlockStart;
    st.inlineStack[0] = InlineKind::Bold;
    ForgetBreaks(&st);
    ForgetInputSearches(&st);
    PreparePlainText(&st);

    if ((options & OptNoFrame) == 0 && Put(&st, format->DocumentBegin) != MarkupOk)
        return MarkupNoRoom;

    const bool hooks = format->TextHooks && (options & OptNoExtensions) == 0;
    while (st.position < st.inputLength) {
        if (st.outputLength + 2 >= st.capacity)
            return MarkupNoRoom;
        int32_t result = MarkupOk;
        if (hooks && (result = RunTextHooks(&st)) != MarkupOk)
            return result;
        st.tokenStart = st.position;
        NextToken(&st);
        if (st.token == TokenKind::TokEndOfText)
            break;
        result = HandleBlockToken(&st);
        if (result != MarkupOk)
            return result;
    }

    int32_t result = FinishByState(&st);
    if (result != MarkupOk)
        return result;
    if ((options & OptNoFrame) == 0 && Put(&st, format->DocumentEnd) != MarkupOk)
        return MarkupNoRoom;
    if (st.outputLength + 1 >= st.capacity)
        return MarkupNoRoom;
    st.output[st.outputLength] = '\0';
    if (output)
        *output = st.output;
    if (outputLength)
        *outputLength = st.outputLength;
    if (outputChars)
        *outputChars = st.outputChars;
    return MarkupOk;
}
