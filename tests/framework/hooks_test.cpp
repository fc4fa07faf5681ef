// Message method hooks and window subclassing: installed and given back in any order, also while the
// window or the control is going away; exceptions stay inside.
#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/hooks.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/subclass.h"
#include "tests/framework/form_test_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// A hook that writes its name into a shared trace and passes every message on.
struct Tracer {
    std::string name;
    std::string* trace;
    gui::TMessageHook hook;
    std::function<void(gui::TMessage&)> onMessage;

    void Handle(gui::TMessage& message) {
        *trace += name;
        if (onMessage) onMessage(message);
        hook.CallPrevious(message);
    }
    void Install(gui::TControl& control) {
        hook.Install(control, gui::TWndMethod::Of<&Tracer::Handle>(this));
    }
};

class HooksTest : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = NewForm("Form : TForm {\n    ClientWidth = 200\n    ClientHeight = 100\n}\n");
    }
    // The trace of one message through the hooks.
    std::string Deliver() {
        trace.clear();
        form->Perform(WM_NULL, 0, 0);
        return trace;
    }
    gui::TForm* form = nullptr;
    std::string trace;
};

TEST_F(HooksTest, NestedHooksRunNewestFirstAndLeaveInAnyOrder) {
    Tracer a{"a", &trace, {}, {}}, b{"b", &trace, {}, {}}, c{"c", &trace, {}, {}};
    const gui::TWndMethod original = form->WindowProc;
    a.Install(*form);
    b.Install(*form);
    c.Install(*form);
    EXPECT_EQ(Deliver(), "cba");
    b.hook.Remove(); // from the middle: c now passes to a
    EXPECT_EQ(Deliver(), "ca");
    a.hook.Remove(); // the oldest, while c is on top
    EXPECT_EQ(Deliver(), "c");
    EXPECT_TRUE(c.hook.Previous() == original) << "c passes straight to the form's own method";
    c.hook.Remove();
    EXPECT_TRUE(form->WindowProc == original);
    EXPECT_EQ(Deliver(), "");
}

TEST_F(HooksTest, RemovedInsideItsOwnHandlerDuringNcDestroyAndWithTheForm) {
    Tracer outer{"o", &trace, {}, {}}, inner{"i", &trace, {}, {}};
    inner.Install(*form);
    outer.Install(*form);
    bool sawDestroy = false;
    inner.onMessage = [&](gui::TMessage& message) {
        if (message.Msg == WM_NCDESTROY) {
            sawDestroy = true;
            inner.hook.Remove(); // out of order and inside the handler that is running
        }
    };
    form->DestroyHandle();
    EXPECT_TRUE(sawDestroy);
    EXPECT_FALSE(inner.hook.Installed());
    EXPECT_EQ(Deliver(), "o");
    delete form; // the form goes while a hook is still installed: the hook has nothing left to give back
    form = nullptr;
    EXPECT_FALSE(outer.hook.Installed());
    outer.hook.Remove();
}

// A window procedure bound to an object.
struct Subclasser {
    gui::TWindowSubclass subclass;
    std::string name;
    std::string* trace;
    bool throwOnPaint = false;
    void Handle(gui::TMessage& message) {
        if (message.Msg == WM_USER) *trace += name;
        if (message.Msg == WM_NCPAINT && throwOnPaint) throw std::runtime_error("painter failed");
        subclass.CallPrevious(message);
    }
    bool Install(HWND window) {
        return subclass.Install(window, gui::TWndMethod::Of<&Subclasser::Handle>(this));
    }
};

TEST_F(HooksTest, SubclassesChainAndAreRemovedInAnyOrderAndByTheWindowsEnd) {
    HWND window = form->Handle();
    Subclasser a{{}, "a", &trace}, b{{}, "b", &trace};
    ASSERT_TRUE(a.Install(window));
    ASSERT_TRUE(b.Install(window));
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "ba");
    a.subclass.Remove();
    trace.clear();
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "b");
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 0) << "the form's own procedure still answers";
    form->DestroyHandle();
    EXPECT_FALSE(b.subclass.Installed()) << "the binding ends with the window";
    EXPECT_FALSE(b.Install(reinterpret_cast<HWND>(0x12345))) << "no such window";
}

// A procedure bound over ours by someone who knows nothing of our bindings.
WNDPROC g_foreignPrevious = nullptr;
std::string* g_foreignTrace = nullptr;
LRESULT CALLBACK ForeignProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER && g_foreignTrace) *g_foreignTrace += "f";
    return CallWindowProcW(g_foreignPrevious, window, msg, wParam, lParam);
}

TEST_F(HooksTest, SubclassesGiveTheProcedureBackUnlessBoundOverAndSurviveRemovalMidMessage) {
    HWND window = form->Handle();
    const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
    Subclasser a{{}, "a", &trace}, b{{}, "b", &trace};
    ASSERT_TRUE(a.Install(window));
    ASSERT_TRUE(b.Install(window));
    // A binding that leaves while its message is being handled: the message still goes on to b, a and the
    // form.
    struct Leaver {
        gui::TWindowSubclass subclass;
        std::string* trace;
        void Handle(gui::TMessage& message) {
            if (message.Msg == WM_USER) subclass.Remove();
            subclass.CallPrevious(message);
        }
    } leaver{{}, &trace};
    ASSERT_TRUE(leaver.subclass.Install(window, gui::TWndMethod::Of<&Leaver::Handle>(&leaver)));
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "ba");
    trace.clear();
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "ba");
    a.subclass.Remove();
    b.subclass.Remove();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own) << "the last binding gives the procedure back";

    // Bound over by a stranger: ours stays underneath, passing messages on, and the stranger keeps working.
    ASSERT_TRUE(a.Install(window));
    g_foreignTrace = &trace;
    g_foreignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    a.subclass.Remove();
    trace.clear();
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "f");
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 0) << "the form's own procedure still answers";
    ASSERT_TRUE(b.Install(window));
    trace.clear();
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "fb");
    g_foreignTrace = nullptr;
}

TEST_F(HooksTest, AWindowDestroyedInsideABoundHandlerLeavesNothingBehindForTheNextWindow) {
    struct Destroyer {
        gui::TWindowSubclass subclass;
        void Handle(gui::TMessage& message) {
            if (message.Msg == WM_CLOSE) DestroyWindow(message.Window); // WM_NCDESTROY arrives inside
            subclass.CallPrevious(message);
        }
    };
    for (int round = 0; round < 20; ++round) {
        HWND window =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
        Destroyer destroyer;
        Subclasser watcher{{}, "w", &trace};
        ASSERT_TRUE(watcher.Install(window)) << "round " << round;
        ASSERT_TRUE(destroyer.subclass.Install(window, gui::TWndMethod::Of<&Destroyer::Handle>(&destroyer)));
        trace.clear();
        SendMessageW(window, WM_USER, 0, 0);
        EXPECT_EQ(trace, "w") << "round " << round << ": a window got the procedure of a gone one";
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(destroyer.subclass.Installed());
        EXPECT_FALSE(watcher.subclass.Installed());
    }
}

TEST_F(HooksTest, AnExceptionInASubclassNeverLeavesItAndOpensNoBox) {
    HWND window = form->Handle();
    int reported = 0;
    gui::TWindowSubclass::OnException = [&](HWND, UINT msg, const std::exception* error) {
        ++reported;
        EXPECT_EQ(msg, static_cast<UINT>(WM_NCPAINT));
        ASSERT_NE(error, nullptr);
        EXPECT_STREQ(error->what(), "painter failed");
    };
    Subclasser painter{{}, "p", &trace, true};
    ASSERT_TRUE(painter.Install(window));
    form->Show();
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    application->ProcessMessages();
    gui::TWindowSubclass::OnException = nullptr;
    EXPECT_GE(reported, 1);
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(trace, "p") << "the window goes on working";
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr) << "no message box";
}

} // namespace
