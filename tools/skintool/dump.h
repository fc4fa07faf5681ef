// skintool dump: how the engine reads a skin file. Prints the skin name, every element slot with its
// record fields and image sizes, the colours, the colour table and the caption buttons, in a fixed order
// and layout that skin authors and tests can compare line by line.
#pragma once

#include "skin/data/skin_definition.h"

#include <ostream>
#include <string>
#include <vector>

namespace skin::tool {

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Everything after the file line: what a loaded definition holds.
void DumpSkin(const TSkinDefinition& skin, std::ostream& out);

} // namespace skin::tool
