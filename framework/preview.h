// CPreviewBar, CPreviewView: the print preview of a view, shown over its frame's client area under a bar of its commands.
#pragma once

#include "framework/controlbar.h"
#include "framework/controls.h"
#include "framework/docview.h"
#include "framework/gdi.h"

#include <map>
#include <memory>
#include <vector>

class CFrameWnd;

// The row of push buttons along the top of the frame while a print preview shows: Print, Next and Previous Page,
// One or Two Pages, Zoom In and Out, Close. A click sends the button's command to the frame.
class CPreviewBar : public CControlBar {
    DECLARE_DYNAMIC(CPreviewBar)
public:
    CPreviewBar();
    ~CPreviewBar() override;

    BOOL Create(CWnd* pParentWnd);
    // The button of a preview command, or null.
    CButton* GetButton(UINT nID) const;
    // Sends the command of the enabled button whose mnemonic is the key; FALSE when there is none.
    BOOL SendMnemonicCommand(UINT nChar);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Enables the buttons and sets their texts through pTarget's update handlers.
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::unique_ptr<CButton>> m_buttons;
    int m_height = 0;
};

// A view in the place of a frame's views while it shows another view's pages as its printer would print them.
// It takes the frame's client area: the frame's bars, panes and views are hidden, and its accelerators are off,
// until the preview closes. It deletes itself with its window.
class CPreviewView : public CScrollView {
    DECLARE_DYNAMIC(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Shows the preview of pPrintView, whose printing is prepared in pInfo (the printer's DC in pInfo->m_pPD),
    // over pFrame. FALSE, with the frame as it was, when it cannot be shown.
    BOOL Open(CFrameWnd* pFrame, CView* pPrintView, std::unique_ptr<CPrintInfo> pInfo);

    CView* GetPrintView() const { return m_pPrintView; }
    CPreviewBar& GetBar() { return m_bar; }
    // The first page shown, from the view's first page.
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // Pages shown side by side: 1 or 2 (always 1 while zoomed in).
    int GetPagesShown() const { return m_zoom == 0 ? m_nPages : 1; }
    // 0: the pages fit the window; 1 and 2: larger steps up to twice that or the page's real size.
    int GetZoomLevel() const { return m_zoom; }
    // Where the paper of the index-th page shown lies, in client coordinates; empty when no page is shown there.
    CRect GetPageRect(int index) const;
    // Whether the view prints a page of that number.
    bool PageExists(UINT nPage);

    void OnDraw(CDC* pDC) override;
    // Escape closes the preview, Page Down and Page Up turn the pages, Alt and a button's letter press the button.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // AFX_ID_PREVIEW_CLOSE: the frame gets its windows back, and the preview goes.
    afx_msg void OnPreviewClose();
    // AFX_ID_PREVIEW_PRINT: closes the preview and prints the view as the frame's print command does.
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    // AFX_ID_PREVIEW_NUMPAGE: one page or two side by side.
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    // The frame's windows that the preview hid, and the pane window whose id it took.
    void HideFrameWindows();
    void RestoreFrameWindows();
    // Places the pages for the window's size, the zoom and the pages shown; sets the scroll sizes.
    void Layout();
    // After a change of page, page count or zoom: the layout, the bar, the status line and the picture.
    void Refresh();
    void SetPageText();
    // The page as the printer would get it, recorded with the printer as reference; null when it cannot be.
    HENHMETAFILE PagePicture(UINT nPage);

    CFrameWnd* m_pFrame = nullptr;
    CView* m_pPrintView = nullptr;
    CView* m_pPreviousActive = nullptr;
    std::unique_ptr<CPrintInfo> m_pInfo;
    CDC m_printer;
    CPreviewBar m_bar;
    std::vector<HWND> m_hiddenWindows;
    HWND m_hSavedPane = nullptr;
    HACCEL m_hSavedAccel = nullptr;
    bool m_open = false;

    // The paper and its printable area in printer pixels; the paper's size on the screen at its real size.
    CSize m_paper;
    CRect m_printable;
    CSize m_natural;

    UINT m_nCurrentPage = 1;
    int m_nPages = 1;
    int m_zoom = 0;
    bool m_inLayout = false;
    CRect m_pageRects[2];
    std::map<UINT, bool> m_pageKnown;
    std::map<UINT, HENHMETAFILE> m_pictures;
};
