// Resources that only the GUI tests load.
#pragma once

// A small stand-in tool window: one edit field and a default button
#define IDD_TEST_TOOL_WINDOW        100
#define IDC_TEST_TOOL_EDIT          101
