// The resources loaded by number: the main and graph menus and the accelerators.
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

TEST(ResourcesTest, TheGraphMenuHasItsItemsWithTheCommandsTheGraphWindowHandles)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_GRAPH_MENU));
    ASSERT_NE(menu, nullptr);
    std::string expected = "&File [\n" + item("&Save", IDM_GRAPH_SAVE) + item("Save &as...", IDM_GRAPH_SAVE_AS) +
                           item("&Print", IDM_GRAPH_PRINT) + item("&Close", IDM_GRAPH_CLOSE) + "]\n"
                           "&Edit [\n" + item("&Copy", IDM_GRAPH_COPY) + "]\n"
                           "&Graph [\nAdd &plot [\n" + item("&Expression...", IDM_GRAPH_ADD_EXPRESSION) +
                           item("Parametrized &vector...", IDM_GRAPH_ADD_VECTOR) + "]\n-\n" +
                           item("&Zoom (change axis)", IDM_GRAPH_ZOOM) + "]\n";
    EXPECT_EQ(describeMenu(menu), expected);
    DestroyMenu(menu);
}

namespace {

INT_PTR CALLBACK inertDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The dialog's caption and its controls in tab order, one per line: id, class and text.
std::string describeDialog(int resourceId)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), nullptr, inertDialog, 0);
    char text[128] = {};
    GetWindowTextA(dialog, text, 128);
    std::string description = std::string(text) + "\n";
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(control, className, 32);
        GetWindowTextA(control, text, 128);
        description += std::to_string(GetDlgCtrlID(control)) + " " + className + " " + text + "\n";
    }
    DestroyWindow(dialog);
    return description;
}

} // namespace

TEST(ResourcesTest, ThePlotAndZoomDialogsHaveTheirControlsInTabOrder)
{
    const std::string ranges = "49169 Static Variable:\n49170 Edit \n49171 Button Variable value range\n"
                               "49153 Static From:\n49155 Edit \n49154 Static To:\n49156 Edit \n"
                               "49187 Button x-axis\n49176 Button Use default\n49185 Static From:\n49159 Edit \n"
                               "49186 Static To:\n49160 Edit \n49188 Button y-axis\n49175 Button Use default\n"
                               "49177 Static From:\n49157 Edit \n49184 Static To:\n49158 Edit \n49192 Button Visual\n"
                               "49189 Static Weight:\n49190 ComboBox \n49191 Button Choose &color...\n"
                               "49201 Button &OK\n49202 Button &Cancel\n";
    EXPECT_EQ(describeDialog(IDD_PLOT_EXPRESSION),
              "Plot expression...\n49161 Static Expression:\n49168 Edit \n" + ranges);
    EXPECT_EQ(describeDialog(IDD_PLOT_VECTOR), "Plot parametrized vector...\n49162 Static x expression:\n49163 Edit \n"
                                               "49164 Static y expression:\n49165 Edit \n" + ranges);
    EXPECT_EQ(describeDialog(IDD_ZOOM), "Zoom\n32769 Button x-axis\n32770 Static From:\n32771 Static To:\n"
                                        "32772 Edit \n32773 Edit \n32774 Button y-axis\n32775 Static From:\n"
                                        "32776 Static To:\n32777 Edit \n32778 Edit \n32779 Static Axis values:\n"
                                        "32780 Edit \n32781 Button &OK\n32782 Button &Cancel\n");
}
