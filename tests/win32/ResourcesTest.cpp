#include "resource.h"
#include "version.h"
#include "win32/ResourceText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ResourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = ::FindResourceA(nullptr, name, type);
    if (!found)
        return {};
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    return std::string(data, ::SizeofResource(nullptr, found));
}

TEST(ResourcesTest, ManifestAsksForCommonControlsSixAndDpiAwareness)
{
    const std::string manifest = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("WindowsSettings\">true</dpiAware>"), std::string::npos);
}

TEST(ResourcesTest, VersionInfoNamesTheProduct)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, info.data()));
    char* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductName",
                                 reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, "Vantora");
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                                 reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, VANTORA_VERSION_TEXT);
}

// The numbers, both version strings and the About box's first line agree, and
// come from the build's version.
TEST(ResourcesTest, VersionResourceAndAboutTextCarryOneVersion)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    std::vector<char> info(::GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
    auto text = [&](const char* name) {
        char* value = nullptr;
        UINT length = 0;
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        return ::VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)
                   ? std::string(value)
                   : std::string("(none)");
    };
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%u.%02u", static_cast<unsigned>(HIWORD(fixed->dwFileVersionMS)),
                  static_cast<unsigned>(LOWORD(fixed->dwFileVersionMS)));

    EXPECT_EQ(text("FileVersion"), VANTORA_VERSION_TEXT);
    EXPECT_EQ(text("ProductVersion"), VANTORA_VERSION_TEXT);
    EXPECT_EQ(numbers, std::string(VANTORA_VERSION_TEXT));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    const std::string about = win32::LoadResourceText(::GetModuleHandleA(nullptr), IDS_ABOUT_TEXT);
    EXPECT_EQ(about.substr(0, about.find('\r')), std::string("Vantora v") + VANTORA_VERSION_TEXT);
}

TEST(ResourcesTest, ProgramTextsUseLoneCarriageReturns)
{
    HINSTANCE self = ::GetModuleHandleA(nullptr);
    EXPECT_EQ(win32::LoadResourceText(self, IDS_FIXED), "Fixed");
    EXPECT_EQ(win32::LoadResourceText(self, IDS_ABOUT_CAPTION), "About Vantora");
    const std::string about = win32::LoadResourceText(self, IDS_ABOUT_TEXT);
    EXPECT_EQ(about.rfind(std::string("Vantora v") + VANTORA_VERSION_TEXT + "\r", 0), 0u);
    EXPECT_EQ(std::count(about.begin(), about.end(), '\r'), 2);
    EXPECT_EQ(about.find('\n'), std::string::npos);
    EXPECT_EQ(win32::LoadResourceText(self, IDS_SUMMARY_FORMAT),
              "Executable file name: %s\rProcess ID: %.8x\rParent process ID: %.8x\r"
              "Priority class: %d\rThreads: %d\r\rModules information:");
    EXPECT_EQ(win32::LoadResourceText(self, 9999), "");
}

TEST(ResourcesTest, IconHasThreeImagesOfThirtyTwoPixels)
{
    const std::string group = ResourceBytes(IDI_MAINICON_NAME, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u + 3 * 14u);
    EXPECT_EQ(static_cast<unsigned char>(group[4]), 3u);
    std::vector<int> depths;
    for (int i = 0; i < 3; ++i) {
        const unsigned char* entry = reinterpret_cast<const unsigned char*>(group.data()) + 6 + 14 * i;
        EXPECT_EQ(entry[0], 32);
        EXPECT_EQ(entry[1], 32);
        depths.push_back(entry[6] | (entry[7] << 8));
    }
    std::sort(depths.begin(), depths.end());
    EXPECT_EQ(depths, (std::vector<int>{4, 24, 32}));
}

} // namespace
