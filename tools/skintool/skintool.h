// skintool: the skin author's command-line tool. RunSkintool is the whole program minus the process:
// main() hands it the arguments and the standard streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace skin::tool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // a file could not be read, written or is damaged
inline constexpr int kExitUsage = 2;   // the command line itself is wrong

// args excludes the program name.
int RunSkintool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace skin::tool
