#include "marivel_version.h"
#include "tools/skintool/dump.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/subcommands.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>

namespace skin::tool {

namespace {

// One row per subcommand; a new subcommand is one more row and one more file.
constexpr std::array kSubcommands{
    Subcommand{"pack", "<folder> <skin file>", 2, "pack the folder's .ini and .bmp files into a skin file",
               RunPack},
    Subcommand{"unpack", "<skin file> <folder>", 2, "write every member of a skin file into a folder",
               RunUnpack},
    Subcommand{"list", "<skin file>", 1, "list the members of a skin file and their sizes", RunList},
    Subcommand{"verify", "<skin file>", 1, "decode a skin file and check its version and member table",
               RunVerify},
    Subcommand{"check", "<folder or skin file>", 1,
               "report what would look broken (exit 1) or is likely a slip (warning) in a skin", RunCheck},
    Subcommand{"dump", "<skin file>", 1,
               "print how the engine reads the skin: elements, colours, caption buttons", RunDump},
};

constexpr std::string_view kFormatNotes =
    "\n"
    "A skin file is the LZH-compressed skin package: a 4-byte little-endian size of the unpacked\n"
    "package, then the code. The package holds version 20000, the length of the name list, 8 reserved\n"
    "bytes (written as zeros, never read), the member names each followed by CR LF, one 4-byte size per\n"
    "member, and the members' bytes. 'pack' stores the one .ini file first, then the .bmp files in\n"
    "byte-wise order of their lower-cased names; other files are left out. Packages are limited to\n"
    "1001 members and 64 MiB unpacked.\n"
    "\n"
    "Exit status: 0 success, 1 a file could not be read, written or is damaged, 2 wrong usage.\n";

void PrintUsage(std::ostream& stream) {
    stream << "usage: skintool <command> [arguments]\n       skintool <command> --help\n       skintool "
              "--version\n\n"
              "commands:\n";
    for (const Subcommand& command : kSubcommands) {
        std::string line = "  " + std::string(command.name) + " " + std::string(command.arguments);
        line.resize(std::max<std::size_t>(line.size() + 2, 32), ' ');
        stream << line << command.summary << '\n';
    }
    stream << kFormatNotes;
}

void PrintCommandUsage(std::ostream& stream, const Subcommand& command) {
    stream << "usage: skintool " << command.name << ' ' << command.arguments << "\n  " << command.summary
           << '\n';
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

int RunSkintool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    if (IsHelp(args[0]) || args[0] == "help") {
        PrintUsage(out);
        return kExitSuccess;
    }
    if (args[0] == "--version") {
        out << "skintool " << marivel::kVersion << '\n';
        return kExitSuccess;
    }
    const Subcommand* command = nullptr;
    for (const Subcommand& candidate : kSubcommands) {
        if (candidate.name == args[0]) command = &candidate;
    }
    if (!command) {
        err << "skintool: unknown command '" << args[0] << "' (see skintool --help)\n";
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (rest.size() == 1 && IsHelp(rest[0])) {
        PrintCommandUsage(out, *command);
        return kExitSuccess;
    }
    if (rest.size() != command->argumentCount) {
        err << "skintool " << command->name << ": expected " << command->arguments << ", got " << rest.size()
            << " argument" << (rest.size() == 1 ? "" : "s") << '\n';
        PrintCommandUsage(err, *command);
        return kExitUsage;
    }
    try {
        return command->run(rest, out, err);
    } catch (const std::bad_alloc&) {
        err << "skintool " << command->name << ": out of memory\n";
    } catch (const std::exception& e) {
        err << "skintool " << command->name << ": " << e.what() << '\n';
    }
    return kExitFailure;
}

} // namespace skin::tool
