// A small strict checker of XML 1.0 well-formedness, enough for the XML
// format's output: the declaration, elements with attributes, character and
// predefined entity references, UTF-8 text limited to XML's characters.
#pragma once

#include <string>
#include <string_view>

namespace format_test {

// Returns an empty string for a well-formed document, else a description of
// the first fault and its byte offset.
std::string XmlFault(std::string_view document);

}  // namespace format_test
