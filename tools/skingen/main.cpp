// skingen: draws a skin from its parameters and writes its sources (definition and BMP images), and on
// request a contact sheet for review.
//
//   skingen <theme> <output folder> [--contact-sheet <file.bmp>]
//
// theme is "default" (the light skin stored with the main window), "dark" (the graphite skin), "contrast"
// (the skin for the system's high-contrast mode) or "asymmetric" (a test skin whose sizes, frame counts and
// border widths differ from the others).
#include "framework/rtl/exceptions.h"
#include "skin/draw/bmp_writer.h"
#include "tools/skingen/contact_sheet.h"
#include "tools/skingen/skin_builder.h"
#include "tools/skingen/skin_files.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: skingen <default|dark|contrast|asymmetric> <output folder> [--contact-sheet <file.bmp>]\n";

int Run(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string_view(argv[3]) == "--contact-sheet")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const skingen::SkinParams params = skingen::ThemeByName(argv[1]);
    const skingen::Skin skin = skingen::BuildSkin(params);
    const std::vector<skingen::SkinFile> files = skingen::SkinFiles(skin);
    skingen::WriteSkinFolder(files, argv[2]);
    std::size_t total = 0;
    for (const skingen::SkinFile& f : files)
        total += f.Bytes.size();
    std::printf("%s: %zu files, %zu bytes in %s\n", params.SkinName.c_str(), files.size(), total, argv[2]);
    if (argc == 5) {
        const skin::Bitmap sheet = skingen::DrawContactSheet(
            skin, params.SkinName + " - contact sheet (theme '" + params.Theme + "')");
        skingen::WriteFileBytes(argv[4], skin::WriteBmp(sheet));
        std::printf("contact sheet: %s\n", argv[4]);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
}
