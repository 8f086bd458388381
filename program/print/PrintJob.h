#pragma once
#include <windows.h>
#include <commdlg.h>

#include "print/PrintLayout.h"

// One document on paper: the standard print dialog (printer, copies, pages)
// opens on the default printer with the document's page count, then every
// chosen page goes to the printer as GDI text and lines in a fixed-pitch font.
// Nothing is printed without a printer, after a cancel or on a fault, and the
// pharmacist is told which; the document itself is never changed.
class CPrintJob {
public:
    CPrintJob(HWND owner, const PrintDocument& document);
    ~CPrintJob();
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    void Run();

private:
    bool ChooseDefault();
    bool Choose();
    bool LayOut();
    bool PrintPages();
    bool PrintOnePage(const PrintPage& page);
    void ReleaseDc();
    void DeleteFonts();
    TEXTMETRICA MakeFonts();

    HWND m_owner;
    const PrintDocument& m_document;
    PRINTDLGA m_dialog = {};
    HFONT m_font = nullptr;
    HFONT m_bold = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_lineHeight = 1;
    CPrintLayout m_layout{0, 0};
};
