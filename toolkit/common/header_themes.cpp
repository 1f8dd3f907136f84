#include "toolkit/common/header_themes.h"

#include "framework/gdi.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/header_ctrl.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/theme_wrapper.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CKitHeaderCtrlTheme, CKitControlTheme)
IMPLEMENT_DYNAMIC(CKitHeaderCtrlThemeOfficeXP, CKitHeaderCtrlTheme)
IMPLEMENT_DYNAMIC(CKitHeaderCtrlThemeOffice2003, CKitHeaderCtrlTheme)
IMPLEMENT_DYNAMIC(CKitHeaderCtrlThemeExplorer, CKitHeaderCtrlThemeOffice2003)
IMPLEMENT_DYNAMIC(CKitHeaderCtrlThemeResource, CKitHeaderCtrlThemeOfficeXP)

namespace {

constexpr int kArrowSpacing = 10;
constexpr int kTextMargin = 6;
constexpr int kArrowWidth = 8;
constexpr int kArrowHeight = 7;
constexpr int kFlatArrowHeight = 4;
constexpr DWORD kAllStyles =
    CKitHeaderCtrlTheme::kUseVisualStyle | CKitHeaderCtrlTheme::kHotTracking | CKitHeaderCtrlTheme::kSortArrows;
constexpr int kTextBuffer = 256;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
// The header heights of the Office 2003 and Explorer themes over the font's.
constexpr int kOffice2003Extra = 10;
constexpr int kExplorerExtra = 6;
constexpr COLORREF kExplorerArrow = RGB(172, 168, 153);
// The Office 2003 frame and bottom lines: blends of the face toward the shadow.
constexpr double kFrameBlend = 0.6;
constexpr double kLowerBlend = 0.4;
constexpr double kUpperBlend = 0.25;
// The visual-style parts and states of a header item.
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;
// How far above the bottom the column separators end.
constexpr int kXPSeparatorInset = 2;
constexpr int k2003SeparatorInset = 4;
// Ids 8 to 10 are later looks of the toolkit; the header draws them as Explorer.
constexpr int kLaterThemeFirst = 8;

COLORREF KitColor(int nIndex)
{
    return CKitColorManager::Instance()->GetColor(nIndex);
}

// Per channel a - f (a - b), truncated.
COLORREF Blend(COLORREF a, COLORREF b, double f)
{
    auto channel = [f](int x, int y) { return static_cast<int>(x - f * (x - y)); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void VLine(CDC* pDC, int x, int y1, int y2, COLORREF clr)
{
    if (y2 > y1)
        pDC->FillSolidRect(x, y1, 1, y2 - y1, clr);
}

void HLine(CDC* pDC, int x1, int x2, int y, COLORREF clr)
{
    if (x2 > x1)
        pDC->FillSolidRect(x1, y, x2 - x1, 1, clr);
}

} // namespace

// ---------------------------------------------------------------------------
// The default theme.

CKitHeaderCtrlTheme::CKitHeaderCtrlTheme()
    : m_iArrowPadding(kArrowSpacing), m_dwDrawStyle(kAllStyles), m_bUseWinThemes(FALSE), m_nTextMargin(kTextMargin),
      m_nFixedTextTop(0), m_sizeArrow(kArrowWidth, kArrowHeight), m_themeHeader(std::make_unique<CKitWinThemeWrapper>())
{
    m_nTheme = kThemeDefault;
}

CKitHeaderCtrlTheme::~CKitHeaderCtrlTheme() = default;

void CKitHeaderCtrlTheme::RefreshMetrics(CKitHeaderCtrl* pHeader)
{
    m_crText.SetStandardValue(KitColor(COLOR_BTNTEXT));
    m_cr3DFace.SetStandardValue(KitColor(COLOR_BTNFACE));
    m_cr3DShadow.SetStandardValue(KitColor(COLOR_BTNSHADOW));
    m_cr3DDkShadow.SetStandardValue(KitColor(COLOR_3DDKSHADOW));
    m_cr3DHighLight.SetStandardValue(KitColor(COLOR_BTNHIGHLIGHT));
    m_themeHeader->OpenThemeData(pHeader != nullptr ? pHeader->GetSafeHwnd() : nullptr, L"HEADER");
}

BOOL CKitHeaderCtrlTheme::UsesVisualStyles(CKitHeaderCtrl* pHeader)
{
    if ((m_dwDrawStyle & kUseVisualStyle) == 0)
        return FALSE;
    if (!m_themeHeader->IsThemeHandleOpen())
        m_themeHeader->OpenThemeData(pHeader != nullptr ? pHeader->GetSafeHwnd() : nullptr, L"HEADER");
    return m_themeHeader->IsThemeHandleOpen();
}

void CKitHeaderCtrlTheme::SetDrawStyle(DWORD dwDrawStyle, CKitHeaderCtrl* pHeader)
{
    m_dwDrawStyle = dwDrawStyle;
    m_bUseWinThemes = UsesVisualStyles(pHeader) && (dwDrawStyle & kUseVisualStyle) != 0;
}

DWORD CKitHeaderCtrlTheme::GetDrawStyle() const
{
    return m_dwDrawStyle;
}

int CKitHeaderCtrlTheme::FontHeight(CKitHeaderCtrl* pHeader)
{
    CClientDC dc(pHeader);
    ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));
    return dc.GetTextExtent("A", 1).cy;
}

BOOL CKitHeaderCtrlTheme::LayoutWithHeight(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader, int nExtra)
{
    const int nHeight = FontHeight(pHeader) + nExtra;
    lpHDL->pwpos->hwnd = pHeader->GetSafeHwnd();
    lpHDL->pwpos->hwndInsertAfter = nullptr;
    lpHDL->pwpos->x = lpHDL->prc->left;
    lpHDL->pwpos->y = lpHDL->prc->top;
    lpHDL->pwpos->cx = lpHDL->prc->right - lpHDL->prc->left;
    lpHDL->pwpos->cy = nHeight;
    lpHDL->pwpos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    lpHDL->prc->top += nHeight;
    return TRUE;
}

BOOL CKitHeaderCtrlTheme::Layout(LPHDLAYOUT, CKitHeaderCtrl*)
{
    return FALSE;
}

void CKitHeaderCtrlTheme::CleanUp(CKitHeaderCtrl* pHeader)
{
    const int nCount = pHeader->GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        pHeader->GetItem(i, &item);
        if ((item.fmt & HDF_BITMAP) != 0 && item.hbm != nullptr) {
            ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
            item.hbm = nullptr;
            item.fmt &= ~HDF_BITMAP;
            pHeader->SetItem(i, &item);
        }
    }
}

BOOL CKitHeaderCtrlTheme::SetBitmap(int nCol, UINT nIDBitmap, BOOL bRemove, COLORREF crMask, CKitHeaderCtrl* pHeader)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!pHeader->GetItem(nCol, &item))
        return FALSE;
    if ((item.fmt & HDF_BITMAP) != 0 && item.hbm != nullptr)
        ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
    item.hbm = nullptr;
    item.fmt &= ~HDF_BITMAP;
    pHeader->SetItem(nCol, &item);
    pHeader->Invalidate(FALSE);
    if (bRemove)
        return TRUE;
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nIDBitmap))
        return FALSE;
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    HIMAGELIST hImageList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (hImageList == nullptr)
        return FALSE;
    ImageList_AddMasked(hImageList, bitmap, crMask);
    item.hbm = reinterpret_cast<HBITMAP>(hImageList);
    item.fmt |= HDF_BITMAP;
    pHeader->SetItem(nCol, &item);
    pHeader->Invalidate(FALSE);
    return TRUE;
}

void CKitHeaderCtrlTheme::DrawHeader(CDC* pDC, CKitHeaderCtrl* pHeader)
{
    CRect rcClient;
    pHeader->GetClientRect(&rcClient);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_HEADER;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = pHeader->GetSafeHwnd();
    dis.hDC = pDC->GetSafeHdc();
    dis.rcItem = rcClient;
    if (!m_bUseWinThemes || !DrawThemedBackground(&dis))
        DrawBackground(&dis);

    ScopedSelect font(*pDC, reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));
    pDC->SetBkColor(m_cr3DFace);
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);

    const int nCount = pHeader->GetItemCount();
    std::vector<int> byOrder(static_cast<size_t>(std::max(nCount, 0)), -1);
    for (int i = 0; i < nCount; ++i) {
        HDITEMA item = {};
        item.mask = HDI_ORDER;
        pHeader->GetItem(i, &item);
        if (item.iOrder >= 0 && item.iOrder < nCount)
            byOrder[static_cast<size_t>(item.iOrder)] = i;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pHeader->ScreenToClient(&ptCursor);
    const int nHot = (m_dwDrawStyle & kHotTracking) ? pHeader->HitTest(ptCursor) : -1;
    int x = rcClient.left;
    for (int nIndex : byOrder) {
        if (nIndex < 0)
            continue;
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        pHeader->GetItem(nIndex, &item);
        dis.itemID = static_cast<UINT>(nIndex);
        dis.rcItem = CRect(x, rcClient.top, x + item.cxy, rcClient.bottom);
        dis.itemState = pHeader->ItemPressed(nIndex) ? ODS_SELECTED : nIndex == nHot ? ODS_HOTLIGHT : 0;
        dis.itemData = 0;
        x += item.cxy;
        if (!m_bUseWinThemes || !DrawThemedItemBackground(&dis))
            DrawItemBackground(&dis);
        DrawItem(&dis, pHeader);
    }
}

void CKitHeaderCtrlTheme::DrawItem(LPDRAWITEMSTRUCT lpDIS, CKitHeaderCtrl* pHeader)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    char szText[kTextBuffer] = {};
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE;
    item.pszText = szText;
    item.cchTextMax = kTextBuffer - 1;
    pHeader->GetItem(static_cast<int>(lpDIS->itemID), &item);
    ScopedSelect font(*pDC, reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));

    const CRect rcItem = lpDIS->rcItem;
    CRect rcText = rcItem;
    rcText.DeflateRect(m_nTextMargin, 0);
    BOOL bAscending = TRUE;
    const BOOL bSortColumn = pHeader->GetSortedColumn(&bAscending) == static_cast<int>(lpDIS->itemID);
    if (bSortColumn)
        rcText.right -= m_sizeArrow.cx + 2 * m_iArrowPadding;

    SIZE szExtent = {0, 0};
    ::GetTextExtentPoint32A(lpDIS->hDC, szText, lstrlenA(szText), &szExtent);
    rcText.top = m_nFixedTextTop > 0 ? m_nFixedTextTop : rcItem.top + (rcItem.Height() - szExtent.cy) / 2;
    rcText.bottom = rcText.top + szExtent.cy;

    const BOOL bHasImage = (item.fmt & HDF_IMAGE) != 0 || ((item.fmt & HDF_BITMAP) != 0 && item.hbm != nullptr);
    const BOOL bImageRight = (item.fmt & HDF_BITMAP_ON_RIGHT) != 0;
    if (bHasImage && !bImageRight)
        DrawImage(lpDIS, rcText, pHeader);

    const int nSpace = rcText.Width();
    switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: rcText.left = rcText.right - szExtent.cx; break;
    case HDF_CENTER: rcText.left += (nSpace - szExtent.cx) / 2; rcText.right = rcText.left + szExtent.cx; break;
    default: rcText.right = rcText.left + szExtent.cx; break;
    }
    rcText.left = std::max(rcText.left, rcItem.left);
    rcText.right = std::min(rcText.right, rcItem.right);

    if (bHasImage && bImageRight) {
        CRect rcImage(rcText.right + m_nTextMargin, rcText.top, rcItem.right, rcText.bottom);
        DrawImage(lpDIS, rcImage, pHeader);
    }
    if ((m_dwDrawStyle & kSortArrows) != 0 && bSortColumn) {
        DRAWITEMSTRUCT arrow = *lpDIS;
        arrow.rcItem = rcText;
        DrawSortArrow(&arrow, bAscending);
    }
    if (rcText.Width() > 0) {
        if ((lpDIS->itemState & ODS_SELECTED) != 0 && IsPressedTextOffset())
            rcText.OffsetRect(1, 1);
        pDC->DrawText(szText, -1, &rcText, kTextFormat);
    }
}

void CKitHeaderCtrlTheme::DrawImage(LPDRAWITEMSTRUCT lpDIS, CRect& rcText, CKitHeaderCtrl* pHeader)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
    pHeader->GetItem(static_cast<int>(lpDIS->itemID), &item);
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem = lpDIS->rcItem;
    const BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    CKitImageManager* pManager = pHeader->GetImageManager();
    if ((item.fmt & HDF_IMAGE) != 0 && pManager != nullptr) {
        CKitImageManagerIcon* pIcon = pManager->GetImage(static_cast<UINT>(item.iImage), 0);
        if (pIcon == nullptr)
            return;
        const CKitImageManagerIconHandle& image = bPressed                                   ? pIcon->GetCheckedIcon()
                                                  : (lpDIS->itemState & ODS_HOTLIGHT) != 0 ? pIcon->GetHotIcon()
                                                                                            : pIcon->GetNormalIcon();
        CPoint pt(rcText.left, rcItem.top + (rcItem.Height() - pIcon->GetHeight()) / 2);
        if (bPressed)
            pt.Offset(1, 1);
        if (pt.x + pIcon->GetWidth() <= rcItem.right)
            pIcon->Draw(pDC, pt, image);
        rcText.left += pIcon->GetWidth() + m_nTextMargin;
        return;
    }
    HIMAGELIST hImageList = nullptr;
    int nImage = 0;
    if ((item.fmt & HDF_BITMAP) != 0 && item.hbm != nullptr) {
        hImageList = reinterpret_cast<HIMAGELIST>(item.hbm);
    } else if ((item.fmt & HDF_IMAGE) != 0) {
        hImageList = reinterpret_cast<HIMAGELIST>(pHeader->SendMessage(HDM_GETIMAGELIST));
        nImage = item.iImage;
    }
    if (hImageList == nullptr || nImage < 0 || nImage >= ImageList_GetImageCount(hImageList))
        return;
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(hImageList, &cx, &cy);
    CPoint pt(rcText.left, rcItem.top + (rcItem.Height() - cy) / 2);
    if (bPressed)
        pt.Offset(1, 1);
    if (pt.x + cx <= rcItem.right)
        ImageList_Draw(hImageList, nImage, lpDIS->hDC, pt.x, pt.y, ILD_TRANSPARENT);
    rcText.left += cx + m_nTextMargin;
}

void CKitHeaderCtrlTheme::DrawSortArrow(LPDRAWITEMSTRUCT lpDIS, BOOL bAscending)
{
    const CRect rc = lpDIS->rcItem;
    int x = rc.right + m_iArrowPadding;
    if (x < rc.left)
        return;
    int y = rc.top + (rc.Height() - m_sizeArrow.cy) / 2 - 1;
    if ((lpDIS->itemState & ODS_SELECTED) != 0) {
        ++x;
        ++y;
    }
    const int w = m_sizeArrow.cx;
    const int h = m_sizeArrow.cy;
    POINT points[3];
    if (bAscending) {
        points[0] = {x - w / 2, y + h};
        points[1] = {x + w / 2, y + h};
        points[2] = {x, y};
    } else {
        points[0] = {x - w / 2, y};
        points[1] = {x + w / 2, y};
        points[2] = {x, y + h};
    }
    DrawTriangle(CDC::FromHandle(lpDIS->hDC), points, bAscending);
}

void CKitHeaderCtrlTheme::DrawTriangle(CDC* pDC, const POINT* pPoints, BOOL bAscending)
{
    const POINT& left = pPoints[0];
    const POINT& right = pPoints[1];
    const POINT& apex = pPoints[2];
    CKitPenDC pen(pDC->GetSafeHdc(), bAscending ? m_cr3DHighLight : m_cr3DShadow);
    if (bAscending) {
        pDC->MoveTo(apex);
        pDC->LineTo(right);
        pDC->LineTo(left);
        pen.SetColor(m_cr3DShadow);
        pDC->MoveTo(left);
        pDC->LineTo(apex);
    } else {
        pDC->MoveTo(apex);
        pDC->LineTo(left);
        pDC->LineTo(right);
        pen.SetColor(m_cr3DHighLight);
        pDC->MoveTo(apex);
        pDC->LineTo(right);
    }
}

void CKitHeaderCtrlTheme::DrawBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc = lpDIS->rcItem;
    pDC->FillSolidRect(&rc, m_cr3DFace);
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_cr3DHighLight, m_cr3DDkShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, m_cr3DFace, m_cr3DShadow);
}

BOOL CKitHeaderCtrlTheme::DrawThemedBackground(LPDRAWITEMSTRUCT lpDIS)
{
    return SUCCEEDED(m_themeHeader->DrawThemeBackground(lpDIS->hDC, 0, kStateNormal, &lpDIS->rcItem, nullptr));
}

void CKitHeaderCtrlTheme::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rc = lpDIS->rcItem;
    if ((lpDIS->itemState & ODS_SELECTED) == 0) {
        VLine(pDC, rc.right - 2, rc.top + 1, rc.bottom - 1, m_cr3DShadow);
        VLine(pDC, rc.right - 1, rc.top, rc.bottom, m_cr3DDkShadow);
        VLine(pDC, rc.right, rc.top, rc.bottom, m_cr3DHighLight);
        return;
    }
    pDC->Draw3dRect(&rc, m_cr3DShadow, m_cr3DShadow);
    VLine(pDC, rc.right, rc.top, rc.bottom, m_cr3DHighLight);
    HLine(pDC, rc.left + 1, rc.right - 1, rc.bottom - 2, m_cr3DFace);
}

BOOL CKitHeaderCtrlTheme::DrawThemedItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    const int nState = (lpDIS->itemState & ODS_SELECTED)   ? kStatePressed
                       : (lpDIS->itemState & ODS_HOTLIGHT) ? kStateHot
                                                           : kStateNormal;
    return SUCCEEDED(m_themeHeader->DrawThemeBackground(lpDIS->hDC, HP_HEADERITEM, nState, &lpDIS->rcItem, nullptr));
}

// ---------------------------------------------------------------------------
// Office XP, Office 2003, Explorer.

CKitHeaderCtrlThemeOfficeXP::CKitHeaderCtrlThemeOfficeXP()
{
    m_nTheme = kThemeOfficeXP;
    m_dwDrawStyle = kSortArrows;
}

void CKitHeaderCtrlTheme::DrawFlatBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc = lpDIS->rcItem;
    pDC->FillSolidRect(&rc, m_cr3DFace);
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_cr3DHighLight, m_cr3DShadow);
}

void CKitHeaderCtrlTheme::DrawSeparator(LPDRAWITEMSTRUCT lpDIS, int nBottomInset)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rc = lpDIS->rcItem;
    VLine(pDC, rc.right - 2, rc.top + 2, rc.bottom - nBottomInset, m_cr3DShadow);
    VLine(pDC, rc.right - 1, rc.top + 2, rc.bottom - nBottomInset, m_cr3DHighLight);
}

void CKitHeaderCtrlThemeOfficeXP::DrawBackground(LPDRAWITEMSTRUCT lpDIS)
{
    DrawFlatBackground(lpDIS);
}

void CKitHeaderCtrlThemeOfficeXP::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    DrawSeparator(lpDIS, kXPSeparatorInset);
}

CKitHeaderCtrlThemeOffice2003::CKitHeaderCtrlThemeOffice2003()
{
    m_nTheme = kThemeOffice2003;
    m_dwDrawStyle = kSortArrows;
}

BOOL CKitHeaderCtrlThemeOffice2003::Layout(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader)
{
    return LayoutWithHeight(lpHDL, pHeader, kOffice2003Extra);
}

void CKitHeaderCtrlThemeOffice2003::DrawBackground(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc = lpDIS->rcItem;
    pDC->FillSolidRect(&rc, m_cr3DFace);
    CRect rcFrame = rc;
    rcFrame.right += 2;
    pDC->Draw3dRect(&rcFrame, m_cr3DHighLight, Blend(m_cr3DFace, m_cr3DShadow, kFrameBlend));
    HLine(pDC, rc.left, rc.right, rc.bottom - 2, Blend(m_cr3DFace, m_cr3DShadow, kLowerBlend));
    HLine(pDC, rc.left, rc.right, rc.bottom - 3, Blend(m_cr3DFace, m_cr3DShadow, kUpperBlend));
}

void CKitHeaderCtrlThemeOffice2003::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    DrawSeparator(lpDIS, k2003SeparatorInset);
}

CKitHeaderCtrlThemeExplorer::CKitHeaderCtrlThemeExplorer()
{
    m_nTheme = kThemeExplorer;
    m_dwDrawStyle = kAllStyles;
    m_sizeArrow.cy = kFlatArrowHeight;
}

BOOL CKitHeaderCtrlThemeExplorer::Layout(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader)
{
    return LayoutWithHeight(lpHDL, pHeader, kExplorerExtra);
}

void CKitHeaderCtrlThemeExplorer::DrawBackground(LPDRAWITEMSTRUCT lpDIS)
{
    DrawFlatBackground(lpDIS);
}

void CKitHeaderCtrlThemeExplorer::DrawTriangle(CDC* pDC, const POINT* pPoints, BOOL)
{
    CKitDrawHelpers::Triangle(pDC, pPoints[0], pPoints[1], pPoints[2], kExplorerArrow);
}

// ---------------------------------------------------------------------------
// Resource images.

CKitHeaderCtrlThemeResource::CKitHeaderCtrlThemeResource()
{
    m_nTheme = kThemeResource;
    m_sizeArrow.cy = kFlatArrowHeight;
}

void CKitHeaderCtrlThemeResource::RefreshMetrics(CKitHeaderCtrl* pHeader)
{
    CKitHeaderCtrlThemeOfficeXP::RefreshMetrics(pHeader);
    const COLORREF clrFace = m_cr3DFace;
    m_grcNormal.SetStandardValue(clrFace, clrFace);
    m_grcPressed.SetStandardValue(clrFace, clrFace);
    CKitResourceImages* pImages = CKitResourceImages::Instance();
    if (!pImages->IsValid())
        return;
    m_crText.SetStandardValue(pImages->GetImageColor("ReportControl", "HeaderText", m_crText));
    m_cr3DShadow.SetStandardValue(pImages->GetImageColor("ReportControl", "ColumnSeparator", m_cr3DShadow));
    m_cr3DDkShadow.SetStandardValue(pImages->GetImageColor("ReportControl", "ColumnShadow", m_cr3DDkShadow));
    m_grcNormal.SetStandardValue(pImages->GetImageColor("ReportControl", "NormalColumnLight", clrFace),
                                 pImages->GetImageColor("ReportControl", "NormalColumnDark", clrFace));
    m_grcPressed.SetStandardValue(pImages->GetImageColor("ReportControl", "PressedColumnLight", clrFace),
                                  pImages->GetImageColor("ReportControl", "PressedColumnDark", clrFace));
}

void CKitHeaderCtrlThemeResource::DrawBackground(LPDRAWITEMSTRUCT lpDIS)
{
    if (!CKitResourceImages::Instance()->IsValid()) {
        CKitHeaderCtrlThemeOfficeXP::DrawBackground(lpDIS);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rc = lpDIS->rcItem;
    CKitDrawHelpers::Instance()->FillColorGradient(pDC, &rc, m_grcNormal, FALSE);
    HLine(pDC, rc.left, rc.right, rc.bottom - 1, m_cr3DDkShadow);
}

void CKitHeaderCtrlThemeResource::DrawItemBackground(LPDRAWITEMSTRUCT lpDIS)
{
    if (!CKitResourceImages::Instance()->IsValid()) {
        CKitHeaderCtrlThemeOfficeXP::DrawItemBackground(lpDIS);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rc = lpDIS->rcItem;
    if ((lpDIS->itemState & ODS_SELECTED) != 0) {
        CKitDrawHelpers::Instance()->FillColorGradient(pDC, &rc, m_grcPressed, FALSE);
        HLine(pDC, rc.left, rc.right, rc.bottom - 1, m_cr3DDkShadow);
    }
    VLine(pDC, rc.right, rc.top + 2, rc.bottom - 3, m_cr3DShadow);
}

void CKitHeaderCtrlThemeResource::DrawTriangle(CDC* pDC, const POINT* pPoints, BOOL bAscending)
{
    if (!CKitResourceImages::Instance()->IsValid()) {
        CKitHeaderCtrlTheme::DrawTriangle(pDC, pPoints, bAscending);
        return;
    }
    CKitDrawHelpers::Triangle(pDC, pPoints[0], pPoints[1], pPoints[2], m_cr3DShadow);
}

CKitHeaderCtrlTheme* KitCreateHeaderTheme(int nTheme)
{
    switch (nTheme) {
    case CKitControlTheme::kThemeFlat:
    case CKitControlTheme::kThemeUltraFlat:
    case CKitControlTheme::kThemeOffice2000:
    case CKitControlTheme::kThemeOfficeXP: return new CKitHeaderCtrlThemeOfficeXP;
    case CKitControlTheme::kThemeOffice2003: return new CKitHeaderCtrlThemeOffice2003;
    case CKitControlTheme::kThemeResource: return new CKitHeaderCtrlThemeResource;
    case CKitControlTheme::kThemeExplorer:
    case kLaterThemeFirst:
    case kLaterThemeFirst + 1:
    case kLaterThemeFirst + 2: return new CKitHeaderCtrlThemeExplorer;
    default: return new CKitHeaderCtrlTheme;
    }
}
