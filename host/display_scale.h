// The display scale of the program's windows, as Windows gives it to a system-DPI-aware program.
#pragma once

#include "foundation/display_scale.h"

// The system's dots per inch as the screen's device context reports them; fixed for the life
// of a system-aware process.
CDisplayScale systemDisplayScale() noexcept;
