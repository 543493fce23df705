// Saving the output pane's text to a file: "Save output" and "Save output as...".
#include "console/output_saving.h"

#include "console/output_pane.h"
#include "foundation/file.h"

#include "host/save_file_dialog.h"

namespace {

constexpr DWORD TEXT_FILE_FILTER = 1;
const wchar_t FILTERS[] = L"Text file\0*.txt\0All files\0*.*\0";
// A text file gets ".txt" unless its name has it; "All files" takes the name as it is.
const wchar_t* const EXTENSIONS[] = {L".txt", nullptr};

// Asks for the file and, whatever the filter and the name, before replacing an existing one.
// True with the pane's file name set when the save is to go ahead.
bool chooseFile(HWND owner, COutputField& outputPane)
{
    const std::optional<CSaveChoice> choice = askForSaveFile(owner, FILTERS, TEXT_FILE_FILTER, EXTENSIONS);
    if (!choice)
        return false;
    outputPane.setFileName(choice->path);
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
