#include "tests/screens/shots.h"

#include "tests/screens/capture.h"

#include <cstdio>

namespace screens {
namespace {

constexpr int kGalleryPages = 10;
constexpr const char* kConverterSkin = "default"; // the converter's stored skin

std::string PageName(int page) {
    char name[16];
    std::snprintf(name, sizeof name, "page-%02d", page);
    return name;
}

} // namespace

const std::vector<std::string>& CheckedSkins() {
    static const std::vector<std::string> skins{"default", "dark", "asymmetric"};
    return skins;
}

std::vector<Shot> ShotsOfSkin(const std::string& skin, const std::wstring& skinFolder) {
    std::vector<Shot> shots;
    const auto add = [&](const std::string& what, std::function<Picture()> capture) {
        shots.push_back(Shot{skin + "-" + what, std::move(capture)});
    };
    for (int page = 1; page <= kGalleryPages; ++page) {
        add(PageName(page), [=] {
            return GalleryScreenshot({L"--skin", skinFolder, L"--page", std::to_wstring(page)});
        });
    }
    add("mdi-tiled", [=] { return GalleryScreenshot({L"--skin", skinFolder, L"--mdi"}); });
    add("mdi-cascaded", [=] { return GalleryScreenshot({L"--skin", skinFolder, L"--cascade"}); });
    add("mdi-maximized", [=] { return GalleryScreenshot({L"--skin", skinFolder, L"--maximize-document"}); });
    add("menu-drop-down", [=] { return GalleryWithMenu(skinFolder, OpenMenu::FirstDropDown); });
    add("system-menu", [=] { return GalleryWithMenu(skinFolder, OpenMenu::SystemMenu); });
    if (skin == kConverterSkin) {
        add("converter-menu-bar", [] { return ConverterWithMenu(OpenMenu::MenuBarItem); });
        add("converter-system-menu", [] { return ConverterWithMenu(OpenMenu::SystemMenu); });
    }
    return shots;
}

} // namespace screens
