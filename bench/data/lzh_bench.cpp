// lzh_bench: figures for the skin package code on a synthetic skin-sized package.
//   lzh_bench                 ratio, encode and decode speed (best of several rounds)
//   lzh_bench --decode-once   one decode only, for instruction counts:
//       valgrind --tool=callgrind --toggle-collect='skin::TLZH::Expand*' lzh_bench --decode-once
//   lzh_bench --write <file>  writes the compressed sample (a skin file) for skintool
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "bench/data/sample_skin.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/skin_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double BestSeconds(int rounds, F&& work) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

constexpr double kMegabyte = 1e6;

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::uint8_t> package = skin::bench::MakeSampleSkinPackage();
    const std::vector<std::uint8_t> compressed = skin::LzhCompress(package);

    if (argc == 2 && std::strcmp(argv[1], "--decode-once") == 0) {
        std::vector<std::uint8_t> out;
        skin::TSkinReader::Unpack(compressed, out);
        std::printf("decoded %zu bytes from %zu\n", out.size(), compressed.size());
        return out == package ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        std::ofstream(argv[2], std::ios::binary)
            .write(reinterpret_cast<const char*>(compressed.data()), static_cast<std::streamsize>(compressed.size()));
        return 0;
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: lzh_bench [--decode-once | --write <file>]\n");
        return 2;
    }

    constexpr int kRounds = 20;
    std::vector<std::uint8_t> out;
    const double decode = BestSeconds(kRounds, [&] { skin::TSkinReader::Unpack(compressed, out); });
    if (out != package) {
        std::fprintf(stderr, "lzh_bench: decoded data differs from the package\n");
        return 1;
    }
    std::vector<std::uint8_t> encoded;
    const double encode = BestSeconds(kRounds / 4, [&] { encoded = skin::LzhCompress(package); });
    skin::TSkinReader reader;
    const double load = BestSeconds(kRounds, [&] { reader.LoadPackage(compressed); });

    std::printf("package            %zu bytes, %zu members\n", package.size(), reader.Count());
    std::printf("compressed         %zu bytes (ratio %.3f, %.1f %% of the package)\n", compressed.size(),
                static_cast<double>(package.size()) / static_cast<double>(compressed.size()),
                100.0 * static_cast<double>(compressed.size()) / static_cast<double>(package.size()));
    std::printf("decode (Unpack)    %.2f ms, %.1f MB/s of output\n", decode * 1e3,
                static_cast<double>(package.size()) / decode / kMegabyte);
    std::printf("LoadPackage        %.2f ms\n", load * 1e3);
    std::printf("encode             %.2f ms, %.1f MB/s of input\n", encode * 1e3,
                static_cast<double>(package.size()) / encode / kMegabyte);
    return 0;
}
