#include "lzh.h"

#include <algorithm>
#include <array>
#include <new>

#include "skin/data/lzh_model.h"

namespace skin {

using namespace lzh;

namespace {

constexpr std::int64_t kMaxBytesPerInputBit = kLookAhead / 10;
constexpr std::int64_t kBitsPerByte = 8;

} // namespace

std::int64_t MaxExpandedSize(std::size_t codedBytes) {
    return static_cast<std::int64_t>(codedBytes) * kBitsPerByte * kMaxBytesPerInputBit + kLookAhead;
}

struct TLZH::WorkTables {
    AdaptiveHuffmanModel model;
    // Positions kStartPosition..4095 are zero until first written: an invalid stream may read them early.
    std::array<std::uint8_t, kWindowSize + kRingSpare> ring{};
};

TLZH::TLZH(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output)
    : input_(input), output_(output) {}

TLZH::~TLZH() = default;

std::size_t TLZH::ReadInput(std::uint8_t* buffer, std::size_t count) {
    if (count == 1 && inputPosition_ < input_.size()) { // the decoder's only request: skip the general copy
        *buffer = input_[inputPosition_++];
        return 1;
    }
    const std::size_t available = std::min(count, input_.size() - inputPosition_);
    std::copy_n(input_.begin() + static_cast<std::ptrdiff_t>(inputPosition_), available, buffer);
    inputPosition_ += available;
    return available;
}

void TLZH::WriteOutput(const std::uint8_t* buffer, std::size_t count) {
    if (count == 1) { // every decoded byte comes this way: a range insert costs a quarter of the decoding
        output_.push_back(*buffer);
        return;
    }
    output_.insert(output_.end(), buffer, buffer + count);
}

void TLZH::FillBitBuffer() {
    // Past the end of the input the stream continues with zero bits.
    while (bitCount_ <= 8) {
        std::uint8_t byte = 0;
        if (ReadInput(&byte, 1) == 0) {
            byte = 0;
            bitPadding_ += 8;
        }
        bitBuffer_ = static_cast<std::uint16_t>(bitBuffer_ | (byte << (8 - bitCount_)));
        bitCount_ = static_cast<std::uint8_t>(bitCount_ + 8);
    }
}

int TLZH::NextBit() {
    FillBitBuffer();
    const int bit = bitBuffer_ >> 15;
    bitBuffer_ = static_cast<std::uint16_t>(bitBuffer_ << 1);
    --bitCount_;
    return bit;
}

int TLZH::NextByte() {
    FillBitBuffer();
    const int byte = bitBuffer_ >> 8;
    bitBuffer_ = static_cast<std::uint16_t>(bitBuffer_ << 8);
    bitCount_ = static_cast<std::uint8_t>(bitCount_ - 8);
    return byte;
}

int TLZH::DecodeSymbol() {
    AdaptiveHuffmanModel& model = tables_->model;
    int c = model.child[kRoot];
    while (c < kTreeSize) c = model.child[c + NextBit()];
    const int symbol = c - kTreeSize;
    model.UpdateModel(symbol);
    return symbol;
}

int TLZH::DecodeOffset() {
    int i = NextByte();
    const OffsetCodeEntry entry = kOffsetDecodeTable[i];
    for (int k = 0; k < entry.length - 2; ++k) i = i * 2 + NextBit();
    return entry.upper * 64 + (i % 64);
}

void TLZH::Expand(std::int32_t size) {
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

    tables_.reset(new (std::nothrow) WorkTables);
    if (!tables_) throw ElzhException(kLzhNoMemoryMessage);
    // The tables belong to this one decompression, also when it is left by an exception.
    struct ReleaseTables {
        std::unique_ptr<WorkTables>& tables;
        ~ReleaseTables() { tables.reset(); }
    } release{tables_};

    output_.reserve(output_.size() + static_cast<std::size_t>(size) + kLookAhead - 1);
    std::array<std::uint8_t, kWindowSize + kRingSpare>& ring = tables_->ring;
    std::fill_n(ring.begin(), kStartPosition, kFillByte);
    int r = kStartPosition;

    std::int64_t written = 0;
    while (written < size) {
        const int symbol = DecodeSymbol();
        if (symbol < kFirstMatchSymbol) {
            const auto byte = static_cast<std::uint8_t>(symbol);
            WriteOutput(&byte, 1);
            ring[r] = byte;
            r = (r + 1) & kWindowMask;
            ++written;
        } else {
            const int length = symbol - kMatchLengthBias;
            const int source = (r - DecodeOffset() - 1) & kWindowMask;
            for (int k = 0; k < length; ++k) {
                const std::uint8_t byte = ring[(source + k) & kWindowMask];
                WriteOutput(&byte, 1);
                ring[r] = byte;
                r = (r + 1) & kWindowMask;
                ++written;
            }
        }
    }
}

} // namespace skin
