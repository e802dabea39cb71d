// The files a user deploys (build/<arch>/ship) as the system sees them: every
// program and library carries the product's version resource, read back
// through the version-information calls, and every program's manifest asks
// for the caller's rights.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/indicator/indicator_fixture.h"

namespace {

std::string ShipFolder()
{
    return TestProgramFolder() + "..\\ship\\";
}

// The programs and libraries in the ship folder (not the help and its pictures).
std::vector<std::string> ShippedModules()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((ShipFolder() + "*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry)) {
        const std::string name = entry.cFileName;
        const std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (!lstrcmpiA(extension.c_str(), ".exe") || !lstrcmpiA(extension.c_str(), ".dll")))
            names.push_back(name);
    }
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    return names;
}

bool IsProgram(const std::string& name)
{
    return !lstrcmpiA(name.substr(name.size() - 4).c_str(), ".exe");
}

std::string VersionString(const std::vector<BYTE>& info, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\041103a4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "(none)";
    return std::string(value, length && !value[length - 1] ? length - 1 : length);
}

}  // namespace

TEST(ShippedFiles, EachCarriesTheProductsVersionResource)
{
    const std::vector<std::string> modules = ShippedModules();
    for (const char* always : {"Indicator.exe", "LAMPHOOK.dll"})
        EXPECT_NE(modules.end(), std::find(modules.begin(), modules.end(), always)) << always;
    int major = -1, minor = -1, patch = -1;
    ASSERT_EQ(3, std::sscanf(PELORUM_VERSION, "%d.%d.%d", &major, &minor, &patch));

    for (const std::string& name : modules) {
        SCOPED_TRACE(name);
        const std::string path = ShipFolder() + name;
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::vector<BYTE> info(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(minor, major)), fixed->dwFileVersionMS);
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, patch)), fixed->dwFileVersionLS);
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
        EXPECT_EQ(IsProgram(name) ? static_cast<DWORD>(VFT_APP) : static_cast<DWORD>(VFT_DLL), fixed->dwFileType);

        // Japanese in code page 932, as the file properties list it.
        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length));
        ASSERT_GE(length, 4u);
        EXPECT_EQ(0x0411, translation[0]);
        EXPECT_EQ(932, translation[1]);

        // The version dialog's product name, version text and copyright
        // line; none of the values may be empty.
        const struct {
            const char* value;
            std::string expected;
        } strings[] = {{"ProductName", "Pelorum"},
                       {"ProductVersion", "1.x"},
                       {"FileVersion", PELORUM_VERSION},
                       {"LegalCopyright", PRODUCT_COPYRIGHT},
                       {"OriginalFilename", name},
                       {"InternalName", name.substr(0, name.size() - 4)}};
        for (const auto& row : strings) {
            EXPECT_NE("", row.expected) << row.value;
            EXPECT_EQ(row.expected, VersionString(info, row.value)) << row.value;
        }
        const std::string description = VersionString(info, "FileDescription");
        EXPECT_NE("(none)", description);
        EXPECT_NE("", description);
    }
}

TEST(ShippedFiles, EachProgramAsksForTheCallersRights)
{
    for (const std::string& name : ShippedModules()) {
        if (!IsProgram(name))
            continue;
        SCOPED_TRACE(name);
        HMODULE module = LoadLibraryExA((ShipFolder() + name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module);
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        ASSERT_TRUE(text);
        const std::string manifest(text, SizeofResource(module, found));
        EXPECT_NE(std::string::npos, manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));
        FreeLibrary(module);
    }
}
