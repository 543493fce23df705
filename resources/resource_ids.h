// Numbers of everything the program loads from its resources, and the ids its windows use.
// Plain macros, because the resource compiler reads this file too.
#pragma once

// Main window: menu, accelerators, icon
#define IDR_MAIN_MENU               36864
#define IDR_ACCELERATORS            57344
#define IDI_TALLIMEX                61440

// Main menu: File
#define IDM_FILE_CLEAR_OUTPUT       36866
#define IDM_FILE_SAVE_OUTPUT        36867
#define IDM_FILE_SAVE_OUTPUT_AS     36868
#define IDM_FILE_EXIT               36870

// Main menu: Edit (the popup at position 1)
#define IDM_EDIT_CUT                36881
#define IDM_EDIT_COPY               36882
#define IDM_EDIT_PASTE              36883
#define IDM_EDIT_DELETE             36884

// Main menu: View (the popup at position 2)
#define IDM_VIEW_CALCULATOR_PANEL   36897
#define IDM_VIEW_GREEK_LETTERS      36898

// Main menu: Graph, Plot
#define IDM_PLOT_EXPRESSION         36913
#define IDM_PLOT_VECTOR             36914

// Main menu: Solve (the popup at position 4)
#define IDM_SOLVE_QUADRATIC         36929
#define IDM_SOLVE_CUBIC             36930

// Main menu: Help
#define IDM_HELP_DOCUMENTATION      36945
#define IDM_HELP_ABOUT              36946

// Main window: child controls
#define IDC_INPUT_LINE              4097
#define IDC_OUTPUT_PANE             4098
