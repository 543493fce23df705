// A graph's picture kept in memory: a square bitmap of the picture at a display scale, selected
// into a memory DC.
#pragma once

#include <windows.h>

#include "foundation/display_scale.h"

class CGraphModel;

class CGraphPicture {
public:
    CGraphPicture() = default;
    ~CGraphPicture();
    CGraphPicture(const CGraphPicture&) = delete;
    CGraphPicture& operator=(const CGraphPicture&) = delete;

    // Draws graph at scale into a new bitmap compatible with like, in place of the old one. False,
    // with no picture left, when GDI cannot give the DC or the bitmap.
    bool redraw(HDC like, const CGraphModel& graph, CDisplayScale scale = {});

    // Null before the first redraw and after a failed one.
    HDC dc() const noexcept { return m_dc; }
    HBITMAP bitmap() const noexcept { return m_bitmap; }

private:
    void release() noexcept;

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_dcBitmap = nullptr;
};
