#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"
#include "tools/skintool/file_io.h"
#include "tools/skintool/skin_file.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/subcommands.h"

#include <array>
#include <set>

namespace skin::tool {

namespace {

// Member names come from the skin file, which may come from anywhere: only plain file names that mean
// the same on Windows and elsewhere are written, never a path, a device or a name Windows would alter.
std::string UnsafeNameReason(const std::string& name) {
    if (name.empty()) return "empty name";
    if (name == "." || name == "..") return "not a file name";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) return "control character in the name";
        if (std::string_view("/\\:<>\"|?*").find(c) != std::string_view::npos) {
            return std::string("character '") + c + "' in the name";
        }
    }
    if (name.back() == ' ' || name.back() == '.') return "name ends in a blank or a dot";
    static constexpr std::array kDevices{"con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4",
                                         "com5", "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3",
                                         "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
    const std::string stem = rtl::LowerCaseAscii(name.substr(0, name.find('.')));
    for (const char* device : kDevices) {
        if (stem == device) return "a device name on Windows";
    }
    return {};
}

} // namespace

int RunUnpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::filesystem::path skinFile = args[0];
    const std::filesystem::path folder = args[1];
    TSkinReader reader;
    LoadSkinFile(skinFile, reader);

    // Check every name before writing anything, so that a bad file leaves no partial output.
    for (const std::string& name : reader.Names()) {
        const std::string reason = UnsafeNameReason(name);
        if (!reason.empty()) {
            throw rtl::Exception("skin file " + Quoted(skinFile) + ": member '" + name +
                                 "' cannot be written (" + reason + ")");
        }
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw rtl::Exception(Quoted(folder) + ": " + error.message());

    std::set<std::string> written;
    std::vector<std::uint8_t> member;
    for (const std::string& name : reader.Names()) {
        if (!written.insert(name).second) {
            err << "skintool unpack: " << Quoted(skinFile) << ": member '" << name
                << "' repeats an earlier name; only the first is written, as the reader uses it\n";
            continue;
        }
        reader.ExtractMember(name, member);
        WriteFileBytes(folder / name, member);
    }
    out << "unpacked " << written.size() << " members into " << Quoted(folder) << '\n';
    return kExitSuccess;
}

} // namespace skin::tool
