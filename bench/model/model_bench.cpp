// Figures for loading a skin (run by hand, not a test): the time from the stored bytes of a skin the size
// of the program's own (about 128 KB unpacked, 44 bitmaps) to a complete model (unpack, read the
// definition, decode every bitmap), and the memory the loaded skin then holds.
//
//   model_bench [--iterations N]   timing, best and median of N loads (default 200)
//   model_bench --once             one load only, for instruction counts:
//     valgrind --tool=callgrind --toggle-collect='skin::bench::LoadStoredSkin*' model_bench --once
#include "bench/model/synthetic_skin.h"
#include "skin/data/skin_definition.h"
#include "skin/data/skin_package.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace skin::bench {

// The measured work, kept out of line so that callgrind can count exactly it.
[[gnu::noinline]] void LoadStoredSkin(const std::vector<std::uint8_t>& stored, TSkinDefinition& skin) {
    TSkinReader reader;
    if (!reader.LoadPackage(stored)) throw rtl::Exception("synthetic skin refused");
    skin.LoadPackageDefinition(reader);
}

} // namespace skin::bench

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

void PrintMemory(const skin::TSkinDefinition& skin) {
    const skin::TSkinDefinition::MemoryUse memory = skin.MemoryHeld();
    std::printf(
        "memory held by the loaded skin: %zu bytes of image pixels + %zu bytes in %zu records = %zu bytes\n",
        memory.ImageBytes, memory.RecordBytes, memory.Records, memory.ImageBytes + memory.RecordBytes);
}

} // namespace

int main(int argc, char** argv) {
    bool once = false;
    int iterations = 200;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--once") == 0) {
            once = true;
        } else if (std::strcmp(argv[i], "--iterations") == 0 && i + 1 < argc) {
            iterations = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: model_bench [--once] [--iterations N]\n");
            return 2;
        }
    }

    const std::vector<std::uint8_t> stored = skin::bench::MakeSyntheticSkin();
    skin::TSkinReader reader;
    reader.LoadPackage(stored);
    std::printf("synthetic skin: %zu bytes stored, %u bytes unpacked, %zu members\n", stored.size(),
                skin::ReadUint32Le(stored.data()), reader.Count());

    if (once) {
        skin::TSkinDefinition skin(nullptr);
        skin::bench::LoadStoredSkin(stored, skin);
        PrintMemory(skin);
        return 0;
    }

    std::vector<double> loads;
    std::vector<double> unpacks;
    skin::TSkinDefinition skin(nullptr);
    for (int i = 0; i < iterations; ++i) {
        const Clock::time_point start = Clock::now();
        skin::bench::LoadStoredSkin(stored, skin);
        const Clock::time_point loaded = Clock::now();
        skin::TSkinReader unpackOnly;
        unpackOnly.LoadPackage(stored);
        const Clock::time_point unpacked = Clock::now();
        loads.push_back(Microseconds(loaded - start));
        unpacks.push_back(Microseconds(unpacked - loaded));
    }
    std::sort(loads.begin(), loads.end());
    std::sort(unpacks.begin(), unpacks.end());
    const std::size_t middle = loads.size() / 2;
    std::printf("load from stored bytes to the complete model: best %.0f us, median %.0f us (%d loads)\n",
                loads.front(), loads[middle], iterations);
    std::printf("  of which unpacking the package: best %.0f us, median %.0f us\n", unpacks.front(),
                unpacks[middle]);
    PrintMemory(skin);
    return 0;
}
