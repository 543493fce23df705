// The one slot for an open plot set-up dialog, shared by the console and every graph window.
#pragma once

class CPlotSetup;

// Holds the set-up record of the plot dialog that runs, for as long as this object lives. At most
// one plot dialog may run in the whole program: callers check isTaken() before they start one.
class CPlotSetupSlot {
public:
    explicit CPlotSetupSlot(CPlotSetup& setup) noexcept;
    ~CPlotSetupSlot();
    CPlotSetupSlot(const CPlotSetupSlot&) = delete;
    CPlotSetupSlot& operator=(const CPlotSetupSlot&) = delete;

    static bool isTaken() noexcept { return s_setup != nullptr; }
    // The record of the running dialog, or null.
    static CPlotSetup* setup() noexcept { return s_setup; }

private:
    static inline CPlotSetup* s_setup = nullptr;
};

// The text shown when a second plot dialog is asked for.
inline const wchar_t* const PLOT_SETUP_ALREADY_OPEN = L"You cannot open more than one graph setup window at a time.";
