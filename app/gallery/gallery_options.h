// The gallery's command line: --screenshot FILE saves the skinned window as a BMP file and exits, --page N
// picks the page shown (1 is the first), --skin FILE the skin file (or skin folder) loaded instead of the
// stored skin, --mdi opens the multiple-document window with three tiled documents (the screenshot is then of
// that window), --cascade cascades them and --maximize-document maximizes the active one (both imply --mdi),
// --no-caret hides the text caret before the screenshot (a blinking caret would make two shots differ) and
// --fixed-clock has the date and time pickers show a fixed moment instead of now.
#pragma once

#include <string>
#include <vector>

namespace gallery {

struct TGalleryOptions {
    std::string ScreenshotFile; // empty: the gallery runs until closed
    int Page = 1;
    std::string SkinFile; // empty: the stored skin
    bool Mdi = false;
    bool Cascade = false;
    bool MaximizeDocument = false;
    bool NoCaret = false;
    bool FixedClock = false;
};

// Reads the arguments after the program name; raises an error that says which one is wrong.
TGalleryOptions ParseGalleryOptions(const std::vector<std::string>& arguments, int pageCount);

// The program's arguments after its name, in UTF-8.
std::vector<std::string> CommandLineArguments();

} // namespace gallery
