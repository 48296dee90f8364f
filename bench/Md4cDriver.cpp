// md4c's own HTML renderer with its output collected in one string, the way
// the engine's output lands in one buffer. Tables are on: the corpus has them.
#include "Md4cDriver.h"

#include <md4c-html.h>

namespace {

void AppendOutput(const MD_CHAR* text, MD_SIZE size, void* userdata)
{
    static_cast<std::string*>(userdata)->append(text, size);
}

}  // namespace

int RenderMarkdownWithMd4c(std::string_view markdown, std::string& html)
{
    html.clear();
    return md_html(markdown.data(), MD_SIZE(markdown.size()), AppendOutput, &html,
                   MD_FLAG_TABLES, 0);
}
