// Helper of the smoke test: finds the running program's main window and prints the text of its
// output pane or input line on one line (CR and LF written as \r and \n), presses F1 in it
// ("f1"), or closes it ("close"). Exits with 1 when no main window is there.
#include "resources/resource_ids.h"
#include "version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    const char* what = argc > 1 ? argv[1] : "pane";
    HWND window = FindWindowW(L"Tallimex", L"Tallimex v" TALLIMEX_VERSION);
    if (window == nullptr)
        return 1;
    if (std::strcmp(what, "close") == 0) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    // As the keyboard posts it to the focused input line; the message loop's accelerators act on it.
    if (std::strcmp(what, "f1") == 0) {
        HWND input = GetDlgItem(window, IDC_INPUT_LINE);
        PostMessageW(input, WM_KEYDOWN, VK_F1, 1);
        PostMessageW(input, WM_KEYUP, VK_F1, 1 | 0xC0000000);
        return 0;
    }

    HWND control = GetDlgItem(window, std::strcmp(what, "input") == 0 ? IDC_INPUT_LINE : IDC_OUTPUT_PANE);
    auto length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    auto copied =
        static_cast<int>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(copied));

    std::wstring escaped;
    for (wchar_t character : text) {
        if (character == L'\r')
            escaped += L"\\r";
        else if (character == L'\n')
            escaped += L"\\n";
        else
            escaped += character;
    }
    std::string utf8(static_cast<size_t>(escaped.size()) * 3 + 1, '\0');
    int size = WideCharToMultiByte(CP_UTF8, 0, escaped.data(), static_cast<int>(escaped.size()), utf8.data(),
                                   static_cast<int>(utf8.size()), nullptr, nullptr);
    std::fwrite(utf8.data(), 1, static_cast<size_t>(size), stdout);
    std::fputc('\n', stdout);
    return 0;
}
