// The About box, with buttons that open the web site and the readme through the shell.
#include "console/about_dialog.h"

#include "console/documents.h"
#include "engine/web_site.h"
#include "resources/resource_ids.h"

#include <shellapi.h>

namespace {

// Beside the program, in the current directory or the program's folder.
const wchar_t* const README_FILE = L"readme.txt";

} // namespace

void CAboutDialog::run(HWND owner)
{
    runModal(IDD_ABOUT, owner);
}

INT_PTR CAboutDialog::onClose()
{
    EndDialog(m_window, 0);
    return TRUE;
}

// Escape (IDCANCEL) closes the box like "OK" does.
INT_PTR CAboutDialog::onCommand(int code, int id, HWND)
{
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_ABOUT_OK:
    case IDCANCEL: PostMessageW(m_window, WM_CLOSE, 0, 0); return TRUE;
    case IDC_ABOUT_README: openReadme(); return TRUE;
    case IDC_ABOUT_WEBSITE: openWithShell(VKCL::WEB_SITE_ADDRESS); return TRUE;
    default: return FALSE;
    }
}

// Where neither folder has the readme, the shell says so by its name.
void CAboutDialog::openReadme()
{
    const std::wstring path = findDocument(README_FILE);
    openWithShell(path.empty() ? README_FILE : path.c_str());
}

void CAboutDialog::openWithShell(const wchar_t* file)
{
    ShellExecuteW(nullptr, L"open", file, nullptr, nullptr, SW_SHOW);
}

void showAboutBox(HWND owner)
{
    CAboutDialog about;
    about.run(owner);
}
