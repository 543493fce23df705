// Saving the output pane's text to a file: "Save output" and "Save output as...".
#include "console/output_saving.h"

#include "console/output_pane.h"
#include "foundation/file.h"

#include <commdlg.h>

#include <vector>

namespace {

constexpr DWORD FILE_NAME_CAPACITY = 512;
constexpr DWORD TEXT_FILE_FILTER = 1;
const wchar_t FILTERS[] = L"Text file\0*.txt\0All files\0*.*\0";
const wchar_t* const TEXT_EXTENSION = L".txt";

// The record's size comes from its declaration: on 32-bit Windows 88 bytes, the 76 of the
// original layout and the three fields Windows 2000 added (the places bar).
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88);

// Asks for the file and, whatever the filter and the name, before replacing an existing one.
// True with the pane's file name set when the save is to go ahead.
bool chooseFile(HWND owner, COutputField& outputPane)
{
    std::vector<wchar_t> name(FILE_NAME_CAPACITY, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = FILTERS;
    dialog.nFilterIndex = TEXT_FILE_FILTER;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = FILE_NAME_CAPACITY;
    // The documentation and the readme are opened from the current directory: the dialog must not
    // move it to the folder the output went to.
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog))
        return false;

    VKF::CString chosen(name.data());
    if (dialog.nFilterIndex == TEXT_FILE_FILTER && !VKF::hasExtension(chosen, TEXT_EXTENSION))
        chosen += TEXT_EXTENSION;
    if (VKF::pathIsTaken(chosen)
        && MessageBoxW(owner, L"Are you sure you want to overwrite?", L"File already exists", MB_YESNOCANCEL) != IDYES)
        return false;
    outputPane.setFileName(chosen);
    return true;
}

} // namespace

void writeTextFile(const VKF::CString& path, const VKF::CString& text)
{
    VKF::replaceFileAfterWriting(path, [&text](VKF::CFile& file) { file.write(text); });
}

void saveOutput(HWND owner, COutputField& outputPane)
{
    if (!outputPane.hasFileName() && !chooseFile(owner, outputPane))
        return;
    writeTextFile(outputPane.fileName(), outputPane.text());
}

void saveOutputAs(HWND owner, COutputField& outputPane)
{
    if (chooseFile(owner, outputPane))
        writeTextFile(outputPane.fileName(), outputPane.text());
}
