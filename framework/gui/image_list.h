// An image list of equal cells (the common controls' HIMAGELIST), owned.
#pragma once

#include "framework/gui/handles.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

namespace gui {

class TImageList {
  public:
    TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;
    ~TImageList();

    // Cuts the program's bitmap resource into cells of cellWidth pixels; pixels of maskColour are
    // transparent. A missing resource leaves the list empty.
    void LoadFromResource(const std::wstring& resourceName, int cellWidth, COLORREF maskColour);
    // Takes over an image list made elsewhere (null leaves the list empty).
    void Adopt(HIMAGELIST list);
    void Clear();

    // For controls that show the list's images themselves. Images changed through it are not seen by Draw,
    // which keeps what it drew: change the list through this class.
    HIMAGELIST Handle() const { return handle_; }
    int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }
    int Width() const;
    int Height() const;
    // Draws image index at (x, y); greyed draws it in the disabled look. The common controls make and free
    // a device context and bitmaps for every image they draw, so each image the system drew once is kept,
    // as its colours and its mask, and drawn again from there.
    void Draw(HDC dc, int x, int y, int index, bool greyed = false) const;

  private:
    struct KeptImages;

    HIMAGELIST handle_ = nullptr;
    mutable std::unique_ptr<KeptImages> kept_;

    void DrawBySystem(HDC dc, int x, int y, int index, bool greyed) const;
    std::unique_ptr<KeptImages> MakeKeptImages() const;
    // Draws the image onto black and white in the kept bitmap and sorts out its colours and mask; true when
    // it can be drawn from there (no partly transparent pixels).
    bool KeepImage(int index, bool greyed) const;
};

} // namespace gui
