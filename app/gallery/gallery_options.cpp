#include "app/gallery/gallery_options.h"

#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/int_conversion.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

namespace gallery {

TGalleryOptions ParseGalleryOptions(const std::vector<std::string>& arguments, int pageCount) {
    TGalleryOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--mdi" || name == "--cascade" || name == "--maximize-document") {
            options.Mdi = true;
            options.Cascade = options.Cascade || name == "--cascade";
            options.MaximizeDocument = options.MaximizeDocument || name == "--maximize-document";
            continue;
        }
        if (name == "--no-caret" || name == "--fixed-clock") {
            options.NoCaret = options.NoCaret || name == "--no-caret";
            options.FixedClock = options.FixedClock || name == "--fixed-clock";
            continue;
        }
        if (name != "--screenshot" && name != "--page" && name != "--skin") {
            throw rtl::Exception(
                "unknown option '" + name +
                "' (options: --screenshot FILE, --page N, --skin FILE|FOLDER, --mdi, --cascade, "
                "--maximize-document, --no-caret, --fixed-clock)");
        }
        if (i + 1 >= arguments.size()) throw rtl::Exception(name + " needs a value");
        const std::string& value = arguments[++i];
        if (name == "--screenshot") {
            options.ScreenshotFile = value;
        } else if (name == "--skin") {
            options.SkinFile = value;
        } else {
            const std::optional<std::int32_t> page = rtl::TryStrToInt(value);
            if (!page || *page < 1 || *page > pageCount) {
                throw rtl::Exception("--page wants a number from 1 to " + std::to_string(pageCount) +
                                     ", not '" + value + "'");
            }
            options.Page = *page;
        }
    }
    return options;
}

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(gui::Narrow(words[i]));
    LocalFree(words);
    return arguments;
}

} // namespace gallery
