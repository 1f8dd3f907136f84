#include "toolkit/common/tooltip_styles.h"

#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/upper_services.h"

namespace {

constexpr COLORREF kLunaLight = 0x97D4FF;
constexpr COLORREF kLunaDark = 0xC8F2FF;
constexpr int kFaceNameLength = 32;
constexpr int kUnbounded = 0x7FFFFFFF;

} // namespace

LRESULT CKitToolTipContext::CStandardToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_WINDOWFROMPOINT && lParam != 0)
        return reinterpret_cast<LRESULT>(CKitToolTipContext::WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)));
    return CToolTipCtrl::WindowProc(message, wParam, lParam);
}

void CKitToolTipContext::CLunaToolTip::DrawBackground(CDC* pDC, CRect rc)
{
    COLORREF clrFrom = kLunaLight;
    COLORREF clrTo = kLunaDark;
    COLORREF clrFrame = 0;
    switch (CKitColorManager::Instance()->GetCurrentSystemTheme()) {
    case 1:
    case 4:
    case 5: clrFrame = 0x800000; break;
    case 2: clrFrame = 0x385D3F; break;
    case 3: clrFrame = 0x6F4B4B; break;
    default:
        clrFrom = m_pContext->GetTipBkColor();
        clrTo = 0xFFFFFF;
        break;
    }
    CKitDrawHelpers::Instance()->GradientFill(pDC, &rc, clrFrom, clrTo, FALSE);
    pDC->Draw3dRect(&rc, clrFrame, clrFrame);
    pDC->SetTextColor(m_pContext->GetTipTextColor());
}

CSize CKitToolTipContext::CRichEditToolTip::CalcSize(CDC* pDC, TOOLITEM* pTool)
{
    const CString strText = GetToolText(pTool);
    if (!m_render.HasTextServices() || strText.IsEmpty())
        return CSize(0, 0);
    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_COLOR;
    cf.crTextColor = m_pContext->GetTipTextColor();
    LOGFONTA lf = {};
    if (::GetObjectA(static_cast<HFONT>(*m_pContext->GetFont()), sizeof(lf), &lf) != 0) {
        const int nDpi = ::GetDeviceCaps(*pDC, LOGPIXELSY);
        cf.dwMask |= CFM_SIZE | CFM_FACE;
        cf.yHeight = -(lf.lfHeight * 1440 / (nDpi > 0 ? nDpi : 96));
        ::MultiByteToWideChar(CP_ACP, 0, lf.lfFaceName, -1, cf.szFaceName, kFaceNameLength);
        cf.szFaceName[kFaceNameLength - 1] = L'\0';
    }
    m_render.SetText(nullptr);
    m_render.SetDefaultCharFormat(cf);
    m_render.SetText(strText);
    const CSize szExtra = GetExtra();
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth <= 0)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    CSize size;
    m_render.GetTextExtent(size, pDC, nMaxWidth - szExtra.cx);
    return size + szExtra;
}

void CKitToolTipContext::CRichEditToolTip::DrawContent(CDC* pDC, TOOLITEM*, CRect rc)
{
    const CRect& rcMargin = m_pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);
    m_render.Draw(pDC, rc);
}

CKitToolTipContext::CMarkupToolTip::CMarkupToolTip(CKitToolTipContext* pContext)
    : CKitToolTipContextToolTip(pContext), m_pMarkupContext(nullptr), m_pElement(nullptr)
{
    if (CKitThemeServices* pThemes = CKitThemeServices::Get())
        m_pMarkupContext = pThemes->CreateMarkupContext(nullptr);
}

CKitToolTipContext::CMarkupToolTip::~CMarkupToolTip()
{
    if (CKitThemeServices* pThemes = CKitThemeServices::Get()) {
        pThemes->ReleaseMarkupElement(m_pElement);
        pThemes->ReleaseMarkupContext(m_pMarkupContext);
    }
}

CSize CKitToolTipContext::CMarkupToolTip::CalcSize(CDC* pDC, TOOLITEM* pTool)
{
    CKitThemeServices* pThemes = CKitThemeServices::Get();
    if (pThemes != nullptr)
        pThemes->ReleaseMarkupElement(m_pElement);
    const CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    if (pThemes != nullptr && m_pMarkupContext != nullptr) {
        pThemes->SetMarkupDefaultFont(m_pMarkupContext, *m_pContext->GetFont(), m_pContext->GetTipTextColor());
        m_pElement = pThemes->ParseMarkupText(m_pMarkupContext, strText);
    }
    if (m_pElement == nullptr)
        return CalcPlainSize(pDC, pTool);
    const CSize szExtra = GetExtra();
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth <= 0)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const SIZE size = pThemes->MeasureMarkupElement(m_pElement, nMaxWidth - szExtra.cx, kUnbounded);
    return CSize(size.cx + szExtra.cx, size.cy + szExtra.cy);
}

void CKitToolTipContext::CMarkupToolTip::DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc)
{
    if (m_pElement == nullptr) {
        DrawPlainContent(pDC, pTool, rc);
        return;
    }
    const CRect& rcMargin = m_pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);
    CKitThemeServices::Get()->RenderMarkupElement(m_pElement, *pDC, &rc);
}
