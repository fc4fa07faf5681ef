// Exceptions in the callbacks the system calls (window procedures, hooks, timers) stay inside them: the
// program goes on, the callback answers as it would without its failing step, and the diagnostic handler
// hears of each one.
#include "framework/gui/subclass.h"
#include "framework/gui/timer.h"
#include "framework/rtl/exceptions.h"
#include "skin/diagnostics.h"
#include "tests/skin/skin_test_fixture.h"

#include <string>
#include <utility>
#include <vector>

namespace skin_tests {
namespace {

struct Report {
    std::string where;
    std::string what;
};

// A procedure bound over a window that fails on one message before passing it on.
struct FailingProcedure {
    UINT failOn;
    gui::TWindowSubclass subclass;
    void Handle(gui::TMessage& message) {
        if (message.Msg == failOn) throw rtl::Exception("bound procedure failed");
        subclass.CallPrevious(message);
    }
};

// A handler in a framework control's message method that fails on one message.
struct FailingHandler {
    UINT failOn;
    gui::TMessageHook hook;
    void Handle(gui::TMessage& message) {
        if (message.Msg == failOn) throw rtl::Exception("handler failed");
        hook.CallPrevious(message);
    }
};

class ContainmentTest : public SkinFormTest {
  protected:
    void SetUp() override {
        SkinFormTest::SetUp();
        previous = skin::SetDiagnosticHandler([this](std::string_view where, std::string_view what) {
            reports.push_back({std::string(where), std::string(what)});
        });
        application->OnException = [this](rtl::TObject*, const std::exception& error) {
            shown.push_back(error.what());
        };
    }
    void TearDown() override {
        skin::SetDiagnosticHandler(std::move(previous));
        SkinFormTest::TearDown();
    }
    // How many reports came from where with the text what.
    int Reported(const std::string& where, const std::string& what) const {
        int count = 0;
        for (const Report& report : reports)
            count += report.where == where && report.what == what ? 1 : 0;
        return count;
    }

    skin::DiagnosticHandler previous;
    std::vector<Report> reports;
    std::vector<std::string> shown; // what the application's default exception display was given
};

TEST_P(ContainmentTest, WindowProcedures_AnswerAsTheirPreviousProcedureAndReportTheFailure) {
    TSkinTestForm* form = SkinnedForm("Contained");
    HWND window = form->Handle();

    // A procedure bound over the skinned window fails before passing the message on: the procedures below
    // it (the skinning object's, the form's) answer instead, and no box opens inside the system's frames.
    FailingProcedure failing{WM_GETTEXTLENGTH, {}};
    ASSERT_TRUE(failing.subclass.Install(window, gui::TWndMethod::Of<&FailingProcedure::Handle>(&failing)));
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), LRESULT{9}) << "the caption's length, as before";
    EXPECT_EQ(Reported("bound window procedure", "bound procedure failed"), 1);
    EXPECT_TRUE(shown.empty());
    failing.subclass.Remove();

    // A framework control's handler that fails ends in the default display, and the window keeps working.
    FailingHandler handler{WM_APP, {}};
    handler.hook.Install(*form, gui::TWndMethod::Of<&FailingHandler::Handle>(&handler));
    SendMessageW(window, WM_APP, 0, 0);
    EXPECT_EQ(Reported("control window procedure", "handler failed"), 1);
    EXPECT_EQ(shown, std::vector<std::string>{"handler failed"});
    handler.hook.Remove();
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), LRESULT{9});
    EXPECT_TRUE(Skinned(window));
}

TEST_P(ContainmentTest, Hook_AFailingSkinDecisionLeavesTheActivationToTheSystem) {
    TSkinTestForm* carrier = SkinnedForm();
    // The question the manager's hook asks on each activation fails.
    Skin(carrier).OnFormSkin = [](rtl::TObject*, const std::string&, bool&) {
        throw rtl::Exception("form skin query failed");
    };
    TSkinTestForm* other = NewForm(FormText("Other window", "", 0, 300));
    other->Show();
    SetActiveWindow(other->Handle());
    Settle();
    EXPECT_GE(Reported("CBT hook", "form skin query failed"), 1);
    EXPECT_EQ(GetActiveWindow(), other->Handle()) << "the activation went on";
    EXPECT_FALSE(Skinned(other->Handle()));
    EXPECT_TRUE(Skinned(carrier->Handle())) << "the skinned window stays skinned";
}

TEST_P(ContainmentTest, Timer_AFailingTickIsShownReportedAndTheTimerGoesOn) {
    gui::TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(10);
    timer.SetOnTimer([&](rtl::TObject*) {
        ++ticks;
        throw rtl::Exception("tick failed");
    });
    timer.SetEnabled(true);
    EXPECT_TRUE(Pump([&] { return ticks >= 2; })) << "the timer stopped after its first failure";
    timer.SetEnabled(false);
    EXPECT_EQ(Reported("timer", "tick failed"), ticks);
    EXPECT_EQ(static_cast<int>(shown.size()), ticks);
}

INSTANTIATE_TEST_SUITE_P(DefaultSkin, ContainmentTest, ::testing::Values("default.skn"),
                         [](const auto&) { return std::string("defa"); });

} // namespace
} // namespace skin_tests
