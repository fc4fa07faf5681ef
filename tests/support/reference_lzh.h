// ReferenceLzhDecoder: the skin decoder as it was before it was tuned for speed (byte-at-a-time bit
// reads, a 4096-byte ring, the model updated out of line), frozen with its own copy of the adaptive
// model. Tests decode with both and compare; lzh_bench measures the tuned decoder against it.
#pragma once

#include "skin/data/lzh_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skin::reference {

// The adaptive model exactly as the reference decoder updates it, kept apart from skin::lzh's so that
// a fault in the shared model shows up as a difference instead of being copied into both decoders.
struct ReferenceHuffmanModel {
    ReferenceHuffmanModel();
    void UpdateModel(int symbol);
    void RebuildTree();

    std::array<std::uint16_t, lzh::kTreeSize + 1> freq{};
    std::array<std::int16_t, lzh::kTreeSize + lzh::kSymbolCount> parent{};
    std::array<std::int16_t, lzh::kTreeSize> child{};
};

// Same contract as skin::TLZH: Expand appends at least size bytes (the whole last match), refuses the
// same sizes with the same messages before allocating, and reads zero bits after the end of the input.
class ReferenceLzhDecoder {
  public:
    ReferenceLzhDecoder(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);

    void Expand(std::int32_t size);
    std::uint64_t ConsumedBits() const { return std::uint64_t{inputPosition_} * 8 + bitPadding_ - bitCount_; }

  private:
    int NextBit();
    int NextByte();
    void FillBitBuffer();
    int DecodeSymbol(ReferenceHuffmanModel& model);
    int DecodeOffset();

    std::span<const std::uint8_t> input_;
    std::size_t inputPosition_ = 0;
    std::vector<std::uint8_t>& output_;
    std::uint16_t bitBuffer_ = 0;
    std::uint8_t bitCount_ = 0;
    std::uint64_t bitPadding_ = 0;
};

} // namespace skin::reference
