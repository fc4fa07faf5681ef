#include "framework/rtl/exceptions.h"
#include "skin/data/lzh.h"
#include "tools/skintool/file_io.h"
#include "tools/skintool/skin_file.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/subcommands.h"

namespace skin::tool {

namespace {

constexpr std::size_t kSizeFieldBytes = 4;

} // namespace

// Checks more than loading does: the reader tolerates what a correct writer never produces (a last match
// past the size, bytes after the last member); verify reports them. A code that runs out early is refused
// by the reader itself.
int RunVerify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::filesystem::path skinFile = args[0];
    TSkinReader reader;
    const std::vector<std::uint8_t> bytes = LoadSkinFile(skinFile, reader); // version, header, member table
    const auto declared = static_cast<std::int32_t>(ReadUint32Le(bytes.data()));
    const std::span<const std::uint8_t> code(bytes.begin() + kSizeFieldBytes, bytes.end());
    std::vector<std::uint8_t> unpacked;
    TLZH decoder(code, unpacked);
    decoder.Expand(declared);

    std::vector<std::string> problems;
    if (unpacked.size() != static_cast<std::size_t>(declared)) {
        problems.push_back("decodes to " + std::to_string(unpacked.size()) + " bytes, not the declared " +
                           std::to_string(declared));
    }
    std::int64_t members = 0;
    for (std::size_t i = 0; i < reader.Count(); ++i)
        members += reader.MemberSize(i);
    if (members != static_cast<std::int64_t>(reader.DataSize())) {
        problems.push_back(std::to_string(static_cast<std::int64_t>(reader.DataSize()) - members) +
                           " bytes follow the last member");
    }
    std::vector<std::uint8_t> definition;
    std::string definitionName;
    if (!reader.ExtractFirstMatching(".ini", definition, definitionName)) {
        problems.push_back("no member name contains '.ini', so there is no skin definition");
    }
    const std::uint64_t codeEnd = (decoder.ConsumedBits() + 7) / 8;
    if (codeEnd < code.size()) {
        err << "skintool verify: " << Quoted(skinFile) << ": note: " << code.size() - codeEnd
            << " bytes after the end of the code are ignored\n";
    }

    if (!problems.empty()) {
        for (const std::string& problem : problems)
            err << "skintool verify: " << Quoted(skinFile) << ": " << problem << '\n';
        return kExitFailure;
    }
    out << Quoted(skinFile) << ": OK, version " << reader.Version() << ", " << reader.Count() << " members, "
        << unpacked.size() << " bytes unpacked from " << bytes.size() << ", definition '" << definitionName
        << "'\n";
    return kExitSuccess;
}

} // namespace skin::tool
