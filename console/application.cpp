// Start-up of the program and its one message loop.
#include "console/application.h"

#include "console/console_window.h"
#include "graph/windows/graph_window.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t* const START_UP_ERROR_TITLE = L"Initialization error.";

int runMessageLoop(const CConsoleWindow& console, HACCEL accelerators)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        handleLoopMessage(console, accelerators, message);
    return static_cast<int>(message.wParam);
}

} // namespace

int runApplication(HINSTANCE instance)
{
    CConsoleWindow console;
    if (!CConsoleWindow::registerClass(instance)) {
        // The advice is older than the program's Windows 7 minimum; it stays the message users know.
        MessageBoxW(nullptr, L"Make sure you're running Windows 98 SE or newer.", START_UP_ERROR_TITLE, MB_ICONERROR);
        return 0;
    }
    CGraphWindow::registerClass(instance);
    HWND mainWindow = console.create(instance);
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (!IsWindow(mainWindow)) {
        MessageBoxW(nullptr, L"Error initializing main window.", START_UP_ERROR_TITLE, MB_ICONERROR);
        return 0;
    }
    ShowWindow(mainWindow, SW_SHOWDEFAULT);
    return runMessageLoop(console, accelerators);
}

void handleLoopMessage(const CConsoleWindow& console, HACCEL accelerators, MSG& message)
{
    if (console.toolWindows().isDialogMessage(message))
        return;
    if (TranslateAcceleratorW(console.handle(), accelerators, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
