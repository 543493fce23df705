// Saving the output pane: the real save dialog, the overwrite question, the bytes written, a file
// that cannot be replaced, and the remembered file name.
#include "console_harness.h"
#include "dialog_watcher.h"

#include "console/output_saving.h"
#include "foundation/exception.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t* const SAVE_CAPTION = L"Save As";
const wchar_t* const OVERWRITE_CAPTION = L"File already exists";
constexpr int FILE_NAME_COMBO = 0x47C; // cmb13
constexpr int FILE_NAME_EDIT = 0x480;  // edt1
constexpr int FILTER_COMBO = 0x470;    // cmb1

std::vector<char> bytesOf(const std::wstring& path)
{
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {'<', 'n', 'o', 'n', 'e', '>'};
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.insert(bytes.end(), buffer, buffer + read);
    CloseHandle(file);
    return bytes;
}

std::vector<char> utf16(const std::wstring& text)
{
    std::vector<char> bytes;
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

void writeBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<char> bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::wstring currentDirectory()
{
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    return directory;
}

// Types name into the save dialog, chooses the filter (1 "Text file", 2 "All files") and saves.
CDialogWatcher::Action savingAs(const std::wstring& name, int filter = 1)
{
    return [name, filter](HWND dialog) {
        if (filter != 1) {
            HWND filters = GetDlgItem(dialog, FILTER_COMBO);
            SendMessageW(filters, CB_SETCURSEL, static_cast<WPARAM>(filter - 1), 0);
            // The dialog takes the new filter when the list reports the choice as made.
            for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(FILTER_COMBO, notification), reinterpret_cast<LPARAM>(filters));
        }
        HWND field = GetDlgItem(dialog, FILE_NAME_COMBO);
        if (field == nullptr)
            field = GetDlgItem(dialog, FILE_NAME_EDIT);
        SetWindowTextW(field, name.c_str());
        clickButton(dialog, IDOK);
    };
}

class OutputSavingTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        m_folder = std::wstring(temporary) + L"tallimex-save-" + std::to_wstring(GetTickCount()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
        m_startDirectory = currentDirectory();
        open();
        enterLine(L"1+2");
        enterLine(L"x=\u03C0");
    }

    void TearDown() override
    {
        ConsoleTest::TearDown();
        for (const std::wstring& name : filesInFolder())
            DeleteFileW((m_folder + name).c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring path(const std::wstring& name) const { return m_folder + name; }

    std::vector<std::wstring> filesInFolder() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((m_folder + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    std::wstring m_folder;
    std::wstring m_startDirectory;
};

} // namespace

TEST_F(OutputSavingTest, SaveAsWritesThePaneAsUtf16LittleEndianWithoutMark)
{
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"session")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    ASSERT_EQ(watcher.count(SAVE_CAPTION), 1u);
    EXPECT_EQ(watcher.dialogs()[0].owner, mainWindow());
    EXPECT_EQ(watcher.dialogs().size(), 1u);

    std::wstring pane = L">> x=\u03C0\r\nx = 3.14159265359\r\n\r\n>> 1+2\r\n= 3";
    ASSERT_EQ(paneText(), pane);
    EXPECT_EQ(bytesOf(path(L"session.txt")), utf16(pane));
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"session.txt"});
    EXPECT_TRUE(m_console->outputPane().hasFileName());
    EXPECT_EQ(toWide(m_console->outputPane().fileName()), path(L"session.txt"));
}

TEST_F(OutputSavingTest, TheTextFilterAddsTheExtensionUnlessTheNameHasItInAnyCase)
{
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"UPPER.TXT")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    watcher.on(SAVE_CAPTION, savingAs(path(L"mixed.tXt")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    watcher.on(SAVE_CAPTION, savingAs(path(L"notes.log")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    watcher.on(SAVE_CAPTION, savingAs(path(L"plain.log"), 2));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    ASSERT_EQ(watcher.count(SAVE_CAPTION), 4u);
    std::vector<std::wstring> files = filesInFolder();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"UPPER.TXT", L"mixed.tXt", L"notes.log.txt", L"plain.log"}));
}

TEST_F(OutputSavingTest, SaveOutputChoosesAFileOnceAndThenWritesItWithoutAsking)
{
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"log.txt")));
    command(IDM_FILE_SAVE_OUTPUT);
    ASSERT_EQ(watcher.count(SAVE_CAPTION), 1u);
    EXPECT_EQ(bytesOf(path(L"log.txt")), utf16(paneText()));

    enterLine(L"2*x");
    command(IDM_FILE_SAVE_OUTPUT);
    EXPECT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(bytesOf(path(L"log.txt")), utf16(paneText()));
    EXPECT_EQ(paneText().substr(0, 9), L">> 2*x\r\n=");
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"log.txt"});
}

TEST_F(OutputSavingTest, AnExistingFileIsReplacedOnlyAfterYes)
{
    writeBytes(path(L"old.txt"), "old text");
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"old.txt")));
    watcher.answer(OVERWRITE_CAPTION, IDNO);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    ASSERT_EQ(watcher.count(OVERWRITE_CAPTION), 1u);
    EXPECT_EQ(watcher.dialogs()[1].text, L"Are you sure you want to overwrite?");
    EXPECT_EQ(watcher.dialogs()[1].owner, mainWindow());
    EXPECT_EQ(bytesOf(path(L"old.txt")), bytes("old text"));
    EXPECT_FALSE(m_console->outputPane().hasFileName());

    watcher.answer(OVERWRITE_CAPTION, IDCANCEL);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(watcher.count(OVERWRITE_CAPTION), 2u);
    EXPECT_EQ(bytesOf(path(L"old.txt")), bytes("old text"));

    watcher.answer(OVERWRITE_CAPTION, IDYES);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(watcher.count(OVERWRITE_CAPTION), 3u);
    EXPECT_EQ(bytesOf(path(L"old.txt")), utf16(paneText()));
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"old.txt"});
}

TEST_F(OutputSavingTest, DecliningAfterAnEarlierSaveKeepsTheEarlierFile)
{
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"first.txt")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    writeBytes(path(L"second.txt"), "keep me");
    watcher.on(SAVE_CAPTION, savingAs(path(L"second.txt")));
    watcher.answer(OVERWRITE_CAPTION, IDNO);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    enterLine(L"3");
    command(IDM_FILE_SAVE_OUTPUT);
    EXPECT_EQ(bytesOf(path(L"first.txt")), utf16(paneText()));
    EXPECT_EQ(bytesOf(path(L"second.txt")), bytes("keep me"));
}

// Whatever the filter, an existing file is never replaced without the question.
TEST_F(OutputSavingTest, TheAllFilesFilterAsksToo)
{
    writeBytes(path(L"a.b"), "abc");
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"a.b"), 2));
    watcher.answer(OVERWRITE_CAPTION, IDNO);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(watcher.count(OVERWRITE_CAPTION), 1u);
    EXPECT_EQ(bytesOf(path(L"a.b")), bytes("abc"));
    watcher.answer(OVERWRITE_CAPTION, IDYES);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(bytesOf(path(L"a.b")), utf16(paneText()));
}

TEST_F(OutputSavingTest, CancellingTheDialogWritesNothing)
{
    CDialogWatcher watcher;
    watcher.answer(SAVE_CAPTION, IDCANCEL);
    command(IDM_FILE_SAVE_OUTPUT);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(watcher.count(SAVE_CAPTION), 2u);
    EXPECT_EQ(watcher.dialogs().size(), 2u);
    EXPECT_FALSE(m_console->outputPane().hasFileName());
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(OutputSavingTest, AFileThatCannotBeReplacedShowsTheErrorAndKeepsItsText)
{
    writeBytes(path(L"locked.txt"), "precious");
    HANDLE lock = CreateFileW(path(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"locked.txt")));
    watcher.answer(OVERWRITE_CAPTION, IDYES);
    watcher.answer(L"Error", IDOK);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    CloseHandle(lock);

    ASSERT_EQ(watcher.count(L"Error"), 1u);
    const auto& box = watcher.dialogs().back();
    EXPECT_EQ(box.text, L"VKF::CFile::open - Failed opening file.");
    EXPECT_EQ(box.owner, mainWindow());
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(bytesOf(path(L"locked.txt")), bytes("precious"));
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"locked.txt"});
    EXPECT_TRUE(IsWindow(mainWindow()));
}

TEST_F(OutputSavingTest, AnEmptyPaneSavesAnEmptyFile)
{
    command(IDM_FILE_CLEAR_OUTPUT);
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"empty")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(bytesOf(path(L"empty.txt")), std::vector<char>{});
}

// The documentation is looked for in the current directory, so saving must not move it.
TEST_F(OutputSavingTest, SavingLeavesTheCurrentDirectoryAlone)
{
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"here.txt")));
    command(IDM_FILE_SAVE_OUTPUT_AS);
    ASSERT_EQ(filesInFolder(), std::vector<std::wstring>{L"here.txt"});
    EXPECT_EQ(currentDirectory(), m_startDirectory);
}

TEST_F(OutputSavingTest, WritingIntoAMissingFolderFailsWithTheOpenMessage)
{
    std::string message;
    try {
        writeTextFile(VKF::CString(path(L"missing\\out.txt").c_str()), VKF::CString(L"text"));
    } catch (const VKF::CException& error) {
        message = narrow(toWide(error.toString()));
    }
    EXPECT_EQ(message, "VKF::CFile::open - Failed opening file.");
}

TEST_F(OutputSavingTest, WritingReplacesAFileWholeAndLeavesNothingBeside)
{
    writeBytes(path(L"long.txt"), std::string(1000, 'x'));
    writeTextFile(VKF::CString(path(L"long.txt").c_str()), VKF::CString(L"ab"));
    EXPECT_EQ(bytesOf(path(L"long.txt")), utf16(L"ab"));
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"long.txt"});
}
