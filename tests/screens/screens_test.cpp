// The skinned windows paint exactly as recorded: every shot of every checked skin is taken afresh and its
// BMP bytes compared with the reference in tests/screens/references. A shot that differs is named with the
// number of pixels that changed, and the new shot and a difference picture (changes in red) go to the
// build's artifacts folder. The references hold for the Wine version recorded beside them; under any other
// the check reports itself skipped. scripts/record-screens.sh records them again.
#include "tests/e2e/driver.h"
#include "tests/screens/gunzip.h"
#include "tests/screens/picture.h"
#include "tests/screens/shots.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

using screens::Picture;

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::vector<std::uint8_t> ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// "wine-8.0" under Wine, empty elsewhere.
std::string RunningWine() {
    using GetVersion = const char* (*)();
    const auto get = reinterpret_cast<GetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    return get ? std::string("wine-") + get() : std::string();
}

// The first word of what `wine --version` said when the references were recorded.
std::string RecordedWine(const std::wstring& references) {
    std::ifstream in((references + L"\\wine-version.txt").c_str());
    std::string word;
    in >> word;
    return word;
}

std::wstring ShotsArtifacts() {
    const std::wstring folder = e2e::ArtifactPath(L"screens");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

class ScreensTest : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        references = e2e::EnvPath("MARIVEL_SCREEN_REFERENCES");
        if (const char* record = std::getenv("MARIVEL_RECORD_SCREENS"); record && *record) {
            recordFolder = e2e::WindowsPath(record);
            return;
        }
        const std::string recorded = RecordedWine(references), running = RunningWine();
        if (running != recorded) {
            // The line CTest recognises as a skip.
            std::printf("screens skipped: references recorded under %s, running under %s\n", recorded.c_str(),
                        running.empty() ? "no Wine" : running.c_str());
            GTEST_SKIP();
        }
    }

    // Compares one shot with its reference; on a difference saves what is needed to see it.
    void Check(const std::string& name, const Picture& shot) {
        const std::vector<std::uint8_t> bytes = screens::EncodeBmp(shot);
        const std::wstring referenceFile = references + L"\\" + Wide(name) + L".bmp.gz";
        const std::wstring newFile = ShotsArtifacts() + L"\\" + Wide(name) + L".bmp";
        const std::vector<std::uint8_t> packed = ReadBytes(referenceFile);
        if (packed.empty()) {
            WriteBytes(newFile, bytes);
            ADD_FAILURE() << name << ": no reference (scripts/record-screens.sh records them)";
            return;
        }
        const std::vector<std::uint8_t> expectedBytes = screens::Gunzip(packed);
        if (expectedBytes == bytes) return;
        WriteBytes(newFile, bytes);
        const Picture expected = screens::DecodeBmp(expectedBytes);
        if (expected.width != shot.width || expected.height != shot.height) {
            ADD_FAILURE() << name << ": " << shot.width << " x " << shot.height << " instead of "
                          << expected.width << " x " << expected.height;
            return;
        }
        WriteBytes(ShotsArtifacts() + L"\\" + Wide(name) + L"-difference.bmp",
                   screens::EncodeBmp(screens::DifferenceImage(expected, shot)));
        ADD_FAILURE() << name << ": " << screens::CountDifferentPixels(expected, shot)
                      << " pixels differ from the reference";
    }

    std::wstring references;
    std::wstring recordFolder; // set: record the shots there instead of comparing
};

TEST_P(ScreensTest, EveryShotPaintsAsRecorded) {
    const std::string skin = GetParam();
    const std::wstring folder = e2e::WindowsPath(std::string(MARIVEL_SKINS_DIR) + "/" + skin);
    for (const screens::Shot& shot : screens::ShotsOfSkin(skin, folder)) {
        Picture picture;
        try {
            picture = shot.capture();
        } catch (const std::exception& error) {
            ADD_FAILURE() << shot.name << ": not captured: " << error.what();
            continue;
        }
        if (!recordFolder.empty()) {
            WriteBytes(recordFolder + L"\\" + Wide(shot.name) + L".bmp", screens::EncodeBmp(picture));
            continue;
        }
        Check(shot.name, picture);
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, ScreensTest, ::testing::ValuesIn(screens::CheckedSkins()),
                         [](const ::testing::TestParamInfo<std::string>& skin) { return skin.param; });

} // namespace
