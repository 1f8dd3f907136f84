#include "toolkit/markup/markup_page.h"

#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_drawing_context.h"

CKitMarkupInputElement* CKitMarkupPage::HitTestCore(POINT)
{
    return nullptr;
}

SIZE CKitMarkupPage::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CKitMarkupUIElement* pChild = GetChild();
    if (pChild == nullptr)
        return {0, 0};
    pChild->Measure(pDC, nAvailableWidth, nAvailableHeight);
    return pChild->GetDesiredSize();
}

SIZE CKitMarkupPage::ArrangeOverride(SIZE szFinal)
{
    if (CKitMarkupUIElement* pChild = GetChild())
        pChild->Arrange({0, 0, szFinal.cx, szFinal.cy});
    return szFinal;
}

// CKitMarkupWindowContainer

SIZE CKitMarkupWindowContainer::MeasureOverride(CKitMarkupDrawingContext*, int, int)
{
    return m_szWindow;
}

void CKitMarkupWindowContainer::SetWindow(HWND hWnd, SIZE szWindow)
{
    m_hWnd = hWnd;
    m_szWindow = hWnd != nullptr ? szWindow : SIZE{0, 0};
    InvalidateMeasure();
}

void CKitMarkupWindowContainer::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupContext* pContext = GetMarkupContext();
    if (m_hWnd == nullptr || pContext == nullptr)
        return;
    const RECT rect = pContext->GetElementRect(this);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    if (HDWP hDefer = pDC->GetDeferWindowPos())
        pDC->SetDeferWindowPos(::DeferWindowPos(hDefer, m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                                                rect.bottom - rect.top, flags));
    else
        ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

void CKitMarkupWindowContainer::OnNotRendered(CKitMarkupDrawingContext*)
{
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER);
}
