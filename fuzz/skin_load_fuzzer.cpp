// The whole load path of a skin: the package, its definition, the element records, and every bitmap cut
// and drawn the way the painters draw it. The first byte chooses the form as in skin_package_fuzzer (odd:
// an uncompressed package, compressed here first) and the window size; sizes are kept small so that
// each input is drawn in milliseconds.
#include "skin/data/lzh_encoder.h"
#include "skin/data/skin_definition.h"
#include "skin/data/skin_reader.h"
#include "tests/support/odd_skin.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class QuietDialog : public skin::IMessageDialog {
  public:
    void ShowMessage(const std::string&) override {}
};

constexpr int kMaxSide = 48;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    const std::vector<std::uint8_t> stream =
        (data[0] & 1) ? skin::LzhCompress(rest) : std::vector<std::uint8_t>(rest.begin(), rest.end());
    QuietDialog dialog;
    skin::TSkinReader reader(dialog);
    skin::TSkinDefinition skin(nullptr);
    try {
        if (!reader.LoadPackage(stream)) return 0;
        skin.LoadPackageDefinition(reader);
    } catch (const rtl::Exception&) {
        return 0; // a damaged package or definition is refused, never drawn
    }
    const int width = (data[0] >> 1) % kMaxSide;
    const int height = (data[0] >> 4) * 3 % kMaxSide;
    skin::test::PaintEveryElement(skin, width, height, kMaxSide);
    return 0;
}
