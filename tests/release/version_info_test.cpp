// What a user sees of the shipped programs' version: the version resource Explorer's file properties show,
// read back as Explorer reads it, and the line `skintool --version` prints. Both carry the project's one
// version.
#include "marivel_version.h"
#include "tests/e2e/driver.h"

#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct FileVersion {
    bool found = false;
    VS_FIXEDFILEINFO fixed{};
    std::vector<BYTE> data;   // the whole resource, for the strings
    std::wstring stringBlock; // "\StringFileInfo\<language><code page>\" of the first translation
};

FileVersion ReadFileVersion(const std::wstring& path) {
    FileVersion version;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return version;
    version.data.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, version.data.data())) return version;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(version.data.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return version;
    }
    version.fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    if (VerQueryValueW(version.data.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* translation = static_cast<const WORD*>(value);
        wchar_t block[64];
        swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
        version.stringBlock = block;
    }
    version.found = true;
    return version;
}

std::wstring StringValue(FileVersion& version, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(version.data.data(), (version.stringBlock + name).c_str(), &value, &length) ||
        length == 0) {
        return L"(missing)";
    }
    return static_cast<const wchar_t*>(value);
}

std::wstring Wide(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

// The project's version as the four numbers of a fixed file version (the fourth is always 0).
struct VersionNumbers {
    unsigned major = 0, minor = 0, patch = 0;
};
VersionNumbers ProjectVersion() {
    VersionNumbers numbers;
    const std::string text(marivel::kVersion);
    EXPECT_EQ(std::sscanf(text.c_str(), "%u.%u.%u", &numbers.major, &numbers.minor, &numbers.patch), 3)
        << text;
    return numbers;
}

TEST(VersionResource, EveryShippedProgramShowsTheProjectVersionAndItsOwnName) {
    const VersionNumbers expected = ProjectVersion();
    const struct {
        const char* variable;
        const wchar_t* fileName;
    } programs[] = {{"MARIVEL_EXE", L"Marivel.exe"},
                    {"MARIVEL_GALLERY", L"Gallery.exe"},
                    {"MARIVEL_SKINTOOL", L"skintool.exe"}};
    for (const auto& program : programs) {
        SCOPED_TRACE(program.fileName);
        FileVersion version = ReadFileVersion(e2e::EnvPath(program.variable));
        ASSERT_TRUE(version.found) << "no version resource";
        EXPECT_EQ(version.fixed.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(version.fixed.dwFileVersionMS, MAKELONG(expected.minor, expected.major));
        EXPECT_EQ(version.fixed.dwFileVersionLS, MAKELONG(0, expected.patch));
        EXPECT_EQ(version.fixed.dwProductVersionMS, version.fixed.dwFileVersionMS);
        EXPECT_EQ(version.fixed.dwProductVersionLS, version.fixed.dwFileVersionLS);
        EXPECT_EQ(version.fixed.dwFileType, static_cast<DWORD>(VFT_APP));

        ASSERT_FALSE(version.stringBlock.empty()) << "no translation: Explorer shows no strings";
        EXPECT_EQ(StringValue(version, L"ProductName"), L"Marivel进制转换器");
        EXPECT_EQ(StringValue(version, L"ProductVersion"), Wide(marivel::kVersion));
        EXPECT_EQ(StringValue(version, L"FileVersion"), Wide(marivel::kVersion));
        EXPECT_EQ(StringValue(version, L"LegalCopyright"), Wide(marivel::kCopyright));
        EXPECT_EQ(StringValue(version, L"OriginalFilename"), program.fileName);
        EXPECT_NE(StringValue(version, L"FileDescription").find(L"Marivel"), std::wstring::npos);
    }
}

// Runs a console program and returns what it wrote to its standard output (its exit code in exitCode).
std::string RunAndRead(const std::wstring& exe, const std::wstring& arguments, DWORD& exitCode) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "(no pipe)";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[512];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            output.append(buffer, read);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        output = "(not started: error " + std::to_string(GetLastError()) + ")";
    }
    CloseHandle(readEnd);
    return output;
}

TEST(SkintoolVersion, PrintsTheProjectVersion) {
    DWORD exitCode = 99;
    const std::string output = RunAndRead(e2e::EnvPath("MARIVEL_SKINTOOL"), L"--version", exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(output, "skintool " + std::string(marivel::kVersion) + "\r\n");
}

} // namespace
