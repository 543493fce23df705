// The About box: its texts, "Website" and "Readme" through the shell, and the ways it closes.
#include "console_harness.h"
#include "dialog_watcher.h"

#include "console/about_dialog.h"
#include "engine/web_site.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t* const ABOUT_CAPTION = L"About Tallimex...";

// The box with the shell left out: it only records what it would open.
class CRecordingAboutDialog : public CAboutDialog {
public:
    std::vector<std::wstring> opened;

protected:
    void openWithShell(const wchar_t* file) override { opened.emplace_back(file); }
};

struct SAboutContents {
    std::wstring text, website, readme, ok;
    HWND owner = nullptr;
    LONG_PTR okStyle = 0;
    bool okFocused = false;
};

} // namespace

TEST_F(ConsoleTest, TheHelpMenuShowsTheAboutBoxModally)
{
    open();
    SAboutContents seen;
    CDialogWatcher watcher;
    watcher.on(ABOUT_CAPTION, [&](HWND dialog) {
        seen.text = windowText(GetDlgItem(dialog, IDC_ABOUT_TEXT));
        seen.website = windowText(GetDlgItem(dialog, IDC_ABOUT_WEBSITE));
        seen.readme = windowText(GetDlgItem(dialog, IDC_ABOUT_README));
        seen.ok = windowText(GetDlgItem(dialog, IDC_ABOUT_OK));
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.okStyle = GetWindowLongPtrW(GetDlgItem(dialog, IDC_ABOUT_OK), GWL_STYLE);
        seen.okFocused = GetFocus() == GetDlgItem(dialog, IDC_ABOUT_OK);
        EXPECT_FALSE(IsWindowEnabled(GetWindow(dialog, GW_OWNER)));
        clickButton(dialog, IDC_ABOUT_OK);
    });
    command(IDM_HELP_ABOUT);
    ASSERT_EQ(watcher.count(ABOUT_CAPTION), 1u);
    EXPECT_EQ(seen.owner, mainWindow());
    EXPECT_EQ(seen.text.substr(0, 15), L"Tallimex v1.0\r\n");
    EXPECT_EQ(std::count(seen.text.begin(), seen.text.end(), L'\n'), 2);
    EXPECT_EQ(seen.website, L"Website");
    EXPECT_EQ(seen.readme, L"Readme");
    EXPECT_EQ(seen.ok, L"&OK");
    EXPECT_EQ(seen.okStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // Enter closes the box rather than opening the web site.
    EXPECT_TRUE(seen.okFocused);
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
    EXPECT_EQ(FindWindowW(nullptr, ABOUT_CAPTION), nullptr);
}

TEST_F(ConsoleTest, WebsiteAndReadmeOpenThroughTheShellAndTheBoxStaysOpen)
{
    open();
    CRecordingAboutDialog about;
    CDialogWatcher watcher;
    std::vector<std::wstring> openedWhileOpen;
    watcher.on(ABOUT_CAPTION, [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, IDC_ABOUT_WEBSITE), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(dialog, IDC_ABOUT_README), BM_CLICK, 0, 0);
        openedWhileOpen = about.opened;
        EXPECT_TRUE(IsWindow(dialog));
        clickButton(dialog, IDC_ABOUT_OK);
    });
    about.run(mainWindow());
    ASSERT_EQ(openedWhileOpen.size(), 2u);
    EXPECT_EQ(openedWhileOpen[0], VKCL::WEB_SITE_ADDRESS);
    EXPECT_EQ(openedWhileOpen[1], L"readme.txt");
    EXPECT_EQ(about.opened.size(), 2u);
}

TEST_F(ConsoleTest, TheAboutBoxClosesByItsCloseBoxAndByEscape)
{
    open();
    for (auto close : {CDialogWatcher::Action([](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }),
                       CDialogWatcher::Action([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); })}) {
        CRecordingAboutDialog about;
        CDialogWatcher watcher;
        watcher.on(ABOUT_CAPTION, close);
        about.run(mainWindow());
        EXPECT_EQ(watcher.count(ABOUT_CAPTION), 1u);
        EXPECT_TRUE(about.opened.empty());
        EXPECT_EQ(FindWindowW(nullptr, ABOUT_CAPTION), nullptr);
    }
}

TEST_F(ConsoleTest, F1WithoutTheDocumentationBesideTheProgramSaysSo)
{
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    std::wstring empty = std::wstring(temporary) + L"tallimex-no-docs-" + std::to_wstring(GetTickCount());
    ASSERT_TRUE(CreateDirectoryW(empty.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(empty.c_str()));
    open();
    CDialogWatcher watcher;
    watcher.answer(L"Error", IDOK);
    pressKey(inputLine(), VK_F1);
    command(IDM_HELP_DOCUMENTATION);
    SetCurrentDirectoryW(previous);
    RemoveDirectoryW(empty.c_str());

    ASSERT_EQ(watcher.count(L"Error"), 2u);
    for (const auto& box : watcher.dialogs()) {
        EXPECT_EQ(box.text, L"Could not open documentation file.");
        EXPECT_EQ(box.owner, mainWindow());
        EXPECT_FALSE(box.hasIcon);
    }
}
