// Saving the output pane: the real save dialog, the overwrite question, the bytes written, a file
// that cannot be replaced, and the remembered file name.
#include "console_harness.h"

#include "resources/resource_ids.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

namespace {

const wchar_t* const SAVE_CAPTION = L"Save As";
const wchar_t* const OVERWRITE_CAPTION = L"File already exists";

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<no file>";
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// UTF-16 little-endian without byte-order mark.
std::string utf16(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class OutputSavingTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("tallimex-save-" + std::to_string(GetTickCount()));
        ASSERT_TRUE(fs::create_directory(m_folder));
        open();
        enterLine(L"1+2");
        enterLine(L"x=\u03C0");
    }

    void TearDown() override
    {
        ConsoleTest::TearDown();
        fs::remove_all(m_folder);
    }

    std::wstring path(const std::wstring& name) const { return (m_folder / name).wstring(); }

    // Sorted.
    std::vector<std::wstring> filesInFolder() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().wstring());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_folder;
};

} // namespace

// The documentation is looked for in the current directory, so saving must not move it.
TEST_F(OutputSavingTest, SaveOutputChoosesANewFileOnceAndThenWritesItWithoutAsking)
{
    fs::path startDirectory = fs::current_path();
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path(L"session")));
    command(IDM_FILE_SAVE_OUTPUT);
    ASSERT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(watcher.dialogs()[0].owner, mainWindow());
    ASSERT_EQ(paneText(), L">> x=\u03C0\r\nx = 3.14159265359\r\n\r\n>> 1+2\r\n= 3");
    EXPECT_EQ(bytesOf(path(L"session.txt")), utf16(paneText()));
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"session.txt"});
    EXPECT_EQ(fs::current_path(), startDirectory);

    enterLine(L"2*x");
    command(IDM_FILE_SAVE_OUTPUT);
    EXPECT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(bytesOf(path(L"session.txt")), utf16(paneText()));
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"session.txt"});
}

TEST_F(OutputSavingTest, TheTextFilterAddsTheExtensionUnlessTheNameHasItInAnyCase)
{
    CDialogWatcher watcher;
    for (auto [name, filter] : {std::pair{L"UPPER.TXT", 1}, {L"mixed.tXt", 1}, {L"notes.log", 1}, {L"plain.log", 2}}) {
        watcher.on(SAVE_CAPTION, savingAs(path(name), filter));
        command(IDM_FILE_SAVE_OUTPUT_AS);
    }
    EXPECT_EQ(filesInFolder(), (std::vector<std::wstring>{L"UPPER.TXT", L"mixed.tXt", L"notes.log.txt", L"plain.log"}));
}

TEST_F(OutputSavingTest, AnExistingFileIsReplacedWholeOnlyAfterYes)
{
    const std::string old(1000, 'x');
    writeBytes(path(L"old.txt"), old);
    CDialogWatcher watcher;
    // The extension is added before the name is looked for.
    watcher.on(SAVE_CAPTION, savingAs(path(L"old")));
    const std::tuple<int, const char*, std::string> answers[] = {
        {IDNO, "No", old}, {IDCANCEL, "Cancel", old}, {IDYES, "Yes", utf16(paneText())}};
    for (const auto& [answer, name, after] : answers) {
        watcher.answer(OVERWRITE_CAPTION, answer);
        size_t asked = watcher.count(OVERWRITE_CAPTION);
        command(IDM_FILE_SAVE_OUTPUT_AS);
        ASSERT_EQ(watcher.count(OVERWRITE_CAPTION), asked + 1) << "before " << name;
        EXPECT_EQ(watcher.seen(mainWindow()).back(), L"File already exists: Are you sure you want to overwrite?");
        EXPECT_EQ(bytesOf(path(L"old.txt")), after) << "after " << name;
        EXPECT_EQ(m_console->outputPane().hasFileName(), answer == IDYES) << "after " << name;
    }
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"old.txt"});
}

TEST_F(OutputSavingTest, CancellingTheDialogWritesNothing)
{
    CDialogWatcher watcher;
    watcher.answer(SAVE_CAPTION, IDCANCEL);
    command(IDM_FILE_SAVE_OUTPUT);
    command(IDM_FILE_SAVE_OUTPUT_AS);
    EXPECT_EQ(watcher.count(SAVE_CAPTION), 2u);
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
    command(IDM_FILE_SAVE_OUTPUT_AS);
    CloseHandle(lock);

    ASSERT_EQ(watcher.count(L"Error"), 1u);
    EXPECT_EQ(watcher.seen(mainWindow()).back(), L"Error: VKF::CFile::open - Failed opening file. (icon)");
    EXPECT_EQ(bytesOf(path(L"locked.txt")), "precious");
    EXPECT_EQ(filesInFolder(), std::vector<std::wstring>{L"locked.txt"});
}
