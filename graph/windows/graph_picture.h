// A graph's picture kept in memory: a PICTURE_SIZE square bitmap selected into a memory DC.
#pragma once

#include <windows.h>

class CGraphModel;

class CGraphPicture {
public:
    CGraphPicture() = default;
    ~CGraphPicture();
    CGraphPicture(const CGraphPicture&) = delete;
    CGraphPicture& operator=(const CGraphPicture&) = delete;

    // Draws graph into a new bitmap compatible with like, in place of the old one. False, with no
    // picture left, when GDI cannot give the DC or the bitmap.
    bool redraw(HDC like, const CGraphModel& graph);

    // Null before the first redraw and after a failed one.
    HDC dc() const noexcept { return m_dc; }
    HBITMAP bitmap() const noexcept { return m_bitmap; }

private:
    void release() noexcept;

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_dcBitmap = nullptr;
};
