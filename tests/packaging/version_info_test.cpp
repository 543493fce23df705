// The version records and manifests of both programs, read back as Explorer and the loader read
// them.
#include <windows.h>

#include <fstream>
#include <regex>
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

// The manifest resource the loader reads, as text; empty when there is none.
std::string manifestOf(const wchar_t* path)
{
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        return {};
    std::string text;
    HRSRC resource = FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    if (loaded != nullptr)
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, resource));
    FreeLibrary(module);
    return text;
}

// The architecture of a program file from its PE header, in the manifest's words.
std::string machineOf(const wchar_t* path)
{
    std::ifstream file(path, std::ios::binary);
    std::uint32_t headerOffset = 0;
    std::uint16_t machine = 0;
    file.seekg(0x3C);
    file.read(reinterpret_cast<char*>(&headerOffset), sizeof headerOffset);
    file.seekg(headerOffset + 4);
    file.read(reinterpret_cast<char*>(&machine), sizeof machine);
    switch (machine) {
    case IMAGE_FILE_MACHINE_I386: return "x86";
    case IMAGE_FILE_MACHINE_AMD64: return "amd64";
    default: return "machine " + std::to_string(machine);
    }
}

struct CProgram {
    const wchar_t* path;
    const wchar_t* fileName;
};
const CProgram PROGRAMS[] = {{TALLIMEX_PROGRAM, L"Tallimex.exe"}, {TALLIMEX_CLI_PROGRAM, L"tallimex-cli.exe"}};

} // namespace

TEST(VersionInfoTest, EachManifestNamesItsProgramsArchitectureAndTheBuildsVersion)
{
    const WORD numbers[] = {TALLIMEX_VERSION_NUMBERS};
    const std::string version = std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "."
        + std::to_string(numbers[2]) + "." + std::to_string(numbers[3]);
    const std::regex identity(
        R"re(<assemblyIdentity type="win32" name="Tallimex" version="([^"]*)" processorArchitecture="([^"]*)"/>)re");
    for (const auto& program : PROGRAMS) {
        SCOPED_TRACE(testing::Message() << "program " << program.fileName);
        const std::string manifest = manifestOf(program.path);
        std::smatch match;
        ASSERT_TRUE(std::regex_search(manifest, match, identity)) << manifest;
        EXPECT_EQ(match[1].str(), version);
        EXPECT_EQ(match[2].str(), machineOf(program.path));
        EXPECT_NE(manifest.find(R"re(requestedExecutionLevel level="asInvoker")re"), std::string::npos);
    }
}

TEST(VersionInfoTest, BothProgramsCarryTheBuildsVersion)
{
    const WORD numbers[] = {TALLIMEX_VERSION_NUMBERS};
    for (const auto& program : PROGRAMS) {
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
