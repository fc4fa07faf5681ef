// LzhBitReader: the bits of an LZH code, each byte's most significant bit first, taken from the input 64
// bits at a time; after the end of the input the code continues with zero bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace skin::lzh {

class LzhBitReader {
  public:
    static constexpr int kBufferBits = 64;
    // What a refill guarantees: it adds whole bytes while one more fits.
    static constexpr int kBitsAfterRefill = kBufferBits - 7;

    explicit LzhBitReader(std::span<const std::uint8_t> input)
        : begin_(input.data()), next_(input.data()), end_(input.data() + input.size()) {}

    // Tops the buffer up to at least kBitsAfterRefill bits.
    void Refill() {
        if (end_ - next_ >= static_cast<std::ptrdiff_t>(sizeof(std::uint64_t))) [[likely]] {
            // Eight bytes at once; those beyond the bytes taken land below the valid bits, where they are
            // the true next bits, so the next refill writes the same values over them. The buffer takes
            // (63 - count) / 8 whole bytes, which leaves 56 + count % 8 bits: count | 56.
            buffer_ |= LoadBigEndian64(next_) >> count_;
            next_ += static_cast<unsigned>(kBufferBits - 1 - count_) / 8;
            count_ |= kBufferBits - 8;
            return;
        }
        RefillNearEnd();
    }
    // The buffered bits, the next one in bit 63. Only the top Available() of them are valid.
    std::uint64_t Bits() const { return buffer_; }
    int Available() const { return count_; }
    // The next count bits (1 to 32) as a number.
    int Take(int count) {
        const auto value = static_cast<int>(buffer_ >> (kBufferBits - count));
        Skip(count);
        return value;
    }
    void Skip(int count) {
        buffer_ <<= count;
        count_ -= count;
    }

    // Bits taken by Take and Skip, zero bits after the end included.
    std::uint64_t ConsumedBits() const {
        return static_cast<std::uint64_t>(next_ - begin_) * 8 + padding_ - static_cast<std::uint64_t>(count_);
    }

    // Copies up to count bytes that follow those already in the buffer; fewer (0 at the end) when less
    // remains.
    std::size_t ReadBytes(std::uint8_t* buffer, std::size_t count) {
        std::size_t copied = 0;
        for (; copied < count && next_ < end_; ++copied)
            buffer[copied] = *next_++;
        return copied;
    }
    std::size_t BytesLeft() const { return static_cast<std::size_t>(end_ - next_); }

  private:
    // Byte by byte from the last 7 bytes on, then zero bits.
    void RefillNearEnd() {
        const unsigned bytesThatFit = static_cast<unsigned>(kBufferBits - 1 - count_) / 8;
        for (unsigned k = 0; k < bytesThatFit; ++k) {
            std::uint64_t byte = 0;
            if (next_ < end_) {
                byte = *next_++;
            } else {
                padding_ += 8;
            }
            buffer_ |= byte << (kBufferBits - 8 - count_);
            count_ += 8;
        }
    }

    static std::uint64_t LoadBigEndian64(const std::uint8_t* bytes) {
        // Compilers turn this into a single load and byte swap.
        return std::uint64_t{bytes[0]} << 56 | std::uint64_t{bytes[1]} << 48 | std::uint64_t{bytes[2]} << 40 |
               std::uint64_t{bytes[3]} << 32 | std::uint64_t{bytes[4]} << 24 | std::uint64_t{bytes[5]} << 16 |
               std::uint64_t{bytes[6]} << 8 | std::uint64_t{bytes[7]};
    }

    const std::uint8_t* begin_;
    const std::uint8_t* next_; // the first byte not yet taken into the buffer
    const std::uint8_t* end_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;             // valid bits at the top of buffer_
    std::uint64_t padding_ = 0; // zero bits supplied after the end of the input
};

} // namespace skin::lzh
