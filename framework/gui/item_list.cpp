#include "framework/gui/item_list.h"

#include "framework/gui/wide.h"

namespace gui {

void FillItemWindow(HWND window, UINT resetMessage, UINT addMessage, UINT selectMessage,
                    const std::vector<std::string>& items, int index) {
    if (!window) return;
    SendMessageW(window, resetMessage, 0, 0);
    for (const std::string& item : items) {
        SendMessageW(window, addMessage, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    }
    SendMessageW(window, selectMessage, static_cast<WPARAM>(index), 0);
}

} // namespace gui
