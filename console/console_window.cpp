// The console object: the main window with its input line and output pane, and the engine.
#include "console/console_window.h"

#include "console/about_dialog.h"
#include "console/documents.h"
#include "console/output_saving.h"
#include "foundation/dialog_message.h"
#include "foundation/exception.h"
#include "graph/windows/graph_window.h"
#include "graph/windows/plot_dialog.h"
#include "host/engine_work.h"
#include "host/other_windows_disabled.h"
#include "resources/resource_ids.h"
#include "version.h"

#include <cstdint>
#include <optional>

namespace {

const wchar_t* const CLASS_NAME = L"Tallimex";
const wchar_t* const WINDOW_TITLE = L"Tallimex v" TALLIMEX_VERSION;
const wchar_t* const FONT_FACE = L"Arial";

// Positions of the popups in the main menu.
constexpr int EDIT_MENU_POSITION = 1;

} // namespace

CConsoleWindow::CConsoleWindow() = default;

CConsoleWindow::~CConsoleWindow()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    if (m_font != nullptr)
        DeleteObject(m_font);
}

bool CConsoleWindow::registerClass(HINSTANCE instance)
{
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = CWindow::windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TALLIMEX));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = CLASS_NAME;
    return RegisterClassW(&windowClass) != 0;
}

HWND CConsoleWindow::create(HINSTANCE instance)
{
    return CreateWindowExW(0, CLASS_NAME, WINDOW_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                           CW_USEDEFAULT, 0, nullptr, nullptr, instance, this);
}

bool CConsoleWindow::isCommand(UINT message, WPARAM wParam) const noexcept
{
    return CWindow::isCommand(message, wParam) || message == WM_EXECUTE_LINE || message == WM_RECALL_OLDER ||
           message == WM_RECALL_NEWER;
}

LRESULT CConsoleWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return onCreate();
    case WM_DESTROY: return onDestroy();
    case WM_SIZE: return onSize(LOWORD(lParam), HIWORD(lParam));
    case WM_ACTIVATE: return onActivate(wParam);
    case WM_COMMAND: return onCommand(HIWORD(wParam), LOWORD(wParam));
    case WM_EXECUTE_LINE: return onExecuteLine();
    case WM_RECALL_OLDER: return onRecallOlder();
    case WM_RECALL_NEWER: return onRecallNewer();
    default: return defaultProcedure(message, wParam, lParam);
    }
}

void CConsoleWindow::onError(const VKF::CException& error)
{
    showErrorBox(m_window, error, ERROR_TITLE, MB_ICONERROR);
}

LRESULT CConsoleWindow::onCreate()
{
    m_inputLine.create();
    m_outputPane.create();
    m_toolWindows.create(*this);
    createFont();
    HDC context = GetDC(m_window);
    GetTextMetricsW(context, &m_textMetrics);
    ReleaseDC(m_window, context);
    SetFocus(m_inputLine.handle());
    return 0;
}

LRESULT CConsoleWindow::onDestroy()
{
    PostQuitMessage(0);
    return 0;
}

// The input line holds one line of the font with its border; the margins grow with the display
// scale.
LRESULT CConsoleWindow::onSize(int width, int height)
{
    const CDisplayScale scale = displayScale();
    const int margin = scale.scaled(10);
    const int lineHeight = m_textMetrics.tmHeight + scale.scaled(6);
    const int paneTop = margin + lineHeight + scale.scaled(8);
    m_inputLine.move(static_cast<int16_t>(margin), static_cast<int16_t>(margin),
                     static_cast<int16_t>(width - 2 * margin), static_cast<int16_t>(lineHeight));
    m_outputPane.move(static_cast<int16_t>(margin), static_cast<int16_t>(paneTop),
                      static_cast<int16_t>(width - 2 * margin), static_cast<int16_t>(height - paneTop - margin));
    return 0;
}

LRESULT CConsoleWindow::onActivate(WPARAM state)
{
    if (state != 0)
        SetFocus(m_inputLine.handle());
    return 0;
}

// Menus and accelerators send codes 0 and 1; the controls send their notifications.
LRESULT CConsoleWindow::onCommand(int code, int id)
{
    switch (code) {
    case 0:
    case 1: onMenuCommand(id); break;
    case EN_CHANGE: onFieldChanged(id); break;
    case EN_SETFOCUS: onFieldFocused(id); break;
    case EN_KILLFOCUS: onFieldUnfocused(); break;
    }
    return 0;
}

LRESULT CConsoleWindow::onExecuteLine()
{
    executeInputLine();
    return 0;
}

LRESULT CConsoleWindow::onRecallOlder()
{
    m_inputLine.recallOlder();
    return 0;
}

LRESULT CConsoleWindow::onRecallNewer()
{
    m_inputLine.recallNewer();
    return 0;
}

// Each menu's handler names its commands and takes only those.
void CConsoleWindow::onMenuCommand(int id)
{
    onFileCommand(id) || onEditCommand(id) || onViewCommand(id) || onGraphCommand(id) || onSolveCommand(id)
        || onHelpCommand(id);
}

bool CConsoleWindow::onFileCommand(int id)
{
    switch (id) {
    case IDM_FILE_CLEAR_OUTPUT: m_outputPane.clear(); break;
    case IDM_FILE_SAVE_OUTPUT: saveOutput(m_window, m_outputPane); break;
    case IDM_FILE_SAVE_OUTPUT_AS: saveOutputAs(m_window, m_outputPane); break;
    case IDM_FILE_EXIT: PostMessageW(m_window, WM_CLOSE, 0, 0); break;
    default: return false;
    }
    return true;
}

// Only the input line can be changed; the output pane can still be copied from.
bool CConsoleWindow::onEditCommand(int id)
{
    bool inputFocused = m_focusedField == IDC_INPUT_LINE;
    HWND focused = m_focusedField == IDC_INPUT_LINE    ? m_inputLine.handle()
                   : m_focusedField == IDC_OUTPUT_PANE ? m_outputPane.handle()
                                                       : nullptr;
    switch (id) {
    case IDM_EDIT_CUT: if (inputFocused) SendMessageW(focused, WM_CUT, 0, 0); break;
    case IDM_EDIT_COPY: if (focused != nullptr) SendMessageW(focused, WM_COPY, 0, 0); break;
    case IDM_EDIT_PASTE: if (inputFocused) SendMessageW(focused, WM_PASTE, 0, 0); break;
    case IDM_EDIT_DELETE: if (inputFocused) SendMessageW(focused, WM_CLEAR, 0, 0); break;
    default: return false;
    }
    return true;
}

bool CConsoleWindow::onViewCommand(int id)
{
    switch (id) {
    case IDM_VIEW_CALCULATOR_PANEL: toggleToolWindow(ToolWindow::CalculatorPanel); break;
    case IDM_VIEW_GREEK_LETTERS: toggleToolWindow(ToolWindow::GreekLetters); break;
    default: return false;
    }
    return true;
}

bool CConsoleWindow::onGraphCommand(int id)
{
    switch (id) {
    case IDM_PLOT_EXPRESSION: plot(PlotKind::Expression); break;
    case IDM_PLOT_VECTOR: plot(PlotKind::Vector); break;
    default: return false;
    }
    return true;
}

// A plot the user accepts opens a new graph window owned by the main window.
void CConsoleWindow::plot(PlotKind kind)
{
    if (const std::optional<CPlotSetup> setup = CPlotDialog::ask(*this, m_window, kind))
        CGraphWindow::openGraph(*this, *setup, m_window);
}

bool CConsoleWindow::onSolveCommand(int id)
{
    switch (id) {
    case IDM_SOLVE_QUADRATIC: toggleToolWindow(ToolWindow::QuadraticSolver); break;
    case IDM_SOLVE_CUBIC: toggleToolWindow(ToolWindow::CubicSolver); break;
    default: return false;
    }
    return true;
}

bool CConsoleWindow::onHelpCommand(int id)
{
    switch (id) {
    case IDM_HELP_DOCUMENTATION: openDocumentation(); break;
    case IDM_HELP_ABOUT: showAboutBox(m_window); break;
    default: return false;
    }
    return true;
}

// The documentation lies beside the program, in the current directory or the program's folder.
void CConsoleWindow::openDocumentation()
{
    if (!openDocument(m_window, L"index.htm"))
        MessageBoxW(m_window, L"Could not open documentation file.", ERROR_TITLE, MB_OK);
}

void CConsoleWindow::onFieldChanged(int id)
{
    if (id == IDC_INPUT_LINE)
        m_inputLine.onChanged();
}

void CConsoleWindow::onFieldFocused(int id)
{
    HMENU edit = GetSubMenu(GetMenu(m_window), EDIT_MENU_POSITION);
    EnableMenuItem(edit, IDM_EDIT_COPY, MF_BYCOMMAND | MF_ENABLED);
    if (id == IDC_INPUT_LINE) {
        EnableMenuItem(edit, IDM_EDIT_CUT, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(edit, IDM_EDIT_PASTE, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(edit, IDM_EDIT_DELETE, MF_BYCOMMAND | MF_ENABLED);
        m_focusedField = IDC_INPUT_LINE;
    } else if (id == IDC_OUTPUT_PANE) {
        m_focusedField = IDC_OUTPUT_PANE;
    }
}

void CConsoleWindow::onFieldUnfocused()
{
    HMENU edit = GetSubMenu(GetMenu(m_window), EDIT_MENU_POSITION);
    for (UINT item : {IDM_EDIT_COPY, IDM_EDIT_CUT, IDM_EDIT_PASTE, IDM_EDIT_DELETE})
        EnableMenuItem(edit, item, MF_BYCOMMAND | MF_GRAYED);
    m_focusedField = 0;
}

void CConsoleWindow::executeInputLine()
{
    CEngineWork work(*this);
    // A panel's "Exe" while a dialog of the main window is open.
    if (work.refused() || !IsWindowEnabled(m_window)) {
        MessageBeep(MB_OK);
        return;
    }
    VKF::CString line = m_inputLine.text();
    VKF::CString result;
    runStatement(line, result);

    VKF::CString entry = VKF_T(">> ");
    entry += line;
    entry += VKF_T("\r\n");
    entry += result;
    // The blank line between two entries is the tail of the newer one.
    if (m_suppressSeparator)
        m_suppressSeparator = false;
    else
        entry += VKF_T("\r\n\r\n");
    m_outputPane.prepend(entry);
    m_inputLine.remember(line);
    m_inputLine.clear();
}

void CConsoleWindow::runStatement(const VKF::CString& line, VKF::CString& output)
{
    m_calculator.executeStatement(line, output);
}

void CConsoleWindow::toggleToolWindow(ToolWindow which)
{
    m_toolWindows.toggle(which, GetMenu(m_window));
}

void CConsoleWindow::toggleToolWindow(const CToolWindow& window)
{
    m_toolWindows.toggle(window, GetMenu(m_window));
}

bool CConsoleWindow::confirm(const VKF::CString& question)
{
    int answer;
    {
        COtherWindowsDisabled disabled(m_window);
        answer = MessageBoxW(m_window, question.characters(), VKCL::CONFIRMATION_CAPTION, MB_YESNO);
    }
    SetFocus(m_inputLine.handle());
    return answer == IDYES;
}

// Height 0 picks GDI's default size, which does not grow with the display: at another scale the
// font is made once more at that size scaled.
void CConsoleWindow::createFont()
{
    HFONT font = CreateFontW(0, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, FONT_FACE);
    if (font != nullptr && !displayScale().isDesignSize()) {
        TEXTMETRICW metrics{};
        HDC screen = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(screen, font);
        GetTextMetricsW(screen, &metrics);
        SelectObject(screen, previous);
        ReleaseDC(nullptr, screen);
        DeleteObject(font);
        font = CreateFontW(displayScale().scaled(metrics.tmHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0,
                           0, 0, FONT_FACE);
    }
    // The box's title names what failed and its text says that it failed, as users know it; the
    // controls then keep the system font.
    if (font == nullptr)
        MessageBoxW(m_window, L"Error", L"Font", MB_OK);
    setFont(font);
}

void CConsoleWindow::setFont(HFONT font)
{
    if (m_font != nullptr)
        DeleteObject(m_font);
    m_font = font;
    m_inputLine.setFont(font);
    m_outputPane.setFont(font);
    HDC context = GetDC(m_window);
    SelectObject(context, font);
    ReleaseDC(m_window, context);
}
