// A graph's picture leaving its window: saved as JPEG or BMP, copied to the clipboard, printed.
#include "graph/windows/graph_export.h"

#include <commdlg.h>

#include <optional>

#include "graph/portable/graph_printing.h"
#include "graph/windows/selected_gdi_object.h"
#include "host/other_windows_disabled.h"
#include "host/save_file_dialog.h"

namespace {

const wchar_t FILTERS[] = L"JPEG Image (.jpg)\0*.jpg\0Bitmap Image (.bmp)\0*.bmp\0";
constexpr DWORD JPEG_FILTER = 1;
constexpr DWORD BMP_FILTER = 2;
const wchar_t* const EXTENSIONS[] = {L".jpg", L".bmp"};
const wchar_t* const ERROR_CAPTION = L"Error.";
const wchar_t* const DOCUMENT_NAME = L"Tallimex Graph";

// The records' sizes come from their declarations: on 32-bit Windows the print dialog's is 66
// bytes (packed), the document's 20.
static_assert(sizeof(void*) != 4 || sizeof(PRINTDLGW) == 66);
static_assert(sizeof(void*) != 4 || sizeof(DOCINFOW) == 20);
constexpr DWORD PRINT_FLAGS = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_DISABLEPRINTTOFILE | PD_NONETWORKBUTTON;
static_assert(PRINT_FLAGS == 0x28010C);

void showError(HWND owner, const wchar_t* text)
{
    MessageBoxW(owner, text, ERROR_CAPTION, MB_ICONERROR);
}

void writePicture(HWND owner, HDC pictureDC, HBITMAP picture, const VKF::CString& path, ImageFormat format)
{
    if (const wchar_t* failure = writeGraphPictureFile(pictureDC, picture, path, format))
        showError(owner, failure);
}

// Asks for the file and its format; the chosen filter decides the format and adds its extension
// unless the name has it. True when the save is to go ahead, after a Yes for an existing file.
bool chooseFile(HWND owner, VKF::CString& path, ImageFormat& format)
{
    const std::optional<CSaveChoice> choice = askForSaveFile(owner, FILTERS, JPEG_FILTER, EXTENSIONS);
    if (!choice)
        return false;
    path = choice->path;
    format = choice->filter == BMP_FILTER ? ImageFormat::Bmp : ImageFormat::Jpeg;
    return true;
}

SIZE sizeOf(HBITMAP picture)
{
    BITMAP description{};
    if (GetObjectW(picture, sizeof description, &description) == 0)
        return {0, 0};
    return {description.bmWidth, description.bmHeight};
}

// A new bitmap, selected nowhere, with the picture's pixels; none when GDI has no room for it.
HBITMAP copyOfPicture(HDC pictureDC, HBITMAP picture)
{
    const SIZE size = sizeOf(picture);
    HDC copyDC = CreateCompatibleDC(pictureDC);
    if (copyDC == nullptr)
        return nullptr;
    HBITMAP copy = CreateCompatibleBitmap(pictureDC, size.cx, size.cy);
    if (copy != nullptr) {
        HGDIOBJ previous = SelectObject(copyDC, copy);
        const bool copied = previous != nullptr && BitBlt(copyDC, 0, 0, size.cx, size.cy, pictureDC, 0, 0, SRCCOPY);
        if (previous != nullptr)
            SelectObject(copyDC, previous);
        if (!copied) {
            DeleteObject(copy);
            copy = nullptr;
        }
    }
    DeleteDC(copyDC);
    return copy;
}

// The print dialog's record and what it hands over (the printer's DC and settings), all freed
// however printing ends.
class CPrintDialog {
public:
    explicit CPrintDialog(HWND owner)
    {
        m_record.lStructSize = sizeof m_record;
        m_record.hwndOwner = owner;
        m_record.Flags = PRINT_FLAGS;
        m_record.nCopies = 1;
    }
    ~CPrintDialog()
    {
        if (m_record.hDC != nullptr)
            DeleteDC(m_record.hDC);
        if (m_record.hDevMode != nullptr)
            GlobalFree(m_record.hDevMode);
        if (m_record.hDevNames != nullptr)
            GlobalFree(m_record.hDevNames);
    }
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // True with a printer's DC.
    bool run() { return PrintDlgW(&m_record) && m_record.hDC != nullptr; }
    HDC printer() const noexcept { return m_record.hDC; }
    int copies() const noexcept { return m_record.nCopies; }

private:
    PRINTDLGW m_record{};
};

// The picture on a printer: each page shows it stretched by the printer to its square.
class CPrinterJob : public CPrintJob {
public:
    CPrinterJob(HDC printer, HDC pictureDC, HBITMAP picture)
        : m_printer(printer), m_pictureDC(pictureDC), m_pictureSize(sizeOf(picture)),
          m_placement(printPlacement(GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)))
    {
    }

    bool startDocument() override
    {
        DOCINFOW document{};
        document.cbSize = sizeof document;
        document.lpszDocName = DOCUMENT_NAME;
        return StartDocW(m_printer, &document) > 0;
    }
    bool startPage() override { return StartPage(m_printer) > 0; }
    // A driver may refuse the blit: the page would come out blank.
    bool drawPage() override
    {
        return StretchBlt(m_printer, m_placement.left, m_placement.top, m_placement.side, m_placement.side,
                          m_pictureDC, 0, 0, m_pictureSize.cx, m_pictureSize.cy, SRCCOPY);
    }
    bool endPage() override { return EndPage(m_printer) > 0; }
    bool endDocument() override { return EndDoc(m_printer) > 0; }
    void abortDocument() override { AbortDoc(m_printer); }

private:
    HDC m_printer;
    HDC m_pictureDC;
    SIZE m_pictureSize;
    CPrintPlacement m_placement;
};

} // namespace

const wchar_t* writeGraphPictureFile(HDC pictureDC, HBITMAP picture, const VKF::CString& path, ImageFormat format)
{
    CRasterImage image;
    bool read = false;
    {
        // GetDIBits wants the bitmap it reads selected into no DC: a scratch bitmap stands in for
        // the picture meanwhile.
        CSelectedGdiObject scratch(pictureDC, CreateCompatibleBitmap(pictureDC, 1, 1));
        read = image.createFromBitmap(picture);
    }
    if (!read)
        return L"Error initializing when saving image.";
    if (!image.save(path, format))
        return L"Error saving image.";
    return nullptr;
}

void CGraphExport::saveGraph(HWND owner, HDC pictureDC, HBITMAP picture)
{
    if (!m_hasFile)
        saveGraphAs(owner, pictureDC, picture);
    else
        writePicture(owner, pictureDC, picture, m_fileName, m_imageType);
}

void CGraphExport::saveGraphAs(HWND owner, HDC pictureDC, HBITMAP picture)
{
    VKF::CString path;
    ImageFormat format = ImageFormat::Jpeg;
    if (!chooseFile(owner, path, format))
        return;
    m_fileName = path;
    m_imageType = format;
    m_hasFile = true;
    writePicture(owner, pictureDC, picture, m_fileName, m_imageType);
}

// The clipboard is opened first, so that nothing is made when it cannot be; a copy the clipboard
// does not take is deleted again. The clipboard keeps its contents when no copy can be made.
void CGraphExport::copyGraph(HWND owner, HDC pictureDC, HBITMAP picture)
{
    if (!OpenClipboard(owner))
        return;
    if (HBITMAP copy = copyOfPicture(pictureDC, picture)) {
        EmptyClipboard();
        if (SetClipboardData(CF_BITMAP, copy) == nullptr)
            DeleteObject(copy);
    }
    CloseClipboard();
}

void CGraphExport::printGraph(HWND owner, HDC pictureDC, HBITMAP picture)
{
    COtherWindowsDisabled others(owner);
    CPrintDialog dialog(owner);
    if (!dialog.run())
        return;
    CPrinterJob job(dialog.printer(), pictureDC, picture);
    if (!printCopies(job, dialog.copies()))
        showError(owner, L"Error printing graph.");
}
