#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "skin/data/skin_reader.h"
#include "tests/data/test_data.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using skin::testdata::Bytes;
using skin::testdata::RawPackage;

class RecordingDialog : public IMessageDialog {
  public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

std::vector<std::uint8_t> GoodPackage() {
    PackageWriter writer;
    writer.AddMember("Skin.INI", Bytes("[Title]\r\nLeft=1\r\n"));
    writer.AddMember("top.bmp", Bytes("BM-top"));
    writer.AddMember("Empty.bmp", {});
    writer.AddMember("left.bmp", skin::testdata::StructuredBytes(9000, 1));
    return writer.BuildCompressed();
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// Refusal of a damaged package: an rtl::Exception whose message says what is wrong, and an empty
// reader afterwards, also when it held a good package before.
void ExpectRefused(const std::vector<std::uint8_t>& source, const std::string& messagePart) {
    RecordingDialog dialog;
    TSkinReader reader(dialog);
    ASSERT_TRUE(reader.LoadPackage(GoodPackage()));
    const auto copy = source;
    try {
        reader.LoadPackage(source);
        ADD_FAILURE() << "accepted; expected a refusal with '" << messagePart << "'";
    } catch (const rtl::Exception& e) {
        EXPECT_NE(std::string(e.what()).find(messagePart), std::string::npos) << e.what();
    }
    EXPECT_EQ(reader.Count(), 0u);
    EXPECT_EQ(reader.DataSize(), 0u);
    std::vector<std::uint8_t> target;
    EXPECT_FALSE(reader.ExtractMember("top.bmp", target));
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(source, copy);
}

// --- Reading packages ------------------------------------------------------------------------------

TEST(SkinReader, LoadsWhatThePackageWriterWrites) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(GoodPackage()));
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"skin.ini", "top.bmp", "empty.bmp", "left.bmp"}));
    EXPECT_EQ(reader.Version(), kPackageVersion);
    std::vector<std::uint8_t> target;
    ASSERT_TRUE(reader.ExtractMember("left.bmp", target));
    EXPECT_EQ(target, skin::testdata::StructuredBytes(9000, 1));
    ASSERT_TRUE(reader.ExtractMember("top.bmp", target));
    EXPECT_EQ(Text(target), "BM-top");
}

TEST(SkinReader, FindsMembersStoredInAnyCaseByARequestInAnyCase) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(RawPackage(kPackageVersion, "FRAME.Bmp\r\nmenu.BMP", {2, 3}, "abxyz")));
    std::vector<std::uint8_t> target;
    EXPECT_TRUE(reader.ExtractMember("frame.bmp", target));
    EXPECT_EQ(Text(target), "ab");
    EXPECT_TRUE(reader.ExtractMember("Menu.Bmp", target));
    EXPECT_EQ(Text(target), "xyz");
}

TEST(SkinReader, FirstOfTwoEqualNamesWins) {
    TSkinReader reader;
    ASSERT_TRUE(
        reader.LoadPackage(RawPackage(kPackageVersion, "a.bmp\r\nb.bmp\r\nA.BMP\r\n", {1, 2, 3}, "1223334")));
    std::vector<std::uint8_t> target;
    ASSERT_TRUE(reader.ExtractMember("a.bmp", target));
    EXPECT_EQ(Text(target), "1");
    ASSERT_TRUE(reader.ExtractMember("b.bmp", target));
    EXPECT_EQ(Text(target), "22");
}

TEST(SkinReader, MissingAndEmptyMembersBothLeaveTheTargetEmpty) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(GoodPackage()));
    std::vector<std::uint8_t> target = Bytes("old content");
    EXPECT_TRUE(reader.ExtractMember("empty.bmp", target));
    EXPECT_TRUE(target.empty());
    target = Bytes("old content");
    EXPECT_FALSE(reader.ExtractMember("absent.bmp", target));
    EXPECT_TRUE(target.empty());
}

TEST(SkinReader, ExtractFirstMatchingTakesTheFirstNameContainingThePart) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(
        RawPackage(kPackageVersion, "top.bmp\r\nold.ini.bmp\r\nskin.ini\r\n", {1, 2, 3}, "TBBIII")));
    std::vector<std::uint8_t> target;
    std::string name = "unchanged";
    ASSERT_TRUE(reader.ExtractFirstMatching(".ini", target, name));
    EXPECT_EQ(name, "old.ini.bmp"); // a bitmap whose name merely contains ".ini"
    EXPECT_EQ(Text(target), "BB");

    name = "unchanged";
    EXPECT_FALSE(reader.ExtractFirstMatching(".INI", target, name)); // the part is not lower-cased
    EXPECT_EQ(name, "unchanged");
    EXPECT_TRUE(target.empty());
}

TEST(SkinReader, NameListEndingInCrLfHasAsManyMembersAsNames) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(RawPackage(kPackageVersion, "a.bmp\r\nb.bmp\r\n", {1, 1}, "ab")));
    EXPECT_EQ(reader.Count(), 2u);
}

TEST(SkinReader, NameListSplitsAtCrLfOrCrLfAndKeepsInnerEmptyNames) {
    EXPECT_EQ(SplitNameList(""), std::vector<std::string>{});
    EXPECT_EQ(SplitNameList("a\rb\nc\r\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitNameList("a\n\rb"), (std::vector<std::string>{"a", "", "b"})); // LF CR is two breaks
    EXPECT_EQ(SplitNameList("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitNameList("\r\n"), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitNameList("a\r"), (std::vector<std::string>{"a"}));
}

TEST(SkinReader, AnEmptyNameIsAMemberLikeAnyOther) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(RawPackage(kPackageVersion, "a\r\n\r\nb", {1, 2, 3}, "1223334")));
    std::vector<std::uint8_t> target;
    ASSERT_TRUE(reader.ExtractMember("b", target));
    EXPECT_EQ(Text(target), "333"); // its offset counts the empty-named member's size
}

TEST(SkinReader, KeepsTheHeaderAsRead) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(RawPackage(kPackageVersion, "a", {1}, "1")));
    EXPECT_EQ(reader.NameListLength(), 1u);
    EXPECT_EQ(reader.Reserved()[0], 0xA0);
    EXPECT_EQ(reader.Reserved()[7], 0xA7);
}

TEST(SkinReader, OtherVersionsShowTheMessageOnceAndChangeNothing) {
    for (const std::uint32_t version : {19999u, 20001u, 0u}) {
        RecordingDialog dialog;
        TSkinReader reader(dialog);
        ASSERT_TRUE(reader.LoadPackage(GoodPackage()));
        EXPECT_FALSE(reader.LoadPackage(RawPackage(version, "other.ini", {1}, "x")));
        EXPECT_EQ(dialog.messages,
                  std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"});
        EXPECT_EQ(reader.Count(), 4u);
        std::vector<std::uint8_t> target;
        EXPECT_TRUE(reader.ExtractMember("top.bmp", target));
        EXPECT_EQ(Text(target), "BM-top");
    }
}

TEST(SkinReader, UnpackKeepsALastMatchThatRunsPastTheSize) {
    // Sixty spaces coded as one match, with a declared size of one byte.
    auto stream = LzhCompress(std::vector<std::uint8_t>(60, ' '));
    stream[0] = 1;
    std::vector<std::uint8_t> target = Bytes("replaced");
    TSkinReader::Unpack(stream, target);
    EXPECT_EQ(target, std::vector<std::uint8_t>(60, ' '));
}

// --- Refusing damaged packages ---------------------------------------------------------------------

TEST(SkinReaderRefuses, AStreamTooShortForItsSizeField) {
    ExpectRefused({}, "too short to hold the 4-byte size field");
    ExpectRefused({1, 0, 0}, "too short to hold the 4-byte size field");
}

TEST(SkinReaderRefuses, DeclaredSizesBeyondTheLimitOrTheInput) {
    auto stream = GoodPackage();
    stream[3] = 0x7F; // about 2 GB
    ExpectRefused(stream, "exceeds the limit");
    stream = GoodPackage();
    stream[2] = 0x40; // 4 MB from a few KB of code
    ExpectRefused(stream, "cannot come from");
}

TEST(SkinReaderRefuses, APackageCutShortAnywhereInItsCode) {
    const auto whole = GoodPackage();
    for (std::size_t cut : {whole.size() - 1, whole.size() * 3 / 4, whole.size() / 2}) {
        ExpectRefused(
            std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)),
            "the file is cut short");
    }
}

TEST(SkinReaderRefuses, UnpackedDataShorterThanTheHeader) {
    ExpectRefused(LzhCompress(Bytes("short")), "shorter than the 16-byte header");
}

TEST(SkinReaderRefuses, ANameListThatRunsPastTheData) {
    ExpectRefused(RawPackage(kPackageVersion, "a.bmp", {1}, "x", 1000), "name list of 1000 bytes runs past");
    ExpectRefused(RawPackage(kPackageVersion, "a.bmp", {1}, "x", 0xFFFFFFFFu), "runs past the unpacked data");
}

TEST(SkinReaderRefuses, MoreThan1001Members) {
    std::string names;
    for (int i = 0; i < 1002; ++i)
        names += "m" + std::to_string(i) + "\r\n";
    ExpectRefused(RawPackage(kPackageVersion, names, std::vector<std::uint32_t>(1002, 0), ""),
                  "1002 members");

    names.resize(names.rfind("m1001"));
    TSkinReader reader;
    EXPECT_TRUE(
        reader.LoadPackage(RawPackage(kPackageVersion, names, std::vector<std::uint32_t>(1001, 0), "")));
    EXPECT_EQ(reader.Count(), 1001u);
}

TEST(SkinReaderRefuses, SizesThatRunPastTheData) {
    ExpectRefused(RawPackage(kPackageVersion, "a\r\nb\r\nc", {1, 1}, ""), "the sizes of 3 members run past");
}

TEST(SkinReaderRefuses, MemberSizesThatOverflow) {
    ExpectRefused(RawPackage(kPackageVersion, "a\r\nb", {1, 0x80000000u}, "x"),
                  "member 'b' declares 2147483648");
    // Each size alone fits, but their sum wraps in 32 bits.
    ExpectRefused(RawPackage(kPackageVersion, "a\r\nb\r\nc", {2, 0x7FFFFFFFu, 0x7FFFFFFFu}, "xy"),
                  "add up to 4294967296 bytes, but only 2 bytes");
}

TEST(SkinReaderRefuses, MembersLongerThanTheDataThatFollows) {
    ExpectRefused(RawPackage(kPackageVersion, "a.bmp\r\nb.bmp", {3, 4}, "abcdef"),
                  "add up to 7 bytes, but only 6");
}

// --- Writing packages ------------------------------------------------------------------------------

TEST(PackageWriter, LaysOutHeaderNamesSizesAndData) {
    PackageWriter writer;
    writer.AddMember("A.ini", Bytes("xy"));
    writer.AddMember("b.bmp", Bytes("z"));
    std::vector<std::uint8_t> expected{0x20, 0x4E, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const char c : std::string_view("A.ini\r\nb.bmp\r\n"))
        expected.push_back(static_cast<std::uint8_t>(c));
    for (const int b : {2, 0, 0, 0, 1, 0, 0, 0, int{'x'}, int{'y'}, int{'z'}})
        expected.push_back(static_cast<std::uint8_t>(b));
    EXPECT_EQ(writer.Build(), expected);
}

TEST(PackageWriter, KeepsAnEmptyLastName) {
    PackageWriter writer;
    writer.AddMember("a", Bytes("1"));
    writer.AddMember("", Bytes("22"));
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(writer.BuildCompressed()));
    std::vector<std::uint8_t> target;
    ASSERT_TRUE(reader.ExtractMember("", target));
    EXPECT_EQ(Text(target), "22");
}

TEST(PackageWriter, RefusesNamesTheReaderWouldMisread) {
    PackageWriter writer;
    writer.AddMember("a.bmp", {});
    EXPECT_THROW(writer.AddMember("b\r\nc", {}), rtl::Exception);
    EXPECT_THROW(writer.AddMember("b\nc", {}), rtl::Exception);
    EXPECT_THROW(writer.AddMember("A.BMP", {}), rtl::Exception);
    for (int i = 1; i < 1001; ++i)
        writer.AddMember("m" + std::to_string(i), {});
    EXPECT_THROW(writer.AddMember("one.too.many", {}), rtl::Exception);
    EXPECT_EQ(writer.Count(), 1001u);
}

} // namespace
} // namespace skin
