// Deterministic test inputs for the skin data tests: the same bytes on every platform and compiler.
#pragma once

#include "skin/data/lzh_encoder.h"
#include "tests/support/test_random.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin::testdata {

using skin::test::TestRandom;

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
    TestRandom random(seed);
    std::vector<std::uint8_t> out(size);
    for (auto& byte : out)
        byte = static_cast<std::uint8_t>(random.Next() >> 24);
    return out;
}

// Bytes shaped like a skin: INI-style lines, then bitmap-like rows of slowly changing pixels with
// noise, so that literals, short and long matches and far offsets all occur.
inline std::vector<std::uint8_t> StructuredBytes(std::size_t size, std::uint32_t seed) {
    TestRandom random(seed);
    static constexpr std::string_view kWords[] = {
        "[TitlebarSkin]", "\r\n",          "Left=", "Top=",   "Frame.bmp",
        "255,0,255",      "Transparent=1", " ",     "Button", "=3"};
    std::vector<std::uint8_t> out;
    out.reserve(size);
    while (out.size() < size / 8) {
        const std::string_view word = kWords[random.Below(std::size(kWords))];
        out.insert(out.end(), word.begin(), word.end());
    }
    std::uint8_t level = 0x40;
    while (out.size() < size) {
        if (random.Below(64) == 0) level = static_cast<std::uint8_t>(random.Next());
        const std::uint32_t noise = random.Below(16);
        out.push_back(static_cast<std::uint8_t>(level + (noise == 0 ? random.Below(8) : 0)));
        if (random.Below(3) == 0) ++level;
    }
    out.resize(size);
    return out;
}

inline std::uint64_t Fnv1a64(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3u;
    }
    return hash;
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

inline void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Any package, consistent or not, compressed as a skin stream; the reserved bytes are A0 to A7.
inline std::vector<std::uint8_t> RawPackage(std::uint32_t version, std::string_view nameList,
                                            const std::vector<std::uint32_t>& sizes, std::string_view data,
                                            std::optional<std::uint32_t> nameListLength = std::nullopt) {
    std::vector<std::uint8_t> raw;
    PutUint32(raw, version);
    PutUint32(raw, nameListLength.value_or(static_cast<std::uint32_t>(nameList.size())));
    for (int i = 0; i < 8; ++i)
        raw.push_back(static_cast<std::uint8_t>(0xA0 + i));
    raw.insert(raw.end(), nameList.begin(), nameList.end());
    for (const std::uint32_t size : sizes)
        PutUint32(raw, size);
    raw.insert(raw.end(), data.begin(), data.end());
    return LzhCompress(raw);
}

} // namespace skin::testdata
