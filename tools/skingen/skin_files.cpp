#include "tools/skingen/skin_files.h"

#include "framework/rtl/exceptions.h"
#include "tools/skingen/bmp_output.h"
#include "tools/skingen/definition_writer.h"

#include <fstream>
#include <set>

namespace skingen {

std::vector<SkinFile> SkinFiles(const Skin& skin) {
    std::vector<SkinFile> files;
    const std::string text = WriteDefinition(skin);
    files.push_back({kDefinitionFile, std::vector<std::uint8_t>(text.begin(), text.end())});
    for (const SkinImage& image : skin.Images())
        files.push_back({image.File, EncodeSmallest(image.Pixels)});
    return files;
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw rtl::Exception("cannot write '" + path.string() + "'");
}

void WriteSkinFolder(const std::vector<SkinFile>& files, const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw rtl::Exception("cannot create folder '" + folder.string() + "': " + ec.message());
    std::set<std::string> names;
    for (const SkinFile& f : files)
        names.insert(f.Name);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::filesystem::path& p = entry.path();
        const std::string ext = p.extension().string();
        if (entry.is_regular_file() && (ext == ".bmp" || ext == ".ini") &&
            !names.count(p.filename().string())) {
            std::filesystem::remove(p);
        }
    }
    for (const SkinFile& f : files)
        WriteFileBytes(folder / f.Name, f.Bytes);
}

} // namespace skingen
