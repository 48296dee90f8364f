// Renders Markdown to HTML with md4c, the peer the engine is measured against.
#pragma once

#include <string>
#include <string_view>

// Appends the HTML of markdown to html (cleared first). Returns md4c's result:
// 0 on success.
int RenderMarkdownWithMd4c(std::string_view markdown, std::string& html);
