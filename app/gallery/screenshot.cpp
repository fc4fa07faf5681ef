#include "app/gallery/screenshot.h"

#include "framework/gui/handles.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "skin/draw/bmp_reader.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace gallery {
namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    File file(_wfopen(gui::Wide(path).c_str(), L"wb"), &fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fclose(file.release()) != 0) {
        throw rtl::Exception("cannot write the screenshot to '" + path + "'");
    }
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    const File file(_wfopen(gui::Wide(path).c_str(), L"rb"), &fclose);
    if (!file) return bytes;
    std::uint8_t block[65536];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file.get())) > 0;) {
        bytes.insert(bytes.end(), block, block + got);
    }
    return bytes;
}

// What was saved is read back: a file that is missing, cut short or not a picture of the window's size is
// an error, never a saved screenshot.
void CheckSavedPicture(const std::string& path, const std::vector<std::uint8_t>& written, int width,
                       int height) {
    const std::vector<std::uint8_t> saved = ReadWholeFile(path);
    if (saved != written) {
        throw rtl::Exception("the screenshot '" + path + "' holds " + std::to_string(saved.size()) +
                             " of the " + std::to_string(written.size()) + " bytes written");
    }
    try {
        const skin::Bitmap picture = skin::ReadBmp(saved);
        if (picture.width() == width && picture.height() == height) return;
    } catch (const std::exception& error) {
        throw rtl::Exception("the screenshot '" + path + "' cannot be read back: " + error.what());
    }
    throw rtl::Exception("the screenshot '" + path + "' is not of the window's size");
}

} // namespace

void SaveWindowScreenshot(HWND window, const std::string& path) {
    RECT rect{};
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        throw rtl::Exception("the window to save has no size");
    }
    skin::Bitmap shot(rect.right - rect.left, rect.bottom - rect.top);
    {
        const gui::WindowDc screen(nullptr);
        skin::win::CopyFromDc(shot, skin::Point{0, 0}, screen.get(), skin::win::ToRect(rect));
    }
    const std::vector<std::uint8_t> bytes = skin::WriteBmp(shot);
    WriteWholeFile(path, bytes);
    CheckSavedPicture(path, bytes, shot.width(), shot.height());
}

} // namespace gallery
