// The set of screenshots the screen check takes: for each shipped skin every page of the gallery, its
// multiple-document window tiled, cascaded and with a document maximized, and a menu-bar drop-down and the
// system menu open over their window; for the stored skin also the converter's lit menu bar and system menu.
#pragma once

#include "tests/screens/picture.h"

#include <functional>
#include <string>
#include <vector>

namespace screens {

struct Shot {
    std::string name; // "<skin>-<what>", the reference file's name without ".bmp.gz"
    std::function<Picture()> capture;
};

// The skins the check covers, named as their folders under skins/.
const std::vector<std::string>& CheckedSkins();
// Every shot of one skin; skinFolder is the skin's folder as a Windows path.
std::vector<Shot> ShotsOfSkin(const std::string& skin, const std::wstring& skinFolder);

} // namespace screens
