#include "bench/data/mixed_data.h"

#include "tests/support/test_random.h"

#include <algorithm>
#include <string_view>

namespace skin::bench {

namespace {

using Random = skin::test::TestRandom;

void AppendText(std::vector<std::uint8_t>& out, std::size_t count, Random& random) {
    static constexpr std::string_view kWords[] = {
        "the ", "skin ", "window ", "caption ", "button ", "=",         "\r\n", "[Colours]",
        "Left", "Top",   "frame ",  "value ",   "of ",     "and ",      "0x",   "255,",
        "128,", "draw ", "region ", "bitmap ",  "; ",      "converter "};
    for (std::size_t end = out.size() + count; out.size() < end;) {
        const std::string_view word = kWords[random.Below(std::size(kWords))];
        out.insert(out.end(), word.begin(), word.end());
    }
}

void AppendPixels(std::vector<std::uint8_t>& out, std::size_t count, Random& random) {
    auto level = static_cast<std::uint8_t>(random.Next());
    for (std::size_t k = 0; k < count; ++k) {
        if (k % 3 == 0 && random.Below(4) == 0) ++level;
        out.push_back(
            static_cast<std::uint8_t>(level + k % 3 * 40 + (random.Below(16) == 0 ? random.Below(6) : 0)));
    }
}

void AppendCounters(std::vector<std::uint8_t>& out, std::size_t count, Random& random) {
    std::uint32_t value = random.Below(1u << 20);
    for (std::size_t k = 0; k < count; k += 4) {
        value += 1 + random.Below(24);
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendNoise(std::vector<std::uint8_t>& out, std::size_t count, Random& random) {
    for (std::size_t k = 0; k < count; ++k)
        out.push_back(static_cast<std::uint8_t>(random.Next() >> 24));
}

// An earlier stretch again, now and then with a byte changed: long matches, near and far.
void AppendRepeat(std::vector<std::uint8_t>& out, std::size_t count, Random& random) {
    if (out.size() < count) return AppendNoise(out, count, random);
    const std::size_t from =
        out.size() - count -
        random.Below(static_cast<std::uint32_t>(std::min<std::size_t>(out.size() - count, 6000)) + 1);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t byte = out[from + k];
        out.push_back(random.Below(64) == 0 ? static_cast<std::uint8_t>(byte ^ 1) : byte);
    }
}

} // namespace

std::vector<std::uint8_t> MakeMixedData(std::size_t size) {
    Random random(0x2545F491); // the seed the benchmark figures were taken with
    std::vector<std::uint8_t> out;
    out.reserve(size + 8192);
    while (out.size() < size) {
        const std::size_t count = 256 + random.Below(4096);
        switch (random.Below(10)) {
        case 0:
        case 1:
        case 2:
            AppendText(out, count, random);
            break;
        case 3:
        case 4:
            AppendPixels(out, count, random);
            break;
        case 5:
            AppendCounters(out, count, random);
            break;
        case 6:
            AppendNoise(out, count, random);
            break;
        default:
            AppendRepeat(out, count, random);
            break;
        }
    }
    out.resize(size);
    return out;
}

} // namespace skin::bench
