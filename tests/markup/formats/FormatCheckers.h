// Checks of the export formats' outputs, shared by their tests and the
// fixture page test. Each returns an empty string when the output is sound,
// else what is wrong with it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "markup/OutputFormat.h"

namespace format_test {

// Every group closes, the document is one group, and the text is 7-bit
// without control characters other than line ends.
std::string RtfFault(const std::string& rtf);

// \begin and \end pair up and braces balance outside verbatim blocks; no
// '%' starts a comment.
std::string LatexFault(const std::string& tex);

// Every line that starts with a control character is one of the requests
// the man format writes, and no blank line follows a text line outside an
// example.
std::string ManFault(const std::string& page);

// Converts `count` random pages (control bytes and broken UTF-8 included),
// each with the next of the option sets in turn, and fails the calling test
// at the first output for which fault() is not empty.
void CheckRandomPages(const OutputFormat* format, std::string (*fault)(const std::string&),
                      int count, std::initializer_list<uint32_t> optionSets = {0});

// The HTML the wiki shows for input, without line wrapping.
std::string UnwrappedHtml(std::string_view input);

// HTML with the white space that Creole cannot express taken out.
std::string Normalised(const std::string& html);

}  // namespace format_test
