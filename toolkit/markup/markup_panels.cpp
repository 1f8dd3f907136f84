#include "toolkit/markup/markup_panels.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

// CKitMarkupUIElementCollection

CKitMarkupUIElementCollection::CKitMarkupUIElementCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupUIElement);
}

void CKitMarkupUIElementCollection::OnChanged()
{
    if (CKitMarkupUIElement* pOwner = MarkupDynamicCast<CKitMarkupUIElement>(GetLogicalParent()))
        pOwner->InvalidateMeasure();
}

CKitMarkupUIElement* CKitMarkupUIElementCollection::GetElement(int nIndex) const
{
    return static_cast<CKitMarkupUIElement*>(GetAt(nIndex));
}

// CKitMarkupPanel

CKitMarkupDependencyProperty* CKitMarkupPanel::m_pBackgroundProperty = nullptr;

void CKitMarkupPanel::RegisterProperties()
{
    m_pBackgroundProperty = CKitMarkupDependencyProperty::Register(
        L"Background", MARKUP_TYPE(CKitMarkupBrush), MARKUP_TYPE(CKitMarkupPanel),
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
}

CKitMarkupPanel::CKitMarkupPanel() : m_pChildren(new CKitMarkupUIElementCollection())
{
    m_pChildren->SetLogicalParent(this);
}

CKitMarkupPanel::~CKitMarkupPanel()
{
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

void CKitMarkupPanel::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
}

BOOL CKitMarkupPanel::HasContentObject() const
{
    return m_pChildren->HasContentObject();
}

int CKitMarkupPanel::GetVisualChildrenCount() const
{
    return m_pChildren->GetCount();
}

CKitMarkupVisual* CKitMarkupPanel::GetVisualChild(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_pChildren->GetCount())
        return nullptr;
    return m_pChildren->GetElement(nIndex);
}

CKitMarkupBrush* CKitMarkupPanel::GetBackground() const
{
    return GetValueOf<CKitMarkupBrush>(m_pBackgroundProperty);
}

void CKitMarkupPanel::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pBackground = GetBackground();
    if (pBackground != nullptr && m_szRender.cx > 0 && m_szRender.cy > 0)
        pDC->FillRectangle({0, 0, m_szRender.cx, m_szRender.cy}, pBackground);
}

CKitMarkupInputElement* CKitMarkupPanel::HitTestCore(POINT)
{
    return GetBackground() != nullptr ? this : nullptr;
}

// CKitMarkupCanvas

CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pTopProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pRightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pLeftProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pBottomProperty = nullptr;

void CKitMarkupCanvas::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupCanvas);
    m_pTopProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Top", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
    m_pRightProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Right", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
    m_pLeftProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Left", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
    m_pBottomProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Bottom", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
}

SIZE CKitMarkupCanvas::MeasureOverride(CKitMarkupDrawingContext* pDC, int, int)
{
    for (int i = 0; i < GetChildren()->GetCount(); ++i)
        GetChildren()->GetElement(i)->Measure(pDC, kMarkupUnbounded, kMarkupUnbounded);
    return {0, 0};
}

SIZE CKitMarkupCanvas::ArrangeOverride(SIZE szFinal)
{
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        const SIZE desired = pChild->GetDesiredSize();
        const CKitMarkupInt* pLeft = pChild->GetValueOf<CKitMarkupInt>(m_pLeftProperty);
        const CKitMarkupInt* pRight = pChild->GetValueOf<CKitMarkupInt>(m_pRightProperty);
        const CKitMarkupInt* pTop = pChild->GetValueOf<CKitMarkupInt>(m_pTopProperty);
        const CKitMarkupInt* pBottom = pChild->GetValueOf<CKitMarkupInt>(m_pBottomProperty);
        long long x = 0;
        if (pLeft != nullptr)
            x = pLeft->GetValue();
        else if (pRight != nullptr)
            x = static_cast<long long>(szFinal.cx) - pRight->GetValue() - desired.cx;
        long long y = 0;
        if (pTop != nullptr)
            y = pTop->GetValue();
        else if (pBottom != nullptr)
            y = static_cast<long long>(szFinal.cy) - pBottom->GetValue() - desired.cy;
        pChild->Arrange({MarkupClampToInt(x), MarkupClampToInt(y), MarkupClampToInt(x + desired.cx),
                         MarkupClampToInt(y + desired.cy)});
    }
    return szFinal;
}
