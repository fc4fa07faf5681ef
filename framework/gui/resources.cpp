#include "framework/gui/resources.h"

#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"

#include <windows.h>

namespace gui {

std::string LoadFormResource(const std::string& className) {
    std::string name = className;
    for (char& c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, Wide(name).c_str(), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    if (!resource) throw rtl::Exception("stored form data of " + className + " not found");
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw rtl::Exception("stored form data of " + className + " cannot be loaded");
    return std::string(static_cast<const char*>(data), SizeofResource(module, resource));
}

} // namespace gui
