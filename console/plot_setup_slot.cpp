// The one slot for an open plot set-up dialog, shared by the console and every graph window.
#include "console/plot_setup_slot.h"

CPlotSetupSlot::CPlotSetupSlot(CPlotSetup& setup) noexcept
{
    s_setup = &setup;
}

CPlotSetupSlot::~CPlotSetupSlot()
{
    s_setup = nullptr;
}
