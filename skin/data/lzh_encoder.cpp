#include "lzh_encoder.h"

#include "skin/data/lzh.h"
#include "skin/data/lzh_model.h"

#include <array>
#include <memory>
#include <string>

namespace skin {

using namespace lzh;

namespace {

constexpr int kNoNode = kWindowSize; // "no node" in the match finder's trees
constexpr int kOffsetLowBits = 6;

// Appends bits most significant first, the order in which TLZH reads them.
class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void PutBit(int bit) {
        current_ = static_cast<std::uint8_t>((current_ << 1) | bit);
        if (++count_ == 8) {
            out_.push_back(current_);
            current_ = 0;
            count_ = 0;
        }
    }
    void PutBits(unsigned value, int length) {
        for (int k = length - 1; k >= 0; --k)
            PutBit(static_cast<int>((value >> k) & 1u));
    }
    // The last byte is padded with zero bits, which the decoder also assumes after the input.
    void Flush() {
        if (count_ > 0) out_.push_back(static_cast<std::uint8_t>(current_ << (8 - count_)));
        count_ = 0;
    }

  private:
    std::vector<std::uint8_t>& out_;
    std::uint8_t current_ = 0;
    int count_ = 0;
};

// Longest-match search over the ring with one binary search tree per first byte: the dictionary of
// the classic LZSS coder, which gives the compression ratio skins have always had.
class MatchFinder {
  public:
    MatchFinder() {
        for (int i = kWindowSize + 1; i <= kWindowSize + 256; ++i)
            right_[i] = kNoNode;
        for (int i = 0; i < kWindowSize; ++i)
            up_[i] = kNoNode;
    }

    // ring[pos..pos+kLookAhead) must hold the bytes to match, with the first kRingSpare bytes of the
    // ring mirrored behind its end.
    void InsertNode(const std::uint8_t* ring, int r) {
        int cmp = 1;
        const std::uint8_t* key = &ring[r];
        int p = kWindowSize + 1 + key[0];
        right_[r] = left_[r] = kNoNode;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (right_[p] == kNoNode) {
                    right_[p] = r;
                    up_[r] = p;
                    return;
                }
                p = right_[p];
            } else {
                if (left_[p] == kNoNode) {
                    left_[p] = r;
                    up_[r] = p;
                    return;
                }
                p = left_[p];
            }
            int i = 1;
            for (; i < kLookAhead; ++i) {
                cmp = key[i] - ring[p + i];
                if (cmp != 0) break;
            }
            if (i > kThreshold) {
                const int offset = ((r - p) & kWindowMask) - 1;
                if (i > matchLength) {
                    matchOffset = offset;
                    matchLength = i;
                    if (matchLength >= kLookAhead) break;
                } else if (i == matchLength && offset < matchOffset) {
                    matchOffset = offset; // the nearer of two equal matches
                }
            }
        }
        // A full-length match: r takes p's place in the tree, p leaves it.
        up_[r] = up_[p];
        left_[r] = left_[p];
        right_[r] = right_[p];
        up_[left_[p]] = r;
        up_[right_[p]] = r;
        if (right_[up_[p]] == p) {
            right_[up_[p]] = r;
        } else {
            left_[up_[p]] = r;
        }
        up_[p] = kNoNode;
    }

    void DeleteNode(int p) {
        if (up_[p] == kNoNode) return;
        int q;
        if (right_[p] == kNoNode) {
            q = left_[p];
        } else if (left_[p] == kNoNode) {
            q = right_[p];
        } else {
            q = left_[p];
            if (right_[q] != kNoNode) {
                do {
                    q = right_[q];
                } while (right_[q] != kNoNode);
                right_[up_[q]] = left_[q];
                up_[left_[q]] = up_[q];
                left_[q] = left_[p];
                up_[left_[p]] = q;
            }
            right_[q] = right_[p];
            up_[right_[p]] = q;
        }
        up_[q] = up_[p];
        if (right_[up_[p]] == p) {
            right_[up_[p]] = q;
        } else {
            left_[up_[p]] = q;
        }
        up_[p] = kNoNode;
    }

    int matchLength = 0;
    int matchOffset = 0;

  private:
    // Index kNoNode is a scratch slot: writes to it through a missing child are harmless.
    std::array<int, kWindowSize + 1> left_{};
    std::array<int, kWindowSize + 257> right_{}; // entries kWindowSize + 1 + byte are the tree roots
    std::array<int, kWindowSize + 1> up_{};
};

class Encoder {
  public:
    explicit Encoder(std::vector<std::uint8_t>& out) : bits_(out) {}

    void Run(std::span<const std::uint8_t> data);

  private:
    void EncodeSymbol(int symbol);
    void EncodeOffset(int offset);

    BitWriter bits_;
    AdaptiveHuffmanModel model_;
    MatchFinder finder_;
    std::array<std::uint8_t, kWindowSize + kRingSpare> ring_{};
};

void Encoder::EncodeSymbol(int symbol) {
    // Walk from the leaf up to the root; the path read backwards is the code.
    std::array<std::uint8_t, kTreeSize> path; // no zeroing: only the first depth entries are read
    int depth = 0;
    for (int node = model_.parent[kTreeSize + symbol]; node != kRoot; node = model_.parent[node]) {
        // The decoder goes to child[c] on 0 and to child[c] + 1 on 1.
        path[depth++] = static_cast<std::uint8_t>(node - model_.child[model_.parent[node]]);
    }
    while (depth > 0)
        bits_.PutBit(path[--depth]);
    model_.UpdateModel(symbol);
}

void Encoder::EncodeOffset(int offset) {
    const int upper = offset >> kOffsetLowBits;
    const int length = kOffsetCodeLength[upper];
    bits_.PutBits(static_cast<unsigned>(kOffsetCodeStart[upper]) >> (8 - length), length);
    bits_.PutBits(static_cast<unsigned>(offset) & ((1u << kOffsetLowBits) - 1), kOffsetLowBits);
}

void Encoder::Run(std::span<const std::uint8_t> data) {
    std::size_t next = 0;
    auto readByte = [&](std::uint8_t& byte) {
        if (next == data.size()) return false;
        byte = data[next++];
        return true;
    };

    int s = 0;
    int r = kStartPosition;
    std::fill_n(ring_.begin(), kStartPosition, kFillByte);
    int len = 0;
    for (std::uint8_t byte = 0; len < kLookAhead && readByte(byte); ++len)
        ring_[r + len] = byte;
    if (len == 0) return;

    for (int i = 1; i <= kLookAhead; ++i)
        finder_.InsertNode(ring_.data(), r - i);
    finder_.InsertNode(ring_.data(), r);
    do {
        if (finder_.matchLength > len) finder_.matchLength = len;
        if (finder_.matchLength <= kThreshold) {
            finder_.matchLength = 1;
            EncodeSymbol(ring_[r]);
        } else {
            EncodeSymbol(kMatchLengthBias + finder_.matchLength);
            EncodeOffset(finder_.matchOffset);
        }
        const int lastMatchLength = finder_.matchLength;
        int i = 0;
        for (std::uint8_t byte = 0; i < lastMatchLength && readByte(byte); ++i) {
            finder_.DeleteNode(s);
            ring_[s] = byte;
            if (s < kRingSpare) ring_[s + kWindowSize] = byte;
            s = (s + 1) & kWindowMask;
            r = (r + 1) & kWindowMask;
            finder_.InsertNode(ring_.data(), r);
        }
        while (i++ < lastMatchLength) {
            finder_.DeleteNode(s);
            s = (s + 1) & kWindowMask;
            r = (r + 1) & kWindowMask;
            if (--len) finder_.InsertNode(ring_.data(), r);
        }
    } while (len > 0);
    bits_.Flush();
}

} // namespace

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out;
    out.reserve(data.size() / 2 + 16);
    // About 40 KB of tables: on the heap, not on the caller's stack.
    auto encoder = std::make_unique<Encoder>(out);
    encoder->Run(data);
    return out;
}

std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> data) {
    if (data.size() > static_cast<std::size_t>(kMaxExpandedSize)) {
        throw rtl::Exception("LZH: " + std::to_string(data.size()) + " bytes exceed the limit of " +
                             std::to_string(kMaxExpandedSize) + " bytes a skin may hold");
    }
    const auto size = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                                  static_cast<std::uint8_t>(size >> 16),
                                  static_cast<std::uint8_t>(size >> 24)};
    const std::vector<std::uint8_t> code = LzhEncode(data);
    out.insert(out.end(), code.begin(), code.end());
    return out;
}

} // namespace skin
