// The Help menu: the About box, its "Website" and "Readme" buttons and the ways it closes, and the
// documentation that is not there.
#include "console_harness.h"

#include "console/about_dialog.h"
#include "engine/web_site.h"
#include "resources/resource_ids.h"

#include <filesystem>
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

} // namespace

// Enter closes the box rather than opening the web site: OK starts with the focus.
TEST_F(ConsoleTest, TheAboutBoxIsModalAndStartsWithTheFocusOnOK)
{
    open();
    bool ownerEnabled = true, okFocused = false;
    CDialogWatcher watcher;
    watcher.on(ABOUT_CAPTION, [&](HWND dialog) {
        ownerEnabled = IsWindowEnabled(mainWindow()) != FALSE;
        okFocused = GetFocus() == GetDlgItem(dialog, IDC_ABOUT_OK);
        clickButton(dialog, IDC_ABOUT_OK);
    });
    command(IDM_HELP_ABOUT);
    ASSERT_EQ(watcher.count(ABOUT_CAPTION), 1u);
    EXPECT_EQ(watcher.dialogs()[0].owner, mainWindow());
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(okFocused);
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
    EXPECT_EQ(FindWindowW(nullptr, ABOUT_CAPTION), nullptr);
}

TEST_F(ConsoleTest, AboutBoxButtonsOpenThroughTheShellOrCloseIt)
{
    open();
    struct {
        const char* does;
        std::vector<int> buttons; // clicked in turn; the box must still be open after each
        std::vector<std::wstring> opens;
        CDialogWatcher::Action close;
    } cases[] = {
        {"Website, Readme, OK", {IDC_ABOUT_WEBSITE, IDC_ABOUT_README}, {VKCL::WEB_SITE_ADDRESS, L"readme.txt"},
         [](HWND dialog) { clickButton(dialog, IDC_ABOUT_OK); }},
        {"close box", {}, {}, [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }},
        {"Escape", {}, {}, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }},
    };
    for (const auto& c : cases) {
        CRecordingAboutDialog about;
        bool stayedOpen = true;
        CDialogWatcher watcher;
        watcher.on(ABOUT_CAPTION, [&](HWND dialog) {
            for (int button : c.buttons) {
                SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
                stayedOpen = stayedOpen && IsWindowVisible(dialog);
            }
            c.close(dialog);
        });
        about.run(mainWindow());
        EXPECT_EQ(watcher.count(ABOUT_CAPTION), 1u) << c.does;
        EXPECT_TRUE(stayedOpen) << c.does;
        EXPECT_EQ(about.opened, c.opens) << c.does;
        EXPECT_EQ(FindWindowW(nullptr, ABOUT_CAPTION), nullptr) << c.does;
    }
}

// The documentation is opened from the current directory, where the program is installed.
TEST_F(ConsoleTest, F1WithoutTheDocumentationSaysSo)
{
    namespace fs = std::filesystem;
    fs::path previous = fs::current_path();
    fs::path empty = fs::temp_directory_path() / ("tallimex-no-docs-" + std::to_string(GetTickCount()));
    ASSERT_TRUE(fs::create_directory(empty));
    fs::current_path(empty);
    open();
    CDialogWatcher watcher;
    pressKey(inputLine(), VK_F1);
    fs::current_path(previous);
    fs::remove(empty);

    EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{L"Error: Could not open documentation file."});
}
