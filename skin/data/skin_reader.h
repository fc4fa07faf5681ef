// TSkinReader: unpacks a compressed skin package, checks its version and hands out its members.
#pragma once

#include "framework/rtl/exceptions.h"
#include "skin/data/message_dialog.h"
#include "skin/data/skin_package.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

inline constexpr const char* kOlderSkinFileMessage =
    "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
  public:
    // A reader without a dialog shows the version message nowhere (tools check the version themselves).
    TSkinReader();
    explicit TSkinReader(IMessageDialog& dialog);

    // Unpacks the compressed package source and takes in its members. False, after showing the version
    // message, when the package is of another version; the reader is then unchanged. A damaged package
    // raises rtl::Exception (ElzhException for the decoder's own failures) and leaves the reader empty.
    bool LoadPackage(std::span<const std::uint8_t> source);

    // Decompresses source (4-byte size, then the LZH code) into target, replacing its content.
    static void Unpack(std::span<const std::uint8_t> source, std::vector<std::uint8_t>& target);

    // Copies the member called name (any letter case) into target; target stays empty for a missing
    // member. True when the member exists, which tells a member of size 0 from a missing one.
    bool ExtractMember(std::string_view name, std::vector<std::uint8_t>& target) const;

    // Copies the first member whose name contains part (compared as given, so give it in lower case)
    // and gives back its name; target stays empty and name unchanged when none matches.
    bool ExtractFirstMatching(std::string_view part, std::vector<std::uint8_t>& target,
                              std::string& name) const;

    // What was read, for tools: lower-cased names and sizes in package order, the header as stored.
    const std::vector<std::string>& Names() const { return names_; }
    std::size_t Count() const { return names_.size(); }
    std::int32_t MemberSize(std::size_t index) const { return sizes_.at(index); }
    std::size_t DataSize() const { return data_.size(); }
    std::uint32_t Version() const { return version_; }
    std::uint32_t NameListLength() const { return nameListLength_; }
    const std::array<std::uint8_t, kPackageReservedSize>& Reserved() const { return reserved_; }

  private:
    void Clear();
    void CopyMember(std::size_t index, std::vector<std::uint8_t>& target) const;

    IMessageDialog* dialog_ = nullptr;
    std::vector<std::string> names_;
    std::array<std::int32_t, kMaxPackageMembers> sizes_{};
    std::vector<std::int64_t> offsets_; // offset of each member in data_, checked at load
    std::vector<std::uint8_t> data_;
    std::uint32_t version_ = 0;
    std::uint32_t nameListLength_ = 0;
    std::array<std::uint8_t, kPackageReservedSize> reserved_{};
};

// Splits a name list at CR, LF or CR LF; a break at the very end adds no empty name.
std::vector<std::string> SplitNameList(std::string_view text);

} // namespace skin
