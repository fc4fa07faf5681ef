// The subcommands of skintool, one file each; commands.cpp lists them in its dispatch table.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace skin::tool {

// Runs one subcommand on its arguments (the subcommand name removed). Failures raise exceptions whose
// message names the file and what is wrong; the dispatcher reports them on stderr.
using SubcommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err);

struct Subcommand {
    std::string_view name;
    std::string_view arguments; // as shown in the usage line
    std::size_t argumentCount;
    std::string_view summary;
    SubcommandFunction run;
};

int RunPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunUnpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunVerify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace skin::tool
