// The gallery program saves its skinned window with --screenshot: a picture of the whole window, frame
// included, that changes with the skin; wrong options end it with a usage error.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/draw/bmp_reader.h"
#include "tests/e2e/driver.h"

namespace {

using e2e::EnvPath;

constexpr int kClientWidth = 640;  // the gallery's stored client size
constexpr int kClientHeight = 420;

std::wstring GalleryFolder() {
    const std::wstring exe = EnvPath("MARIVEL_GALLERY");
    return exe.substr(0, exe.find_last_of(L'\\') + 1);
}

std::wstring ArtifactPath(const std::wstring& name) {
    const std::wstring folder = EnvPath("MARIVEL_ARTIFACTS");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name;
}

// Runs the gallery with arguments and returns its exit code (-1 when it did not end within a minute).
int RunGallery(const std::wstring& arguments) {
    const std::wstring exe = EnvPath("MARIVEL_GALLERY");
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start the gallery: error " << GetLastError();
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

skin::Bitmap ReadPicture(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return skin::ReadBmp(bytes);
}

// The share of pixels that differ between two pictures along row y (a row both have).
double DifferingShare(const skin::Bitmap& a, const skin::Bitmap& b, int y) {
    const int width = std::min(a.width(), b.width());
    int differing = 0;
    for (int x = 0; x < width; ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    return static_cast<double>(differing) / width;
}

TEST(Gallery, ScreenshotHoldsTheSkinnedWindowAndFollowsTheChosenSkin) {
    const std::wstring stored = ArtifactPath(L"gallery-default-page1.bmp");
    const std::wstring dark = ArtifactPath(L"gallery-dark-page1.bmp");
    DeleteFileW(stored.c_str());
    DeleteFileW(dark.c_str());

    ASSERT_EQ(RunGallery(L"--page 1 --screenshot \"" + stored + L"\""), 0);
    const skin::Bitmap first = ReadPicture(stored);
    EXPECT_GT(first.width(), kClientWidth) << "the frame is in the picture";
    EXPECT_GT(first.height(), kClientHeight + 20) << "caption and menu bar are in the picture";
    EXPECT_LT(first.width(), kClientWidth + 60);

    ASSERT_EQ(RunGallery(L"--skin \"" + GalleryFolder() + L"dark.skn\" --page 1 --screenshot \"" + dark + L"\""), 0);
    const skin::Bitmap second = ReadPicture(dark);
    EXPECT_GT(DifferingShare(first, second, 8), 0.5) << "the caption is drawn by the chosen skin";
}

TEST(Gallery, EveryPageCanBeSavedAndWrongOptionsAreRefused) {
    for (int page = 2; page <= 6; ++page) {
        const std::wstring file = ArtifactPath(L"gallery-default-page" + std::to_wstring(page) + L".bmp");
        EXPECT_EQ(RunGallery(L"--page " + std::to_wstring(page) + L" --screenshot \"" + file + L"\""), 0) << page;
        EXPECT_EQ(GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES, true) << page;
    }
    EXPECT_EQ(RunGallery(L"--page 99 --screenshot x.bmp"), 2) << "there are not 99 pages";
    EXPECT_EQ(RunGallery(L"--colour red"), 2);
    const std::wstring never = ArtifactPath(L"gallery-never.bmp");
    DeleteFileW(never.c_str());
    EXPECT_EQ(RunGallery(L"--skin Z:\\no\\such.skn --screenshot \"" + never + L"\""), 1);
    EXPECT_EQ(GetFileAttributesW(never.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
