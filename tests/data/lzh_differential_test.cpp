// The decoder against the frozen reference decoder it replaced: same bytes, same bits consumed, same
// refusals, on well-formed streams, cut-off streams and arbitrary bytes.
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "tests/data/test_data.h"
#include "tests/support/reference_lzh.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using skin::testdata::RandomBytes;
using skin::testdata::StructuredBytes;
using skin::testdata::TestRandom;

struct Outcome {
    std::vector<std::uint8_t> output;
    std::uint64_t consumedBits = 0;
    std::string refusal;
};

// Decodes into an output that already holds a few bytes, as Expand appends.
template <typename Decoder> Outcome DecodeWith(const std::vector<std::uint8_t>& code, std::int32_t size) {
    Outcome outcome;
    outcome.output = {0xEE, 0xEF};
    Decoder decoder(code, outcome.output);
    try {
        decoder.Expand(size);
    } catch (const rtl::Exception& e) {
        outcome.refusal = e.what();
    }
    outcome.consumedBits = decoder.ConsumedBits();
    return outcome;
}

void ExpectSameAsReference(const std::vector<std::uint8_t>& code, std::int32_t size) {
    const Outcome tuned = DecodeWith<TLZH>(code, size);
    const Outcome reference = DecodeWith<reference::ReferenceLzhDecoder>(code, size);
    ASSERT_EQ(tuned.refusal, reference.refusal);
    ASSERT_EQ(tuned.consumedBits, reference.consumedBits);
    ASSERT_EQ(tuned.output, reference.output);
}

TEST(LzhDifferential, EveryTruncationOfEncodedStreamsDecodesAsTheReferenceDoes) {
    // Small enough to cut at every byte: runs (near matches), skin-like data, noise crossing no rebuild.
    std::vector<std::uint8_t> runs(700, 'a');
    runs.insert(runs.end(), 300, 'b');
    for (const auto& data : {runs, StructuredBytes(2500, 21), RandomBytes(600, 22)}) {
        const std::vector<std::uint8_t> code = LzhEncode(data);
        const auto size = static_cast<std::int32_t>(data.size());
        for (std::size_t cut = 0; cut <= code.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << "code of " << code.size() << " bytes cut to " << cut);
            const std::vector<std::uint8_t> truncated(code.begin(),
                                                      code.begin() + static_cast<std::ptrdiff_t>(cut));
            ExpectSameAsReference(truncated, size);
        }
    }
}

TEST(LzhDifferential, ArbitraryBytesDecodeAsTheReferenceDoes) {
    // Random code means random symbols: matches from the first byte on, reaching into the ring's
    // initial content and overlapping themselves at every distance, and sizes near the refusal limit.
    TestRandom random(2024);
    for (int round = 0; round < 300; ++round) {
        const std::size_t codeSize = random.Below(round < 250 ? 400 : 20000);
        const std::vector<std::uint8_t> code = RandomBytes(codeSize, random.Next());
        const auto largest = static_cast<std::uint32_t>(MaxExpandedSize(codeSize));
        const std::int32_t size = round % 10 == 0 ? static_cast<std::int32_t>(largest + random.Below(3))
                                                  : static_cast<std::int32_t>(random.Below(largest / 4 + 1));
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << codeSize << " bytes, size " << size);
        ExpectSameAsReference(code, size);
    }
}

TEST(LzhDifferential, LongStreamsAcrossTreeRebuildsDecodeAsTheReferenceDoes) {
    // More than 32454 symbols each, so the model halves its counts and rebuilds the tree on the way.
    for (const auto& data : {RandomBytes(90000, 31), StructuredBytes(400000, 32)}) {
        ExpectSameAsReference(LzhEncode(data), static_cast<std::int32_t>(data.size()));
    }
    ExpectSameAsReference(RandomBytes(60000, 33), 1000000); // arbitrary code, long enough to rebuild
}

} // namespace
} // namespace skin
