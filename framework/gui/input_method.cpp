#include "framework/gui/input_method.h"

#include "framework/gui/wide.h"

#include <windows.h>
#include <imm.h>

#include <vector>

namespace gui {
namespace {

HKL DefaultKeyboardLayout() {
    HKL layout = nullptr;
    if (!SystemParametersInfoW(SPI_GETDEFAULTINPUTLANG, 0, &layout, 0)) layout = nullptr;
    return layout;
}

std::wstring InputMethodDescription(HKL layout) {
    if (!ImmIsIME(layout)) return L"";
    wchar_t description[256] = {};
    const UINT length = ImmGetDescriptionW(layout, description, 255);
    return std::wstring(description, length);
}

bool InputMethodsSupported() {
    return GetSystemMetrics(SM_IMMENABLED) != 0 || GetSystemMetrics(SM_DBCSENABLED) != 0;
}

} // namespace

void ActivateInputMethod(const std::string& imeName) {
    if (imeName.empty() || !InputMethodsSupported()) return;
    const std::wstring wanted = Wide(imeName);
    HKL defaultLayout = DefaultKeyboardLayout();
    if (defaultLayout && InputMethodDescription(defaultLayout) == wanted) return;
    const int count = GetKeyboardLayoutList(0, nullptr);
    std::vector<HKL> layouts(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0) GetKeyboardLayoutList(count, layouts.data());
    for (HKL layout : layouts) {
        if (InputMethodDescription(layout) == wanted) {
            ActivateKeyboardLayout(layout, KLF_ACTIVATE);
            return;
        }
    }
    if (defaultLayout) ActivateKeyboardLayout(defaultLayout, KLF_ACTIVATE);
}

void ActivateDefaultKeyboardLayout(const std::string& imeName) {
    if (imeName.empty() || !InputMethodsSupported()) return;
    if (HKL defaultLayout = DefaultKeyboardLayout()) ActivateKeyboardLayout(defaultLayout, KLF_ACTIVATE);
}

} // namespace gui
