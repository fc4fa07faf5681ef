#include "marivel_version.h"
#include "skin/data/skin_package.h"
#include "skin/data/skin_reader.h"
#include "skin/draw/bmp_writer.h"
#include "tests/data/test_data.h"
#include "tools/skintool/dump.h"
#include "tools/skintool/file_io.h"
#include "tools/skintool/skintool.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace skin::tool {
namespace {

namespace fs = std::filesystem;
using skin::testdata::Bytes;
using skin::testdata::RawPackage;

class Skintool : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("skintool_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "in");
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Run(std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunSkintool(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return code;
    }
    void WriteInput(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        WriteFileBytes(dir_ / "in" / name, bytes);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void WriteDefaultSkinFolder() {
        WriteInput("Skin.INI", Bytes("[Title]\r\n"));
        WriteInput("z.bmp", Bytes("zz"));
        WriteInput("B.bmp", skin::testdata::StructuredBytes(5000, 8));
        WriteInput("a.BMP", Bytes("a"));
        WriteInput("notes.txt", Bytes("left out"));
    }

    fs::path dir_;
    std::string out_;
    std::string err_;
};

TEST_F(Skintool, PackStoresTheIniFirstThenBitmapsInLowerCaseByteOrder) {
    WriteDefaultSkinFolder();
    ASSERT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitSuccess) << err_;
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(ReadFileBytes(Path("s.skn"))));
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"skin.ini", "a.bmp", "b.bmp", "z.bmp"}));
    EXPECT_EQ(reader.Reserved(), (std::array<std::uint8_t, kPackageReservedSize>{}));
    std::vector<std::uint8_t> member;
    reader.ExtractMember("b.bmp", member);
    EXPECT_EQ(member, skin::testdata::StructuredBytes(5000, 8));
}

TEST_F(Skintool, PackNeedsExactlyOneIniFile) {
    WriteInput("a.bmp", Bytes("a"));
    EXPECT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitFailure);
    EXPECT_NE(err_.find("needs exactly one .ini file, found 0"), std::string::npos) << err_;
    WriteInput("one.ini", {});
    WriteInput("two.Ini", {});
    EXPECT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitFailure);
    EXPECT_NE(err_.find("found 2"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(Path("s.skn")));
    EXPECT_EQ(Run({"pack", Path("missing"), Path("s.skn")}), kExitFailure);
    EXPECT_NE(err_.find("not a folder"), std::string::npos) << err_;
}

TEST_F(Skintool, UnpackWritesEveryMemberAsPacked) {
    WriteDefaultSkinFolder();
    ASSERT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitSuccess) << err_;
    ASSERT_EQ(Run({"unpack", Path("s.skn"), Path("out/nested")}), kExitSuccess) << err_;
    EXPECT_EQ(ReadFileBytes(dir_ / "out/nested/b.bmp"), skin::testdata::StructuredBytes(5000, 8));
    EXPECT_EQ(ReadFileBytes(dir_ / "out/nested/skin.ini"), Bytes("[Title]\r\n"));
    EXPECT_FALSE(fs::exists(dir_ / "out/nested/notes.txt"));
}

TEST_F(Skintool, UnpackRefusesNamesThatAreNotPlainFileNamesAndWritesNothing) {
    for (const std::string name : {"../evil.bmp", "sub/x.bmp", "sub\\x.bmp", "c:x.bmp", "", "..", "CON.bmp",
                                   "nul", "trailing.", "tab\t.bmp"}) {
        SCOPED_TRACE(name);
        WriteFileBytes(Path("bad.skn"), RawPackage(kPackageVersion, name + "\r\nok.ini", {1, 1}, "ab"));
        EXPECT_EQ(Run({"unpack", Path("bad.skn"), Path("out")}), kExitFailure);
        EXPECT_NE(err_.find("cannot be written"), std::string::npos) << err_;
        EXPECT_FALSE(fs::exists(Path("out")));
        EXPECT_FALSE(fs::exists(Path("evil.bmp")));
    }
}

TEST_F(Skintool, UnpackWritesOnlyTheFirstOfRepeatedNames) {
    WriteFileBytes(Path("dup.skn"), RawPackage(kPackageVersion, "a.ini\r\nA.INI", {1, 2}, "123"));
    ASSERT_EQ(Run({"unpack", Path("dup.skn"), Path("out")}), kExitSuccess) << err_;
    EXPECT_EQ(ReadFileBytes(dir_ / "out/a.ini"), Bytes("1"));
    EXPECT_NE(err_.find("repeats an earlier name"), std::string::npos);
}

TEST_F(Skintool, ListShowsMembersAndSizes) {
    WriteFileBytes(Path("s.skn"),
                   RawPackage(kPackageVersion, "Skin.ini\r\ntop.bmp\r\n", {3, 12}, "abc123456789012"));
    ASSERT_EQ(Run({"list", Path("s.skn")}), kExitSuccess) << err_;
    EXPECT_EQ(out_, "      size  name\n         3  skin.ini\n        12  top.bmp\n        15  (2 members)\n");
}

// The line under an element's name in a dump: its image and one frame's size.
std::string StripLine(const std::string& dump, const std::string& slot) {
    const std::size_t at = dump.find("  " + slot + ": ");
    if (at == std::string::npos) return "(no " + slot + ")";
    const std::size_t start = dump.find('\n', at) + 1;
    return dump.substr(start, dump.find('\n', start) - start);
}

TEST(SkintoolDump, FramesAreCutAcrossSideStripsAndDownCaptionBottomTitleAndMenuBar) {
    TSkinDefinition skin(nullptr);
    skin.BorderLeft->Image = Bitmap(8, 40);
    skin.BorderLeft->FrameCount = 2;
    skin.BorderTop->Image = Bitmap(120, 60);
    skin.BorderTop->FrameCount = 2;
    skin.BorderBottom->Image = Bitmap(90, 12);
    skin.BorderBottom->FrameCount = 3;
    skin.Title->Image = Bitmap(50, 36);
    skin.Title->FrameCount = 2;
    skin.MenuBar = std::make_unique<TDataSkinObject>("MenuBar");
    skin.MenuBar->Image = Bitmap(64, 40);
    skin.MenuBar->FrameCount = 2;
    std::ostringstream out;
    DumpSkin(skin, out);
    const std::string dump = out.str();
    EXPECT_EQ(StripLine(dump, "BorderLeft"), "    Image 8 x 40, FrameCount 2, frame 4 x 40");
    EXPECT_EQ(StripLine(dump, "BorderTop"), "    Image 120 x 60, FrameCount 2, frame 120 x 30, stacked");
    EXPECT_EQ(StripLine(dump, "BorderBottom"), "    Image 90 x 12, FrameCount 3, frame 90 x 4, stacked");
    EXPECT_EQ(StripLine(dump, "Title"), "    Image 50 x 36, FrameCount 2, frame 50 x 18, stacked");
    EXPECT_EQ(StripLine(dump, "MenuBar"), "    Image 64 x 40, FrameCount 2, frame 64 x 20, stacked");
}

TEST_F(Skintool, VerifyAcceptsWhatPackWrites) {
    WriteDefaultSkinFolder();
    ASSERT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitSuccess);
    EXPECT_EQ(Run({"verify", Path("s.skn")}), kExitSuccess) << err_;
    EXPECT_NE(out_.find("OK, version 20000, 4 members"), std::string::npos) << out_;
    EXPECT_EQ(err_, "");
}

TEST_F(Skintool, VerifyReportsWhatLoadingTolerates) {
    // Truncated code: refused, as loading refuses it.
    WriteDefaultSkinFolder();
    ASSERT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitSuccess);
    auto bytes = ReadFileBytes(Path("s.skn"));
    bytes.resize(bytes.size() - 40);
    WriteFileBytes(Path("cut.skn"), bytes);
    EXPECT_EQ(Run({"verify", Path("cut.skn")}), kExitFailure);
    EXPECT_NE(err_.find("the file is cut short"), std::string::npos) << err_;

    // Bytes after the last member, and no definition.
    WriteFileBytes(Path("extra.skn"), RawPackage(kPackageVersion, "a.bmp", {1}, "ab"));
    EXPECT_EQ(Run({"verify", Path("extra.skn")}), kExitFailure);
    EXPECT_NE(err_.find("1 bytes follow the last member"), std::string::npos) << err_;
    EXPECT_NE(err_.find("no member name contains '.ini'"), std::string::npos) << err_;
}

TEST_F(Skintool, OtherVersionsAndDamagedFilesFailNamingTheFile) {
    WriteFileBytes(Path("old.skn"), RawPackage(19999, "a.ini", {1}, "a"));
    EXPECT_EQ(Run({"list", Path("old.skn")}), kExitFailure);
    EXPECT_NE(err_.find("old.skn': package version 19999, this program reads version 20000"),
              std::string::npos)
        << err_;
    WriteFileBytes(Path("short.skn"), Bytes("ab"));
    EXPECT_EQ(Run({"verify", Path("short.skn")}), kExitFailure);
    EXPECT_NE(err_.find("short.skn': skin package: 2 bytes"), std::string::npos) << err_;
    EXPECT_EQ(Run({"list", Path("absent.skn")}), kExitFailure);
    EXPECT_NE(err_.find("absent.skn': no such file"), std::string::npos) << err_;
}

TEST_F(Skintool, DamagedFilesNeverEscapeAsCrashes) {
    WriteDefaultSkinFolder();
    ASSERT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitSuccess);
    const auto good = ReadFileBytes(Path("s.skn"));
    skin::testdata::TestRandom random(5);
    for (int round = 0; round < 60; ++round) {
        auto bytes = good;
        if (round % 2 == 0) {
            bytes.resize(random.Below(static_cast<std::uint32_t>(bytes.size())));
        } else {
            for (int k = 0; k < 3; ++k) {
                auto& byte = bytes[random.Below(static_cast<std::uint32_t>(bytes.size()))];
                byte = static_cast<std::uint8_t>(byte ^ (1u << random.Below(8)));
            }
        }
        WriteFileBytes(Path("d.skn"), bytes);
        for (const char* command : {"list", "verify"}) {
            const int code = Run({command, Path("d.skn")});
            EXPECT_TRUE(code == kExitSuccess || code == kExitFailure) << command << " round " << round;
        }
    }
}

TEST_F(Skintool, CommandLineFollowsConventions) {
    EXPECT_EQ(Run({}), kExitUsage);
    EXPECT_NE(err_.find("usage: skintool <command>"), std::string::npos);
    EXPECT_EQ(out_, "");

    EXPECT_EQ(Run({"--help"}), kExitSuccess);
    EXPECT_NE(out_.find("8 reserved"), std::string::npos);
    EXPECT_NE(out_.find("verify <skin file>"), std::string::npos);
    EXPECT_EQ(err_, "");

    EXPECT_EQ(Run({"--version"}), kExitSuccess);
    EXPECT_EQ(out_, "skintool " + std::string(marivel::kVersion) + "\n");

    EXPECT_EQ(Run({"unpack", "--help"}), kExitSuccess);
    EXPECT_NE(out_.find("usage: skintool unpack <skin file> <folder>"), std::string::npos);

    EXPECT_EQ(Run({"frobnicate"}), kExitUsage);
    EXPECT_NE(err_.find("unknown command 'frobnicate'"), std::string::npos);

    EXPECT_EQ(Run({"list", "a", "b"}), kExitUsage);
    EXPECT_NE(err_.find("expected <skin file>, got 2 arguments"), std::string::npos);
}

// A skin author's half-finished folder: every finding the checker makes, with file and line, and the
// line between problems (exit 1) and warnings.
TEST_F(Skintool, CheckReportsWhatTheEngineWouldSilentlyDo) {
    WriteInput("skin.ini", Bytes("[Personality]\r\n"         // 1
                                 "Top=top.bmp\r\n"           // 2
                                 "TopFrmae=2\r\n"            // 3: typo, TopFrame stays 1
                                 "TopTopHeight=30\r\n"       // 4
                                 "TopBotHeight=4\r\n"        // 5: 34 > 20-pixel frame
                                 "Left=left.BMP\r\n"         // 6: never loads
                                 "[ButtonClose]\r\n"         // 7
                                 "ButtonImage=close.bmp\r\n" // 8: 121 wide, 4 frames
                                 "frame=4\r\n"               // 9
                                 "Align=1\r\n"               // 10
                                 "Xcoord=36\r\n"             // 11
                                 "Ycoord=8\r\n"              // 12: 8 + 14 > 20
                                 "[Colours]\r\n"             // 13
                                 "ButtonFace=light grey\r\n" // 14
                                 "[Tabs]\r\n"                // 15
                                 "Image=tabs.bmp\r\n"        // 16: missing
                                 "[Fontz]\r\n"));            // 17
    WriteInput("top.bmp", WriteBmp(Bitmap(20, 20)));
    WriteInput("close.bmp", WriteBmp(Bitmap(121, 14)));
    EXPECT_EQ(Run({"check", Path("in")}), kExitFailure) << err_;
    for (const char* expected : {
             "skin.ini:3: warning: unknown key 'TopFrmae' in [Personality] (did you mean 'TopFrame'?)\n",
             "skin.ini:2: margins 30 + 4 are wider than the 20-pixel frames of top.bmp\n",
             "skin.ini:6: [Personality] Left = 'left.BMP' does not end in '.bmp' (lower case): no image is "
             "loaded\n",
             "close.bmp: width 121 is not a multiple of its 4 frames\n",
             "skin.ini:7: [ButtonClose] at Ycoord 8, 14 high, reaches outside the 20-pixel caption\n",
             "skin.ini:14: [Colours] ButtonFace = 'light grey' is not a colour of three numbers 0-255: the "
             "engine reads 0 0 0\n",
             "skin.ini:16: [Tabs] Image names 'tabs.bmp', which is missing: no image is drawn\n",
             "skin.ini:17: warning: unknown section [Fontz] (did you mean 'Fonts'?)\n",
         }) {
        EXPECT_NE(out_.find(expected), std::string::npos) << "missing: " << expected << "in:\n" << out_;
    }
    EXPECT_NE(out_.find("check: 6 problems, 2 warnings in " + Path("in") + "\n"), std::string::npos) << out_;

    // Warnings alone pass; the same skin packed reads alike.
    WriteInput("skin.ini",
               Bytes("[Personality]\r\nTop=top.bmp\r\nTopFrmae=2\r\n[personality]\r\nTop=x.bmp\r\n"));
    EXPECT_EQ(Run({"check", Path("in")}), kExitSuccess) << out_;
    EXPECT_NE(out_.find("skin.ini:4: warning: [personality] again: only the first, line 1, is read"),
              std::string::npos)
        << out_;
    ASSERT_EQ(Run({"pack", Path("in"), Path("s.skn")}), kExitSuccess);
    EXPECT_EQ(Run({"check", Path("s.skn")}), kExitSuccess) << out_;
    EXPECT_NE(out_.find("check: 0 problems, 2 warnings"), std::string::npos) << out_;
}

} // namespace
} // namespace skin::tool
