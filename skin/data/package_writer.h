// PackageWriter: builds skin packages for skin authors' tools and for tests; the reverse of TSkinReader.
#pragma once

#include "framework/rtl/exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// Layout written: version 20000, the name list length, 8 reserved bytes written as zeros, the names each
// followed by CR LF (a break after the last name too, so a last empty name survives), the member sizes,
// then the members' bytes, all in the order the members were added.
class PackageWriter {
  public:
    // Raises rtl::Exception for a name with a line break (it would split into two names), a name equal
    // to an earlier one in any letter case (the reader could never reach it), or member 1002.
    void AddMember(std::string name, std::vector<std::uint8_t> data);

    std::size_t Count() const { return members_.size(); }

    // The uncompressed package.
    std::vector<std::uint8_t> Build() const;
    // The package compressed as skins are stored and loaded (size field, then the LZH code).
    std::vector<std::uint8_t> BuildCompressed() const;

  private:
    struct Member {
        std::string name;
        std::vector<std::uint8_t> data;
    };
    std::vector<Member> members_;
};

} // namespace skin
