// Feeds arbitrary skin streams to TSkinReader::LoadPackage and uses whatever it accepts. The first byte
// chooses the form: odd takes the rest as an uncompressed package and compresses it first, which reaches
// the member table checks far more often than mutated LZH code does; even takes it as a skin stream.
#include "skin/data/lzh_encoder.h"
#include "skin/data/skin_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class CountingDialog : public skin::IMessageDialog {
  public:
    void ShowMessage(const std::string&) override { ++shown; }
    int shown = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    const std::vector<std::uint8_t> stream =
        (data[0] & 1) ? skin::LzhCompress(rest) : std::vector<std::uint8_t>(rest.begin(), rest.end());

    CountingDialog dialog;
    skin::TSkinReader reader(dialog);
    bool loaded = false;
    try {
        loaded = reader.LoadPackage(stream);
    } catch (const rtl::Exception&) {
        if (reader.Count() != 0 || reader.DataSize() != 0 || dialog.shown != 0) std::abort();
        return 0;
    }
    if (!loaded) {
        if (dialog.shown != 1 || reader.Count() != 0) std::abort();
        return 0;
    }
    std::int64_t total = 0;
    std::vector<std::uint8_t> member;
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        if (!reader.ExtractMember(reader.Names()[i], member)) std::abort();
        total += reader.MemberSize(i);
    }
    if (total > static_cast<std::int64_t>(reader.DataSize())) std::abort();
    std::string name;
    reader.ExtractFirstMatching(".ini", member, name);
    return 0;
}
