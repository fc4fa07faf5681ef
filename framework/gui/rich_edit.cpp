#include "framework/gui/rich_edit.h"

#include "framework/rtl/property_builders.h"

namespace gui {

TRichEdit::TRichEdit(TComponent* owner) : TMemo(owner) {}

const rtl::TClassInfo& TRichEdit::StaticClassInfo() {
    static const rtl::TClassInfo info{"TRichEdit", &TMemo::StaticClassInfo(), {}};
    return info;
}

const std::wstring& TRichEdit::WindowClass() {
    // The library stays loaded for the life of the process: its window class must outlive every window.
    static const std::wstring name = [] {
        if (LoadLibraryW(L"msftedit.dll")) return std::wstring(L"RICHEDIT50W");
        if (LoadLibraryW(L"riched20.dll")) return std::wstring(L"RichEdit20W");
        return std::wstring();
    }();
    return name;
}

void TRichEdit::CreateParams(TCreateParams& params) {
    TMemo::CreateParams(params);
    // Without a rich edit library it stays a plain multi-line edit.
    if (!WindowClass().empty()) params.ClassName = WindowClass();
}

} // namespace gui
