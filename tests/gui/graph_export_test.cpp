// A graph's picture saved through the real save dialog, copied to the clipboard and printed.
#include "graph/windows/graph_export.h"

#include <cstdlib>
#include <cstring>
#include <tuple>
#include <vector>

#include "console_harness.h"
#include "tests/imaging/image_files.h"
#include "tests/test_helpers.h"

namespace {

namespace fs = std::filesystem;

// The export with what it remembers open to the checks.
class CInspectedExport : public CGraphExport {
public:
    using CGraphExport::fileName;
    using CGraphExport::hasFile;
    using CGraphExport::imageType;
};

const wchar_t* const SAVE_CAPTION = L"Save As";
const wchar_t* const OVERWRITE_CAPTION = L"File already exists";
constexpr int COPIES_EDIT = 0x482;     // edt3 of the print dialog
constexpr int SIDE = 400;

// A pale blue picture, so that its whole square shows on paper, with a red block at the top left
// and a black bar along the bottom; colours 0xRRGGBB.
constexpr std::uint32_t BACKGROUND = 0xC8DCFF;
constexpr std::uint32_t BLOCK = 0xE01010;
constexpr std::uint32_t BAR = 0x000000;
const std::pair<RECT, std::uint32_t> AREAS[] = {
    {{0, 0, SIDE, SIDE}, BACKGROUND}, {{40, 40, 200, 200}, BLOCK}, {{0, 360, SIDE, SIDE}, BAR}};

std::uint32_t expectedColour(int x, int y)
{
    std::uint32_t colour = 0;
    for (const auto& [area, areaColour] : AREAS) {
        if (x >= area.left && x < area.right && y >= area.top && y < area.bottom)
            colour = areaColour;
    }
    return colour;
}

// The graph window's side of the export: an owner window and its 400 x 400 back buffer.
class GraphExportTest : public ImageFolderTest {
protected:
    void SetUp() override
    {
        ImageFolderTest::SetUp();
        m_window = CreateWindowExW(0, L"Static", L"Graph", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 480,
                                   nullptr, nullptr, nullptr, nullptr);
        HDC screen = GetDC(nullptr);
        m_pictureDC = CreateCompatibleDC(screen);
        m_picture = CreateCompatibleBitmap(screen, SIDE, SIDE);
        ReleaseDC(nullptr, screen);
        m_original = SelectObject(m_pictureDC, m_picture);
        for (const auto& [area, colour] : AREAS) {
            HBRUSH brush = CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
            FillRect(m_pictureDC, &area, brush);
            DeleteObject(brush);
        }
    }

    void TearDown() override
    {
        SelectObject(m_pictureDC, m_original);
        DeleteObject(m_picture);
        DeleteDC(m_pictureDC);
        DestroyWindow(m_window);
        ImageFolderTest::TearDown();
    }

    void save() { m_export.saveGraph(m_window, m_pictureDC, m_picture); }
    void saveAs() { m_export.saveGraphAs(m_window, m_pictureDC, m_picture); }
    std::wstring fileName() const { return toWide(m_export.fileName()); }
    // The command left the picture in its DC, untouched.
    void expectPictureInPlace() const
    {
        EXPECT_EQ(GetCurrentObject(m_pictureDC, OBJ_BITMAP), m_picture);
        EXPECT_EQ(GetPixel(m_pictureDC, 100, 100), RGB(0xE0, 0x10, 0x10));
    }

    HWND m_window = nullptr;
    HDC m_pictureDC = nullptr;
    HBITMAP m_picture = nullptr;
    HGDIOBJ m_original = nullptr;
    CInspectedExport m_export;
};

} // namespace

TEST_F(GraphExportTest, TheFilterChoosesFormatAndExtensionAndSaveFirstAsksForAFile)
{
    const std::tuple<const char*, int, const char*, ImageFormat> cases[] = {
        {"plain", 1, "plain.jpg", ImageFormat::Jpeg},     {"UPPER.JPG", 1, "UPPER.JPG", ImageFormat::Jpeg},
        {"photo.jpeg", 1, "photo.jpeg.jpg", ImageFormat::Jpeg}, {"a.bmp", 1, "a.bmp.jpg", ImageFormat::Jpeg},
        {"b", 2, "b.bmp", ImageFormat::Bmp},              {"c.Bmp", 2, "c.Bmp", ImageFormat::Bmp},
        {"d.jpg", 2, "d.jpg.bmp", ImageFormat::Bmp},
    };
    CDialogWatcher watcher;
    bool first = true;
    for (const auto& [typed, filter, name, format] : cases) {
        watcher.on(SAVE_CAPTION, savingAs(path(typed).wstring(), filter));
        first ? save() : saveAs();
        first = false;
        EXPECT_EQ(fileName(), path(name).wstring()) << typed;
        EXPECT_EQ(m_export.imageType(), format) << typed;
        const std::string bytes = bytesOf(path(name));
        if (format == ImageFormat::Bmp) {
            ASSERT_EQ(bytes.size(), 54u + SIDE * SIDE * 3) << name;
            EXPECT_EQ(bmpColourAt(bytes, 100, 100), BLOCK) << name;
            EXPECT_EQ(bmpColourAt(bytes, 399, 399), BAR) << name;
            EXPECT_EQ(bmpColourAt(bytes, 300, 0), BACKGROUND) << name;
        } else {
            const CDecodedJpeg jpeg = decodeJpeg(bytes);
            ASSERT_EQ(jpeg.width, 400u) << name;
            for (auto [x, y] : {std::pair{100, 100}, {390, 390}, {300, 10}})
                EXPECT_LE(channelDistance(jpeg.colourAt(x, y), expectedColour(x, y)), 8)
                    << name << " at " << x << "," << y;
        }
    }
    EXPECT_EQ(watcher.count(SAVE_CAPTION), std::size(cases));
    EXPECT_EQ(watcher.dialogs()[0].owner, m_window);
    EXPECT_EQ(files(), (std::vector<std::string>{"UPPER.JPG", "a.bmp.jpg", "b.bmp", "c.Bmp", "d.jpg.bmp",
                                                 "photo.jpeg.jpg", "plain.jpg"}));
    expectPictureInPlace();
}

TEST_F(GraphExportTest, OnlyYesReplacesAFileAndSaveRewritesTheRememberedOneWithoutAsking)
{
    std::ofstream(path("old.jpg"), std::ios::binary) << "old";
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path("first.bmp").wstring(), 2));
    saveAs();
    ASSERT_TRUE(fs::exists(path("first.bmp")));
    // The extension is added before the name is looked for.
    watcher.on(SAVE_CAPTION, savingAs(path("old").wstring(), 1));
    for (int answer : {IDNO, IDCANCEL}) {
        watcher.answer(OVERWRITE_CAPTION, answer);
        saveAs();
        EXPECT_EQ(watcher.seen(m_window).back(), L"File already exists: Are you sure you want to overwrite?");
        EXPECT_EQ(bytesOf(path("old.jpg")), "old") << "answer " << answer;
        EXPECT_EQ(fileName(), path("first.bmp").wstring()) << "answer " << answer;
        EXPECT_EQ(m_export.imageType(), ImageFormat::Bmp) << "answer " << answer;
    }
    fs::remove(path("first.bmp"));
    const std::size_t asked = watcher.dialogs().size();
    save();
    EXPECT_EQ(fs::file_size(path("first.bmp")), 54u + SIDE * SIDE * 3);
    save();
    EXPECT_EQ(watcher.dialogs().size(), asked) << "Save asks nothing, also over its own file";

    watcher.answer(OVERWRITE_CAPTION, IDYES);
    saveAs();
    EXPECT_EQ(decodeJpeg(bytesOf(path("old.jpg"))).width, 400u);
    EXPECT_EQ(fileName(), path("old.jpg").wstring());
    EXPECT_EQ(m_export.imageType(), ImageFormat::Jpeg);
    EXPECT_EQ(files(), (std::vector<std::string>{"first.bmp", "old.jpg"}));
}

TEST_F(GraphExportTest, CancellingTheDialogChangesNothing)
{
    CDialogWatcher watcher;
    watcher.answer(SAVE_CAPTION, IDCANCEL);
    save();
    saveAs();
    EXPECT_EQ(watcher.count(SAVE_CAPTION), 2u);
    EXPECT_FALSE(m_export.hasFile());
    EXPECT_TRUE(files().empty());
}

TEST_F(GraphExportTest, AFileThatCannotBeWrittenShowsTheErrorAndKeepsItsBytes)
{
    CDialogWatcher watcher;
    watcher.on(SAVE_CAPTION, savingAs(path("kept.bmp").wstring(), 2));
    save();
    const std::string kept = bytesOf(path("kept.bmp"));
    HANDLE lock = CreateFileW(path("kept.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    FillRect(m_pictureDC, &AREAS[1].first, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    save();
    CloseHandle(lock);
    EXPECT_EQ(watcher.seen(m_window).back(), L"Error.: Error saving image. (icon)");
    EXPECT_EQ(bytesOf(path("kept.bmp")), kept);
    EXPECT_EQ(files(), std::vector<std::string>{"kept.bmp"}) << "no half-written file is left";

    // A picture that cannot be read.
    m_export.saveGraph(m_window, m_pictureDC, nullptr);
    EXPECT_EQ(watcher.seen(m_window).back(), L"Error.: Error initializing when saving image. (icon)");
    EXPECT_EQ(bytesOf(path("kept.bmp")), kept);
}

TEST_F(GraphExportTest, CopyPutsAnEqualBitmapOfItsOwnOnTheClipboard)
{
    CGraphExport::copyGraph(m_window, m_pictureDC, m_picture);
    ASSERT_TRUE(OpenClipboard(m_window));
    auto copy = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, m_picture);
    BITMAP description{};
    GetObjectW(copy, sizeof description, &description);
    EXPECT_EQ(description.bmWidth, SIDE);
    EXPECT_EQ(description.bmHeight, SIDE);
    const std::vector<std::uint32_t> copied = bitmapPixels(copy);
    CloseClipboard();
    expectPictureInPlace();
    SelectObject(m_pictureDC, m_original);
    EXPECT_TRUE(copied == bitmapPixels(m_picture));
    EXPECT_EQ(copied[100 * SIDE + 100], BLOCK);
    SelectObject(m_pictureDC, m_picture);

    // A clipboard held open elsewhere is left as it is.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    HWND holder = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    CGraphExport::copyGraph(m_window, m_pictureDC, m_picture);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    CloseClipboard();
    DestroyWindow(holder);
}

// Run by the printing test, which starts a printer of its own first and reads the printed file;
// it runs it again once the printer refuses jobs.
TEST_F(GraphExportTest, PrintsOnePagePerCopyOrSaysItFailed)
{
    const char* copies = std::getenv("TALLIMEX_PRINT_COPIES");
    if (copies == nullptr)
        GTEST_SKIP() << "needs the printer of tests/gui/print_test.sh";
    const bool refused = std::getenv("TALLIMEX_PRINT_REFUSED") != nullptr;
    CDialogWatcher watcher;
    watcher.on(L"Print", [copies = std::wstring(copies, copies + std::strlen(copies))](HWND dialog) {
        SetDlgItemTextW(dialog, COPIES_EDIT, copies.c_str());
        clickButton(dialog, IDOK);
    });
    CGraphExport::printGraph(m_window, m_pictureDC, m_picture);
    std::vector<std::wstring> seen = watcher.seen(m_window);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(watcher.dialogs()[0].caption, L"Print");
    seen.erase(seen.begin());
    EXPECT_EQ(seen, refused ? std::vector<std::wstring>{L"Error.: Error printing graph. (icon)"}
                            : std::vector<std::wstring>{});
    expectPictureInPlace();
}
