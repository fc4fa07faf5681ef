#include "lzh.h"

#include "skin/data/lzh_model.h"

#include <array>
#include <cstring>
#include <new>

namespace skin {

using namespace lzh;

namespace {

constexpr std::int64_t kMaxBytesPerInputBit = kLookAhead / 10;
constexpr std::int64_t kBitsPerByte = 8;

// The most bits one symbol takes: its Huffman code, then for a match the offset code (8 bits, then up
// to 6 more). One refill per symbol therefore lets it decode without checking for more input.
constexpr int kLongestOffsetCode = 14;
static_assert(kLongestSymbolCode + kLongestOffsetCode <= LzhBitReader::kBitsAfterRefill);

// Matches are copied in 8-byte chunks when their source lies at least a chunk back, and may write up to
// 7 bytes past their end, which later bytes overwrite or the final size cuts off.
constexpr int kChunk = 8;
constexpr int kCopySlack = kChunk - 1;

// Walks on from node (internal or a leaf) to a leaf, bits holding the next bits from bit 63 on. Adds
// the bits taken to codeLength; gives the leaf's entry (kTreeSize + symbol).
int WalkToLeaf(const AdaptiveHuffmanModel& model, std::ptrdiff_t node, std::uint64_t bits, int& codeLength) {
    for (;;) {
        const int entry = model.child[node];
        if (entry >= kTreeSize) return entry;
        node = entry + static_cast<std::ptrdiff_t>(bits >> 63);
        bits <<= 1;
        codeLength += 1;
    }
}

// Most codes are no longer than kPrefixBits and take one look-up; longer ones walk on from where it
// leads. The model is left as it was: the caller counts the symbol.
int DecodeSymbol(const AdaptiveHuffmanModel& model, LzhBitReader& reader) {
    const std::uint64_t bits = reader.Bits();
    const CodePrefix prefix =
        model.prefix[static_cast<std::size_t>(bits >> (LzhBitReader::kBufferBits - kPrefixBits))];
    int leafEntry = prefix.entry;
    int codeLength = prefix.length;
    if (leafEntry < kTreeSize) leafEntry = WalkToLeaf(model, leafEntry, bits << kPrefixBits, codeLength);
    reader.Skip(codeLength);
    return leafEntry - kTreeSize;
}

// The first 8 bits choose the upper six offset bits and the length of their code; the lower six bits
// follow that code.
int DecodeOffset(LzhBitReader& reader) {
    const auto top8 = static_cast<std::size_t>(reader.Bits() >> (LzhBitReader::kBufferBits - 8));
    const OffsetCodeEntry entry = kOffsetDecodeTable[top8];
    reader.Skip(entry.length);
    return entry.upper * 64 + reader.Take(6);
}

// Before the first decoded byte the ring held kStartPosition spaces, then bytes not yet written (zero).
// A match reaching back past the start reads those: they stand in for output at negative positions.
std::uint8_t ByteBeforeStart(std::ptrdiff_t position) {
    return position < -kStartPosition ? 0 : kFillByte;
}

// How a match at distance d < kChunk repeats: the k-th byte of a chunk is byte k % d of the period, and
// step, the whole periods in a chunk, is how far apart chunks with the same bytes start.
struct Repetition {
    std::array<std::uint8_t, kChunk> index;
    int step;
};
constexpr auto kRepetitions = [] {
    std::array<Repetition, kChunk> table{};
    for (int d = 1; d < kChunk; ++d) {
        for (int k = 0; k < kChunk; ++k)
            table[d].index[k] = static_cast<std::uint8_t>(k % d);
        table[d].step = kChunk / d * d;
    }
    return table;
}();

// Copies a match from distance bytes before target; first is where this decoding's output begins.
void CopyMatch(const std::uint8_t* first, std::uint8_t* target, int distance, int length) {
    if (distance > target - first) { // reaches back before the first byte
        for (int k = 0; k < length; ++k) {
            const std::ptrdiff_t from = target + k - distance - first;
            target[k] = from < 0 ? ByteBeforeStart(from) : first[from];
        }
        return;
    }
    const std::uint8_t* source = target - distance;
    if (distance < kChunk) {
        // A source nearer than a chunk overlaps the match, which therefore repeats its first distance
        // bytes: every chunk that starts a whole number of periods in holds the same bytes. Copying a
        // byte at a time instead would make each byte wait for the one stored just before it.
        const Repetition& repetition = kRepetitions[static_cast<std::size_t>(distance)];
        std::uint8_t chunk[kChunk];
        for (int k = 0; k < kChunk; ++k)
            chunk[k] = source[repetition.index[static_cast<std::size_t>(k)]];
        for (int k = 0; k < length; k += repetition.step)
            std::memcpy(target + k, chunk, kChunk);
        return;
    }
    for (int k = 0; k < length; k += kChunk)
        std::memcpy(target + k, source + k, kChunk);
}

} // namespace

std::int64_t MaxExpandedSize(std::size_t codedBytes) {
    return static_cast<std::int64_t>(codedBytes) * kBitsPerByte * kMaxBytesPerInputBit + kLookAhead;
}

struct TLZH::WorkTables {
    AdaptiveHuffmanModel model;
};

TLZH::TLZH(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output)
    : reader_(input), output_(output) {}

TLZH::~TLZH() = default;

std::size_t TLZH::ReadInput(std::uint8_t* buffer, std::size_t count) {
    return reader_.ReadBytes(buffer, count);
}

void TLZH::WriteOutput(const std::uint8_t* buffer, std::size_t count) {
    output_.insert(output_.end(), buffer, buffer + count);
}

void TLZH::Expand(std::int32_t size) {
    if (size <= 0) return;
    if (size > kMaxExpandedSize) {
        throw rtl::Exception("LZH: declared size " + std::to_string(size) + " exceeds the limit of " +
                             std::to_string(kMaxExpandedSize) + " bytes");
    }
    const std::size_t coded = reader_.BytesLeft();
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
    AdaptiveHuffmanModel& model = tables_->model;

    // Room for the size, a last match running past it and the copy slack. Matches are copied within the
    // output itself; one reaching back before its beginning reads the ring's initial content there.
    const std::size_t start = output_.size();
    output_.resize(start + static_cast<std::size_t>(size) + kLookAhead - 1 + kCopySlack);
    std::uint8_t* const first = output_.data() + start;
    std::uint8_t* const end = first + size;

    // A local copy of the reader stays in registers; in the member, every output byte stored through a
    // uint8_t pointer (which may alias anything) would force it back to memory.
    LzhBitReader reader = reader_;
    std::uint8_t* next = first;
    while (next < end) {
        reader.Refill();
        const int symbol = DecodeSymbol(model, reader);
        if (symbol < kFirstMatchSymbol) {
            *next++ = static_cast<std::uint8_t>(symbol);
        } else {
            const int length = symbol - kMatchLengthBias;
            CopyMatch(first, next, DecodeOffset(reader) + 1, length);
            next += length;
        }
        // Counted after its output is written: the climb through the tree is a long chain of dependent
        // loads, and the output work, which needs none of it, runs alongside it instead of after.
        model.UpdateModel(symbol);
    }
    reader_ = reader;
    output_.resize(start + static_cast<std::size_t>(next - first));
}

} // namespace skin
