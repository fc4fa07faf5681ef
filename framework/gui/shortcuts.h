// Keyboard shortcuts of menu items (a virtual key and its shift keys in one number, as stored in form
// data) and the "&" accelerator test of captions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace gui {

// Low byte: the virtual key; the high bits: the shift keys held with it. 0: no shortcut.
using TShortCut = std::uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

constexpr TShortCut ShortCut(WORD key, TShortCut shift) {
    return static_cast<TShortCut>((key & 0xFF) | shift);
}

// "Shift+F4", "Ctrl+S", "Shift+Ctrl+Del"; an empty text for no shortcut or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText (case-insensitive); scNone for a text it does not know.
TShortCut TextToShortCut(const std::string& text);

// True when caption marks c as its accelerator ("&File" for 'f' or 'F'); "&&" is a literal ampersand.
bool IsAccel(wchar_t c, const std::string& caption);
// The caption without its accelerator markers ("&&" stays as one "&").
std::string StripHotkey(const std::string& caption);

} // namespace gui
