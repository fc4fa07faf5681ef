// The adaptive Huffman model of the LZHUF code, shared by the decoder (TLZH) and the encoder so that
// both sides update the tree through one and the same code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace skin::lzh {

// Constants of the compressed format; changing any of them makes every existing skin unreadable.
inline constexpr int kWindowSize = 4096;                           // ring buffer length
inline constexpr int kWindowMask = kWindowSize - 1;                // positions are taken modulo the window
inline constexpr int kLookAhead = 60;                              // longest match
inline constexpr int kThreshold = 2;                               // shorter matches are sent as literals
inline constexpr int kSymbolCount = 256 - kThreshold + kLookAhead; // 256 literals + 58 match lengths
inline constexpr int kTreeSize = 2 * kSymbolCount - 1;             // nodes of the Huffman tree
inline constexpr int kRoot = kTreeSize - 1;                        // index of the root node
inline constexpr std::uint16_t kFrequencyLimit = 0x8000;           // root frequency that triggers a rebuild
inline constexpr std::uint8_t kFillByte = 0x20;                    // initial ring content
inline constexpr int kStartPosition = kWindowSize - kLookAhead;
inline constexpr int kRingSpare = kLookAhead - 1; // lets a match finder compare past the wrap
inline constexpr int kFirstMatchSymbol = 256;
inline constexpr int kMatchLengthBias = kFirstMatchSymbol - (kThreshold + 1); // length = symbol - 253

static_assert(kSymbolCount == 314 && kTreeSize == 627 && kRoot == 626 && kStartPosition == 4036);

// The longest code the tree can give a symbol. With the sibling property (below), the sibling of a node
// on a leaf's path weighs at least as much as that node's own child on the path, so a node h levels
// above a leaf weighs at least the h-th number of 1, 2, 3, 5, 8, ... (each the sum of the two before);
// the root never weighs more than kFrequencyLimit.
constexpr int LongestSymbolCode() {
    std::uint32_t lighter = 1;
    std::uint32_t least = 2;
    int height = 1;
    while (lighter + least <= kFrequencyLimit) {
        const std::uint32_t next = lighter + least;
        lighter = least;
        least = next;
        ++height;
    }
    return height;
}
inline constexpr int kLongestSymbolCode = LongestSymbolCode();
static_assert(kLongestSymbolCode == 21);

// The decoder looks the first kPrefixBits bits of a code up at once (see prefix below).
inline constexpr int kPrefixBits = 6;

// What the first kPrefixBits bits of a code lead to: the leaf a shorter code ends at (entry kTreeSize +
// symbol, length the code's length), else the node they reach (entry < kTreeSize, length kPrefixBits),
// which may be a leaf as well.
struct CodePrefix {
    std::int16_t entry;
    std::uint8_t length;
};

// Nodes are stored so that frequencies never decrease with the index (sibling property); a leaf's
// child entry is kTreeSize + symbol, and parent[kTreeSize + symbol] is that leaf's node. Siblings
// always sit at an even index and the one after it: the tree is built that way, and moving a node
// moves its content, never its place, so a node's last index bit tells which child it is.
class AdaptiveHuffmanModel {
  public:
    AdaptiveHuffmanModel() { InitTree(); }

    void InitTree();
    // Counts one more occurrence of symbol and restores the sibling property. Inline: it runs once per
    // symbol in the decoder's and the encoder's inner loops.
    void UpdateModel(int symbol);
    // Halves every leaf frequency and builds the internal nodes anew.
    void RebuildTree();
    // Counts one more occurrence of node c, whose weight equals the next node's: swaps it, subtree and
    // all, with the last node of that weight, which then carries the count. Gives that node's index.
    std::ptrdiff_t MoveUp(std::ptrdiff_t c);
    static constexpr int kWeightsPerLoad = 4;

    // Entries from kTreeSize on are 0xFFFF sentinels: the last node of a weight is looked for
    // kWeightsPerLoad at a time, and the search never reads past them.
    std::array<std::uint16_t, kTreeSize + kWeightsPerLoad> freq{};
    std::array<std::int16_t, kTreeSize + kSymbolCount> parent{};
    std::array<std::int16_t, kTreeSize> child{};
    // Indexed by the first kPrefixBits bits of a code. Only a change of child[] above that depth changes
    // it, so it is refreshed below the two nodes MoveUp swaps when either of them is marked inPrefix:
    // true for every node less than kPrefixBits deep, and for some deeper ones that were once.
    std::array<CodePrefix, 1 << kPrefixBits> prefix{};
    std::array<bool, kTreeSize> inPrefix{};

  private:
    // The last node that weighs as much as next: frequencies never decrease with the index, so it ends
    // the run of equal weights that next is in.
    std::ptrdiff_t LastOfWeight(std::ptrdiff_t next) const;
    void BuildPrefixes();
    // Sets the prefix entries below node, depth deep along code (its first depth bits).
    void FillPrefixes(std::ptrdiff_t node, unsigned code, int depth);
    // After the subtree below node changed: its prefix entries if node is less than kPrefixBits deep.
    void RefreshPrefixes(std::ptrdiff_t node);
};

// The fixed prefix code of the upper six offset bits. Indexed by the next 8 input bits, the table
// gives the upper bits and the length of their code; kOffsetCodeStart gives, for each upper value,
// the first table index of its run, whose top `length` bits are the code the encoder sends.
struct OffsetCodeEntry {
    std::uint8_t upper;
    std::uint8_t length;
};
extern const std::array<OffsetCodeEntry, 256> kOffsetDecodeTable;
extern const std::array<std::uint8_t, 64> kOffsetCodeStart;
extern const std::array<std::uint8_t, 64> kOffsetCodeLength;

inline void AdaptiveHuffmanModel::UpdateModel(int symbol) {
    if (freq[kRoot] == kFrequencyLimit) RebuildTree();
    // Pointer-sized, so that each parent link loaded is an index without another sign extension: the
    // climb is a chain of dependent loads.
    std::ptrdiff_t c = parent[kTreeSize + symbol];
    do {
        // Frequencies never decrease with the index, so one more occurrence lifts a node above the next
        // one exactly when the two weigh the same now.
        const std::uint16_t f = freq[c];
        if (f == freq[c + 1]) [[unlikely]] {
            c = MoveUp(c);
        } else {
            freq[c] = static_cast<std::uint16_t>(f + 1);
        }
        c = parent[c];
    } while (c != 0);
}

} // namespace skin::lzh
