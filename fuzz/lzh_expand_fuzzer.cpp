// Feeds arbitrary code to TLZH::Expand. The first 4 bytes choose the size, folded into the range the
// decoder accepts for the rest of the input (and at most a stored skin's 128 KB, which keeps runs fast
// while still crossing tree rebuilds), so that most inputs decode instead of being refused.
#include "skin/data/lzh.h"
#include "skin/data/lzh_model.h"
#include "skin/data/skin_package.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::span<const std::uint8_t> code(data + 4, size - 4);
    constexpr std::int64_t kLargestSize = 128 * 1024;
    const auto range =
        static_cast<std::uint64_t>(std::min(skin::MaxExpandedSize(code.size()), kLargestSize)) + 1;
    const auto wanted = static_cast<std::int32_t>(skin::ReadUint32Le(data) % range);

    std::vector<std::uint8_t> out;
    skin::TLZH decoder(code, out);
    decoder.Expand(wanted);
    // The whole last match is written, so at most one match length beyond the size, never less.
    if (out.size() < static_cast<std::size_t>(wanted) ||
        out.size() > static_cast<std::size_t>(wanted) + skin::lzh::kLookAhead - 1) {
        std::abort();
    }
    return 0;
}
