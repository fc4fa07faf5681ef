#include "tools/skintool/file_io.h"

#include "framework/rtl/exceptions.h"

#include <fstream>
#include <system_error>

namespace skin::tool {

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw rtl::Exception(Quoted(path) + ": " +
                             (std::filesystem::exists(path, error) ? "not a file" : "no such file"));
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw rtl::Exception(Quoted(path) + ": " + error.message());
    if (size > kMaxInputFileSize) {
        throw rtl::Exception(Quoted(path) + ": " + std::to_string(size) +
                             " bytes, larger than any skin file can be");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw rtl::Exception(Quoted(path) + ": cannot open for reading");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        throw rtl::Exception(Quoted(path) + ": read error after " + std::to_string(in.gcount()) + " bytes");
    }
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw rtl::Exception(Quoted(path) + ": cannot open for writing");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw rtl::Exception(Quoted(path) + ": write error");
}

} // namespace skin::tool
