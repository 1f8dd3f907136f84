#include "toolkit/markup/markup_input_element.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"
#include "toolkit/markup/markup_visual.h"

namespace {

// Style property: the new style is sealed and becomes the element's style.
void OnStyleChanged(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs* pArgs)
{
    CKitMarkupInputElement* pElement = MarkupDynamicCast<CKitMarkupInputElement>(pObject);
    if (pElement == nullptr)
        return;
    CKitMarkupStyle* pStyle = MarkupDynamicCast<CKitMarkupStyle>(pArgs->m_pNewValue);
    if (pStyle != nullptr)
        pStyle->Seal();
    pElement->SetStyleCore(pStyle);
}

// Cursor property: the element's context sets the cursor the elements under the mouse now ask for.
void OnCursorChanged(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs*)
{
    const CKitMarkupInputElement* pElement = MarkupDynamicCast<CKitMarkupInputElement>(pObject);
    if (pElement != nullptr && pElement->GetMarkupContext() != nullptr)
        pElement->GetMarkupContext()->UpdateCursor();
}

void ApplyStylesFrom(CKitMarkupObject* pObject)
{
    const int count = pObject->GetLogicalChildrenCount();
    for (int i = 0; i < count; ++i) {
        if (CKitMarkupObject* pChild = pObject->GetLogicalChild(i))
            ApplyStylesFrom(pChild);
    }
    if (CKitMarkupInputElement* pElement = MarkupDynamicCast<CKitMarkupInputElement>(pObject))
        pElement->UpdateStyle();
}

} // namespace

// CKitMarkupRoutedEvent

BOOL CKitMarkupRoutedEvent::IsEvent() const
{
    return TRUE;
}

CKitMarkupRoutedEvent* CKitMarkupRoutedEvent::RegisterRoutedEvent(LPCWSTR lpszName, DWORD dwRoutingFlags,
                                                                  CKitMarkupType* pOwnerType)
{
    CKitMarkupPropertyMetadata* pMetadata =
        dwRoutingFlags != 0 ? new CKitMarkupPropertyMetadata(nullptr, dwRoutingFlags) : nullptr;
    return static_cast<CKitMarkupRoutedEvent*>(RegisterCore(new CKitMarkupRoutedEvent(), lpszName,
                                                            MARKUP_TYPE(CKitMarkupString), pOwnerType, pMetadata,
                                                            FALSE));
}

// CKitMarkupHandlerTable

CKitMarkupHandlerTable::~CKitMarkupHandlerTable()
{
    for (auto& entry : m_handlers) {
        for (CKitMarkupDelegate* pDelegate : entry.second)
            pDelegate->Release();
    }
}

void CKitMarkupHandlerTable::Add(CKitMarkupHandlerTable*& pTable, CKitMarkupRoutedEvent* pEvent,
                                 CKitMarkupDelegate* pDelegate)
{
    if (pEvent == nullptr || pDelegate == nullptr)
        return;
    if (pTable == nullptr)
        pTable = new CKitMarkupHandlerTable();
    pDelegate->AddRef();
    pTable->m_handlers[pEvent].push_back(pDelegate);
}

void CKitMarkupHandlerTable::Call(CKitMarkupHandlerTable* pTable, CKitMarkupRoutedEventArgs* pArgs,
                                  CKitMarkupObject* pSender)
{
    if (pTable == nullptr)
        return;
    const auto found = pTable->m_handlers.find(pArgs->m_pEvent);
    if (found == pTable->m_handlers.end())
        return;
    // A handler may add handlers: the ones present now are called, each kept alive while it runs.
    const std::vector<CKitMarkupDelegate*> handlers = found->second;
    for (CKitMarkupDelegate* pDelegate : handlers) {
        pDelegate->AddRef();
        CKitMarkupRef<CKitMarkupDelegate> hold(pDelegate);
        pDelegate->Invoke(pSender, pArgs);
    }
}

// CKitMarkupMouseEventArgs

POINT CKitMarkupMouseEventArgs::GetPosition(CKitMarkupObject* pElement) const
{
    POINT point = {m_x, m_y};
    for (CKitMarkupObject* pWalk = pElement; pWalk != nullptr; pWalk = pWalk->GetLogicalParent()) {
        if (const CKitMarkupVisual* pVisual = MarkupDynamicCast<CKitMarkupVisual>(pWalk)) {
            point.x -= pVisual->GetVisualOffset().x;
            point.y -= pVisual->GetVisualOffset().y;
        }
    }
    return point;
}

// CKitMarkupInputElement

CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pCursorProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pIsMouseOverProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pResourcesProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pStyleProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pIsKeyboardFocusedProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pIsFocusableProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupInputElement::m_pToolTipProperty = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseLeaveEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseEnterEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseLeftButtonUpEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseLeftButtonDownEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseRightButtonUpEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseRightButtonDownEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pMouseMoveEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupInputElement::m_pLostMouseCaptureEvent = nullptr;

void CKitMarkupInputElement::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupInputElement);
    MARKUP_TYPE(CKitMarkupStyle)->RegisterProperties();
    m_pCursorProperty = CKitMarkupDependencyProperty::Register(
        L"Cursor", MARKUP_TYPE(CKitMarkupInt), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertCursor, OnCursorChanged, 0));
    m_pIsMouseOverProperty = CKitMarkupDependencyProperty::Register(
        L"IsMouseOver", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), 0));
    m_pResourcesProperty = CKitMarkupDependencyProperty::AddOwner(CKitMarkupStyle::m_pResourcesProperty, pOwner);
    m_pStyleProperty = CKitMarkupDependencyProperty::Register(
        L"Style", MARKUP_TYPE(CKitMarkupStyle), pOwner, new CKitMarkupPropertyMetadata(nullptr, OnStyleChanged, 0));
    m_pIsKeyboardFocusedProperty = CKitMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), MarkupPropertyAffectsRender));
    m_pIsFocusableProperty = CKitMarkupDependencyProperty::Register(
        L"IsFocusable", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), 0));
    m_pToolTipProperty =
        CKitMarkupDependencyProperty::Register(L"ToolTip", MARKUP_TYPE(CKitMarkupObject), pOwner, nullptr);

    m_pMouseLeaveEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeave", 0, pOwner);
    m_pMouseEnterEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseEnter", 0, pOwner);
    m_pMouseLeftButtonUpEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonUp", 0, pOwner);
    m_pMouseLeftButtonDownEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonDown", 0, pOwner);
    m_pMouseRightButtonUpEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonUp", 0, pOwner);
    m_pMouseRightButtonDownEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonDown", 0, pOwner);
    m_pMouseMoveEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"MouseMove", 0, pOwner);
    m_pLostMouseCaptureEvent = CKitMarkupRoutedEvent::RegisterRoutedEvent(L"LostMouseCapture", 0, pOwner);
}

CKitMarkupInputElement::CKitMarkupInputElement()
    : m_pHandlers(nullptr),
      m_pMarkupContext(nullptr),
      m_pActiveTriggers(nullptr),
      m_pTriggerValues(nullptr),
      m_pStyle(nullptr)
{
}

CKitMarkupInputElement::~CKitMarkupInputElement()
{
    delete m_pHandlers;
    if (m_pActiveTriggers != nullptr)
        m_pActiveTriggers->Release();
    delete m_pTriggerValues;
}

void CKitMarkupInputElement::OnFinalRelease()
{
    if (m_pMarkupContext != nullptr)
        m_pMarkupContext->OnElementDestroyed(this);
    delete this;
}

CKitMarkupObject* CKitMarkupInputElement::GetValueCore(CKitMarkupDependencyProperty* pProperty) const
{
    if (CKitMarkupObject* pValue = CKitMarkupObject::GetValueCore(pProperty))
        return pValue;
    if (m_pTriggerValues != nullptr) {
        if (CKitMarkupObject* pValue = m_pTriggerValues->Get(pProperty))
            return pValue;
    }
    if (m_pStyle != nullptr) {
        if (CKitMarkupObject* pValue = m_pStyle->GetStyleValue(pProperty))
            return pValue;
    }
    if (const CKitMarkupStyle* pDefaultStyle = GetType()->GetDefaultStyle())
        return pDefaultStyle->GetStyleValue(pProperty);
    return nullptr;
}

void CKitMarkupInputElement::SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                                               CKitMarkupObject* pValue)
{
    if (!pProperty->IsEvent()) {
        CKitMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
        return;
    }
    CKitMarkupRef<CKitMarkupObject> value(pValue);
    if (m_pMarkupContext == nullptr)
        CKitMarkupBuilder::ThrowBuilderError("Markup Context is NULL");
    const CKitMarkupString* pName = MarkupDynamicCast<CKitMarkupString>(pValue);
    const std::wstring_view name = pName != nullptr ? pName->GetView() : std::wstring_view();
    CKitMarkupDelegate* pDelegate = m_pMarkupContext->FindDelegate(name);
    if (pDelegate == nullptr)
        CKitMarkupBuilder::ThrowBuilderError("'%s' delegate not found", (LPCSTR)MarkupNarrow(name));
    AddHandler(static_cast<CKitMarkupRoutedEvent*>(pProperty), pDelegate);
}

void CKitMarkupInputElement::OnMouseLeave(CKitMarkupMouseEventArgs*)
{
    SetValue(m_pIsMouseOverProperty, nullptr);
}

void CKitMarkupInputElement::OnMouseEnter(CKitMarkupMouseEventArgs*)
{
    SetValue(m_pIsMouseOverProperty, CKitMarkupBool::CreateTrueValue());
}

void CKitMarkupInputElement::OnMouseMove(CKitMarkupMouseEventArgs*) {}

void CKitMarkupInputElement::OnQueryCursor(CKitMarkupQueryCursorEventArgs* pArgs)
{
    const CKitMarkupInt* pCursor = GetValueOf<CKitMarkupInt>(m_pCursorProperty);
    if (pCursor == nullptr)
        return;
    pArgs->m_bHandled = TRUE;
    pArgs->m_hCursor = ::LoadCursor(nullptr, MAKEINTRESOURCE(pCursor->GetValue() & 0xFFFF));
}

void CKitMarkupInputElement::OnMouseLeftButtonUp(CKitMarkupMouseButtonEventArgs*) {}

void CKitMarkupInputElement::OnMouseRightButtonUp(CKitMarkupMouseButtonEventArgs*) {}

void CKitMarkupInputElement::OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs*) {}

void CKitMarkupInputElement::OnMouseRightButtonDown(CKitMarkupMouseButtonEventArgs*) {}

void CKitMarkupInputElement::OnLostMouseCapture(CKitMarkupMouseEventArgs*) {}

void CKitMarkupInputElement::OnMouseWheel(CKitMarkupMouseWheelEventArgs*) {}

CKitMarkupInputElement* CKitMarkupInputElement::InputHitTest(POINT)
{
    return nullptr;
}

void CKitMarkupInputElement::UpdateStyle()
{
    if (m_pStyle == nullptr) {
        if (CKitMarkupStyle* pStyle = MarkupDynamicCast<CKitMarkupStyle>(FindResource(this, GetType()))) {
            pStyle->Seal();
            m_pStyle = pStyle;
        }
    }
    if (m_pStyle == nullptr)
        return;
    EvaluateTriggers(this, nullptr, nullptr);
}

void CKitMarkupInputElement::AddHandler(CKitMarkupRoutedEvent* pEvent, CKitMarkupDelegate* pDelegate)
{
    CKitMarkupHandlerTable::Add(m_pHandlers, pEvent, pDelegate);
}

void CKitMarkupInputElement::CallHandlers(CKitMarkupRoutedEventArgs* pArgs, CKitMarkupObject* pSender)
{
    CKitMarkupHandlerTable::Call(m_pHandlers, pArgs, pSender);
}

void CKitMarkupInputElement::RaiseEvent(CKitMarkupRoutedEventArgs* pArgs)
{
    if (pArgs == nullptr || pArgs->m_pEvent == nullptr)
        return;
    if (!pArgs->m_pEvent->IsBubbling()) {
        CallHandlers(pArgs, this);
        return;
    }
    for (CKitMarkupObject* pWalk = this; pWalk != nullptr; pWalk = pWalk->GetLogicalParent()) {
        if (CKitMarkupInputElement* pElement = MarkupDynamicCast<CKitMarkupInputElement>(pWalk)) {
            pElement->CallHandlers(pArgs, pElement);
            if (pArgs->m_bHandled)
                return;
        }
    }
    if (m_pMarkupContext != nullptr)
        m_pMarkupContext->CallHandlers(pArgs, this);
}

CKitMarkupActiveTriggerCollection* CKitMarkupInputElement::EnsureActiveTriggers()
{
    if (m_pActiveTriggers == nullptr)
        m_pActiveTriggers = new CKitMarkupActiveTriggerCollection();
    return m_pActiveTriggers;
}

CKitMarkupProperties* CKitMarkupInputElement::EnsureTriggerValues()
{
    if (m_pTriggerValues == nullptr)
        m_pTriggerValues = new CKitMarkupProperties(nullptr);
    return m_pTriggerValues;
}

void ApplyStyles(CKitMarkupObject* pRoot)
{
    if (pRoot != nullptr)
        ApplyStylesFrom(pRoot);
}
