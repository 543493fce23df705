// The resources loaded by number: the main menu and the accelerators.
#include "resources/resource_ids.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The menu written out, one line per item: popups open with "[", close with "]", "-" is a
// separator, and a command shows its id.
std::string describeMenu(HMENU menu)
{
    std::string text;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        char caption[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), caption, 128, MF_BYPOSITION);
        if (info.fType & MFT_SEPARATOR)
            text += "-\n";
        else if (info.hSubMenu != nullptr)
            text += std::string(caption) + " [\n" + describeMenu(info.hSubMenu) + "]\n";
        else
            text += std::string(caption) + " " + std::to_string(info.wID) + "\n";
    }
    return text;
}

std::string item(const char* caption, int id)
{
    return std::string(caption) + " " + std::to_string(id) + "\n";
}

} // namespace

TEST(ResourcesTest, TheMainMenuHasItsItemsWithTheCommandsTheWindowHandles)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    std::string expected = "&File [\n" + item("&Clear output", IDM_FILE_CLEAR_OUTPUT) +
                           item("&Save output", IDM_FILE_SAVE_OUTPUT) +
                           item("Save output &as...", IDM_FILE_SAVE_OUTPUT_AS) + "-\n" +
                           item("E&xit\tAlt+F4", IDM_FILE_EXIT) + "]\n"
                           "&Edit [\n" + item("Cut\tCtrl+X", IDM_EDIT_CUT) + item("Copy\tCtrl+C", IDM_EDIT_COPY) +
                           item("Paste\tCtrl+V", IDM_EDIT_PASTE) + item("Delete\tDel", IDM_EDIT_DELETE) + "]\n"
                           "&View [\n" + item("Calculator panel\tCtrl+M", IDM_VIEW_CALCULATOR_PANEL) +
                           item("Greek letters\tCtrl+N", IDM_VIEW_GREEK_LETTERS) + "]\n"
                           "&Graph [\n&Plot [\n" + item("&Expression...\tCtrl+G", IDM_PLOT_EXPRESSION) +
                           item("Parametrized &vector...\tCtrl+H", IDM_PLOT_VECTOR) + "]\n]\n"
                           "&Solve [\n" + item("Quadratic\tCtrl+Q", IDM_SOLVE_QUADRATIC) +
                           item("Cubic", IDM_SOLVE_CUBIC) + "]\n"
                           "&Help [\n" + item("Open &documentation\tF1", IDM_HELP_DOCUMENTATION) + "-\n" +
                           item("&About...", IDM_HELP_ABOUT) + "]\n";
    EXPECT_EQ(describeMenu(menu), expected);
    DestroyMenu(menu);
}

// Each accelerator is the key its menu item shows. The other keys the menu shows (Cut, Copy,
// Paste, Delete, Alt+F4) are the edit control's and the system's own.
TEST(ResourcesTest, TheAcceleratorsAreTheKeysTheMenuShows)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[16];
    int count = CopyAcceleratorTableW(table, entries, 16);
    EXPECT_EQ(count, 6);
    for (int index = 0; index < count; ++index) {
        const ACCEL& entry = entries[index];
        std::string key = entry.key == VK_F1 ? "F1" : std::string(1, static_cast<char>(entry.key));
        key = (entry.fVirt & FCONTROL ? "Ctrl+" : "") + key;
        char caption[128] = {};
        GetMenuStringA(menu, entry.cmd, caption, 128, MF_BYCOMMAND);
        std::string shown = caption;
        EXPECT_TRUE(entry.fVirt & FVIRTKEY) << key;
        EXPECT_EQ(shown.substr(shown.find('\t') + 1), key) << "the accelerator for command " << entry.cmd;
    }
    DestroyMenu(menu);
}
