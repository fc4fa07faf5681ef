#include "lzh_model.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace skin::lzh {

namespace {

// Runs of the offset code: how many table entries each upper value takes, and its code length.
struct OffsetRun {
    int firstUpper;
    int lastUpper;
    int entriesPerUpper;
    int codeLength;
};
constexpr std::array<OffsetRun, 6> kOffsetRuns{{
    {0, 0, 32, 3},
    {1, 3, 16, 4},
    {4, 11, 8, 5},
    {12, 23, 4, 6},
    {24, 47, 2, 7},
    {48, 63, 1, 8},
}};

struct OffsetTables {
    std::array<OffsetCodeEntry, 256> decode{};
    std::array<std::uint8_t, 64> start{};
    std::array<std::uint8_t, 64> length{};
};

constexpr OffsetTables MakeOffsetTables() {
    OffsetTables tables{};
    int index = 0;
    for (const OffsetRun& run : kOffsetRuns) {
        for (int upper = run.firstUpper; upper <= run.lastUpper; ++upper) {
            tables.start[upper] = static_cast<std::uint8_t>(index);
            tables.length[upper] = static_cast<std::uint8_t>(run.codeLength);
            for (int k = 0; k < run.entriesPerUpper; ++k) {
                tables.decode[index++] = {static_cast<std::uint8_t>(upper),
                                          static_cast<std::uint8_t>(run.codeLength)};
            }
        }
    }
    return tables;
}

constexpr OffsetTables kOffsetTables = MakeOffsetTables();
static_assert(kOffsetTables.decode[31].upper == 0 && kOffsetTables.decode[32].upper == 1 &&
              kOffsetTables.decode[255].upper == 63 && kOffsetTables.decode[255].length == 8);

} // namespace

const std::array<OffsetCodeEntry, 256> kOffsetDecodeTable = kOffsetTables.decode;
const std::array<std::uint8_t, 64> kOffsetCodeStart = kOffsetTables.start;
const std::array<std::uint8_t, 64> kOffsetCodeLength = kOffsetTables.length;

void AdaptiveHuffmanModel::InitTree() {
    for (int s = 0; s < kSymbolCount; ++s) {
        freq[s] = 1;
        child[s] = static_cast<std::int16_t>(kTreeSize + s);
        parent[kTreeSize + s] = static_cast<std::int16_t>(s);
    }
    int i = 0;
    for (int j = kSymbolCount; j <= kRoot; ++j, i += 2) {
        freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
        child[j] = static_cast<std::int16_t>(i);
        parent[i] = parent[i + 1] = static_cast<std::int16_t>(j);
    }
    std::fill(freq.begin() + kTreeSize, freq.end(), std::uint16_t{0xFFFF});
    parent[kRoot] = 0;
    BuildPrefixes();
}

std::ptrdiff_t AdaptiveHuffmanModel::LastOfWeight(std::ptrdiff_t next) const {
    // Runs of equal weights can be hundreds of nodes long (the leaves of symbols not seen yet): the
    // weights after next are compared four to a 64-bit word, each in its own 16-bit lane.
    static_assert(kWeightsPerLoad * sizeof(freq[0]) == sizeof(std::uint64_t));
    const std::uint64_t weight = freq[next] * std::uint64_t{0x0001'0001'0001'0001};
    for (std::ptrdiff_t k = next + 1;; k += kWeightsPerLoad) {
        std::uint64_t four;
        std::memcpy(&four, &freq[k], sizeof four);
        if (const std::uint64_t differ = four ^ weight; differ != 0) {
            // The first lane in memory that differs; only lanes that differ have bits set.
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(differ)
                                                                       : std::countl_zero(differ);
            return k + bit / 16 - 1;
        }
    }
}

std::ptrdiff_t AdaptiveHuffmanModel::MoveUp(std::ptrdiff_t c) {
    const std::uint16_t f = freq[c];
    const std::ptrdiff_t l = LastOfWeight(c + 1);
    // Node c keeps the weight f: the subtree that takes its place weighs f as well.
    freq[l] = static_cast<std::uint16_t>(f + 1);

    // The children's parent links follow; a leaf has one child entry, so for it the second store
    // repeats the first instead of branching.
    const int i = child[c];
    parent[i] = static_cast<std::int16_t>(l);
    parent[i + (i < kTreeSize ? 1 : 0)] = static_cast<std::int16_t>(l);

    const int j = child[l];
    child[l] = static_cast<std::int16_t>(i);
    parent[j] = static_cast<std::int16_t>(c);
    parent[j + (j < kTreeSize ? 1 : 0)] = static_cast<std::int16_t>(c);
    child[c] = static_cast<std::int16_t>(j);
    if (inPrefix[c]) RefreshPrefixes(c);
    if (inPrefix[l]) RefreshPrefixes(l);
    return l;
}

void AdaptiveHuffmanModel::BuildPrefixes() {
    inPrefix.fill(false);
    FillPrefixes(kRoot, 0, 0);
}

void AdaptiveHuffmanModel::FillPrefixes(std::ptrdiff_t node, unsigned code, int depth) {
    if (depth == kPrefixBits) {
        prefix[code] = {static_cast<std::int16_t>(node), static_cast<std::uint8_t>(kPrefixBits)};
        return;
    }
    inPrefix[node] = true;
    const int c = child[node];
    if (c >= kTreeSize) { // a leaf: every continuation of its code
        const int shift = kPrefixBits - depth;
        std::fill_n(prefix.begin() + (code << shift), 1u << shift,
                    CodePrefix{static_cast<std::int16_t>(c), static_cast<std::uint8_t>(depth)});
        return;
    }
    FillPrefixes(c, code * 2, depth + 1);
    FillPrefixes(c + 1, code * 2 + 1, depth + 1);
}

void AdaptiveHuffmanModel::RefreshPrefixes(std::ptrdiff_t node) {
    // The code of node, read upwards: its last bit first.
    unsigned code = 0;
    int depth = 0;
    for (std::ptrdiff_t p = node; p != kRoot; p = parent[p]) {
        if (depth == kPrefixBits - 1) { // node is at least kPrefixBits deep
            inPrefix[node] = false;
            return;
        }
        code |= static_cast<unsigned>(p & 1) << depth;
        ++depth;
    }
    FillPrefixes(node, code, depth);
}

void AdaptiveHuffmanModel::RebuildTree() {
    // Gather the leaves at the front, halving their counts (rounding up keeps every count above zero).
    int j = 0;
    for (int i = 0; i < kTreeSize; ++i) {
        if (child[i] >= kTreeSize) {
            freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
            child[j] = child[i];
            ++j;
        }
    }
    // Pair the lowest nodes again, inserting each new node where the frequency order keeps.
    for (int i = 0, node = kSymbolCount; node < kTreeSize; i += 2, ++node) {
        const auto f = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
        int k = node - 1;
        while (f < freq[k])
            --k;
        ++k;
        std::copy_backward(freq.begin() + k, freq.begin() + node, freq.begin() + node + 1);
        std::copy_backward(child.begin() + k, child.begin() + node, child.begin() + node + 1);
        freq[k] = f;
        child[k] = static_cast<std::int16_t>(i);
    }
    for (int k = 0; k < kTreeSize; ++k) {
        const int i = child[k];
        if (i >= kTreeSize) {
            parent[i] = static_cast<std::int16_t>(k);
        } else {
            parent[i] = parent[i + 1] = static_cast<std::int16_t>(k);
        }
    }
    BuildPrefixes();
}

} // namespace skin::lzh
