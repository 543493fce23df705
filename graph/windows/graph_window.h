// The graph window: a graph's picture with the mouse coordinates below it, and its menu.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "graph/windows/graph_export.h"
#include "graph/portable/graph_model.h"
#include "graph/windows/graph_picture.h"
#include "host/window.h"

class CToolWindowHost;

class CGraphWindow : public CWindow {
public:
    ~CGraphWindow() override;

    // Registers the class "Graph" of every graph window; false when that fails.
    static bool registerClass(HINSTANCE instance);
    // Opens a graph window of setup's plot and axes, owned by owner. Throws VKF::CException when
    // the window cannot be made.
    static HWND openGraph(CToolWindowHost& host, const CPlotSetup& setup, HWND owner);
    // The live graph of window, or null.
    static CGraphWindow* find(HWND window) noexcept;

    const CGraphModel& graph() const noexcept { return m_graph; }
    // The back buffer as the last paint left it: the picture bitmap, drawn at the display scale,
    // selected into its memory DC; null before the first paint.
    HDC pictureDC() const noexcept { return m_picture.dc(); }
    HBITMAP picture() const noexcept { return m_picture.bitmap(); }

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException& error) override;

private:
    CGraphWindow(CToolWindowHost& host, const CPlotSetup& setup);

    static LRESULT CALLBACK graphProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void forget(const CGraphWindow* graph) noexcept;

    LRESULT onPaint();
    LRESULT onClose();
    LRESULT onMouse(UINT message, LPARAM position);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    void onMenuCommand(int id);
    void onExportCommand(int id);

    void addPlot(PlotKind kind);
    void zoom();
    // Draws the picture again at the next paint.
    void redrawPicture();
    void rebuildPicture(HDC windowDC);
    // Brings the back buffer up to date for the commands that take the picture out.
    void preparePicture();
    // The picture that Save, Copy and Print take out.
    const CGraphPicture& exportPicture();

    CToolWindowHost& m_host;
    CGraphModel m_graph;
    CGraphExport m_export;
    CDisplayScale m_scale;
    CStatusStrip m_strip;
    CGraphPicture m_picture;
    // The picture drawn once more at 96 dpi for an export at another display scale.
    CGraphPicture m_exportedPicture;
    bool m_redraw = true;
    // Messages of this window being handled; the object outlives its window while a handler runs.
    int m_handling = 0;

    static inline std::vector<std::unique_ptr<CGraphWindow>> s_graphs;
};
