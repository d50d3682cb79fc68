// The plug-in DLL as the Windows host meets it: loaded with LoadLibrary, its
// entry found by name, its cursors and version read through the Win32 API.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "CursorCatalogue.h"
#include "interface/KSKludgeRecords.h"
#include "interface/KSTypes.h"
#include "kernel/DKCoordTypes.h"

namespace {

using Entry = int32_t(KS_CDECL*)(int32_t, int32_t, int32_t, void*, CallbackBlock*);
using movedup::cursors::kCursors;

class Library : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gModule = LoadLibraryA(MOVEDUP_PLUGIN_PATH); }
    static void TearDownTestSuite() {
        if (gModule != nullptr) FreeLibrary(gModule);
        gModule = nullptr;
    }
    void SetUp() override { ASSERT_NE(gModule, nullptr) << "LoadLibrary failed: " << GetLastError(); }

    static HMODULE gModule;
};
HMODULE Library::gModule = nullptr;

TEST(InterfaceLayout, IsThe32BitOne) {
    EXPECT_EQ(sizeof(void*), 4u);
    EXPECT_EQ(sizeof(Point2D), 16u);
    EXPECT_EQ(sizeof(Point3D), 24u);
    EXPECT_EQ(sizeof(Rect2D), 32u);
    EXPECT_EQ(sizeof(Cube3D), 48u);
    EXPECT_EQ(sizeof(TKludgeConversionRecord), 24u);
    EXPECT_EQ(offsetof(TKludgeConversionRecord, fCount), 20u);
    EXPECT_EQ(sizeof(TKludgeCheckBlockRecord), 26u);
    EXPECT_EQ(sizeof(TKludgeCheckValuesRecord), 26u);
    EXPECT_EQ(sizeof(TKludgeCheckStringRecord), 30u);
}

TEST_F(Library, ExportsMainAndNothingByItsOtherNames) {
    const auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(gModule, "main")));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(GetProcAddress(gModule, "PluginMain"), nullptr);
    EXPECT_EQ(GetProcAddress(gModule, "_main"), nullptr);
    EXPECT_EQ(GetProcAddress(gModule, "ToolMain"), nullptr);

    // An event the tool does not know is answered 0 without a host call.
    void* slot = nullptr;
    EXPECT_EQ(entry(9999, 0, 0, &slot, nullptr), 0);
    EXPECT_EQ(slot, nullptr);
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::set<int32_t>*>(found)->insert(static_cast<int32_t>(reinterpret_cast<ULONG_PTR>(name)));
    else
        reinterpret_cast<std::set<int32_t>*>(found)->insert(-1);  // a named resource: none is expected
    return TRUE;
}

TEST_F(Library, CarriesExactlyTheToolsGroupCursors) {
    std::set<int32_t> found;
    ASSERT_TRUE(EnumResourceNamesA(gModule, MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */, CollectName,
                                   reinterpret_cast<LONG_PTR>(&found)));
    std::set<int32_t> expected;
    for (const auto& c : kCursors) expected.insert(c.id);
    EXPECT_EQ(found, expected);
}

class LoadedCursor : public Library, public ::testing::WithParamInterface<movedup::cursors::CursorEntry> {};

TEST_P(LoadedCursor, HasItsSizeHotspotAndLanguage) {
    const auto& c = GetParam();
    const LPCSTR name = MAKEINTRESOURCEA(c.id);
    EXPECT_NE(FindResourceExA(gModule, MAKEINTRESOURCEA(12), name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              nullptr);

    HCURSOR shared = LoadCursorA(gModule, name);
    EXPECT_NE(shared, nullptr);

    HANDLE image = LoadImageA(gModule, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
    ASSERT_NE(image, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(image), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(static_cast<int>(info.xHotspot), c.hotspotX);
    EXPECT_EQ(static_cast<int>(info.yHotspot), c.hotspotY);
    // Monochrome: no colour bitmap, one mask twice the height (AND over XOR).
    EXPECT_EQ(info.hbmColor, nullptr);
    BITMAP mask{};
    ASSERT_NE(GetObjectA(info.hbmMask, sizeof mask, &mask), 0);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DestroyCursor(static_cast<HCURSOR>(image));
}

INSTANTIATE_TEST_SUITE_P(All, LoadedCursor, ::testing::ValuesIn(kCursors),
                         [](const auto& info) { return std::to_string(info.param.id); });

std::string VersionString(const std::vector<char>& block, const char* key) {
    char* value = nullptr;
    UINT size = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &size) || value == nullptr)
        return "<missing>";
    return std::string(value, strnlen(value, size));
}

TEST_F(Library, CarriesTheProjectsVersion) {
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(gModule, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    EXPECT_EQ(VersionString(block, "ProductName"), "MoveDuplicate");
    EXPECT_EQ(VersionString(block, "FileVersion"), MOVEDUP_VERSION);
    EXPECT_EQ(VersionString(block, "OriginalFilename"), "MoveDuplicate.dll");
    const std::string dotted = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                               std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                               std::to_string(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(dotted, MOVEDUP_VERSION);
}

}  // namespace
