// The plot dialogs: a new expression or parametrized-vector plot, with its ranges, weight and colour.
#pragma once

#include <cstdint>
#include <optional>

#include "graph/portable/plot_setup.h"
#include "graph/portable/plot_setup_acceptance.h"
#include "host/window.h"

class CToolWindowHost;

// The text shown when a second plot dialog is asked for.
inline const wchar_t* const PLOT_SETUP_ALREADY_OPEN = L"You cannot open more than one graph setup window at a time.";

class CPlotDialog : public CDialog {
public:
    // Asks for a new plot of kind in a modal dialog owned by owner and returns it, or nothing when
    // the user cancelled. At most one plot dialog runs in the whole program: while one is open,
    // another request says so in a box and returns nothing.
    static std::optional<CPlotSetup> ask(CToolWindowHost& host, HWND owner, PlotKind kind);
    static bool isOpen() noexcept { return s_open != nullptr; }

private:
    CPlotDialog(CToolWindowHost& host, PlotKind kind) noexcept : m_host(host), m_kind(kind) {}

    INT_PTR onInit() override;
    INT_PTR onCommand(int code, int id, HWND control) override;
    INT_PTR onClose() override;
    void onError(const VKF::CException& error) override;

    // A "Use default" box: checking it disables the axis's own range, unchecking enables it.
    void toggleDefault(int box);
    void chooseColour();
    void accept();
    CPlotDialogFields fields() const;

    CToolWindowHost& m_host;
    PlotKind m_kind;
    uint32_t m_colour = 0;
    std::optional<CPlotSetup> m_accepted;

    static inline const CPlotDialog* s_open = nullptr;
};
