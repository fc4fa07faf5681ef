// The gallery program saves its skinned window with --screenshot: a picture of the whole window, frame
// included, that changes with the skin; wrong options end it with a usage error.
#include "skin/draw/bmp_reader.h"
#include "tests/e2e/driver.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

using e2e::EnvPath;

constexpr int kClientWidth = 640; // the gallery's stored client size
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
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
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
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    return skin::ReadBmp(bytes);
}

// The share of pixels that differ between two pictures along row y (a row both have).
double DifferingShare(const skin::Bitmap& a, const skin::Bitmap& b, int y) {
    const int width = std::min(a.width(), b.width());
    int differing = 0;
    for (int x = 0; x < width; ++x)
        differing += a.pixel(x, y) != b.pixel(x, y);
    return static_cast<double>(differing) / width;
}

// A gallery left running with a skin, for driving it by keyboard; ended when the test is done.
class RunningGallery {
  public:
    explicit RunningGallery(const std::wstring& arguments) {
        const std::wstring exe = EnvPath("MARIVEL_GALLERY");
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_)) {
            ADD_FAILURE() << "cannot start the gallery: error " << GetLastError();
        }
    }
    ~RunningGallery() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    RunningGallery(const RunningGallery&) = delete;
    RunningGallery& operator=(const RunningGallery&) = delete;

    // A visible top-level window of the gallery of that class.
    HWND Window(const wchar_t* className) const {
        Search search{process_.dwProcessId, className, nullptr};
        EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    // The exit code, or -1 while it runs after timeout.
    long ExitCode(std::chrono::milliseconds timeout) const {
        if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

  private:
    struct Search {
        DWORD Process;
        const wchar_t* ClassName;
        HWND Found;
    };
    static BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
        auto* search = reinterpret_cast<Search*>(parameter);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != search->Process || !IsWindowVisible(window) ||
            e2e::ClassNameOf(window) != search->ClassName) {
            return TRUE;
        }
        search->Found = window;
        return FALSE;
    }
    PROCESS_INFORMATION process_{};
};

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

    ASSERT_EQ(
        RunGallery(L"--skin \"" + GalleryFolder() + L"dark.skn\" --page 1 --screenshot \"" + dark + L"\""),
        0);
    const skin::Bitmap second = ReadPicture(dark);
    EXPECT_GT(DifferingShare(first, second, 8), 0.5) << "the caption is drawn by the chosen skin";
}

TEST(Gallery, EveryPageCanBeSavedAndWrongOptionsAreRefused) {
    skin::Bitmap first;
    for (int page = 1; page <= 10; ++page) {
        const std::wstring file = ArtifactPath(L"gallery-default-page" + std::to_wstring(page) + L".bmp");
        DeleteFileW(file.c_str());
        EXPECT_EQ(RunGallery(L"--page " + std::to_wstring(page) + L" --screenshot \"" + file + L"\""), 0)
            << page;
        skin::Bitmap shot;
        EXPECT_NO_THROW(shot = ReadPicture(file)) << page;
        if (page == 1) first = shot;
        EXPECT_TRUE(shot.width() == first.width() && shot.height() == first.height())
            << page << ": the whole window";
    }
    EXPECT_EQ(RunGallery(L"--page 99 --screenshot x.bmp"), 2) << "no such page";
    EXPECT_EQ(RunGallery(L"--page 0 --screenshot x.bmp"), 2) << "pages count from 1";
    EXPECT_EQ(RunGallery(L"--colour red"), 2);
    const std::wstring never = ArtifactPath(L"gallery-never.bmp");
    DeleteFileW(never.c_str());
    EXPECT_EQ(RunGallery(L"--skin Z:\\no\\such.skn --screenshot \"" + never + L"\""), 1);
    EXPECT_EQ(GetFileAttributesW(never.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Gallery, AScreenshotThatCannotBeSavedWholeFailsTheRun) {
    // A folder of that name, and a device that swallows what is written: neither holds a picture
    // afterwards, so neither may be reported as saved.
    const std::wstring folder = ArtifactPath(L"gallery-folder.bmp");
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_EQ(RunGallery(L"--page 1 --screenshot \"" + folder + L"\""), 1);
    RemoveDirectoryW(folder.c_str());

    EXPECT_EQ(RunGallery(L"--page 1 --screenshot NUL"), 1) << "nothing can be read back";
}

// The colour the skin gives the outer edge of a selected tab (and not of the others), from its tab image.
skin::Pixel SelectedTabMark(const std::string& skinName) {
    const std::string folder = std::string(MARIVEL_SKINS_DIR) + "/" + skinName + "/";
    const std::wstring ini = L"Z:" + std::wstring(folder.begin(), folder.end()) + L"skin.ini";
    const int frames = static_cast<int>(GetPrivateProfileIntW(L"Tabs", L"FrameCount", 5, ini.c_str()));
    const int top = static_cast<int>(GetPrivateProfileIntW(L"Tabs", L"TopHeight", 4, ini.c_str()));
    const std::wstring image = L"Z:" + std::wstring(folder.begin(), folder.end()) + L"tabs.bmp";
    const skin::Bitmap tabs = ReadPicture(image);
    const int fw = tabs.width() / std::max(frames, 1);
    for (int row = 0; row < top; ++row) {
        const skin::Pixel normal = tabs.pixel(fw / 2, row) & 0xFFFFFFu,
                          selected = tabs.pixel(fw + fw / 2, row) & 0xFFFFFFu;
        if (normal != selected) return selected;
    }
    return 0xFFFFFFFFu;
}

// Runs of at least 8 and at most 80 pixels of one colour, along rows (or columns).
int RunsOf(const skin::Bitmap& picture, skin::Pixel colour, bool columns) {
    const int lines = columns ? picture.width() : picture.height();
    const int length = columns ? picture.height() : picture.width();
    int runs = 0;
    for (int line = 0; line < lines; ++line) {
        int run = 0;
        for (int i = 0; i <= length; ++i) {
            const bool same = i < length && ((columns ? picture.pixel(line, i) : picture.pixel(i, line)) &
                                             0xFFFFFFu) == colour;
            if (same) {
                ++run;
                continue;
            }
            runs += run >= 8 && run <= 80;
            run = 0;
        }
    }
    return runs;
}

TEST(Gallery, TabsPageShowsEveryStripsSelectedTabInTheSkin) {
    for (const std::string skinName : {"default", "dark"}) {
        const std::wstring wide(skinName.begin(), skinName.end());
        const std::wstring file = ArtifactPath(L"gallery-" + wide + L"-tabs.bmp");
        DeleteFileW(file.c_str());
        ASSERT_EQ(RunGallery(L"--skin \"" + GalleryFolder() + wide + L".skn\" --page 7 --screenshot \"" +
                             file + L"\""),
                  0);
        const skin::Bitmap picture = ReadPicture(file);
        const skin::Pixel mark = SelectedTabMark(skinName);
        ASSERT_NE(mark, 0xFFFFFFFFu) << skinName;
        EXPECT_GE(RunsOf(picture, mark, false), 5) << skinName
                                                   << ": tabs at the top and bottom, the tab control, "
                                                      "the notebook and the tab set";
        EXPECT_GE(RunsOf(picture, mark, true), 2) << skinName << ": tabs at the left and at the right";
    }
}

TEST(Gallery, MultipleDocumentWindowIsSavedWithItsDocumentsInEitherSkin) {
    const std::wstring stored = ArtifactPath(L"gallery-mdi-default.bmp");
    const std::wstring dark = ArtifactPath(L"gallery-mdi-dark.bmp");
    DeleteFileW(stored.c_str());
    DeleteFileW(dark.c_str());
    ASSERT_EQ(RunGallery(L"--mdi --screenshot \"" + stored + L"\""), 0);
    ASSERT_EQ(RunGallery(L"--skin \"" + GalleryFolder() + L"dark.skn\" --mdi --screenshot \"" + dark + L"\""),
              0);
    const skin::Bitmap first = ReadPicture(stored), second = ReadPicture(dark);
    constexpr int kFrameClientWidth = 600, kFrameClientHeight = 400; // the frame's stored client size
    EXPECT_GT(first.width(), kFrameClientWidth) << "the frame, not the gallery, is in the picture";
    EXPECT_LT(first.width(), kFrameClientWidth + 60);
    EXPECT_GT(first.height(), kFrameClientHeight + 20);
    // The documents tile the client from top to bottom: their captions are drawn by the chosen skin too.
    for (const int y : {8, first.height() / 3 + 30, 2 * first.height() / 3 + 20}) {
        EXPECT_GT(DifferingShare(first, second, y), 0.5) << "row " << y;
    }
}

// The keyboard reaches everything the skin draws in place of the system, with each skin the chooser offers
// (the high-contrast one is for people who often work by keyboard): Alt+Space opens the system menu and
// Escape closes it; Alt gives the menu bar the keys, Right moves to the next item, Down opens its drop-down,
// Enter runs the item there and Escape gives the keys back; Alt+F4 ends the program.
TEST(Gallery, KeyboardWorksTheSystemMenuAndTheMenuBarInEachShippedSkin) {
    using namespace std::chrono_literals;
    for (const wchar_t* skinName : {L"default", L"dark", L"contrast"}) {
        SCOPED_TRACE(std::string(skinName, skinName + wcslen(skinName)));
        RunningGallery gallery(L"--skin \"" + GalleryFolder() + skinName + L".skn\"");
        HWND window = nullptr;
        ASSERT_TRUE(e2e::WaitFor([&] { return (window = gallery.Window(L"TGalleryForm")) != nullptr; }, 20s));
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::IsSkinnedAndFitted(window); }, 10s));
        RECT outer{};
        GetWindowRect(window, &outer);
        e2e::ClickAt(POINT{outer.left + 250, outer.top + 12}); // active, through the caption
        e2e::WaitFor([&] { return GetForegroundWindow() == window; }, 2s);

        e2e::PressKey(VK_SPACE, /*alt=*/true);
        EXPECT_TRUE(e2e::WaitFor([&] { return gallery.Window(L"#32768") != nullptr; }, 5s))
            << "Alt+Space opened no system menu";
        e2e::PressKey(VK_ESCAPE);
        EXPECT_TRUE(e2e::WaitFor([&] { return gallery.Window(L"#32768") == nullptr; }, 5s));
        e2e::PressKey(VK_ESCAPE); // out of the menu mode the system menu may leave behind

        POINT client{0, 0};
        ClientToScreen(window, &client);
        const RECT bar{client.x, client.y - GetSystemMetrics(SM_CYMENU), client.x + 160, client.y};
        e2e::WaitFor([] { return false; }, 300ms);
        const auto normal = e2e::ScreenPixels(bar);
        e2e::PressKey(VK_MENU);
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(bar) != normal; }, 2s))
            << "Alt did not light the first item";
        const auto first = e2e::ScreenPixels(bar);
        e2e::PressKey(VK_RIGHT);
        EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(bar) != first; }, 2s))
            << "Right did not move to the next item";
        e2e::PressKey(VK_DOWN);
        EXPECT_TRUE(e2e::WaitFor([&] { return gallery.Window(L"#32768") != nullptr; }, 5s))
            << "Down opened no drop-down";
        e2e::PressKey(VK_RETURN); // Help's one item: the about box
        HWND box = nullptr;
        EXPECT_TRUE(e2e::WaitFor([&] { return (box = gallery.Window(L"#32770")) != nullptr; }, 5s))
            << "Enter ran no item";
        if (box) {
            e2e::PressKey(VK_ESCAPE);
            EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }, 5s)) << "Escape closes the box";
        }
        e2e::PressKey(VK_MENU);
        e2e::PressKey(VK_ESCAPE);
        EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(bar) == normal; }, 2s))
            << "Escape gave the keys back";

        e2e::PressKey(VK_F4, /*alt=*/true);
        EXPECT_EQ(gallery.ExitCode(15s), 0) << "Alt+F4 ends the program";
    }
}

} // namespace
