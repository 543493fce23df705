// What the windows beside the console (tool windows, graph windows and their dialogs) may use of
// it: the engine, the input line, the owner window, the engine's busy mark and the display scale.
#pragma once

#include <windows.h>

#include "host/display_scale.h"

namespace VKCL {
class CCalculator;
}

class CToolWindow;

class CToolWindowHost {
public:
    // What the typing panels may do to the input line.
    class CInputLine {
    public:
        // Replaces the selection, or inserts at the caret when nothing is selected; can be undone.
        virtual void insert(const wchar_t* text) = 0;
        // Moves the caret by units (negative: to the left), leaving no selection.
        virtual void moveCaret(int units) = 0;
        virtual void clear() = 0;
        virtual void focus() = 0;

    protected:
        ~CInputLine() = default;
    };

    CToolWindowHost(const CToolWindowHost&) = delete;
    CToolWindowHost& operator=(const CToolWindowHost&) = delete;

    // The one engine of the program, shared by every window.
    virtual VKCL::CCalculator& calculator() noexcept = 0;
    virtual CInputLine& inputLine() noexcept = 0;
    // Owner of the tool windows and of the boxes they show on the console's behalf.
    virtual HWND ownerWindow() const noexcept = 0;
    // What Enter in the input line does.
    virtual void executeInputLine() = 0;
    // Shows a hidden tool window and checks its menu item, or hides it and unchecks the item.
    virtual void toggleToolWindow(const CToolWindow& window) = 0;

    // True while engine work runs (see CEngineWork), also while its question is open.
    bool isEngineBusy() const noexcept { return m_engineBusy; }

    // The scale of every window the program lays out itself: the system's, read as the program
    // starts.
    CDisplayScale displayScale() const noexcept { return m_displayScale; }

protected:
    CToolWindowHost() noexcept : m_displayScale(systemDisplayScale()) {}
    ~CToolWindowHost() = default;

private:
    friend class CEngineWork;

    bool m_engineBusy = false;
    const CDisplayScale m_displayScale;
};
