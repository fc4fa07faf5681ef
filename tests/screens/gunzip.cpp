#include "tests/screens/gunzip.h"

#include <array>
#include <stdexcept>
#include <string>

namespace screens {
namespace {

constexpr int kMaxCodeBits = 15;
constexpr int kLiteralLengthCodes = 288;
constexpr int kDistanceCodes = 30;
constexpr int kEndOfBlock = 256;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("gzip data: " + what);
}

// The compressed stream, read least significant bit first.
class BitReader {
  public:
    BitReader(const std::vector<std::uint8_t>& data, std::size_t start) : data_(data), position_(start) {}

    unsigned Bits(int count) {
        while (bitCount_ < count) {
            if (position_ >= data_.size()) Fail("compressed data cut short");
            bitBuffer_ |= static_cast<unsigned>(data_[position_++]) << bitCount_;
            bitCount_ += 8;
        }
        const unsigned value = bitBuffer_ & ((1u << count) - 1);
        bitBuffer_ >>= count;
        bitCount_ -= count;
        return value;
    }
    // Stored blocks start at a byte boundary.
    void SkipToByte() {
        bitBuffer_ = 0;
        bitCount_ = 0;
    }
    std::uint8_t Byte() {
        if (position_ >= data_.size()) Fail("stored block cut short");
        return data_[position_++];
    }
    std::size_t Position() const { return position_; }

  private:
    const std::vector<std::uint8_t>& data_;
    std::size_t position_;
    unsigned bitBuffer_ = 0;
    int bitCount_ = 0;
};

// A canonical Huffman code: how many codes have each length, and the symbols in code order.
struct Huffman {
    std::array<int, kMaxCodeBits + 1> count{};
    std::vector<int> symbol;
};

Huffman BuildHuffman(const int* lengths, int symbols) {
    Huffman code;
    code.symbol.resize(static_cast<std::size_t>(symbols));
    for (int s = 0; s < symbols; ++s)
        code.count[static_cast<std::size_t>(lengths[s])]++;
    std::array<int, kMaxCodeBits + 2> offset{};
    for (int length = 1; length <= kMaxCodeBits; ++length)
        offset[static_cast<std::size_t>(length) + 1] =
            offset[static_cast<std::size_t>(length)] + code.count[static_cast<std::size_t>(length)];
    for (int s = 0; s < symbols; ++s) {
        if (lengths[s] != 0)
            code.symbol[static_cast<std::size_t>(offset[static_cast<std::size_t>(lengths[s])]++)] = s;
    }
    return code;
}

int Decode(BitReader& in, const Huffman& code) {
    int value = 0, first = 0, index = 0;
    for (int length = 1; length <= kMaxCodeBits; ++length) {
        value |= static_cast<int>(in.Bits(1));
        const int count = code.count[static_cast<std::size_t>(length)];
        if (value - count < first) return code.symbol[static_cast<std::size_t>(index + (value - first))];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    Fail("invalid Huffman code");
}

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                            33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void InflateCodes(BitReader& in, std::vector<std::uint8_t>& out, const Huffman& literals,
                  const Huffman& distances) {
    for (;;) {
        const int symbol = Decode(in, literals);
        if (symbol < kEndOfBlock) {
            out.push_back(static_cast<std::uint8_t>(symbol));
            continue;
        }
        if (symbol == kEndOfBlock) return;
        const std::size_t lengthCode = static_cast<std::size_t>(symbol - kEndOfBlock - 1);
        if (lengthCode >= kLengthBase.size()) Fail("invalid length code");
        const std::size_t length =
            static_cast<std::size_t>(kLengthBase[lengthCode]) + in.Bits(kLengthExtra[lengthCode]);
        const std::size_t distanceCode = static_cast<std::size_t>(Decode(in, distances));
        if (distanceCode >= kDistanceBase.size()) Fail("invalid distance code");
        const std::size_t distance =
            static_cast<std::size_t>(kDistanceBase[distanceCode]) + in.Bits(kDistanceExtra[distanceCode]);
        if (distance > out.size()) Fail("distance reaches before the start");
        for (std::size_t i = 0; i < length; ++i)
            out.push_back(out[out.size() - distance]);
    }
}

void InflateFixed(BitReader& in, std::vector<std::uint8_t>& out) {
    static const auto codes = [] {
        std::array<int, kLiteralLengthCodes> lengths{};
        for (std::size_t s = 0; s < lengths.size(); ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        std::array<int, kDistanceCodes> distance{};
        distance.fill(5);
        return std::pair{BuildHuffman(lengths.data(), kLiteralLengthCodes),
                         BuildHuffman(distance.data(), kDistanceCodes)};
    }();
    InflateCodes(in, out, codes.first, codes.second);
}

void InflateDynamic(BitReader& in, std::vector<std::uint8_t>& out) {
    static constexpr std::array<int, 19> kOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    const int literalCount = static_cast<int>(in.Bits(5)) + 257;
    const int distanceCount = static_cast<int>(in.Bits(5)) + 1;
    const int lengthCodeCount = static_cast<int>(in.Bits(4)) + 4;
    if (literalCount > kLiteralLengthCodes || distanceCount > kDistanceCodes) Fail("too many codes");
    std::array<int, 19> codeLengths{};
    for (int i = 0; i < lengthCodeCount; ++i)
        codeLengths[static_cast<std::size_t>(kOrder[static_cast<std::size_t>(i)])] =
            static_cast<int>(in.Bits(3));
    const Huffman lengthCode = BuildHuffman(codeLengths.data(), 19);
    std::array<int, kLiteralLengthCodes + kDistanceCodes> lengths{};
    for (int i = 0; i < literalCount + distanceCount;) {
        const int symbol = Decode(in, lengthCode);
        if (symbol < 16) {
            lengths[static_cast<std::size_t>(i++)] = symbol;
            continue;
        }
        int repeated = 0, times = 0;
        if (symbol == 16) {
            if (i == 0) Fail("repeat with no previous length");
            repeated = lengths[static_cast<std::size_t>(i - 1)];
            times = 3 + static_cast<int>(in.Bits(2));
        } else if (symbol == 17) {
            times = 3 + static_cast<int>(in.Bits(3));
        } else {
            times = 11 + static_cast<int>(in.Bits(7));
        }
        if (i + times > literalCount + distanceCount) Fail("code lengths overrun");
        while (times-- > 0)
            lengths[static_cast<std::size_t>(i++)] = repeated;
    }
    InflateCodes(in, out, BuildHuffman(lengths.data(), literalCount),
                 BuildHuffman(lengths.data() + literalCount, distanceCount));
}

void InflateStored(BitReader& in, std::vector<std::uint8_t>& out) {
    in.SkipToByte();
    const auto word = [&in] {
        const unsigned low = in.Byte();
        return low | (static_cast<unsigned>(in.Byte()) << 8);
    };
    const unsigned length = word();
    const unsigned complement = word();
    if ((length ^ 0xFFFFu) != complement) Fail("stored block length does not match its complement");
    for (unsigned i = 0; i < length; ++i)
        out.push_back(in.Byte());
}

std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// Where the compressed data starts, past the header and its optional fields.
std::size_t SkipHeader(const std::vector<std::uint8_t>& file) {
    constexpr std::uint8_t kExtra = 4, kName = 8, kComment = 16, kHeaderCrc = 2;
    if (file.size() < 18 || file[0] != 0x1F || file[1] != 0x8B) Fail("not a gzip file");
    if (file[2] != 8) Fail("compression method " + std::to_string(file[2]) + " is not deflate");
    const std::uint8_t flags = file[3];
    std::size_t at = 10;
    if (flags & kExtra) at += 2 + (file[at] | (file[at + 1] << 8));
    for (const std::uint8_t zeroEnded : {kName, kComment}) {
        if (!(flags & zeroEnded)) continue;
        while (at < file.size() && file[at] != 0)
            ++at;
        ++at;
    }
    if (flags & kHeaderCrc) at += 2;
    if (at + 8 > file.size()) Fail("header runs past the end");
    return at;
}

} // namespace

std::vector<std::uint8_t> Gunzip(const std::vector<std::uint8_t>& file) {
    BitReader in(file, SkipHeader(file));
    std::vector<std::uint8_t> out;
    for (bool last = false; !last;) {
        last = in.Bits(1) == 1;
        switch (in.Bits(2)) {
        case 0:
            InflateStored(in, out);
            break;
        case 1:
            InflateFixed(in, out);
            break;
        case 2:
            InflateDynamic(in, out);
            break;
        default:
            Fail("invalid block type");
        }
    }
    const std::size_t trailer = in.Position();
    if (trailer + 8 > file.size()) Fail("trailer missing");
    if (Le32(file, trailer) != Crc32(out)) Fail("checksum does not match");
    if (Le32(file, trailer + 4) != static_cast<std::uint32_t>(out.size())) Fail("length does not match");
    return out;
}

} // namespace screens
