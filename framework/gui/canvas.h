// A drawing surface bound to a device context: font, brush, pen, text colour and background mode, fills,
// lines and text in UTF-8. Whatever the canvas selects into the device context is put back when the canvas
// ends (or is bound to another context), so a painter may hand a borrowed context to a canvas safely.
#pragma once

#include "framework/gui/graphics.h"
#include "framework/gui/handles.h"

#include <windows.h>

#include <string>

namespace gui {

class TCanvas {
  public:
    TCanvas() noexcept = default;
    explicit TCanvas(HDC dc) { Bind(dc); }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas() { Unbind(); }

    // Binds the canvas to dc (null: unbound); the previous context gets its state back.
    void Bind(HDC dc);
    void Unbind() noexcept;
    HDC Handle() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

    // The font is borrowed: it must outlive its use on this canvas.
    void SetFont(HFONT font);
    void SetFont(TFont& font) { SetFont(font.Handle()); }
    void SetBrushColor(TColor colour);
    void SetPenColor(TColor colour);
    void SetTextColor(TColor colour);
    // TRANSPARENT or OPAQUE; returns the previous mode.
    int SetBkMode(int mode);
    void SetBkColor(TColor colour);

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // DrawTextW with the text given in UTF-8; rect is updated as DrawText updates it (DT_CALCRECT).
    int DrawText(const std::string& text, RECT& rect, UINT format);
    void TextOut(int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text) const;
    int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) const { return TextExtent(text).cy; }

  private:
    HDC dc_ = nullptr;
    SavedDc saved_; // restoring it deselects our brush and pen before they are freed
    UniqueBrush brush_;
    UniquePen pen_;
};

// Fonts the system uses for window parts, read from SPI_GETNONCLIENTMETRICS. False when the call fails
// (the caller keeps its default font).
bool ReadCaptionLogFont(LOGFONTW& font);
bool ReadMenuLogFont(LOGFONTW& font);
// A font made from a LOGFONT.
UniqueFont CreateFontFromLogFont(const LOGFONTW& font);
// A brush of two colours alternating pixel by pixel, as a checkerboard (first at the origin).
UniqueBrush CreateDitherBrush(TColor first, TColor second);

} // namespace gui
