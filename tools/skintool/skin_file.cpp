#include "tools/skintool/skin_file.h"

#include "tools/skintool/file_io.h"

namespace skin::tool {

std::vector<std::uint8_t> LoadSkinFile(const std::filesystem::path& path, TSkinReader& reader) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    bool loaded = false;
    try {
        loaded = reader.LoadPackage(bytes);
    } catch (const std::exception& e) {
        throw rtl::Exception("skin file " + Quoted(path) + ": " + e.what());
    }
    if (!loaded) {
        std::vector<std::uint8_t> unpacked;
        TSkinReader::Unpack(bytes, unpacked);
        const std::uint32_t version = ReadUint32Le(unpacked.data()); // LoadPackage saw a 16-byte header
        throw rtl::Exception("skin file " + Quoted(path) + ": package version " + std::to_string(version) +
                             ", this program reads version " + std::to_string(kPackageVersion));
    }
    return bytes;
}

} // namespace skin::tool
