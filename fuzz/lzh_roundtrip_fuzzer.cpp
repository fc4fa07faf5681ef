// Whatever the encoder writes, the decoder must give back byte for byte.
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const std::vector<std::uint8_t> code = skin::LzhEncode(input);
    std::vector<std::uint8_t> out;
    skin::TLZH decoder(code, out);
    decoder.Expand(static_cast<std::int32_t>(size));
    if (out.size() != size || !std::equal(out.begin(), out.end(), input.begin())) std::abort();
    if (decoder.ConsumedBits() > code.size() * 8) std::abort();
    return 0;
}
