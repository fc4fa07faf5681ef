#include "tests/support/reference_lzh.h"

#include "skin/data/lzh.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

namespace skin::reference {

using namespace lzh;

ReferenceHuffmanModel::ReferenceHuffmanModel() {
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
    freq[kTreeSize] = 0xFFFF;
    parent[kRoot] = 0;
}

void ReferenceHuffmanModel::RebuildTree() {
    int j = 0;
    for (int i = 0; i < kTreeSize; ++i) {
        if (child[i] >= kTreeSize) {
            freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
            child[j] = child[i];
            ++j;
        }
    }
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
}

// Out of line, as the reference decoder called it from another file: its speed is part of what it measures.
[[gnu::noinline]] void ReferenceHuffmanModel::UpdateModel(int symbol) {
    if (freq[kRoot] == kFrequencyLimit) RebuildTree();
    int c = parent[kTreeSize + symbol];
    do {
        const std::uint16_t k = ++freq[c];
        if (k > freq[c + 1]) {
            int l = c + 1;
            while (k > freq[l + 1])
                ++l;
            freq[c] = freq[l];
            freq[l] = k;

            const int i = child[c];
            parent[i] = static_cast<std::int16_t>(l);
            if (i < kTreeSize) parent[i + 1] = static_cast<std::int16_t>(l);

            const int j = child[l];
            child[l] = static_cast<std::int16_t>(i);
            parent[j] = static_cast<std::int16_t>(c);
            if (j < kTreeSize) parent[j + 1] = static_cast<std::int16_t>(c);
            child[c] = static_cast<std::int16_t>(j);

            c = l;
        }
        c = parent[c];
    } while (c != 0);
}

namespace {

struct WorkTables {
    ReferenceHuffmanModel model;
    std::array<std::uint8_t, kWindowSize + kRingSpare> ring{};
};

} // namespace

ReferenceLzhDecoder::ReferenceLzhDecoder(std::span<const std::uint8_t> input,
                                         std::vector<std::uint8_t>& output)
    : input_(input), output_(output) {}

void ReferenceLzhDecoder::FillBitBuffer() {
    while (bitCount_ <= 8) {
        std::uint8_t byte = 0;
        if (inputPosition_ < input_.size()) {
            byte = input_[inputPosition_++];
        } else {
            bitPadding_ += 8;
        }
        bitBuffer_ = static_cast<std::uint16_t>(bitBuffer_ | (byte << (8 - bitCount_)));
        bitCount_ = static_cast<std::uint8_t>(bitCount_ + 8);
    }
}

int ReferenceLzhDecoder::NextBit() {
    FillBitBuffer();
    const int bit = bitBuffer_ >> 15;
    bitBuffer_ = static_cast<std::uint16_t>(bitBuffer_ << 1);
    --bitCount_;
    return bit;
}

int ReferenceLzhDecoder::NextByte() {
    FillBitBuffer();
    const int byte = bitBuffer_ >> 8;
    bitBuffer_ = static_cast<std::uint16_t>(bitBuffer_ << 8);
    bitCount_ = static_cast<std::uint8_t>(bitCount_ - 8);
    return byte;
}

int ReferenceLzhDecoder::DecodeSymbol(ReferenceHuffmanModel& model) {
    int c = model.child[kRoot];
    while (c < kTreeSize)
        c = model.child[c + NextBit()];
    const int symbol = c - kTreeSize;
    model.UpdateModel(symbol);
    return symbol;
}

int ReferenceLzhDecoder::DecodeOffset() {
    int i = NextByte();
    const OffsetCodeEntry entry = kOffsetDecodeTable[i];
    for (int k = 0; k < entry.length - 2; ++k)
        i = i * 2 + NextBit();
    return entry.upper * 64 + (i % 64);
}

void ReferenceLzhDecoder::Expand(std::int32_t size) {
    if (size <= 0) return;
    if (size > kMaxExpandedSize) {
        throw rtl::Exception("LZH: declared size " + std::to_string(size) + " exceeds the limit of " +
                             std::to_string(kMaxExpandedSize) + " bytes");
    }
    const std::size_t coded = input_.size() - inputPosition_;
    if (size > MaxExpandedSize(coded)) {
        throw rtl::Exception("LZH: declared size " + std::to_string(size) + " cannot come from " +
                             std::to_string(coded) + " coded bytes (at most " +
                             std::to_string(MaxExpandedSize(coded)) + ")");
    }
    std::unique_ptr<WorkTables> tables(new (std::nothrow) WorkTables);
    if (!tables) throw ElzhException(kLzhNoMemoryMessage);

    output_.reserve(output_.size() + static_cast<std::size_t>(size) + kLookAhead - 1);
    auto& ring = tables->ring;
    std::fill_n(ring.begin(), kStartPosition, kFillByte);
    int r = kStartPosition;

    std::int64_t written = 0;
    while (written < size) {
        const int symbol = DecodeSymbol(tables->model);
        if (symbol < kFirstMatchSymbol) {
            const auto byte = static_cast<std::uint8_t>(symbol);
            output_.push_back(byte);
            ring[r] = byte;
            r = (r + 1) & kWindowMask;
            ++written;
        } else {
            const int length = symbol - kMatchLengthBias;
            const int source = (r - DecodeOffset() - 1) & kWindowMask;
            for (int k = 0; k < length; ++k) {
                const std::uint8_t byte = ring[(source + k) & kWindowMask];
                output_.push_back(byte);
                ring[r] = byte;
                r = (r + 1) & kWindowMask;
                ++written;
            }
        }
    }
}

} // namespace skin::reference
