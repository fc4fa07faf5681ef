// The gallery's form in-process: every page's controls as the screen shows them, unskinned, with each skin
// and unskinned again; made, shown on each page and freed a hundred times, and its skin switched while shown,
// it leaves no handles behind; its bars page shows each family from the skin.
#include "app/gallery/gallery_form.h"
#include "app/gallery/mdi_window.h"
#include "framework/gui/application.h"
#include "framework/gui/handles.h"
#include "framework/gui/memo.h"
#include "framework/gui/menus.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/scroll_bar.h"
#include "framework/gui/wide.h"
#include "marivel_version.h"
#include "skin/component/skin_data.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"
#include "tests/skin/screen_input.h"

#include <windows.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

using skin_tests::SkinFile;

class GalleryFormTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        gui::RegisterFrameworkClasses();
        skin::RegisterSkinDataClass();
        rtl::RegisterComponentClass<gallery::TGalleryCheckGroup>();
        gallery::RegisterMdiFormClasses();
    }
    void SetUp() override {
        application.Initialize();
        // A main form never shown: the gallery's forms come and go beside it.
        application.CreateForm(mainForm);
    }
    void TearDown() override { skin::FreeSkinManager(); }

    bool Pump(const std::function<bool()>& condition,
              std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            application.ProcessMessages();
            if (condition()) return true;
            Sleep(2);
        }
        return condition();
    }
    static bool Skinned(HWND window) {
        const auto* object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
        return object && object->SkinPhase() == skin::kPhaseActive;
    }
    // A gallery form made from its stored form data and shown, skinned.
    gallery::TGalleryForm* ShownGallery() {
        gallery::TGalleryForm* form = nullptr;
        application.CreateForm(form);
        form->Show();
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "not skinned";
        return form;
    }

    gui::TApplication application;
    gallery::TGalleryForm* mainForm = nullptr;
};

// What the screen shows of a window.
skin::Bitmap ScreenPixels(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    skin::Bitmap shot(rect.right - rect.left, rect.bottom - rect.top);
    const gui::WindowDc screen(nullptr);
    skin::win::CopyFromDc(shot, skin::Point{0, 0}, screen.get(), skin::win::ToRect(rect));
    return shot;
}

// The share of pixels two pictures of one control differ in (1 when the sizes differ).
double Difference(const skin::Bitmap& a, const skin::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.width() * a.height() == 0) return 1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return static_cast<double>(differing) / (a.width() * a.height());
}

// The families the skin draws (with either skin, every one of them looks different from its own look).
const std::set<std::string>& SkinnedFamilies() {
    static const std::set<std::string> families{"TButton", "TBitBtn",     "TCheckBox",         "TRadioButton",
                                                "TEdit",   "TComboBox",   "TDateTimePicker",   "TGroupBox",
                                                "TPanel",  "TRadioGroup", "TGalleryCheckGroup"};
    return families;
}

TEST_F(GalleryFormTest, EveryPageIsDrawnByEachSkinButTag99AndGetsItsOwnLookBack) {
    gallery::TGalleryForm* form = nullptr;
    application.CreateForm(form);
    form->SkinData()->SetActive(false); // before the manager's timer skins it: the system's look first
    form->Show();
    SetForegroundWindow(form->Handle());
    SetCursorPos(0, 0);
    const auto settle = [&] { Pump([] { return false; }, std::chrono::milliseconds(150)); };
    const auto switchTo = [&](bool active, const char* skinFile) {
        if (skinFile) form->LoadSkinFile(SkinFile(skinFile));
        form->SkinData()->SetActive(active);
        skin::SkinManager->RunPendingAction();
        if (active) {
            ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
        }
        form->PresentStates();
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        settle();
    };
    // Every visible windowed control of each page, by name, in one look.
    using Look = std::map<std::string, skin::Bitmap>;
    const auto look = [&] {
        std::vector<Look> pages;
        for (int page = 0; page < form->PageCount(); ++page) {
            form->ShowPage(page);
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            settle();
            Look controls;
            for (rtl::TComponent* component : form->Components()) {
                auto* control = dynamic_cast<gui::TWinControl*>(component);
                if (control && control->HandleAllocated() && IsWindowVisible(control->Handle()))
                    controls[control->Name()] = ScreenPixels(control->Handle());
            }
            pages.push_back(std::move(controls));
        }
        form->ShowPage(0);
        return pages;
    };
    switchTo(false, nullptr);
    const std::vector<Look> own = look();
    switchTo(true, nullptr);
    const std::vector<Look> stored = look();
    switchTo(true, "dark.skn");
    const std::vector<Look> dark = look();
    switchTo(false, nullptr);
    const std::vector<Look> ownAgain = look();

    int skinnedSeen = 0, tag99Seen = 0;
    for (std::size_t page = 0; page < own.size(); ++page) {
        for (const auto& [name, ownPixels] : own[page]) {
            const auto* control = dynamic_cast<gui::TControl*>(form->FindComponent(name));
            ASSERT_NE(control, nullptr) << name;
            const std::string where = "page " + std::to_string(page + 1) + ", " + name;
            // (The skin chooser names the skin loaded last: its text has changed.)
            if (name != "SkinChooser") {
                EXPECT_LT(Difference(ownPixels, ownAgain[page].at(name)), 0.01)
                    << where << ": own look back unskinned";
            }
            if (control->Tag() % 100 == 99) {
                ++tag99Seen;
                EXPECT_LT(Difference(ownPixels, stored[page].at(name)), 0.01)
                    << where << ": tag 99 left alone";
                EXPECT_LT(Difference(ownPixels, dark[page].at(name)), 0.01) << where << ": tag 99 left alone";
            } else if (SkinnedFamilies().contains(control->ClassName())) {
                ++skinnedSeen;
                EXPECT_GT(Difference(ownPixels, stored[page].at(name)), 0.02)
                    << where << ": drawn by the skin";
                EXPECT_GT(Difference(stored[page].at(name), dark[page].at(name)), 0.02)
                    << where << ": repainted by the other skin";
            }
        }
    }
    EXPECT_GE(tag99Seen, 3);
    EXPECT_GE(skinnedSeen, 30);
    delete form;
}

// The buttons page's push buttons show their states in the skin's faces: hot under the pointer, pressed by
// the program, focused, disabled, default and normal each look different.
TEST_F(GalleryFormTest, ButtonStatesShowInTheSkinsFaces) {
    for (const char* skinFile : {"default.skn", "dark.skn"}) {
        gallery::TGalleryForm* form = ShownGallery();
        form->LoadSkinFile(SkinFile(skinFile));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
        form->ShowPage(0);
        RECT hot{};
        GetWindowRect(form->HotDemonstration()->Handle(), &hot);
        SetCursorPos((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
        form->PresentStates();
        Pump([] { return false; }, std::chrono::milliseconds(300));
        // The face beside the caption, left of the text: the state's face frame and nothing else.
        std::map<std::string, skin::Colour> faces;
        for (const char* name : {"NormalButton", "HotButton", "PressedButton", "FocusedButton",
                                 "DisabledButton", "DefaultButton"}) {
            auto* button = dynamic_cast<gui::TWinControl*>(form->FindComponent(name));
            ASSERT_NE(button, nullptr) << name;
            const skin::Bitmap pixels = ScreenPixels(button->Handle());
            faces[name] = pixels.pixel(6, pixels.height() / 2);
        }
        EXPECT_NE(faces["HotButton"], faces["NormalButton"]) << skinFile;
        EXPECT_NE(faces["PressedButton"], faces["NormalButton"]) << skinFile;
        EXPECT_NE(faces["PressedButton"], faces["HotButton"]) << skinFile;
        EXPECT_NE(faces["DisabledButton"], faces["NormalButton"]) << skinFile;
        EXPECT_EQ(faces["FocusedButton"], faces["HotButton"]) << skinFile << ": focus lights the face";
        delete form;
        SetCursorPos(0, 0);
    }
}

// While it lives, this thread's message boxes are answered with a button a moment after they show, their
// texts kept.
class AnsweredBoxes {
  public:
    explicit AnsweredBoxes(int answer) {
        answer_ = answer;
        texts_.clear();
        hook_ = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    AnsweredBoxes(const AnsweredBoxes&) = delete;
    AnsweredBoxes& operator=(const AnsweredBoxes&) = delete;
    ~AnsweredBoxes() { UnhookWindowsHookEx(hook_); }
    static const std::vector<std::string>& Texts() { return texts_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        wchar_t name[16] = {};
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770")
            SetTimer(window, 1, 200, &Answer);
        return CallNextHookEx(hook_, code, wParam, lParam);
    }
    static void CALLBACK Answer(HWND box, UINT, UINT_PTR timer, DWORD) {
        KillTimer(box, timer);
        wchar_t text[2048] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 2048);
        texts_.push_back(gui::Narrow(text));
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer_), 0);
    }
    static inline HHOOK hook_ = nullptr;
    static inline int answer_ = IDNO;
    static inline std::vector<std::string> texts_;
};

// A skin author's folder, a copy of one of our skins' sources, whose definition lines can be changed.
class SkinFolder {
  public:
    explicit SkinFolder(const std::string& skin) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = gui::Narrow(temp) + "marivel-reload-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryW(gui::Wide(path_).c_str(), nullptr);
        const std::string from = SkinFile(skin); // the folder of the skin's sources
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(gui::Wide(from + "\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            CopyFileW(gui::Wide(from + "\\" + gui::Narrow(found.cFileName)).c_str(),
                      gui::Wide(File(gui::Narrow(found.cFileName))).c_str(), FALSE);
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
    ~SkinFolder() {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(gui::Wide(path_ + "\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
            DeleteFileW(gui::Wide(File(gui::Narrow(found.cFileName))).c_str());
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        RemoveDirectoryW(gui::Wide(path_).c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Replaces the line that starts with key= in the definition.
    void SetLine(const std::string& key, const std::string& value) const {
        std::ifstream in(File("skin.ini"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        in.close();
        std::string all = text.str();
        const std::size_t at = all.find("\n" + key + "=");
        ASSERT_NE(at, std::string::npos) << key;
        const std::size_t end = all.find_first_of("\r\n", at + 1);
        all.replace(at + 1, end - at - 1, key + "=" + value);
        std::ofstream(File("skin.ini"), std::ios::binary) << all;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }

  private:
    std::string path_;
};

// F5 as a user presses it, the focus on a control of the gallery.
void PressF5() {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_F5;
        key.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_F5, MAPVK_VK_TO_VSC));
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// A skin author edits a skin folder and presses F5: the gallery shows the edit; an edit that would look
// broken is named with its file and line and, declined, leaves the skin shown; a member that cannot be read
// is reported by name and the skin shown stays.
TEST_F(GalleryFormTest, F5ReloadsAnEditedSkinFolderAndKeepsTheSkinShownWhenTheEditIsBroken) {
    const SkinFolder folder("default");
    gallery::TGalleryForm* form = ShownGallery();
    ASSERT_TRUE(form->OpenSkinSource(folder.Path()));
    skin::SkinManager->RunPendingAction();
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    auto* list = dynamic_cast<gui::TWinControl*>(form->FindComponent("PageList"));
    list->SetFocus();
    // The form's face between the page list and the page: the skin's ButtonFace colour.
    const auto face = [&] {
        Pump([] { return false; }, std::chrono::milliseconds(400)); // the manager re-skins on its timer
        skin::SkinManager->RunPendingAction();
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump([] { return false; }, std::chrono::milliseconds(150));
        RECT client{};
        GetWindowRect(list->Handle(), &client);
        const skin::Bitmap pixels = ScreenPixels(form->Handle());
        RECT outer{};
        GetWindowRect(form->Handle(), &outer);
        return pixels.pixel(client.right - outer.left + 3, client.top - outer.top + 40);
    };
    const skin::Colour stored = face();

    folder.SetLine("ButtonFace", "200 40 40");
    PressF5();
    const skin::Colour edited = face();
    EXPECT_NE(edited, stored) << "the edit shows after F5";
    EXPECT_TRUE(Skinned(form->Handle()));

    {
        const AnsweredBoxes boxes(IDNO);
        folder.SetLine("ButtonFace", "300 -1 2");
        PressF5();
        EXPECT_EQ(face(), edited) << "declined: the skin shown stays";
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_NE(boxes.Texts()[0].find("skin.ini:"), std::string::npos) << boxes.Texts()[0];
        EXPECT_NE(boxes.Texts()[0].find("ButtonFace"), std::string::npos) << boxes.Texts()[0];
    }
    {
        const AnsweredBoxes boxes(IDYES);
        folder.SetLine("ButtonFace", "40 200 40");
        folder.Write("top.bmp", "BM not a bitmap");
        PressF5();
        EXPECT_EQ(face(), edited) << "a member that cannot be read: the skin shown stays";
        EXPECT_TRUE(Skinned(form->Handle()));
        ASSERT_EQ(boxes.Texts().size(), 2u) << "the checker's finding, then the load error";
        EXPECT_NE(boxes.Texts()[1].find("was not loaded"), std::string::npos) << boxes.Texts()[1];
        EXPECT_NE(boxes.Texts()[1].find("top.bmp"), std::string::npos) << boxes.Texts()[1];
    }
    delete form;
}

TEST_F(GalleryFormTest, HelpAboutShowsTheVersionAndCopyright) {
    gallery::TGalleryForm* form = ShownGallery();
    auto* about = dynamic_cast<gui::TMenuItem*>(form->FindComponent("AboutItem"));
    ASSERT_NE(about, nullptr);
    {
        const AnsweredBoxes boxes(IDOK);
        about->Click();
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_NE(boxes.Texts()[0].find("Version " + std::string(marivel::kVersion)), std::string::npos)
            << boxes.Texts()[0];
        EXPECT_NE(boxes.Texts()[0].find(marivel::kCopyright), std::string::npos) << boxes.Texts()[0];
    }
    delete form;
}

TEST_F(GalleryFormTest, MadeShownAndFreedAHundredTimesAndReskinnedTwoHundredLeavesNoHandles) {
    const auto cycle = [&](int round) {
        gallery::TGalleryForm* form = ShownGallery();
        form->ShowPage(round % form->PageCount());
        form->PresentStates();
        Pump([] { return false; }, std::chrono::milliseconds(20));
        delete form;
        Pump([] { return false; }, std::chrono::milliseconds(20));
    };
    cycle(0);
    skin::SkinManager->RunPendingAction(); // the purge of the freed window's object
    application.ProcessMessages();
    const gui::LiveHandleCounts before = gui::LiveHandles();
    for (int round = 1; round <= 100; ++round)
        cycle(round);
    skin::SkinManager->RunPendingAction();
    application.ProcessMessages();
    EXPECT_EQ(gui::LiveHandles().Gdi, before.Gdi) << "after 100 galleries";
    EXPECT_EQ(gui::LiveHandles().User, before.User);

    gallery::TGalleryForm* form = ShownGallery();
    form->ShowPage(0);
    const gui::LiveHandleCounts shown = gui::LiveHandles();
    for (int round = 0; round < 200; ++round) {
        form->LoadSkinFile(SkinFile(round % 2 == 0 ? "dark.skn" : "default.skn"));
        skin::SkinManager->RunPendingAction(); // the re-skin the manager's timer would run
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "switch " << round;
    }
    Pump([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(gui::LiveHandles().Gdi, shown.Gdi) << "after 200 skin switches";
    EXPECT_EQ(gui::LiveHandles().User, shown.User);
    delete form;
}

// The centre pixel of frame `frame` of a strip of `frames` frames side by side.
skin::Pixel FrameCentre(const skin::Bitmap& strip, int frames, int frame) {
    const int width = strip.width() / frames;
    return skin_tests::RgbOf(strip.pixel((frame - 1) * width + width / 2, strip.height() / 2));
}

TEST_F(GalleryFormTest, BarsPageShowsEachFamilyFromTheSkinAndSkinSwitchesLeaveNoHandles) {
    using skin_tests::RgbOf;
    gallery::TGalleryForm* form = ShownGallery();
    form->ShowPage(8); // "Status, progress, track bars"
    SetCursorPos(0, 0);
    auto& skin = *dynamic_cast<skin::TSkinData*>(form->FindComponent("SkinData1"));
    const auto window = [&](const char* name) {
        return dynamic_cast<gui::TWinControl*>(form->FindComponent(name))->Handle();
    };
    const auto switchTo = [&](const char* file) {
        form->LoadSkinFile(SkinFile(file));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << file;
    };
    for (const char* file : {"dark.skn", "default.skn"}) {
        SCOPED_TRACE(file);
        switchTo(file);
        Pump([] { return false; }, std::chrono::milliseconds(200));
        const skin::Bitmap page = skin_tests::ShotOf(window("BarsPage"));
        skin_tests::SaveArtifact(page, std::string("gallery-bars-") + file + ".bmp");
        // What the page shows inside the named control, at (x, y) of the control's window.
        const auto at = [&](const char* name, int x, int y) {
            const RECT control = skin_tests::WindowRectOf(window(name));
            const RECT inside = skin_tests::WindowRectOf(window("BarsPage"));
            return RgbOf(page.pixel(control.left - inside.left + x, control.top - inside.top + y));
        };
        const skin::Bitmap& progress = skin.Progress->Image;
        EXPECT_EQ(at("ProgressFull", 150, 9), FrameCentre(progress, 2, 2)) << "a full bar";
        EXPECT_EQ(at("ProgressEmpty", 150, 9), FrameCentre(progress, 2, 1)) << "an empty bar";
        EXPECT_EQ(at("ProgressPart", 150, 9), FrameCentre(progress, 2, 1))
            << "37 % is short of three quarters";
        EXPECT_EQ(at("ProgressPart", 40, 9), FrameCentre(progress, 2, 2));

        RECT thumb{};
        SendMessageW(window("TrackHorizontal"), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(at("TrackHorizontal", (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  FrameCentre(skin.TrackbarThumbHorz->Image, 5, 2))
            << "the skin's thumb";
        EXPECT_EQ(at("TrackHorizontal", 5, 5), skin_tests::PixelOfColour(skin.ButtonFaceColour))
            << "on the skin's face, though its panel turned its parent colour off";
        SendMessageW(window("TrackVertical"), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(at("TrackVertical", (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  FrameCentre(skin.TrackbarThumbVert->Image, 5, 2))
            << "the upright thumb";

        const skin::TDataSkinBorder& spin = *skin.UpDownVert;
        EXPECT_EQ(at("SpinAlone", 8, 0), RgbOf(spin.Image.pixel(spin.Image.width() / 16, 0)))
            << "the up arrow";
        EXPECT_EQ(at("SpinOfEdit", 8, 0), RgbOf(spin.Image.pixel(spin.Image.width() / 16, 0)));

        const skin::Bitmap bar = skin_tests::ShotOf(window("BarsStatusBar"));
        const RECT grip = skin::TSkinStatusBar::SizeGripRect(*skin.ExtraImages, bar.width(), bar.height());
        EXPECT_EQ(skin_tests::GlyphMismatches(bar, grip.left, grip.top, skin.ExtraImages->Image, 5, 5), 0)
            << "the status bar's grip is the skin's";
        const RECT tools = skin_tests::WindowRectOf(window("BarsToolBar"));
        EXPECT_EQ(at("BarsToolBar", tools.right - tools.left - 3, 3),
                  skin_tests::PixelOfColour(skin.ButtonFaceColour))
            << "the tool bar in the skin's face colour";
    }

    const gui::LiveHandleCounts shown = gui::LiveHandles();
    for (int round = 0; round < 50; ++round) {
        switchTo(round % 2 == 0 ? "dark.skn" : "default.skn");
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    Pump([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(gui::LiveHandles().Gdi, shown.Gdi) << "after 50 skin switches on the bars page";
    EXPECT_EQ(gui::LiveHandles().User, shown.User);
    delete form;
}

TEST_F(GalleryFormTest, ScrollPageWearsEachSkinsTrackWhileScrolledAndSwitchedWithoutLeavingHandles) {
    gallery::TGalleryForm* form = ShownGallery();
    constexpr int kScrollPage = 9; // "Scroll bars and lists"
    form->ShowPage(kScrollPage);
    auto* memo = dynamic_cast<gui::TMemo*>(form->FindComponent("ScrollMemo"));
    auto* bar = dynamic_cast<gui::TScrollBar*>(form->FindComponent("HorzScrollBar"));
    ASSERT_TRUE(memo && bar);
    // Scrolls every scrolling control of the page a step, as a user reading it would.
    int step = 0;
    const auto scroll = [&] {
        ++step;
        for (const char* name : {"ScrollMemo", "ScrollList", "ScrollRichEdit", "ScrollListView"}) {
            HWND window = dynamic_cast<gui::TWinControl*>(form->FindComponent(name))->Handle();
            SendMessageW(window, WM_VSCROLL, step % 3 == 0 ? SB_TOP : SB_LINEDOWN, 0);
        }
        bar->SetPosition(step * 7 % 80);
        Pump([] { return false; }, std::chrono::milliseconds(10));
    };
    // What the gallery window shows, as a picture, and the track colours of the skin's horizontal bar top
    // row.
    const auto screenshot = [&] {
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump([] { return false; }, std::chrono::milliseconds(80));
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        skin::Bitmap shot(window.right - window.left, window.bottom - window.top);
        HDC screen = GetDC(nullptr);
        skin::win::CopyFromDc(shot, skin::Point{0, 0}, screen, skin::win::ToRect(window));
        ReleaseDC(nullptr, screen);
        return shot;
    };
    const auto trackTopRow = [&] {
        const skin::Bitmap& track = form->SkinData()->HorzScroll->Image;
        const skin::Rect frame = skin::SkinFrameRect(track, {.frameCount = 4});
        std::set<skin::Pixel> colours;
        for (int x = frame.Left; x < frame.Right; ++x)
            colours.insert(track.pixel(x, 0) & skin::kPixelRgbMask);
        return colours;
    };
    const auto trackShown = [&](const skin::Bitmap& shot) {
        RECT bounds{}, window{};
        GetWindowRect(bar->Handle(), &bounds);
        GetWindowRect(form->Handle(), &window);
        const int x = bounds.left - window.left + GetSystemMetrics(SM_CXHSCROLL) + 1,
                  y = bounds.top - window.top;
        return shot.pixel(x, y) & skin::kPixelRgbMask;
    };
    for (const char* name : {"dark.skn", "default.skn"}) {
        form->LoadSkinFile(SkinFile(name));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << name;
        scroll();
        const skin::Bitmap shot = screenshot();
        EXPECT_EQ(trackTopRow().count(trackShown(shot)), 1u) << name << ": the stand-alone bar's track";
    }

    const gui::LiveHandleCounts shown = gui::LiveHandles();
    for (int round = 0; round < 60; ++round) {
        scroll();
        form->LoadSkinFile(SkinFile(round % 2 == 0 ? "dark.skn" : "default.skn"));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "switch " << round;
        scroll();
    }
    Pump([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(gui::LiveHandles().Gdi, shown.Gdi) << "after 60 switches of the scrolled page";
    EXPECT_EQ(gui::LiveHandles().User, shown.User);
    delete form;
}

} // namespace

namespace {

// Opened tiled, the documents are tiled once the skin has fitted them to its frame: none overlaps another,
// with the stored skin's caption or the test skin's 40-pixel one.
class GalleryMdiTest : public GalleryFormTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(GalleryMdiTest, MultipleDocumentWindowTilesItsDocumentsOnceTheSkinFittedThem) {
    gallery::TGalleryForm* gallery = ShownGallery();
    if (*GetParam()) {
        gallery->LoadSkinFile(SkinFile(GetParam()));
        Pump([] { return false; }, std::chrono::milliseconds(600));
    }
    gallery::TMdiFrameForm& frame = gallery->OpenMdiWindow();
    SetForegroundWindow(frame.Handle());
    ASSERT_TRUE(Pump([&] { return Skinned(frame.Handle()); }));
    frame.NewTiledChildren(3, std::chrono::seconds(5));
    Pump([] { return false; }, std::chrono::milliseconds(300));
    ASSERT_EQ(frame.MDIChildCount(), 3);
    RECT client{};
    GetWindowRect(frame.ClientHandle(), &client);
    std::vector<RECT> tiles;
    for (int i = 0; i < 3; ++i) {
        const HWND document = frame.MDIChildren(i)->Handle();
        EXPECT_TRUE(Skinned(document));
        RECT tile{};
        GetWindowRect(document, &tile);
        RECT inside{};
        EXPECT_TRUE(IntersectRect(&inside, &tile, &client) && EqualRect(&inside, &tile))
            << "inside the client";
        for (const RECT& earlier : tiles) {
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &tile, &earlier))
                << "overlap of " << overlap.bottom - overlap.top << " px";
        }
        tiles.push_back(tile);
    }
}

INSTANTIATE_TEST_SUITE_P(StoredAndTestSkin, GalleryMdiTest, ::testing::Values("", "asymmetric.skn"),
                         [](const auto& param) {
                             return *param.param ? std::string("asymmetric") : "stored";
                         });

} // namespace
