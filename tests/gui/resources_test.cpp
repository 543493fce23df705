// The resources loaded by number: main menu, accelerators, icon and manifest.
#include "console_harness.h"

#include "resources/resource_ids.h"

#include <string>
#include <vector>

namespace {

struct SItem {
    const wchar_t* text; // null for a separator
    int id;              // 0 for a popup
};

struct SActualItem {
    bool separator;
    std::wstring text;
    int id;
};

std::vector<SActualItem> itemsOf(HMENU menu)
{
    std::vector<SActualItem> items;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({true, L"", 0});
            continue;
        }
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        items.push_back({false, text, info.hSubMenu != nullptr ? 0 : static_cast<int>(info.wID)});
    }
    return items;
}

void expectItems(HMENU menu, const std::vector<SItem>& expected, const char* where)
{
    std::vector<SActualItem> actual = itemsOf(menu);
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (size_t index = 0; index < expected.size(); ++index) {
        if (expected[index].text == nullptr) {
            EXPECT_TRUE(actual[index].separator) << where << " item " << index << " is not a separator";
            continue;
        }
        ASSERT_FALSE(actual[index].separator) << where << " item " << index;
        EXPECT_EQ(actual[index].text, expected[index].text) << where << " item " << index;
        EXPECT_EQ(actual[index].id, expected[index].id) << where << " item " << index;
    }
}

} // namespace

TEST(ResourcesTest, MainMenuHasItsPopupsItemsAndSeparators)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    expectItems(menu, {{L"&File", 0}, {L"&Edit", 0}, {L"&View", 0}, {L"&Graph", 0}, {L"&Solve", 0}, {L"&Help", 0}},
                "menu bar");
    expectItems(GetSubMenu(menu, 0),
                {{L"&Clear output", 36866}, {L"&Save output", 36867}, {L"Save output &as...", 36868}, {nullptr, 0},
                 {L"E&xit\tAlt+F4", 36870}},
                "File");
    expectItems(GetSubMenu(menu, 1),
                {{L"Cut\tCtrl+X", 36881}, {L"Copy\tCtrl+C", 36882}, {L"Paste\tCtrl+V", 36883}, {L"Delete\tDel", 36884}},
                "Edit");
    expectItems(GetSubMenu(menu, 2), {{L"Calculator panel\tCtrl+M", 36897}, {L"Greek letters\tCtrl+N", 36898}},
                "View");
    expectItems(GetSubMenu(menu, 3), {{L"&Plot", 0}}, "Graph");
    expectItems(GetSubMenu(GetSubMenu(menu, 3), 0),
                {{L"&Expression...\tCtrl+G", 36913}, {L"Parametrized &vector...\tCtrl+H", 36914}}, "Plot");
    expectItems(GetSubMenu(menu, 4), {{L"Quadratic\tCtrl+Q", 36929}, {L"Cubic", 36930}}, "Solve");
    expectItems(GetSubMenu(menu, 5), {{L"Open &documentation\tF1", 36945}, {nullptr, 0}, {L"&About...", 36946}},
                "Help");
    DestroyMenu(menu);
}

TEST(ResourcesTest, AcceleratorsAreTheSixVirtualKeys)
{
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[16];
    int count = CopyAcceleratorTableW(table, entries, 16);
    ASSERT_EQ(count, 6);
    const ACCEL expected[] = {
        {FVIRTKEY | FCONTROL, 'Q', 36929}, {FVIRTKEY | FCONTROL, 'M', 36897}, {FVIRTKEY | FCONTROL, 'N', 36898},
        {FVIRTKEY | FCONTROL, 'G', 36913}, {FVIRTKEY | FCONTROL, 'H', 36914}, {FVIRTKEY, VK_F1, 36945},
    };
    for (int index = 0; index < count; ++index) {
        EXPECT_EQ(entries[index].fVirt & ~0x80, expected[index].fVirt) << index;
        EXPECT_EQ(entries[index].key, expected[index].key) << index;
        EXPECT_EQ(entries[index].cmd, expected[index].cmd) << index;
    }
}

TEST(ResourcesTest, TheIconHasSmallAndLargeImages)
{
    for (int size : {16, 32, 48}) {
        auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TALLIMEX),
                                                  IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ResourcesTest, TheManifestAsksForThemedControlsAndSystemDpiAwareness)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(resource, nullptr);
    auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    std::string manifest(data, SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}
