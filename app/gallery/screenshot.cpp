#include "app/gallery/screenshot.h"

#include <cstdio>
#include <memory>

#include "framework/gui/handles.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/win/bitmap_dc.h"

namespace gallery {

void SaveWindowScreenshot(HWND window, const std::string& path) {
    RECT rect{};
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        throw rtl::Exception("the window to save has no size");
    }
    skin::Bitmap shot(rect.right - rect.left, rect.bottom - rect.top);
    {
        const gui::WindowDc screen(nullptr);
        skin::win::CopyFromDc(shot, skin::Point{0, 0}, screen.get(),
                              skin::Rect{rect.left, rect.top, rect.right, rect.bottom});
    }
    const std::vector<std::uint8_t> bytes = skin::WriteBmp(shot);
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(gui::Wide(path).c_str(), L"wb"), &fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        throw rtl::Exception("cannot write the screenshot to '" + path + "'");
    }
}

} // namespace gallery
