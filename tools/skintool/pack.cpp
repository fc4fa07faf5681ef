#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"
#include "skin/data/package_writer.h"
#include "tools/skintool/file_io.h"
#include "tools/skintool/skin_authoring.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/subcommands.h"

#include <algorithm>

namespace skin::tool {

namespace {

struct SourceFile {
    std::filesystem::path path;
    std::string name;    // the member name: the file name as it is
    std::string sortKey; // lower-cased, compared byte-wise
};

} // namespace

PackedFolder PackSkinFolder(const std::filesystem::path& folder) {
    if (!std::filesystem::is_directory(folder)) throw rtl::Exception(Quoted(folder) + ": not a folder");

    std::vector<SourceFile> definitions;
    std::vector<SourceFile> bitmaps;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        SourceFile file{entry.path(), entry.path().filename().string(), ""};
        file.sortKey = rtl::LowerCaseAscii(file.name);
        const std::string extension = rtl::LowerCaseAscii(entry.path().extension().string());
        if (extension == ".ini") definitions.push_back(std::move(file));
        if (extension == ".bmp") bitmaps.push_back(std::move(file));
    }
    if (definitions.size() != 1) {
        std::string found;
        for (const SourceFile& file : definitions)
            found += " '" + file.name + "'";
        throw rtl::Exception(Quoted(folder) + ": needs exactly one .ini file, found " +
                             std::to_string(definitions.size()) + (found.empty() ? "" : ":" + found));
    }
    std::sort(bitmaps.begin(), bitmaps.end(),
              [](const SourceFile& a, const SourceFile& b) { return a.sortKey < b.sortKey; });

    PackageWriter writer;
    PackedFolder packed;
    auto add = [&](const SourceFile& file) {
        std::vector<std::uint8_t> bytes = ReadFileBytes(file.path);
        packed.UnpackedBytes += bytes.size();
        try {
            writer.AddMember(file.name, std::move(bytes));
        } catch (const std::exception& e) {
            throw rtl::Exception(Quoted(folder) + ": " + e.what());
        }
    };
    add(definitions.front());
    for (const SourceFile& file : bitmaps)
        add(file);

    try {
        packed.Compressed = writer.BuildCompressed();
    } catch (const std::exception& e) {
        throw rtl::Exception(Quoted(folder) + ": " + e.what());
    }
    packed.Members = writer.Count();
    return packed;
}

int RunPack(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const std::filesystem::path skinFile = args[1];
    const PackedFolder packed = PackSkinFolder(args[0]);
    WriteFileBytes(skinFile, packed.Compressed);
    out << "packed " << packed.Members << " members (" << packed.UnpackedBytes << " bytes) into "
        << Quoted(skinFile) << " (" << packed.Compressed.size() << " bytes)\n";
    return kExitSuccess;
}

} // namespace skin::tool
