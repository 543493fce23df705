// A GDI object made for one piece of drawing or reading, selected into a DC while it lives.
#pragma once

#include <windows.h>

// Selects object into dc, and on destruction selects back what it replaced and deletes object. A
// null object (one GDI could not make) selects nothing.
class CSelectedGdiObject {
public:
    CSelectedGdiObject(HDC dc, HGDIOBJ object) noexcept
        : m_dc(dc), m_object(object), m_previous(object != nullptr ? SelectObject(dc, object) : nullptr)
    {
    }
    ~CSelectedGdiObject()
    {
        if (m_previous != nullptr)
            SelectObject(m_dc, m_previous);
        if (m_object != nullptr)
            DeleteObject(m_object);
    }
    CSelectedGdiObject(const CSelectedGdiObject&) = delete;
    CSelectedGdiObject& operator=(const CSelectedGdiObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_previous;
};
