// The version records of both programs, read back as Explorer reads them.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "version.h"

namespace {

struct CVersionRecord {
    std::vector<unsigned char> data;

    explicit CVersionRecord(const wchar_t* path)
    {
        DWORD ignored = 0;
        data.resize(GetFileVersionInfoSizeW(path, &ignored));
        if (!data.empty() && !GetFileVersionInfoW(path, 0, DWORD(data.size()), data.data()))
            data.clear();
    }

    std::wstring text(const wchar_t* name)
    {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(data.data(), key.c_str(), &value, &length) || length == 0)
            return {};
        return static_cast<const wchar_t*>(value);
    }

    VS_FIXEDFILEINFO fixed()
    {
        void* value = nullptr;
        UINT length = 0;
        VS_FIXEDFILEINFO info{};
        if (VerQueryValueW(data.data(), L"\\", &value, &length) && length >= sizeof info)
            info = *static_cast<const VS_FIXEDFILEINFO*>(value);
        return info;
    }
};

} // namespace

TEST(VersionInfoTest, BothProgramsCarryTheBuildsVersion)
{
    const WORD numbers[] = {TALLIMEX_VERSION_NUMBERS};
    const struct {
        const wchar_t* path;
        const wchar_t* fileName;
    } programs[] = {{TALLIMEX_PROGRAM, L"Tallimex.exe"}, {TALLIMEX_CLI_PROGRAM, L"tallimex-cli.exe"}};
    for (const auto& program : programs) {
        SCOPED_TRACE(testing::Message() << "program " << program.fileName);
        CVersionRecord record(program.path);
        ASSERT_FALSE(record.data.empty());
        EXPECT_EQ(record.text(L"FileVersion"), L"" TALLIMEX_VERSION);
        EXPECT_EQ(record.text(L"ProductVersion"), L"" TALLIMEX_VERSION);
        EXPECT_EQ(record.text(L"ProductName"), L"Tallimex");
        EXPECT_EQ(record.text(L"OriginalFilename"), program.fileName);
        EXPECT_EQ(record.text(L"LegalCopyright"), L"" TALLIMEX_COPYRIGHT);
        EXPECT_FALSE(record.text(L"FileDescription").empty());
        const VS_FIXEDFILEINFO info = record.fixed();
        EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(info.dwFileVersionMS, DWORD(numbers[0]) << 16 | numbers[1]);
        EXPECT_EQ(info.dwFileVersionLS, DWORD(numbers[2]) << 16 | numbers[3]);
        EXPECT_EQ(info.dwProductVersionMS, info.dwFileVersionMS);
    }
}
