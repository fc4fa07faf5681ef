#include "skin/form/menu_bar.h"

#include "framework/gui/canvas.h"
#include "framework/gui/wide.h"
#include "skin/data/skin_data.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/form/skin_form.h"

namespace skin {
namespace {

constexpr int kItemPadding = 7; // on each side of an item's text

std::string MenuItemText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
    return gui::Narrow(text);
}

gui::UniqueFont MenuFont() {
    LOGFONTW font{};
    if (gui::ReadMenuLogFont(font)) return gui::CreateFontFromLogFont(font);
    return {};
}

} // namespace

TWinSkinMenu::TWinSkinMenu(TSkinData& skinData, TWinSkinForm& form) : skinData_(skinData), form_(form) {}

void TWinSkinMenu::ReadMenuFromHandle(HMENU menu) {
    menu_ = menu;
    items_.clear();
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const auto position = static_cast<UINT>(i);
        HMENU subMenu = GetSubMenu(menu, i);
        const UINT command = subMenu ? 0 : GetMenuItemID(menu, i);
        items_.push_back(std::make_unique<TMenuBtn>(form_, MenuItemText(menu, position), command, subMenu));
    }
}

void TWinSkinMenu::PaintMenuBar(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    Bitmap bar(width, height, ColourToPixel(static_cast<Colour>(gui::ColorToRGB(skinData_.MenubarColour))));
    if (const TDataSkinObject* element = skinData_.MenuBar.get(); element && !element->Image.empty()) {
        const Rect margins{element->LeftWidth, element->TopHeight, element->RightWidth, element->BottomHeight};
        DrawSkinBar(bar, Rect{0, 0, width, height}, element->Image, margins, form_.Active ? 1 : 2,
                    std::max(element->FrameCount, 1), /*trans=*/false, /*vertical=*/true);
    }
    {
        win::BitmapDc memory(bar);
        gui::TCanvas canvas(memory.get());
        const gui::UniqueFont font = MenuFont();
        canvas.SetFont(font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        canvas.SetBkMode(TRANSPARENT);
        canvas.SetTextColor(skinData_.MenuBarTextColour);
        int x = 0;
        for (auto& item : items_) {
            const int textWidth = canvas.TextWidth(item->Caption);
            RECT cell{x, 0, x + textWidth + 2 * kItemPadding, height};
            canvas.DrawText(item->Caption, cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            item->Bounds = RECT{rect.left + cell.left, rect.top, rect.left + cell.right, rect.bottom};
            item->Visible = true;
            x = cell.right;
        }
    }
    win::CopyToDc(dc, rect.left, rect.top, bar, bar.bounds());
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT windowPoint) {
    for (auto& item : items_) {
        if (PtInRect(&item->Bounds, windowPoint)) return item.get();
    }
    return nullptr;
}

void TWinSkinMenu::ClickMenuBarItem(TMenuBtn& item) {
    HWND window = form_.Window;
    if (!item.SubMenu) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(item.Command, 0), 0);
        return;
    }
    // The drop-down opens under its item, in screen coordinates.
    RECT outer{};
    GetWindowRect(window, &outer);
    form_.MenuTracking = true;
    TrackPopupMenu(item.SubMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, outer.left + item.Bounds.left,
                   outer.top + item.Bounds.bottom, 0, window, nullptr);
    form_.MenuTracking = false;
}

} // namespace skin
