// TLZH: the decoder of the LZHUF code in which skins are stored (LZSS over a 4096-byte ring, literals and
// match lengths in an adaptive Huffman code, match offsets in a fixed prefix code).
#pragma once

#include "framework/rtl/exceptions.h"
#include "skin/data/lzh_bit_reader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace skin {

class ElzhException : public rtl::Exception {
  public:
    using Exception::Exception;
};

inline constexpr const char* kLzhNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";
// Kept for callers that match on it; releasing the tables cannot fail, so the decoder never raises it.
inline constexpr const char* kLzhFreeErrorMessage = "LZH : Error freeing memory for dictionary tables";

// Largest decompressed size accepted from a stream, whatever it claims. A stored skin is about 128 KB;
// 64 MiB leaves room for skins with many large bitmaps and keeps a forged header from exhausting memory.
inline constexpr std::int32_t kMaxExpandedSize = 64 * 1024 * 1024;

// Largest output that codedBytes of input can legitimately produce. Every Huffman code is at least one
// bit and an offset takes at least 9 bits (8 read at once, then code length - 2 more, code length >= 3),
// so a match of at most 60 bytes costs at least 10 bits: no more than 6 output bytes per input bit.
// One symbol may end in the zero bits after the input, hence one longest match of slack.
std::int64_t MaxExpandedSize(std::size_t codedBytes);

class TLZH {
  public:
    // Reads the code from the start of input; appends the decoded bytes to output. Neither is owned.
    TLZH(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);
    ~TLZH();
    TLZH(const TLZH&) = delete;
    TLZH& operator=(const TLZH&) = delete;

    // Decodes until at least size bytes have been written; a size of 0 or less decodes nothing. The last
    // match is written whole, so up to 59 bytes more than size can appear. Raises rtl::Exception, before
    // allocating anything, for a size above kMaxExpandedSize or above what the input could produce.
    void Expand(std::int32_t size);

    // Copies up to count bytes of the input; gives back fewer (0 at the end) when less remains.
    std::size_t ReadInput(std::uint8_t* buffer, std::size_t count);
    void WriteOutput(const std::uint8_t* buffer, std::size_t count);

    // Bits of the input the decoded symbols used; above 8 x the input size when the code ran into the
    // zero bits after the end (a truncated stream). Read-ahead into the bit buffer does not count.
    std::uint64_t ConsumedBits() const { return reader_.ConsumedBits(); }

  private:
    struct WorkTables;

    lzh::LzhBitReader reader_;
    std::vector<std::uint8_t>& output_;
    std::unique_ptr<WorkTables> tables_;
};

} // namespace skin
