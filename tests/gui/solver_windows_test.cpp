// The quadratic and cubic solver windows: typed coefficients in, roots out, and the boxes of a
// field that cannot be evaluated or an equation that cannot be solved.
#include "console_harness.h"

#include "resources/resource_ids.h"

#include <vector>

namespace {

const ToolWindow QUADRATIC = ToolWindow::QuadraticSolver;
const ToolWindow CUBIC = ToolWindow::CubicSolver;
const int COEFFICIENT_FIELDS[] = {IDC_SOLVER_A, IDC_SOLVER_B, IDC_SOLVER_C, IDC_SOLVER_D};
const int ROOT_FIELDS[] = {IDC_SOLVER_X1, IDC_SOLVER_X2, IDC_SOLVER_X3};

// One solve after another in the same windows; a failure leaves the roots of the solve before.
struct CSolve {
    ToolWindow solver;
    std::vector<std::wstring> coefficients;
    std::vector<std::wstring> roots;
    // "caption: text" of the box it shows; a failure while computing has the engine's message as caption.
    const wchar_t* box = nullptr;
};

// 600 characters that are 1 only when read whole: "0+0+...+0+01".
std::wstring longOne()
{
    std::wstring text;
    for (int term = 0; term < 299; ++term)
        text += L"0+";
    return text + L"01";
}

// k=2 and f(x)=x^2 are defined at the console before.
const CSolve SOLVES[] = {
    {QUADRATIC, {L"1", L"-3", L"2"}, {L"2", L"1"}},
    {QUADRATIC, {longOne(), L"-3", L"2"}, {L"2", L"1"}},
    {QUADRATIC, {L"1", L"2", L"5"}, {L"-1 + i*2", L"-1 - i*2"}},
    {QUADRATIC, {L"1", L"-f(k)", L"k+k"}, {L"2", L"2"}},
    {QUADRATIC, {L"", L"1", L"1"}, {L"2", L"2"}, L"Error: Error evaluating the 'A' field"},
    {QUADRATIC, {L"1", L"undefined", L"1"}, {L"2", L"2"}, L"Error: Error evaluating the 'B' field"},
    {QUADRATIC, {L"1", L"1", L"1+"}, {L"2", L"2"}, L"Error: Error evaluating the 'C' field"},
    {QUADRATIC, {L"0", L"1", L"1"}, {L"2", L"2"}, L"Division by zero.: Error computing solutions."},
    {CUBIC, {L"1", L"-6", L"11", L"-6"}, {L"3", L"2", L"1"}},
    {CUBIC, {L"1", L"0", L"0", L"-1"}, {L"-0.5 - i*0.8660254037844", L"1", L"-0.5 + i*0.8660254037844"}},
    {CUBIC, {L"1", L"-3*k", L"3*f(k)", L"-k^3"}, {L"2", L"2", L"2"}},
    {CUBIC, {L"   ", L"1", L"1", L"1"}, {L"2", L"2", L"2"}, L"Error: Error evaluating the 'A' field"},
    {CUBIC, {L"1", L"(", L"1", L"1"}, {L"2", L"2", L"2"}, L"Error: Error evaluating the 'B' field"},
    {CUBIC, {L"1", L"1", L"y", L"1"}, {L"2", L"2", L"2"}, L"Error: Error evaluating the 'C' field"},
    {CUBIC, {L"1", L"1", L"1", L""}, {L"2", L"2", L"2"}, L"Error: Error evaluating the 'D' field"},
    {CUBIC, {L"0", L"1", L"2", L"1"}, {L"2", L"2", L"2"}, L"Division by zero.: Error computing solutions."},
};

std::string describe(const CSolve& solve)
{
    std::wstring text = solve.solver == QUADRATIC ? L"quadratic" : L"cubic";
    for (const std::wstring& coefficient : solve.coefficients)
        text += L" [" + coefficient + L"]";
    return narrow(text);
}

} // namespace

// Enter in a coefficient field presses "Solve" through the message loop's dialog keys.
TEST_F(ConsoleTest, SolverWindowsShowTheRootsOrSayWhatFailed)
{
    open();
    enterLine(L"k=2");
    enterLine(L"f(x)=x^2");
    command(IDM_SOLVE_QUADRATIC);
    command(IDM_SOLVE_CUBIC);
    for (const CSolve& solve : SOLVES) {
        HWND window = toolWindow(solve.solver);
        for (size_t index = 0; index < solve.coefficients.size(); ++index)
            SetDlgItemTextW(window, COEFFICIENT_FIELDS[index], solve.coefficients[index].c_str());
        CDialogWatcher watcher;
        bool engineBusyDuringBox = false;
        watcher.on(L"", [&](HWND box) {
            engineBusyDuringBox = m_console->isEngineBusy();
            clickButton(box, IDOK);
        });
        HWND field = GetDlgItem(window, IDC_SOLVER_A);
        SetForegroundWindow(window);
        SetFocus(field);
        pressKey(field, VK_RETURN);

        std::vector<std::wstring> roots;
        for (size_t index = 0; index < solve.roots.size(); ++index)
            roots.push_back(itemText(window, ROOT_FIELDS[index]));
        EXPECT_EQ(roots, solve.roots) << describe(solve);
        EXPECT_EQ(watcher.seen(window), solve.box ? std::vector<std::wstring>{solve.box} : std::vector<std::wstring>{})
            << describe(solve);
        // The box comes after the engine's work, so that it holds no other window off the engine.
        EXPECT_FALSE(engineBusyDuringBox) << describe(solve);
    }
}
