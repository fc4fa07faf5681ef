// The skin data component inside a form: stored skin, defaults, skin files, version refusal.
#include "framework/gui/application.h"
#include "framework/gui/message_dialog.h"
#include "framework/gui/register_classes.h"
#include "framework/rtl/form_data.h"
#include "framework/rtl/property_builders.h"
#include "skin/component/skin_data.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/bmp_writer.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

using skin::TSkinData;

namespace {

// Counts the framework message dialogs shown, and closes each at once.
int g_dialogs = 0;
std::string g_dialogText;
HHOOK g_hook = nullptr;

LRESULT CALLBACK CloseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        if (auto* form = dynamic_cast<gui::TMessageForm*>(
                gui::TWinControl::FromHandle(reinterpret_cast<HWND>(wParam)))) {
            ++g_dialogs;
            if (auto* label = dynamic_cast<gui::TControl*>(form->FindComponent("Message")))
                g_dialogText = label->Caption();
            form->SetModalResult(gui::mrOk);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

std::vector<std::uint8_t> Bmp(int width, int height, skin::Pixel colour) {
    skin::Bitmap bitmap(width, height);
    bitmap.fill(colour);
    return skin::WriteBmp(bitmap, {});
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A small skin: a top border 40 x 20 (two frames stacked) and a tab element.
std::vector<std::uint8_t> SkinPackage(int topWidth, bool withTabs, std::uint32_t version = 20000) {
    skin::PackageWriter writer;
    std::string ini = "[TitlebarSkin]\nSkinName=Test\n[Personality]\nTop=top.bmp\nTopFrame=2\n[Colours]"
                      "\nButtonFace=10 20 30\n";
    if (withTabs) ini += "[Tabs]\nImage=tabs.bmp\n";
    writer.AddMember("skin.ini", Bytes(ini));
    writer.AddMember("top.bmp", Bmp(topWidth, 20, 0x00FF0000));
    writer.AddMember("tabs.bmp", Bmp(50, 10, 0x0000FF00));
    std::vector<std::uint8_t> package = writer.Build();
    package[0] = static_cast<std::uint8_t>(version);
    package[1] = static_cast<std::uint8_t>(version >> 8);
    package[2] = static_cast<std::uint8_t>(version >> 16);
    package[3] = static_cast<std::uint8_t>(version >> 24);
    return skin::LzhCompress(package);
}

std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& stream) {
    std::vector<std::uint8_t> stored(4 + stream.size());
    const auto count = static_cast<std::uint32_t>(stream.size());
    for (std::size_t i = 0; i < 4; ++i)
        stored[i] = static_cast<std::uint8_t>(count >> (8 * i));
    std::copy(stream.begin(), stream.end(), stored.begin() + 4);
    return stored;
}

std::string FormText(const std::vector<std::uint8_t>& storedStream, bool active = true) {
    rtl::FormObject form{"SkinForm", "TSkinTestForm", {}, {}, 1};
    rtl::FormObject data{"SkinData1", "TSkinData", {}, {}, 2};
    data.properties.push_back({"Active", rtl::FormIdentifier{active ? "True" : "False"}, 0});
    data.properties.push_back({"SkinFormtype", rtl::FormIdentifier{"sfMainform"}, 0});
    data.properties.push_back({"SkinStream", storedStream, 0});
    form.children.push_back(data);
    // Reads the skin data's state while the form is still being read, before any Loaded step.
    form.children.push_back({"Probe", "TReadingProbe", {{"Look", std::int64_t{1}, 0}}, {}, 3});
    return rtl::WriteFormData(form);
}

bool g_pendingWhileReading = true;

class TReadingProbe : public rtl::TComponent {
  public:
    using TComponent::TComponent;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{
            "TReadingProbe",
            &TComponent::StaticClassInfo(),
            {
                rtl::IntegerProperty("Look", &TReadingProbe::SetLook, &TReadingProbe::Look),
            }};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int Look() const { return 0; }
    void SetLook(int) {
        auto* data = dynamic_cast<TSkinData*>(Owner()->FindComponent("SkinData1"));
        g_pendingWhileReading = data ? data->SkinPending : true;
    }
};

class TSkinTestForm : public gui::TForm {
  public:
    using TForm::TForm;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TSkinTestForm", &TForm::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TSkinData* SkinData() { return dynamic_cast<TSkinData*>(FindComponent("SkinData1")); }
};

class SkinDataTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        gui::RegisterFrameworkClasses();
        skin::RegisterSkinDataClass();
        rtl::RegisterComponentClass<TReadingProbe>();
    }
    void SetUp() override {
        g_dialogs = 0;
        g_hook = SetWindowsHookExW(WH_CBT, &CloseDialogs, nullptr, GetCurrentThreadId());
        application = std::make_unique<gui::TApplication>();
        application->Initialize();
        application->SetTitle("Skin test");
    }
    void TearDown() override {
        UnhookWindowsHookEx(g_hook);
        application.reset();
        skin::FreeSkinManager();
    }
    TSkinTestForm* NewForm(const std::string& text) {
        auto* form = new TSkinTestForm(application.get());
        application->AddForm(form);
        form->LoadFromText(text);
        return form;
    }
    std::unique_ptr<gui::TApplication> application;
};

TEST_F(SkinDataTest, DefaultsAsShipped) {
    TSkinData data(nullptr);
    EXPECT_FALSE(data.Active());
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_EQ(data.SkinControls(), 0x3FFFFu);
    EXPECT_FALSE(data.HasSkinControl(skin::xcFastReport));
    EXPECT_EQ(data.SkinFormtype(), skin::sfMainform);
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_TRUE(data.SkinPending);
    EXPECT_EQ(data.SkinStore(), "(none)");
    const auto& rows = data.Skin3rd();
    ASSERT_EQ(rows.size(), 95u);
    EXPECT_EQ(rows.front(), "TTBDock=Panel");
    EXPECT_EQ(rows.back(), "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(rows[14], rows[13]);
    EXPECT_EQ(rows[34], rows[33]);
    EXPECT_EQ(rows[61], rows[59]);
    EXPECT_EQ(data.MenuGlyphs.Count(), 4);
    EXPECT_EQ(data.MenuGlyphs.Width(), 16);
    EXPECT_EQ(data.MenuGlyphs.Height(), 16);
}

TEST_F(SkinDataTest, PublishedPropertiesInOrder) {
    const auto& properties = TSkinData::StaticClassInfo().Properties;
    const char* expected[] = {"Active",     "DisableTag",    "SkinControls", "Skin3rd",
                              "SkinFile",   "SkinStore",     "SkinFormtype", "MenuUpdate",
                              "OnFormSkin", "OnSkinChanged", "OnSkinControl"};
    ASSERT_GE(properties.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(properties[i].Name, expected[i]);
}

TEST_F(SkinDataTest, EmptyStoredStreamLoadsNothingAndLoadedTurnsActiveOff) {
    TSkinTestForm* form = NewForm(FormText(Stored({})));
    TSkinData* data = form->SkinData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->SkinPending);
    EXPECT_FALSE(data->Active());
    ASSERT_NE(skin::SkinManager, nullptr);
    EXPECT_EQ(skin::SkinManager->Enabled, 0);
    EXPECT_EQ(data->WriteSkinStream(), std::vector<std::uint8_t>(4, 0)) << "always written: a zero count";
}

TEST_F(SkinDataTest, StoredSkinLoadsWhileTheFormIsReadThenSkinningIsAskedFor) {
    g_pendingWhileReading = true;
    const auto stream = SkinPackage(40, true);
    TSkinTestForm* form = NewForm(FormText(Stored(stream)));
    TSkinData* data = form->SkinData();
    EXPECT_FALSE(g_pendingWhileReading) << "the skin was read before the form's Loaded steps";
    EXPECT_FALSE(data->SkinPending);
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(data->SkinName, "Test");
    EXPECT_EQ(data->BorderTop->Image.width(), 40);
    EXPECT_EQ(data->ButtonFaceColour, 0x001E140Au);
    EXPECT_NE(data->FaceBrush(), nullptr);
    EXPECT_EQ(skin::SkinManager->Enabled, 1) << "nothing started yet: the skin action only enables";
    EXPECT_NE(skin::SkinManager->HookHandle.get(), nullptr);
    EXPECT_EQ(data->WriteSkinStream(), Stored(stream));
}

TEST_F(SkinDataTest, MissingSkinFileChangesNothingAndShowsNothing) {
    TSkinTestForm* form = NewForm(FormText(Stored(SkinPackage(40, true))));
    TSkinData* data = form->SkinData();
    data->SetSkinFile("C:\\no\\such\\skin.skn");
    EXPECT_EQ(g_dialogs, 0);
    EXPECT_EQ(data->BorderTop->Image.width(), 40);
    EXPECT_TRUE(data->SkinPending) << "skinning stays refused until a skin is read";
}

TEST_F(SkinDataTest, SkinFileOfAnotherVersionShowsTheMessageOnceAndKeepsThePreviousSkin) {
    TSkinTestForm* form = NewForm(FormText(Stored(SkinPackage(40, true))));
    TSkinData* data = form->SkinData();
    const auto before = data->WriteSkinStream();
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "old-version.skn";
    const auto old = SkinPackage(60, false, 19999);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(old.data()), static_cast<std::streamsize>(old.size()));
    data->SetSkinFile(file);
    std::remove(file.c_str());
    EXPECT_EQ(g_dialogs, 1);
    EXPECT_EQ(g_dialogText, "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(data->BorderTop->Image.width(), 40) << "previous records kept";
    EXPECT_NE(data->Tabs, nullptr);
    EXPECT_EQ(data->WriteSkinStream(), before) << "and the stream that goes with them";
    EXPECT_TRUE(data->SkinPending);
    data->SetActive(false);
    skin::SkinManager->Enabled = 0;
    data->SetActive(true);
    EXPECT_EQ(skin::SkinManager->Enabled, 0) << "switching on is refused until a good skin is read";
}

TEST_F(SkinDataTest, GoodSkinFileReplacesTheSkinAndFreesWhatItLacks) {
    TSkinTestForm* form = NewForm(FormText(Stored(SkinPackage(40, true))));
    TSkinData* data = form->SkinData();
    ASSERT_NE(data->Tabs, nullptr);
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "second.skn";
    const auto second = SkinPackage(60, false);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(second.data()), static_cast<std::streamsize>(second.size()));
    data->SetSkinFile(file);
    std::remove(file.c_str());
    EXPECT_EQ(g_dialogs, 0);
    EXPECT_FALSE(data->SkinPending);
    EXPECT_EQ(data->BorderTop->Image.width(), 60);
    EXPECT_EQ(data->Tabs, nullptr) << "the new skin has no tabs";
    // No window was ever activated: the re-skin has nothing to act on and is dropped, not left pending for a
    // later purge to run.
    EXPECT_EQ(skin::SkinManager->Started, 0);
    EXPECT_EQ(skin::SkinManager->PendingAction, skin::DeferredAction::None);
}

TEST_F(SkinDataTest, DamagedStoredSkinFailsTheFormWithAClearError) {
    auto stream = SkinPackage(40, true);
    stream.resize(stream.size() / 2);
    EXPECT_THROW(NewForm(FormText(Stored(stream))), rtl::Exception);
    std::vector<std::uint8_t> lying = Stored({1, 2, 3});
    lying[0] = 200; // count says 200, three bytes follow
    try {
        NewForm(FormText(lying));
        FAIL();
    } catch (const rtl::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("runs past"), std::string::npos) << e.what();
    }
}

TEST_F(SkinDataTest, QueryFormSkinRules) {
    TSkinData data(nullptr);
    bool doSkin = true;
    data.QueryFormSkin("SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    data.QueryFormSkin("TfrPreview", doSkin);
    EXPECT_TRUE(doSkin) << "only with xcFastReport";
    data.SetSkinControls(data.SkinControls() | (1u << skin::xcFastReport));
    data.QueryFormSkin("TfrPreview", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = false;
    data.OnFormSkin = [](rtl::TObject*, const std::string& name, bool& skinIt) {
        skinIt = name == "SysMonthCal32";
    };
    data.QueryFormSkin("SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin) << "a handler decides alone";
}

} // namespace

// A package loaded from memory (a skin author's reload) that cannot be read leaves the previous skin in
// effect, not pending: the windows go on showing it.
TEST_F(SkinDataTest, PackageThatFailsLeavesThePreviousSkinInEffect) {
    TSkinTestForm* form = NewForm(FormText(Stored(SkinPackage(40, true))));
    TSkinData* data = form->SkinData();
    const auto before = data->WriteSkinStream();
    auto damaged = SkinPackage(60, false);
    damaged.resize(damaged.size() / 2);
    EXPECT_THROW(data->LoadSkinPackage(damaged), rtl::Exception);
    EXPECT_FALSE(data->LoadSkinPackage(SkinPackage(60, false, 19999))) << "another version";
    EXPECT_EQ(g_dialogs, 1);
    EXPECT_FALSE(data->SkinPending);
    EXPECT_EQ(data->BorderTop->Image.width(), 40);
    EXPECT_EQ(data->WriteSkinStream(), before);
    EXPECT_TRUE(data->LoadSkinPackage(SkinPackage(60, false)));
    EXPECT_EQ(data->BorderTop->Image.width(), 60);
    EXPECT_EQ(skin::SkinManager->PendingAction, skin::DeferredAction::Reskin);
}
