#include "framework/preview.h"

#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/statusbar.h"

#include <algorithm>
#include <cctype>
#include <cmath>

IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)
IMPLEMENT_DYNAMIC(CPreviewView, CScrollView)

namespace {

// The buttons of the bar in their order; the second text is the one-or-two-pages button's other state.
struct PreviewButton {
    UINT id;
    const char* text;
    const char* otherText;
};
constexpr PreviewButton kPreviewButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "&Print...", nullptr},
    {AFX_ID_PREVIEW_NEXT, "&Next Page", nullptr},
    {AFX_ID_PREVIEW_PREV, "Pre&vious Page", nullptr},
    {AFX_ID_PREVIEW_NUMPAGE, "&Two Pages", "&One Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In", nullptr},
    {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out", nullptr},
    {AFX_ID_PREVIEW_CLOSE, "&Close", nullptr},
};
const char kTwoPages[] = "&Two Pages";
const char kOnePage[] = "&One Page";
const char kPreviewFailed[] = "Failed to show the print preview.";

// Bar layout: space round and between the buttons; a button's width beyond its text, and its least width.
constexpr int kBarMargin = 4;
constexpr int kButtonGap = 4;
constexpr int kButtonPadding = 18;
constexpr int kMinButtonWidth = 60;
constexpr int kButtonExtraHeight = 10;

// Space round and between the pages on the grey ground; the paper's shadow.
constexpr int kPageGap = 16;
constexpr int kShadow = 3;
constexpr int kMaxZoom = 2;

// The mnemonic letter of a button text, upper case, or 0.
UINT MnemonicOf(const CString& text)
{
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

// The visible top-level windows of an owner, collected by EnumThreadWindows.
struct OwnedWindows {
    HWND owner;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectOwnedWindow(HWND window, LPARAM param)
{
    auto* owned = reinterpret_cast<OwnedWindows*>(param);
    if (::GetWindow(window, GW_OWNER) == owned->owner && ::IsWindowVisible(window))
        owned->found->push_back(window);
    return TRUE;
}

// A device capability of the printer, or fallback when it has none.
int Caps(CDC& dc, int index, int fallback)
{
    const int value = dc.GetDeviceCaps(index);
    return value > 0 ? value : fallback;
}

} // namespace

// CPreviewBar

BEGIN_MESSAGE_MAP(CPreviewBar, CControlBar)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPreviewBar::CPreviewBar() = default;

CPreviewBar::~CPreviewBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CPreviewBar::Create(CWnd* pParentWnd)
{
    SetBarStyle(CBRS_TOP);
    if (!CWnd::Create(AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                      nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd,
                      AFX_IDW_PREVIEW_BAR))
        return FALSE;
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    CClientDC dc(this);
    ScopedSelect select(dc, font);
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);
    const int buttonHeight = metrics.tmHeight + kButtonExtraHeight;
    m_height = buttonHeight + 2 * kBarMargin;
    int x = kBarMargin;
    for (const PreviewButton& entry : kPreviewButtons) {
        // The shown text without its mnemonic mark, the wider of the button's two texts.
        int textWidth = 0;
        for (const char* text : {entry.text, entry.otherText}) {
            if (text == nullptr)
                continue;
            CString shown(text);
            shown.Remove('&');
            textWidth = std::max<int>(textWidth, dc.GetTextExtent(shown).cx);
        }
        const int width = std::max(kMinButtonWidth, textWidth + kButtonPadding);
        auto button = std::make_unique<CButton>();
        if (!button->Create(entry.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                            CRect(x, kBarMargin, x + width, kBarMargin + buttonHeight), this, entry.id))
            return FALSE;
        button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        m_buttons.push_back(std::move(button));
        x += width + kButtonGap;
    }
    return TRUE;
}

CButton* CPreviewBar::GetButton(UINT nID) const
{
    for (const auto& button : m_buttons) {
        if (static_cast<UINT>(button->GetDlgCtrlID()) == nID)
            return button.get();
    }
    return nullptr;
}

BOOL CPreviewBar::SendMnemonicCommand(UINT nChar)
{
    for (const auto& button : m_buttons) {
        CString text;
        button->GetWindowText(text);
        if (MnemonicOf(text) == nChar && button->IsWindowEnabled() && button->IsWindowVisible()) {
            CWnd* parent = GetParent();
            if (parent != nullptr)
                parent->SendMessage(WM_COMMAND, static_cast<WPARAM>(button->GetDlgCtrlID()));
            return TRUE;
        }
    }
    return FALSE;
}

CSize CPreviewBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(0, m_height) : CSize(m_height, 0);
}

void CPreviewBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    state.m_nIndexMax = static_cast<UINT>(m_buttons.size());
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(m_buttons[i]->GetDlgCtrlID());
        state.m_pOther = m_buttons[i].get();
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

// A click on a button is the button's command to the frame (which drops it while it is disabled).
BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0 || GetButton(LOWORD(wParam)) == nullptr)
        return CControlBar::OnCommand(wParam, lParam);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, LOWORD(wParam));
    return TRUE;
}

BOOL CPreviewBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    pDC->DrawEdge(&client, EDGE_ETCHED, BF_BOTTOM);
    return TRUE;
}

// CPreviewView

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    for (const auto& [page, picture] : m_pictures) {
        if (picture != nullptr)
            ::DeleteEnhMetaFile(picture);
    }
    // The document does not list the preview among its views.
    m_pDocument = nullptr;
}

BOOL CPreviewView::Open(CFrameWnd* pFrame, CView* pPrintView, std::unique_ptr<CPrintInfo> pInfo)
{
    if (pFrame == nullptr || pPrintView == nullptr || !pInfo || pInfo->m_pPD->GetPrinterDC() == nullptr)
        return FALSE;
    m_pFrame = pFrame;
    m_pPrintView = pPrintView;
    m_pInfo = std::move(pInfo);
    m_printer.Attach(m_pInfo->m_pPD->GetPrinterDC());
    m_printer.m_bPrinting = TRUE;
    m_printable = CRect(CPoint(m_printer.GetDeviceCaps(PHYSICALOFFSETX), m_printer.GetDeviceCaps(PHYSICALOFFSETY)),
                        CSize(Caps(m_printer, HORZRES, 1), Caps(m_printer, VERTRES, 1)));
    m_paper = CSize(Caps(m_printer, PHYSICALWIDTH, m_printable.right),
                    Caps(m_printer, PHYSICALHEIGHT, m_printable.bottom));
    {
        CClientDC screen(nullptr);
        m_natural = CSize(::MulDiv(m_paper.cx, screen.GetDeviceCaps(LOGPIXELSX), Caps(m_printer, LOGPIXELSX, 1)),
                          ::MulDiv(m_paper.cy, screen.GetDeviceCaps(LOGPIXELSY), Caps(m_printer, LOGPIXELSY, 1)));
    }
    m_nCurrentPage = m_pInfo->GetMinPage();

    m_pPrintView->OnBeginPrinting(&m_printer, m_pInfo.get());
    m_pPreviousActive = m_pFrame->GetActiveView();
    HideFrameWindows();
    m_open = true;
    // A failed creation ends in PostNcDestroy, which gives the frame its windows back and deletes this view.
    if (!Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame, AFX_IDW_PANE_FIRST, nullptr))
        return FALSE;
    m_pDocument = m_pPrintView->GetDocument();
    if (!m_bar.Create(m_pFrame)) {
        OnPreviewClose();
        return FALSE;
    }
    m_pFrame->SetActiveView(this);
    m_pFrame->RecalcLayout();
    Refresh();
    return TRUE;
}

void CPreviewView::PostNcDestroy()
{
    // Gone without its close command (its creation failed): the frame gets its windows back, the job ends.
    if (m_open) {
        m_open = false;
        RestoreFrameWindows();
        m_pPrintView->OnEndPrinting(&m_printer, m_pInfo.get());
    }
    CScrollView::PostNcDestroy();
}

void CPreviewView::HideFrameWindows()
{
    const HWND frame = m_pFrame->m_hWnd;
    const HWND status = ::GetDlgItem(frame, AFX_IDW_STATUS_BAR);
    for (HWND child = ::GetWindow(frame, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (child != status && ::IsWindowVisible(child))
            m_hiddenWindows.push_back(child);
    }
    // The frame's floating windows (panes and bars dragged out of it) go too.
    OwnedWindows owned{frame, &m_hiddenWindows};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectOwnedWindow, reinterpret_cast<LPARAM>(&owned));
    for (HWND window : m_hiddenWindows)
        ::ShowWindow(window, SW_HIDE);
    // The views' window gives its place to the preview.
    m_hSavedPane = ::GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    if (m_hSavedPane != nullptr)
        ::SetWindowLongPtrA(m_hSavedPane, GWLP_ID, AFX_IDW_PANE_SAVE);
    m_hSavedAccel = m_pFrame->m_hAccelTable;
    m_pFrame->m_hAccelTable = nullptr;
}

void CPreviewView::RestoreFrameWindows()
{
    if (m_hWnd != nullptr && ::GetDlgCtrlID(m_hWnd) == AFX_IDW_PANE_FIRST)
        ::SetWindowLongPtrA(m_hWnd, GWLP_ID, 0);
    if (m_hSavedPane != nullptr && ::IsWindow(m_hSavedPane))
        ::SetWindowLongPtrA(m_hSavedPane, GWLP_ID, AFX_IDW_PANE_FIRST);
    m_hSavedPane = nullptr;
    m_pFrame->m_hAccelTable = m_hSavedAccel;
    for (HWND window : m_hiddenWindows) {
        if (::IsWindow(window))
            ::ShowWindow(window, SW_SHOWNA);
    }
    m_hiddenWindows.clear();
    if (m_pFrame->GetActiveView() == this || m_pFrame->GetActiveView() == nullptr)
        m_pFrame->SetActiveView(m_pPreviousActive);
    m_pFrame->RecalcLayout();
    m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CPreviewView::OnPreviewClose()
{
    if (!m_open)
        return;
    m_open = false;
    m_bar.DestroyWindow();
    RestoreFrameWindows();
    m_pPrintView->OnEndPrinting(&m_printer, m_pInfo.get());
    // Deletes this view.
    DestroyWindow();
}

void CPreviewView::OnPreviewPrint()
{
    CFrameWnd* frame = m_pFrame;
    OnPreviewClose();
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

bool CPreviewView::PageExists(UINT nPage)
{
    if (nPage < m_pInfo->GetMinPage() || nPage > m_pInfo->GetMaxPage())
        return false;
    const auto known = m_pageKnown.find(nPage);
    if (known != m_pageKnown.end())
        return known->second;
    // Asked as a print job asks: the view's preparation of the page may end the job before it.
    const int saved = m_printer.SaveDC();
    m_pInfo->m_nCurPage = nPage;
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_printer, m_pInfo.get());
    const bool exists = m_pInfo->m_bContinuePrinting != FALSE;
    m_printer.RestoreDC(saved);
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pageKnown[nPage] = exists;
    return exists;
}

HENHMETAFILE CPreviewView::PagePicture(UINT nPage)
{
    const auto found = m_pictures.find(nPage);
    if (found != m_pictures.end())
        return found->second;
    // The picture's frame, in hundredths of a millimetre, is the printable area: its device units are the
    // printer's pixels.
    const CRect frame(0, 0, m_printer.GetDeviceCaps(HORZSIZE) * 100, m_printer.GetDeviceCaps(VERTSIZE) * 100);
    CDC dc;
    HENHMETAFILE picture = nullptr;
    if (dc.Attach(::CreateEnhMetaFileA(m_printer.m_hDC, nullptr, &frame, nullptr))) {
        dc.m_bPrinting = TRUE;
        m_pInfo->m_nCurPage = nPage;
        m_pInfo->m_bContinuePrinting = TRUE;
        m_pPrintView->OnPrepareDC(&dc, m_pInfo.get());
        m_pInfo->m_rectDraw.SetRect(0, 0, m_printable.Width(), m_printable.Height());
        ::DPtoLP(dc.m_hDC, reinterpret_cast<POINT*>(&m_pInfo->m_rectDraw), 2);
        m_pPrintView->OnPrint(&dc, m_pInfo.get());
        m_pInfo->m_bContinuePrinting = TRUE;
        picture = ::CloseEnhMetaFile(dc.Detach());
    }
    m_pictures[nPage] = picture;
    return picture;
}

CRect CPreviewView::GetPageRect(int index) const
{
    if (index < 0 || index >= GetPagesShown() || m_pageRects[index].IsRectEmpty())
        return CRect();
    CRect rect = m_pageRects[index];
    rect.OffsetRect(-GetScrollPosition());
    return rect;
}

void CPreviewView::Layout()
{
    if (m_inLayout || m_hWnd == nullptr)
        return;
    m_inLayout = true;
    CRect client;
    GetClientRect(&client);
    const int shown = GetPagesShown();
    const double fitWidth = static_cast<double>(client.Width() - (shown + 1) * kPageGap) / (shown * m_natural.cx);
    const double fitHeight = static_cast<double>(client.Height() - 2 * kPageGap) / m_natural.cy;
    const double fit = std::max(0.05, std::min(fitWidth, fitHeight));
    // Zoomed in all the way: the page's real size, or twice the fitted size when that is larger.
    const double full = std::max(1.0, 2 * fit);
    const double scale = m_zoom == 0 ? fit : m_zoom == 1 ? (fit + full) / 2 : full;
    const CSize page(static_cast<int>(std::lround(m_natural.cx * scale)),
                     static_cast<int>(std::lround(m_natural.cy * scale)));
    const CSize total(shown * page.cx + (shown + 1) * kPageGap, page.cy + 2 * kPageGap);
    SetScrollSizes(MM_TEXT, m_zoom == 0 ? CSize(1, 1) : total);
    GetClientRect(&client);
    const CPoint origin(std::max(0, (client.Width() - static_cast<int>(total.cx)) / 2),
                        std::max(0, (client.Height() - static_cast<int>(total.cy)) / 2));
    for (int i = 0; i < 2; ++i) {
        m_pageRects[i].SetRectEmpty();
        if (i < shown && PageExists(m_nCurrentPage + static_cast<UINT>(i)))
            m_pageRects[i] = CRect(CPoint(origin.x + kPageGap + i * (page.cx + kPageGap), origin.y + kPageGap), page);
    }
    m_inLayout = false;
}

void CPreviewView::Refresh()
{
    Layout();
    m_bar.OnUpdateCmdUI(m_pFrame, FALSE);
    SetPageText();
    Invalidate(FALSE);
}

void CPreviewView::SetPageText()
{
    auto* status = DYNAMIC_DOWNCAST(CStatusBar, CWnd::FromHandlePermanent(::GetDlgItem(m_pFrame->m_hWnd,
                                                                                     AFX_IDW_STATUS_BAR)));
    if (status == nullptr || status->GetCount() == 0)
        return;
    CString text;
    if (GetPagesShown() == 2 && PageExists(m_nCurrentPage + 1))
        text.Format("Pages %u-%u", m_nCurrentPage, m_nCurrentPage + 1);
    else
        text.Format("Page %u", m_nCurrentPage);
    status->SetPaneText(0, text);
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect area;
    GetClientRect(&area);
    area.OffsetRect(GetScrollPosition());
    area.right = std::max(area.right, static_cast<LONG>(GetTotalSize().cx));
    area.bottom = std::max(area.bottom, static_cast<LONG>(GetTotalSize().cy));
    pDC->FillSolidRect(&area, ::GetSysColor(COLOR_APPWORKSPACE));
    for (int i = 0; i < GetPagesShown(); ++i) {
        const CRect paper = m_pageRects[i];
        if (paper.IsRectEmpty())
            continue;
        CRect shadow = paper;
        shadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(&shadow, RGB(0, 0, 0));
        pDC->FillSolidRect(&paper, RGB(255, 255, 255));
        HENHMETAFILE picture = PagePicture(m_nCurrentPage + static_cast<UINT>(i));
        if (picture != nullptr) {
            const double sx = static_cast<double>(paper.Width()) / m_paper.cx;
            const double sy = static_cast<double>(paper.Height()) / m_paper.cy;
            const CRect printable(paper.left + static_cast<int>(std::lround(m_printable.left * sx)),
                                  paper.top + static_cast<int>(std::lround(m_printable.top * sy)),
                                  paper.left + static_cast<int>(std::lround(m_printable.right * sx)),
                                  paper.top + static_cast<int>(std::lround(m_printable.bottom * sy)));
            const int saved = pDC->SaveDC();
            pDC->IntersectClipRect(&paper);
            ::PlayEnhMetaFile(pDC->m_hDC, picture, &printable);
            pDC->RestoreDC(saved);
        }
        CBrush frame(RGB(0, 0, 0));
        pDC->FrameRect(&paper, &frame);
    }
}

// Drawn off the screen first: the pages do not flicker while they are played.
void CPreviewView::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    CBitmap picture;
    if (client.IsRectEmpty() || !memory.CreateCompatibleDC(&paint) ||
        !picture.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
        return;
    ScopedSelect select(memory, picture);
    const CPoint scroll = GetScrollPosition();
    ::SetViewportOrgEx(memory.m_hDC, -scroll.x, -scroll.y, nullptr);
    OnDraw(&memory);
    ::SetViewportOrgEx(memory.m_hDC, 0, 0, nullptr);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_open) {
        Layout();
        Invalidate(FALSE);
    }
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg)
{
    if (!m_open)
        return CScrollView::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN) {
        UINT command = 0;
        switch (pMsg->wParam) {
        case VK_ESCAPE: command = AFX_ID_PREVIEW_CLOSE; break;
        case VK_NEXT: command = AFX_ID_PREVIEW_NEXT; break;
        case VK_PRIOR: command = AFX_ID_PREVIEW_PREV; break;
        default: break;
        }
        if (command != 0) {
            m_pFrame->SendMessage(WM_COMMAND, command);
            return TRUE;
        }
    } else if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam >= 'A' && pMsg->wParam <= 'Z') {
        if (m_bar.SendMnemonicCommand(static_cast<UINT>(pMsg->wParam)))
            return TRUE;
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

void CPreviewView::OnNextPage()
{
    if (PageExists(m_nCurrentPage + static_cast<UINT>(GetPagesShown()))) {
        ++m_nCurrentPage;
        Refresh();
    }
    SetFocus();
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > m_pInfo->GetMinPage()) {
        --m_nCurrentPage;
        Refresh();
    }
    SetFocus();
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    Refresh();
    SetFocus();
}

void CPreviewView::OnZoomIn()
{
    if (m_zoom < kMaxZoom) {
        ++m_zoom;
        Refresh();
    }
    SetFocus();
}

void CPreviewView::OnZoomOut()
{
    if (m_zoom > 0) {
        --m_zoom;
        Refresh();
    }
    SetFocus();
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(PageExists(m_nCurrentPage + static_cast<UINT>(GetPagesShown())));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage > m_pInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(m_nPages == 1 ? kTwoPages : kOnePage);
    // Two pages side by side only while the pages fit the window and the view prints more than one.
    pCmdUI->Enable(m_zoom == 0 && (m_nPages == 2 || PageExists(m_pInfo->GetMinPage() + 1)));
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_zoom < kMaxZoom);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_zoom > 0);
}

// CView::OnFilePrintPreview

void CView::OnFilePrintPreview()
{
    CFrameWnd* frame = GetParentFrame();
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (frame == nullptr || !OnPreparePrinting(info.get()) || info->m_pPD->GetPrinterDC() == nullptr)
        return;
    auto* preview = new CPreviewView; // deletes itself with its window
    if (!preview->Open(frame, this, std::move(info)))
        AfxMessageBox(kPreviewFailed, MB_OK | MB_ICONEXCLAMATION);
}
