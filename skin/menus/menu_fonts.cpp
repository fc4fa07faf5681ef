#include "skin/menus/menu_fonts.h"

#include "framework/gui/canvas.h"

namespace skin {

HFONT TMenuFonts::Get(bool bold) {
    if (!read_) {
        if (!gui::ReadMenuLogFont(logFont_))
            GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont_, &logFont_);
        read_ = true;
    }
    gui::UniqueFont& font = bold ? bold_ : normal_;
    if (!font) {
        LOGFONTW wanted = logFont_;
        if (bold) wanted.lfWeight = FW_BOLD;
        font = gui::CreateFontFromLogFont(wanted);
    }
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TMenuFonts::Reset() {
    normal_.reset();
    bold_.reset();
    read_ = false;
}

} // namespace skin
