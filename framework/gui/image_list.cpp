#include "framework/gui/image_list.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace gui {

// Every image in both looks, drawn once by the system onto black and onto white: a pixel that came out the
// same on both is the image's own, one that came out black and white is transparent. Kept as two strips of
// one bitmap per look: the colours (transparent pixels black) and the mask (image black, transparent white),
// so an image is drawn again by clearing its shape (AND with the mask) and painting it in (OR of the
// colours). An image with partly transparent pixels cannot be kept this way and is left to the system.
struct TImageList::KeptImages {
    enum class State : std::uint8_t { NotDrawn, Kept, BySystem };

    UniqueDc dc;
    UniqueBitmap bitmap;
    HGDIOBJ originalBitmap = nullptr;
    std::uint32_t* bits = nullptr;
    int cellWidth = 0, cellHeight = 0, count = 0;
    std::vector<State> states; // per image and look: index * 2 + greyed

    ~KeptImages() {
        if (dc && originalBitmap) SelectObject(dc.get(), originalBitmap);
    }

    int Width() const { return cellWidth * count; }
    // The rows of a look's colour strip and mask strip; both looks one above the other.
    int ColourTop(bool greyed) const { return (greyed ? 2 : 0) * cellHeight; }
    int MaskTop(bool greyed) const { return ColourTop(greyed) + cellHeight; }
    std::uint32_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * Width(); }
};

TImageList::TImageList() = default;

TImageList::~TImageList() {
    Clear();
}

void TImageList::LoadFromResource(const std::wstring& resourceName, int cellWidth, COLORREF maskColour) {
    Clear();
    handle_ = ImageList_LoadImageW(GetModuleHandleW(nullptr), resourceName.c_str(), cellWidth, 0, maskColour,
                                   IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

void TImageList::Adopt(HIMAGELIST list) {
    Clear();
    handle_ = list;
}

void TImageList::Clear() {
    kept_.reset();
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

void TImageList::DrawBySystem(HDC dc, int x, int y, int index, bool greyed) const {
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

std::unique_ptr<TImageList::KeptImages> TImageList::MakeKeptImages() const {
    auto kept = std::make_unique<KeptImages>();
    kept->count = Count();
    ImageList_GetIconSize(handle_, &kept->cellWidth, &kept->cellHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max(kept->Width(), 1);
    info.bmiHeader.biHeight = -std::max(4 * kept->cellHeight, 1); // top-down: rows as Row() counts them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    kept->bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    kept->dc.reset(CreateCompatibleDC(nullptr));
    kept->bits = static_cast<std::uint32_t*>(bits);
    const bool usable = kept->bitmap && kept->dc && kept->bits && kept->cellWidth > 0 && kept->cellHeight > 0;
    kept->states.assign(static_cast<std::size_t>(kept->count) * 2,
                        usable ? KeptImages::State::NotDrawn : KeptImages::State::BySystem);
    if (usable) kept->originalBitmap = SelectObject(kept->dc.get(), kept->bitmap.get());
    return kept;
}

bool TImageList::KeepImage(int index, bool greyed) const {
    KeptImages& kept = *kept_;
    const int w = kept.cellWidth, h = kept.cellHeight, left = index * w;
    const int colourTop = kept.ColourTop(greyed), maskTop = kept.MaskTop(greyed);
    PatBlt(kept.dc.get(), left, colourTop, w, h, BLACKNESS);
    PatBlt(kept.dc.get(), left, maskTop, w, h, WHITENESS);
    DrawBySystem(kept.dc.get(), left, colourTop, index, greyed);
    DrawBySystem(kept.dc.get(), left, maskTop, index, greyed);
    GdiFlush();
    constexpr std::uint32_t kRgb = 0x00FFFFFF, kWhite = 0x00FFFFFF; // the fourth byte is unused
    for (int row = 0; row < h; ++row) {
        std::uint32_t* onBlack = kept.Row(colourTop + row) + left;
        std::uint32_t* onWhite = kept.Row(maskTop + row) + left;
        for (int column = 0; column < w; ++column) {
            const std::uint32_t black = onBlack[column] & kRgb, white = onWhite[column] & kRgb;
            if (black == white) {
                onBlack[column] = black; // the image's own pixel
                onWhite[column] = 0;
            } else if (black == 0 && white == kWhite) {
                onWhite[column] = kWhite; // transparent: black stays in the colours
            } else {
                return false; // partly transparent
            }
        }
    }
    return true;
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool greyed) const {
    if (!handle_ || index < 0 || index >= Count()) return;
    if (!kept_) kept_ = MakeKeptImages();
    KeptImages& kept = *kept_;
    if (index >= kept.count) return DrawBySystem(dc, x, y, index, greyed);
    KeptImages::State& state = kept.states[static_cast<std::size_t>(index) * 2 + (greyed ? 1 : 0)];
    if (state == KeptImages::State::NotDrawn)
        state = KeepImage(index, greyed) ? KeptImages::State::Kept : KeptImages::State::BySystem;
    if (state != KeptImages::State::Kept) return DrawBySystem(dc, x, y, index, greyed);
    const int w = kept.cellWidth, h = kept.cellHeight, left = index * w;
    BitBlt(dc, x, y, w, h, kept.dc.get(), left, kept.MaskTop(greyed), SRCAND);
    BitBlt(dc, x, y, w, h, kept.dc.get(), left, kept.ColourTop(greyed), SRCPAINT);
}

} // namespace gui
