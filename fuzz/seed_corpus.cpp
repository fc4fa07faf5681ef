// Writes small seed inputs for each fuzz target: usage fuzz_seed_corpus <folder>; makes one subfolder
// per target. Generated rather than stored, so the seeds follow the format if it ever changes.
#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "tests/support/odd_skin.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Text(std::string_view text) {
    return {text.begin(), text.end()};
}

// A small skin-like package: a definition and a few bitmap-like members.
skin::PackageWriter SampleWriter(int bitmaps, std::size_t bitmapSize) {
    skin::PackageWriter writer;
    writer.AddMember("Skin.ini",
                     Text("[TitlebarSkin]\r\nSkinFile=top.bmp\r\n[Colours]\r\nBtnFace=192,192,192\r\n"));
    for (int i = 0; i < bitmaps; ++i) {
        std::vector<std::uint8_t> bitmap = Text("BM");
        for (std::size_t k = 0; k < bitmapSize; ++k)
            bitmap.push_back(static_cast<std::uint8_t>((k * (i + 3)) / 7));
        writer.AddMember("image" + std::to_string(i) + ".bmp", bitmap);
    }
    writer.AddMember("empty.bmp", {});
    return writer;
}

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Prefixed(std::uint8_t first, const std::vector<std::uint8_t>& rest) {
    std::vector<std::uint8_t> out{first};
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seed_corpus <folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    for (const char* target :
         {"lzh_expand_fuzzer", "skin_package_fuzzer", "lzh_roundtrip_fuzzer", "skin_load_fuzzer"}) {
        fs::create_directories(root / target);
    }
    const std::vector<std::vector<std::uint8_t>> samples{
        Text("a"),
        Text("hello hello hello hello"),
        std::vector<std::uint8_t>(200, ' '),
        SampleWriter(1, 60).Build(),
        SampleWriter(4, 700).Build(),
    };
    int index = 0;
    for (const auto& sample : samples) {
        const std::string name = "seed" + std::to_string(index++);
        Write(root / "lzh_expand_fuzzer" / name, skin::LzhCompress(sample));
        Write(root / "lzh_roundtrip_fuzzer" / name, sample);
    }
    for (const int bitmaps : {0, 1, 4}) {
        const skin::PackageWriter writer = SampleWriter(bitmaps, 120);
        const std::string name = "package" + std::to_string(bitmaps);
        Write(root / "skin_package_fuzzer" / (name + "-compressed"), Prefixed(0, writer.BuildCompressed()));
        Write(root / "skin_package_fuzzer" / (name + "-raw"), Prefixed(1, writer.Build()));
    }
    // Odd but loadable skins from the generator, each with another window size in its first byte.
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        const std::uint8_t first = static_cast<std::uint8_t>((seed * 37) | 1);
        Write(root / "skin_load_fuzzer" / ("odd" + std::to_string(seed)),
              Prefixed(first, skin::test::MakeOddSkin(seed).Package().Build()));
    }
    return 0;
}
