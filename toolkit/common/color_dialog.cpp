#include "toolkit/common/color_dialog.h"

#include "toolkit/common/aux_data.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CKitEyeDropper, CWnd)
IMPLEMENT_DYNAMIC(CKitColorDialog, CPropertySheet)

namespace {

// The swatch box under Cancel: its distance below Cancel (more with the edit box) and its height.
constexpr int kSwatchGap = 23;
constexpr int kSwatchGapWithEdit = 46;
constexpr int kSwatchHeight = 66;
// The "New" and "Current" labels above and below the swatches.
constexpr int kLabelHeight = 22;
// The inner frame of the double 3D frame.
constexpr int kInnerFrameInset = 3;
// The button column: Cancel moves this far left; the gaps around the column.
constexpr int kColumnShift = 15;
constexpr int kColumnGap = 5;
constexpr int kTabBottomGap = 15;
constexpr int kHexEditHeight = 18;
constexpr int kSheetNarrower = 15;
constexpr int kSheetBottomMargin = 10;

CWnd* OwnerOrParent(const CWnd* pWnd)
{
    HWND hOwner = ::GetWindow(pWnd->GetSafeHwnd(), GW_OWNER);
    return hOwner != nullptr ? CWnd::FromHandle(hOwner) : pWnd->GetParent();
}

} // namespace

// ---------------------------------------------------------------------------
// The eye dropper.

BEGIN_MESSAGE_MAP(CKitEyeDropper, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CKitEyeDropper::CKitEyeDropper()
    : m_bSizeOnSubclass(TRUE), m_bCopyToClipboard(FALSE), m_bShowPreview(FALSE),
      m_hIcon(CKitResourceManager::Instance()->LoadIconResource(IDI_KIT_EYEDROPPER, kIconBox, kIconBox)),
      m_hCursor(CKitResourceManager::Instance()->LoadCursor(IDC_KIT_EYEDROPPER)), m_hcurSave(nullptr),
      m_clr(::GetSysColor(COLOR_3DFACE))
{
}

CKitEyeDropper::~CKitEyeDropper()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

BOOL CKitEyeDropper::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CKitDrawHelpers::RegisterWndClass(nullptr, kClassName, CS_DBLCLKS, nullptr,
                                      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    m_bSizeOnSubclass = FALSE;
    if (!CWnd::CreateEx(0, kClassName, "", dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CKitEyeDropper::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bSizeOnSubclass)
        SizeToContent();
}

void CKitEyeDropper::SetShowPreview(BOOL bShow)
{
    m_bShowPreview = bShow;
    if (m_hWnd != nullptr) {
        SizeToContent();
        Invalidate(FALSE);
    }
}

void CKitEyeDropper::SizeToContent()
{
    const int cx = m_bShowPreview ? kIconBox + kIconBox + 2 * kGap : kIconBox;
    SetWindowPos(nullptr, 0, 0, cx, kIconBox, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKitEyeDropper::DrawDropper(CDC* pDC)
{
    CRect rc(0, 0, kIconBox, kIconBox);
    if (!IsDragging() && m_hIcon != nullptr)
        ::DrawIconEx(pDC->GetSafeHdc(), 0, 0, m_hIcon, kIconBox, kIconBox, 0, nullptr, DI_NORMAL);
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHIGHLIGHT));
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_3DSHADOW));
}

void CKitEyeDropper::DrawPreview(CDC* pDC)
{
    CRect rc(kIconBox + kGap, 0, kIconBox + kGap + kIconBox, kIconBox);
    pDC->FillSolidRect(&rc, m_clr);
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHIGHLIGHT));
}

void CKitEyeDropper::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_3DFACE));
    DrawDropper(&dc);
    if (m_bShowPreview)
        DrawPreview(&dc);
}

BOOL CKitEyeDropper::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKitEyeDropper::OnLButtonDown(UINT, CPoint)
{
    m_hcurSave = ::SetCursor(m_hCursor != nullptr ? m_hCursor : ::LoadCursor(nullptr, IDC_CROSS));
    if (m_hcurSave == nullptr)
        m_hcurSave = ::LoadCursor(nullptr, IDC_ARROW);
    SetCapture();
    Invalidate(FALSE);
}

void CKitEyeDropper::Pick(CPoint ptScreen, UINT nMessage)
{
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clr = ::GetPixel(hScreen, ptScreen.x, ptScreen.y);
    ::ReleaseDC(nullptr, hScreen);
    if (clr != CLR_INVALID)
        m_clr = clr;
    if (CWnd* pTarget = OwnerOrParent(this))
        pTarget->SendMessage(nMessage, m_clr, MAKELPARAM(ptScreen.x, ptScreen.y));
    Invalidate(FALSE);
}

void CKitEyeDropper::OnMouseMove(UINT, CPoint point)
{
    if (::GetCapture() != m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point))
        return;
    ClientToScreen(&point);
    Pick(point, ColorMsgSetNewColor);
}

void CKitEyeDropper::OnLButtonUp(UINT, CPoint point)
{
    if (::GetCapture() != m_hWnd)
        return;
    ClientToScreen(&point);
    Pick(point, ColorMsgSetNewColorNotify);
    if (m_bCopyToClipboard)
        CopyToClipboard();
    EndDrag();
}

void CKitEyeDropper::EndDrag()
{
    m_hcurSave = nullptr;
    ::ReleaseCapture();
    Invalidate(FALSE);
}

void CKitEyeDropper::CopyToClipboard() const
{
    char text[16];
    const int nLength = std::snprintf(text, sizeof(text), "%i,%i,%i", GetRValue(m_clr), GetGValue(m_clr),
                                      GetBValue(m_clr));
    if (nLength <= 0 || !::OpenClipboard(m_hWnd))
        return;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(nLength) + 1);
    if (hText != nullptr) {
        if (void* pText = ::GlobalLock(hText)) {
            memcpy(pText, text, static_cast<size_t>(nLength) + 1);
            ::GlobalUnlock(hText);
            ::EmptyClipboard();
            if (::SetClipboardData(CF_TEXT, hText) == nullptr)
                ::GlobalFree(hText);
        } else {
            ::GlobalFree(hText);
        }
    }
    ::CloseClipboard();
}

BOOL CKitEyeDropper::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsDragging() && m_hCursor != nullptr) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------
// The dialog.

BEGIN_MESSAGE_MAP(CKitColorDialog, CPropertySheet)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(ColorMsgSetNewColor, &CKitColorDialog::OnSetNewColor)
    ON_MESSAGE(ColorMsgSetNewColorNotify, &CKitColorDialog::OnSetNewColorNotify)
END_MESSAGE_MAP()

CKitColorDialog::CKitColorDialog(COLORREF clrNew, COLORREF clrCurrent, DWORD dwStyle, CWnd* pParentWnd)
    : CPropertySheet(IDS_KIT_COLOR_DIALOG, pParentWnd), m_clrNew(clrNew), m_clrCurrent(clrCurrent),
      m_dwStyle(dwStyle)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_HASHELP);
    CPropertyPage* pages[] = {&m_pageStandard, &m_pageCustom};
    const UINT templates[] = {IDD_KIT_COLOR_STANDARD, IDD_KIT_COLOR_CUSTOM};
    for (size_t i = 0; i < std::size(pages); ++i) {
        pages[i]->m_psp.dwFlags &= ~static_cast<DWORD>(PSP_HASHELP);
        if (LPCDLGTEMPLATEA pTemplate = CKitResourceManager::Instance()->LoadDialogTemplate(templates[i])) {
            pages[i]->m_psp.dwFlags |= PSP_DLGINDIRECT;
            pages[i]->m_psp.pResource = pTemplate;
        }
        AddPage(pages[i]);
    }
}

CKitColorDialog::~CKitColorDialog() = default;

CString CKitColorDialog::RGBtoHex(COLORREF clr)
{
    static constexpr LPCSTR kFormats[] = {"Hex=%X%X%X",       "Hex=%X%X0%X",       "Hex=%X0%X%X",
                                          "Hex=%X0%X0%X",     "Hex= 0%X%X%X",      "Hex= 0%X%X0%X",
                                          "Hex= 0%X0%X%X",    "Hex= 0%X0%X0%X"};
    const int r = GetRValue(clr);
    const int g = GetGValue(clr);
    const int b = GetBValue(clr);
    const int nFormat = (r < 16 ? 4 : 0) | (g < 16 ? 2 : 0) | (b < 16 ? 1 : 0);
    CString text;
    text.Format(kFormats[nFormat], r, g, b);
    return text;
}

int CKitColorDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_dwStyle & kStyleHexEdit) {
        if (!m_wndHexEdit.CreateEx(WS_EX_STATICEDGE, "EDIT", RGBtoHex(m_clrNew),
                                   WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), this,
                                   kIdHexEdit))
            return -1;
    }
    if (m_dwStyle & kStyleEyeDropper) {
        if (!m_wndEyeDropper.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kIdEyeDropper))
            return -1;
    }
    m_pageStandard.GetHex().SetSelectedColor(m_clrNew, FALSE);
    return 0;
}

BOOL CKitColorDialog::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    RepositionControls();
    SetActivePage(0);
    if (m_wndHexEdit.GetSafeHwnd() != nullptr) {
        if (CFont* pFont = GetFont())
            m_wndHexEdit.SetFont(pFont);
    }
    return TRUE;
}

CRect CKitColorDialog::GetDlgItemRect(int nID) const
{
    CRect rc;
    if (CWnd* pItem = GetDlgItem(nID)) {
        pItem->GetWindowRect(&rc);
        ScreenToClient(&rc);
    }
    return rc;
}

void CKitColorDialog::RepositionControls()
{
    CTabCtrl* pTab = GetTabControl();
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pTab == nullptr || pOK == nullptr || pCancel == nullptr)
        return;
    CRect rcTab;
    pTab->GetWindowRect(&rcTab);
    ScreenToClient(&rcTab);
    CRect rcItem(0, 0, 0, 0);
    TabCtrl_GetItemRect(pTab->GetSafeHwnd(), 0, &rcItem);
    CRect rcCancel = GetDlgItemRect(IDCANCEL);
    rcCancel.OffsetRect(-kColumnShift, 0);

    rcTab.right = rcCancel.left - kColumnGap;
    rcTab.bottom = rcCancel.top - kTabBottomGap;
    pTab->MoveWindow(&rcTab);

    const CRect rcOK(CPoint(rcCancel.left, rcTab.top + rcItem.Height() + 1), rcCancel.Size());
    pOK->MoveWindow(&rcOK);
    const CRect rcNewCancel(CPoint(rcOK.left, rcOK.bottom + kColumnGap), rcCancel.Size());
    pCancel->MoveWindow(&rcNewCancel);
    if (m_wndHexEdit.GetSafeHwnd() != nullptr)
        m_wndHexEdit.MoveWindow(CRect(rcNewCancel.left, rcNewCancel.bottom + kColumnGap, rcNewCancel.right,
                                      rcNewCancel.bottom + kColumnGap + kHexEditHeight));
    if (m_wndEyeDropper.GetSafeHwnd() != nullptr) {
        CRect rcDropper;
        m_wndEyeDropper.GetWindowRect(&rcDropper);
        m_wndEyeDropper.MoveWindow(CRect(CPoint(rcNewCancel.right - rcDropper.Width(), rcTab.bottom - rcDropper.Height()),
                                         rcDropper.Size()));
    }

    // The sheet: narrower, and ending a little below the tabs.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nFrameHeight = rcWindow.Height() - rcClient.Height();
    SetWindowPos(nullptr, 0, 0, rcWindow.Width() - kSheetNarrower, rcTab.bottom + kSheetBottomMargin + nFrameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < GetPageCount(); ++i)
        FitPage(GetPage(i));
}

void CKitColorDialog::FitPage(CPropertyPage* pPage)
{
    CTabCtrl* pTab = GetTabControl();
    if (pTab == nullptr || pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
        return;
    CRect rcTab;
    pTab->GetWindowRect(&rcTab);
    ScreenToClient(&rcTab);
    pTab->AdjustRect(FALSE, &rcTab);
    pPage->MoveWindow(&rcTab);
}

CRect CKitColorDialog::GetSwatchBoxRect() const
{
    const CRect rcCancel = GetDlgItemRect(IDCANCEL);
    const int nTop = rcCancel.bottom + (m_wndHexEdit.GetSafeHwnd() != nullptr ? kSwatchGapWithEdit : kSwatchGap);
    return CRect(rcCancel.left, nTop, rcCancel.right, nTop + kSwatchHeight);
}

void CKitColorDialog::DrawSwatches(CDC* pDC)
{
    CKitColorManager* pColors = CKitColorManager::Instance();
    CRect rc = GetSwatchBoxRect();
    if (m_dwStyle & kStyleFrame3D) {
        pDC->Draw3dRect(&rc, pColors->GetColor(COLOR_BTNHIGHLIGHT), pColors->GetColor(COLOR_3DDKSHADOW));
        rc.DeflateRect(kInnerFrameInset, kInnerFrameInset);
        pDC->Draw3dRect(&rc, pColors->GetColor(COLOR_BTNSHADOW), pColors->GetColor(COLOR_BTNHIGHLIGHT));
    } else {
        pDC->Draw3dRect(&rc, pColors->GetColor(COLOR_WINDOWFRAME), pColors->GetColor(COLOR_WINDOWFRAME));
    }

    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pColors->GetColor(COLOR_WINDOWTEXT));
    CFont* pFont = GetFont();
    ScopedSelect font(*pDC, pFont != nullptr ? pFont->GetSafeHandle()
                                             : CKitAuxData::Instance()->fontNormal.GetSafeHandle());
    CString strNew;
    CString strCurrent;
    CKitResourceManager::Instance()->LoadString(strNew, IDS_KIT_COLOR_NEW);
    CKitResourceManager::Instance()->LoadString(strCurrent, IDS_KIT_COLOR_CURRENT);
    CRect rcLabel(rc.left, rc.top - kLabelHeight, rc.right, rc.top);
    pDC->DrawText(strNew, &rcLabel, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    rcLabel = CRect(rc.left, rc.bottom, rc.right, rc.bottom + kLabelHeight);
    pDC->DrawText(strCurrent, &rcLabel, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    rc.DeflateRect(1, 1);
    const int nHalf = rc.Height() / 2;
    m_rcNew = CRect(rc.left, rc.top, rc.right, rc.top + nHalf);
    m_rcCurrent = CRect(rc.left, rc.bottom - nHalf, rc.right, rc.bottom);
    pDC->FillSolidRect(&m_rcNew, m_clrNew);
    pDC->FillSolidRect(&m_rcCurrent, m_clrCurrent);
}

void CKitColorDialog::OnPaint()
{
    CPaintDC dc(this);
    DrawSwatches(&dc);
}

void CKitColorDialog::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_rcCurrent.PtInRect(point)) {
        SetNewColor(m_clrCurrent, TRUE);
        return;
    }
    CPropertySheet::OnLButtonDown(nFlags, point);
}

void CKitColorDialog::SetNewColor(COLORREF clr, BOOL bNotify)
{
    m_clrNew = clr;
    if (m_hWnd != nullptr && IsWindowVisible()) {
        if (!m_rcNew.IsRectEmpty()) {
            CClientDC dc(this);
            dc.FillSolidRect(&m_rcNew, clr);
        }
        if (m_wndHexEdit.GetSafeHwnd() != nullptr)
            m_wndHexEdit.SetWindowText(RGBtoHex(clr));
    }
    if (!bNotify)
        return;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* pPage = GetPage(i);
        if (pPage->GetSafeHwnd() != nullptr)
            pPage->SendMessage(ColorMsgColorChanged, clr, reinterpret_cast<LPARAM>(m_hWnd));
    }
}

LRESULT CKitColorDialog::OnSetNewColor(WPARAM wParam, LPARAM)
{
    SetNewColor(static_cast<COLORREF>(wParam), FALSE);
    return 0;
}

LRESULT CKitColorDialog::OnSetNewColorNotify(WPARAM wParam, LPARAM)
{
    SetNewColor(static_cast<COLORREF>(wParam), TRUE);
    return 0;
}
