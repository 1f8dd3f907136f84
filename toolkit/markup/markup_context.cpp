#include "toolkit/markup/markup_context.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_gdiplus.h"
#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_parser.h"
#include "toolkit/markup/markup_services.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"
#include "toolkit/markup/markup_visual.h"
#include "toolkit/common/nonclient_metrics.h"

#include <cstring>
#include <utility>

namespace {

constexpr int kMouseOutside = -1;

// Registered by the library that fills the services; none until then.
CKitMarkupServices* g_pServices = nullptr;

// The messages a context's tooltip context sees: the mouse messages and mouse leave.
bool IsToolTipMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_XBUTTONDBLCLK) || message == WM_MOUSELEAVE;
}

// Raises a mouse event along a chain, innermost first: the element's handlers,
// then (unless handled) its own reaction; stops once the arguments are handled.
template <class Args, class Reaction>
void RaiseAlongChain(const CKitMarkupContext::CInputElementCollection& chain, int nFirst, int nEnd, Args& args,
                     Reaction reaction)
{
    for (int i = nFirst; i < nEnd && !args.m_bHandled; ++i) {
        CKitMarkupInputElement* pElement = chain.GetElement(i);
        pElement->CallHandlers(&args, pElement);
        if (!args.m_bHandled)
            (pElement->*reaction)(&args);
    }
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b)
{
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfQuality == b.lfQuality && std::strcmp(a.lfFaceName, b.lfFaceName) == 0;
}

} // namespace

// CKitMarkupFont

CKitMarkupFont::CKitMarkupFont(CKitMarkupContext* pOwner, const LOGFONTA& description)
    : m_hFont(::CreateFontIndirectA(&description)), m_description(description), m_pNextFont(nullptr), m_pOwner(pOwner)
{
}

CKitMarkupFont::~CKitMarkupFont()
{
    if (m_pOwner != nullptr)
        m_pOwner->RemoveFont(this);
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
}

// CKitMarkupContext::CInputElementCollection

CKitMarkupContext::CInputElementCollection::CInputElementCollection(CKitMarkupObject* pElement)
{
    m_pElementType = MARKUP_TYPE(CKitMarkupInputElement);
    m_bParentItems = FALSE;
    for (CKitMarkupObject* pWalk = pElement; pWalk != nullptr; pWalk = pWalk->GetLogicalParent()) {
        if (pWalk->IsKindOf(m_pElementType)) {
            pWalk->AddRef();
            Add(pWalk);
        }
    }
}

CKitMarkupInputElement* CKitMarkupContext::CInputElementCollection::GetElement(int nIndex) const
{
    return static_cast<CKitMarkupInputElement*>(GetAt(nIndex));
}

// CKitMarkupContext

CKitMarkupContext::CKitMarkupContext(HWND hContainer)
    : m_hContainer(hContainer),
      m_clrDefaultText(0),
      m_defaultFont(CKitNonClientMetrics().lfMessageFont),
      m_pMouseOver(nullptr),
      m_pCaptured(nullptr),
      m_pMouseRoot(nullptr),
      m_pFirstFont(nullptr),
      m_pLastFont(nullptr),
      m_pHandlers(nullptr),
      m_pDelegates(nullptr),
      m_pKeyboardNavigation(nullptr),
      m_pImageManager(nullptr),
      m_pPictureLoader(nullptr),
      m_pToolTipFilter(nullptr),
      m_bGdiPlusRendering(TRUE),
      m_nRefCount(1)
{
    MarkupInitializeTypes();
    MarkupGdiPlusStartup(TRUE);
    m_pKeyboardNavigation = new CKitMarkupKeyboardNavigation(this);
    if (CKitMarkupServices* pServices = CKitMarkupServices::Get()) {
        m_pPictureLoader = pServices->GetPictureLoader();
        if (m_hContainer != nullptr)
            m_pToolTipFilter = pServices->CreateToolTipFilter(this);
    }
}

CKitMarkupContext::~CKitMarkupContext()
{
    if (m_pToolTipFilter != nullptr)
        m_pToolTipFilter->ReleaseFilter();
    if (m_pPictureLoader != nullptr)
        m_pPictureLoader->Release();
    m_pMouseOver = nullptr;
    m_pKeyboardNavigation->Release();
    delete m_pHandlers;
    if (m_pDelegates != nullptr) {
        for (auto& entry : *m_pDelegates)
            entry.second->Release();
        delete m_pDelegates;
    }
    // Fonts still held elsewhere outlive the cache.
    for (CKitMarkupFont* pFont = m_pFirstFont; pFont != nullptr; pFont = std::exchange(pFont->m_pNextFont, nullptr))
        pFont->m_pOwner = nullptr;
    MarkupGdiPlusStartup(FALSE);
}

CKitMarkupServices* CKitMarkupServices::Get()
{
    return g_pServices;
}

CKitMarkupServices* CKitMarkupServices::Register(CKitMarkupServices* pServices)
{
    return std::exchange(g_pServices, pServices);
}

LONG CKitMarkupContext::AddRef()
{
    return ::InterlockedIncrement(&m_nRefCount);
}

LONG CKitMarkupContext::Release()
{
    if (m_nRefCount == 0)
        return 0;
    const LONG count = ::InterlockedDecrement(&m_nRefCount);
    if (count == 0)
        delete this;
    return count;
}

void CKitMarkupContext::ResetMouseState()
{
    m_pMouseOver = nullptr;
    m_pMouseRoot = nullptr;
    if (m_pCaptured != nullptr)
        ReleaseMouseCapture();
}

CKitMarkupUIElement* CKitMarkupContext::Parse(LPCSTR lpszText, CString* pErrorText)
{
    ResetMouseState();
    if (lpszText == nullptr)
        return nullptr;
    CKitMarkupParser parser;
    parser.SetInput(lpszText, lpszText + std::strlen(lpszText));
    CKitMarkupBuilder builder(this);
    CKitMarkupUIElement* pRoot = builder.Parse(&parser);
    if (pErrorText != nullptr)
        *pErrorText = builder.GetErrorText();
    return pRoot;
}

CKitMarkupObject* CKitMarkupContext::CreateObject(CKitMarkupType* pType)
{
    CKitMarkupObject* pObject = pType->CreateObject();
    if (CKitMarkupInputElement* pElement = MarkupDynamicCast<CKitMarkupInputElement>(pObject)) {
        pElement->SetMarkupContext(this);
        AddRef();
    }
    return pObject;
}

CKitMarkupObject* MarkupCreateObject(CKitMarkupContext* pContext, CKitMarkupType* pType)
{
    if (pType == nullptr)
        return nullptr;
    return pContext != nullptr ? pContext->CreateObject(pType) : pType->CreateObject();
}

void CKitMarkupContext::OnElementDestroyed(CKitMarkupInputElement* pElement)
{
    if (m_pMouseOver == pElement)
        m_pMouseOver = nullptr;
    if (m_pMouseRoot == pElement)
        m_pMouseRoot = nullptr;
    if (m_pCaptured == pElement)
        ReleaseMouseCapture();
    pElement->SetMarkupContext(nullptr);
    Release();
}

CKitMarkupFont* CKitMarkupContext::GetFont(const LOGFONTA& description)
{
    for (CKitMarkupFont* pFont = m_pFirstFont; pFont != nullptr; pFont = pFont->m_pNextFont) {
        if (SameFont(pFont->m_description, description)) {
            pFont->AddRef();
            return pFont;
        }
    }
    CKitMarkupFont* pFont = new CKitMarkupFont(this, description);
    if (m_pLastFont != nullptr)
        m_pLastFont->m_pNextFont = pFont;
    else
        m_pFirstFont = pFont;
    m_pLastFont = pFont;
    return pFont;
}

void CKitMarkupContext::RemoveFont(CKitMarkupFont* pFont)
{
    CKitMarkupFont* pPrevious = nullptr;
    for (CKitMarkupFont* pWalk = m_pFirstFont; pWalk != nullptr; pPrevious = pWalk, pWalk = pWalk->m_pNextFont) {
        if (pWalk != pFont)
            continue;
        (pPrevious != nullptr ? pPrevious->m_pNextFont : m_pFirstFont) = pFont->m_pNextFont;
        if (m_pLastFont == pFont)
            m_pLastFont = pPrevious;
        return;
    }
}

void CKitMarkupContext::CaptureMouse(CKitMarkupInputElement* pElement)
{
    if (m_pCaptured == pElement)
        return;
    m_pCaptured = pElement;
    if (m_hContainer != nullptr)
        ::SetCapture(m_hContainer);
}

void CKitMarkupContext::ReleaseMouseCapture()
{
    m_pCaptured = nullptr;
    if (m_hContainer != nullptr && ::GetCapture() == m_hContainer)
        ::ReleaseCapture();
}

RECT CKitMarkupContext::GetElementRect(CKitMarkupInputElement* pElement) const
{
    RECT rect = {0, 0, 0, 0};
    const CKitMarkupVisual* pVisual = MarkupDynamicCast<CKitMarkupVisual>(pElement);
    // A content element takes the rectangle of the framework element that hosts it.
    if (const CKitMarkupFrameworkContentElement* pContent =
            MarkupDynamicCast<CKitMarkupFrameworkContentElement>(pElement))
        pVisual = pContent->GetHostElement();
    if (pVisual == nullptr)
        return rect;
    rect = pVisual->GetBounds();
    for (; pVisual != nullptr; pVisual = pVisual->GetVisualParent())
        ::OffsetRect(&rect, pVisual->GetVisualOffset().x, pVisual->GetVisualOffset().y);
    return rect;
}

CKitMarkupInputElement* CKitMarkupContext::HitTestToolTip(RECT* pRect) const
{
    if (m_pMouseOver == nullptr)
        return nullptr;
    const CInputElementCollection chain(m_pMouseOver);
    for (int i = 0; i < chain.GetCount(); ++i) {
        CKitMarkupInputElement* pElement = chain.GetElement(i);
        if (pElement->GetValueOf<CKitMarkupString>(CKitMarkupInputElement::m_pToolTipProperty) == nullptr)
            continue;
        if (pRect != nullptr)
            *pRect = GetElementRect(pElement);
        return pElement;
    }
    return nullptr;
}

void CKitMarkupContext::InvalidateElement(CKitMarkupInputElement* pElement)
{
    if (m_hContainer == nullptr)
        return;
    const RECT rect = GetElementRect(pElement);
    ::InvalidateRect(m_hContainer, &rect, FALSE);
    ::SendMessageA(m_hContainer, WM_KIT_MARKUP_INVALIDATED, 0, 0);
}

void CKitMarkupContext::OnLayoutChanged(CKitMarkupInputElement*)
{
    if (m_hContainer == nullptr)
        return;
    ::InvalidateRect(m_hContainer, nullptr, FALSE);
    ::SendMessageA(m_hContainer, WM_KIT_MARKUP_INVALIDATED, 0, 0);
}

BOOL CKitMarkupContext::OnWndMsg(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult)
{
    if (m_hContainer == nullptr)
        return FALSE;
    if (pElement == nullptr) {
        if (m_pMouseRoot != nullptr)
            HandleMouseEnterLeave(nullptr, kMouseOutside, kMouseOutside);
        return FALSE;
    }
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    if (message == WM_MOUSEMOVE)
        HandleMouseMove(pElement, x, y);
    else if (message == WM_DESTROY || message == WM_MOUSELEAVE)
        HandleMouseEnterLeave(nullptr, kMouseOutside, kMouseOutside);
    // The tooltip context hit-tests the element now under the mouse.
    if (m_pToolTipFilter != nullptr && IsToolTipMessage(message))
        m_pToolTipFilter->FilterToolTipMessage(m_hContainer, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_DESTROY:
    case WM_MOUSELEAVE:
        return FALSE;
    case WM_SETCURSOR:
        if (!UpdateCursor())
            return FALSE;
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    case WM_MOUSEWHEEL:
        if (!HandleMouseWheel(static_cast<short>(HIWORD(wParam)), x, y))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return HandleMouseButton(message, lParam);
    case WM_CAPTURECHANGED:
        HandleCaptureChanged();
        return FALSE;
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return m_pKeyboardNavigation->OnWndMsg(message, wParam, lParam);
    default:
        return FALSE;
    }
}

void CKitMarkupContext::HandleMouseMove(CKitMarkupUIElement* pRoot, int x, int y)
{
    CKitMarkupInputElement* pHit = pRoot->InputHitTest({x, y});
    if (m_pCaptured != nullptr) {
        // Only the captured element's own subtree may come under the mouse.
        CKitMarkupObject* pWalk = pHit;
        while (pWalk != nullptr && pWalk != m_pCaptured)
            pWalk = pWalk->GetLogicalParent();
        pHit = pWalk != nullptr ? pHit : nullptr;
    }
    if (pHit != m_pMouseOver) {
        HandleMouseEnterLeave(pHit, x, y);
        if (m_pMouseOver != nullptr) {
            TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hContainer, 0};
            ::TrackMouseEvent(&track);
        }
        if (!UpdateCursor())
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    }
    m_pMouseRoot = m_pMouseOver != nullptr ? pRoot : nullptr;
    if (m_pMouseOver == nullptr)
        return;
    const CInputElementCollection chain(m_pMouseOver);
    CKitMarkupMouseEventArgs args(CKitMarkupInputElement::m_pMouseMoveEvent, m_pMouseOver, m_hContainer, x, y);
    RaiseAlongChain(chain, 0, chain.GetCount(), args, &CKitMarkupInputElement::OnMouseMove);
}

void CKitMarkupContext::HandleMouseEnterLeave(CKitMarkupInputElement* pNew, int x, int y)
{
    if (pNew == nullptr)
        m_pMouseRoot = nullptr;
    if (pNew == m_pMouseOver)
        return;
    const CInputElementCollection oldChain(m_pMouseOver);
    const CInputElementCollection newChain(pNew);
    // Common ancestors stay under the mouse: they hear nothing.
    int oldEnd = oldChain.GetCount();
    int newEnd = newChain.GetCount();
    while (oldEnd > 0 && newEnd > 0 && oldChain.GetAt(oldEnd - 1) == newChain.GetAt(newEnd - 1)) {
        --oldEnd;
        --newEnd;
    }
    CKitMarkupMouseEventArgs leave(CKitMarkupInputElement::m_pMouseLeaveEvent, m_pMouseOver, m_hContainer, x, y);
    CKitMarkupMouseEventArgs enter(CKitMarkupInputElement::m_pMouseEnterEvent, pNew, m_hContainer, x, y);
    m_pMouseOver = pNew;
    RaiseAlongChain(oldChain, 0, oldEnd, leave, &CKitMarkupInputElement::OnMouseLeave);
    RaiseAlongChain(newChain, 0, newEnd, enter, &CKitMarkupInputElement::OnMouseEnter);
}

BOOL CKitMarkupContext::UpdateCursor()
{
    if (m_pMouseOver == nullptr)
        return FALSE;
    const CInputElementCollection chain(m_pMouseOver);
    CKitMarkupQueryCursorEventArgs args(m_pMouseOver, m_hContainer, kMouseOutside, kMouseOutside);
    for (int i = 0; i < chain.GetCount() && !args.m_bHandled; ++i)
        chain.GetElement(i)->OnQueryCursor(&args);
    if (!args.m_bHandled || args.m_hCursor == nullptr)
        return FALSE;
    ::SetCursor(args.m_hCursor);
    return TRUE;
}

BOOL CKitMarkupContext::HandleMouseWheel(int nDelta, int x, int y)
{
    if (m_pMouseOver == nullptr)
        return FALSE;
    const CInputElementCollection chain(m_pMouseOver);
    CKitMarkupMouseWheelEventArgs args(m_pMouseOver, m_hContainer, x, y, nDelta);
    for (int i = 0; i < chain.GetCount() && !args.m_bHandled; ++i)
        chain.GetElement(i)->OnMouseWheel(&args);
    return args.m_bHandled;
}

BOOL CKitMarkupContext::HandleMouseButton(UINT message, LPARAM lParam)
{
    CKitMarkupInputElement* pTarget = m_pCaptured != nullptr ? m_pCaptured : m_pMouseOver;
    if (pTarget == nullptr)
        return FALSE;
    const CInputElementCollection chain(pTarget);
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    using Reaction = void (CKitMarkupInputElement::*)(CKitMarkupMouseButtonEventArgs*);
    CKitMarkupRoutedEvent* pEvent = nullptr;
    Reaction reaction = nullptr;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pEvent = CKitMarkupInputElement::m_pMouseLeftButtonDownEvent;
        reaction = &CKitMarkupInputElement::OnMouseLeftButtonDown;
        break;
    case WM_LBUTTONUP:
        pEvent = CKitMarkupInputElement::m_pMouseLeftButtonUpEvent;
        reaction = &CKitMarkupInputElement::OnMouseLeftButtonUp;
        break;
    case WM_RBUTTONDOWN:
        pEvent = CKitMarkupInputElement::m_pMouseRightButtonDownEvent;
        reaction = &CKitMarkupInputElement::OnMouseRightButtonDown;
        break;
    default:
        pEvent = CKitMarkupInputElement::m_pMouseRightButtonUpEvent;
        reaction = &CKitMarkupInputElement::OnMouseRightButtonUp;
        break;
    }
    CKitMarkupMouseButtonEventArgs args(pEvent, pTarget, m_hContainer, x, y);
    RaiseAlongChain(chain, 0, chain.GetCount(), args, reaction);
    return args.m_bHandled;
}

void CKitMarkupContext::HandleCaptureChanged()
{
    if (m_pCaptured == nullptr)
        return;
    // Forgotten first, so that the element may capture again while it hears the loss.
    CKitMarkupRef<CKitMarkupInputElement> captured(std::exchange(m_pCaptured, nullptr));
    captured->AddRef();
    CKitMarkupMouseEventArgs args(CKitMarkupInputElement::m_pLostMouseCaptureEvent, captured.Get(), m_hContainer,
                                  kMouseOutside, kMouseOutside);
    captured->CallHandlers(&args, captured.Get());
    if (!args.m_bHandled)
        captured->OnLostMouseCapture(&args);
}

CKitMarkupDelegate* CKitMarkupContext::FindDelegate(std::wstring_view name) const
{
    if (m_pDelegates == nullptr)
        return nullptr;
    const auto found = m_pDelegates->find(std::wstring(name));
    return found == m_pDelegates->end() ? nullptr : found->second;
}

void CKitMarkupContext::RegisterDelegate(LPCWSTR lpszName, CKitMarkupDelegate* pDelegate)
{
    if (lpszName == nullptr || pDelegate == nullptr)
        return;
    if (m_pDelegates == nullptr)
        m_pDelegates = new std::unordered_map<std::wstring, CKitMarkupDelegate*>();
    pDelegate->AddRef();
    CKitMarkupDelegate*& slot = (*m_pDelegates)[lpszName];
    if (CKitMarkupDelegate* pOld = std::exchange(slot, pDelegate))
        pOld->Release();
}

void CKitMarkupContext::AddHandler(CKitMarkupRoutedEvent* pEvent, CKitMarkupDelegate* pDelegate)
{
    CKitMarkupHandlerTable::Add(m_pHandlers, pEvent, pDelegate);
}

void CKitMarkupContext::CallHandlers(CKitMarkupRoutedEventArgs* pArgs, CKitMarkupObject* pSender)
{
    CKitMarkupHandlerTable::Call(m_pHandlers, pArgs, pSender);
}
