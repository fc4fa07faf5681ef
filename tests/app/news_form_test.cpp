// The news window created in-process: its stored layout, the one navigation, and a failing navigation.
#include "app/main_form.h"
#include "app/news_form.h"
#include "app/startup.h"
#include "framework/gui/application.h"
#include "tests/support/message_box_closer.h"

#include <windows.h>

#include <gtest/gtest.h>

using app::Form2;

namespace {

std::vector<std::wstring> g_navigations;
class NewsFormTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { app::RegisterStoredClasses(); }
    void SetUp() override {
        g_navigations.clear();
        boxes = std::make_unique<testing_support::MessageBoxCloser>();
        application = std::make_unique<gui::TApplication>();
        application->Initialize();
        application->SetTitle("Marivel进制转换器");
    }
    void TearDown() override {
        gui::TWebBrowser::NavigateOverride = nullptr;
        boxes.reset();
        application.reset();
        app::FinalizeModules();
        app::Form1 = nullptr;
        Form2 = nullptr;
    }
    std::unique_ptr<gui::TApplication> application;
    std::unique_ptr<testing_support::MessageBoxCloser> boxes;
};

TEST_F(NewsFormTest, CreatedHiddenBorderlessAndNavigatesOnceToTheNewsPage) {
    gui::TWebBrowser::NavigateOverride = [](const std::wstring& url) {
        g_navigations.push_back(url);
        return S_OK;
    };
    application->CreateForm(app::Form1);
    application->CreateForm(Form2);
    ASSERT_EQ(g_navigations.size(), 1u);
    EXPECT_EQ(g_navigations[0], L"http://news.marivel.example/form2/news.htm");
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    RECT client{};
    GetClientRect(Form2->Handle(), &client);
    EXPECT_EQ(client.right, 342);
    EXPECT_EQ(client.bottom, 266);
    EXPECT_EQ(Form2->Width(), 342) << "no frame: outer size equals client size";
    EXPECT_EQ(GetWindowLongPtrW(Form2->Handle(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0);
    EXPECT_EQ(Form2->WebBrowser1->Width(), 500);
    EXPECT_EQ(Form2->WebBrowser1->Height(), 500);
    EXPECT_EQ(Form2->WebBrowser1->ExtentX(), 13229);
    EXPECT_EQ(boxes->seen.count, 0);
    EXPECT_EQ(application->MainForm(), app::Form1) << "the first form stays the main form";
}

TEST_F(NewsFormTest, TheRealControlIsHostedAndAcceptsTheNavigation) {
    application->CreateForm(app::Form1);
    application->CreateForm(Form2);
    EXPECT_NE(Form2->WebBrowser1->Browser(), nullptr) << "the browser control was created and sited";
    EXPECT_EQ(boxes->seen.count, 0) << "Navigate succeeded";
}

TEST_F(NewsFormTest, AFailingNavigationIsShownAndTheWindowIsCreatedAnyway) {
    gui::TWebBrowser::NavigateOverride = [](const std::wstring&) { return E_FAIL; };
    application->CreateForm(app::Form1);
    application->CreateForm(Form2);
    ASSERT_NE(Form2, nullptr);
    EXPECT_TRUE(IsWindow(Form2->Handle()));
    EXPECT_EQ(boxes->seen.count, 1);
    EXPECT_EQ(boxes->seen.text,
              L"Cannot open the page http://news.marivel.example/form2/news.htm: error 0x80004005.");
}

TEST_F(NewsFormTest, TimersPlaceAndShowTheNewsWindowOnceAtTheScreenCorner) {
    gui::TWebBrowser::NavigateOverride = [](const std::wstring&) { return S_OK; };
    application->CreateForm(app::Form1);
    application->CreateForm(Form2);
    app::Form1->Timer1Timer(nullptr);
    RECT rect{};
    GetWindowRect(Form2->Handle(), &rect);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) - 357);
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) - 301);
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    app::Form1->Timer2Timer(nullptr);
    EXPECT_FALSE(app::Form1->Timer1->Enabled());
    EXPECT_TRUE(app::Form1->Timer2->Enabled()) << "Timer2 keeps running and changes nothing";
    SendMessageW(Form2->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Form2->Handle())) << "closing only hides";
    EXPECT_TRUE(IsWindow(Form2->Handle()));
}

} // namespace
