#include "skin/manager/skin_manager.h"

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/diagnostics.h"
#include "skin/form/skin_form.h"
#include "skin/form/window_dpi.h"
#include "skin/menus/popup_menu.h"

#include <algorithm>
#include <string>

namespace skin {

TSkinManage* SkinManager = nullptr;

ISkinManager* ActiveSkinManager() noexcept {
    return SkinManager;
}
ISkinManager& EnsureActiveSkinManager() {
    return EnsureSkinManager();
}

namespace {

std::unique_ptr<TSkinManage> g_manager; // owns what SkinManager points to

constexpr int kUnskinnedFormTag = 99;
constexpr LRESULT kRefuseCreation = 10;
constexpr DWORD kSizeGripStyle = 0x10; // SBS_SIZEGRIP
constexpr LPARAM kStartParameter = 1000;

std::string WindowClassName(HWND window) {
    wchar_t name[101] = {};
    const int length = GetClassNameW(window, name, 101);
    return gui::Narrow(std::wstring(name, static_cast<std::size_t>(std::max(length, 0))));
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

gui::TForm* FrameworkFormOf(HWND window) {
    if (!gui::Application) return nullptr;
    for (gui::TForm* form : gui::Application->Forms()) {
        if (form->HandleAllocated() && form->Handle() == window) return form;
    }
    // Forms the application does not list (MDI children, made by their frame) are framework forms too.
    return dynamic_cast<gui::TForm*>(gui::TWinControl::FromHandle(window));
}

} // namespace

TSkinManage::TSkinManage()
    : ActionTimer(std::make_unique<gui::TTimer>(nullptr)),
      ContrastListener(std::make_unique<THighContrastListener>([this] { HighContrastChanged(); })),
      HighContrastMode(HighContrastOn()) {
    ActionTimer->SetEnabled(false);
    ActionTimer->SetInterval(kActionDelayMs);
    ActionTimer->SetOnTimer([this](rtl::TObject*) { RunPendingAction(); });
}

TSkinManage::~TSkinManage() {
    ActionTimer.reset();
    ContrastListener.reset();
    HookHandle.reset();
    if (gui::CurrentFormShowingObserver() == &TSkinManage::FormShowing) gui::SetFormShowingObserver(nullptr);
    PopupMenus.clear(); // each detaches from its window first
    Retired.clear();
    while (!Forms.empty()) {
        TWinSkinForm* form = Forms.back().get();
        form->SetPhase(kPhaseClosing);
        form->DetachOnDestroy();
        FreeForm(form);
    }
}

void TSkinManage::InstallHook() {
    if (HookHandle) return; // one hook for the thread, however many components load
    HookHandle.reset(SetWindowsHookExW(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId()));
    gui::SetFormShowingObserver(&TSkinManage::FormShowing);
}

void TSkinManage::FormShowing(HWND window) {
    // Skinned and fitted before it is on the screen: the window appears once, in its skin, instead of
    // appearing in the system's frame and being reshaped and resized where it stands. Its activation, a
    // moment later, finds it skinned.
    TSkinManage* manager = SkinManager;
    if (!manager || !manager->HookHandle) return;
    ContainExceptions("skinning a window being shown", [&] {
        // A form with a skin of its own was attached when it loaded; its start, posted then, is run now.
        const TWinSkinForm* object = manager->FindFormByWindow(window);
        if (!object && manager->AttachSkin(window)) object = manager->FindFormByWindow(window);
        if (object && object->SkinPhase() == kPhaseAttached)
            SendMessageW(window, SKM_START, 0, kStartParameter);
    });
}

namespace {
// What the CBT hook does with a notification the thread's windows sent.
LRESULT AnswerHookCode(TSkinManage& skinManager, HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
} // namespace

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = SkinManager;
    HHOOK hook = manager ? manager->HookHandle.get() : nullptr;
    if (code < 0 || !manager) return CallNextHookEx(hook, code, wParam, lParam);
    // A failing step leaves the window as the system made it: the next hook decides.
    return ContainExceptions(
        "CBT hook", [&] { return AnswerHookCode(*manager, hook, code, wParam, lParam); },
        [&] { return CallNextHookEx(hook, code, wParam, lParam); });
}

namespace {
LRESULT AnswerHookCode(TSkinManage& skinManager, HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = &skinManager;
    auto* window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const std::string className = WindowClassName(window);
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        // Skinned windows draw their own frame: a size grip child would sit on top of it.
        if (className == "ScrollBar" && (create->style & kSizeGripStyle) &&
            manager->FindFormByWindow(create->hwndParent)) {
            return kRefuseCreation;
        }
        if (className == "#32768") manager->SkinPopupMenuWindow(window);
        break;
    }
    case HCBT_DESTROYWND:
        manager->ReleasePopupMenuWindow(window);
        break;
    case HCBT_ACTIVATE:
        if (manager->Started == 0) manager->Started = 1;
        manager->SkinWindow(window);
        break;
    default:
        break;
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}
} // namespace

void TSkinManage::RegisterSkinData(TSkinData* skinData) {
    SkinDatas.push_back(skinData);
}

void TSkinManage::UnregisterSkinData(TSkinData* skinData) {
    SkinDatas.erase(std::remove(SkinDatas.begin(), SkinDatas.end(), skinData), SkinDatas.end());
    if (PendingSkinData == skinData) PendingSkinData = nullptr;
    // Windows still skinned with it keep their look but stop using it: they are unskinned.
    for (auto it = Forms.rbegin(); it != Forms.rend(); ++it) {
        if ((*it)->SkinSource() == skinData && (*it)->SkinPhase() != kPhaseDestroyed) (*it)->DetachAll();
    }
    for (std::size_t i = Forms.size(); i-- > 0;) {
        if (Forms[i]->SkinSource() == skinData) FreeForm(Forms[i].get());
    }
}

bool TSkinManage::ClassAllowed(const std::string& className) const {
    bool doSkin = true;
    for (TSkinData* data : SkinDatas) {
        if (data->SkinFormtype() == sfMainform) {
            data->QueryFormSkin(className, doSkin);
            break;
        }
    }
    return doSkin;
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!AttachSkin(window)) return false;
    PostMessageW(window, SKM_START, 0, kStartParameter);
    return true;
}

bool TSkinManage::AttachSkin(HWND window) {
    if (!Enabled || !IsWindow(window)) return false;
    if (SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return false;
    if (FindFormByWindow(window)) return false;
    gui::TForm* form = FrameworkFormOf(window);
    if (!ActivatingAll) {
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        if ((style & WS_CHILD) && Lower(WindowClassName(GetParent(window))) != "mdiclient") return false;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    if (rect.right - rect.left == 0 || rect.bottom - rect.top == 0) return false;
    if (form && form->Tag() == kUnskinnedFormTag) return false;
    const std::string className = WindowClassName(window);
    if (className == "TApplication") return false;
    if (!ClassAllowed(className)) return false;
    TSkinData* skinData = FindSkinData(window);
    if (!skinData || skinData->SkinPending) return false;
    if (StepsAsideFor(*skinData)) {
        SteppedAside = true; // skinned once the mode goes off
        return false;
    }

    // Listed before it attaches, so that anything the attaching sets off finds it skinned already.
    Forms.push_back(std::make_unique<TWinSkinForm>(form));
    TWinSkinForm& object = *Forms.back();
    object.SetWindow(window);
    try {
        if (form) {
            object.AttachForm(*skinData, *form);
        } else {
            object.AttachWindow(*skinData);
        }
    } catch (...) {
        // A window that cannot be skinned stays as it is.
        ReportCurrentException("skinning a window");
        object.SetPhase(kPhaseClosing);
        object.DetachAll();
        FreeForm(&object);
        return false;
    }
    return true;
}

TWinSkinForm* TSkinManage::FindFormByWindow(HWND window) const {
    if (!window) return nullptr;
    for (const auto& form : Forms) {
        if (form->Handle() == window) return form.get();
    }
    return nullptr;
}

TSkinData* TSkinManage::FindSkinData(HWND window) const {
    TSkinData* found = nullptr;
    for (TSkinData* data : SkinDatas) {
        auto* owner = dynamic_cast<gui::TForm*>(data->Owner());
        if (data->SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() &&
            owner->Handle() == window) {
            found = data;
        }
    }
    if (found) return found;
    const std::string className = Lower(WindowClassName(window));
    if (className == "tmessageform" || className == "#32770") {
        for (TSkinData* data : SkinDatas) {
            if (data->SkinFormtype() == sfDialog) found = data;
        }
        if (found) return found;
    }
    for (TSkinData* data : SkinDatas) {
        if (data->SkinFormtype() == sfMainform) found = data;
    }
    if (found) return found;
    return SkinDatas.empty() ? nullptr : SkinDatas.front();
}

void TSkinManage::ScheduleAction(DeferredAction action, int interval) {
    if (action == DeferredAction::Purge) {
        // A purge never takes the place of a skin, unskin or re-skin asked for before it: it runs after it.
        PurgeRequested = true;
        if (PendingAction == DeferredAction::None) PendingAction = DeferredAction::Purge;
    } else {
        PendingAction = action; // a pending purge still runs, after this one
    }
    ActionTimer->SetInterval(interval);
    if (Started != 0) {
        ActionTimer->SetEnabled(true);
        return;
    }
    // Before the first activation there is nothing to act on: windows are skinned one by one as they
    // are activated.
    if (action == DeferredAction::Skin) Enabled = 1;
    if (action == DeferredAction::Unskin) Enabled = 0;
    PendingAction = DeferredAction::None;
    PurgeRequested = false;
}

void TSkinManage::SchedulePurge(TSkinData* skinData) {
    if (PendingAction == DeferredAction::None || !PendingSkinData)
        PendingSkinData = skinData; // else the pending request's own
    ScheduleAction(DeferredAction::Purge, kActionDelayMs);
}

void TSkinManage::RunPendingAction() {
    TSkinData* data = PendingSkinData;
    if (!data) return; // keep ticking until a component asks
    ActionTimer->SetEnabled(false);
    const bool purge = PurgeRequested || PendingAction == DeferredAction::Purge;
    const DeferredAction action = ActionInContrastMode(PendingAction, *data);
    PendingAction = DeferredAction::None;
    PurgeRequested = false;
    switch (action) {
    case DeferredAction::Skin:
        SkinAll(*data);
        break;
    case DeferredAction::Unskin:
        UnskinAll(*data);
        break;
    case DeferredAction::Reskin:
        ReskinAll(*data);
        break;
    default:
        break;
    }
    if (purge) PurgeDestroyed();
    data->NotifySkinChanged();
    PendingSkinData = nullptr;
    if (FreeRetired()) SchedulePurge(data); // some are still busy: look again on the timer
}

DeferredAction TSkinManage::ActionInContrastMode(DeferredAction action, const TSkinData& data) {
    if (action == DeferredAction::Unskin) {
        SteppedAside = false; // switched off on purpose: not skinned again when the mode goes off
        return action;
    }
    if (action != DeferredAction::Skin && action != DeferredAction::Reskin) return action;
    if (StepsAsideFor(data)) {
        if (action == DeferredAction::Reskin && !Enabled) return DeferredAction::None; // nothing is skinned
        SteppedAside = true;
        return DeferredAction::Unskin;
    }
    if (SteppedAside) {
        SteppedAside = false;
        return DeferredAction::Skin;
    }
    return action;
}

bool TSkinManage::StepsAsideFor(const TSkinData& data) const {
    return HighContrastMode && !data.HighContrast;
}

TSkinData* TSkinManage::MainSkinData() const {
    for (TSkinData* data : SkinDatas) {
        if (data->SkinFormtype() == sfMainform) return data;
    }
    return SkinDatas.empty() ? nullptr : SkinDatas.front();
}

void TSkinManage::HighContrastChanged() {
    const bool on = HighContrastOn();
    if (on == HighContrastMode) return;
    HighContrastMode = on;
    TSkinData* data = MainSkinData();
    // A skin made for the mode stays either way; so does a program that switched skinning off.
    if (!data || data->SkinPending || StepsAsideFor(*data) == SteppedAside) return;
    // An action already asked for is turned to the mode when it runs.
    if (PendingAction != DeferredAction::None && PendingAction != DeferredAction::Purge) return;
    PendingSkinData = data;
    ScheduleAction(DeferredAction::Reskin, kActionDelayMs);
}

void TSkinManage::SkinAll(TSkinData& data) {
    Enabled = 1;
    ActivatingAll = 1;
    if (gui::Application) {
        const auto forms = gui::Application->Forms(); // a copy: skinning may create windows
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            if (data.SkinFormtype() == sfOnlyThisForm && *it != data.Owner()) continue;
            if ((*it)->HandleAllocated()) SkinWindow((*it)->Handle());
            if (data.SkinFormtype() == sfOnlyThisForm) break;
        }
    }
    ActivatingAll = 0;
}

void TSkinManage::UnskinAll(TSkinData& data) {
    Enabled = 0;
    const bool onlyThisForm = data.SkinFormtype() == sfOnlyThisForm;
    for (std::size_t i = Forms.size(); i-- > 0;) {
        if (i >= Forms.size()) continue; // the list shrank under us
        TWinSkinForm* form = Forms[i].get();
        if (onlyThisForm && form->SkinSource() != &data) continue;
        HWND window = form->Handle();
        if (form->SkinPhase() != kPhaseDestroyed) form->DetachAll();
        FreeForm(form);
        if (IsWindow(window)) {
            InvalidateRect(window, nullptr, TRUE);
            UpdateWindow(window);
        }
        if (onlyThisForm) break;
    }
}

void TSkinManage::ReskinAll(TSkinData& data) {
    std::vector<TWinSkinForm*> targets;
    for (const auto& form : Forms) {
        if (form->SkinSource() == &data && form->SkinPhase() != kPhaseDestroyed) {
            targets.push_back(form.get());
            if (data.SkinFormtype() == sfOnlyThisForm) break;
        }
    }
    for (TWinSkinForm* form : targets)
        form->ComputeFrameSizes(); // frees the old caption buttons too
    for (TWinSkinForm* form : targets)
        form->Reskin();
}

void TSkinManage::PurgeDestroyed() {
    for (std::size_t i = Forms.size(); i-- > 0;) {
        if (Forms[i]->SkinPhase() == kPhaseDestroyed) FreeForm(Forms[i].get());
    }
}

void TSkinManage::FreeForm(TWinSkinForm* form) {
    const auto it =
        std::find_if(Forms.begin(), Forms.end(), [&](const auto& entry) { return entry.get() == form; });
    if (it == Forms.end()) return;
    std::unique_ptr<TWinSkinForm> owned = std::move(*it);
    Forms.erase(it);
    // Still inside one of its handlers (a menu's loop ran this action): freed once that has returned.
    if (owned->InHandler()) {
        Retired.push_back(std::move(owned));
        return;
    }
    owned.reset(); // its destructor's ForgetWindow finds nothing left to forget
}

bool TSkinManage::FreeRetired() {
    std::erase_if(Retired, [](const auto& form) {
        if (form->InHandler()) return false;
        form->SetWindow(nullptr); // its window may have a new object by now: nothing of it to forget
        return true;
    });
    return !Retired.empty();
}

void TSkinManage::FreeAllCaptionButtons() {
    for (const auto& form : Forms)
        form->FreeCaptionButtons();
}

void TSkinManage::ForgetWindow(HWND window) {
    const auto it = std::find_if(Forms.begin(), Forms.end(),
                                 [&](const auto& entry) { return entry->Handle() == window; });
    if (it == Forms.end()) return;
    (void)it->release(); // being destroyed by its caller: only leave the list
    Forms.erase(it);
}

void TSkinManage::SetMdiMaximized(bool maximized) {
    if (maximized == (MdiMaximizedFlag != 0)) return;
    MdiMaximizedFlag = maximized ? 1 : 0;
    for (const auto& form : Forms) {
        if (form->Role() != MdiRole::Child) continue;
        if (maximized) {
            // Only the maximized document loses its shape; the others keep theirs behind it, covered, and
            // need nothing when they come back (each shape set is a frame recalculation).
            if (form->HasWindowRegion() && form->State() == WindowState::Maximized) form->ClearRegion();
            form->SetSystemButtonStyles(true);
        } else if (form->State() == WindowState::Minimized) {
            form->SetSystemButtonStyles(true);
        } else {
            form->SetState(WindowState::Normal);
            if (!form->RegionFitsWindow()) form->UpdateRegion();
            form->SetSystemButtonStyles(false);
            if (!form->HasWindowRegion()) form->RefreshFrame();
        }
    }
}

int TSkinManage::CountMdiChildren() const {
    return static_cast<int>(std::count_if(Forms.begin(), Forms.end(), [](const auto& form) {
        return form->Role() == MdiRole::Child && form->SkinPhase() != kPhaseClosing &&
               form->SkinPhase() != kPhaseDestroyed;
    }));
}

void TSkinManage::SkinPopupMenuWindow(HWND window) {
    if (!Enabled || SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return;
    for (const auto& menu : PopupMenus) {
        if (menu->Window == window) return;
    }
    TSkinData* data = FindSkinData(window);
    if (!data || data->SkinPending || !data->HasSkinControl(xcMainMenu) || StepsAsideFor(*data)) return;
    PopupMenus.push_back(std::make_unique<TWinSkinPopMenu>());
    PopupMenus.back()->Attach(window, data->ForDpi(SkinDpiOf(window)), nullptr);
}

bool TSkinManage::ReleasePopupMenuWindow(HWND window) {
    const auto it = std::find_if(PopupMenus.begin(), PopupMenus.end(),
                                 [&](const auto& menu) { return menu->Window == window; });
    if (it == PopupMenus.end()) return false;
    (*it)->Detach();
    PopupMenus.erase(it);
    return true;
}

const Bitmap* TSkinManage::PopupBackgroundFor(HMENU menu) const {
    if (!menu) return nullptr;
    for (const auto& popup : PopupMenus) {
        if (popup->Menu == menu) return &popup->Background;
    }
    return nullptr;
}

TSkinManage& EnsureSkinManager() {
    if (!g_manager) {
        g_manager = std::make_unique<TSkinManage>();
        SkinManager = g_manager.get();
    }
    return *g_manager;
}

void FreeSkinManager() {
    // Cleared first: what the destruction sets off must not find a half-destroyed manager.
    std::unique_ptr<TSkinManage> manager = std::move(g_manager);
    SkinManager = nullptr;
    manager.reset();
}

} // namespace skin
