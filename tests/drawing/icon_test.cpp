// Icon sources against the real system under Wine: the program's generated
// icons (linked into this test program), a resource-only module beside it, the
// system's SHELL32.DLL, file-type associations written under a test-only
// extension, and files in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <typeinfo>
#include <vector>

#include "framework/drawing/file_icon_source.h"
#include "framework/drawing/icon_caches.h"
#include "framework/drawing/icon_file_source.h"
#include "framework/drawing/icon_location.h"
#include "framework/drawing/icon_pair_source.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/module_icon_library.h"
#include "framework/drawing/module_icon_source.h"
#include "framework/drawing/module_record.h"
#include "framework/drawing/shell_icon_source.h"
#include "framework/drawing/system_icon_source.h"
#include "framework/settings/app_globals.h"
#include "framework/util/directories.h"
#include "framework/util/module_file.h"
#include "framework/util/resource_names.h"
#include "framework/util/text.h"

namespace {

std::string Owned(char* text)
{
    std::string result = text;
    FreeText(text);
    return result;
}

std::string ExeDirectory()
{
    std::string path = [] {
        char* p;
        ModuleFileName(p, GetModuleHandleA(nullptr));
        return Owned(p);
    }();
    return path.substr(0, path.rfind('\\') + 1);
}

std::string TestModulePath()
{
    return ExeDirectory() + "icon_test_module.dll";
}

// The pixels of an icon drawn on white and on black: a pixel that differs
// between the two is transparent.
struct TIconPixels {
    int size = 0;
    std::vector<COLORREF> onWhite, onBlack;

    bool Transparent(int x, int y) const { return onWhite[y * size + x] != onBlack[y * size + x]; }
    COLORREF At(int x, int y) const { return onWhite[y * size + x]; }
};

std::vector<COLORREF> DrawOn(HICON icon, int size, COLORREF ground)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(ground);
    RECT all = {0, 0, size, size};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<COLORREF> pixels(size * size);
    const DWORD* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < size * size; ++i)
        pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

TIconPixels Pixels(HICON icon, int size)
{
    TIconPixels pixels;
    pixels.size = size;
    pixels.onWhite = DrawOn(icon, size, RGB(255, 255, 255));
    pixels.onBlack = DrawOn(icon, size, RGB(0, 0, 0));
    return pixels;
}

bool SamePicture(HICON a, HICON b, int size)
{
    const TIconPixels pa = Pixels(a, size), pb = Pixels(b, size);
    return pa.onWhite == pb.onWhite && pa.onBlack == pb.onBlack;
}

SIZE IconSize(HICON icon)
{
    SIZE size = {0, 0};
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap;
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        size.cx = bitmap.bmWidth;
        size.cy = bitmap.bmHeight;
    } else if (GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
        size.cx = bitmap.bmWidth;
        size.cy = bitmap.bmHeight / 2;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// A file-type association under a test-only extension, removed again.
class TTestAssociation {
public:
    TTestAssociation(const char* extension, const char* fileClass, const char* defaultIcon)
        : extension_(extension), class_(fileClass)
    {
        SetDefault(extension_.c_str(), fileClass);
        if (defaultIcon)
            SetDefault((class_ + "\\DefaultIcon").c_str(), defaultIcon);
    }
    ~TTestAssociation()
    {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (class_ + "\\DefaultIcon").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, class_.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
    }

private:
    static void SetDefault(const char* subKey, const char* value)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &key, nullptr));
        RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
        RegCloseKey(key);
    }

    std::string extension_, class_;
};

class IconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppGlobals.Instance = GetModuleHandleA(nullptr);
        char path[MAX_PATH];
        GetTempPathA(MAX_PATH, path);
        temp_ = std::string(path) + "icon_test_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(temp_.c_str(), nullptr);
    }

    void TearDown() override
    {
        // Modules mapped from the folder are let go first, so that its files can go.
        ReleaseIconCaches();
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(temp_.c_str());
    }

    std::string TempFile(const char* name, const void* data, size_t size)
    {
        const std::string path = temp_ + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
        CloseHandle(file);
        files_.push_back(path);
        return path;
    }

    std::string TempCopy(const std::string& source, const char* name)
    {
        const std::string path = temp_ + name;
        CopyFileA(source.c_str(), path.c_str(), FALSE);
        files_.push_back(path);
        return path;
    }

    std::string temp_;
    std::vector<std::string> files_;
};

const COLORREF kOn = RGB(0, 255, 0);
const COLORREF kOff = RGB(0, 0, 0);

}  // namespace

// ---------------------------------------------------------------------------
// The program's own icons

TEST_F(IconTest, IndicatorIconsShowTheirThreeStatesAtSixteen)
{
    struct {
        int x, y, bit;
    } const areas16[] = {{3, 12, 4}, {8, 8, 2}, {12, 3, 1}},  // Num lower left, Caps middle, Scroll upper right
        areas32[] = {{7, 25, 4}, {16, 16, 2}, {25, 7, 1}};
    for (int set = 0; set < 2; ++set) {
        const char* const* names = set == 0 ? IndicatorIconNamesA : IndicatorIconNamesB;
        for (int state = 0; state < 8; ++state) {
            SCOPED_TRACE(names[state]);
            HICON small = ResourceIcon(names[state])->GetIcon(IconSizeSmall, nullptr);
            ASSERT_NE(nullptr, small);
            EXPECT_EQ(16, IconSize(small).cx);
            const TIconPixels pixels = Pixels(small, 16);
            for (const auto& area : areas16) {
                EXPECT_FALSE(pixels.Transparent(area.x, area.y));
                EXPECT_EQ(state & area.bit ? kOn : kOff, pixels.At(area.x, area.y))
                    << "state " << state << " at " << area.x << "," << area.y;
            }
            // Set A is a framed square; set B has nothing around its lamps.
            EXPECT_EQ(set == 1, pixels.Transparent(0, 0));
            EXPECT_EQ(set == 1, pixels.Transparent(15, 15));
            EXPECT_EQ(set == 1, pixels.Transparent(0, 15) && pixels.Transparent(15, 0));

            HICON large = ResourceIcon(names[state])->GetIcon(IconSizeLarge, nullptr);
            ASSERT_NE(nullptr, large);
            EXPECT_EQ(32, IconSize(large).cx);
            const TIconPixels big = Pixels(large, 32);
            for (const auto& area : areas32)
                EXPECT_EQ(state & area.bit ? kOn : kOff, big.At(area.x, area.y)) << "state " << state;
        }
    }
}

TEST_F(IconTest, EveryNamedResourceLoads)
{
    const char* const names[] = {
        APPLICATION_ICON_NAME,     OK_ICON_NAME,           CANCEL_ICON_NAME,          CLOSE_ICON_NAME,
        BRAMEL_ICON_NAME,          CURE_ICON_NAME,         CHECK_ICON_NAME,           WINDOWRESTORE_ICON_NAME,
        WINDOWMOVE_ICON_NAME,      WINDOWRESIZE_ICON_NAME, WINDOWICON_ICON_NAME,      WINDOWZOOM_ICON_NAME,
        WINDOWTOPMOST_ICON_NAME,   WINDOWPOSITION_ICON_NAME, WINDOWCENTERPOS_ICON_NAME, WINDOWMOUSEPOS_ICON_NAME,
        WINDOWSERIALPOS_ICON_NAME, WINDOWTRANSPARENT_ICON_NAME, WINDOWCLOSE_ICON_NAME};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_NE(nullptr, ResourceIcon(name)->GetIcon(IconSizeSmall, nullptr));
        EXPECT_NE(nullptr, ResourceIcon(name)->GetIcon(IconSizeLarge, nullptr));
    }
    // The window-class template's icon is the application icon under its number.
    HICON numbered = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(APPLICATION_ICON_ID));
    ASSERT_NE(nullptr, numbered);
    EXPECT_TRUE(SamePicture(numbered, ResourceIcon(APPLICATION_ICON_NAME)->GetIcon(IconSizeLarge, nullptr), 32));

    HBITMAP poster = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), POSTER_BITMAP_NAME, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, poster);
    DIBSECTION dib;
    ASSERT_EQ(static_cast<int>(sizeof dib), GetObjectA(poster, sizeof dib, &dib));
    EXPECT_EQ(POSTER_BITMAP_WIDTH, dib.dsBm.bmWidth);
    EXPECT_EQ(POSTER_BITMAP_HEIGHT, dib.dsBm.bmHeight);
    EXPECT_EQ(1, dib.dsBm.bmBitsPixel);
    DeleteObject(poster);
}

namespace {

// The bytes of the image a module's group icon gives for a size.
std::string ImageBytes(HMODULE module, const char* name, int size)
{
    HRSRC group = FindResourceA(module, name, RT_GROUP_ICON);
    BYTE* dir = group ? static_cast<BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    const int id = dir ? LookupIconIdFromDirectoryEx(dir, TRUE, size, size, 0) : 0;
    HRSRC image = id ? FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON) : nullptr;
    if (!image)
        return std::string();
    return std::string(static_cast<const char*>(LockResource(LoadResource(module, image))),
                       SizeofResource(module, image));
}

// The width an image is stored at (below 256): a PNG's header, or a bitmap's.
int StoredWidth(const std::string& image)
{
    const bool png = image.compare(0, 4, "\x89PNG") == 0;
    return image.size() < 24 ? 0 : static_cast<unsigned char>(image[png ? 19 : 4]);
}

BOOL CALLBACK AddName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name);
    return TRUE;
}

}  // namespace

TEST_F(IconTest, EveryImageShowsThePixelsOfItsBitmap)
{
    // The reference module holds the same icons with every image a bitmap.
    HMODULE reference = LoadLibraryA((ExeDirectory() + "icon_reference_module.dll").c_str());
    ASSERT_NE(nullptr, reference);
    std::vector<std::string> names;
    EnumResourceNamesA(reference, RT_GROUP_ICON, AddName, reinterpret_cast<LONG_PTR>(&names));
    EXPECT_EQ(36u, names.size());
    HMODULE self = GetModuleHandleA(nullptr);
    for (const std::string& name : names) {
        for (int size : {16, 20, 24, 28, 32, 40, 48, 56, 64}) {
            SCOPED_TRACE(name + " at " + std::to_string(size));
            const std::string image = ImageBytes(self, name.c_str(), size);
            EXPECT_EQ(size, StoredWidth(image)) << "an image drawn for the size";
            if (size == 16 || size == 32)  // the images older systems read, unchanged
                EXPECT_EQ(ImageBytes(reference, name.c_str(), size), image);
            else
                EXPECT_EQ(0u, image.find("\x89PNG\r\n\x1a\n")) << "stored as PNG";
            HICON ours = static_cast<HICON>(LoadImageA(self, name.c_str(), IMAGE_ICON, size, size, 0));
            HICON bitmap = static_cast<HICON>(LoadImageA(reference, name.c_str(), IMAGE_ICON, size, size, 0));
            ASSERT_TRUE(ours && bitmap);
            EXPECT_TRUE(SamePicture(ours, bitmap, size));
            DestroyIcon(ours);
            DestroyIcon(bitmap);
        }
    }
    FreeLibrary(reference);
}

TEST_F(IconTest, ResourceIconIsSharedAndLoadsOncePerKind)
{
    TIconSource* ok = ResourceIcon("OK_ICON");
    char copy[] = "OK_ICON";  // the same text elsewhere in memory
    EXPECT_EQ(ok, ResourceIcon(copy));
    EXPECT_NE(ok, ResourceIcon("CANCEL_ICON"));

    HICON small = ok->GetIcon(IconSizeSmall, nullptr);
    HICON large = ok->GetIcon(IconSizeLarge, nullptr);
    ASSERT_NE(nullptr, small);
    ASSERT_NE(nullptr, large);
    EXPECT_NE(small, large);
    EXPECT_EQ(small, ok->GetIcon(IconSizeSmall, nullptr));
    EXPECT_EQ(large, ok->GetIcon(IconSizeLarge, nullptr));
    EXPECT_EQ(16, IconSize(small).cx);
    EXPECT_EQ(32, IconSize(large).cx);

    HICON made = ok->CreateIcon(24, 24, nullptr);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(24, IconSize(made).cx);
    EXPECT_NE(small, made);
    DestroyIcon(made);
}

TEST_F(IconTest, MissingResourceAsksTheFallback)
{
    TIconSource* missing = ResourceIcon("NO_SUCH_ICON");
    TIconSource* asterisk = SystemIcon(32516);
    EXPECT_EQ(nullptr, missing->GetIcon(IconSizeSmall, nullptr));
    EXPECT_EQ(asterisk->GetIcon(IconSizeSmall, nullptr), missing->GetIcon(IconSizeSmall, asterisk));
    EXPECT_EQ(nullptr, missing->GetIcon(IconSizeSystem, nullptr));
    EXPECT_EQ(nullptr, missing->CreateIcon(20, 20, nullptr));
    HICON made = missing->CreateIcon(20, 20, asterisk);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(20, IconSize(made).cx);
    DestroyIcon(made);
}

// ---------------------------------------------------------------------------
// System icons, pairs and the base CreateIcon

TEST_F(IconTest, SystemIconsAreSharedWithSixteenPixelCopy)
{
    TIconSource* logo = SystemIcon(32517);
    EXPECT_EQ(logo, SystemIcon(32517));
    EXPECT_NE(logo, SystemIcon(32512));
    HICON large = logo->GetIcon(IconSizeLarge, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32517)), large);
    HICON small = logo->GetIcon(IconSizeSmall, nullptr);
    ASSERT_NE(nullptr, small);
    EXPECT_EQ(16, IconSize(small).cx);
    EXPECT_EQ(small, logo->GetIcon(IconSizeSmall, nullptr));
    HICON made = logo->CreateIcon(48, 48, nullptr);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(48, IconSize(made).cx);
    DestroyIcon(made);
    // The system and native kinds are not served by system icons.
    EXPECT_EQ(nullptr, logo->GetIcon(IconSizeNative, nullptr));
}

TEST_F(IconTest, SmallSystemIconsAreTheSystemsOwnSmallImages)
{
    // user32 holds an image of the small size for each standard icon: the
    // small icon is that one, not the large one shrunk.
    const int side = IconSizeOfKind(IconSizeSmall);
    for (int id = 32512; id <= 32517; ++id) {
        std::string image = ImageBytes(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(id), side);
        ASSERT_EQ(side, StoredWidth(image)) << id;
        HICON own = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]), static_cast<DWORD>(image.size()),
                                             TRUE, 0x00030000, side, side, 0);
        EXPECT_TRUE(SamePicture(SystemIcon(id)->GetIcon(IconSizeSmall, nullptr), own, side)) << id;
        DestroyIcon(own);
    }
}

namespace {

// Holds only a large icon and records which kinds were asked for.
class TLargeOnlySource : public TIconSource {
public:
    std::vector<int> asked;
    HICON GetIcon(int kind, TIconSource*) override
    {
        asked.push_back(kind);
        return LoadIconA(nullptr, MAKEINTRESOURCEA(32515));
    }
};

}  // namespace

TEST_F(IconTest, CreateIconChoosesKindByArea)
{
    TLargeOnlySource source;
    HICON sixteen = source.CreateIcon(16, 16, nullptr);  // 256 pixels is still small
    ASSERT_NE(nullptr, sixteen);
    EXPECT_EQ(16, IconSize(sixteen).cx);
    EXPECT_EQ(16, IconSize(sixteen).cy);
    DestroyIcon(sixteen);
    HICON wider = source.CreateIcon(17, 16, nullptr);
    ASSERT_NE(nullptr, wider);
    EXPECT_EQ(17, IconSize(wider).cx);
    DestroyIcon(wider);
    ASSERT_EQ(2u, source.asked.size());
    EXPECT_EQ(IconSizeSmall, source.asked[0]);
    EXPECT_EQ(IconSizeLarge, source.asked[1]);
}

TEST_F(IconTest, PairSourceMakesTheMissingSize)
{
    HICON large = CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32514)));
    TIconPairSource pair(nullptr, large);
    EXPECT_EQ(large, pair.GetIcon(IconSizeLarge, nullptr));
    HICON small = pair.GetIcon(IconSizeSmall, nullptr);
    ASSERT_NE(nullptr, small);
    EXPECT_EQ(16, IconSize(small).cx);
    EXPECT_EQ(nullptr, pair.GetIcon(IconSizeSystem, nullptr));

    HICON onlySmall = static_cast<HICON>(CopyImage(small, IMAGE_ICON, 16, 16, 0));
    TIconPairSource other(onlySmall, nullptr);
    EXPECT_EQ(32, IconSize(other.GetIcon(IconSizeLarge, nullptr)).cx);
}

// ---------------------------------------------------------------------------
// Module icons

TEST_F(IconTest, ModuleIconIndicesAndFallback)
{
    const std::string module = TestModulePath();
    TModuleRecord* record = LoadModule(module.c_str(), ModuleAsDataFile);
    ASSERT_NE(nullptr, record);
    // 35 named group icons and the numbered application icon.
    const int count = record->Icons()->Count();
    EXPECT_EQ(36, count);
    EXPECT_EQ(count - 1, record->Icons()->PositionOfId(APPLICATION_ICON_ID));
    EXPECT_EQ(-1, record->Icons()->PositionOfId(5));

    HICON application = ResourceIcon(APPLICATION_ICON_NAME)->GetIcon(IconSizeLarge, nullptr);
    HICON indicator = ResourceIcon("INDICATORA5_ICON")->GetIcon(IconSizeSmall, nullptr);

    TIconSource* first = ModuleIcon(module.c_str(), 0);
    EXPECT_EQ(first, ModuleIcon(module.c_str(), 0));
    EXPECT_TRUE(SamePicture(application, first->GetIcon(IconSizeLarge, nullptr), 32));

    // Named group icons come first, in the order of their names.
    EXPECT_TRUE(SamePicture(indicator, ModuleIcon(module.c_str(), 11)->GetIcon(IconSizeSmall, nullptr), 16));

    // One past the last: the caller's fallback. Further out: the first icon.
    TIconSource* hand = SystemIcon(32513);
    EXPECT_EQ(hand->GetIcon(IconSizeSmall, nullptr), ModuleIcon(module.c_str(), count)->GetIcon(IconSizeSmall, hand));
    EXPECT_EQ(nullptr, ModuleIcon(module.c_str(), count)->GetIcon(IconSizeSmall, nullptr));
    EXPECT_TRUE(SamePicture(application, ModuleIcon(module.c_str(), count + 1)->GetIcon(IconSizeLarge, nullptr), 32));
    EXPECT_TRUE(SamePicture(application, ModuleIcon(module.c_str(), 0x7FFFFFFF)->GetIcon(IconSizeLarge, nullptr), 32));

    // Negative indices name integer ids; an absent id gives the first icon.
    EXPECT_TRUE(SamePicture(application, ModuleIcon(module.c_str(), -APPLICATION_ICON_ID)->GetIcon(IconSizeLarge, nullptr), 32));
    EXPECT_TRUE(SamePicture(application, ModuleIcon(module.c_str(), -5)->GetIcon(IconSizeLarge, nullptr), 32));
    EXPECT_NE(nullptr, ModuleIcon(module.c_str(), -2147483647 - 1)->GetIcon(IconSizeLarge, nullptr));

    // All four kinds; anything else has no icon.
    TIconSource* source = ModuleIcon(module.c_str(), 3);
    EXPECT_EQ(16, IconSize(source->GetIcon(IconSizeSmall, nullptr)).cx);
    EXPECT_EQ(32, IconSize(source->GetIcon(IconSizeLarge, nullptr)).cx);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), IconSize(source->GetIcon(IconSizeSystem, nullptr)).cx);
    EXPECT_NE(nullptr, source->GetIcon(IconSizeNative, nullptr));
    EXPECT_EQ(source->GetIcon(IconSizeSmall, nullptr), source->GetIcon(IconSizeSmall, nullptr));
    EXPECT_EQ(nullptr, source->GetIcon(4, nullptr));
    EXPECT_EQ(nullptr, source->GetIcon(-1, nullptr));

    HICON made = source->CreateIcon(48, 48, nullptr);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(48, IconSize(made).cx);
    DestroyIcon(made);
}

TEST_F(IconTest, ModuleIconOfTheProgramItself)
{
    TIconSource* own = ModuleHandleIcon(GetModuleHandleA(nullptr), 0);
    HICON application = ResourceIcon(APPLICATION_ICON_NAME)->GetIcon(IconSizeLarge, nullptr);
    EXPECT_TRUE(SamePicture(application, own->GetIcon(IconSizeLarge, nullptr), 32));
    EXPECT_EQ(own, ModuleHandleIcon(GetModuleHandleA(nullptr), 0));
    EXPECT_EQ(SystemIcon(32517), ModuleHandleIcon(nullptr, 0));
}

TEST_F(IconTest, ModulesThatGiveNoIconsGiveTheLogo)
{
    TIconSource* logo = SystemIcon(32517);
    EXPECT_EQ(logo, ModuleIcon("", 0));
    EXPECT_EQ(logo, ModuleIcon(nullptr, 0));
    EXPECT_EQ(logo, ModuleIcon((ExeDirectory() + "no_such_module.dll").c_str(), 0));
    // A module without a single group icon, at every index.
    const std::string empty = ExeDirectory() + "no_icon_test_module.dll";
    ASSERT_NE(nullptr, LoadModule(empty.c_str(), ModuleAsDataFile));
    EXPECT_EQ(0, LoadModule(empty.c_str(), ModuleAsDataFile)->Icons()->Count());
    for (int index : {0, 1, -1, -22, 1000})
        EXPECT_EQ(logo, ModuleIcon(empty.c_str(), index)) << index;
    // The library itself answers with the fallback, never with a missing first icon.
    TModuleIconLibrary* library = LoadModule(empty.c_str(), ModuleAsDataFile)->Icons();
    EXPECT_EQ(nullptr, library->Icon(0, IconSizeSmall, nullptr));
    EXPECT_EQ(logo->GetIcon(IconSizeSmall, nullptr), library->Icon(-3, IconSizeSmall, logo));
    HICON made = library->SizedIcon(5, 16, 16, 0, nullptr);
    ASSERT_NE(nullptr, made);  // the system logo at that size
    DestroyIcon(made);
    // An executable whose first icon cannot be read draws as the system's application icon.
    const std::string exe = TempCopy(empty, "noicons.exe");
    TModuleIconLibrary* exeLibrary = LoadModule(exe.c_str(), ModuleAsDataFile)->Icons();
    HICON asApplication = exeLibrary->SizedIcon(0, 32, 32, 0, nullptr);
    HICON systemApplication = SystemIcon(32512)->CreateIcon(32, 32, nullptr);
    ASSERT_NE(nullptr, asApplication);
    EXPECT_TRUE(SamePicture(systemApplication, asApplication, 32));
    DestroyIcon(asApplication);
    DestroyIcon(systemApplication);
    // A text file is no module.
    const char text[] = "not a module";
    EXPECT_EQ(logo, ModuleIcon(TempFile("plain.dll", text, sizeof text).c_str(), 0));
}

TEST_F(IconTest, Shell32IconById)
{
    char* system;
    SystemDirectory(system);
    const std::string shell32 = Owned(system) + "SHELL32.DLL";
    TIconSource* source = ModuleIcon(shell32.c_str(), -22);
    ASSERT_NE(SystemIcon(32517), source);
    TModuleRecord* record = LoadModule(shell32.c_str(), ModuleAsDataFile);
    ASSERT_NE(nullptr, record);
    EXPECT_GT(record->Icons()->Count(), 22);
    EXPECT_GE(record->Icons()->PositionOfId(22), 0);
    EXPECT_NE(nullptr, source->GetIcon(IconSizeSmall, nullptr));
    EXPECT_NE(nullptr, source->GetIcon(IconSizeLarge, nullptr));
    // Another spelling of the same file is the same module.
    EXPECT_EQ(record, LoadModule((shell32.substr(0, 3) + "." + shell32.substr(2)).c_str(), ModuleAsDataFile));
}

TEST_F(IconTest, IconPathsGoToIconFiles)
{
    const std::string path = temp_ + "some.ico";
    EXPECT_EQ(IconFileIcon(path.c_str()), ModuleIcon(path.c_str(), 4));
    // The extension test is case-sensitive: ".ICO" is tried as a module.
    EXPECT_NE(IconFileIcon((temp_ + "some.ICO").c_str()), ModuleIcon((temp_ + "some.ICO").c_str(), 0));
}

// ---------------------------------------------------------------------------
// The module registry

TEST_F(IconTest, NormalisedModulePaths)
{
    auto normalised = [](const char* path) {
        char* result;
        NormaliseModulePath(result, path);
        return Owned(result);
    };
    EXPECT_EQ("C:\\a\\c.dll", normalised("C:\\a\\.\\b\\..\\c.dll"));
    EXPECT_EQ("C:\\a\\b", normalised("C:/a//b/"));
    // ".." never climbs above the drive or the share.
    EXPECT_EQ("C:\\x.dll", normalised("C:\\..\\..\\x.dll"));
    EXPECT_EQ("C:\\", normalised("C:\\a\\..\\.."));
    EXPECT_EQ("\\\\server\\share\\x.dll", normalised("\\\\server\\share\\..\\..\\x.dll"));
    EXPECT_EQ("", normalised(""));
    // A trail byte 0x5C is no separator: "表" is 0x95 0x5C.
    EXPECT_EQ("C:\\表\\x.dll", normalised("C:\\表\\.\\x.dll"));
    EXPECT_EQ("C:\\x.dll", normalised("C:\\表\\..\\x.dll"));

    char* current;
    CurrentDirectory(current);
    const std::string here = Owned(current);
    EXPECT_EQ(here + "x.dll", normalised("x.dll"));
    EXPECT_EQ(here + "x.dll", normalised(".\\sub\\..\\x.dll"));
    EXPECT_EQ(here.substr(0, 2) + "\\x.dll", normalised("\\x.dll"));

    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\x.dll";
    EXPECT_EQ(longPath, normalised(longPath.c_str()));
}

TEST_F(IconTest, LoadModuleBadPaths)
{
    const int before = ModuleRecordCount();
    EXPECT_EQ(nullptr, LoadModule("", ModuleAsDataFile));
    EXPECT_EQ(nullptr, LoadModule(nullptr, ModuleAsDataFile));
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\x.dll";
    EXPECT_EQ(nullptr, LoadModule(longPath.c_str(), ModuleAsDataFile));
    EXPECT_EQ(SystemIcon(32517), ModuleIcon(longPath.c_str(), 0));
    EXPECT_EQ(nullptr, LoadModule("C:\\..\\..\\..\\no_such_module.dll", ModuleAsDataFile));
    EXPECT_EQ(before, ModuleRecordCount());

    // ".." past the root of the module's own drive still names the module.
    const std::string module = TestModulePath();
    TModuleRecord* record = LoadModule(module.c_str(), ModuleAsDataFile);
    ASSERT_NE(nullptr, record);
    const std::string climbing = module.substr(0, 2) + "\\..\\..\\.." + module.substr(2);
    EXPECT_EQ(record, LoadModule(climbing.c_str(), ModuleAsDataFile));
    EXPECT_EQ(before + 1, ModuleRecordCount());
}

TEST_F(IconTest, ReleaseModuleFreesLibrariesAndTheirSources)
{
    const std::string module = TestModulePath();
    ASSERT_EQ(nullptr, GetModuleHandleA(module.c_str()));
    TModuleRecord* record = LoadModule(module.c_str(), ModuleAsLibrary);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(record->Handle, GetModuleHandleA(module.c_str()));
    TIconSource* source = ModuleIcon(module.c_str(), 2);
    EXPECT_NE(nullptr, source->GetIcon(IconSizeSmall, nullptr));
    ReleaseModule(record);
    EXPECT_EQ(nullptr, GetModuleHandleA(module.c_str()));

    // The next request loads the module again and gives a working source.
    TIconSource* again = ModuleIcon(module.c_str(), 2);
    EXPECT_NE(nullptr, again->GetIcon(IconSizeSmall, nullptr));

    // A handle that the caller owns is never freed.
    HMODULE own = LoadLibraryA(module.c_str());
    ASSERT_NE(nullptr, own);
    TModuleRecord* borrowed = AttachModule(own, ModuleAsLibrary);
    EXPECT_TRUE(borrowed->Borrowed);
    EXPECT_EQ(borrowed, AttachModule(own, ModuleAsDataFile));
    ReleaseModule(borrowed);
    EXPECT_EQ(own, GetModuleHandleA(module.c_str()));
    FreeLibrary(own);
}

TEST_F(IconTest, ReleaseIconCachesEmptiesEverything)
{
    TIconSource* logo = SystemIcon(32517);
    ModuleIcon(TestModulePath().c_str(), 1)->GetIcon(IconSizeSmall, nullptr);
    ResourceIcon("OK_ICON")->GetIcon(IconSizeSmall, nullptr);
    EXPECT_GT(ModuleRecordCount(), 0);
    ReleaseIconCaches();
    EXPECT_EQ(0, ModuleRecordCount());
    // New requests are served by new sources.
    TIconSource* fresh = SystemIcon(32517);
    EXPECT_NE(nullptr, fresh->GetIcon(IconSizeSmall, nullptr));
    (void)logo;
    EXPECT_NE(nullptr, ModuleIcon(TestModulePath().c_str(), 1)->GetIcon(IconSizeSmall, nullptr));
    ReleaseIconCaches();
    ReleaseIconCaches();  // twice is harmless
}

// ---------------------------------------------------------------------------
// Icon files

TEST_F(IconTest, IconFilesGoodTruncatedAndForeign)
{
    // A good icon file: the generated one of state 5.
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(self, "INDICATORA5_ICON", RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    // Rebuild the .ico file from the group directory and its images.
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(self, group)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    std::vector<BYTE> file(dir, dir + 6);
    std::vector<BYTE> images;
    const DWORD offset0 = 6 + 16 * count;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;
        const WORD id = *reinterpret_cast<const WORD*>(entry + 12);
        HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), RT_ICON);
        const DWORD size = SizeofResource(self, image);
        const BYTE* bits = static_cast<const BYTE*>(LockResource(LoadResource(self, image)));
        file.insert(file.end(), entry, entry + 12);
        const DWORD at = offset0 + static_cast<DWORD>(images.size());
        file.insert(file.end(), reinterpret_cast<const BYTE*>(&at), reinterpret_cast<const BYTE*>(&at) + 4);
        images.insert(images.end(), bits, bits + size);
    }
    file.insert(file.end(), images.begin(), images.end());
    const std::string good = TempFile("state5.ico", file.data(), file.size());
    TIconSource* source = IconFileIcon(good.c_str());
    EXPECT_EQ(source, IconFileIcon(good.c_str()));
    HICON small = source->GetIcon(IconSizeSmall, nullptr);
    ASSERT_NE(nullptr, small);
    EXPECT_TRUE(SamePicture(ResourceIcon("INDICATORA5_ICON")->GetIcon(IconSizeSmall, nullptr), small, 16));
    EXPECT_EQ(32, IconSize(source->GetIcon(IconSizeLarge, nullptr)).cx);

    TIconSource* hand = SystemIcon(32513);
    const std::string truncated = TempFile("truncated.ico", file.data(), 40);
    const std::string headerOnly = TempFile("header.ico", file.data(), 6);
    const char text[] = "this is no icon at all, only text";
    const std::string foreign = TempFile("foreign.ico", text, sizeof text);
    const std::string missing = temp_ + "missing.ico";
    for (const std::string& bad : {truncated, headerOnly, foreign, missing}) {
        SCOPED_TRACE(bad);
        TIconSource* badSource = IconFileIcon(bad.c_str());
        EXPECT_EQ(nullptr, badSource->GetIcon(IconSizeSmall, nullptr));
        EXPECT_EQ(hand->GetIcon(IconSizeLarge, nullptr), badSource->GetIcon(IconSizeLarge, hand));
        EXPECT_EQ(nullptr, badSource->CreateIcon(16, 16, nullptr));
        HICON made = badSource->CreateIcon(16, 16, hand);
        EXPECT_NE(nullptr, made);
        DestroyIcon(made);
    }
}

// ---------------------------------------------------------------------------
// Icon locations

TEST_F(IconTest, PathExtensions)
{
    EXPECT_STREQ("txt", PathExtension("C:\\a\\b.txt"));
    EXPECT_STREQ("", PathExtension("C:\\a.d\\file"));
    EXPECT_STREQ("", PathExtension("C:\\a\\file."));
    EXPECT_STREQ("gz", PathExtension("x.tar.gz"));
    EXPECT_STREQ("hlp", PathExtension("*.hlp"));
    EXPECT_STREQ("", PathExtension(""));
    // "表" ends in 0x5C, which is not a backslash here.
    EXPECT_STREQ("txt", PathExtension("C:\\表.txt"));
}

TEST_F(IconTest, ParseIconLocationForms)
{
    char* path = nullptr;
    int index = -99;
    auto parse = [&](const char* location) {
        if (path)
            FreeText(path);
        index = -99;
        ParseIconLocation(location, path, index);
        return std::string(path);
    };
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,5"));
    EXPECT_EQ(5, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll"));  // no comma
    EXPECT_EQ(0, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,"));  // trailing comma
    EXPECT_EQ(0, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,  -3 \t"));
    EXPECT_EQ(-3, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,abc"));  // not a number
    EXPECT_EQ(0, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,99999999999"));  // too large for an int
    EXPECT_EQ(0, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,-99999999999"));
    EXPECT_EQ(0, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,2147483647"));
    EXPECT_EQ(2147483647, index);
    EXPECT_EQ("C:\\a.dll", parse("C:\\a.dll,7,8"));  // split at the first comma
    EXPECT_EQ(7, index);
    EXPECT_EQ("C:\\Program Files\\a,b.dll", parse("\"C:\\Program Files\\a,b.dll\",2"));
    EXPECT_EQ(2, index);
    EXPECT_EQ("C:\\open.dll", parse("\"C:\\open.dll"));  // unclosed quote
    EXPECT_EQ("", parse(""));
    EXPECT_EQ(0, index);

    SetEnvironmentVariableA("ICON_TEST_DIR", "C:\\icons");
    EXPECT_EQ("C:\\icons\\a.ico", parse("%ICON_TEST_DIR%\\a.ico,1"));
    EXPECT_EQ(1, index);
    // Expanded in full, however long.
    const std::string longValue = "C:\\" + std::string(300, 'x');
    SetEnvironmentVariableA("ICON_TEST_LONG", longValue.c_str());
    EXPECT_EQ(longValue + "\\b.dll", parse("%ICON_TEST_LONG%\\b.dll,4"));
    EXPECT_EQ(4, index);
    EXPECT_EQ("%ICON_TEST_UNSET%\\c.dll", parse("%ICON_TEST_UNSET%\\c.dll"));
    SetEnvironmentVariableA("ICON_TEST_DIR", nullptr);
    SetEnvironmentVariableA("ICON_TEST_LONG", nullptr);
    FreeText(path);
}

TEST_F(IconTest, DefaultIconLocationThroughTheFileClass)
{
    TTestAssociation association(".lkitest", "LkiTestFile", "C:\\icons\\test.dll,3");
    char* location;
    DefaultIconLocation(location, "C:\\docs\\letter.lkitest");
    EXPECT_EQ("C:\\icons\\test.dll,3", Owned(location));
    DefaultIconLocation(location, "*.lkitest");
    EXPECT_EQ("C:\\icons\\test.dll,3", Owned(location));
    // The extension is case-sensitive in the key name only as the registry is: the same key.
    DefaultIconLocation(location, "C:\\docs.lkitest\\letter");
    EXPECT_EQ("", Owned(location));
    DefaultIconLocation(location, "C:\\docs\\letter.lkinothing");
    EXPECT_EQ("", Owned(location));

    // A type whose class is empty keeps its DefaultIcon under the extension itself.
    TTestAssociation classless(".lkiself", "", nullptr);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, ".lkiself\\DefaultIcon", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("self.ico"), 9);
    RegCloseKey(key);
    DefaultIconLocation(location, "a.lkiself");
    EXPECT_EQ("self.ico", Owned(location));
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".lkiself\\DefaultIcon");
}

// ---------------------------------------------------------------------------
// File icons

TEST_F(IconTest, FileIconTakesTheAssociationsIcon)
{
    const std::string module = TempCopy(TestModulePath(), "types.dll");
    TTestAssociation association(".lkitest", "LkiTestFile", (module + ",11").c_str());

    TIconSource* pattern = FileIcon("*.lkitest", LogoFallback);
    ASSERT_NE(nullptr, dynamic_cast<TFileIconSource*>(pattern));
    EXPECT_EQ(pattern, FileIcon("*.lkitest", LogoFallback));
    HICON small = pattern->GetIcon(IconSizeSmall, nullptr);
    EXPECT_TRUE(SamePicture(ResourceIcon("INDICATORA5_ICON")->GetIcon(IconSizeSmall, nullptr), small, 16));
    // Once found, the factory hands out the found source itself.
    TIconSource* resolved = FileIcon("*.lkitest", LogoFallback);
    EXPECT_EQ(ModuleIcon(module.c_str(), 11), resolved);
    // Another fallback is another request.
    EXPECT_NE(pattern, FileIcon("*.lkitest", SystemIcon(32513)));
}

TEST_F(IconTest, FileIconOfAPatternNeverAsksAboutTheFile)
{
    // No association names an icon: what the shell has for the type, or the logo.
    for (const char* pattern : {"*.hlp", "*.lkinothing"}) {
        SCOPED_TRACE(pattern);
        TIconSource* source = FileIcon(pattern, LogoFallback);
        EXPECT_NE(nullptr, source->GetIcon(IconSizeSmall, nullptr));
        TIconSource* resolved = static_cast<TFileIconSource*>(source)->Resolved();
        ASSERT_NE(nullptr, resolved);
        EXPECT_NE(typeid(TShellFileIconSource), typeid(*resolved));
        EXPECT_TRUE(resolved == SystemIcon(32517) || resolved == ShellTypeIcon(pattern) ||
                    dynamic_cast<TModuleIconSource*>(resolved) || dynamic_cast<TIconFileSource*>(resolved));
    }
    // An association whose icon file is missing leaves the type's icon or the fallback.
    TTestAssociation broken(".lkibroken", "LkiBrokenFile", "C:\\no\\such\\file.dll,1");
    TIconSource* hand = SystemIcon(32513);
    TIconSource* resolved = ResolveFileIcon("*.lkibroken", hand);
    EXPECT_TRUE(resolved == hand || resolved == ShellTypeIcon("*.lkibroken"));
}

TEST_F(IconTest, PercentOneMeansTheExecutableItself)
{
    // The program itself: its first icon is the application icon.
    char* self;
    ModuleFileName(self, GetModuleHandleA(nullptr));
    const std::string exe = TempCopy(Owned(self), "program.lkiexe");
    TTestAssociation association(".lkiexe", "LkiExeFile", "%1");

    TIconSource* source = ResolveFileIcon(exe.c_str(), LogoFallback);
    ASSERT_NE(nullptr, source);
    HICON application = ResourceIcon(APPLICATION_ICON_NAME)->GetIcon(IconSizeLarge, nullptr);
    EXPECT_TRUE(SamePicture(application, source->GetIcon(IconSizeLarge, nullptr), 32));
    // The file exists on a local drive and the shell knows it: the shell's icon of the file.
    EXPECT_EQ(ShellFileIcon(exe.c_str()), source);
    EXPECT_EQ(source, ResolveFileIcon(exe.c_str(), LogoFallback));

    // A "%1" file that is no module and that the shell knows nothing of.
    const char text[] = "text";
    const std::string broken = TempFile("broken.lkiexe", text, sizeof text);
    TIconSource* brokenSource = ResolveFileIcon(broken.c_str(), LogoFallback);
    ASSERT_NE(nullptr, brokenSource);
    EXPECT_NE(nullptr, brokenSource->GetIcon(IconSizeSmall, nullptr));
}

TEST_F(IconTest, ShellIconsForTypesAndSpecialFolders)
{
    TIconSource* type = ShellTypeIcon("C:\\no\\such\\folder\\letter.txt");
    EXPECT_EQ(type, ShellTypeIcon("C:\\no\\such\\folder\\letter.txt"));
    EXPECT_NE(nullptr, type->GetIcon(IconSizeSmall, nullptr));
    EXPECT_NE(nullptr, type->GetIcon(IconSizeLarge, nullptr));
    TIconSource* folder = ShellTypeIcon("C:\\no\\such\\folder\\");
    EXPECT_NE(nullptr, folder->GetIcon(IconSizeSmall, nullptr));

    char* system;
    SystemDirectory(system);
    const std::string shell32 = Owned(system) + "SHELL32.DLL";
    char* desktop;
    SpecialFolder(desktop, 0);
    const std::string desktopPath = Owned(desktop);
    if (!desktopPath.empty()) {
        EXPECT_EQ(ModuleIcon(shell32.c_str(), -35), ShellFileIcon(desktopPath.c_str()));
        EXPECT_EQ(ModuleIcon(shell32.c_str(), -35), ShellTypeIcon(desktopPath.c_str()));
    }
    char* startMenu;
    SpecialFolder(startMenu, 11);
    const std::string programs = Owned(startMenu) + "Programs\\";
    if (GetFileAttributesA(programs.c_str()) != INVALID_FILE_ATTRIBUTES && programs.size() > 10) {
        EXPECT_EQ(ModuleIcon(shell32.c_str(), -37), ShellFileIcon(programs.c_str()));
        // Without its backslash it is an ordinary folder.
        const std::string bare = programs.substr(0, programs.size() - 1);
        EXPECT_NE(ModuleIcon(shell32.c_str(), -37), ShellFileIcon(bare.c_str()));
    }
}

TEST_F(IconTest, PathIconOfAFile)
{
    const char text[] = "text";
    const std::string file = TempFile("note.lkinothing", text, sizeof text);
    TIconSource* source = PathIcon(file.c_str());
    EXPECT_EQ(source, PathIcon(file.c_str()));
    EXPECT_NE(nullptr, source->GetIcon(IconSizeSmall, nullptr));
    TIconSource* resolved = PathIcon(file.c_str());
    EXPECT_NE(nullptr, resolved);
    EXPECT_EQ(nullptr, dynamic_cast<TFileIconSource*>(resolved));
}
