// The built-in output formats by name, for command-line programs.
#pragma once

#include <cstddef>

#include "OutputFormat.h"

struct FormatTableEntry {
    const char* name;
    const OutputFormat* (*function)();
};

// Every implemented format, in the order they are listed to users.
extern const FormatTableEntry MarkupFormatTable[];
extern const size_t MarkupFormatCount;

// The format of that name, or null.
const OutputFormat* FindOutputFormat(const char* name);
