// The main window created in-process from its stored form data, with the default exception display.
#include "app/main_form.h"
#include "app/startup.h"
#include "framework/gui/application.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"
#include "tests/support/message_box_closer.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

using app::Form1;

namespace {

struct ShellCall {
    HWND owner = nullptr;
    std::wstring operation, file, parameters;
    bool directoryGiven = true;
    INT show = 0;
    int count = 0;
};
ShellCall g_shellCall;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, INT show) {
    g_shellCall.owner = owner;
    g_shellCall.operation = operation ? operation : L"";
    g_shellCall.file = file ? file : L"";
    g_shellCall.parameters = parameters ? parameters : L"";
    g_shellCall.directoryGiven = directory != nullptr;
    g_shellCall.show = show;
    ++g_shellCall.count;
    return reinterpret_cast<HINSTANCE>(42);
}

class MainFormTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { app::RegisterStoredClasses(); }

    void SetUp() override {
        application = std::make_unique<gui::TApplication>();
        application->Initialize();
        application->SetTitle("Marivel进制转换器");
        application->CreateForm(Form1);
        application->MainForm()->Show();
        g_shellCall = {};
        boxes = std::make_unique<testing_support::MessageBoxCloser>(Form1->Handle());
        app::ShellExecuteHook = &RecordShellExecute;
    }

    void TearDown() override {
        boxes.reset();
        app::ShellExecuteHook = &ShellExecuteW;
        application.reset();
        app::FinalizeModules();
        Form1 = nullptr;
    }

    void Click() {
        SendMessageW(Form1->Handle(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(Form1->Button1->Handle()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Form1->Button1->Handle()));
    }

    std::unique_ptr<gui::TApplication> application;
    std::unique_ptr<testing_support::MessageBoxCloser> boxes;
};

TEST_F(MainFormTest, StoredComponentsAreCreatedInOrderWithTheirClasses) {
    const char* expected[][2] = {{"Label1", "TLabel"}, {"Label2", "TLabel"},       {"Label3", "TLabel"},
                                 {"Label4", "TLabel"}, {"Edit1", "TEdit"},         {"Edit2", "TEdit"},
                                 {"Edit3", "TEdit"},   {"Button1", "TButton"},     {"Timer1", "TTimer"},
                                 {"Timer2", "TTimer"}, {"SkinData1", "TSkinData"}, {"MainMenu1", "TMainMenu"},
                                 {"N1", "TMenuItem"}};
    ASSERT_EQ(Form1->ComponentCount(), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(Form1->Components()[static_cast<std::size_t>(i)]->Name(), expected[i][0]);
        EXPECT_EQ(Form1->Components()[static_cast<std::size_t>(i)]->ClassName(), expected[i][1]);
    }
    EXPECT_EQ(application->MainForm(), Form1);
    EXPECT_EQ(Form1->Label4->Caption(), "填写数字2~36");
    EXPECT_EQ(Form1->Button1->Caption(), "开始转换");
    EXPECT_EQ(Form1->Edit1->ImeName(), "中文 (简体) - 王码五笔型86版");
    EXPECT_EQ(Form1->Timer1->Interval(), 15000);
    EXPECT_EQ(Form1->Timer2->Interval(), 15010);
    EXPECT_TRUE(Form1->Timer1->Enabled());
    EXPECT_EQ(Form1->EffectiveFont()->Name(), "MS Sans Serif");
    EXPECT_EQ(Form1->EffectiveFont()->Height(), -11);
}

TEST_F(MainFormTest, TheStoredFormDataCarriesTheDefaultSkinWhichLoadsWhileTheFormIsRead) {
    skin::TSkinData* data = Form1->SkinData1;
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->SkinPending) << "the stored skin was read";
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(data->SkinFormtype(), skin::sfMainform);
    EXPECT_EQ(data->DisableTag(), 99);
    EXPECT_EQ(data->SkinControls(), 0x3FFFFu);
    EXPECT_EQ(data->Skin3rd().size(), 95u);
    EXPECT_EQ(data->SkinName, "Marivel Light");
    ASSERT_GE(data->SkinStream.size(), 4u);
    // The package starts with its unpacked size; the whole stream is what the stored data holds.
    EXPECT_GT(data->SkinStream.size(), 8000u);
    EXPECT_LT(data->SkinStream.size(), 54284u) << "no larger than the original stored skin";
    EXPECT_EQ(data->WriteSkinStream().size(), data->SkinStream.size() + 4);
    EXPECT_FALSE(data->BorderTop->Image.empty());
    EXPECT_EQ(data->BorderTop->FrameCount, 2);
    EXPECT_EQ(data->BorderTop->LeftWidth, 25);
    EXPECT_EQ(data->BorderTop->RightWidth, 32);
    EXPECT_GE(data->SysButtons.size(), 8u + 3u) << "eight caption buttons, then the MDI buttons";
    ASSERT_NE(skin::SkinManager, nullptr);
    EXPECT_EQ(skin::SkinManager->Enabled, 1) << "skinning asked for";
    EXPECT_EQ(data->MenuGlyphs.Count(), 4);
}

TEST_F(MainFormTest, WindowsFollowTheTabOrderAndTheFocusStartsInTheNumberBox) {
    HWND first = GetWindow(Form1->Handle(), GW_CHILD);
    EXPECT_EQ(first, Form1->Edit1->Handle());
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), Form1->Edit2->Handle());
    EXPECT_EQ(GetWindow(Form1->Edit2->Handle(), GW_HWNDNEXT), Form1->Edit3->Handle());
    EXPECT_EQ(GetWindow(Form1->Edit3->Handle(), GW_HWNDNEXT), Form1->Button1->Handle());
    SetActiveWindow(Form1->Handle());
    application->ProcessMessages();
    EXPECT_EQ(GetFocus(), Form1->Edit1->Handle());
}

// Where a child window sits in its parent's client area.
RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(MainFormTest, MovedToA144DpiMonitorTheSkinnedWindowScalesItsLayoutAndTakesTheSuggestedRectangle) {
    const auto skinned = [] {
        const auto* object =
            skin::SkinManager ? skin::SkinManager->FindFormByWindow(Form1->Handle()) : nullptr;
        return object && object->SkinPhase() == skin::kPhaseActive;
    };
    for (int i = 0; i < 400 && !skinned(); ++i) {
        application->ProcessMessages();
        Sleep(5);
    }
    ASSERT_TRUE(skinned());
    RECT suggested{40, 30, 40 + 800, 30 + 450};
    SendMessageW(Form1->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    application->ProcessMessages();

    RECT window{};
    GetWindowRect(Form1->Handle(), &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    const RECT number = PlaceInParent(Form1->Edit1->Handle());
    EXPECT_EQ(number.left, 144);
    EXPECT_EQ(number.top, 84);
    EXPECT_EQ(number.right, 710);
    EXPECT_EQ(number.bottom, 116);
    const RECT button = PlaceInParent(Form1->Button1->Handle());
    EXPECT_EQ(button.left, 276);
    EXPECT_EQ(button.bottom, 362);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Form1->Edit1->Handle(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(font.lfHeight, -17);
}

TEST_F(MainFormTest, MenuBarHasTheOneWebsiteItem) {
    // The form's own menu: once the window is skinned, the bar is drawn in the frame and the window
    // itself carries no menu.
    HMENU menu = Form1->Menu()->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    wchar_t caption[64] = {};
    GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"Marivel网站");
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
}

TEST_F(MainFormTest, WebsiteCommandCallsTheShellExactlyOnce) {
    Form1->Edit3->SetText("kept");
    const UINT command = GetMenuItemID(Form1->Menu()->Handle(), 0);
    SendMessageW(Form1->Handle(), WM_COMMAND, command, 0);
    EXPECT_EQ(g_shellCall.count, 1);
    EXPECT_EQ(g_shellCall.owner, Form1->Handle());
    EXPECT_EQ(g_shellCall.operation, L"open");
    EXPECT_EQ(g_shellCall.file, L"Explorer.exe");
    EXPECT_EQ(g_shellCall.parameters, L"http://www.marivel.example");
    EXPECT_FALSE(g_shellCall.directoryGiven);
    EXPECT_EQ(g_shellCall.show, SW_SHOWNORMAL);
    EXPECT_EQ(Form1->Edit3->GetText(), "kept");
    EXPECT_EQ(boxes->seen.count, 0);
}

TEST_F(MainFormTest, ConversionErrorsGoToTheDefaultDisplayAndTheProgramGoesOn) {
    Form1->Edit1->SetText("255");
    Form1->Edit2->SetText("16");
    Click();
    EXPECT_EQ(Form1->Edit3->GetText(), "FF");
    EXPECT_EQ(boxes->seen.count, 0);

    Form1->Edit1->SetText("12a");
    Click();
    ASSERT_EQ(boxes->seen.count, 1);
    EXPECT_EQ(boxes->seen.caption, L"Marivel进制转换器");
    EXPECT_EQ(boxes->seen.text, L"'12a' is not a valid integer value.");
    EXPECT_EQ(boxes->seen.owner, application->Handle()) << "owned by the hidden application window";
    EXPECT_FALSE(boxes->seen.watchedWindowEnabled) << "other windows are disabled while the box is up";
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle())) << "and enabled again afterwards";
    EXPECT_EQ(Form1->Edit3->GetText(), "FF");
}

TEST_F(MainFormTest, FocusGoesBackWhereItWasAfterTheErrorBox) {
    SetActiveWindow(Form1->Handle());
    Form1->Edit2->SetFocus();
    Form1->Edit2->SetText("x");
    Click();
    ASSERT_EQ(boxes->seen.count, 1);
    EXPECT_EQ(GetActiveWindow(), Form1->Handle());
    EXPECT_EQ(GetFocus(), Form1->Edit2->Handle());
}

TEST_F(MainFormTest, MessagesEndingInPunctuationAreShownUnchanged) {
    application->ShowException(rtl::Exception("This is Older Skin File\rPlease update to new version !"));
    EXPECT_EQ(boxes->seen.text, L"This is Older Skin File\rPlease update to new version !");
    application->ShowException(rtl::Exception("中文"));
    EXPECT_EQ(boxes->seen.text, L"中文.");
    try {
        throw rtl::EAbort();
    } catch (...) {
        application->HandleException(nullptr);
    }
    EXPECT_EQ(boxes->seen.count, 2) << "the silent kind shows nothing";
}

TEST_F(MainFormTest, MalformedFormDataNamesTheFormAndTheLine) {
    app::TForm1 broken(nullptr);
    try {
        broken.LoadFromText("Form1 : TForm1 {\n    Left = 1\n    Colour = clRed\n}\n");
        FAIL() << "no error";
    } catch (const rtl::EFormDataError& e) {
        EXPECT_EQ(e.Message(), "form data of TForm1, line 3: TForm1 has no property 'Colour'");
    }
}

} // namespace
