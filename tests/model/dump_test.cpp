// skintool dump, driven in-process on skin files written to a temporary folder.
#include "tests/model/test_skin.h"
#include "tools/skintool/dump.h"
#include "tools/skintool/file_io.h"
#include "tools/skintool/skintool.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace skin::tool {
namespace {

namespace fs = std::filesystem;
using skin::test::FramedBitmap;
using skin::test::TestPackage;

class SkintoolDump : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("skintool_dump_test_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Dump(const std::vector<std::uint8_t>& skinFile) {
        WriteFileBytes(dir_ / "s.skn", skinFile);
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunSkintool({"dump", (dir_ / "s.skn").string()}, out, err);
        out_ = out.str();
        err_ = err.str();
        return code;
    }

    fs::path dir_;
    std::string out_;
    std::string err_;
};

TEST_F(SkintoolDump, PrintsEveryElementColourAndCaptionButtonAsRead) {
    const std::string definition =
        "[TitlebarSkin]\r\nSkinName=\"Test Skin\"\r\n[Personality]\r\nTop=top.bmp\r\nTopTopHeight=25\r\n"
        "TopBotHeight=32\r\nTopFrame=2\r\n[Colours]\r\nButtonFace=236 233 216\r\n[Colour0]\r\ncolor=255 0 "
        "0\r\n"
        "[Button1]\r\nAction=1\r\nXcoord=20\r\nButtonImage=close.bmp\r\n[Tabs]\r\nImage=tabs.bmp\r\nBorder="
        "border.bmp\r\n"
        "Tile=1\r\nNormalColour2=1 2 3\r\n";
    ASSERT_EQ(Dump(TestPackage()
                       .Definition(definition)
                       .Bmp("top.bmp", FramedBitmap(120, 30, 2))
                       .Bmp("close.bmp", FramedBitmap(57, 19, 3))
                       .Bmp("tabs.bmp", FramedBitmap(50, 20, 5))
                       .Bmp("border.bmp", FramedBitmap(8, 8))
                       .Stored()),
              kExitSuccess)
        << err_;

    const std::string expectedParts[] = {
        "definition: 'skin.ini'\nskin name: \"Test Skin\"\n",
        "  BorderTop: TDataSkinBorder \"Top\"\n"
        "    Image 120 x 30, FrameCount 2, frame 120 x 15, stacked\n"
        "    LeftWidth 25, TopHeight 0, RightWidth 32, BottomHeight 0\n"
        "    Trans 1, Tile 1, Style 0\n",
        "  Toolbars: absent\n"
        "  Tabs: TDataSkinBorder \"Tabs\"\n"
        "    Image 50 x 20, FrameCount 5, frame 10 x 20\n"
        "    LeftWidth 0, TopHeight 0, RightWidth 0, BottomHeight 0\n"
        "    Trans 0, Tile 1, Style 0\n"
        "    NormalColour -1, MouseOverColour -1, PressedColour -1\n"
        "    NormalColour2 0x00030201, MouseOverColour2 0xFF000012, PressedColour2 0xFF000012\n"
        "    SecondImage 8 x 8\n"
        "  StatusBarEdges: absent\n",
        "    TextAlignment 0, TextBackground 0, FontHeight 14, TextBackLeft 0, TextBackRight 0\n"
        "    ActiveTextColour not set, InactiveTextColour not set\n",
        "    CheckButtonImage none, CheckButtonFrame 4\n",
        "  UpDownVert: absent\n\ncolours:\n"
        "  WindowTextColour          0xFF000008  system colour 8\n",
        "  ButtonFaceColour          0x00D8E9EC  rgb 236 233 216\n",
        "  MenubarColour             0x00D8E9EC  rgb 236 233 216\n",
        "\nColourTable (1 entry):\n"
        "  [0]                       0x000000FF  rgb 255 0 0\n",
        "\nSysButtons (4 entries, the last 3 for MDI children):\n"
        "  [0] \"BUTTON1\": Action 1, Align 0, XCoord 20, YCoord 0, CombineOp -1, Visibility 0, Visibility1 "
        "0\n"
        "      Image 57 x 19, FrameCount 3, frame 19 x 19\n"
        "  [1] \"BUTTON1\": Action 7, Align 100, XCoord 0, YCoord 0, CombineOp -1, Visibility 100, "
        "Visibility1 100\n"
        "      Image none, FrameCount 4\n",
        "\nmemory: " + std::to_string((120 * 30 + 57 * 19 + 50 * 20 + 8 * 8) * 4) +
            " bytes of image pixels, ",
    };
    for (const std::string& part : expectedParts)
        EXPECT_NE(out_.find(part), std::string::npos) << part << "\nin:\n" << out_;
}

TEST_F(SkintoolDump, RefusalsNameTheFileAndTheMember) {
    std::vector<std::uint8_t> bad = WriteBmp(FramedBitmap(4, 4));
    bad.resize(30);
    EXPECT_EQ(
        Dump(TestPackage().Definition("[Personality]\r\nLeft=Left.bmp\r\n").Member("left.bmp", bad).Stored()),
        kExitFailure);
    EXPECT_NE(err_.find("s.skn': skin member 'left.bmp': "), std::string::npos) << err_;
    EXPECT_TRUE(out_.empty());

    EXPECT_EQ(Dump(TestPackage().Bmp("a.bmp", FramedBitmap(2, 2)).Stored()), kExitFailure);
    EXPECT_NE(err_.find("s.skn': skin package: no definition"), std::string::npos) << err_;
}

} // namespace
} // namespace skin::tool
