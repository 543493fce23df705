// The Greek letters panel: one button per letter, in lower or upper case, typing into the input line.
#include "console/greek_letters_panel.h"

#include "resources/resource_ids.h"

namespace {

constexpr int LETTER_COUNT = IDC_GREEK_LAST_LETTER - IDC_GREEK_FIRST_LETTER + 1;

// The capitals have no final sigma; its button offers the integral sign instead.
const wchar_t LOWER_CASE[LETTER_COUNT + 1] = L"αβγδεζηθικλμνξοπρςστυφχψω";
const wchar_t UPPER_CASE[LETTER_COUNT + 1] = L"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡ∫ΣΤΥΦΧΨΩ";

} // namespace

INT_PTR CGreekLettersPanel::onInit()
{
    HWND caseList = GetDlgItem(m_window, IDC_GREEK_CASE);
    SendMessageW(caseList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Lowercase"));
    SendMessageW(caseList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Uppercase"));
    SendMessageW(caseList, CB_SETCURSEL, 0, 0);
    return TRUE;
}

INT_PTR CGreekLettersPanel::onCommand(int code, int id, HWND)
{
    if (id == IDC_GREEK_CASE && code == CBN_SELCHANGE)
        showCase(SendDlgItemMessageW(m_window, IDC_GREEK_CASE, CB_GETCURSEL, 0, 0) != 0);
    else if (code == BN_CLICKED && id >= IDC_GREEK_FIRST_LETTER && id <= IDC_GREEK_LAST_LETTER)
        insertLetter(id);
    return TRUE;
}

void CGreekLettersPanel::showCase(bool upper)
{
    const wchar_t* letters = upper ? UPPER_CASE : LOWER_CASE;
    for (int index = 0; index < LETTER_COUNT; ++index) {
        const wchar_t caption[2] = {letters[index], L'\0'};
        SetDlgItemTextW(m_window, IDC_GREEK_FIRST_LETTER + index, caption);
    }
}

// The button's caption is the letter; the panel keeps the focus, so several can be typed in a row.
void CGreekLettersPanel::insertLetter(int id)
{
    wchar_t letter[2] = {};
    GetWindowTextW(GetDlgItem(m_window, id), letter, 2);
    m_host.inputLine().insert(letter);
}
