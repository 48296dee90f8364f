// Deterministic benchmark inputs: a realistic wiki corpus written both as
// Creole and as Markdown from one document model, and the pathological
// families that once made conversion time grow faster than the input (the
// six of the engine's targets, and a long word in a list item, found later).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The same generated document in the two markup languages.
struct RealisticCorpus {
    std::string creole;
    std::string markdown;
};

// Generates headings, wrapped prose with bold, italic, monospace, links,
// images, escapes and forced breaks, nested bullet and numbered lists,
// definition lists, tables with a header row, preformatted blocks and rules
// until the Creole text holds at least targetBytes. Lines end in CR LF, as the
// wiki's editor writes them. The same seed gives the same text.
RealisticCorpus GenerateRealisticCorpus(size_t targetBytes, uint64_t seed);

// One pathological family: a name for the report and its generator, which
// returns exactly targetBytes of Creole text.
struct PathologicalFamily {
    const char* name;
    std::string (*generate)(size_t targetBytes);
};

const std::vector<PathologicalFamily>& PathologicalFamilies();
