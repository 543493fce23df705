// The write-only file, the existence and extension tests and replacing a file once its contents are written.
#include "foundation/file.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "foundation/exception.h"
#include "foundation/utf8.h"
#include "tests/test_helpers.h"

using VKF::CFile;
using VKF::CString;

namespace {

namespace fs = std::filesystem;

// A fresh directory per test, removed afterwards.
class FileTest : public testing::Test {
protected:
    void SetUp() override
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        m_directory = fs::temp_directory_path() / (std::string("tallimex_file_test_") + test->name());
        fs::remove_all(m_directory);
        fs::create_directories(m_directory);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_directory, ignored);
    }
    fs::path m_directory;
};

} // namespace

TEST_F(FileTest, WritesUtf16LittleEndianWithoutMarkOrTerminator)
{
    const fs::path path = m_directory / "out.txt";
    {
        std::ofstream old(path, std::ios::binary);
        old << "previous contents that are longer";
    }
    CFile file;
    EXPECT_FALSE(file.isOpen());
    file.open(pathText(path));
    EXPECT_TRUE(file.isOpen());
    file.write(CString(VKF_T("AB")));
    const VKF::UChar special[] = {0x00E4, 0x20AC, 0xD83D, 0xDE00, 0};
    file.write(CString(special));
    file.write(CString());
    file.write(CString(VKF_T("\r\n")));
    file.close();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(bytesOf(path), std::string("A\0B\0\xE4\0\xAC\x20\x3D\xD8\x00\xDE\r\0\n\0", 16))
        << "replaces the old file";
}

TEST_F(FileTest, ReportsMisuseAndFailures)
{
    const fs::path first = m_directory / "first.txt";
    const fs::path second = m_directory / "second.txt";
    CFile file;
    EXPECT_EQ(messageOf([&] { file.write(CString(VKF_T("lost"))); }), "VKF::CFile::write - Error writing file.");
    EXPECT_EQ(messageOf([&] { file.open(pathText(m_directory / "missing" / "out.txt")); }),
              "VKF::CFile::open - Failed opening file.");
    EXPECT_FALSE(file.isOpen());
    // Opening twice fails and keeps the first file.
    file.open(pathText(first));
    EXPECT_EQ(messageOf([&] { file.open(pathText(second)); }), "VKF::CFile::open - File already open.");
    file.write(CString(VKF_T("1")));
    file.close();
    EXPECT_EQ(bytesOf(first), std::string("1\0", 2));
    EXPECT_FALSE(fs::exists(second));
}

TEST_F(FileTest, CloseIsIdempotentAndDestructionCloses)
{
    const VKF::UChar name[] = {'p', 0x03C0, '_', 0x20AC, '.', 't', 'x', 't', 0};
    const CString path = pathText(m_directory) + VKF_T("/") + CString(name);
    EXPECT_FALSE(VKF::fileExists(path));
    {
        CFile file;
        file.open(path);
        file.write(CString(VKF_T("ok")));
        file.close();
        file.close();
        file.open(path);
        file.write(CString(VKF_T("again")));
    }
    EXPECT_TRUE(VKF::fileExists(path)) << "a name outside ASCII";
    EXPECT_EQ(fs::file_size(m_directory / u8"p\u03C0_\u20AC.txt"), 10u);
    // The handle is gone: the file can be replaced.
    CFile reopened;
    reopened.open(path);
    reopened.close();
    EXPECT_EQ(fs::file_size(m_directory / u8"p\u03C0_\u20AC.txt"), 0u);
    EXPECT_FALSE(VKF::fileExists(pathText(m_directory))) << "a folder is not a file";
    EXPECT_FALSE(VKF::fileExists(CString()));
    EXPECT_TRUE(VKF::pathIsTaken(path));
    EXPECT_TRUE(VKF::pathIsTaken(pathText(m_directory))) << "a folder takes the name too";
    EXPECT_FALSE(VKF::pathIsTaken(pathText(m_directory / "missing.txt")));
}

TEST(FileNameTest, HasExtensionComparesTheEndWithoutRegardToCase)
{
    const std::tuple<const VKF::UChar*, const VKF::UChar*, bool> cases[] = {
        {VKF_T("a.jpg"), VKF_T(".jpg"), true},  {VKF_T("A.JPG"), VKF_T(".jpg"), true},
        {VKF_T(".jPg"), VKF_T(".jpg"), true},   {VKF_T("a.jpeg"), VKF_T(".jpg"), false},
        {VKF_T("jpg"), VKF_T(".jpg"), false},   {VKF_T("a_jpg"), VKF_T(".jpg"), false},
        {VKF_T("a.bmp"), VKF_T(".jpg"), false}, {VKF_T(""), VKF_T(".txt"), false},
    };
    for (const auto& [path, extension, expected] : cases)
        EXPECT_EQ(VKF::hasExtension(CString(path), extension), expected) << VKF::toUtf8(CString(path));
}

TEST_F(FileTest, ReplacingAFileTakesEffectOnlyOnceTheWholeContentsAreWritten)
{
    const fs::path path = m_directory / "kept.bin";
    std::ofstream(path, std::ios::binary) << "old";
    const auto failing = [](CFile& file) {
        file.writeBytes("new", 3);
        throw VKF::CException(CString(VKF_T("stopped")));
    };
    EXPECT_EQ(messageOf([&] { VKF::replaceFileAfterWriting(pathText(path), failing); }), "stopped");
    EXPECT_EQ(bytesOf(path), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), {}), 1) << "the fresh file is removed";

    VKF::replaceFileAfterWriting(pathText(path), [](CFile& file) { file.writeBytes("new\0", 4); });
    EXPECT_EQ(bytesOf(path), std::string("new\0", 4));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), {}), 1);
    // A folder is not replaced: writing into it fails as opening it does.
    EXPECT_EQ(messageOf([&] { VKF::replaceFileAfterWriting(pathText(m_directory), [](CFile&) {}); }),
              "VKF::CFile::open - Failed opening file.");
    EXPECT_TRUE(fs::is_directory(m_directory));
}

#ifdef _WIN32
// A plain move over the old file gave it the fresh file's attributes: a hidden file came back shown.
TEST_F(FileTest, AReplacedFileKeepsItsAttributes)
{
    const fs::path path = m_directory / "hidden.txt";
    std::ofstream(path, std::ios::binary) << "old";
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
    VKF::replaceFileAfterWriting(pathText(path), [](CFile& file) { file.writeBytes("new", 3); });
    EXPECT_EQ(bytesOf(path), "new");
    EXPECT_EQ(GetFileAttributesW(path.c_str()), attributes);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), {}), 1);
}
#endif
