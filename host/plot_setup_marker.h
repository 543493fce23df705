// The process-wide marker that a plot set-up dialog is open, shared by the console's plot
// commands and every graph window's: at most one such dialog runs in the whole program.
#pragma once

// Marks a plot set-up dialog as open for as long as it lives. Callers check isSet() before
// they start one.
class CPlotSetupMarker {
public:
    CPlotSetupMarker() noexcept { s_set = true; }
    ~CPlotSetupMarker() { s_set = false; }
    CPlotSetupMarker(const CPlotSetupMarker&) = delete;
    CPlotSetupMarker& operator=(const CPlotSetupMarker&) = delete;

    static bool isSet() noexcept { return s_set; }

private:
    static inline bool s_set = false;
};

// The text shown when a second plot set-up dialog is asked for.
inline const wchar_t* const PLOT_SETUP_ALREADY_OPEN = L"You cannot open more than one graph setup window at a time.";
