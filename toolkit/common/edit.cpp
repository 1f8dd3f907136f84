#include "toolkit/common/edit.h"

#include "framework/gdi.h"
#include "toolkit/common/color_manager.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CKitEdit, CEdit)

namespace {

constexpr int kColorFrame = 6;
constexpr int kColorHighlightEdge = 20;

} // namespace

CKitEdit::CKitEdit()
    : m_bCreatedWithBorder(FALSE), m_bNoBuddyBorder(FALSE), m_bOwnBorder(FALSE), m_bUseVisualStyle(FALSE), m_nTheme(kThemeDefault),
      m_clrBorder(::GetSysColor(COLOR_3DSHADOW))
{
}

BOOL CKitEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bCreatedWithBorder = (dwStyle & WS_BORDER) != 0;
    return CEdit::Create(dwStyle, rect, pParentWnd, nID);
}

BOOL CKitEdit::HasBorderStyle() const
{
    return m_bCreatedWithBorder || (GetStyle() & WS_BORDER) != 0 || (GetExStyle() & WS_EX_CLIENTEDGE) != 0;
}

BOOL CKitEdit::IsSpinButton(CWnd* pWnd)
{
    char szClass[32] = {};
    return pWnd != nullptr && ::GetClassNameA(pWnd->GetSafeHwnd(), szClass, sizeof(szClass)) > 0 &&
           ::lstrcmpiA(szClass, UPDOWN_CLASSA) == 0;
}

BOOL CKitEdit::IsVisualStyleDrawn()
{
    return m_bUseVisualStyle && m_themeEdit.IsAppThemed();
}

HBRUSH CKitEdit::GetBackgroundBrush(CDC* pDC)
{
    const BOOL bWritable = IsWindowEnabled() && (GetStyle() & ES_READONLY) == 0;
    HBRUSH hBrush = nullptr;
    if (CWnd* pParent = GetParent())
        hBrush = reinterpret_cast<HBRUSH>(pParent->SendMessage(bWritable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                                               reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                               reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush == nullptr)
        hBrush = ::GetSysColorBrush(bWritable ? COLOR_WINDOW : COLOR_3DFACE);
    return hBrush;
}

void CKitEdit::AdjustBuddyRect(CWnd* pButton, CRect& rc, int nSide)
{
    if (m_bNoBuddyBorder || (!m_bOwnBorder && !HasBorderStyle()))
        return;
    int nBorder = 0;
    if (IsVisualStyleDrawn())
        nBorder = 1;
    else if (m_nTheme == kThemeDefault || m_nTheme == kThemeFlat ||
             (m_nTheme == kThemeResource && !IsSpinButton(pButton)))
        nBorder = 2;
    if (nBorder == 0)
        return;
    rc.top += nBorder;
    rc.bottom -= nBorder;
    if (nSide == kSideRight)
        rc.right -= nBorder;
    else
        rc.left += nBorder;
}

void CKitEdit::DrawBuddyBorder(CWnd* pButton, CDC* pDC, CRect rc, int nSide)
{
    if (m_bNoBuddyBorder)
        return;
    const BOOL bRight = nSide == kSideRight;
    // The rectangle reaching 2 pixels under the edit, so that its frame side is hidden there.
    auto widenTowardsEdit = [bRight](CRect& rcBorder) {
        if (bRight)
            rcBorder.left -= 2;
        else
            rcBorder.right += 2;
    };
    if (!m_bOwnBorder) {
        if (!HasBorderStyle())
            return;
        widenTowardsEdit(rc);
        const COLORREF clrFrame = CKitColorManager::Instance()->GetColor(kColorFrame);
        pDC->Draw3dRect(&rc, clrFrame, clrFrame);
        return;
    }
    if (IsVisualStyleDrawn()) {
        ::FillRect(*pDC, &rc, GetBackgroundBrush(pDC));
        widenTowardsEdit(rc);
        if (!m_themeEdit.IsThemeHandleOpen())
            m_themeEdit.OpenThemeData(m_hWnd, L"EDIT");
        if (SUCCEEDED(m_themeEdit.DrawThemeBackground(*pDC, 0, 1, &rc, nullptr)))
            return;
    }
    switch (m_nTheme) {
    case kThemeDefault:
        ::DrawEdge(*pDC, &rc, EDGE_SUNKEN, BF_TOP | BF_BOTTOM | (bRight ? BF_RIGHT : BF_LEFT));
        break;
    case kThemeFlat:
        ::FillRect(*pDC, &rc, GetBackgroundBrush(pDC));
        widenTowardsEdit(rc);
        pDC->Draw3dRect(&rc, m_clrBorder, CKitColorManager::Instance()->GetColor(kColorHighlightEdge));
        break;
    case kThemeResource:
        if (IsSpinButton(pButton))
            break;
        ::FillRect(*pDC, &rc, GetBackgroundBrush(pDC));
        widenTowardsEdit(rc);
        pDC->Draw3dRect(&rc, m_clrBorder, m_clrBorder);
        break;
    default:
        break;
    }
}
