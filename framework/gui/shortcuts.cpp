#include "framework/gui/shortcuts.h"

#include "framework/gui/wide.h"

#include <array>
#include <utility>

namespace gui {
namespace {

// Keys whose text is not their own character; the names are the ones menus show.
constexpr std::array<std::pair<WORD, const char*>, 15> kKeyNames{{
    {VK_BACK, "BkSp"},
    {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},
    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
}};

constexpr std::array<std::pair<TShortCut, const char*>, 3> kShiftNames{{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
}};

std::string KeyName(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
    for (const auto& [code, name] : kKeyNames) {
        if (code == key) return name;
    }
    return {};
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithNoCase(const std::string& text, std::size_t at, const std::string& prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiUpper(text[at + i]) != AsciiUpper(prefix[i])) return false;
    }
    return true;
}

wchar_t UpperChar(wchar_t c) {
    // CharUpperW takes a single character in the low word of its pointer argument.
    return static_cast<wchar_t>(
        reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

} // namespace

std::string ShortCutToText(TShortCut shortCut) {
    const std::string key = KeyName(static_cast<WORD>(shortCut & 0xFF));
    if (key.empty()) return {};
    std::string text;
    for (const auto& [flag, name] : kShiftNames) {
        if (shortCut & flag) text += name;
    }
    return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
    TShortCut shift = 0;
    std::size_t at = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [flag, name] : kShiftNames) {
            if (StartsWithNoCase(text, at, name)) {
                shift |= flag;
                at += std::string(name).size();
                found = true;
            }
        }
    }
    const std::string key = text.substr(at);
    for (WORD code = 1; code <= 0xFF; ++code) {
        const std::string name = KeyName(code);
        if (!name.empty() && name.size() == key.size() && StartsWithNoCase(key, 0, name)) {
            return ShortCut(code, shift);
        }
    }
    return scNone;
}

bool IsAccel(wchar_t c, const std::string& caption) {
    const std::wstring text = Wide(caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] == L'&') {
            ++i; // a literal ampersand
            continue;
        }
        return UpperChar(text[i + 1]) == UpperChar(c);
    }
    return false;
}

std::string StripHotkey(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

} // namespace gui
