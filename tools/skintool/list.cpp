#include "tools/skintool/skin_file.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/subcommands.h"

#include <iomanip>

namespace skin::tool {

int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    TSkinReader reader;
    LoadSkinFile(args[0], reader);
    std::int64_t total = 0;
    out << std::setw(10) << "size"
        << "  name\n";
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        out << std::setw(10) << reader.MemberSize(i) << "  " << reader.Names()[i] << '\n';
        total += reader.MemberSize(i);
    }
    out << std::setw(10) << total << "  (" << reader.Count() << " member" << (reader.Count() == 1 ? "" : "s")
        << ")\n";
    return kExitSuccess;
}

} // namespace skin::tool
