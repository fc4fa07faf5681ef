#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/lzh_model.h"
#include "tests/data/test_data.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace skin {
namespace {

using namespace skin::lzh;
using skin::testdata::Fnv1a64;
using skin::testdata::RandomBytes;
using skin::testdata::StructuredBytes;

std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& code, std::int32_t size) {
    std::vector<std::uint8_t> out;
    TLZH decoder(code, out);
    decoder.Expand(size);
    return out;
}

// Writes a hand-made code stream symbol by symbol, following the decoder's adaptive model, so that a
// test can send what no sensible encoder would (a first symbol that is a match, any offset).
class StreamBuilder {
  public:
    void Literal(std::uint8_t byte) { Symbol(byte); }
    void Match(int length, int offset) {
        Symbol(kMatchLengthBias + length);
        const int upper = offset >> 6;
        const int codeLength = kOffsetCodeLength[upper];
        Bits(kOffsetCodeStart[upper] >> (8 - codeLength), codeLength);
        Bits(offset & 63, 6);
    }
    std::vector<std::uint8_t> Finish() {
        std::vector<std::uint8_t> out;
        for (std::size_t i = 0; i < bits_.size(); i += 8) {
            std::uint8_t byte = 0;
            for (std::size_t k = 0; k < 8; ++k) {
                byte = static_cast<std::uint8_t>(byte << 1 | (i + k < bits_.size() ? bits_[i + k] : 0));
            }
            out.push_back(byte);
        }
        return out;
    }

  private:
    void Symbol(int symbol) {
        std::vector<int> path;
        for (int node = model_.parent[kTreeSize + symbol]; node != kRoot; node = model_.parent[node]) {
            path.push_back(node - model_.child[model_.parent[node]]);
        }
        bits_.insert(bits_.end(), path.rbegin(), path.rend());
        model_.UpdateModel(symbol);
    }
    void Bits(int value, int count) {
        for (int k = count - 1; k >= 0; --k)
            bits_.push_back((value >> k) & 1);
    }

    AdaptiveHuffmanModel model_;
    std::vector<int> bits_;
};

// --- Round trips and agreement with the reference coder -------------------------------------------

TEST(LzhRoundTrip, RandomAndStructuredDataOfEveryEdgeSizeDecodeByteForByte) {
    for (const std::size_t size : {0u, 1u, 59u, 60u, 61u, 4095u, 4096u, 4097u, 131072u}) {
        for (const bool structured : {false, true}) {
            SCOPED_TRACE(testing::Message() << "size " << size << (structured ? " structured" : " random"));
            const auto data = structured ? StructuredBytes(size, 17) : RandomBytes(size, 17);
            const auto code = LzhEncode(data);
            EXPECT_EQ(Decode(code, static_cast<std::int32_t>(size)), data);
        }
    }
}

TEST(LzhRoundTrip, LongRunsAndRepeatsUseMatchesAndStillDecode) {
    std::vector<std::uint8_t> data(10000, 'a');
    for (int i = 0; i < 5000; ++i)
        data.push_back(static_cast<std::uint8_t>("skin"[i % 4]));
    const auto code = LzhEncode(data);
    EXPECT_LT(code.size(), data.size() / 20);
    EXPECT_EQ(Decode(code, static_cast<std::int32_t>(data.size())), data);
}

TEST(LzhRoundTrip, RunsRepeatingEveryFewBytesDecode) {
    // Pixel runs: matches whose source overlaps them, at every distance up to and past 8 bytes, each
    // run ending at a different point of its period.
    std::vector<std::uint8_t> data;
    for (int period = 1; period <= 9; ++period) {
        for (int run = 0; run < 3; ++run) {
            const int length = 57 * (run + 1) + period;
            for (int k = 0; k < length; ++k)
                data.push_back(static_cast<std::uint8_t>(16 * period + run * 7 + k % period));
        }
    }
    const auto code = LzhEncode(data);
    EXPECT_LT(code.size(), data.size() / 4);
    EXPECT_EQ(Decode(code, static_cast<std::int32_t>(data.size())), data);
}

// Digests of the classic LZHUF coder's output for the same inputs. Encoder and decoder share the
// model, so round trips alone would not notice a fault in it; these streams pin it from outside.
TEST(LzhEncoder, OutputMatchesTheClassicCoderStreams) {
    struct Case {
        std::vector<std::uint8_t> data;
        std::size_t codeSize;
        std::uint64_t digest;
    };
    const Case cases[] = {
        {StructuredBytes(131072, 11), 58639, 0x704466f89bef5575u}, // about a stored skin's size
        {RandomBytes(40000, 9), 40138, 0xb843cdade615436du},       // > 32454 symbols: crosses a rebuild
        {RandomBytes(4097, 5), 4176, 0xd11e3082611a2d6fu},
        {StructuredBytes(61, 2), 60, 0x30c8f5478652f36cu},
    };
    for (const Case& c : cases) {
        const auto code = LzhEncode(c.data);
        EXPECT_EQ(code.size(), c.codeSize);
        EXPECT_EQ(Fnv1a64(code), c.digest);
        EXPECT_EQ(Decode(code, static_cast<std::int32_t>(c.data.size())), c.data);
    }
}

TEST(LzhEncoder, CompressPrefixesTheLittleEndianSize) {
    const auto data = StructuredBytes(70000, 3);
    const auto stream = LzhCompress(data);
    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(stream[0] | stream[1] << 8 | stream[2] << 16 | stream[3] << 24, 70000);
    EXPECT_EQ(std::vector<std::uint8_t>(stream.begin() + 4, stream.end()), LzhEncode(data));
    EXPECT_EQ(LzhCompress({}), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

// --- Expand edge cases -----------------------------------------------------------------------------

TEST(LzhExpand, SizeZeroOrNegativeReadsAndWritesNothing) {
    const std::vector<std::uint8_t> code{0xAB, 0xCD};
    for (const std::int32_t size : {0, -1, INT32_MIN}) {
        std::vector<std::uint8_t> out;
        TLZH decoder(code, out);
        decoder.Expand(size);
        EXPECT_TRUE(out.empty());
        std::uint8_t first = 0;
        ASSERT_EQ(decoder.ReadInput(&first, 1), 1u); // the input is still at its first byte
        EXPECT_EQ(first, 0xAB);
    }
}

TEST(LzhExpand, MatchIntoTheUntouchedRingYieldsSpaces) {
    StreamBuilder builder;
    builder.Match(5, 100); // source 4036 - 100 - 1: the prefilled area
    builder.Literal('x');
    builder.Match(3, 0); // the byte just written, repeated
    EXPECT_EQ(Decode(builder.Finish(), 9), skin::testdata::Bytes("     xxxx"));
}

TEST(LzhExpand, MatchIntoTheNeverWrittenEndOfTheRingYieldsZeros) {
    StreamBuilder builder;
    builder.Match(4, 4095); // source 4036: not written yet, read as zero
    EXPECT_EQ(Decode(builder.Finish(), 4), std::vector<std::uint8_t>(4, 0));
}

TEST(LzhExpand, MatchesReachingBeforeTheStartReadTheRingsInitialContent) {
    StreamBuilder builder;
    builder.Literal('x');
    builder.Literal('y');
    builder.Match(5, 3);    // from 2 bytes before the start: two spaces, "xy", then its own first byte
    builder.Match(3, 4043); // ring positions 4095 (never written: zero), then 0 and 1 (spaces)
    const std::vector<std::uint8_t> expected{'x', 'y', ' ', ' ', 'x', 'y', ' ', 0, ' ', ' '};
    EXPECT_EQ(Decode(builder.Finish(), 10), expected);
}

TEST(LzhExpand, LastMatchIsWrittenWholeEvenPastSize) {
    StreamBuilder builder;
    builder.Literal('a');
    builder.Match(60, 0);
    const auto out = Decode(builder.Finish(), 2);
    EXPECT_EQ(out, std::vector<std::uint8_t>(61, 'a')); // 59 bytes past the size, the most there can be
}

TEST(LzhExpand, EveryOffsetCodeReachesItsSource) {
    // Literal i at ring position 4036 + i, then a match back to it: offset = distance - 1.
    const int kLiterals = 4096;
    StreamBuilder builder;
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < kLiterals; ++i) {
        const auto byte = static_cast<std::uint8_t>(i * 7 + i / 256);
        builder.Literal(byte);
        expected.push_back(byte);
    }
    for (int offset = 0; offset < kWindowSize; offset += 37) {
        builder.Match(3, offset);
        const std::size_t source = expected.size() - static_cast<std::size_t>(offset) - 1;
        for (std::size_t k = 0; k < 3; ++k)
            expected.push_back(expected[source + k]);
    }
    EXPECT_EQ(Decode(builder.Finish(), static_cast<std::int32_t>(expected.size())), expected);
}

TEST(LzhExpand, AfterTheEndOfInputZeroBitsFollow) {
    const std::vector<std::uint8_t> empty;
    const std::vector<std::uint8_t> zeros(16, 0);
    const auto fromEmpty = Decode(empty, 40);
    EXPECT_GE(fromEmpty.size(), 40u);
    EXPECT_EQ(fromEmpty, Decode(zeros, 40));
    // A stream cut short still stops after the size: the right length, meaningless content.
    const auto data = StructuredBytes(3000, 4);
    auto code = LzhEncode(data);
    code.resize(code.size() / 2);
    const std::size_t decoded = Decode(code, 3000).size();
    EXPECT_GE(decoded, 3000u);
    EXPECT_LE(decoded, 3000u + kLookAhead - 1);
}

TEST(LzhExpand, RefusesSizesNoInputCouldProduceBeforeDecoding) {
    const std::vector<std::uint8_t> code(100, 0);
    EXPECT_EQ(MaxExpandedSize(100), 100 * 8 * 6 + 60);
    EXPECT_NO_THROW(Decode(code, static_cast<std::int32_t>(MaxExpandedSize(100))));
    std::vector<std::uint8_t> out;
    TLZH decoder(code, out);
    try {
        decoder.Expand(static_cast<std::int32_t>(MaxExpandedSize(100) + 1));
        FAIL() << "no refusal";
    } catch (const rtl::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("cannot come from 100 coded bytes"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(out.capacity(), 0u); // nothing reserved for the forged size
}

TEST(LzhExpand, RefusesSizesAboveTheLimitWhateverTheInput) {
    const std::vector<std::uint8_t> code(kMaxExpandedSize / 40, 0); // could "produce" more than the limit
    std::vector<std::uint8_t> out;
    TLZH decoder(code, out);
    EXPECT_THROW(decoder.Expand(kMaxExpandedSize + 1), rtl::Exception);
    EXPECT_THROW(decoder.Expand(INT32_MAX), rtl::Exception);
    EXPECT_TRUE(out.empty());
}

TEST(LzhExpand, ExceptionsCarryTheFixedMessages) {
    const ElzhException e(kLzhNoMemoryMessage);
    const rtl::Exception& base = e;
    EXPECT_EQ(base.Message(), "LZH : Cannot get memory for dictionary tables");
    EXPECT_STREQ(kLzhFreeErrorMessage, "LZH : Error freeing memory for dictionary tables");
}

// --- The adaptive model -----------------------------------------------------------------------------

// The invariants every decoder step relies on: frequencies sorted by index, an internal node's
// frequency the sum of its children's, and parent and child links that agree.
void ExpectConsistentTree(const AdaptiveHuffmanModel& m) {
    for (int k = 0; k + 1 < kTreeSize; ++k)
        ASSERT_LE(m.freq[k], m.freq[k + 1]) << "node " << k;
    int leaves = 0;
    for (int k = 0; k < kTreeSize; ++k) {
        const int c = m.child[k];
        if (c >= kTreeSize) {
            ++leaves;
            ASSERT_EQ(m.parent[c], k);
        } else {
            ASSERT_EQ(m.freq[k], m.freq[c] + m.freq[c + 1]) << "node " << k;
            ASSERT_EQ(c % 2, 0) << "node " << k; // siblings at an even index and the next
            ASSERT_EQ(m.parent[c], k);
            ASSERT_EQ(m.parent[c + 1], k);
        }
    }
    ASSERT_EQ(leaves, kSymbolCount);
    ASSERT_EQ(m.freq[kTreeSize], 0xFFFF);
    // Each prefix entry is where a walk from the root along its bits stops: at a leaf, or kPrefixBits
    // down. Every node the walks pass above that depth is marked, or a swap there would go unnoticed.
    for (int bits = 0; bits < (1 << kPrefixBits); ++bits) {
        int node = kRoot;
        int depth = 0;
        for (; depth < kPrefixBits; ++depth) {
            ASSERT_TRUE(m.inPrefix[node]) << "node " << node;
            if (m.child[node] >= kTreeSize) break;
            node = m.child[node] + ((bits >> (kPrefixBits - 1 - depth)) & 1);
        }
        ASSERT_EQ(m.prefix[bits].entry, depth < kPrefixBits ? m.child[node] : node) << "prefix " << bits;
        ASSERT_EQ(m.prefix[bits].length, depth) << "prefix " << bits;
    }
}

int CodeLength(const AdaptiveHuffmanModel& m, int symbol) {
    int length = 0;
    for (int node = m.parent[kTreeSize + symbol]; node != kRoot; node = m.parent[node])
        ++length;
    return length;
}

TEST(LzhModel, InitTreeGivesEveryLeafOneAndTheRootTheSymbolCount) {
    const AdaptiveHuffmanModel m;
    ExpectConsistentTree(m);
    EXPECT_EQ(m.freq[kRoot], kSymbolCount);
    EXPECT_EQ(m.parent[kRoot], 0);
    EXPECT_EQ(m.child[kRoot], 624);
}

TEST(LzhModel, UpdatesKeepTheTreeConsistentAcrossRebuilds) {
    AdaptiveHuffmanModel m;
    skin::testdata::TestRandom random(99);
    for (int step = 0; step < 70000; ++step) {
        // Skewed towards a few symbols, so that nodes move a lot.
        const int symbol = random.Below(4) == 0 ? static_cast<int>(random.Below(kSymbolCount))
                                                : static_cast<int>(random.Below(8)) * 40;
        m.UpdateModel(symbol);
        if (step % 997 == 0) ExpectConsistentTree(m);
    }
    ExpectConsistentTree(m);
}

TEST(LzhModel, NoCodeGrowsLongerThanTheBoundTheDecoderRefillsFor) {
    // Counts growing like 1, 2, 3, 5, 8, ... make the deepest trees the root's limit allows (the other
    // leaves, at 1 each, keep them below the bound, which assumes nothing about them).
    AdaptiveHuffmanModel m;
    int longest = 0;
    std::uint32_t previous = 1;
    std::uint32_t count = 1;
    for (int symbol = 0; m.freq[kRoot] + count < kFrequencyLimit; ++symbol) {
        for (std::uint32_t k = 0; k < count; ++k)
            m.UpdateModel(symbol);
        const std::uint32_t next = previous + count;
        previous = count;
        count = next;
        for (int s = 0; s < kSymbolCount; ++s)
            longest = std::max(longest, CodeLength(m, s));
    }
    ExpectConsistentTree(m);
    EXPECT_LE(longest, kLongestSymbolCode);
    EXPECT_GE(longest, 14); // far deeper than the 9 levels of the initial tree: the test reaches deep trees
}

TEST(LzhModel, RebuildHappensExactlyWhenTheRootIs0x8000AtTheStartOfAnUpdate) {
    AdaptiveHuffmanModel m;
    const int updatesToLimit = kFrequencyLimit - kSymbolCount;
    for (int i = 0; i < updatesToLimit; ++i)
        m.UpdateModel(i % 3);
    EXPECT_EQ(m.freq[kRoot], kFrequencyLimit); // reached, not yet rebuilt
    m.UpdateModel(0);
    EXPECT_LT(m.freq[kRoot], kFrequencyLimit / 2 + kSymbolCount + 1); // halved, then counted once more
    ExpectConsistentTree(m);
}

TEST(LzhModel, RebuildHalvesLeafFrequenciesRoundingUp) {
    AdaptiveHuffmanModel m;
    for (int i = 0; i < 6; ++i)
        m.UpdateModel(65); // 'A' counts 7
    for (int i = 0; i < 7; ++i)
        m.UpdateModel(66); // 'B' counts 8
    m.RebuildTree();
    ExpectConsistentTree(m);
    EXPECT_EQ(m.freq[m.parent[kTreeSize + 65]], 4); // (7 + 1) / 2
    EXPECT_EQ(m.freq[m.parent[kTreeSize + 66]], 4); // (8 + 1) / 2
    EXPECT_EQ(m.freq[m.parent[kTreeSize + 67]], 1); // (1 + 1) / 2
    EXPECT_EQ(m.freq[kRoot], kSymbolCount - 2 + 4 + 4);
}

TEST(LzhModel, OffsetTableRunsGiveUpperBitsAndCodeLengths) {
    EXPECT_EQ(kOffsetDecodeTable[0].upper, 0);
    EXPECT_EQ(kOffsetDecodeTable[31].upper, 0);
    EXPECT_EQ(kOffsetDecodeTable[31].length, 3);
    EXPECT_EQ(kOffsetDecodeTable[32].upper, 1);
    EXPECT_EQ(kOffsetDecodeTable[47].upper, 1);
    EXPECT_EQ(kOffsetDecodeTable[47].length, 4);
    EXPECT_EQ(kOffsetDecodeTable[48].upper, 2);
    EXPECT_EQ(kOffsetDecodeTable[255].upper, 63);
    EXPECT_EQ(kOffsetDecodeTable[255].length, 8);
    // A prefix code: each upper value's run is exactly the entries that start with its code.
    for (int u = 0; u < 64; ++u) {
        const int run = 1 << (8 - kOffsetCodeLength[u]);
        for (int k = 0; k < run; ++k)
            ASSERT_EQ(kOffsetDecodeTable[kOffsetCodeStart[u] + k].upper, u);
    }
}

} // namespace
} // namespace skin
