#include "wiki/MarkupConversion.h"

#include "markup/GrowingConvert.h"
#include "markup/MarkupEngine.h"

#include <string_view>

namespace quorvel {

std::int32_t ConvertMarkup(const QByteArray& text, const OutputFormat* format, QByteArray& result,
                           std::uint32_t flags, std::int32_t fontSize, const TextHook* hooks)
{
    result.clear();
    if (!format)
        throw AssertionFailure();
    OutputFormat local = *format;
    local.TextHooks = hooks;
    const GrowingConversion conversion =
        GrowingConvert(std::string_view(text.constData(), size_t(text.size())), flags, "\r\n",
                       &local, fontSize);
    if (conversion.result != MarkupOk)
        return conversion.result;
    std::string_view output = conversion.text();
    while (!output.empty() && static_cast<unsigned char>(output.back()) <= 32)
        output.remove_suffix(1);
    result = QByteArray(output.data(), qsizetype(output.size()));
    return conversion.result;
}

}  // namespace quorvel
