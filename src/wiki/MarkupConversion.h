// The conversion call of the main window: page markup (UTF-8) to an HTML
// fragment through an output format, with a buffer that grows until the
// result fits.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <stdexcept>

struct OutputFormat;
struct TextHook;

namespace quorvel {

// Raised for a null format: a programming error, not a user's.
class AssertionFailure : public std::logic_error {
public:
    AssertionFailure() : std::logic_error("Assertion failure") {}
};

// Converts `text` with a private copy of `format` whose text-hook list is
// `hooks` (may be empty), options `flags`, font size `fontSize` and CR LF
// line ends. Returns the engine's result code. `result` is emptied first
// and set only on success (code 0), with trailing bytes of value 32 or
// below removed. Raises AssertionFailure when `format` is null.
std::int32_t ConvertMarkup(const QByteArray& text, const OutputFormat* format, QByteArray& result,
                           std::uint32_t flags = 0, std::int32_t fontSize = 0,
                           const TextHook* hooks = nullptr);

}  // namespace quorvel
