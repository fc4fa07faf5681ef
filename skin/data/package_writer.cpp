#include "package_writer.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/skin_package.h"

namespace skin {

namespace {

void AppendUint32Le(std::vector<std::uint8_t>& out, std::uint64_t value) {
    if (value > 0xFFFFFFFFu)
        throw rtl::Exception("skin package: " + std::to_string(value) + " does not fit 32 bits");
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

constexpr const char* kLineBreak = "\r\n";

} // namespace

void PackageWriter::AddMember(std::string name, std::vector<std::uint8_t> data) {
    if (name.find_first_of("\r\n") != std::string::npos) {
        throw rtl::Exception("skin package: member name '" + name + "' contains a line break");
    }
    const std::string lower = rtl::LowerCaseAscii(name);
    for (const Member& member : members_) {
        if (rtl::LowerCaseAscii(member.name) == lower) {
            throw rtl::Exception("skin package: member name '" + name + "' repeats '" + member.name + "'");
        }
    }
    if (members_.size() == kMaxPackageMembers) {
        throw rtl::Exception("skin package: member '" + name + "' would be member " +
                             std::to_string(kMaxPackageMembers + 1) + ", more than a package may hold");
    }
    members_.push_back({std::move(name), std::move(data)});
}

std::vector<std::uint8_t> PackageWriter::Build() const {
    std::string nameList;
    std::size_t dataSize = 0;
    for (const Member& member : members_) {
        nameList += member.name;
        nameList += kLineBreak;
        dataSize += member.data.size();
    }
    std::vector<std::uint8_t> out;
    out.reserve(kPackageHeaderSize + nameList.size() + kMemberSizeBytes * members_.size() + dataSize);
    AppendUint32Le(out, kPackageVersion);
    AppendUint32Le(out, nameList.size());
    out.insert(out.end(), kPackageReservedSize, 0);
    out.insert(out.end(), nameList.begin(), nameList.end());
    for (const Member& member : members_)
        AppendUint32Le(out, member.data.size());
    for (const Member& member : members_)
        out.insert(out.end(), member.data.begin(), member.data.end());
    return out;
}

std::vector<std::uint8_t> PackageWriter::BuildCompressed() const {
    return LzhCompress(Build());
}

} // namespace skin
