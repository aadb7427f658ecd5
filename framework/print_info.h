#pragma once
// What a print job tells the view between its steps: the page range, the
// page being printed and whether the pages go to the preview.
#include "platform/win_types.h"

class QPrinter;

class CPrintInfo {
public:
    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // No page to print: the range is empty.
    bool IsEmpty() const { return m_nMaxPage < m_nMinPage; }

    UINT m_nCurPage = 1;
    BOOL m_bPreview = FALSE;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};

// The printer of the session: File>Print Setup edits it, and printing and
// the preview print on it, so the user's choices stay until the program ends.
QPrinter& SessionPrinter();
