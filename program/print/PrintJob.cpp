#include "print/PrintJob.h"

#include <algorithm>
#include <string>

#include "skin/MessageDlg.h"

namespace {
constexpr char kNoPrinter[] = "No printer is set up.\r\nNothing was printed.";
constexpr char kCancelled[] = "Printing was cancelled.\r\nNothing was printed.";
constexpr char kTooSmall[] = "The paper is too small.\r\nNothing was printed.";
constexpr char kPrinterFault[] = "The printer reported a fault.\r\nThe pages may not have been printed.";
// Nine points: the columns fit across A4 with room for the descriptions.
constexpr int kFontPoints = 9;
constexpr char kFontFace[] = "Courier New";

HFONT MakeFont(int height, int weight)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kFontFace);
}
} // namespace

CPrintJob::CPrintJob(HWND owner, const PrintDocument& document) : m_owner(owner), m_document(document)
{
    m_dialog.lStructSize = sizeof m_dialog;
    m_dialog.hwndOwner = owner;
}

CPrintJob::~CPrintJob()
{
    ReleaseDc();
    if (m_dialog.hDevMode)
        GlobalFree(m_dialog.hDevMode);
    if (m_dialog.hDevNames)
        GlobalFree(m_dialog.hDevNames);
}

void CPrintJob::ReleaseDc()
{
    // The fonts go after the device context they may be selected into.
    if (m_dialog.hDC)
        DeleteDC(m_dialog.hDC);
    m_dialog.hDC = nullptr;
    DeleteFonts();
}

void CPrintJob::DeleteFonts()
{
    if (m_font)
        DeleteObject(m_font);
    if (m_bold)
        DeleteObject(m_bold);
    m_font = m_bold = nullptr;
}

// Nine points, or smaller where the paper is too narrow for the columns at
// nine (A5 upright): the metrics of the font made.
TEXTMETRICA CPrintJob::MakeFonts()
{
    HDC dc = m_dialog.hDC;
    int height = -MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    TEXTMETRICA metrics = {};
    for (int attempt = 0; attempt < 2; ++attempt) {
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteFonts();
        m_font = MakeFont(height, FW_NORMAL);
        m_bold = MakeFont(height, FW_BOLD);
        SelectObject(dc, m_font);
        GetTextMetricsA(dc, &metrics);
        const int fit = m_width / std::max(1, static_cast<int>(metrics.tmAveCharWidth));
        if (fit >= CPrintLayout::kMinChars)
            break;
        height = height * fit / (CPrintLayout::kMinChars + 1);
    }
    return metrics;
}

void CPrintJob::Run()
{
    if (!ChooseDefault()) {
        CMessageDlg::Tell(m_owner, kNoPrinter);
        return;
    }
    if (!LayOut()) {
        CMessageDlg::Tell(m_owner, kTooSmall);
        return;
    }
    if (!Choose())
        return;
    if (!LayOut())
        CMessageDlg::Tell(m_owner, kTooSmall);
    else if (!PrintPages())
        CMessageDlg::Tell(m_owner, kPrinterFault);
}

// The default printer, without a dialog, to count the pages the dialog offers.
bool CPrintJob::ChooseDefault()
{
    m_dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    return PrintDlgA(&m_dialog) && m_dialog.hDC;
}

// The dialog a person sees; a cancel is told apart from a failure.
bool CPrintJob::Choose()
{
    const int pageCount = static_cast<int>(m_layout.Pages().size());
    ReleaseDc();
    m_dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_ALLPAGES;
    m_dialog.nMinPage = m_dialog.nFromPage = 1;
    m_dialog.nMaxPage = m_dialog.nToPage = static_cast<WORD>(std::min(pageCount, 0xFFFF));
    m_dialog.nCopies = 1;
    if (PrintDlgA(&m_dialog) && m_dialog.hDC)
        return true;
    CMessageDlg::Tell(m_owner, CommDlgExtendedError() == 0 ? kCancelled : kNoPrinter);
    return false;
}

// Half an inch of margin all round, measured from the paper's edge.
bool CPrintJob::LayOut()
{
    HDC dc = m_dialog.hDC;
    const int marginX = GetDeviceCaps(dc, LOGPIXELSX) / 2;
    const int marginY = GetDeviceCaps(dc, LOGPIXELSY) / 2;
    m_left = std::max(0, marginX - GetDeviceCaps(dc, PHYSICALOFFSETX));
    m_top = std::max(0, marginY - GetDeviceCaps(dc, PHYSICALOFFSETY));
    m_width = std::min(GetDeviceCaps(dc, HORZRES) - m_left, GetDeviceCaps(dc, PHYSICALWIDTH) - 2 * marginX);
    const int height = std::min(GetDeviceCaps(dc, VERTRES) - m_top, GetDeviceCaps(dc, PHYSICALHEIGHT) - 2 * marginY);
    const TEXTMETRICA metrics = MakeFonts();
    m_lineHeight = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    m_layout = CPrintLayout(height / m_lineHeight, m_width / std::max(1, static_cast<int>(metrics.tmAveCharWidth)));
    return m_layout.LayOut(m_document);
}

// The chosen pages, as many copies as asked for; a fault abandons the job.
bool CPrintJob::PrintPages()
{
    const std::string name = "Quillbox " + m_document.title;
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocA(m_dialog.hDC, &info) <= 0)
        return false;
    const auto& pages = m_layout.Pages();
    const bool range = (m_dialog.Flags & PD_PAGENUMS) != 0;
    const size_t first = range ? std::max<size_t>(m_dialog.nFromPage, 1) - 1 : 0;
    const size_t last = range ? std::min<size_t>(m_dialog.nToPage, pages.size()) : pages.size();
    for (int copy = 0; copy < std::max<int>(m_dialog.nCopies, 1); ++copy) {
        for (size_t i = first; i < last; ++i) {
            if (!PrintOnePage(pages[i])) {
                AbortDoc(m_dialog.hDC);
                return false;
            }
        }
    }
    return EndDoc(m_dialog.hDC) > 0;
}

bool CPrintJob::PrintOnePage(const PrintPage& page)
{
    HDC dc = m_dialog.hDC;
    if (StartPage(dc) <= 0)
        return false;
    SetBkMode(dc, TRANSPARENT);
    int y = m_top;
    for (const PrintRow& row : page) {
        if (row.style == PrintRowStyle::Rule) {
            MoveToEx(dc, m_left, y + m_lineHeight / 2, nullptr);
            LineTo(dc, m_left + m_width, y + m_lineHeight / 2);
        } else {
            const bool bold = row.style == PrintRowStyle::Heading || row.style == PrintRowStyle::Undelivered;
            SelectObject(dc, bold ? m_bold : m_font);
            TextOutA(dc, m_left, y, row.text.c_str(), static_cast<int>(row.text.size()));
        }
        y += m_lineHeight;
    }
    return EndPage(dc) > 0;
}
