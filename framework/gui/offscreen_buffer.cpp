#include "framework/gui/offscreen_buffer.h"

#include "framework/gui/graphics.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace gui {

struct BorrowedBuffer::Surface {
    UniqueDc dc;
    UniqueBitmap bitmap;
    HGDIOBJ originalBitmap = nullptr; // selected back before the bitmap is freed
    int width = 0, height = 0;
    bool lent = false;

    ~Surface() {
        if (dc && originalBitmap) SelectObject(dc.get(), originalBitmap);
    }

    bool Fit(int w, int h) {
        if (!dc) dc.reset(CreateCompatibleDC(nullptr));
        if (!dc) return false;
        if (bitmap && w <= width && h <= height) return true;
        const int newWidth = std::max(w, width), newHeight = std::max(h, height);
        UniqueBitmap grown = CreateOffscreenBitmap(newWidth, newHeight);
        if (!grown) return false;
        HGDIOBJ previous = SelectObject(dc.get(), grown.get());
        if (!originalBitmap) originalBitmap = previous;
        bitmap = std::move(grown); // the smaller one, no longer selected, is freed here
        width = newWidth;
        height = newHeight;
        return true;
    }
};

namespace {

thread_local std::vector<std::unique_ptr<BorrowedBuffer::Surface>> t_surfaces;

} // namespace

BorrowedBuffer::BorrowedBuffer(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    Surface* chosen = nullptr;
    for (const auto& surface : t_surfaces) {
        if (!surface->lent) {
            chosen = surface.get();
            break;
        }
    }
    if (!chosen) chosen = t_surfaces.emplace_back(std::make_unique<Surface>()).get();
    if (!chosen->Fit(width, height)) return;
    chosen->lent = true;
    surface_ = chosen;
    dc_ = chosen->dc.get();
    savedState_ = SaveDC(dc_);
    // As a new bitmap would be: what the last painter left does not show through.
    PatBlt(dc_, 0, 0, width, height, BLACKNESS);
}

BorrowedBuffer::~BorrowedBuffer() {
    if (!surface_) return;
    if (savedState_) RestoreDC(dc_, savedState_);
    surface_->lent = false;
}

} // namespace gui
