// The skin files shipped beside the program are exactly the packed sources, and read back as skins.
#include "skin/data/skin_definition.h"
#include "skin/data/skin_reader.h"
#include "tools/skintool/skintool.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShippedSkinFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedSkinFile, EqualsTheSourcesPackedAgain) {
    const std::string theme = GetParam();
    const std::string packed = ::testing::TempDir() + "repacked-" + theme + ".skn";
    std::ostringstream out, err;
    ASSERT_EQ(
        skin::tool::RunSkintool({"pack", std::string(MARIVEL_SKINS_DIR) + "/" + theme, packed}, out, err), 0)
        << err.str();
    const auto shipped = ReadFile(std::string(MARIVEL_SKINS_DIR) + "/" + theme + ".skn");
    EXPECT_FALSE(shipped.empty());
    EXPECT_EQ(ReadFile(packed), shipped)
        << "run scripts/generate-skins.sh and commit skins/" << theme << ".skn";
    std::remove(packed.c_str());
}

TEST_P(ShippedSkinFile, LoadsAsACompleteSkinWithinTheSizeOfTheOriginalStoredSkin) {
    const auto shipped = ReadFile(std::string(MARIVEL_SKINS_DIR) + "/" + GetParam() + ".skn");
    EXPECT_LE(shipped.size(), 54280u);
    skin::TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(shipped));
    EXPECT_LE(reader.DataSize(), 128180u);
    skin::TSkinDefinition definition(nullptr);
    EXPECT_EQ(definition.LoadPackageDefinition(reader), "skin.ini");
    for (const auto& slot : definition.ElementSlots()) {
        EXPECT_NE(slot.Record, nullptr) << "every element is present: " << slot.Name;
    }
    EXPECT_GE(definition.SysButtons.size(), 8u + 3u);
    EXPECT_EQ(definition.ColourTable.size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinFile,
                         ::testing::Values("default", "dark", "contrast", "asymmetric"));

} // namespace
