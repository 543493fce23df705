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

// Greek letters panel (dialog 28928): the case list and the 25 letter buttons in caption order
#define IDD_GREEK_LETTERS           28928
#define IDC_GREEK_CASE              28930
#define IDC_GREEK_FIRST_LETTER      28945
#define IDC_GREEK_LAST_LETTER       28969

// Calculator panel (dialog 29952): every button id lies in IDC_CALC_FIRST..IDC_CALC_LAST
#define IDD_CALCULATOR_PANEL        29952
#define IDC_CALC_FIRST              29968
#define IDC_CALC_1                  29968
#define IDC_CALC_2                  29969
#define IDC_CALC_3                  29970
#define IDC_CALC_4                  29971
#define IDC_CALC_5                  29972
#define IDC_CALC_6                  29973
#define IDC_CALC_7                  29974
#define IDC_CALC_8                  29975
#define IDC_CALC_9                  29976
#define IDC_CALC_0                  29977
#define IDC_CALC_I                  29984
#define IDC_CALC_POINT              29985
#define IDC_CALC_DIVIDE             29986
#define IDC_CALC_MULTIPLY           29987
#define IDC_CALC_MINUS              29988
#define IDC_CALC_PLUS               29989
#define IDC_CALC_ASSIGN             29990
#define IDC_CALC_EXE                29991
#define IDC_CALC_CLEAR              29992
#define IDC_CALC_POWER              29993
#define IDC_CALC_LEFT_PAREN         30000
#define IDC_CALC_RIGHT_PAREN        30001
#define IDC_CALC_EXP                30002
#define IDC_CALC_PI                 30003
#define IDC_CALC_SQUARE             30004
#define IDC_CALC_LN                 30005
#define IDC_CALC_ANS                30006
#define IDC_CALC_SIN                30007
#define IDC_CALC_COS                30008
#define IDC_CALC_TAN                30009
#define IDC_CALC_ARCSIN             30010
#define IDC_CALC_ARCCOS             30011
#define IDC_CALC_ARCTAN             30012
#define IDC_CALC_SINH               30013
#define IDC_CALC_COSH               30014
#define IDC_CALC_TANH               30015
#define IDC_CALC_ARCSINH            30016
#define IDC_CALC_ARCCOSH            30017
#define IDC_CALC_ARCTANH            30018
#define IDC_CALC_SQRT               30019
#define IDC_CALC_ARG                30021
#define IDC_CALC_ABS                30022
#define IDC_CALC_IM                 30023
#define IDC_CALC_RE                 30024
#define IDC_CALC_LAST               30024

// Quadratic and cubic solvers (dialogs 30720 and 30721, the same controls)
#define IDD_QUADRATIC_SOLVER        30720
#define IDD_CUBIC_SOLVER            30721
#define IDC_SOLVER_FORM             30736
#define IDC_SOLVER_LABEL_A          30737
#define IDC_SOLVER_LABEL_B          30738
#define IDC_SOLVER_LABEL_C          30739
#define IDC_SOLVER_LABEL_D          30740
#define IDC_SOLVER_LABEL_X1         30741
#define IDC_SOLVER_LABEL_X2         30742
#define IDC_SOLVER_LABEL_X3         30743
#define IDC_SOLVER_A                30752
#define IDC_SOLVER_B                30754
#define IDC_SOLVER_C                30755
#define IDC_SOLVER_D                30756
#define IDC_SOLVER_X1               30757
#define IDC_SOLVER_X2               30758
#define IDC_SOLVER_X3               30759
#define IDC_SOLVER_INPUT            30769
#define IDC_SOLVER_OUTPUT           30770
#define IDC_SOLVER_SOLVE            30784

// About box (dialog 56320)
#define IDD_ABOUT                   56320
#define IDC_ABOUT_TEXT              56321
#define IDC_ABOUT_OK                56322
#define IDC_ABOUT_README            56323
#define IDC_ABOUT_WEBSITE           56324

// Graph window: menu (the window class's menu)
#define IDR_GRAPH_MENU              53248
#define IDM_GRAPH_SAVE              53249
#define IDM_GRAPH_SAVE_AS           53250
#define IDM_GRAPH_PRINT             53251
#define IDM_GRAPH_CLOSE             53252
#define IDM_GRAPH_COPY              53265
#define IDM_GRAPH_ADD_EXPRESSION    53281
#define IDM_GRAPH_ADD_VECTOR        53282
#define IDM_GRAPH_ZOOM              53283

// Plot dialogs (49152 for an expression, 53232 for a parametrized vector; the same ids in both)
#define IDD_PLOT_EXPRESSION         49152
#define IDD_PLOT_VECTOR             53232
#define IDC_PLOT_VARIABLE_FROM_LABEL 49153
#define IDC_PLOT_VARIABLE_TO_LABEL  49154
#define IDC_PLOT_VARIABLE_FROM      49155
#define IDC_PLOT_VARIABLE_TO        49156
#define IDC_PLOT_Y_FROM             49157
#define IDC_PLOT_Y_TO               49158
#define IDC_PLOT_X_FROM             49159
#define IDC_PLOT_X_TO               49160
#define IDC_PLOT_EXPRESSION_LABEL   49161
#define IDC_PLOT_X_EXPRESSION_LABEL 49162
#define IDC_PLOT_X_EXPRESSION       49163
#define IDC_PLOT_Y_EXPRESSION_LABEL 49164
#define IDC_PLOT_Y_EXPRESSION       49165
#define IDC_PLOT_EXPRESSION         49168
#define IDC_PLOT_VARIABLE_LABEL     49169
#define IDC_PLOT_VARIABLE           49170
#define IDC_PLOT_VARIABLE_RANGE     49171
#define IDC_PLOT_Y_DEFAULT          49175
#define IDC_PLOT_X_DEFAULT          49176
#define IDC_PLOT_Y_FROM_LABEL       49177
#define IDC_PLOT_Y_TO_LABEL         49184
#define IDC_PLOT_X_FROM_LABEL       49185
#define IDC_PLOT_X_TO_LABEL         49186
#define IDC_PLOT_X_AXIS             49187
#define IDC_PLOT_Y_AXIS             49188
#define IDC_PLOT_WEIGHT_LABEL       49189
#define IDC_PLOT_WEIGHT             49190
#define IDC_PLOT_COLOUR             49191
#define IDC_PLOT_VISUAL             49192
#define IDC_PLOT_OK                 49201
#define IDC_PLOT_CANCEL             49202

// Zoom dialog (32768)
#define IDD_ZOOM                    32768
#define IDC_ZOOM_X_AXIS             32769
#define IDC_ZOOM_X_FROM_LABEL       32770
#define IDC_ZOOM_X_TO_LABEL         32771
#define IDC_ZOOM_X_FROM             32772
#define IDC_ZOOM_X_TO               32773
#define IDC_ZOOM_Y_AXIS             32774
#define IDC_ZOOM_Y_FROM_LABEL       32775
#define IDC_ZOOM_Y_TO_LABEL         32776
#define IDC_ZOOM_Y_FROM             32777
#define IDC_ZOOM_Y_TO               32778
#define IDC_ZOOM_AXIS_VALUES_LABEL  32779
#define IDC_ZOOM_AXIS_VALUES        32780
#define IDC_ZOOM_OK                 32781
#define IDC_ZOOM_CANCEL             32782
