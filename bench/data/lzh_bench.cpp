// lzh_bench: figures for the skin package code. The decoder (TLZH, through TSkinReader::Unpack) runs
// against the reference decoder it replaced, in alternating rounds on the same inputs:
//   skin     a skingen-drawn skin packed as the skin tool packs it (about 128 KB)
//   sample   this benchmark's own sample package, bitmaps with more noise (about 131 KB)
//   mixed    1 MiB of text, pixel rows, counters, noise and repeats
//
//   lzh_bench                  decode speed of both decoders (best of several rounds), encode speed, ratio
//   lzh_bench --decode-once <input> [--reference]
//                              one decode only, for instruction counts (scripts/lzh-instructions.sh):
//       valgrind --tool=callgrind --toggle-collect='skin::bench::DecodeWith*' lzh_bench --decode-once skin
//   lzh_bench --write <file>   writes the compressed sample (a skin file) for skintool
#include "bench/data/generated_skin.h"
#include "bench/data/mixed_data.h"
#include "bench/data/sample_skin.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/skin_package.h"
#include "skin/data/skin_reader.h"
#include "tests/support/reference_lzh.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace skin::bench {

// The measured work, kept out of line so that callgrind can count exactly it. Both decode into a reused
// buffer, as TSkinReader::Unpack does.
[[gnu::noinline]] void DecodeWithTLZH(const std::vector<std::uint8_t>& stream,
                                      std::vector<std::uint8_t>& out) {
    TSkinReader::Unpack(stream, out);
}

[[gnu::noinline]] void DecodeWithReference(const std::vector<std::uint8_t>& stream,
                                           std::vector<std::uint8_t>& out) {
    out.clear();
    reference::ReferenceLzhDecoder decoder(std::span<const std::uint8_t>(stream).subspan(4), out);
    decoder.Expand(static_cast<std::int32_t>(ReadUint32Le(stream.data())));
}

} // namespace skin::bench

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

template <typename F> double BestSeconds(int rounds, F&& work) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, Seconds(Clock::now() - start));
    }
    return best;
}

constexpr double kMegabyte = 1e6;
constexpr std::size_t kMixedSize = 1024 * 1024;

struct Input {
    const char* name;
    Bytes stream; // 4-byte size, then the code
    Bytes data;
};

std::vector<Input> MakeInputs() {
    std::vector<Input> inputs;
    Bytes skin = skin::bench::MakeGeneratedSkinPackage();
    inputs.push_back({"skin", skin::LzhCompress(skin), std::move(skin)});
    Bytes sample = skin::bench::MakeSampleSkinPackage();
    inputs.push_back({"sample", skin::LzhCompress(sample), std::move(sample)});
    Bytes mixed = skin::bench::MakeMixedData(kMixedSize);
    inputs.push_back({"mixed", skin::LzhCompress(mixed), std::move(mixed)});
    return inputs;
}

// Both decoders in alternating order each round, so that both meet the same disturbances. Besides the
// best time of each, the ratio of the two times within each round: its median holds up on a busy
// machine, where the best times of the two may come from calmer and busier moments.
bool CompareDecoders(const Input& input) {
    const int rounds = input.data.size() > 512 * 1024 ? 15 : 60;
    double reference = 1e9;
    double tuned = 1e9;
    std::vector<double> ratios;
    Bytes out;
    for (int round = 0; round < rounds; ++round) {
        double seconds[2] = {};
        for (int turn = 0; turn < 2; ++turn) {
            const bool referenceTurn = (round + turn) % 2 == 0;
            const auto start = Clock::now();
            if (referenceTurn) {
                skin::bench::DecodeWithReference(input.stream, out);
            } else {
                skin::bench::DecodeWithTLZH(input.stream, out);
            }
            seconds[referenceTurn ? 0 : 1] = Seconds(Clock::now() - start);
            if (out != input.data) {
                std::fprintf(stderr, "lzh_bench: %s decoder output differs on %s\n",
                             referenceTurn ? "reference" : "TLZH", input.name);
                return false;
            }
        }
        reference = std::min(reference, seconds[0]);
        tuned = std::min(tuned, seconds[1]);
        ratios.push_back(seconds[0] / seconds[1]);
    }
    std::sort(ratios.begin(), ratios.end());
    const auto size = static_cast<double>(input.data.size());
    std::printf(
        "%-7s %8zu -> %7zu bytes   reference %6.1f MB/s   TLZH %6.1f MB/s   %.2fx   median of rounds %.2fx\n",
        input.name, input.data.size(), input.stream.size(), size / reference / kMegabyte,
        size / tuned / kMegabyte, reference / tuned, ratios[ratios.size() / 2]);
    return true;
}

int DecodeOnce(const std::vector<Input>& inputs, const char* name, bool reference) {
    for (const Input& input : inputs) {
        if (std::strcmp(input.name, name) != 0) continue;
        Bytes out;
        if (reference) {
            skin::bench::DecodeWithReference(input.stream, out);
        } else {
            skin::bench::DecodeWithTLZH(input.stream, out);
        }
        std::printf("decoded %zu bytes from %zu\n", out.size(), input.stream.size());
        return out == input.data ? 0 : 1;
    }
    std::fprintf(stderr, "lzh_bench: no input called %s (skin, sample, mixed)\n", name);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        const Bytes compressed = skin::LzhCompress(skin::bench::MakeSampleSkinPackage());
        std::ofstream(argv[2], std::ios::binary)
            .write(reinterpret_cast<const char*>(compressed.data()),
                   static_cast<std::streamsize>(compressed.size()));
        return 0;
    }
    const std::vector<Input> inputs = MakeInputs();
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--decode-once") == 0) {
        const bool reference = argc == 4 && std::strcmp(argv[3], "--reference") == 0;
        if (argc == 4 && !reference) return 2;
        return DecodeOnce(inputs, argv[2], reference);
    }
    if (argc != 1) {
        std::fprintf(stderr,
                     "usage: lzh_bench [--decode-once <skin|sample|mixed> [--reference] | --write <file>]\n");
        return 2;
    }

    for (const Input& input : inputs) {
        if (!CompareDecoders(input)) return 1;
    }
    const Input& sample = inputs[1];
    Bytes encoded;
    const double encode = BestSeconds(5, [&] { encoded = skin::LzhCompress(sample.data); });
    skin::TSkinReader reader;
    const double load = BestSeconds(20, [&] { reader.LoadPackage(sample.stream); });
    std::printf("sample package     %zu members, ratio %.3f (%.1f %% of the package)\n", reader.Count(),
                static_cast<double>(sample.data.size()) / static_cast<double>(sample.stream.size()),
                100.0 * static_cast<double>(sample.stream.size()) / static_cast<double>(sample.data.size()));
    std::printf("LoadPackage        %.2f ms\n", load * 1e3);
    std::printf("encode             %.2f ms, %.1f MB/s of input\n", encode * 1e3,
                static_cast<double>(sample.data.size()) / encode / kMegabyte);
    return 0;
}
