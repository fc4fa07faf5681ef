// An image list of equal cells (the common controls' HIMAGELIST), owned.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace gui {

class TImageList {
  public:
    TImageList() = default;
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;
    ~TImageList() { Clear(); }

    // Cuts the program's bitmap resource into cells of cellWidth pixels; pixels of maskColour are
    // transparent. A missing resource leaves the list empty.
    void LoadFromResource(const std::wstring& resourceName, int cellWidth, COLORREF maskColour);
    void Clear();

    HIMAGELIST Handle() const { return handle_; }
    int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }
    int Width() const;
    int Height() const;
    // Draws image index at (x, y); greyed draws it in the disabled look.
    void Draw(HDC dc, int x, int y, int index, bool greyed = false) const;

  private:
    HIMAGELIST handle_ = nullptr;
};

} // namespace gui
