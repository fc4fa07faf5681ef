#include "framework/gui/canvas.h"

#include "framework/gui/wide.h"

#include <cstddef>
#include <cstdint>

namespace gui {

void TCanvas::Bind(HDC dc) {
    Unbind();
    if (!dc) return;
    saved_ = SavedDc(dc);
    dc_ = dc;
}

void TCanvas::Unbind() noexcept {
    if (!dc_) return;
    saved_.reset();
    dc_ = nullptr;
    brush_.reset();
    pen_.reset();
}

void TCanvas::SetFont(HFONT font) {
    if (dc_ && font) SelectObject(dc_, font);
}

void TCanvas::SetBrushColor(TColor colour) {
    if (!dc_) return;
    UniqueBrush brush(CreateSolidBrush(ColorToRGB(colour)));
    SelectObject(dc_, brush.get());
    brush_ = std::move(brush); // the old one is no longer selected
}

void TCanvas::SetPenColor(TColor colour) {
    if (!dc_) return;
    UniquePen pen(CreatePen(PS_SOLID, 1, ColorToRGB(colour)));
    SelectObject(dc_, pen.get());
    pen_ = std::move(pen);
}

void TCanvas::SetTextColor(TColor colour) {
    if (dc_) ::SetTextColor(dc_, ColorToRGB(colour));
}

int TCanvas::SetBkMode(int mode) {
    return dc_ ? ::SetBkMode(dc_, mode) : 0;
}

void TCanvas::SetBkColor(TColor colour) {
    if (dc_) ::SetBkColor(dc_, ColorToRGB(colour));
}

void TCanvas::FillRect(const RECT& rect) {
    if (!dc_) return;
    ::FillRect(dc_, &rect, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void TCanvas::FrameRect(const RECT& rect) {
    if (!dc_) return;
    ::FrameRect(dc_, &rect, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void TCanvas::MoveTo(int x, int y) {
    if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    if (dc_) ::LineTo(dc_, x, y);
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format) {
    if (!dc_) return 0;
    std::wstring wide = Wide(text);
    return ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &rect, format);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (!dc_) return;
    const std::wstring wide = Wide(text);
    ::TextOutW(dc_, x, y, wide.data(), static_cast<int>(wide.size()));
}

SIZE TCanvas::TextExtent(const std::string& text) const {
    SIZE size{};
    if (!dc_) return size;
    const std::wstring wide = Wide(text);
    GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
    return size;
}

namespace {

bool ReadNonClientMetrics(NONCLIENTMETRICSW& metrics) {
    metrics = NONCLIENTMETRICSW{};
    // The size without the padded border width: accepted by every system version.
    metrics.cbSize = static_cast<UINT>(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth));
    return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) != FALSE;
}

} // namespace

bool ReadCaptionLogFont(LOGFONTW& font) {
    NONCLIENTMETRICSW metrics;
    if (!ReadNonClientMetrics(metrics)) return false;
    font = metrics.lfCaptionFont;
    return true;
}

bool ReadMenuLogFont(LOGFONTW& font) {
    NONCLIENTMETRICSW metrics;
    if (!ReadNonClientMetrics(metrics)) return false;
    font = metrics.lfMenuFont;
    return true;
}

UniqueFont CreateFontFromLogFont(const LOGFONTW& font) {
    return UniqueFont(CreateFontIndirectW(&font));
}

UniqueBrush CreateDitherBrush(TColor first, TColor second) {
    constexpr int kSide = 8; // the smallest pattern every system accepts
    struct {
        BITMAPINFOHEADER header;
        std::uint32_t pixels[kSide * kSide];
    } pattern{};
    pattern.header.biSize = sizeof pattern.header;
    pattern.header.biWidth = kSide;
    pattern.header.biHeight = -kSide;
    pattern.header.biPlanes = 1;
    pattern.header.biBitCount = 32;
    pattern.header.biCompression = BI_RGB;
    const auto pixel = [](TColor colour) {
        const COLORREF rgb = ColorToRGB(colour);
        return std::uint32_t{GetRValue(rgb)} << 16 | std::uint32_t{GetGValue(rgb)} << 8 | GetBValue(rgb);
    };
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x)
            pattern.pixels[y * kSide + x] = pixel((x + y) % 2 == 0 ? first : second);
    }
    return UniqueBrush(CreateDIBPatternBrushPt(&pattern, DIB_RGB_COLORS));
}

} // namespace gui
