#include "skin/manager/skin_manager.h"

#include <algorithm>
#include <string>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/wide.h"
#include "skin/data/skin_data.h"

namespace skin {

TSkinManage* SkinManager = nullptr;
DWORD WindowsVersion = 0;

namespace {

std::unique_ptr<TSkinManage> g_manager; // owns what SkinManager points to

constexpr UINT SKM_ISSKINNED = 0x3504;
constexpr int kUnskinnedFormTag = 99;

std::string WindowClassName(HWND window) {
    wchar_t name[101] = {};
    const int length = GetClassNameW(window, name, 101);
    return gui::Narrow(std::wstring(name, static_cast<std::size_t>(std::max(length, 0))));
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

gui::TForm* FrameworkFormOf(HWND window) {
    if (!gui::Application) return nullptr;
    for (gui::TForm* form : gui::Application->Forms()) {
        if (form->HandleAllocated() && form->Handle() == window) return form;
    }
    return nullptr;
}

} // namespace

TSkinManage::TSkinManage() : ActionTimer(std::make_unique<gui::TTimer>(nullptr)) {
    ActionTimer->SetEnabled(false);
    ActionTimer->SetInterval(kActionDelayMs);
    ActionTimer->SetOnTimer([this](rtl::TObject*) { RunPendingAction(); });
}

TSkinManage::~TSkinManage() {
    ActionTimer.reset();
    HookHandle.reset();
}

void TSkinManage::InstallHook() {
    WindowsVersion = GetVersion();
    if (HookHandle) return; // one hook for the thread, however many components load
    HookHandle.reset(SetWindowsHookExW(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId()));
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = SkinManager;
    HHOOK hook = manager ? manager->HookHandle.get() : nullptr;
    if (code >= 0 && manager && code == HCBT_ACTIVATE) {
        if (manager->Started == 0) manager->Started = 1;
        manager->SkinWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

void TSkinManage::RegisterSkinData(TSkinData* skinData) { SkinDataList.push_back(skinData); }

void TSkinManage::UnregisterSkinData(TSkinData* skinData) {
    SkinDataList.erase(std::remove(SkinDataList.begin(), SkinDataList.end(), skinData), SkinDataList.end());
    if (PendingSkinData == skinData) PendingSkinData = nullptr;
}

bool TSkinManage::ClassAllowed(const std::string& className) const {
    bool doSkin = true;
    for (TSkinData* data : SkinDataList) {
        if (data->SkinFormtype() == sfMainform) {
            data->QueryFormSkin(className, doSkin);
            break;
        }
    }
    return doSkin;
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!Enabled) return false;
    if (SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return false;
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
    // The window qualifies; the form skinning object that takes it over is attached here once it exists.
    return false;
}

TSkinData* TSkinManage::FindSkinData(HWND window) const {
    TSkinData* found = nullptr;
    for (TSkinData* data : SkinDataList) {
        auto* owner = dynamic_cast<gui::TForm*>(data->Owner());
        if (data->SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() && owner->Handle() == window) {
            found = data;
        }
    }
    if (found) return found;
    const std::string className = Lower(WindowClassName(window));
    if (className == "tmessageform" || className == "#32770") {
        for (TSkinData* data : SkinDataList) {
            if (data->SkinFormtype() == sfDialog) found = data;
        }
        if (found) return found;
    }
    for (TSkinData* data : SkinDataList) {
        if (data->SkinFormtype() == sfMainform) found = data;
    }
    if (found) return found;
    return SkinDataList.empty() ? nullptr : SkinDataList.front();
}

void TSkinManage::ScheduleAction(int action, int interval) {
    PendingAction = action;
    ActionTimer->SetInterval(interval);
    if (Started != 0) {
        ActionTimer->SetEnabled(true);
        return;
    }
    // Before the first activation there is nothing to act on: windows are skinned one by one as they
    // are activated.
    if (action == kActionSkin) Enabled = 1;
    if (action == kActionUnskin) Enabled = 0;
}

void TSkinManage::RunPendingAction() {
    TSkinData* data = PendingSkinData;
    if (!data) return; // keep ticking until a component asks
    ActionTimer->SetEnabled(false);
    switch (PendingAction) {
    case kActionSkin: {
        Enabled = 1;
        ActivatingAll = 1;
        if (gui::Application) {
            const auto forms = gui::Application->Forms();
            for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
                if (data->SkinFormtype() == sfOnlyThisForm && (*it) != data->Owner()) continue;
                if ((*it)->HandleAllocated()) SkinWindow((*it)->Handle());
                if (data->SkinFormtype() == sfOnlyThisForm) break;
            }
        }
        ActivatingAll = 0;
        break;
    }
    case kActionUnskin:
        Enabled = 0;
        break;
    default:
        break; // re-skin and purge act on skinned windows, of which there are none yet
    }
    data->NotifySkinChanged();
    PendingSkinData = nullptr;
}

void TSkinManage::FreeAllCaptionButtons() {}

TSkinManage& EnsureSkinManager() {
    if (!g_manager) {
        g_manager = std::make_unique<TSkinManage>();
        SkinManager = g_manager.get();
    }
    return *g_manager;
}

void FreeSkinManager() {
    SkinManager = nullptr;
    g_manager.reset();
}

} // namespace skin
