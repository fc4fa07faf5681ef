#include "skin_reader.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"
#include "skin/data/lzh.h"

#include <algorithm>
#include <limits>

namespace skin {

namespace {

constexpr std::size_t kSizeFieldBytes = 4;

[[noreturn]] void Refuse(const std::string& what) {
    throw rtl::Exception("skin package: " + what);
}

} // namespace

std::vector<std::string> SplitNameList(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

TSkinReader::TSkinReader() = default;

TSkinReader::TSkinReader(IMessageDialog& dialog) : dialog_(&dialog) {}

void TSkinReader::Unpack(std::span<const std::uint8_t> source, std::vector<std::uint8_t>& target) {
    target.clear();
    if (source.size() < kSizeFieldBytes) {
        Refuse(std::to_string(source.size()) + " bytes, too short to hold the 4-byte size field");
    }
    const auto size = static_cast<std::int32_t>(ReadUint32Le(source.data()));
    const std::span<const std::uint8_t> code = source.subspan(kSizeFieldBytes);
    TLZH decoder(code, target);
    decoder.Expand(size);
    // The decoder goes on with zero bits after the end; a whole stream never needs them, a file cut short
    // would give members of made-up bytes.
    if (decoder.ConsumedBits() > std::uint64_t{code.size()} * 8) {
        Refuse("the compressed data ends " +
               std::to_string((decoder.ConsumedBits() - code.size() * 8 + 7) / 8) + " bytes before the " +
               std::to_string(size) + " bytes it should hold: the file is cut short");
    }
}

bool TSkinReader::LoadPackage(std::span<const std::uint8_t> source) {
    try {
        std::vector<std::uint8_t> unpacked;
        Unpack(source, unpacked);
        if (unpacked.size() < kPackageHeaderSize) {
            Refuse("unpacked data of " + std::to_string(unpacked.size()) + " bytes is shorter than the " +
                   std::to_string(kPackageHeaderSize) + "-byte header");
        }
        const std::uint32_t version = ReadUint32Le(unpacked.data());
        if (version != kPackageVersion) {
            if (dialog_) dialog_->ShowMessage(kOlderSkinFileMessage);
            return false;
        }
        const std::uint32_t nameListLength = ReadUint32Le(unpacked.data() + kNameListLengthOffset);
        const std::size_t total = unpacked.size();
        if (nameListLength > total - kPackageHeaderSize) {
            Refuse("name list of " + std::to_string(nameListLength) + " bytes runs past the unpacked data (" +
                   std::to_string(total) + " bytes)");
        }
        const auto* nameList = reinterpret_cast<const char*>(unpacked.data() + kPackageHeaderSize);
        std::vector<std::string> names =
            SplitNameList(rtl::LowerCaseAscii(std::string_view(nameList, nameListLength)));
        const std::size_t count = names.size();
        if (count > kMaxPackageMembers) {
            Refuse(std::to_string(count) + " members, more than the " + std::to_string(kMaxPackageMembers) +
                   " a package may hold");
        }
        const std::size_t sizesAt = kPackageHeaderSize + nameListLength;
        const std::size_t dataAt = sizesAt + kMemberSizeBytes * count;
        if (dataAt > total) {
            Refuse("the sizes of " + std::to_string(count) + " members run past the unpacked data (" +
                   std::to_string(total) + " bytes)");
        }

        std::array<std::int32_t, kMaxPackageMembers> sizes{};
        std::vector<std::int64_t> offsets(count);
        std::int64_t offset = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t size = ReadUint32Le(unpacked.data() + sizesAt + kMemberSizeBytes * i);
            if (size > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
                Refuse("member '" + names[i] + "' declares " + std::to_string(size) +
                       " bytes, more than a member can hold");
            }
            sizes[i] = static_cast<std::int32_t>(size);
            offsets[i] = offset;
            offset += size;
        }
        const auto dataSize = static_cast<std::int64_t>(total - dataAt);
        if (offset > dataSize) {
            Refuse("the sizes of " + std::to_string(count) + " members add up to " + std::to_string(offset) +
                   " bytes, but only " + std::to_string(dataSize) + " bytes of member data follow");
        }

        data_.assign(unpacked.begin() + static_cast<std::ptrdiff_t>(dataAt), unpacked.end());
        names_ = std::move(names);
        sizes_ = sizes;
        offsets_ = std::move(offsets);
        version_ = version;
        nameListLength_ = nameListLength;
        std::copy_n(unpacked.begin() + kReservedOffset, kPackageReservedSize, reserved_.begin());
        return true;
    } catch (...) {
        Clear();
        throw;
    }
}

void TSkinReader::Clear() {
    names_.clear();
    sizes_.fill(0);
    offsets_.clear();
    data_.clear();
    data_.shrink_to_fit();
    version_ = 0;
    nameListLength_ = 0;
    reserved_.fill(0);
}

void TSkinReader::CopyMember(std::size_t index, std::vector<std::uint8_t>& target) const {
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offsets_[index]);
    target.assign(begin, begin + sizes_[index]);
}

bool TSkinReader::ExtractMember(std::string_view name, std::vector<std::uint8_t>& target) const {
    target.clear();
    const std::string wanted = rtl::LowerCaseAscii(name);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == wanted) {
            CopyMember(i, target);
            return true;
        }
    }
    return false;
}

bool TSkinReader::ExtractFirstMatching(std::string_view part, std::vector<std::uint8_t>& target,
                                       std::string& name) const {
    target.clear();
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i].find(part) != std::string::npos) {
            CopyMember(i, target);
            name = names_[i];
            return true;
        }
    }
    return false;
}

} // namespace skin
