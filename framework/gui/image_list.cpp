#include "framework/gui/image_list.h"

namespace gui {

void TImageList::LoadFromResource(const std::wstring& resourceName, int cellWidth, COLORREF maskColour) {
    Clear();
    handle_ = ImageList_LoadImageW(GetModuleHandleW(nullptr), resourceName.c_str(), cellWidth, 0, maskColour,
                                   IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

void TImageList::Clear() {
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
}

int TImageList::Width() const {
    int width = 0, height = 0;
    if (handle_) ImageList_GetIconSize(handle_, &width, &height);
    return width;
}

int TImageList::Height() const {
    int width = 0, height = 0;
    if (handle_) ImageList_GetIconSize(handle_, &width, &height);
    return height;
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool greyed) const {
    if (!handle_) return;
    if (!greyed) {
        ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = handle_;
    params.i = index;
    params.hdcDst = dc;
    params.x = x;
    params.y = y;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = ILS_SATURATE;
    ImageList_DrawIndirect(&params);
}

} // namespace gui
