#include "toolkit/common/color_pages.h"

#include "framework/ddx.h"
#include "toolkit/common/color_dialog.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/toolkit_ids.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CKitColorHex, CStatic)
IMPLEMENT_DYNAMIC(CKitColorBase, CStatic)
IMPLEMENT_DYNAMIC(CKitColorWnd, CKitColorBase)
IMPLEMENT_DYNAMIC(CKitColorLum, CKitColorBase)
IMPLEMENT_DYNAMIC(CKitColorPageStandard, CPropertyPage)
IMPLEMENT_DYNAMIC(CKitColorPageCustom, CPropertyPage)

namespace {

// One row of the honeycomb: where it starts, its cells' colours and the cells
// its first cell's Up and Down lead to (each next cell leads one further; below 0: none).
struct HoneycombRow {
    int nIndent;
    int nUpFirst;
    int nDownFirst;
    std::vector<COLORREF> colors;
};

const std::vector<HoneycombRow>& HoneycombRows()
{
    static const std::vector<HoneycombRow> rows = {
        {42, -7, 8, {0x808000, 0x806900, 0x805400, 0x803D00, 0x802700, 0x801200, 0x800000}},
        {35, -1, 16, {0x698000, 0xC0C000, 0xC0A000, 0xC08000, 0xC04B00, 0xC02400, 0xC00000, 0x800012}},
        {28, 6, 25, {0x548000, 0xA0C000, 0xFFFF00, 0xFFC000, 0xFF8000, 0xFF4600, 0xFF0000, 0xC00024, 0x800027}},
        {21, 14, 35,
         {0x3D8000, 0x80C000, 0xC0FF00, 0xFFFF57, 0xFFC057, 0xFF8057, 0xFF5757, 0xFF0046, 0xC0004E, 0x80003D}},
        {14, 23, 46,
         {0x278000, 0x4BC000, 0x80FF00, 0xC0FF57, 0xFFFFA0, 0xFFC0A0, 0xFFA0A0, 0xFF5780, 0xFF0080, 0xC00080,
          0x800056}},
        {7, 33, 58,
         {0x128000, 0x24C000, 0x46FF00, 0x80FF57, 0xC0FFA0, 0xFFFFCC, 0xEDDAC3, 0xFFA0C0, 0xFF57C0, 0xFF00C0,
          0xC000A3, 0x80006B}},
        {0, 44, 70,
         {0x008000, 0x00C000, 0x00FF00, 0x57FF57, 0xA0FFA0, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFFA0FF, 0xFF57FF,
          0xFF00FF, 0xC000C0, 0x800080}},
        {7, 57, 82,
         {0x008012, 0x00C024, 0x00FF46, 0x57FF80, 0xA0FFC0, 0xCCFFFF, 0xCCCCFF, 0xC0A0FF, 0xC057FF, 0xC000FF,
          0x9D00C0, 0x670080}},
        {14, 70, 93,
         {0x008027, 0x00C04E, 0x00FF80, 0x57FFC0, 0xA0FFFF, 0xA0C0FF, 0xA0A0FF, 0x8057FF, 0x8000FF, 0x8000C0,
          0x520080}},
        {21, 82, 103,
         {0x00803D, 0x00C080, 0x00FFC0, 0x57FFFF, 0x57C0FF, 0x5780FF, 0x5757FF, 0x4200FF, 0x4B00C0, 0x3B0080}},
        {28, 93, 112, {0x008056, 0x00C0A3, 0x00FFFF, 0x00C0FF, 0x0080FF, 0x0042FF, 0x0000FF, 0x2000C0, 0x250080}},
        {35, 103, 120, {0x00806B, 0x00C0C0, 0x009DC0, 0x0080C0, 0x004BC0, 0x0020C0, 0x0000C0, 0x100080}},
        {42, 112, 121, {0x008080, 0x006780, 0x005280, 0x003B80, 0x002580, 0x001080, 0x000080}},
    };
    return rows;
}

constexpr COLORREF kGreys[] = {0xF8F8F8, 0xEAEAEA, 0xDDDDDD, 0xC0C0C0, 0xB2B2B2, 0x969696, 0x808080, 0x777777,
                               0x5F5F5F, 0x4D4D4D, 0x333333, 0x292929, 0x1C1C1C, 0x111111, 0x080808};
// The honeycomb's geometry.
constexpr int kRowTop = 10;
constexpr int kRowStep = 12;
constexpr int kCellStep = 14;
constexpr int kGreyRowTop = 178;
constexpr int kGreyHigh = 182;
constexpr int kGreyLow = 194;
constexpr int kGreyFirstX = 35;
constexpr int kGreyStep = 7;
constexpr int kBlackX = 154;
// The last cell of row 11 leads Down to this grey.
constexpr int kRow11LastDown = 142;

// The field's cross-hair: bars from 5 to 10 pixels away from the marker.
constexpr int kCrossNear = 5;
constexpr int kCrossFar = 10;
// The bar's arrow marker: where each of its 9 rows starts right of the bar's left edge.
constexpr int kArrowStarts[] = {24, 22, 20, 18, 17, 19, 21, 23, 25};
constexpr int kArrowEnd = 26;

CWnd* NotifyTargetOf(const CWnd* pWnd)
{
    HWND hOwner = ::GetWindow(pWnd->GetSafeHwnd(), GW_OWNER);
    if (hOwner != nullptr)
        return CWnd::FromHandle(hOwner);
    return pWnd->GetParent();
}

// The brush the parent paints statics with, or the 3D face colour.
void FillParentBackground(CWnd* pWnd, CDC* pDC, const CRect& rc, int nFallbackIndex)
{
    HBRUSH hBrush = nullptr;
    if (CWnd* pParent = pWnd->GetParent())
        hBrush = reinterpret_cast<HBRUSH>(pParent->SendMessage(WM_CTLCOLORSTATIC,
                                                               reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                               reinterpret_cast<LPARAM>(pWnd->GetSafeHwnd())));
    if (hBrush != nullptr)
        ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
    else
        pDC->FillSolidRect(&rc, CKitColorManager::Instance()->GetColor(nFallbackIndex));
}

COLORREF HslToColor(int nHue, int nLuminance, int nSaturation)
{
    return CKitDrawHelpers::HSLtoRGB(nHue / 255.0, nSaturation / 255.0, nLuminance / 255.0);
}

} // namespace

KitHsl KitColorToHsl(COLORREF clr)
{
    const double r = GetRValue(clr) / 255.0;
    const double g = GetGValue(clr) / 255.0;
    const double b = GetBValue(clr) / 255.0;
    const double dMax = std::max({r, g, b});
    const double dMin = std::min({r, g, b});
    const double l = (dMax + dMin) / 2;
    double h = 0;
    double s = 0;
    if (dMax != dMin) {
        const double d = dMax - dMin;
        s = l < 0.5 ? d / (dMax + dMin) : d / (2.0 - dMax - dMin);
        if (r == dMax)
            h = (g - b) / d;
        else if (g == dMax)
            h = 2.0 + (b - r) / d;
        else
            h = 4.0 + (r - g) / d;
        h /= 6.0;
        if (h < 0)
            h += 1.0;
    }
    return {static_cast<int>(h * 255), static_cast<int>(s * 255), static_cast<int>(l * 255)};
}

// ---------------------------------------------------------------------------
// The honeycomb's cells.

CKitColorHex::CRgnCell::CRgnCell(CPoint ptOrigin, BOOL bLarge, COLORREF clr, int nUp, int nDown)
    : m_clr(clr), m_nUp(nUp), m_nDown(nDown)
{
    const int x = ptOrigin.x;
    const int y = ptOrigin.y;
    const int w = bLarge ? 28 : 14;
    const int h1 = bLarge ? 8 : 4;
    const int h2 = bLarge ? 24 : 12;
    const int h3 = bLarge ? 32 : 16;
    const POINT corners[6] = {{x + w / 2, y}, {x + w, y + h1}, {x + w, y + h2}, {x + w / 2, y + h3}, {x, y + h2},
                              {x, y + h1}};
    std::copy(std::begin(corners), std::end(corners), m_corners);
    m_rcBounds = CRect(x, y, x + w, y + h3);
    CreatePolygonRgn(m_corners, 6, WINDING);
}

void CKitColorHex::CRgnCell::Draw(CDC* pDC)
{
    CBrush brush(m_clr);
    pDC->FillRgn(this, &brush);
}

void CKitColorHex::CRgnCell::DrawSelected(CDC* pDC)
{
    CBrush white(RGB(255, 255, 255));
    pDC->FrameRgn(this, &white, 4, 2);
    // Black outlines just outside and just inside the white frame.
    const CPoint centre = m_rcBounds.CenterPoint();
    const auto outline = [&](int nDelta) {
        POINT points[7];
        for (int i = 0; i < 6; ++i) {
            const int dx = m_corners[i].x - centre.x;
            const int dy = m_corners[i].y - centre.y;
            points[i].x = m_corners[i].x + (dx > 0 ? nDelta : dx < 0 ? -nDelta : 0);
            points[i].y = m_corners[i].y + (dy > 0 ? nDelta : dy < 0 ? -nDelta : 0);
        }
        points[6] = points[0];
        ScopedSelect pen(*pDC, ::GetStockObject(BLACK_PEN));
        pDC->Polyline(points, 7);
    };
    outline(1);
    outline(-4);
}

// ---------------------------------------------------------------------------
// The honeycomb.

BEGIN_MESSAGE_MAP(CKitColorHex, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKitColorHex::CKitColorHex() : m_bSizeOnSubclass(TRUE), m_clrSelected(static_cast<COLORREF>(-1)), m_nSelected(-1)
{
}

CKitColorHex::~CKitColorHex() = default;

BOOL CKitColorHex::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bSizeOnSubclass = FALSE;
    return CStatic::Create(lpszText, dwStyle | SS_NOTIFY, rect, pParentWnd, nID);
}

void CKitColorHex::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY);
    BuildCells();
    // A colour given before the window existed.
    if (m_clrSelected != static_cast<COLORREF>(-1)) {
        const COLORREF clr = m_clrSelected;
        m_clrSelected = static_cast<COLORREF>(-1);
        SetSelectedColor(clr, FALSE);
    }
}

void CKitColorHex::BuildCells()
{
    m_cells.clear();
    m_nSelected = -1;
    m_bmpCache.DeleteObject();
    CRect rcClient;
    GetClientRect(&rcClient);
    const int x0 = (rcClient.Width() - kHoneycombWidth) / 2;
    const std::vector<HoneycombRow>& rows = HoneycombRows();
    for (size_t r = 0; r < rows.size(); ++r) {
        const HoneycombRow& row = rows[r];
        const int y = kRowTop + kRowStep * static_cast<int>(r);
        for (size_t k = 0; k < row.colors.size(); ++k) {
            const int nK = static_cast<int>(k);
            const int nUp = row.nUpFirst + nK >= 0 ? row.nUpFirst + nK : -1;
            int nDown = row.nDownFirst + nK;
            if (r == 11 && k + 1 == row.colors.size())
                nDown = kRow11LastDown;
            m_cells.push_back(std::make_unique<CRgnCell>(CPoint(x0 + row.nIndent + kCellStep * nK, y), FALSE,
                                                         row.colors[k], nUp, nDown));
        }
    }
    // The grey row: a large white cell, 15 greys alternately high and low, a large black cell.
    int nIndex = static_cast<int>(m_cells.size());
    m_cells.push_back(std::make_unique<CRgnCell>(CPoint(x0, kGreyRowTop), TRUE, RGB(255, 255, 255), nIndex - 1,
                                                 nIndex + 1));
    for (size_t k = 0; k < std::size(kGreys); ++k) {
        ++nIndex;
        const int nK = static_cast<int>(k);
        m_cells.push_back(std::make_unique<CRgnCell>(
            CPoint(x0 + kGreyFirstX + kGreyStep * nK, nK % 2 == 0 ? kGreyHigh : kGreyLow), FALSE, kGreys[k],
            nIndex - 1, nIndex + 1));
    }
    ++nIndex;
    m_cells.push_back(std::make_unique<CRgnCell>(CPoint(x0 + kBlackX, kGreyRowTop), TRUE, RGB(0, 0, 0), nIndex - 1, -1));
}

void CKitColorHex::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    const COLORREF clr = m_clrSelected;
    const int nSelected = m_nSelected;
    BuildCells();
    m_nSelected = nSelected;
    m_clrSelected = clr;
}

const CKitColorHex::CRgnCell* CKitColorHex::GetCell(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCellCount() ? m_cells[static_cast<size_t>(nIndex)].get() : nullptr;
}

int CKitColorHex::GetSelectedIndex() const
{
    return m_nSelected;
}

int CKitColorHex::HitTest(CPoint point) const
{
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i]->PtInRegion(point))
            return static_cast<int>(i);
    }
    return -1;
}

CWnd* CKitColorHex::GetNotifyTarget() const
{
    return NotifyTargetOf(this);
}

void CKitColorHex::SetSelectedColor(COLORREF clr, BOOL bNotify)
{
    if (m_hWnd == nullptr) {
        m_clrSelected = clr;
        return;
    }
    if (clr == static_cast<COLORREF>(-1))
        return;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i]->m_clr == clr) {
            SelectCell(static_cast<int>(i), bNotify);
            return;
        }
    }
    SelectCell(-1, bNotify);
}

void CKitColorHex::SelectCell(int nIndex, BOOL bNotify)
{
    const CRgnCell* pCell = GetCell(nIndex);
    if (pCell == nullptr) {
        m_nSelected = -1;
        m_clrSelected = static_cast<COLORREF>(-1);
    } else {
        const BOOL bChanged = pCell->m_clr != m_clrSelected;
        m_nSelected = nIndex;
        m_clrSelected = pCell->m_clr;
        if (bChanged && bNotify) {
            if (CWnd* pTarget = GetNotifyTarget())
                pTarget->SendMessage(ColorMsgColorChanged, m_clrSelected, reinterpret_cast<LPARAM>(m_hWnd));
        }
    }
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CKitColorHex::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    if (m_bmpCache.GetSafeHandle() == nullptr) {
        CDC dcCache;
        dcCache.CreateCompatibleDC(&dc);
        m_bmpCache.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height());
        ScopedSelect bitmap(dcCache, m_bmpCache.GetSafeHandle());
        FillParentBackground(this, &dcCache, rcClient, COLOR_3DFACE);
        for (const auto& pCell : m_cells)
            pCell->Draw(&dcCache);
    }
    CDC dcCache;
    dcCache.CreateCompatibleDC(&dc);
    {
        ScopedSelect bitmap(dcCache, m_bmpCache.GetSafeHandle());
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcCache, 0, 0, SRCCOPY);
    }
    if (m_clrSelected == RGB(255, 255, 255)) {
        for (const auto& pCell : m_cells) {
            if (pCell->m_clr == m_clrSelected)
                pCell->DrawSelected(&dc);
        }
    } else if (CRgnCell* pCell = m_nSelected >= 0 ? m_cells[static_cast<size_t>(m_nSelected)].get() : nullptr) {
        pCell->DrawSelected(&dc);
    }
}

BOOL CKitColorHex::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKitColorHex::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    const int nHit = HitTest(point);
    if (nHit >= 0) {
        SelectCell(nHit, TRUE);
        SetCapture();
    }
}

void CKitColorHex::OnMouseMove(UINT, CPoint point)
{
    if (::GetCapture() != m_hWnd)
        return;
    const int nHit = HitTest(point);
    if (nHit >= 0 && nHit != m_nSelected)
        SelectCell(nHit, TRUE);
}

void CKitColorHex::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKitColorHex::OnLButtonDblClk(UINT, CPoint point)
{
    SetFocus();
    const int nHit = HitTest(point);
    if (nHit < 0)
        return;
    SelectCell(nHit, TRUE);
    if (CWnd* pTarget = GetNotifyTarget())
        pTarget->SendMessage(ColorMsgDoubleClick, m_clrSelected, reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CKitColorHex::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || pMsg->hwnd != m_hWnd || m_nSelected < 0)
        return CStatic::PreTranslateMessage(pMsg);
    const CRgnCell* pCell = m_cells[static_cast<size_t>(m_nSelected)].get();
    int nTarget = -1;
    switch (pMsg->wParam) {
    case VK_LEFT:
        nTarget = m_nSelected - 1;
        break;
    case VK_RIGHT:
        nTarget = m_nSelected + 1 < GetCellCount() ? m_nSelected + 1 : -1;
        break;
    case VK_UP:
        nTarget = pCell->m_nUp;
        break;
    case VK_DOWN:
        nTarget = pCell->m_nDown;
        break;
    default:
        return CStatic::PreTranslateMessage(pMsg);
    }
    if (nTarget >= 0)
        SelectCell(nTarget, TRUE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// The field and the bar.

int CKitColorBase::s_nFocused = CKitColorBase::kFocusNone;

BEGIN_MESSAGE_MAP(CKitColorBase, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CKitColorBase::CKitColorBase() : m_dHue(0), m_dSaturation(0), m_dLuminance(0.5), m_bSizeOnSubclass(TRUE) {}

void CKitColorBase::Init()
{
    ModifyStyle(0, SS_NOTIFY);
}

void CKitColorBase::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    Init();
}

void CKitColorBase::SetHueSat(double dHue, double dSaturation)
{
    m_dHue = dHue;
    m_dSaturation = dSaturation;
}

COLORREF CKitColorBase::GetColor() const
{
    return CKitDrawHelpers::HSLtoRGB(m_dHue, m_dSaturation, m_dLuminance);
}

void CKitColorBase::Notify(UINT message, WPARAM wParam)
{
    if (CWnd* pTarget = NotifyTargetOf(this))
        pTarget->SendMessage(message, wParam, reinterpret_cast<LPARAM>(m_hWnd));
}

void CKitColorBase::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    UpdateFromPoint(point);
    SetFocus();
}

void CKitColorBase::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) != 0 && ::GetCapture() == m_hWnd)
        UpdateFromPoint(point);
}

void CKitColorBase::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKitColorBase::OnLButtonDblClk(UINT, CPoint point)
{
    UpdateFromPoint(point);
    Notify(ColorMsgDoubleClick, 0);
}

void CKitColorBase::OnSetFocus(CWnd* pOldWnd)
{
    CStatic::OnSetFocus(pOldWnd);
    s_nFocused = GetFocusId();
    Invalidate(FALSE);
}

void CKitColorBase::OnKillFocus(CWnd* pNewWnd)
{
    CStatic::OnKillFocus(pNewWnd);
    s_nFocused = kFocusNone;
    Invalidate(FALSE);
}

BOOL CKitColorBase::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CKitColorBase::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && s_nFocused == GetFocusId()) {
        switch (pMsg->wParam) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            MoveMarker(static_cast<UINT>(pMsg->wParam));
            return TRUE;
        default:
            break;
        }
    }
    return CStatic::PreTranslateMessage(pMsg);
}

BEGIN_MESSAGE_MAP(CKitColorWnd, CKitColorBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CKitColorWnd::UpdateFromPoint(CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    point.x = std::clamp(point.x, rcClient.left, rcClient.right - 1);
    point.y = std::clamp(point.y, rcClient.top, rcClient.bottom - 1);
    m_dHue = static_cast<double>(point.x) / rcClient.Width();
    m_dSaturation = static_cast<double>(rcClient.Height() - point.y) / rcClient.Height();
    m_dLuminance = 0.5;
    m_ptMarker = point;
    Notify(ColorMsgColorChanged, GetColor());
    Invalidate(FALSE);
    UpdateWindow();
}

void CKitColorWnd::SetHue(double dHue)
{
    m_dHue = dHue;
    CRect rcClient;
    GetClientRect(&rcClient);
    m_ptMarker.x = static_cast<int>(rcClient.Width() * dHue);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CKitColorWnd::SetSaturation(double dSaturation)
{
    m_dSaturation = dSaturation;
    CRect rcClient;
    GetClientRect(&rcClient);
    m_ptMarker.y = rcClient.Height() - static_cast<int>(rcClient.Height() * dSaturation);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CKitColorWnd::MoveMarker(UINT nChar)
{
    CPoint point = m_ptMarker;
    point.x += nChar == VK_LEFT ? -1 : nChar == VK_RIGHT ? 1 : 0;
    point.y += nChar == VK_UP ? -1 : nChar == VK_DOWN ? 1 : 0;
    UpdateFromPoint(point);
}

void CKitColorWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    const int cx = rcClient.Width();
    const int cy = rcClient.Height();
    if (m_bmpCache.GetSafeHandle() == nullptr && cx > 0 && cy > 0) {
        // Hue across, saturation upwards, at luminance 0.5: one pixel each.
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
        if (hBitmap != nullptr) {
            auto* pixels = static_cast<DWORD*>(pBits);
            for (int s = 0; s < cy; ++s) {
                const int row = cy - 1 - s;
                for (int x = 0; x < cx; ++x) {
                    const COLORREF clr = CKitDrawHelpers::HSLtoRGB(static_cast<double>(x) / cx,
                                                                   static_cast<double>(s) / cy, 0.5);
                    pixels[row * cx + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
                }
            }
            m_bmpCache.Attach(hBitmap);
        }
    }
    if (m_bmpCache.GetSafeHandle() != nullptr) {
        CDC dcCache;
        dcCache.CreateCompatibleDC(&dc);
        ScopedSelect bitmap(dcCache, m_bmpCache.GetSafeHandle());
        dc.BitBlt(0, 0, cx, cy, &dcCache, 0, 0, SRCCOPY);
    }
    // The cross-hair: three-line bars on the four sides of the marker.
    const COLORREF clr = s_nFocused == kFocusField ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const CPoint pt = m_ptMarker;
    const int nLength = kCrossFar - kCrossNear + 1;
    dc.FillSolidRect(pt.x - kCrossFar, pt.y - 1, nLength, 3, clr);
    dc.FillSolidRect(pt.x + kCrossNear, pt.y - 1, nLength, 3, clr);
    dc.FillSolidRect(pt.x - 1, pt.y - kCrossFar, 3, nLength, clr);
    dc.FillSolidRect(pt.x - 1, pt.y + kCrossNear, 3, nLength, clr);
}

BEGIN_MESSAGE_MAP(CKitColorLum, CKitColorBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CRect CKitColorLum::GetBarRect() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(0, kBarInset);
    rc.right = rc.left + kBarWidth;
    return rc;
}

void CKitColorLum::UpdateFromPoint(CPoint point)
{
    const CRect rcBar = GetBarRect();
    if (rcBar.Height() <= 0)
        return;
    const int y = std::clamp(static_cast<int>(point.y), static_cast<int>(rcBar.top), static_cast<int>(rcBar.bottom));
    m_dLuminance = static_cast<double>(rcBar.Height() - (y - rcBar.top)) / rcBar.Height();
    m_ptMarker.y = y;
    Notify(ColorMsgColorChanged, GetColor());
    Invalidate(FALSE);
    UpdateWindow();
}

void CKitColorLum::SetLuminance(double dLuminance)
{
    m_dLuminance = dLuminance;
    const CRect rcBar = GetBarRect();
    m_ptMarker.y = rcBar.bottom - static_cast<int>(rcBar.Height() * dLuminance);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CKitColorLum::SetHueSat(double dHue, double dSaturation)
{
    CKitColorBase::SetHueSat(dHue, dSaturation);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CKitColorLum::MoveMarker(UINT nChar)
{
    if (nChar == VK_UP || nChar == VK_DOWN)
        UpdateFromPoint(CPoint(0, m_ptMarker.y + (nChar == VK_UP ? -1 : 1)));
}

void CKitColorLum::DrawMarker(CDC* pDC, const CRect& rcBar)
{
    const int yMarker = std::clamp(static_cast<int>(m_ptMarker.y), static_cast<int>(rcBar.top),
                                   static_cast<int>(rcBar.bottom));
    const BOOL bFocused = s_nFocused == kFocusBar;
    const COLORREF clrFill = bFocused ? RGB(0, 0, 0) : CKitColorManager::Instance()->GetColor(COLOR_BTNSHADOW);
    const int nRows = static_cast<int>(std::size(kArrowStarts));
    for (int i = 0; i < nRows; ++i) {
        const int y = yMarker - nRows / 2 + i;
        const int x = rcBar.left + kArrowStarts[i];
        pDC->FillSolidRect(x, y, rcBar.left + kArrowEnd - x, 1, clrFill);
        if (!bFocused) {
            // The outline: the row's first pixel, and the whole first and last rows.
            pDC->SetPixel(x, y, RGB(0, 0, 0));
            pDC->SetPixel(rcBar.left + kArrowEnd - 1, y, RGB(0, 0, 0));
            if (i == 0 || i == nRows - 1)
                pDC->FillSolidRect(x, y, rcBar.left + kArrowEnd - x, 1, RGB(0, 0, 0));
        }
    }
}

void CKitColorLum::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    FillParentBackground(this, &dc, rcClient, COLOR_3DFACE);
    const CRect rcBar = GetBarRect();
    const int nHeight = rcBar.Height();
    for (int i = 0; i < nHeight; ++i) {
        const COLORREF clr = i == 0 ? RGB(255, 255, 255)
                                    : CKitDrawHelpers::HSLtoRGB(m_dHue, m_dSaturation,
                                                                static_cast<double>(nHeight - i) / nHeight);
        dc.FillSolidRect(rcBar.left, rcBar.top + i, rcBar.Width(), 1, clr);
    }
    DrawMarker(&dc, rcBar);
}

// ---------------------------------------------------------------------------
// The standard page.

BEGIN_MESSAGE_MAP(CKitColorPageStandard, CPropertyPage)
    ON_MESSAGE(ColorMsgColorChanged, &CKitColorPageStandard::OnColorChanged)
    ON_MESSAGE(ColorMsgDoubleClick, &CKitColorPageStandard::OnDoubleClick)
END_MESSAGE_MAP()

CKitColorPageStandard::CKitColorPageStandard() : CPropertyPage(IDD_KIT_COLOR_STANDARD) {}

CKitColorDialog* CKitColorPageStandard::GetSheet() const
{
    return DYNAMIC_DOWNCAST(CKitColorDialog, GetParentSheet());
}

BOOL CKitColorPageStandard::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndHex.SubclassDlgItem(kIdHex, this);
    if (CKitColorDialog* pSheet = GetSheet())
        m_wndHex.SetSelectedColor(pSheet->GetColor(), FALSE);
    return TRUE;
}

BOOL CKitColorPageStandard::OnSetActive()
{
    if (CKitColorDialog* pSheet = GetSheet()) {
        pSheet->FitPage(this);
        m_wndHex.SetSelectedColor(pSheet->GetColor(), FALSE);
    }
    return CPropertyPage::OnSetActive();
}

LRESULT CKitColorPageStandard::OnColorChanged(WPARAM wParam, LPARAM lParam)
{
    const COLORREF clr = static_cast<COLORREF>(wParam);
    if (reinterpret_cast<HWND>(lParam) == m_wndHex.GetSafeHwnd()) {
        if (CKitColorDialog* pSheet = GetSheet())
            pSheet->SetNewColor(clr, FALSE);
    } else {
        m_wndHex.SetSelectedColor(clr, FALSE);
    }
    return 0;
}

LRESULT CKitColorPageStandard::OnDoubleClick(WPARAM, LPARAM)
{
    if (CKitColorDialog* pSheet = GetSheet())
        pSheet->EndDialog(IDOK);
    return 0;
}

// ---------------------------------------------------------------------------
// The custom page.

BEGIN_MESSAGE_MAP(CKitColorPageCustom, CPropertyPage)
    ON_MESSAGE(ColorMsgColorChanged, &CKitColorPageCustom::OnColorChanged)
    ON_MESSAGE(ColorMsgDoubleClick, &CKitColorPageCustom::OnDoubleClick)
    ON_EN_CHANGE(kIdRed, &CKitColorPageCustom::OnRgbChange)
    ON_EN_CHANGE(kIdGreen, &CKitColorPageCustom::OnRgbChange)
    ON_EN_CHANGE(kIdBlue, &CKitColorPageCustom::OnRgbChange)
    ON_EN_CHANGE(kIdLuminance, &CKitColorPageCustom::OnLuminanceChange)
    ON_EN_CHANGE(kIdHue, &CKitColorPageCustom::OnHueChange)
    ON_EN_CHANGE(kIdSaturation, &CKitColorPageCustom::OnSaturationChange)
END_MESSAGE_MAP()

namespace {

// The edits with their spins, in the order of the page's members.
struct NumberControls {
    UINT nEdit;
    UINT nSpin;
};
constexpr NumberControls kNumbers[] = {
    {CKitColorPageCustom::kIdHue, CKitColorPageCustom::kIdSpinHue},
    {CKitColorPageCustom::kIdSaturation, CKitColorPageCustom::kIdSpinSaturation},
    {CKitColorPageCustom::kIdLuminance, CKitColorPageCustom::kIdSpinLuminance},
    {CKitColorPageCustom::kIdRed, CKitColorPageCustom::kIdSpinRed},
    {CKitColorPageCustom::kIdGreen, CKitColorPageCustom::kIdSpinGreen},
    {CKitColorPageCustom::kIdBlue, CKitColorPageCustom::kIdSpinBlue},
};
constexpr int kNumberMax = 255;

} // namespace

CKitColorPageCustom::CKitColorPageCustom()
    : CPropertyPage(IDD_KIT_COLOR_CUSTOM), m_nHue(0), m_nSaturation(0), m_nLuminance(0), m_nRed(0), m_nGreen(0), m_nBlue(0),
      m_bWriting(FALSE)
{
}

CKitColorDialog* CKitColorPageCustom::GetSheet() const
{
    return DYNAMIC_DOWNCAST(CKitColorDialog, GetParentSheet());
}

void CKitColorPageCustom::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    int* values[] = {&m_nHue, &m_nSaturation, &m_nLuminance, &m_nRed, &m_nGreen, &m_nBlue};
    for (size_t i = 0; i < std::size(kNumbers); ++i) {
        DDX_Text(pDX, static_cast<int>(kNumbers[i].nEdit), *values[i]);
        DDV_MinMaxInt(pDX, *values[i], 0, kNumberMax);
    }
}

BOOL CKitColorPageCustom::OnInitDialog()
{
    m_bWriting = TRUE;
    CPropertyPage::OnInitDialog();
    m_wndField.SubclassDlgItem(kIdField, this);
    m_wndBar.SubclassDlgItem(kIdBar, this);
    for (size_t i = 0; i < std::size(kNumbers); ++i) {
        m_spins[i].SubclassDlgItem(kNumbers[i].nSpin, this);
        m_spins[i].SetBuddy(GetDlgItem(static_cast<int>(kNumbers[i].nEdit)));
        m_spins[i].SetRange32(0, kNumberMax);
    }
    // The bar's window grows 4 pixels at top and bottom; the drawn bar keeps its place.
    CRect rcBar;
    m_wndBar.GetWindowRect(&rcBar);
    ScreenToClient(&rcBar);
    rcBar.InflateRect(0, CKitColorLum::kBarInset);
    m_wndBar.MoveWindow(&rcBar, FALSE);
    m_bWriting = FALSE;
    return TRUE;
}

BOOL CKitColorPageCustom::OnSetActive()
{
    if (CKitColorDialog* pSheet = GetSheet()) {
        pSheet->FitPage(this);
        const COLORREF clr = pSheet->GetColor();
        TakeColor(clr);
        m_nRed = GetRValue(clr);
        m_nGreen = GetGValue(clr);
        m_nBlue = GetBValue(clr);
    }
    CPropertyPage::OnSetActive();
    WriteEdits();
    return TRUE;
}

COLORREF CKitColorPageCustom::HslColor() const
{
    return HslToColor(m_nHue, m_nLuminance, m_nSaturation);
}

void CKitColorPageCustom::WriteEdits()
{
    const BOOL bWriting = m_bWriting;
    m_bWriting = TRUE;
    UpdateData(FALSE);
    m_bWriting = bWriting;
}

BOOL CKitColorPageCustom::ReadEdits()
{
    // A number being typed, or out of range, waits: the check with its message comes at OK.
    for (const NumberControls& number : kNumbers) {
        BOOL bNumber = FALSE;
        const UINT nValue = GetDlgItemInt(static_cast<int>(number.nEdit), &bNumber, FALSE);
        if (!bNumber || nValue > static_cast<UINT>(kNumberMax))
            return FALSE;
    }
    return UpdateData(TRUE);
}

void CKitColorPageCustom::TakeColor(COLORREF clr)
{
    const KitHsl hsl = KitColorToHsl(clr);
    m_nHue = hsl.nHue;
    m_nSaturation = hsl.nSaturation;
    m_nLuminance = hsl.nLuminance;
    m_wndField.SetHue(m_nHue / 255.0);
    m_wndField.SetSaturation(m_nSaturation / 255.0);
    m_wndBar.SetHueSat(m_nHue / 255.0, m_nSaturation / 255.0);
    m_wndBar.SetLuminance(m_nLuminance / 255.0);
}

void CKitColorPageCustom::Publish(COLORREF clr, BOOL bToSheet)
{
    CKitColorDialog* pSheet = GetSheet();
    if (bToSheet && pSheet != nullptr && pSheet->GetColor() != clr)
        pSheet->SetNewColor(clr, FALSE);
    m_nRed = GetRValue(clr);
    m_nGreen = GetGValue(clr);
    m_nBlue = GetBValue(clr);
    WriteEdits();
}

LRESULT CKitColorPageCustom::OnColorChanged(WPARAM wParam, LPARAM lParam)
{
    const HWND hFrom = reinterpret_cast<HWND>(lParam);
    COLORREF clr = static_cast<COLORREF>(wParam);
    if (hFrom == m_wndField.GetSafeHwnd()) {
        m_nSaturation = static_cast<int>(m_wndField.GetSaturation() * 255);
        m_nHue = static_cast<int>(m_wndField.GetHue() * 255);
        clr = CKitDrawHelpers::HSLtoRGB(m_nHue / 255.0, m_nSaturation / 255.0, 0.5);
        m_wndBar.SetHueSat(m_nHue / 255.0, m_nSaturation / 255.0);
    } else if (hFrom == m_wndBar.GetSafeHwnd()) {
        m_nLuminance = static_cast<int>(m_wndBar.GetLuminance() * 255);
        clr = HslColor();
    } else {
        TakeColor(clr);
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        const HWND hUnder = ::WindowFromPoint(ptCursor);
        if (hUnder == m_wndField.GetSafeHwnd() || hUnder == m_wndBar.GetSafeHwnd())
            ::SetFocus(hUnder);
    }
    const CKitColorDialog* pSheet = GetSheet();
    Publish(clr, pSheet == nullptr || hFrom != pSheet->GetSafeHwnd());
    return 0;
}

LRESULT CKitColorPageCustom::OnDoubleClick(WPARAM, LPARAM)
{
    if (CKitColorDialog* pSheet = GetSheet())
        pSheet->EndDialog(IDOK);
    return 0;
}

void CKitColorPageCustom::OnRgbChange()
{
    if (m_bWriting || !ReadEdits())
        return;
    SendMessage(ColorMsgColorChanged, RGB(m_nRed, m_nGreen, m_nBlue), 0);
}

void CKitColorPageCustom::OnHueChange()
{
    OnHslChange(kIdHue);
}

void CKitColorPageCustom::OnSaturationChange()
{
    OnHslChange(kIdSaturation);
}

void CKitColorPageCustom::OnLuminanceChange()
{
    OnHslChange(kIdLuminance);
}

void CKitColorPageCustom::OnHslChange(UINT nEdit)
{
    if (m_bWriting || !ReadEdits())
        return;
    // The field's marker follows hue or saturation, the bar's the luminance.
    if (nEdit == kIdHue)
        m_wndField.SetHue(m_nHue / 255.0);
    else if (nEdit == kIdSaturation)
        m_wndField.SetSaturation(m_nSaturation / 255.0);
    if (nEdit == kIdLuminance)
        m_wndBar.SetLuminance(m_nLuminance / 255.0);
    else
        m_wndBar.SetHueSat(m_nHue / 255.0, m_nSaturation / 255.0);
    Publish(HslColor(), TRUE);
}
