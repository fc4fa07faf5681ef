#include "skin/form/control_discovery.h"

namespace skin {

void SkinFormControls(TWinSkinForm&, gui::TForm&) {}

void SkinChildWindows(TWinSkinForm&) {}

} // namespace skin
