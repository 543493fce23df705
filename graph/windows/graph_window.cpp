// The graph window: a graph's picture with the mouse coordinates below it, and its menu.
#include "graph/windows/graph_window.h"

#include <algorithm>
#include <optional>

#include "foundation/dialog_message.h"
#include "foundation/exception.h"
#include "graph/portable/axis_scale.h"
#include "graph/windows/plot_dialog.h"
#include "graph/windows/zoom_dialog.h"
#include "host/tool_window_host.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t* const CLASS_NAME = L"Graph";
const wchar_t* const WINDOW_TITLE = L"Graph";
const wchar_t* const NOT_OPENED = L"The graph window could not be opened.";
const wchar_t* const NOT_DRAWN = L"The graph's picture could not be drawn.";

// Ends the paint that it began, however painting ends.
class CPaint {
public:
    explicit CPaint(HWND window) noexcept : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    ~CPaint() { EndPaint(m_window, &m_paint); }
    CPaint(const CPaint&) = delete;
    CPaint& operator=(const CPaint&) = delete;

    HDC dc() const noexcept { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// The window's DC, released however drawing into it ends.
class CWindowDC {
public:
    explicit CWindowDC(HWND window) noexcept : m_window(window), m_dc(GetDC(window)) {}
    ~CWindowDC() { ReleaseDC(m_window, m_dc); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC dc() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

void drawText(HDC dc, int left, int top, const VKF::CString& text) noexcept
{
    TextOutW(dc, left, top, text.characters(), text.length());
}

// The line height of the status lines' font, the one a window's DC starts with.
int statusLineHeight() noexcept
{
    TEXTMETRICW metrics{};
    HDC screen = GetDC(nullptr);
    if (screen != nullptr) {
        GetTextMetricsW(screen, &metrics);
        ReleaseDC(nullptr, screen);
    }
    return metrics.tmHeight;
}

} // namespace

CGraphWindow::CGraphWindow(CToolWindowHost& host, const CPlotSetup& setup)
    : m_host(host), m_graph(setup, host.displayScale()), m_scale(host.displayScale()),
      m_strip(m_scale, statusLineHeight())
{
}

CGraphWindow::~CGraphWindow() = default;

bool CGraphWindow::registerClass(HINSTANCE instance)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = graphProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_GRAPH_MENU);
    windowClass.lpszClassName = CLASS_NAME;
    return RegisterClassW(&windowClass) != 0;
}

// A caption with the close box and no sizing border, sized for the client area: one column wider
// than the picture, with the status strip below it.
HWND CGraphWindow::openGraph(CToolWindowHost& host, const CPlotSetup& setup, HWND owner)
{
    s_graphs.push_back(std::unique_ptr<CGraphWindow>(new CGraphWindow(host, setup)));
    CGraphWindow* graph = s_graphs.back().get();
    const int width = graph->m_strip.width + 1 + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int height = graph->m_strip.top + graph->m_strip.height + 2 * GetSystemMetrics(SM_CYDLGFRAME) +
                       GetSystemMetrics(SM_CYSIZE) + GetSystemMetrics(SM_CYMENU);
    HWND window = CreateWindowExW(0, CLASS_NAME, WINDOW_TITLE, WS_VISIBLE | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                  width, height, owner, nullptr, GetModuleHandleW(nullptr), graph);
    if (window == nullptr) {
        forget(graph);
        throw VKF::CException(NOT_OPENED);
    }
    return window;
}

CGraphWindow* CGraphWindow::find(HWND window) noexcept
{
    for (const auto& graph : s_graphs) {
        if (graph->m_window == window && window != nullptr)
            return graph.get();
    }
    return nullptr;
}

void CGraphWindow::forget(const CGraphWindow* graph) noexcept
{
    auto found = std::find_if(s_graphs.begin(), s_graphs.end(), [&](const auto& live) { return live.get() == graph; });
    if (found != s_graphs.end())
        s_graphs.erase(found);
}

// A graph is freed once its window is gone and no handler of it runs any more: a modal dialog
// inside a handler can outlive the window when the main window closes meanwhile.
LRESULT CALLBACK CGraphWindow::graphProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CGraphWindow* graph = find(window);
    if (graph != nullptr)
        ++graph->m_handling;
    const LRESULT result = windowProcedure(window, message, wParam, lParam);
    if (graph != nullptr && --graph->m_handling == 0 && graph->m_window == nullptr)
        forget(graph);
    return result;
}

LRESULT CGraphWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: return onPaint();
    case WM_CLOSE: return onClose();
    case WM_COMMAND: return onCommand(wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: return onMouse(message, lParam);
    default: return defaultProcedure(message, wParam, lParam);
    }
}

void CGraphWindow::onError(const VKF::CException& error)
{
    showErrorBox(m_window, error, ERROR_TITLE, MB_ICONERROR);
}

// The picture is drawn again only when it changed; every other paint copies it.
LRESULT CGraphWindow::onPaint()
{
    CPaint paint(m_window);
    if (m_redraw)
        rebuildPicture(paint.dc());
    const int side = pictureSize(m_scale);
    if (m_picture.dc() != nullptr)
        BitBlt(paint.dc(), 0, 0, side, side, m_picture.dc(), 0, 0, SRCCOPY);
    RECT client{};
    GetClientRect(m_window, &client);
    drawText(paint.dc(), m_strip.lineLeft, client.bottom - m_strip.mouseLineRaise, m_graph.mouseStatusLine());
    drawText(paint.dc(), m_strip.lineLeft, client.bottom - m_strip.clickLineRaise, m_graph.clickStatusLine());
    return 0;
}

// Nothing is asked and nothing kept: the graph goes with its window.
LRESULT CGraphWindow::onClose()
{
    DestroyWindow(m_window);
    return 0;
}

// Mouse messages repaint only the status strip below the picture.
LRESULT CGraphWindow::onMouse(UINT message, LPARAM position)
{
    const auto column = static_cast<uint16_t>(LOWORD(position));
    const auto row = static_cast<uint16_t>(HIWORD(position));
    const bool moved = message == WM_LBUTTONDOWN ? m_graph.clickMouse(column, row) : m_graph.moveMouse(column, row);
    if (moved) {
        const RECT strip{0, m_strip.top, m_strip.width, m_strip.top + m_strip.height};
        InvalidateRect(m_window, &strip, TRUE);
    }
    return 0;
}

// Only the menu's commands are taken.
LRESULT CGraphWindow::onCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != 0)
        return defaultProcedure(WM_COMMAND, wParam, lParam);
    onMenuCommand(LOWORD(wParam));
    return 0;
}

void CGraphWindow::onMenuCommand(int id)
{
    switch (id) {
    case IDM_GRAPH_SAVE:
    case IDM_GRAPH_SAVE_AS:
    case IDM_GRAPH_PRINT:
    case IDM_GRAPH_COPY: onExportCommand(id); break;
    case IDM_GRAPH_CLOSE: PostMessageW(m_window, WM_CLOSE, 0, 0); break;
    case IDM_GRAPH_ADD_EXPRESSION: addPlot(PlotKind::Expression); break;
    case IDM_GRAPH_ADD_VECTOR: addPlot(PlotKind::Vector); break;
    case IDM_GRAPH_ZOOM: zoom(); break;
    }
}

void CGraphWindow::onExportCommand(int id)
{
    const CGraphPicture& exported = exportPicture();
    switch (id) {
    case IDM_GRAPH_SAVE: m_export.saveGraph(m_window, exported.dc(), exported.bitmap()); break;
    case IDM_GRAPH_SAVE_AS: m_export.saveGraphAs(m_window, exported.dc(), exported.bitmap()); break;
    case IDM_GRAPH_PRINT: CGraphExport::printGraph(m_window, exported.dc(), exported.bitmap()); break;
    case IDM_GRAPH_COPY: CGraphExport::copyGraph(m_window, exported.dc(), exported.bitmap()); break;
    }
}

// The window may be gone when a dialog returns: the main window can close meanwhile.
void CGraphWindow::addPlot(PlotKind kind)
{
    if (m_graph.isFull()) {
        MessageBoxW(m_window, TOO_MANY_PLOTS_MESSAGE, ERROR_TITLE, MB_OK);
        return;
    }
    const std::optional<CPlotSetup> setup = CPlotDialog::ask(m_host, m_window, kind);
    if (!setup || m_window == nullptr)
        return;
    m_graph.addPlot(*setup);
    redrawPicture();
}

void CGraphWindow::zoom()
{
    const std::optional<CGraphAxes> axes = CZoomDialog::ask(m_host, m_window, m_graph.axes());
    if (!axes || m_window == nullptr)
        return;
    m_graph.setAxes(*axes);
    redrawPicture();
}

void CGraphWindow::redrawPicture()
{
    m_redraw = true;
    InvalidateRect(m_window, nullptr, TRUE);
}

// A picture GDI cannot give leaves the redraw pending for the next paint.
void CGraphWindow::rebuildPicture(HDC windowDC)
{
    if (m_picture.redraw(windowDC, m_graph, m_scale))
        m_redraw = false;
}

void CGraphWindow::preparePicture()
{
    if (m_redraw)
        rebuildPicture(CWindowDC(m_window).dc());
    if (m_redraw)
        throw VKF::CException(NOT_DRAWN);
}

// Files, the clipboard and the printer get the 400-pixel picture at every display scale: at
// 96 dpi the one on screen, at another scale the same scene drawn once more at 96 dpi.
const CGraphPicture& CGraphWindow::exportPicture()
{
    preparePicture();
    if (m_scale.isDesignSize())
        return m_picture;
    if (!m_exportedPicture.redraw(m_picture.dc(), m_graph))
        throw VKF::CException(NOT_DRAWN);
    return m_exportedPicture;
}
